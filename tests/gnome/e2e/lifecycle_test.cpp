// The extension's own life while the program runs: while it is off "+" and
// the slider say "not possible now", once, and change nothing, and the keys
// do nothing; back, the tile follows the focus again and the keys act.
#include <cstdlib>

#include "tests/gnome/test_shell.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

constexpr char kMoreTransparent[] = "Super+Ctrl+Shift+PageDown";

struct Outage {
    void (*set)(gnome_tests::TestShell&, bool off);
    bool updated = false;  // the program's file replaced first: "… (deleted)"
};

class ExtensionOutage : public ToolbarScenario, public testing::WithParamInterface<Outage> {
protected:
    void TearDown() override { GetParam().set(shell_, false); }
    bool Runs() {
        return shell_.CallBrumelis("Follow", "").find("AccessDenied") != std::string::npos;
    }
    gnome_tests::TestShell shell_;
};

TEST_P(ExtensionOutage, NothingChangesDuringItAndTheTileFollowsAfterIt) {
    const std::string program = BRUMELIS_PROGRAM;
    const std::string update =
        "cp -p " + program + " " + program + ".new && mv " + program + ".new " + program;
    ASSERT_TRUE(!GetParam().updated || std::system(update.c_str()) == 0);
    GetParam().set(shell_, true);
    ASSERT_TRUE(WaitUntil([&] { return !Runs(); })) << "the extension stayed on";
    ASSERT_TRUE(Unfold() && ClickOn(kPinButton));
    ASSERT_TRUE(AnswerBox(Answer::Ok)) << "\"not possible now\" was not said";
    EXPECT_TRUE(CaptionBecomes("+"));
    ASSERT_TRUE(FoldedOn(target_) && Unfold() && DragOnSlider(10, 60));
    EXPECT_TRUE(HoldsFor([&] { return !brumelis_->Box(); })) << "told twice";
    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_TRUE(other != 0 && BringToForeground(other));  // unseen while off
    ASSERT_TRUE(driver_->PressKeys(other, kMoreTransparent));
    EXPECT_TRUE(HoldsFor([&] { return !driver_->Alpha(other) && !brumelis_->Box(); }))
        << "a key acted, or was told, while off";

    GetParam().set(shell_, false);
    ASSERT_TRUE(WaitUntil([&] { return Runs(); })) << "the extension did not come back";
    EXPECT_TRUE(FoldedOn(other)) << "the tile did not follow again";
    ASSERT_TRUE(Unfold() && ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(other); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
    EXPECT_FALSE(driver_->IsKeptAbove(target_) || driver_->Alpha(target_)) << "kept for later";
    ASSERT_TRUE(driver_->PressKeys(other, kMoreTransparent));
    EXPECT_EQ(WaitForValue([&] { return driver_->Alpha(other); }, std::optional<int>(230)), 230)
        << "the keys were not taken again";
}

void Lock(gnome_tests::TestShell& shell, bool off) {
    shell.Lock(off);
}
void Disable(gnome_tests::TestShell& shell, bool off) {
    shell.SetBrumelisEnabled(!off);
}

// /0 the screen locked, /1 the extension disabled, /2 locked after an update.
INSTANTIATE_TEST_SUITE_P(Gnome, ExtensionOutage,
                         testing::Values(Outage{Lock}, Outage{Disable}, Outage{Lock, true}));

}  // namespace
}  // namespace brumelis::scenarios
