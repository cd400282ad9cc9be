// Start-up, the fold/unfold toggle, the single-instance rule and the
// presentation box, driven through the real program.
#include <gtest/gtest.h>

#include <sstream>

#include "tests/e2e/message_box.h"
#include "tests/e2e/mouse_input.h"
#include "tests/e2e/screen_capture.h"
#include "tests/e2e/toolbar_fixture.h"
#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

using namespace test_support;
namespace {

const Rgb kPureRed = 0xFF0000;

const std::wstring kApplicationTitle = L"Brumelis";
const std::wstring kAlreadyRunning = L"Brumelis est déjà lancé.";
const std::wstring kPresentationTitle = L"ZOLVEC Quintrel www.zolvec.example";
const std::wstring kPresentation =
    L"ZOLVEC Quintrel vous propose L'OUTIL sympathique qui permet de gérer les fenêtres de "
    L"Windows. Cliquez sur OUI pour continuer ou NON pour quitter Brumelis";

Rgb SystemColour(int index) {
    const COLORREF c = GetSysColor(index);
    return (Rgb{GetRValue(c)} << 16) | (Rgb{GetGValue(c)} << 8) | Rgb{GetBValue(c)};
}

// Describes the first pixel of the area whose colour differs, or is empty.
std::string FirstPixelNotOf(const ScreenImage& image, const Rect& area, Rgb colour) {
    for (int y = area.top; y < area.top + area.height; ++y)
        for (int x = area.left; x < area.left + area.width; ++x)
            if (image.At(x, y) != colour) {
                std::ostringstream out;
                out << "pixel (" << x << ", " << y << ") is " << std::hex << image.At(x, y);
                return out.str();
            }
    return {};
}

int Red(Rgb c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
int Green(Rgb c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
int Blue(Rgb c) {
    return static_cast<int>(c & 0xFF);
}

using StartUp = ToolbarTest;

TEST_F(StartUp, ShowsATenPixelTileWithAPureRedSquare) {
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);

    // The square is 9x9; right of it the panel shows down to the button.
    const Rect square{0, 0, 9, 9};
    std::string wrongRed;
    ScreenImage tile;
    WaitUntil([&] {
        tile = ScreenImage::Capture(toolbar_.ScreenRect());
        wrongRed = FirstPixelNotOf(tile, square, kPureRed);
        return wrongRed.empty();
    });
    EXPECT_EQ(wrongRed, "");
    EXPECT_EQ(FirstPixelNotOf(tile, {9, 0, 1, 8}, SystemColour(COLOR_WINDOW)), "");
}

using FoldToggle = ToolbarTest;

TEST_F(FoldToggle, ClickOnTheRedSquareUnfoldsAndAnotherClickFolds) {
    ASSERT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);

    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kRedSquare)));
    ASSERT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kUnfoldedSize), kUnfoldedSize);

    // The gradient: red at the slider's top, white at its bottom.
    const Rect around{toolbar_.ScreenRect().left - 20, toolbar_.ScreenRect().top - 20,
                      kUnfoldedSize.width + 40, kUnfoldedSize.height + 40};
    ScreenImage shot;
    const Point top{20 + kSliderLeft + kSliderWidth / 2, 20 + kSliderTop + 1};
    const Point bottom{top.x, 20 + kSliderTop + kSliderHeight - 2};
    WaitUntil([&] {
        shot = ScreenImage::Capture(around);
        return Red(shot.At(top.x, top.y)) > 200 && Green(shot.At(top.x, top.y)) < 60 &&
               Green(shot.At(bottom.x, bottom.y)) > 200 && Blue(shot.At(bottom.x, bottom.y)) > 200;
    });
    EXPECT_TRUE(shot.SaveBmp(ArtifactPath(L"e2e-unfolded-toolbar.bmp")));
    EXPECT_GT(Red(shot.At(top.x, top.y)), 200) << std::hex << shot.At(top.x, top.y);
    EXPECT_LT(Green(shot.At(top.x, top.y)), 60) << std::hex << shot.At(top.x, top.y);
    EXPECT_GT(Green(shot.At(bottom.x, bottom.y)), 200) << std::hex << shot.At(bottom.x, bottom.y);
    EXPECT_GT(Blue(shot.At(bottom.x, bottom.y)), 200) << std::hex << shot.At(bottom.x, bottom.y);
    EXPECT_EQ(shot.At(20 + kRedSquare.x, 20 + kRedSquare.y), kPureRed);

    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kRedSquare)));
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);
}

