#include "platform/fake/fake_desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/code_page.h"

namespace brumelis {

WindowHandle FakeDesktop::AddWindow(const Text& title, ScreenRect rect, bool visible) {
    // Handles step by 4 like real ones, so neighbouring handles differ in digits.
    const WindowHandle hWnd = nextHandle_;
    nextHandle_ += 4;
    Window w;
    w.title = title;
    w.rect = rect;
    w.visible = visible;
    windows_[hWnd] = w;
    PlaceInBand(hWnd, false);
    return hWnd;
}

void FakeDesktop::RemoveWindow(WindowHandle hWnd) {
    windows_.erase(hWnd);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), hWnd), zOrder_.end());
    if (foreground_ == hWnd) foreground_ = 0;
}

void FakeDesktop::MoveWindow(WindowHandle hWnd, ScreenRect rect) {
    if (Window* w = Find(hWnd)) w->rect = rect;
}

void FakeDesktop::SetVisible(WindowHandle hWnd, bool visible) {
    if (Window* w = Find(hWnd)) w->visible = visible;
}

void FakeDesktop::SetTitleReadable(WindowHandle hWnd, bool readable) {
    if (Window* w = Find(hWnd)) w->titleReadable = readable;
}

void FakeDesktop::SetInvisibleBorders(WindowHandle hWnd, ScreenRect borders) {
    if (Window* w = Find(hWnd)) w->invisibleBorders = borders;
}

void FakeDesktop::Hang(WindowHandle hWnd) {
    if (Window* w = Find(hWnd)) w->hung = true;
}

void FakeDesktop::Wake(WindowHandle hWnd) {
    if (Window* w = Find(hWnd)) w->hung = false;
    std::vector<std::function<void()>> work;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->first == hWnd) {
            work.push_back(std::move(it->second));
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& step : work) step();
}

bool FakeDesktop::IsTopmost(WindowHandle hWnd) const {
    auto it = windows_.find(hWnd);
    return it != windows_.end() && (it->second.exStyle & win::WS_EX_TOPMOST) != 0;
}

bool FakeDesktop::IsAbove(WindowHandle upper, WindowHandle lower) const {
    auto u = std::find(zOrder_.begin(), zOrder_.end(), upper);
    auto l = std::find(zOrder_.begin(), zOrder_.end(), lower);
    return u != zOrder_.end() && l != zOrder_.end() && u < l;
}

FakeDesktop::Window* FakeDesktop::Find(WindowHandle hWnd) {
    auto it = windows_.find(hWnd);
    return it == windows_.end() ? nullptr : &it->second;
}

// Puts the window at the top of its band: the topmost band comes first.
void FakeDesktop::PlaceInBand(WindowHandle hWnd, bool topmost) {
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), hWnd), zOrder_.end());
    Window& w = windows_.at(hWnd);
    if (topmost) {
        w.exStyle |= win::WS_EX_TOPMOST;
        zOrder_.insert(zOrder_.begin(), hWnd);
    } else {
        w.exStyle &= ~win::WS_EX_TOPMOST;
        auto firstPlain = std::find_if(zOrder_.begin(), zOrder_.end(),
                                       [this](WindowHandle h) { return !IsTopmost(h); });
        zOrder_.insert(firstPlain, hWnd);
    }
}

WindowHandle FakeDesktop::GetForegroundWindow() {
    ++calls_;
    return foreground_;
}

bool FakeDesktop::GetWindowRect(WindowHandle hWnd, ScreenRect& rect) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w) return false;
    rect = w->rect;
    return true;
}

bool FakeDesktop::GetVisibleFrameRect(WindowHandle hWnd, ScreenRect& rect) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w || !compositor_) return false;
    const ScreenRect& border = w->invisibleBorders;
    rect = ScreenRect{w->rect.left + border.left, w->rect.top + border.top,
                      w->rect.right - border.right, w->rect.bottom - border.bottom};
    return true;
}

WindowHandle FakeDesktop::GetWindow(WindowHandle hWnd, std::uint32_t command) {
    ++calls_;
    if (!Find(hWnd)) return 0;
    if (command == win::GW_HWNDFIRST) return zOrder_.front();
    if (command == win::GW_HWNDNEXT) {
        auto it = std::find(zOrder_.begin(), zOrder_.end(), hWnd);
        return (it + 1) == zOrder_.end() ? 0 : *(it + 1);
    }
    return 0;
}

