// Two copies started at the same moment: exactly one toolbar runs, and the
// other says so and ends when its box is answered.
#include <gtest/gtest.h>

#include "tests/e2e/message_box.h"
#include "tests/e2e/toolbar_process.h"

namespace brumelis::e2e {
namespace {

using namespace test_support;

const std::wstring kAlreadyRunning = L"Brumelis est déjà lancé.";

class DoubleStart : public testing::TestWithParam<int> {};

TEST_P(DoubleStart, ExactlyOneToolbarRunsAndTheOtherCopySaysSoAndEnds) {
    ToolbarProcess copies[2]{ToolbarProcess(ToolbarProcess::Start::Suspended),
                             ToolbarProcess(ToolbarProcess::Start::Suspended)};
    for (ToolbarProcess& copy : copies) ASSERT_TRUE(copy.Started()) << copy.StartError();
    for (ToolbarProcess& copy : copies) copy.Resume();

    // Settled: each copy shows its toolbar or its box, or has ended.
    int toolbars = 0;
    int boxes = 0;
    const bool settled = WaitUntil(
        [&] {
            toolbars = boxes = 0;
            int ended = 0;
            for (const ToolbarProcess& copy : copies) {
                if (!copy.IsRunning())
                    ++ended;
                else if (copy.FindToolbar() != nullptr)
                    ++toolbars;
                else if (FindMessageBox(copy.Id()) != nullptr)
                    ++boxes;
            }
            return toolbars + boxes + ended == 2 && ended == 0;
        },
        kStartTimeout);
    ASSERT_TRUE(settled) << "toolbars " << toolbars << ", boxes " << boxes;
    std::printf("[ OUTCOME  ] toolbars %d, boxes %d\n", toolbars, boxes);
    ASSERT_EQ(toolbars, 1) << "boxes " << boxes;
    ASSERT_EQ(boxes, 1);

    const ToolbarProcess& loser = copies[FindMessageBox(copies[0].Id()) != nullptr ? 0 : 1];
    const ToolbarProcess& winner = copies[&loser == &copies[0] ? 1 : 0];
    const MessageBoxContents box = ReadMessageBox(FindMessageBox(loser.Id()));
    EXPECT_EQ(box.text, kAlreadyRunning);
    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(loser.WaitForExit());
    EXPECT_TRUE(winner.IsRunning());
    EXPECT_NE(winner.FindToolbar(), nullptr);
}

INSTANTIATE_TEST_SUITE_P(TwentyTimes, DoubleStart, testing::Range(1, 21));

}  // namespace
}  // namespace brumelis::e2e