using SingleInstance = ToolbarTest;

TEST_F(SingleInstance, SecondCopyShowsItsMessageAndEndsOnOkWhileTheFirstRunsOn) {
    ToolbarProcess second;
    ASSERT_TRUE(second.Started());
    HWND dialog = WaitForMessageBox(second.Id());
    ASSERT_NE(dialog, nullptr) << "no message box; second copy running: " << second.IsRunning()
                               << ", windows of the first bearing the caption: "
                               << brumelis_->WindowsWithCaption().size();

    const MessageBoxContents box = ReadMessageBox(dialog);
    EXPECT_EQ(box.title, kApplicationTitle);
    EXPECT_EQ(box.text, kAlreadyRunning);
    EXPECT_EQ(box.ButtonIds(), std::vector<int>{IDOK});
    EXPECT_FALSE(box.showsIcon);
    EXPECT_EQ(second.FindToolbar(), nullptr) << "the second copy showed a toolbar";

    ASSERT_TRUE(PressButton(box, IDOK));
    EXPECT_TRUE(second.WaitForExit());
    EXPECT_TRUE(brumelis_->IsRunning());
    EXPECT_EQ(brumelis_->FindToolbar(), toolbar_.Handle());
}

struct PresentationAnswer {
    const char* name;
    int button;
    bool ends;
};

void PrintTo(const PresentationAnswer& answer, std::ostream* out) {
    *out << answer.name;
}

class Presentation : public ToolbarTest, public testing::WithParamInterface<PresentationAnswer> {};

TEST_P(Presentation, DoubleClickOnTheRedSquareTogglesThenAsks) {
    ASSERT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kFoldedSize), kFoldedSize);

    ASSERT_TRUE(DoubleClickOn(toolbar_.Handle(), toolbar_.OnScreen(kRedSquare)));
    HWND dialog = WaitForMessageBox(brumelis_->Id(), kStateTimeout);
    ASSERT_NE(dialog, nullptr) << "no presentation box";

    const MessageBoxContents box = ReadMessageBox(dialog);
    EXPECT_EQ(box.title, kPresentationTitle);
    EXPECT_EQ(box.text, kPresentation);
    EXPECT_EQ(box.ButtonIds(), (std::vector<int>{IDYES, IDNO}));
    EXPECT_EQ(box.defaultId, IDYES);
    EXPECT_FALSE(box.showsIcon);
    // Each release was a click: unfolded by the first, folded by the second.
    EXPECT_EQ(toolbar_.Extent(), kFoldedSize);

    ASSERT_TRUE(PressButton(box, GetParam().button));
    if (GetParam().ends) {
        EXPECT_TRUE(brumelis_->WaitForExit());
        return;
    }
    EXPECT_TRUE(WaitUntil([&] { return FindMessageBox(brumelis_->Id()) == nullptr; }));
    EXPECT_TRUE(brumelis_->IsRunning());
    // Still at work: the red square still unfolds the panel.
    ASSERT_TRUE(ClickOn(toolbar_.Handle(), toolbar_.OnScreen(kRedSquare)));
    EXPECT_EQ(WaitForValue([&] { return toolbar_.Extent(); }, kUnfoldedSize), kUnfoldedSize);
}

INSTANTIATE_TEST_SUITE_P(Answers, Presentation,
                         testing::Values(PresentationAnswer{"NoEndsTheProgram", IDNO, true},
                                         PresentationAnswer{"YesLeavesItRunning", IDYES, false}),
                         [](const auto& answer) { return std::string(answer.param.name); });

}  // namespace
}  // namespace brumelis::e2e
