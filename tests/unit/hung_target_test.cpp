// A target whose program has stopped answering: no handler waits for it, and
// what the user asked for has happened once it wakes up.
#include <functional>

#include "tests/unit/toolbar_fixture.h"

namespace brumelis {
namespace {

constexpr Twips kSliderHeight = 1335;

// Public, for the table's steps.
class HungTargetTest : public ToolbarTest {
public:
    using ToolbarTest::Collapsed;
    using ToolbarTest::desktop;
    using ToolbarTest::toolbar;
    using ToolbarTest::toolkit;
    using ToolbarTest::Unfold;

    WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {10, 10, 400, 300});
    void SetUp() override { LoadAndFollow(editor); }
    void Move(Twips y) { toolkit.MouseMove(kSlider, {1, 0, 100, y}); }
    void Pin() {
        Unfold();
        toolkit.Click(kPinButton);
    }
    std::optional<std::uint8_t> Alpha() { return desktop.Get(editor).alpha; }
    bool Layered() { return (desktop.Get(editor).exStyle & win::kLayeredStyle) != 0; }
};

struct HungCase {
    const char* why;
    std::function<void(HungTargetTest&)> before;  // while the target answers
    std::function<void(HungTargetTest&)> action;  // while it sleeps
    std::function<bool(HungTargetTest&)> done;    // once it has woken up
};

void PrintTo(const HungCase& c, std::ostream* out) {
    *out << c.why;
}

class HungTargetActionTest : public HungTargetTest,
                             public ::testing::WithParamInterface<HungCase> {};

TEST_P(HungTargetActionTest, NothingWaitsForTheTargetAndItAllHappensOnWaking) {
    const HungCase& c = GetParam();
    if (c.before) c.before(*this);
    desktop.Hang(editor);

    c.action(*this);

    EXPECT_EQ(desktop.WaitingCalls(), 0) << c.why;
    desktop.Wake(editor);
    EXPECT_TRUE(c.done(*this)) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Actions, HungTargetActionTest,
    ::testing::Values(
        HungCase{"pin", nullptr, [](HungTargetTest& f) { f.Pin(); },
                 [](HungTargetTest& f) { return f.desktop.IsTopmost(f.editor); }},
        HungCase{"unpin", [](HungTargetTest& f) { f.Pin(); }, [](HungTargetTest& f) { f.Pin(); },
                 [](HungTargetTest& f) { return !f.desktop.IsTopmost(f.editor); }},
        HungCase{"slider drag: the last alpha wins", [](HungTargetTest& f) { f.Unfold(); },
                 [](HungTargetTest& f) {
                     for (Twips y : {Twips{0}, kSliderHeight / 2, kSliderHeight}) f.Move(y);
                 },
                 [](HungTargetTest& f) { return f.Layered() && f.Alpha() == 0; }},
        HungCase{"slider drag over a window already layered",
                 [](HungTargetTest& f) {
                     f.Unfold();
                     f.Move(0);
                 },
                 [](HungTargetTest& f) { f.Move(kSliderHeight / 2); },
                 [](HungTargetTest& f) { return f.Alpha() == 128; }},
        HungCase{"slider double click", [](HungTargetTest& f) { f.Unfold(); },
                 [](HungTargetTest& f) { f.toolkit.DoubleClick(kSlider); },
                 [](HungTargetTest& f) { return f.Layered() && f.Alpha() == 255; }},
        HungCase{
            "panel click", [](HungTargetTest& f) { f.Unfold(); },
            [](HungTargetTest& f) { f.toolkit.Click(kPanel); },
            [](HungTargetTest& f) { return f.Layered() && f.Alpha() == 255 && f.Collapsed(); }}));

// Every move but the first finds the window layered and writes no style.
TEST_F(HungTargetTest, OnlyTheFirstMoveOfADragWritesTheStyle) {
    Unfold();
    long before = desktop.CallCount();
    Move(0);
    EXPECT_EQ(desktop.CallCount() - before, 3);  // read, write, alpha
    before = desktop.CallCount();
    Move(kSliderHeight / 2);
    EXPECT_EQ(desktop.CallCount() - before, 2);  // read, alpha
    EXPECT_EQ(Alpha(), 128);
}

TEST_F(HungTargetTest, TheToolbarsOwnBandChangeIsImmediate) {
    Pin();
    EXPECT_TRUE(desktop.IsTopmost(toolbar()));
    desktop.Hang(editor);
    desktop.SetForeground(editor);
    toolkit.Tick();
    EXPECT_EQ(desktop.WaitingCalls(), 0);
    EXPECT_TRUE(desktop.IsAbove(toolbar(), editor));
}

}  // namespace
}  // namespace brumelis
