// The sway window system's requests and its cache, against a scripted
// socket: what a tick costs, what a drag's opacities cost, and how the
// cache follows moves that sway announces to no one.
#include <gtest/gtest.h>

#include "platform/sway/sway_window_system.h"
#include "tests/support/wait.h"
#include "tests/sway/unit/recorded_replies.h"
#include "tests/sway/unit/scripted_sway.h"

namespace brumelis::sway_tests {
namespace {

using std::chrono::milliseconds;

void Pump() {
    g_main_context_iteration(nullptr, FALSE);
}

// Runs the main loop until the condition holds (at most two seconds).
template <class Condition>
bool RunUntil(Condition condition) {
    return test_support::WaitUntil(condition, milliseconds(2000), [] {
        Pump();
        g_usleep(1000);
    });
}

// Runs the main loop for a while: for "nothing more happens".
void RunFor(milliseconds interval) {
    test_support::HoldsFor([] { return true; }, interval,
                           [] {
                               Pump();
                               g_usleep(1000);
                           });
}

class SwayWindowSystemTest : public testing::Test {
protected:
    void Connect(const std::string& reply) {
        sway_ = std::make_unique<ScriptedSway>(RecordedReply(reply));
        windows_ = SwayWindowSystem::Connect(sway_->Path());
        ASSERT_TRUE(windows_);
    }
    std::size_t Trees() { return sway_->Received(SwayMessageType::kGetTree).size(); }

    std::unique_ptr<ScriptedSway> sway_;
    std::unique_ptr<SwayWindowSystem> windows_;
};

TEST_F(SwayWindowSystemTest, ATickAsksForTheTreeOnceWhateverItLooksAt) {
    Connect("tiled");
    ASSERT_EQ(Trees(), 1u) << "the start reads the tree once";
    EXPECT_EQ(windows_->ForegroundWindow(), 6);
    EXPECT_TRUE(windows_->VisibleFrame(6));
    EXPECT_TRUE(windows_->VisibleFrame(5));
    EXPECT_EQ(windows_->ForegroundWindow(), 6);
    RunFor(milliseconds(50));
    EXPECT_EQ(Trees(), 2u) << "one request while its answer is on its way";
    windows_->ForegroundWindow();
    ASSERT_TRUE(RunUntil([&] { return Trees() == 3u; })) << "the next look asks again";
}

TEST_F(SwayWindowSystemTest, ADragsOpacitiesKeepOneCommandInFlightAndTheLatestWins) {
    Connect("tiled");
    for (int value = 10; value <= 100; value += 10) {
        EXPECT_EQ(windows_->SetOpacity(6, static_cast<std::uint8_t>(value)),
                  ChangeAnswer::kAccepted);
    }
    ASSERT_TRUE(
        RunUntil([&] { return sway_->Received(SwayMessageType::kRunCommand).size() == 2u; }));
    RunFor(milliseconds(50));
    const auto commands = sway_->Received(SwayMessageType::kRunCommand);
    ASSERT_EQ(commands.size(), 2u) << "the first move, then the last one asked meanwhile";
    EXPECT_EQ(commands[0], "[con_id=6] opacity 0.039");
    EXPECT_EQ(commands[1], "[con_id=6] opacity 0.392");
}

TEST_F(SwayWindowSystemTest, AMoveThatSwayDoesNotAnnounceIsSeenAtTheNextLook) {
    Connect("floating-normal");
    int moves = 0;
    windows_->WatchMoves(5, [&] { ++moves; });
    sway_->SetTree(RecordedReply("floating-pixel"));
    windows_->ForegroundWindow();
    ASSERT_TRUE(RunUntil([&] { return moves == 1; })) << "the answer shows it elsewhere";
    EXPECT_EQ(windows_->VisibleFrame(5)->left, 200);
    windows_->ForegroundWindow();
    RunFor(milliseconds(50));
    EXPECT_EQ(moves, 1) << "the same place again is no move";
}

TEST_F(SwayWindowSystemTest, AFocusEventCountsBeforeTheNextTree) {
    Connect("tiled");
    sway_->HoldTrees();
    sway_->SendEvent(SwayMessageType::kWindowEvent, RecordedReply("event-focus"));
    EXPECT_TRUE(RunUntil([&] { return windows_->ForegroundWindow() == 5; }));
}

TEST_F(SwayWindowSystemTest, AWindowGoneBetweenTwoTreesReadsAsNothing) {
    Connect("tiled");
    sway_->SetTree(RecordedReply("closed"));
    windows_->ForegroundWindow();
    ASSERT_TRUE(RunUntil([&] { return !windows_->VisibleFrame(6); }));
    EXPECT_EQ(windows_->ForegroundWindow(), 5);
    EXPECT_EQ(windows_->SetOpacity(6, 128), ChangeAnswer::kAccepted) << "nothing to refuse";
    windows_->Activate(6);
    RunFor(milliseconds(50));
    EXPECT_TRUE(sway_->Received(SwayMessageType::kRunCommand).empty()) << "nothing asked of it";
}

TEST_F(SwayWindowSystemTest, NoWindowCanBeKeptAboveAndActivationIsAFocusCommand) {
    Connect("tiled");
    EXPECT_EQ(windows_->KeepAbove(5, true), ChangeAnswer::kUnsupported);
    windows_->Activate(5);
    ASSERT_TRUE(RunUntil([&] { return !sway_->Received(SwayMessageType::kRunCommand).empty(); }));
    EXPECT_EQ(sway_->Received(SwayMessageType::kRunCommand)[0], "[con_id=5] focus");
}

// sway closing the connection: a change meanwhile is neither promised nor
// kept for later, and the backend subscribes again and follows.
TEST_F(SwayWindowSystemTest, AClosedConnectionIsOpenedAgainAndFollowedAgain) {
    Connect("tiled");
    sway_->DropClient();
    ASSERT_TRUE(RunUntil([&] { return windows_->SetOpacity(6, 10) == ChangeAnswer::kNotNow; }));
    ASSERT_TRUE(RunUntil([&] {
        return sway_->Received(SwayMessageType::kSubscribe).size() == 4u &&
               windows_->SetOpacity(6, 20) == ChangeAnswer::kAccepted;
    }));
    RunFor(milliseconds(50));
    EXPECT_EQ(sway_->Received(SwayMessageType::kRunCommand).back(), "[con_id=6] opacity 0.078");
    sway_->HoldTrees();
    sway_->SendEvent(SwayMessageType::kWindowEvent, RecordedReply("event-focus"));
    EXPECT_TRUE(RunUntil([&] { return windows_->ForegroundWindow() == 5; }));
}

TEST(SwayWindowSystem, NothingListeningMeansNoSway) {
    EXPECT_FALSE(SwayWindowSystem::Connect("/nonexistent/sway-ipc.sock"));
    EXPECT_FALSE(SwayWindowSystem::Connect(""));
}

}  // namespace
}  // namespace brumelis::sway_tests
