// The pin button: the topmost band, the caption and the pinned list.
#include "tests/unit/toolbar_fixture.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {
namespace {

Text Item(WindowHandle window) {
    const std::string digits = std::to_string(window);
    return u";" + Text(digits.begin(), digits.end()) + u";";
}

class PinCommandTest : public ToolbarTest {
protected:
    // Makes `target` the toolbar's target, its list `list`, its caption `shown`.
    void Prepare(WindowHandle target, const Text& list, const Text& shown) {
        toolkit.Load(form);
        for (std::size_t start = 0; start < list.size();) {
            const std::size_t end = list.find(u';', start + 1);
            const Text digits = list.substr(start + 1, end - start - 1);
            desktop.SetForeground(std::stoi(std::string(digits.begin(), digits.end())));
            toolkit.Tick();
            window().SetButtonCaption(kPinButton, u"+");
            toolkit.Click(kPinButton);
            start = end + 1;
        }
        ASSERT_EQ(form.PinnedList(), list);
        desktop.SetForeground(target);
        toolkit.Tick();
        window().SetButtonCaption(kPinButton, shown);
        Unfold();
    }
};

struct PinCase {
    const char* why;
    WindowHandle target;
    const char16_t* listBefore;
    const char16_t* captionBefore;
    const char16_t* listAfter;
    const char16_t* captionAfter;
};

class PinTableTest : public PinCommandTest, public ::testing::WithParamInterface<PinCase> {};

TEST_P(PinTableTest, UpdatesListAndCaptionAndFolds) {
    const PinCase& c = GetParam();
    Prepare(c.target, c.listBefore, c.captionBefore);
    toolkit.Click(kPinButton);
    EXPECT_EQ(form.PinnedList(), Text(c.listAfter)) << c.why;
    EXPECT_EQ(caption(), Text(c.captionAfter)) << c.why;
    EXPECT_TRUE(Collapsed()) << c.why;
    EXPECT_EQ(desktop.ActivationRequests().back(), c.target) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PinTableTest,
    ::testing::Values(
        PinCase{"pin into an empty list", 500, u"", u"+", u";500;", u"-"},
        PinCase{"unpin the only item", 500, u";500;", u"-", u"", u"+"},
        PinCase{"unpin the first of two", 500, u";500;;77;", u"-", u";77;", u"+"},
        PinCase{"one unpin removes duplicates", 500, u";500;;500;", u"-", u"", u"+"},
        PinCase{"unpin an absent item", 77, u";500;", u"-", u";500;", u"+"},
        PinCase{"pin window 0", 0, u"", u"+", u";0;", u"-"},
        PinCase{"pin a negative handle", -42, u";42;", u"+", u";42;;-42;", u"-"},
        PinCase{"unpin a negative handle only", -42, u";42;;-42;", u"-", u";42;", u"+"},
        PinCase{"pin again a pinned handle", 500, u";500;", u"+", u";500;;500;", u"-"},
        PinCase{"any caption other than + unpins", 500, u";500;", u"x", u"", u"+"}));

TEST_F(PinCommandTest, PinPutsTheTargetInTheTopmostBandBelowTheToolbar) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {10, 10, 200, 200});
    LoadAndFollow(editor);
    toolkit.Click(kPinButton);
    EXPECT_TRUE(desktop.IsTopmost(editor));
    EXPECT_TRUE(desktop.IsAbove(toolbar(), editor));
    toolkit.Click(kPinButton);
    EXPECT_FALSE(desktop.IsTopmost(editor));
    EXPECT_TRUE(desktop.IsTopmost(toolbar()));
}

TEST_F(PinCommandTest, UnpinningAnAbsentItemStillLeavesTheBand) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes");
    desktop.KeepAbove(editor, true);
    LoadAndFollow(editor);
    window().SetButtonCaption(kPinButton, u"-");
    toolkit.Click(kPinButton);
    EXPECT_FALSE(desktop.IsTopmost(editor));
    EXPECT_EQ(form.PinnedList(), u"");
}

