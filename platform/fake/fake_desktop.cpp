#include "platform/fake/fake_desktop.h"

#include <algorithm>
#include <cstring>

#include "platform/code_page.h"

namespace brumelis {

WindowHandle FakeDesktop::AddWindow(const Text& title, ScreenRect rect, bool visible) {
    // Handles step by 4 like real ones, so neighbouring handles differ in digits.
    const WindowHandle window = nextHandle_;
    nextHandle_ += 4;
    Window w;
    w.title = title;
    w.rect = rect;
    w.visible = visible;
    windows_[window] = w;
    PlaceInBand(window, false);
    return window;
}

void FakeDesktop::RemoveWindow(WindowHandle window) {
    windows_.erase(window);
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
    if (foreground_ == window) foreground_ = 0;
}

void FakeDesktop::MoveWindow(WindowHandle window, ScreenRect rect) {
    if (Window* w = Find(window)) w->rect = rect;
}

void FakeDesktop::SetVisible(WindowHandle window, bool visible) {
    if (Window* w = Find(window)) w->visible = visible;
}

void FakeDesktop::SetTitleReadable(WindowHandle window, bool readable) {
    if (Window* w = Find(window)) w->titleReadable = readable;
}

void FakeDesktop::SetInvisibleBorders(WindowHandle window, ScreenRect borders) {
    if (Window* w = Find(window)) w->invisibleBorders = borders;
}

void FakeDesktop::Hang(WindowHandle window) {
    if (Window* w = Find(window)) w->hung = true;
}

void FakeDesktop::Wake(WindowHandle window) {
    if (Window* w = Find(window)) w->hung = false;
    std::vector<std::function<void()>> work;
    for (auto it = held_.begin(); it != held_.end();) {
        if (it->first == window) {
            work.push_back(std::move(it->second));
            it = held_.erase(it);
        } else {
            ++it;
        }
    }
    for (auto& step : work) step();
}

bool FakeDesktop::IsTopmost(WindowHandle window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && (it->second.exStyle & win::kTopmostStyle) != 0;
}

bool FakeDesktop::IsAbove(WindowHandle upper, WindowHandle lower) const {
    auto u = std::find(zOrder_.begin(), zOrder_.end(), upper);
    auto l = std::find(zOrder_.begin(), zOrder_.end(), lower);
    return u != zOrder_.end() && l != zOrder_.end() && u < l;
}

FakeDesktop::Window* FakeDesktop::Find(WindowHandle window) {
    auto it = windows_.find(window);
    return it == windows_.end() ? nullptr : &it->second;
}

// Puts the window at the top of its band: the topmost band comes first.
void FakeDesktop::PlaceInBand(WindowHandle window, bool topmost) {
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
    Window& w = windows_.at(window);
    if (topmost) {
        w.exStyle |= win::kTopmostStyle;
        zOrder_.insert(zOrder_.begin(), window);
    } else {
        w.exStyle &= ~win::kTopmostStyle;
        auto firstPlain = std::find_if(zOrder_.begin(), zOrder_.end(),
                                       [this](WindowHandle h) { return !IsTopmost(h); });
        zOrder_.insert(firstPlain, window);
    }
}

WindowHandle FakeDesktop::GetForegroundWindow() {
    ++calls_;
    return foreground_;
}

bool FakeDesktop::GetWindowRect(WindowHandle window, ScreenRect& rect) {
    ++calls_;
    Window* w = Find(window);
    if (!w) return false;
    rect = w->rect;
    return true;
}

bool FakeDesktop::GetVisibleFrameRect(WindowHandle window, ScreenRect& rect) {
    ++calls_;
    Window* w = Find(window);
    if (!w || !compositor_) return false;
    const ScreenRect& border = w->invisibleBorders;
    rect = ScreenRect{w->rect.left + border.left, w->rect.top + border.top,
                      w->rect.right - border.right, w->rect.bottom - border.bottom};
    return true;
}

WindowHandle FakeDesktop::GetWindow(WindowHandle window, std::uint32_t command) {
    ++calls_;
    if (!Find(window)) return 0;
    if (command == win::kFirstWindow) return zOrder_.front();
    if (command == win::kNextWindow) {
        auto it = std::find(zOrder_.begin(), zOrder_.end(), window);
        return (it + 1) == zOrder_.end() ? 0 : *(it + 1);
    }
    return 0;
}

std::int32_t FakeDesktop::GetWindowTextA(WindowHandle window, char* buffer, std::int32_t maxCount) {
    ++calls_;
    Window* w = Find(window);
    if (!w || !w->titleReadable || maxCount <= 0) return 0;
    const std::string bytes = ToCodePage(w->title);
    const std::size_t count = std::min(bytes.size(), static_cast<std::size_t>(maxCount - 1));
    std::memcpy(buffer, bytes.data(), count);
    buffer[count] = '\0';
    return static_cast<std::int32_t>(count);
}

std::int32_t FakeDesktop::GetWindowLongA(WindowHandle window, std::int32_t index) {
    ++calls_;
    Window* w = Find(window);
    return (w && index == win::kExtendedStyle) ? w->exStyle : 0;
}

std::int32_t FakeDesktop::SetWindowLongA(WindowHandle window, std::int32_t index,
                                         std::int32_t newLong) {
    ++calls_;
    Window* w = Find(window);
    if (!w || index != win::kExtendedStyle) return 0;
    if (w->hung) ++waitingCalls_;
    const std::int32_t previous = w->exStyle;
    WriteExStyle(*w, newLong);
    return previous;
}

void FakeDesktop::SetExtendedStyleLater(WindowHandle window, std::int32_t exStyle) {
    ++calls_;
    Window* w = Find(window);
    if (!w) return;
    if (!w->hung) return WriteExStyle(*w, exStyle);
    held_.emplace_back(window, [this, window, exStyle] {
        if (Window* woken = Find(window)) WriteExStyle(*woken, exStyle);
    });
}

void FakeDesktop::WriteExStyle(Window& w, std::int32_t exStyle) {
    // The band cannot be changed through the style, as on Windows.
    w.exStyle = (exStyle & ~win::kTopmostStyle) | (w.exStyle & win::kTopmostStyle);
    if ((w.exStyle & win::kLayeredStyle) == 0) w.alpha.reset();
}

bool FakeDesktop::SetLayeredWindowAttributes(WindowHandle window, std::uint32_t, std::uint8_t alpha,
                                             std::uint32_t flags) {
    ++calls_;
    const bool afterHeldWork = std::any_of(
        held_.begin(), held_.end(), [window](const auto& held) { return held.first == window; });
    if (!afterHeldWork) return ApplyAlpha(window, alpha, flags);
    held_.emplace_back(window, [this, window, alpha, flags] { ApplyAlpha(window, alpha, flags); });
    return true;
}

bool FakeDesktop::ApplyAlpha(WindowHandle window, std::uint8_t alpha, std::uint32_t flags) {
    Window* w = Find(window);
    if (!w || (w->exStyle & win::kLayeredStyle) == 0) return false;
    if (flags & win::kUseAlpha) w->alpha = alpha;
    return true;
}

bool FakeDesktop::SetWindowPos(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                               std::int32_t y, std::int32_t cx, std::int32_t cy,
                               std::uint32_t flags) {
    ++calls_;
    Window* w = Find(window);
    if (!w) return false;
    if (w->hung && (flags & win::kDoNotWait)) {
        held_.emplace_back(window,
                           [=] { ChangePosition(window, insertAfter, x, y, cx, cy, flags); });
        return true;
    }
    if (w->hung) ++waitingCalls_;
    ChangePosition(window, insertAfter, x, y, cx, cy, flags);
    return true;
}

void FakeDesktop::ChangePosition(WindowHandle window, WindowHandle insertAfter, std::int32_t x,
                                 std::int32_t y, std::int32_t cx, std::int32_t cy,
                                 std::uint32_t flags) {
    Window* w = Find(window);
    if (!w) return;  // closed while it slept
    if (!(flags & win::kKeepPosition)) {
        w->rect.right += x - w->rect.left;
        w->rect.bottom += y - w->rect.top;
        w->rect.left = x;
        w->rect.top = y;
    }
    if (!(flags & win::kKeepSize)) {
        w->rect.right = w->rect.left + cx;
        w->rect.bottom = w->rect.top + cy;
    }
    if (insertAfter == win::kTopmostBand) PlaceInBand(window, true);
    // Leaving a band the window is not in has no effect.
    if (insertAfter == win::kNonTopmostBand && IsTopmost(window)) PlaceInBand(window, false);
    if (flags & win::kShowWindow) w->visible = true;
}

WindowHandle FakeDesktop::SetActiveWindow(WindowHandle window) {
    ++calls_;
    activations_.push_back(window);
    return 0;
}

}  // namespace brumelis
