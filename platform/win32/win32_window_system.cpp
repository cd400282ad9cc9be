#include "platform/win32/win32_window_system.h"

#include <algorithm>
#include <climits>
#include <string>
#include <string_view>
#include <utility>

#include "platform/code_page.h"
#include "platform/win32/win32_support.h"

namespace brumelis {

namespace {

// The buffer the title query writes into: its bytes past the NUL keep their
// spaces, and a query that writes nothing leaves no NUL at all.
constexpr std::size_t kTitleBuffer = 255;

// First and last event of each hook.
constexpr DWORD kWatchedEvents[][2] = {
    {EVENT_SYSTEM_MOVESIZESTART, EVENT_SYSTEM_MOVESIZEEND},
    {EVENT_SYSTEM_MINIMIZESTART, EVENT_SYSTEM_MINIMIZEEND},
    {EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE},
};

// The hook procedure gets no context: the one instance that watches (the
// program has one window system, on its one UI thread).
Win32WindowSystem* watcher = nullptr;

}  // namespace

Win32WindowSystem::~Win32WindowSystem() {
    Unhook();
}

WindowHandle Win32WindowSystem::ForegroundWindow() {
    return ToWindowHandle(user32_.getForegroundWindow());
}

std::optional<ScreenRect> Win32WindowSystem::VisibleFrame(WindowHandle window) {
    ScreenRect frame;
    if (user32_.getVisibleFrame(ToHwnd(window), frame)) return frame;
    RECT rect;
    if (!user32_.getWindowRect(ToHwnd(window), &rect)) return std::nullopt;
    return ScreenRect{rect.left, rect.top, rect.right, rect.bottom};
}

void Win32WindowSystem::WatchMoves(WindowHandle window, std::function<void()> moved) {
    Unhook();
    watched_ = ToHwnd(window);
    moved_ = std::move(moved);
    if (window == 0 || !moved_) return;
    // Scoped to the window's thread: a hook on every process would wake the
    // toolbar at each move of any caret or pointer on the desktop.
    DWORD process = 0;
    const DWORD thread = user32_.getWindowThreadProcessId(watched_, &process);
    if (thread == 0) return;
    watcher = this;
    for (const auto& events : kWatchedEvents) {
        // A hook refused leaves the move checks of the follow tick alone.
        if (HWINEVENTHOOK hook =
                user32_.setWinEventHook(events[0], events[1], nullptr, &OnEvent, process, thread,
                                        WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS)) {
            hooks_.push_back(hook);
        }
    }
}

void Win32WindowSystem::Unhook() {
    for (HWINEVENTHOOK hook : hooks_) user32_.unhookWinEvent(hook);
    hooks_.clear();
    if (watcher == this) watcher = nullptr;
}

// Every window of the thread reports here, its carets and children too:
// only the watched window's own frame counts.
void CALLBACK Win32WindowSystem::OnEvent(HWINEVENTHOOK, DWORD, HWND hwnd, LONG object, LONG child,
                                         DWORD, DWORD) noexcept {
    if (watcher == nullptr || hwnd != watcher->watched_ || object != OBJID_WINDOW ||
        child != CHILDID_SELF)
        return;
    watcher->moved_();
}

ChangeAnswer Win32WindowSystem::KeepAbove(WindowHandle window, bool above) {
    user32_.setWindowPos(
        ToHwnd(window), above ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
        SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_ASYNCWINDOWPOS);
    return ChangeAnswer::kAccepted;
}

ChangeAnswer Win32WindowSystem::SetOpacity(WindowHandle window, std::uint8_t opacity) {
    const HWND hwnd = ToHwnd(window);
    const LONG style = user32_.getWindowLongA(hwnd, GWL_EXSTYLE);
    if ((style & WS_EX_LAYERED) == 0) user32_.setExtendedStyleLater(hwnd, style | WS_EX_LAYERED);
    user32_.setLayeredWindowAttributes(hwnd, 0, opacity, LWA_ALPHA);
    return ChangeAnswer::kAccepted;
}

void Win32WindowSystem::Activate(WindowHandle window) {
    user32_.setActiveWindow(ToHwnd(window));
}

std::vector<ListedWindow> Win32WindowSystem::TopLevelWindows(WindowHandle window,
                                                             std::size_t titleLength) {
    std::vector<ListedWindow> listed;
    for (HWND h = user32_.getWindow(ToHwnd(window), GW_HWNDFIRST); h != nullptr;
         h = user32_.getWindow(h, GW_HWNDNEXT)) {
        listed.push_back({ToWindowHandle(h), Title(h, titleLength)});
    }
    return listed;
}

std::optional<Text> Win32WindowSystem::Title(HWND window, std::size_t maxLength) const {
    std::string buffer(std::max(kTitleBuffer, maxLength + 1), ' ');
    const int count = static_cast<int>(std::min<std::size_t>(maxLength + 1, INT_MAX));
    // The count answered is not looked at: the NUL says where the title ends.
    user32_.getWindowTextA(window, buffer.data(), count);
    const std::size_t end = buffer.find('\0');
    if (end == std::string::npos) return std::nullopt;
    return FromCodePage(std::string_view(buffer.data(), end));
}

}  // namespace brumelis
