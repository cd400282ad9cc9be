// The slider drag, make-opaque and make-opaque-and-fold.
#include <functional>
#include <string>

#include "tests/unit/toolbar_fixture.h"
#include "toolbar/toolbar_texts.h"

namespace brumelis {
namespace {

// In pixels, as the pointer's positions are.
constexpr int kSliderHeight = 89;

class TransparencyTest : public ToolbarTest {
protected:
    WindowHandle editor = desktop.AddWindow(u"Bloc-notes", {10, 10, 400, 300});
    void SetUp() override {
        LoadAndFollow(editor);
        Unfold();
    }
    // Presses each button of `buttons` on the slider, then moves.
    void Drag(int y, int buttons = 1) {
        for (const int button : {1, 2, 4}) {
            if ((buttons & button) != 0) toolkit.Press(kSlider, button, 6, y);
        }
        toolkit.Move(kSlider, 6, y);
    }
    std::optional<std::uint8_t> Alpha() { return desktop.Get(editor).opacity; }
};

struct HeightCase {
    const char* why;
    int y;
    int alpha;
};

class SliderHeightTest : public TransparencyTest,
                         public ::testing::WithParamInterface<HeightCase> {};

TEST_P(SliderHeightTest, SetsTheAlphaFromTheHeight) {
    Drag(GetParam().y);
    ASSERT_TRUE(Alpha().has_value()) << GetParam().why;
    EXPECT_EQ(*Alpha(), GetParam().alpha) << GetParam().why;
}

// The handler reads the slider's height and the pointer's y; the arithmetic
// itself has its own table in slider_alpha_test.cpp.
INSTANTIATE_TEST_SUITE_P(Heights, SliderHeightTest,
                         ::testing::Values(HeightCase{"top", 0, 255},
                                           HeightCase{"bottom", kSliderHeight, 0},
                                           HeightCase{"middle", kSliderHeight / 2, 129},
                                           HeightCase{"above the slider clamps", -20, 255}));

class IgnoredButtonTest : public TransparencyTest, public ::testing::WithParamInterface<int> {};

TEST_P(IgnoredButtonTest, OnlyTheLeftButtonAloneDrags) {
    Drag(0, GetParam());
    EXPECT_FALSE(Alpha().has_value());
}

INSTANTIATE_TEST_SUITE_P(Buttons, IgnoredButtonTest, ::testing::Values(0, 2, 3, 4, 5, 7));

TEST_F(TransparencyTest, TheDragKeepsTheToolbarOpenAndTheReleaseInsideFolds) {
    Drag(27);
    EXPECT_TRUE(Expanded());
    toolkit.Release(kSlider, 1);
    EXPECT_TRUE(Collapsed());
    EXPECT_EQ(*Alpha(), 178);
}

TEST_F(TransparencyTest, DoubleClickOnTheSliderMakesOpaque) {
    Drag(kSliderHeight);
    toolkit.DoubleClick(kSlider);
    EXPECT_EQ(*Alpha(), 255);
}

TEST_F(TransparencyTest, ClickOnThePanelMakesOpaqueAndFolds) {
    Drag(kSliderHeight);
    toolkit.Click(kPanel);
    EXPECT_EQ(*Alpha(), 255);
    EXPECT_TRUE(Collapsed());
    EXPECT_EQ(desktop.ActivationRequests().back(), editor);
}

TEST_F(TransparencyTest, ATargetOfZeroChangesNoWindow) {
    desktop.SetForeground(0);
    toolkit.Tick();
    Unfold();
    Drag(0);
    toolkit.DoubleClick(kSlider);
    toolkit.Click(kPanel);
    EXPECT_FALSE(Alpha().has_value());
    EXPECT_FALSE(toolkit.Ended());
}

// Without a height there is no alpha: the window keeps its opacity rather
// than turning invisible.
TEST_F(TransparencyTest, AFailedHeightReadLeavesTheOpacityAlone) {
    Drag(27);
    toolkit.FailAlways(FakeOperation::Geometry);
    Drag(0);
    toolkit.StopFailing();
    EXPECT_FALSE(toolkit.Ended());
    EXPECT_EQ(*Alpha(), 178);
}

// Where no compositor draws opacity, the drag still sets it and the user is
// told why nothing shows: once, after the release, never mid-drag.
TEST_F(TransparencyTest, ADesktopThatDoesNotShowOpacitySaysSoOnceAfterTheRelease) {
    for (const bool shows : {true, false}) {
        SCOPED_TRACE(shows ? "opacity shows" : "no compositor");
        desktop.SetShowsOpacity(shows);
        const std::size_t before = toolkit.Messages().size();
        for (int drag = 0; drag < 2; ++drag) {
            const std::size_t shown = toolkit.Messages().size();
            Drag(kSliderHeight / 2);
            EXPECT_EQ(toolkit.Messages().size(), shown) << "nothing while the button is held";
            toolkit.Release(kSlider, 1);
            Unfold();
        }
        EXPECT_EQ(*Alpha(), 129);
        ASSERT_EQ(toolkit.Messages().size(), before + (shows ? 0 : 1));
        if (!shows) {
            EXPECT_EQ(toolkit.Messages().back().text, texts::kOpacityNotShown);
        }
    }
}

// While the desktop's helper is off, "+"/"-", the slider and the panel
// change nothing and nothing is kept for later; the user is told once per
// outage (one ends with a change that worked).
TEST_F(TransparencyTest, AnOffHelperIsToldOnceAndChangesNothing) {
    for (const bool off : {true, false, true}) {
        desktop.SetHelperOff(off);
        const std::size_t told = toolkit.Messages().size();
        const bool pinned = desktop.IsTopmost(editor);
        const auto alpha = Alpha();
        for (int round = 0; round < (off ? 2 : 1); ++round) {
            Drag(10);
            toolkit.Release(kSlider, 1);
            Unfold();
            toolkit.Click(kPinButton);
            toolkit.Tick();
            EXPECT_EQ(caption(), desktop.IsTopmost(editor) ? u"-" : u"+") << "the truth";
            Unfold();
        }
        EXPECT_EQ(desktop.IsTopmost(editor), off ? pinned : true);
        EXPECT_EQ(Alpha() == alpha, off);
        ASSERT_EQ(toolkit.Messages().size(), told + (off ? 1 : 0));
        EXPECT_EQ(toolkit.Messages().back().text, texts::kNotPossibleNow);
    }
}

// A window the system protects from us: the first move asks, every later
// one, the panel's click included, sends nothing; the release says why, once.
// One that draws itself is asked on each drag (it may paint or change its
// layering) and told once; once it takes an opacity it gets it.
struct LeftAloneCase {
    const char* name;
    std::function<void(FakeDesktop&, WindowHandle)> arrange;
    const Text* text;
    bool askedAgain;
};

class LeftAloneTest : public TransparencyTest,
                      public ::testing::WithParamInterface<LeftAloneCase> {};

TEST_P(LeftAloneTest, IsToldOnce) {
    GetParam().arrange(desktop, editor);
    Drag(27);
    EXPECT_TRUE(toolkit.Messages().empty()) << "nothing while the button is held";
    const long asked = desktop.CallCount();
    const std::size_t activations = desktop.ActivationRequests().size();
    for (int drag = 0; drag < 2; ++drag) {
        Drag(kSliderHeight / 2);
        toolkit.Release(kSlider, 1);
        Unfold();
        toolkit.Click(kPanel);
        Unfold();
    }
    const long activationCalls =
        static_cast<long>(desktop.ActivationRequests().size() - activations);
    EXPECT_EQ(GetParam().askedAgain, desktop.CallCount() - asked > activationCalls);
    EXPECT_FALSE(Alpha().has_value());
    ASSERT_EQ(toolkit.Messages().size(), 1u);
    EXPECT_EQ(toolkit.Messages()[0].text, *GetParam().text);
    if (!GetParam().askedAgain) return;
    desktop.SetDrawsItself(editor, false);
    Drag(kSliderHeight / 2);
    toolkit.Release(kSlider, 1);
    EXPECT_EQ(*Alpha(), 129);
    EXPECT_EQ(toolkit.Messages().size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Windows, LeftAloneTest,
                         ::testing::Values(LeftAloneCase{"RefusingWindow",
                                                         [](FakeDesktop& d, WindowHandle w) {
                                                             d.SetRefusesChanges(w, true);
                                                         },
                                                         &texts::kOpacityRefused, false},
                                           LeftAloneCase{"WindowDrawingItself",
                                                         [](FakeDesktop& d, WindowHandle w) {
                                                             d.SetDrawsItself(w);
                                                         },
                                                         &texts::kOpacityDrawnByItself, true}),
                         [](const auto& c) { return std::string(c.param.name); });

}  // namespace
}  // namespace brumelis
