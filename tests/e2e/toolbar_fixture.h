// Each test gets its own target window in the foreground and its own copy of
// the toolbar program, started after the target and ended before it.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "tests/e2e/target_window.h"
#include "tests/e2e/toolbar_process.h"
#include "tests/e2e/toolbar_view.h"

namespace brumelis::e2e {

inline constexpr Rect kFirstTargetPlace{200, 150, 400, 300};
inline constexpr test_support::Milliseconds kOneTickAndMore{150};
// Long enough for the follower to have acted if it were going to.
inline constexpr test_support::Milliseconds kSeveralTicks{500};
inline constexpr Rect kSecondTargetPlace{700, 500, 360, 280};

class ToolbarTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(target_.BringToForeground()) << "the target never became the foreground window";
        StartToolbarOn(target_.Handle());
    }

    // Starts the toolbar with `target` in the foreground and waits until it
    // has settled on it (fails the test otherwise).
    void StartToolbarOn(HWND target);
    // The toolbar settled on a target: folded at its top-left corner, and
    // staying there.
    bool WaitUntilFoldedOn(HWND target) const;
    bool WaitUntilFoldedOn(const TargetWindow& target) const {
        return WaitUntilFoldedOn(target.Handle());
    }
    // Clicks the red square and waits for the 33x113 panel.
    bool Unfold() const;
    // The toolbar's place and the foreground window, for failure messages.
    std::string Situation() const;

    TargetWindow target_{L"Cible A", kFirstTargetPlace};
    std::optional<ToolbarProcess> brumelis_;
    ToolbarView toolbar_{nullptr};
};

// A second window to switch to; the toolbar starts on the first.
class TwoTargetsTest : public ToolbarTest {
protected:
    TargetWindow other_{L"Cible B", kSecondTargetPlace};
};

}  // namespace brumelis::e2e
