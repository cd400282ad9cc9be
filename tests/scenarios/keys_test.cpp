// The toolbar's keys, pressed with real input on the foreground window:
// what the pin button and the slider would do, and a key another program
// holds told once with the one to use instead.
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

constexpr char kPin[] = "Super+Ctrl+Shift+A";
constexpr char kPinInstead[] = "Super+Ctrl+Alt+A";
constexpr char kMoreTransparent[] = "Super+Ctrl+Shift+PageDown";
constexpr char kLessTransparent[] = "Super+Ctrl+Shift+PageUp";
constexpr char kOpaque[] = "Super+Ctrl+Shift+Home";

class Keys : public ToolbarScenario {
protected:
    // The window's alpha and, where a screen reader can read it, the
    // slider's value in percent.
    void ExpectOpacity(int alpha, int percent) {
        EXPECT_EQ(WaitForValue([&] { return driver_->Alpha(target_); }, std::optional<int>(alpha)),
                  alpha);
        if (!readsValue_) return;
        EXPECT_EQ(
            WaitForValue([&] { return brumelis_->SliderValue(); }, std::optional<int>(percent)),
            percent);
    }
    bool readsValue_ = false;
};

TEST_F(Keys, EachKeyActsOnTheForegroundWindowAsTheMouseWould) {
    readsValue_ = brumelis_->SliderValue() == 100;
    if (!driver_->PressKeys(target_, kMoreTransparent)) GTEST_SKIP() << "no keyboard here";
    if (!driver_->ShowsOpacity()) {
        ASSERT_TRUE(AnswerBox(Answer::Ok));
    }
    // A tenth of the slider each: 255, 230, 204...
    ExpectOpacity(230, 90);
    ASSERT_TRUE(driver_->PressKeys(target_, kMoreTransparent));
    ExpectOpacity(204, 80);
    ASSERT_TRUE(driver_->PressKeys(target_, kLessTransparent));
    ExpectOpacity(230, 90);
    ASSERT_TRUE(driver_->PressKeys(target_, kOpaque));
    ExpectOpacity(255, 100);
    ASSERT_TRUE(driver_->PressKeys(target_, kPin));
    if (!driver_->KeepsWindowsAbove()) {
        ASSERT_TRUE(AnswerBox(Answer::Ok));
        EXPECT_TRUE(CaptionBecomes("+"));
        return;
    }
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target_); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
    ASSERT_TRUE(driver_->PressKeys(target_, kPin));
    EXPECT_TRUE(WaitUntil([&] { return !driver_->IsKeptAbove(target_); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("+"));
    EXPECT_FALSE(brumelis_->Box()) << "nothing to tell";
}

using HeldKeys = DriverTest;

TEST_F(HeldKeys, AKeyAnotherProgramHoldsIsToldOnceAndTheOthersWork) {
    const WindowId target = driver_->OpenTarget("Cible A", kFirstTargetPlace);
    ASSERT_NE(0u, target);
    ASSERT_TRUE(driver_->BringToForeground(target));
    if (!driver_->HoldKeys(kPin)) GTEST_SKIP() << "this driver cannot hold keys";
    const std::unique_ptr<ToolbarCopy> brumelis = driver_->StartCopy();
    std::optional<MessageBoxReading> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = brumelis->Box()).has_value(); }, kStartTimeout));
    if (box->text) {
        EXPECT_NE(box->text->find("Ctrl+Maj+A (garder"), std::string::npos) << *box->text;
        EXPECT_NE(box->text->find("Ctrl+Alt+A à la place"), std::string::npos) << *box->text;
        EXPECT_EQ(box->text->find("Page"), std::string::npos) << "only the held key";
    }
    ASSERT_TRUE(brumelis->Answer(*box, Answer::Ok));
    ASSERT_TRUE(WaitUntil([&] { return brumelis->Toolbar() != 0; }, kStartTimeout));

    ASSERT_TRUE(driver_->PressKeys(target, kPinInstead));
    if (driver_->KeepsWindowsAbove()) {
        EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(target); }));
    } else {  // told as a click would be
        ASSERT_TRUE(WaitUntil([&] { return (box = brumelis->Box()).has_value(); }));
        ASSERT_TRUE(brumelis->Answer(*box, Answer::Ok));
    }
    ASSERT_TRUE(driver_->PressKeys(target, kMoreTransparent));
    if (!driver_->ShowsOpacity()) {  // told as a drag would be
        ASSERT_TRUE(WaitUntil([&] { return (box = brumelis->Box()).has_value(); }));
        ASSERT_TRUE(brumelis->Answer(*box, Answer::Ok));
    }
    EXPECT_EQ(WaitForValue([&] { return driver_->Alpha(target); }, std::optional<int>(230)), 230);
    EXPECT_TRUE(HoldsFor([&] { return !brumelis->Box(); })) << "told once";
}

}  // namespace
}  // namespace brumelis::scenarios
