// A toolbar wired to the simulated desktop and the scripted toolkit.
#pragma once

#include <gtest/gtest.h>

#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_toolkit.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

constexpr Twips kCollapsed = 150;
constexpr Twips kExpandedHeight = 1695;

class ToolbarTest : public ::testing::Test {
protected:
    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    ToolbarWindow form{desktop, toolkit, toolkit.Window()};

    FakeFormWindow& window() { return toolkit.Window(); }
    WindowHandle toolbar() { return window().Handle(); }
    Text caption() { return window().ButtonCaption(kPinButton); }

    void LoadAndFollow(WindowHandle target) {
        toolkit.Load(form);
        desktop.SetForeground(target);
        toolkit.Tick();
    }
    void Unfold() {
        ASSERT_EQ(window().Width(), kCollapsed);
        toolkit.Click(kRedSquare);
        ASSERT_EQ(window().Width(), kExpandedWidth);
    }
    bool Collapsed() { return window().Width() == kCollapsed && window().Height() == kCollapsed; }
    bool Expanded() {
        return window().Width() == kExpandedWidth && window().Height() == kExpandedHeight;
    }
};

}  // namespace brumelis
