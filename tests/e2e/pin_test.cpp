// The pin button puts the target into the topmost band and takes it out; the
// caption tells, at every tick, whether the foreground window is pinned.
#include <gtest/gtest.h>

#include "tests/e2e/mouse_input.h"
#include "tests/e2e/toolbar_fixture.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

class Pin : public TwoTargetsTest {
protected:
    bool ToolbarIsAbove(const TargetWindow& target) const {
        const int toolbar = ZOrderIndex(toolbar_.Handle());
        return toolbar >= 0 && toolbar < ZOrderIndex(target.Handle());
    }
};

TEST_F(Pin, PlusPinsTheTargetBelowTheToolbarAndMinusUnpinsIt) {
    ASSERT_FALSE(IsTopmost(target_.Handle()));
    ASSERT_TRUE(Unfold());
    ASSERT_EQ(toolbar_.PinCaption(), L"+");

    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)));
    EXPECT_TRUE(WaitUntil([&] { return IsTopmost(target_.Handle()); }));
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
    EXPECT_EQ(WaitForValue([&] { return toolbar_.PinCaption(); }, std::wstring(L"-")), L"-");

    // With the target back in the foreground, the next ticks keep the caption
    // and the toolbar above the pinned target. (Right after the click Wine
    // may apply the target's move into the band after the toolbar's own, and
    // ticks change nothing while the toolbar is in the foreground.)
    ASSERT_TRUE(target_.BringToForeground());
    ASSERT_TRUE(WaitUntilFoldedOn(target_)) << Situation();
    EXPECT_TRUE(WaitUntil([&] { return ToolbarIsAbove(target_); }))
        << "toolbar at " << ZOrderIndex(toolbar_.Handle()) << ", target at "
        << ZOrderIndex(target_.Handle());
    EXPECT_EQ(WaitForValue([&] { return toolbar_.PinCaption(); }, std::wstring(L"-")), L"-");

    // The follower shows the list's verdict for each foreground window.
    ASSERT_TRUE(other_.BringToForeground());
    ASSERT_TRUE(WaitUntilFoldedOn(other_)) << Situation();
    EXPECT_EQ(WaitForValue([&] { return toolbar_.PinCaption(); }, std::wstring(L"+")), L"+");
    EXPECT_FALSE(IsTopmost(other_.Handle()));

    ASSERT_TRUE(target_.BringToForeground());
    ASSERT_TRUE(WaitUntilFoldedOn(target_)) << Situation();
    EXPECT_EQ(WaitForValue([&] { return toolbar_.PinCaption(); }, std::wstring(L"-")), L"-");
    EXPECT_TRUE(IsTopmost(target_.Handle()));

    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)));
    EXPECT_TRUE(WaitUntil([&] { return !IsTopmost(target_.Handle()); }));
    EXPECT_EQ(WaitForValue([&] { return toolbar_.PinCaption(); }, std::wstring(L"+")), L"+");
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
}

TEST_F(Pin, PinnedTargetStaysAboveOrdinaryWindows) {
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kPinButton)));
    ASSERT_TRUE(WaitUntil([&] { return IsTopmost(target_.Handle()); }));

    ASSERT_TRUE(other_.BringToForeground());
    EXPECT_TRUE(WaitUntilFoldedOn(other_));
    EXPECT_LT(ZOrderIndex(target_.Handle()), ZOrderIndex(other_.Handle()));
    EXPECT_TRUE(WaitUntil([&] { return ToolbarIsAbove(target_); }));
}

}  // namespace
}  // namespace brumelis::e2e
