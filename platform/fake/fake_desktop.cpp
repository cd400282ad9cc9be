#include "platform/fake/fake_desktop.h"

#include <algorithm>
#include <utility>

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

void FakeDesktop::ReportMove(WindowHandle window) {
    if (window != 0 && window == watched_ && moved_) moved_();
}

void FakeDesktop::SetVisible(WindowHandle window, bool visible) {
    if (Window* w = Find(window)) w->visible = visible;
}

void FakeDesktop::SetTitleReadable(WindowHandle window, bool readable) {
    if (Window* w = Find(window)) w->titleReadable = readable;
}

void FakeDesktop::SetRefusesChanges(WindowHandle window, bool refuses) {
    if (Window* w = Find(window)) w->refusesChanges = refuses;
}

void FakeDesktop::RaiseAboveAll(WindowHandle window) {
    if (Find(window)) PlaceInBand(window, true);
}

void FakeDesktop::SetInvisibleBorders(WindowHandle window, ScreenRect borders) {
    if (Window* w = Find(window)) w->invisibleBorders = borders;
}

bool FakeDesktop::IsTopmost(WindowHandle window) const {
    auto it = windows_.find(window);
    return it != windows_.end() && it->second.keptAbove;
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

// Puts the window at the top of its band: the band kept above comes first.
void FakeDesktop::PlaceInBand(WindowHandle window, bool above) {
    zOrder_.erase(std::remove(zOrder_.begin(), zOrder_.end(), window), zOrder_.end());
    windows_.at(window).keptAbove = above;
    if (above) {
        zOrder_.insert(zOrder_.begin(), window);
    } else {
        auto firstPlain = std::find_if(zOrder_.begin(), zOrder_.end(),
                                       [this](WindowHandle h) { return !IsTopmost(h); });
        zOrder_.insert(firstPlain, window);
    }
}

void FakeDesktop::WatchMoves(WindowHandle window, std::function<void()> moved) {
    ++calls_;
    watched_ = window;
    moved_ = std::move(moved);
}

WindowHandle FakeDesktop::ForegroundWindow() {
    ++calls_;
    return foreground_;
}

std::optional<ScreenRect> FakeDesktop::VisibleFrame(WindowHandle window) {
    ++calls_;
    const Window* w = Find(window);
    if (!w) return std::nullopt;
    const ScreenRect& border = w->invisibleBorders;
    return ScreenRect{w->rect.left + border.left, w->rect.top + border.top,
                      w->rect.right - border.right, w->rect.bottom - border.bottom};
}

ChangeAnswer FakeDesktop::KeepAbove(WindowHandle window, bool above) {
    ++calls_;
    Window* w = Find(window);
    if (!w) return ChangeAnswer::kAccepted;
    if (helperOff_) return ChangeAnswer::kNotNow;
    if (!canKeepAbove_) return ChangeAnswer::kUnsupported;
    if (w->refusesChanges) return ChangeAnswer::kRefused;
    // Leaving a band the window is not in has no effect.
    if (above || w->keptAbove) PlaceInBand(window, above);
    return ChangeAnswer::kAccepted;
}

ChangeAnswer FakeDesktop::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    ++calls_;
    Window* w = Find(window);
    if (!w) return ChangeAnswer::kAccepted;
    if (helperOff_) return ChangeAnswer::kNotNow;
    if (w->refusesChanges) return ChangeAnswer::kRefused;
    if (w->drawsItself) return ChangeAnswer::kDrawsItself;
    w->opacity = opacity;
    return showsOpacity_ ? ChangeAnswer::kAccepted : ChangeAnswer::kUnsupported;
}

void FakeDesktop::Activate(WindowHandle window) {
    ++calls_;
    activations_.push_back(window);
}

std::vector<ListedWindow> FakeDesktop::TopLevelWindows(WindowHandle window,
                                                       std::size_t titleLength) {
    ++calls_;
    std::vector<ListedWindow> listed;
    if (!Find(window)) return listed;
    for (WindowHandle h : zOrder_) {
        const Window& w = windows_.at(h);
        listed.push_back({h, w.titleReadable ? std::optional<Text>(w.title.substr(0, titleLength))
                                             : std::nullopt});
    }
    return listed;
}

}  // namespace brumelis
