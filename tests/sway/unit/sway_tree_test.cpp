// The tree sway sends, as recorded from sway 1.7 (tests/sway/replies,
// tests/sway/record-replies.sh), read into windows and visible frames.
#include <gtest/gtest.h>

#include "platform/sway/sway_tree.h"
#include "tests/sway/unit/recorded_replies.h"

namespace brumelis {
namespace {

using sway_tests::RecordedReply;

struct CornerCase {
    const char* reply;
    const char* title;
    ScreenRect frame;
    ScreenRect output;
    const char* why;
};

// Each frame is where the recording put the window's visible top-left
// corner (move position X Y, relative to its output) and the size sway
// draws, title bar included.
const CornerCase kCorners[] = {
    {"floating-normal",
     "Premier",
     {100, 150, 504, 479},
     {0, 0, 1280, 800},
     "normal border: the title bar (deco_rect) sits above rect"},
    {"floating-pixel",
     "Premier",
     {200, 100, 606, 406},
     {0, 0, 1280, 800},
     "pixel border: rect is the frame, deco_rect empty"},
    {"floating-none",
     "Premier",
     {300, 200, 700, 500},
     {0, 0, 1280, 800},
     "no border: rect is the window"},
    {"fullscreen",
     "Premier",
     {0, 0, 1280, 800},
     {0, 0, 1280, 800},
     "fullscreen: no title bar even with a normal border"},
    {"tiled", "Premier", {0, 0, 640, 800}, {0, 0, 1280, 800}, "tiled, left half"},
    {"tiled", "Second", {640, 0, 1280, 800}, {0, 0, 1280, 800}, "tiled, right half"},
    {"stacked",
     "Second",
     {0, 0, 1280, 800},
     {0, 0, 1280, 800},
     "stacked: one title bar per sibling above the window"},
    {"two-outputs",
     "Premier",
     {1380, 40, 1786, 370},
     {1280, 0, 2080, 600},
     "second output: rect in the layout, deco_rect relative to the output"},
};

class SwayCorner : public testing::TestWithParam<CornerCase> {};

TEST_P(SwayCorner, VisibleFrameAndOutput) {
    const CornerCase& row = GetParam();
    const auto tree = ParseSwayTree(RecordedReply(row.reply));
    ASSERT_TRUE(tree) << row.reply;
    const Text title(row.title, row.title + std::char_traits<char>::length(row.title));
    const auto window = std::find_if(tree->windows.begin(), tree->windows.end(),
                                     [&](const SwayWindow& w) { return w.title == title; });
    ASSERT_NE(window, tree->windows.end()) << row.why;
    EXPECT_EQ(window->frame.left, row.frame.left) << row.why;
    EXPECT_EQ(window->frame.top, row.frame.top) << row.why;
    EXPECT_EQ(window->frame.right, row.frame.right) << row.why;
    EXPECT_EQ(window->frame.bottom, row.frame.bottom) << row.why;
    EXPECT_EQ(window->output.left, row.output.left) << row.why;
    EXPECT_EQ(window->output.right, row.output.right) << row.why;
}

INSTANTIATE_TEST_SUITE_P(Recorded, SwayCorner, testing::ValuesIn(kCorners));

TEST(SwayTree, TheFocusedWindowIsTheOneSwayMarks) {
    EXPECT_EQ(ParseSwayTree(RecordedReply("tiled"))->focused, 6);
    EXPECT_EQ(ParseSwayTree(RecordedReply("closed"))->focused, 5);
}

TEST(SwayTree, AWindowClosedBetweenTwoRepliesIsGoneFromTheSecond) {
    const auto before = ParseSwayTree(RecordedReply("tiled"));
    const auto after = ParseSwayTree(RecordedReply("closed"));
    ASSERT_TRUE(before && after);
    EXPECT_NE(before->Find(6), nullptr);
    EXPECT_EQ(after->Find(6), nullptr);
    EXPECT_EQ(after->windows.size(), 1u);
}

TEST(SwayTree, FloatingWindowsComeBeforeTiledOnes) {
    const auto tree = ParseSwayTree(
        R"({"type":"root","nodes":[{"type":"output","rect":{"x":0,"y":0,"width":10,"height":10},
        "nodes":[{"type":"workspace","nodes":[{"id":1,"app_id":"a","name":"tiled"}],
        "floating_nodes":[{"id":2,"app_id":"b","name":"lower"},{"id":3,"app_id":"c","name":null}]}]}]})");
    ASSERT_TRUE(tree);
    ASSERT_EQ(tree->windows.size(), 3u);
    EXPECT_EQ(tree->windows[0].id, 3) << "the last floated is on top";
    EXPECT_FALSE(tree->windows[0].title) << "a null name reads as no title";
    EXPECT_EQ(tree->windows[1].id, 2);
    EXPECT_EQ(tree->windows[2].id, 1);
}

TEST(SwayTree, WhatIsNoTreeReadsAsNothing) {
    for (const char* text : {"", "{", "[]", R"({"type":"workspace"})", "null"}) {
        EXPECT_FALSE(ParseSwayTree(text)) << text;
    }
}

TEST(SwayTree, TitlesAreReadAsUtf8AndMendedWhereMalformed) {
    const auto tree = ParseSwayTree(
        "{\"type\":\"root\",\"nodes\":[{\"id\":4,\"app_id\":\"x\",\"name\":\"Fen\xc3\xaatre "
        "\xe2\x82\xac\"}]}");
    ASSERT_TRUE(tree && tree->Find(4));
    EXPECT_EQ(*tree->Find(4)->title, u"Fenêtre €");
}

TEST(SwayEvents, AFocusEventNamesTheWindow) {
    const auto event = ParseSwayWindowEvent(RecordedReply("event-focus"));
    ASSERT_TRUE(event);
    EXPECT_EQ(event->change, "focus");
    EXPECT_EQ(event->window.id, 5);
    EXPECT_EQ(event->window.frame.top, 0) << "one title bar above rect";
}

TEST(SwayEvents, CommandAnswers) {
    EXPECT_TRUE(SwayCommandSucceeded(R"([{"success":true}])"));
    EXPECT_FALSE(SwayCommandSucceeded(R"([{"success":true},{"success":false,"error":"x"}])"));
    EXPECT_FALSE(SwayCommandSucceeded("[]"));
    EXPECT_FALSE(SwayCommandSucceeded("oops"));
}

}  // namespace
}  // namespace brumelis
