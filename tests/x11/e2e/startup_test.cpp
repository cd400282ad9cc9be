// The presentation box and its answers, and the single-instance rule, with
// the boxes answered by real keys once the window manager has made them
// active.
#include "tests/x11/e2e/e2e_fixture.h"

namespace brumelis::x11_tests {
namespace {

const std::string kApplicationTitle = "Brumelis";
const std::string kPresentationTitle = "ZOLVEC Quintrel www.zolvec.example";

struct PresentationAnswer {
    const char* name;
    const char* mnemonic;  // Alt + this key presses the button
    bool ends;
};

void PrintTo(const PresentationAnswer& answer, std::ostream* out) {
    *out << answer.name;
}

class Presentation : public ToolbarTest, public testing::WithParamInterface<PresentationAnswer> {};

TEST_P(Presentation, DoubleClickOnTheRedSquareTogglesThenAsks) {
    ASSERT_TRUE(DoubleClickOn(OnToolbar(kRedSquare)));
    const XWindowId box = brumelis_->WaitForBox(kPresentationTitle);
    ASSERT_NE(0u, box) << "no presentation box; " << Situation();
    // Each release was a click: unfolded by the first, folded by the second.
    EXPECT_EQ(kFoldedSize, ToolbarSize());

    ASSERT_TRUE(Activate(box));
    x_.Key(GetParam().mnemonic, {"Alt_L"});
    if (GetParam().ends) {
        EXPECT_TRUE(brumelis_->WaitForExit()) << "the program went on after No";
        EXPECT_EQ(0, brumelis_->ExitCode().value_or(-1));
        return;
    }
    EXPECT_TRUE(WaitUntil([&] { return brumelis_->FindBox(kPresentationTitle) == 0; }));
    EXPECT_TRUE(brumelis_->IsRunning());
    // Still at work: the red square still unfolds the panel.
    ASSERT_TRUE(Activate(target_->Id()));
    ASSERT_TRUE(FoldedOn(target_->Id()));
    EXPECT_TRUE(Unfold());
}

INSTANTIATE_TEST_SUITE_P(Answers, Presentation,
                         testing::Values(PresentationAnswer{"NoEndsTheProgram", "n", true},
                                         PresentationAnswer{"YesLeavesItRunning", "y", false}),
                         [](const auto& answer) { return std::string(answer.param.name); });

using SingleInstance = ToolbarTest;

TEST_F(SingleInstance, SecondCopyShowsItsMessageAndEndsOnOkWhileTheFirstRunsOn) {
    ToolbarProgram second(x_);
    ASSERT_TRUE(second.Started());
    const XWindowId box = second.WaitForBox(kApplicationTitle);
    ASSERT_NE(0u, box) << "no message box; second copy running: " << second.IsRunning();
    EXPECT_EQ(0u, second.FindToolbar()) << "the second copy showed a toolbar";

    ASSERT_TRUE(Activate(box));
    x_.Key("Return");
    EXPECT_TRUE(second.WaitForExit()) << "the second copy went on after its message";
    EXPECT_EQ(0, second.ExitCode().value_or(-1));
    EXPECT_TRUE(brumelis_->IsRunning());
    EXPECT_EQ(toolbar_, brumelis_->FindToolbar());
}

}  // namespace
}  // namespace brumelis::x11_tests
