// The follow timer's tick: glue the toolbar to the foreground window's corner.
// The move timer's tick: keep it there between follow ticks while that
// window moves.
#include "base/checked_arithmetic.h"
#include "toolbar/pinned_list.h"
#include "toolbar/toolbar_layout.h"
#include "toolbar/toolbar_texts.h"
#include "toolbar/toolbar_window.h"

namespace brumelis {

namespace {

// Move checks that find the target still before the move timer stops: a
// pause in a drag shorter than a follow tick keeps it running.
constexpr int kStillChecksBeforeStop = 8;

}  // namespace

void ToolbarWindow::FollowForeground() {
    static const Text kSource = u"ToolbarWindow.FollowForeground";
    const WindowHandle foreground = desktop_.ForegroundWindow();
    // While the user works in the toolbar it stays where it is.
    if (foreground == form_.Handle()) return;
    target_ = foreground;

    // All zeros when the window cannot be read: the screen's corner.
    const ScreenRect rect = desktop_.VisibleFrame(foreground).value_or(ScreenRect{});
    const auto x = static_cast<Twips>(CheckedMultiply32(rect.left, kTwipsPerPixel, kSource));
    const auto y = static_cast<Twips>(CheckedMultiply32(rect.top, kTwipsPerPixel, kSource));
    // The same target away from where the toolbar was put: it is moving.
    const bool moving =
        lastTarget_ == foreground && (rect.left != cornerLeft_ || rect.top != cornerTop_);

    if (lastTarget_ == foreground) {
        form_.Move(x, y);
    } else {
        const ControlGeometry square = form_.Geometry(kRedSquare);
        form_.Move(x, y, square.width + kTwipsPerPixel, square.height + kTwipsPerPixel);
        lastTarget_ = foreground;
    }
    form_.StayAbove();
    form_.SetButtonCaption(
        kPinButton, IsPinned(pinned_, foreground) ? texts::kUnpinCaption : texts::kPinCaption);
    ShowOpacity();

    cornerLeft_ = rect.left;
    cornerTop_ = rect.top;
    if (watched_ != foreground) {
        // The call only starts the move timer, whose ticks go through the
        // toolkit like any other event.
        desktop_.WatchMoves(foreground, [this] { StartMoveChecks(); });
        watched_ = foreground;
    }
    if (moving) StartMoveChecks();
}

// Only the target's corner is asked; a new target, folding, the band and
// the caption wait for the follow tick. While the user works in the toolbar,
// or in another window, the toolbar stays where it is, as with that tick.
void ToolbarWindow::FollowMove() {
    static const Text kSource = u"ToolbarWindow.FollowMove";
    std::optional<ScreenRect> frame;
    if (desktop_.ForegroundWindow() == target_) frame = desktop_.VisibleFrame(target_);
    if (frame && (frame->left != cornerLeft_ || frame->top != cornerTop_)) {
        form_.Move(static_cast<Twips>(CheckedMultiply32(frame->left, kTwipsPerPixel, kSource)),
                   static_cast<Twips>(CheckedMultiply32(frame->top, kTwipsPerPixel, kSource)));
        cornerLeft_ = frame->left;
        cornerTop_ = frame->top;
        stillChecks_ = 0;
        return;
    }
    if (++stillChecks_ >= kStillChecksBeforeStop) form_.SetTimerRunning(kMoveTimer, false);
}

void ToolbarWindow::StartMoveChecks() {
    stillChecks_ = 0;
    form_.SetTimerRunning(kMoveTimer, true);
}

}  // namespace brumelis
