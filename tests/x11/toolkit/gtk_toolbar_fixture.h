// The GTK toolkit with the toolbar's layout, built in the test's own process
// and thread: the test sends real input through its own X connection and
// keeps GTK's main loop running while it waits for what the toolkit
// delivers to a sink that only records.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/gtk/gtk_toolkit.h"
#include "tests/platform/recording_form_events.h"
#include "tests/x11/support/wait.h"
#include "tests/x11/support/x_session.h"
#include "toolbar/toolbar_layout.h"

namespace brumelis::x11_tests {

using platform_tests::EventKind;
using platform_tests::RecordedEvent;
using platform_tests::RecordingFormEvents;
using Events = RecordingFormEvents::Events;

// Runs every pending GLib event, then lets a little time pass.
void PumpGtk();

// Clear of the screen's edges, so that points around the toolbar exist.
inline constexpr ScreenPoint kToolbarTopLeft{400, 300};

class GtkToolbarTest : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    FormWindow& Form() { return toolkit_->Window(); }
    GtkToolkit& Toolkit() { return *toolkit_; }
    XWindowId ToolbarId() { return static_cast<XWindowId>(Form().Handle()); }
    // The control's area on the screen, from the geometry the form reports.
    ScreenArea Area(ControlId control);

    // Puts the pointer on the point once the toolbar really is the window
    // there.
    testing::AssertionResult PointAt(ScreenPoint point);
    testing::AssertionResult Delivered(EventKind kind, ControlId control, int button = -1);
    // Moves the pointer and waits for the toolkit's report of that move to
    // the control, with the button state and the position from the
    // control's top-left corner in twips.
    testing::AssertionResult MoveAndSee(ControlId control, int button, ScreenPoint point);
    // Every event before this one has been handled: a move of the free
    // pointer onto the red square, which comes after them.
    testing::AssertionResult Settled();
    std::string Recent() const;

    XSession x_;
    RecordingFormEvents events_;
    std::unique_ptr<GtkToolkit> toolkit_;
};

}  // namespace brumelis::x11_tests