std::int32_t FakeDesktop::GetWindowTextA(WindowHandle hWnd, char* buffer, std::int32_t maxCount) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w || !w->titleReadable || maxCount <= 0) return 0;
    const std::string bytes = ToCodePage(w->title);
    const std::size_t count = std::min(bytes.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(buffer, bytes.data(), count);
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

std::int32_t FakeDesktop::GetWindowLongA(WindowHandle hWnd, std::int32_t index) {
    ++calls_;
    Window* w = Find(hWnd);
    return (w && index == win::GWL_EXSTYLE) ? w->exStyle : 0;
}

std::int32_t FakeDesktop::SetWindowLongA(WindowHandle hWnd, std::int32_t index,
                                         std::int32_t newLong) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w || index != win::GWL_EXSTYLE) return 0;
    if (w->hung) ++waitingCalls_;
    const std::int32_t previous = w->exStyle;
    WriteExStyle(*w, newLong);
    return previous;
}

void FakeDesktop::SetExStyleLater(WindowHandle hWnd, std::int32_t exStyle) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w) return;
    if (!w->hung) return WriteExStyle(*w, exStyle);
    held_.emplace_back(hWnd, [this, hWnd, exStyle] {
        if (Window* woken = Find(hWnd)) WriteExStyle(*woken, exStyle);
    });
}

void FakeDesktop::WriteExStyle(Window& w, std::int32_t exStyle) {
    // The band cannot be changed through the style, as on Windows.
    w.exStyle = (exStyle & ~win::WS_EX_TOPMOST) | (w.exStyle & win::WS_EX_TOPMOST);
    if ((w.exStyle & win::WS_EX_LAYERED) == 0) w.alpha.reset();
}

bool FakeDesktop::SetLayeredWindowAttributes(WindowHandle hWnd, std::uint32_t, std::uint8_t alpha,
                                             std::uint32_t flags) {
    ++calls_;
    const bool afterHeldWork = std::any_of(held_.begin(), held_.end(),
                                           [hWnd](const auto& held) { return held.first == hWnd; });
    if (!afterHeldWork) return ApplyAlpha(hWnd, alpha, flags);
    held_.emplace_back(hWnd, [this, hWnd, alpha, flags] { ApplyAlpha(hWnd, alpha, flags); });
    return true;
}

bool FakeDesktop::ApplyAlpha(WindowHandle hWnd, std::uint8_t alpha, std::uint32_t flags) {
    Window* w = Find(hWnd);
    if (!w || (w->exStyle & win::WS_EX_LAYERED) == 0) return false;
    if (flags & win::LWA_ALPHA) w->alpha = alpha;
    return true;
}

bool FakeDesktop::SetWindowPos(WindowHandle hWnd, WindowHandle insertAfter, std::int32_t x,
                               std::int32_t y, std::int32_t cx, std::int32_t cy,
                               std::uint32_t flags) {
    ++calls_;
    Window* w = Find(hWnd);
    if (!w) return false;
    if (w->hung && (flags & win::SWP_ASYNCWINDOWPOS)) {
        held_.emplace_back(hWnd, [=] { ChangePosition(hWnd, insertAfter, x, y, cx, cy, flags); });
        return true;
    }
    if (w->hung) ++waitingCalls_;
    ChangePosition(hWnd, insertAfter, x, y, cx, cy, flags);
    return true;
}

void FakeDesktop::ChangePosition(WindowHandle hWnd, WindowHandle insertAfter, std::int32_t x,
                                 std::int32_t y, std::int32_t cx, std::int32_t cy,
                                 std::uint32_t flags) {
    Window* w = Find(hWnd);
    if (!w) return;  // closed while it slept
    if (!(flags & win::SWP_NOMOVE)) {
        w->rect.right += x - w->rect.left;
        w->rect.bottom += y - w->rect.top;
        w->rect.left = x;
        w->rect.top = y;
    }
    if (!(flags & win::SWP_NOSIZE)) {
        w->rect.right = w->rect.left + cx;
        w->rect.bottom = w->rect.top + cy;
    }
    if (insertAfter == win::HWND_TOPMOST) PlaceInBand(hWnd, true);
    // Leaving a band the window is not in has no effect.
    if (insertAfter == win::HWND_NOTOPMOST && IsTopmost(hWnd)) PlaceInBand(hWnd, false);
    if (flags & win::SWP_SHOWWINDOW) w->visible = true;
}

WindowHandle FakeDesktop::SetActiveWindow(WindowHandle hWnd) {
    ++calls_;
    activations_.push_back(hWnd);
    return 0;
}

}  // namespace brumelis
