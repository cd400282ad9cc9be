// The keys: taken at start with one notice for those held elsewhere, and
// acting on the foreground window through the mouse's handlers.
#include "platform/fake/fake_keys.h"
#include "tests/unit/toolbar_fixture.h"
#include "toolbar/shortcut_keys.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {
namespace {

const ShortcutKey& KeyFor(KeyAction action) {
    return ShortcutKeys()[static_cast<std::size_t>(ShortcutOf(action)) - 1];
}

class KeyCommandsTest : public ::testing::Test {
protected:
    FakeDesktop desktop;
    FakeToolkit toolkit{desktop, ToolbarLayout()};
    FakeKeys keys;
    ToolbarWindow form{desktop, toolkit, toolkit.Window(), nullptr, &keys};
    WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {10, 10, 400, 300});

    void Start() {
        keys.OnPress([this](ShortcutId id) { toolkit.Shortcut(id); });
        toolkit.Load(form);
    }
    // The key goes to the window in the foreground, no tick in between.
    void Press(KeyAction action) { ASSERT_TRUE(keys.Press(KeyFor(action).chord)); }
    int Alpha() { return desktop.Get(editor).opacity.value_or(255); }
    std::size_t Told() { return toolkit.Messages().size(); }
};

TEST_F(KeyCommandsTest, AHeldKeyIsToldOnceWithItsFallbackAndTheOthersWork) {
    const ShortcutKey& pin = KeyFor(KeyAction::TogglePin);
    const ShortcutKey& opaque = KeyFor(KeyAction::Opaque);
    keys.HoldElsewhere(pin.chord);
    keys.HoldElsewhere(opaque.chord);
    keys.HoldElsewhere(opaque.fallback);
    Start();
    ASSERT_EQ(Told(), 1u);
    const Text& notice = toolkit.Messages()[0].text;
    EXPECT_EQ(notice.find(texts::kKeysTaken), 0u);
    EXPECT_NE(notice.find(u"Super+Ctrl+Maj+A (garder"), Text::npos);
    EXPECT_NE(notice.find(u"utilisez Super+Ctrl+Alt+A à la place"), Text::npos);
    EXPECT_NE(
        notice.find(u"Super+Ctrl+Maj+Début (rendre la fenêtre opaque) : " + texts::kUseTheMouse),
        Text::npos);
    EXPECT_EQ(notice.find(u"Page"), Text::npos);
    EXPECT_TRUE(keys.Taken(pin.fallback));

    desktop.SetForeground(editor);
    ASSERT_TRUE(keys.Press(pin.fallback));
    EXPECT_TRUE(desktop.Get(editor).keptAbove);
    Press(KeyAction::MoreTransparent);
    EXPECT_EQ(Alpha(), 230);
    EXPECT_EQ(Told(), 1u);
}

TEST_F(KeyCommandsTest, StepsFollowTheSliderScaleFromWhatTheMouseSet) {
    Start();
    desktop.SetForeground(editor);
    toolkit.Tick();
    toolkit.Click(kRedSquare);
    toolkit.Press(kSlider, 1, 6, 44);  // 89 pixels high: alpha 129
    toolkit.Move(kSlider, 6, 44);
    toolkit.Release(kSlider, 1);
    ASSERT_EQ(Alpha(), 129);
    EXPECT_EQ(toolkit.Window().AccessibleValue(kSlider), 51);
    // With the slider's value for screen readers, in percent.
    const std::tuple<KeyAction, int, int> presses[] = {
        {KeyAction::MoreTransparent, 128, 50},  {KeyAction::MoreTransparent, 102, 40},
        {KeyAction::LessTransparent, 128, 50},  {KeyAction::Opaque, 255, 100},
        {KeyAction::LessTransparent, 255, 100}, {KeyAction::MoreTransparent, 230, 90}};
    for (const auto& [action, alpha, percent] : presses) {
        Press(action);
        EXPECT_EQ(Alpha(), alpha) << static_cast<int>(action);
        EXPECT_EQ(toolkit.Window().AccessibleValue(kSlider), percent);
    }
}

struct RefusalCase {
    const char* why;
    KeyAction action;
    void (*prepare)(FakeDesktop&, WindowHandle);
    const Text& told;
};

class KeyRefusalTest : public KeyCommandsTest, public ::testing::WithParamInterface<RefusalCase> {};

TEST_P(KeyRefusalTest, SaysWhatTheMouseWouldOnce) {
    const RefusalCase& c = GetParam();
    Start();
    c.prepare(desktop, editor);
    desktop.SetForeground(editor);
    Press(c.action);
    Press(c.action);
    ASSERT_EQ(Told(), 1u) << c.why;
    EXPECT_EQ(toolkit.Messages()[0].text, c.told) << c.why;
    EXPECT_EQ(toolkit.Window().ButtonCaption(kPinButton), texts::kPinCaption) << c.why;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyRefusalTest,
    ::testing::Values(
        RefusalCase{"refused pin", KeyAction::TogglePin,
                    [](FakeDesktop& d, WindowHandle w) { d.SetRefusesChanges(w, true); },
                    texts::kKeepAboveRefused},
        RefusalCase{"refused opacity", KeyAction::MoreTransparent,
                    [](FakeDesktop& d, WindowHandle w) { d.SetRefusesChanges(w, true); },
                    texts::kOpacityRefused},
        RefusalCase{"no band above", KeyAction::TogglePin,
                    [](FakeDesktop& d, WindowHandle) { d.SetCanKeepAbove(false); },
                    texts::kCannotKeepAbove},
        RefusalCase{"no compositor", KeyAction::MoreTransparent,
                    [](FakeDesktop& d, WindowHandle) { d.SetShowsOpacity(false); },
                    texts::kOpacityNotShown},
        RefusalCase{"helper off", KeyAction::Opaque,
                    [](FakeDesktop& d, WindowHandle) { d.SetHelperOff(true); },
                    texts::kNotPossibleNow}));

}  // namespace
}  // namespace brumelis
