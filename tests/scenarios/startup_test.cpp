// The presentation box and its answers, and the single-instance rule: a
// second copy, and two copies started at the same moment.
#include <algorithm>
#include <cstdio>

#include "tests/scenarios/toolbar_scenario.h"

namespace brumelis::scenarios {
namespace {

const std::string kApplicationTitle = "Brumelis";
const std::string kAlreadyRunning = u8"Brumelis est déjà lancé.";
const std::string kPresentationTitle = "ZOLVEC Quintrel www.zolvec.example";
const std::string kPresentation =
    u8"ZOLVEC Quintrel vous propose L'OUTIL sympathique qui permet de gérer les fenêtres de "
    u8"Windows. Cliquez sur OUI pour continuer ou NON pour quitter Brumelis";

// A part of a box that the driver cannot read is not compared.
template <class T>
void ExpectWhereRead(const T& expected, const std::optional<T>& seen) {
    if (seen) {
        EXPECT_EQ(expected, *seen);
    }
}

// The buttons a box offers; each platform lays them out in its own order
// (GTK puts Yes right of No).
std::optional<std::vector<Answer>> Offered(std::optional<std::vector<Answer>> buttons) {
    if (buttons) std::sort(buttons->begin(), buttons->end());
    return buttons;
}

// The box that reports another running copy: OK only, no icon.
void ExpectAlreadyRunningBox(const MessageBoxReading& box) {
    EXPECT_EQ(kApplicationTitle, box.title);
    ExpectWhereRead(kAlreadyRunning, box.text);
    ExpectWhereRead({Answer::Ok}, box.buttons);
    ExpectWhereRead(false, box.showsIcon);
}

struct PresentationAnswer {
    const char* name;
    Answer answer;
    bool ends;
};

void PrintTo(const PresentationAnswer& row, std::ostream* out) {
    *out << row.name;
}

class Presentation : public ToolbarScenario,
                     public testing::WithParamInterface<PresentationAnswer> {};

TEST_P(Presentation, DoubleClickOnTheRedSquareTogglesThenAsks) {
    ASSERT_TRUE(DoubleClickOn(kRedSquare));
    std::optional<MessageBoxReading> box;
    ASSERT_TRUE(WaitUntil([&] { return (box = brumelis_->Box()).has_value(); }))
        << "no presentation box; " << Situation();
    EXPECT_EQ(kPresentationTitle, box->title);
    ExpectWhereRead(kPresentation, box->text);
    ExpectWhereRead(*Offered({{Answer::Yes, Answer::No}}), Offered(box->buttons));
    if (box->buttons) {
        EXPECT_EQ(Answer::Yes, box->defaultButton) << "Yes is the default button";
    }
    ExpectWhereRead(false, box->showsIcon);
    // Each release was a click: unfolded by the first, folded by the second.
    EXPECT_EQ(kFoldedSize, ToolbarSize());

    ASSERT_TRUE(brumelis_->Answer(*box, GetParam().answer));
    if (GetParam().ends) {
        EXPECT_TRUE(brumelis_->WaitForExit()) << "the program went on after No";
        EXPECT_EQ(0, brumelis_->ExitCode().value_or(-1));
        return;
    }
    EXPECT_TRUE(WaitUntil([&] { return !brumelis_->Box(); }));
    EXPECT_TRUE(brumelis_->IsRunning());
    // Still at work: the red square still unfolds the panel.
    ASSERT_TRUE(BringToForeground(target_));
    ASSERT_TRUE(FoldedOn(target_));
    EXPECT_TRUE(Unfold());
}

INSTANTIATE_TEST_SUITE_P(Answers, Presentation,
                         testing::Values(PresentationAnswer{"NoEndsTheProgram", Answer::No, true},
                                         PresentationAnswer{"YesLeavesItRunning", Answer::Yes,
                                                            false}),
                         [](const auto& row) { return std::string(row.param.name); });

using SingleInstance = ToolbarScenario;

TEST_F(SingleInstance, SecondCopyShowsItsMessageAndEndsOnOkWhileTheFirstRunsOn) {
    const std::unique_ptr<ToolbarCopy> second = driver_->StartCopy();
    ASSERT_TRUE(second->Started());
    std::optional<MessageBoxReading> box;
    WaitUntil([&] { return (box = second->Box()).has_value() || !second->IsRunning(); },
              kStartTimeout);
    ASSERT_TRUE(box) << "no message box; second copy running: " << second->IsRunning();
    ExpectAlreadyRunningBox(*box);
    EXPECT_EQ(0u, second->Toolbar()) << "the second copy showed a toolbar";

    ASSERT_TRUE(second->Answer(*box, Answer::Ok));
    EXPECT_TRUE(second->WaitForExit()) << "the second copy went on after its message";
    EXPECT_EQ(0, second->ExitCode().value_or(-1));
    EXPECT_TRUE(brumelis_->IsRunning());
    EXPECT_EQ(toolbar_, brumelis_->Toolbar());
}

// Two copies started at the same moment: exactly one toolbar runs, and the
// other says so and ends when its box is answered.
class DoubleStart : public DriverTest, public testing::WithParamInterface<int> {};

TEST_P(DoubleStart, ExactlyOneToolbarRunsAndTheOtherCopySaysSoAndEnds) {
    std::vector<std::unique_ptr<ToolbarCopy>> copies = driver_->StartTogether(2);
    for (const auto& copy : copies) ASSERT_TRUE(copy->Started());

    // Settled: each copy shows its toolbar or its box, or has ended.
    int toolbars = 0;
    int boxes = 0;
    int ended = 0;
    const bool settled = WaitUntil(
        [&] {
            toolbars = boxes = ended = 0;
            for (const auto& copy : copies) {
                if (!copy->IsRunning())
                    ++ended;
                else if (copy->Toolbar() != 0)
                    ++toolbars;
                else if (copy->Box())
                    ++boxes;
            }
            return toolbars + boxes + ended == 2;
        },
        kStartTimeout);
    ASSERT_TRUE(settled) << "toolbars " << toolbars << ", boxes " << boxes;
    std::printf("[ OUTCOME  ] toolbars %d, boxes %d, ended %d\n", toolbars, boxes, ended);
    ASSERT_EQ(1, toolbars) << "boxes " << boxes << ", ended " << ended;
    ASSERT_EQ(1, boxes) << "ended " << ended;

    ToolbarCopy& loser = *copies[copies[0]->Box() ? 0 : 1];
    ToolbarCopy& winner = *copies[&loser == copies[0].get() ? 1 : 0];
    const std::optional<MessageBoxReading> box = loser.Box();
    ASSERT_TRUE(box);
    ExpectAlreadyRunningBox(*box);
    ASSERT_TRUE(loser.Answer(*box, Answer::Ok));
    EXPECT_TRUE(loser.WaitForExit());
    EXPECT_TRUE(winner.IsRunning());
    EXPECT_NE(0u, winner.Toolbar());
}

INSTANTIATE_TEST_SUITE_P(TwentyTimes, DoubleStart, testing::Range(1, 21));

}  // namespace
}  // namespace brumelis::scenarios
