// The instance check and the topmost switch, over the simulated desktop.
#include <gtest/gtest.h>

#include "base/failure.h"
#include "platform/fake/fake_desktop.h"
#include "platform/fake/fake_toolkit.h"
#include "toolbar/toolbar_layout.h"
#include "utilities/window_utilities.h"

namespace brumelis {
namespace {

const Text k118(118, u'T');

struct InstanceCase {
    const char* why;
    std::vector<Text> others;  // other windows' titles, bottom first
    Text title;
    DynamicValue allowance;
    bool expected;
};

class AlreadyRunningTest : public ::testing::TestWithParam<InstanceCase> {};

// The caller's own form window is titled "caller" here, so only `others` match.
TEST_P(AlreadyRunningTest, CountsMatchingTitles) {
    const InstanceCase& c = GetParam();
    FakeDesktop desktop;
    FormLayout layout = ToolbarLayout();
    layout.caption = u"caller";
    FakeToolkit toolkit(desktop, layout);
    for (const Text& title : c.others) desktop.AddWindow(title);
    EXPECT_EQ(AlreadyRunning(desktop, toolkit, toolkit.Window(), c.title, c.allowance), c.expected)
        << c.why;
}

const DynamicValue kTwo(std::int16_t{2});
const DynamicValue kZero(std::int16_t{0});

INSTANTIATE_TEST_SUITE_P(
    Cases, AlreadyRunningTest,
    ::testing::Values(
        InstanceCase{"two matches are allowed", {u"B", u"x", u"B"}, u"B", kTwo, false},
        InstanceCase{"the third match", {u"B", u"B", u"B"}, u"B", kTwo, true},
        InstanceCase{"allowance 0: the first match", {u"B"}, u"B", kZero, true},
        InstanceCase{"allowance 0, no match", {u"b", u"BB", u" B"}, u"B", kZero, false},
        InstanceCase{"letter case differs", {u"BRUMELIS"}, u"Brumelis", kZero, false},
        InstanceCase{"title of exactly 118", {k118}, k118, kZero, true},
        InstanceCase{"title past 118 compares its first 118", {k118 + u"XYZ"}, k118, kZero, true},
        InstanceCase{"a title past 118 never matches", {k118 + u"X"}, k118 + u"X", kZero, false},
        InstanceCase{"empty title matches an empty title", {u""}, u"", kZero, true},
        InstanceCase{"accented title", {u"Déjà"}, u"Déjà", kZero, true},
        InstanceCase{"32-bit allowance", {u"B", u"B"}, u"B", DynamicValue(std::int32_t{1}), true},
        InstanceCase{"real allowance 0.5", {u"B"}, u"B", DynamicValue(0.5f), true},
        InstanceCase{"null allowance never runs out",
                     {u"B", u"B", u"B"},
                     u"B",
                     DynamicValue::Null(),
                     false}));

TEST(AlreadyRunningWalk, ATitleQueryThatWritesNothingSkipsTheWindow) {
    FakeDesktop desktop;
    FakeToolkit toolkit(desktop, ToolbarLayout());
    // A buffer left without NUL is not a match, even for an empty title.
    const WindowHandle silent = desktop.AddWindow(u"");
    desktop.SetTitleReadable(silent, false);
    EXPECT_FALSE(
        AlreadyRunning(desktop, toolkit, toolkit.Window(), u"", DynamicValue(std::int16_t{0})));
}

TEST(AlreadyRunningWalk, LetsPendingEventsRunAfterEachWindowInZOrder) {
    FakeDesktop desktop;
    FakeToolkit toolkit(desktop, ToolbarLayout());
    desktop.AddWindow(u"a");
    desktop.AddWindow(u"b");
    int passes = 0;
    toolkit.OnDoEvents([&] { ++passes; });
    EXPECT_FALSE(
        AlreadyRunning(desktop, toolkit, toolkit.Window(), u"z", DynamicValue(std::int16_t{0})));
    EXPECT_EQ(passes, 4);  // b, a, the toolbar, its owner
}

TEST(AlreadyRunningWalk, StopsAtTheMatchThatDecides) {
    FakeDesktop desktop;
    FakeToolkit toolkit(desktop, ToolbarLayout());
    desktop.AddWindow(u"B");
    int passes = 0;
    toolkit.OnDoEvents([&] { ++passes; });
    EXPECT_TRUE(
        AlreadyRunning(desktop, toolkit, toolkit.Window(), u"B", DynamicValue(std::int16_t{0})));
    EXPECT_EQ(passes, 0);
}

TEST(AlreadyRunningWalk, AnAllowanceWithoutNumberFailsToTheCaller) {
    FakeDesktop desktop;
    FakeToolkit toolkit(desktop, ToolbarLayout());
    desktop.AddWindow(u"B");
    EXPECT_THROW(AlreadyRunning(desktop, toolkit, toolkit.Window(), u"B", DynamicValue(u"deux")),
                 Failure);
}

}  // namespace
}  // namespace brumelis