TEST_F(PinCommandTest, TheNextTickAgreesWithTheList) {
    const WindowHandle a = desktop.AddWindow(u"a");
    const WindowHandle b = desktop.AddWindow(u"b");
    LoadAndFollow(a);
    toolkit.Click(kPinButton);
    for (auto [target, shown] : {std::pair{b, u"+"}, {a, u"-"}, {b, u"+"}}) {
        desktop.SetForeground(target);
        toolkit.Tick();
        EXPECT_EQ(caption(), Text(shown));
    }
}

// With 16-bit positions the removal used to fail past 32 767 characters
// while the window had already left the band and the caption said "+".
TEST_F(PinCommandTest, UnpinWorksOnAListLongerThan32767Characters) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes");
    LoadAndFollow(editor);
    for (int i = 0; i < 5000; ++i) {
        desktop.SetForeground(1000000 + i);
        toolkit.Tick();
        toolkit.Click(kPinButton);
    }
    desktop.SetForeground(editor);
    toolkit.Tick();
    toolkit.Click(kPinButton);
    ASSERT_GT(form.PinnedList().size(), 40000u);
    toolkit.Tick();
    ASSERT_EQ(caption(), u"-");

    toolkit.Click(kPinButton);
    toolkit.Tick();

    EXPECT_EQ(caption(), u"+");
    EXPECT_EQ(form.PinnedList().find(Item(editor)), Text::npos);
    EXPECT_FALSE(desktop.IsTopmost(editor));
}

TEST_F(PinCommandTest, FailedStepsAreSkipped) {
    const WindowHandle editor = desktop.AddWindow(u"Bloc-notes");
    LoadAndFollow(editor);
    toolkit.FailAlways(FakeOperation::SetButtonCaption);
    toolkit.Click(kPinButton);
    toolkit.StopFailing();
    EXPECT_TRUE(desktop.IsTopmost(editor));
    EXPECT_EQ(form.PinnedList(), Item(editor));
    EXPECT_FALSE(toolkit.Ended());
}

// A pin the system does not grant is never claimed: the button keeps "+",
// the list stays as it was, and the user is told why. A desktop without a
// band above the others says so on the first click only; a window the system
// protects says so once for each window.
struct RefusedPinCase {
    const char* why;
    bool desktopCanKeepAbove;
    const Text& message;
    std::size_t messagesForTwoWindows;
};

class RefusedPinTest : public PinCommandTest,
                       public ::testing::WithParamInterface<RefusedPinCase> {};

TEST_P(RefusedPinTest, ClaimsNoPinAndSaysWhy) {
    const RefusedPinCase& c = GetParam();
    desktop.SetCanKeepAbove(c.desktopCanKeepAbove);
    toolkit.Load(form);
    for (const WindowHandle window : {desktop.AddWindow(u"a"), desktop.AddWindow(u"b")}) {
        desktop.SetRefusesChanges(window, true);
        desktop.SetForeground(window);
        toolkit.Tick();
        for (int click = 0; click < 2; ++click) {
            Unfold();
            toolkit.Click(kPinButton);
            toolkit.Tick();
            EXPECT_EQ(caption(), u"+") << c.why;
            EXPECT_FALSE(desktop.IsTopmost(window)) << c.why;
            EXPECT_EQ(form.PinnedList(), u"") << c.why;
            EXPECT_TRUE(Collapsed()) << c.why;
            EXPECT_EQ(desktop.ActivationRequests().back(), window) << c.why;
        }
    }
    ASSERT_EQ(toolkit.Messages().size(), c.messagesForTwoWindows) << c.why;
    for (const auto& message : toolkit.Messages()) EXPECT_EQ(message.text, c.message) << c.why;
}

INSTANTIATE_TEST_SUITE_P(Answers, RefusedPinTest,
                         ::testing::Values(RefusedPinCase{"no band above on this desktop", false,
                                                          texts::kCannotKeepAbove, 1},
                                           RefusedPinCase{"windows of a program with more rights",
                                                          true, texts::kKeepAboveRefused, 2}));

}  // namespace
}  // namespace brumelis
