// The toolbar through its extension's own life while the program runs: the
// screen locked and unlocked (the Shell's unlock-dialog session mode), the
// extension disabled and enabled by the user, a lock after an update replaced
// the program's file. While it is off "+" and the slider say "not possible
// now", once, and change nothing; back, the tile follows the focus again.
#include <cstdlib>
#include <functional>
#include <string>

#include "tests/gnome/test_shell.h"
#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

struct Outage {
    const char* name;
    std::function<void(gnome_tests::TestShell&, bool off)> set;
    bool updated = false;  // the program's file replaced first: "… (deleted)"
};

class ExtensionOutage : public ToolbarScenario, public testing::WithParamInterface<Outage> {
protected:
    void TearDown() override { GetParam().set(shell_, false); }
    // A running extension refuses the test program; an off one does not answer.
    bool ExtensionRuns() {
        return shell_.CallBrumelis("Follow", "") == "org.freedesktop.DBus.Error.AccessDenied";
    }
    gnome_tests::TestShell shell_;
};

TEST_P(ExtensionOutage, NothingChangesDuringItAndTheTileFollowsAfterIt) {
    const std::string program = BRUMELIS_PROGRAM;
    const std::string replace =
        "cp -p " + program + " " + program + ".new && mv " + program + ".new " + program;
    ASSERT_TRUE(!GetParam().updated || std::system(replace.c_str()) == 0);
    GetParam().set(shell_, true);
    ASSERT_TRUE(WaitUntil([&] { return !ExtensionRuns(); })) << "the extension stayed on";
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    ASSERT_TRUE(AnswerBox(Answer::Ok)) << "\"not possible now\" was not said";
    EXPECT_TRUE(CaptionBecomes("+"));
    ASSERT_TRUE(FoldedOn(target_)) << "the tile stays where it was";
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(DragOnSlider(10, 60));
    EXPECT_TRUE(HoldsFor([&] { return !brumelis_->Box(); })) << "told twice";
    // The focus moves while the extension is off: nothing can say so.
    const WindowId other = driver_->OpenTarget("Cible B", kSecondTargetPlace);
    ASSERT_TRUE(other != 0 && BringToForeground(other));

    GetParam().set(shell_, false);
    ASSERT_TRUE(WaitUntil([&] { return ExtensionRuns(); })) << "the extension did not come back";
    EXPECT_TRUE(FoldedOn(other)) << "the tile did not follow again";
    ASSERT_TRUE(Unfold());
    ASSERT_TRUE(ClickOn(kPinButton));
    EXPECT_TRUE(WaitUntil([&] { return driver_->IsKeptAbove(other); })) << Situation();
    EXPECT_TRUE(CaptionBecomes("-"));
    EXPECT_FALSE(driver_->IsKeptAbove(target_)) << "nothing kept for later";
    EXPECT_EQ(driver_->Alpha(target_), std::nullopt) << "nothing kept for later";
}

void Lock(gnome_tests::TestShell& shell, bool off) {
    shell.Lock(off);
}
void Disable(gnome_tests::TestShell& shell, bool off) {
    shell.SetBrumelisEnabled(!off);
}

INSTANTIATE_TEST_SUITE_P(Gnome, ExtensionOutage,
                         testing::Values(Outage{"ScreenLock", Lock},
                                         Outage{"DisabledByTheUser", Disable},
                                         Outage{"ScreenLockAfterAnUpdate", Lock, true}),
                         [](const testing::TestParamInfo<Outage>& row) {
                             return std::string(row.param.name);
                         });

}  // namespace
}  // namespace brumelis::scenarios
