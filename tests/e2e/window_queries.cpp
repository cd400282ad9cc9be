#include "tests/e2e/window_queries.h"

namespace brumelis::e2e {

Rect WindowRect(HWND window) {
    RECT r{};
    if (!GetWindowRect(window, &r)) return {};
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

LONG ExStyle(HWND window) {
    return GetWindowLongW(window, GWL_EXSTYLE);
}

bool IsTopmost(HWND window) {
    return (ExStyle(window) & WS_EX_TOPMOST) != 0;
}

std::optional<std::uint8_t> LayeredAlpha(HWND window) {
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!GetLayeredWindowAttributes(window, &key, &alpha, &flags)) return std::nullopt;
    if ((flags & LWA_ALPHA) == 0) return std::nullopt;
    return alpha;
}

std::wstring WindowText(HWND window) {
    wchar_t buffer[1024];
    const int length = GetWindowTextW(window, buffer, 1024);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

std::wstring ClassName(HWND window) {
    wchar_t buffer[256];
    const int length = GetClassNameW(window, buffer, 256);
    return std::wstring(buffer, static_cast<std::size_t>(length > 0 ? length : 0));
}

DWORD ProcessOf(HWND window) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> windows;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT))
        if (ProcessOf(h) == processId) windows.push_back(h);
    return windows;
}

int ZOrderIndex(HWND window) {
    int index = 0;
    for (HWND h = GetTopWindow(nullptr); h != nullptr; h = GetWindow(h, GW_HWNDNEXT), ++index)
        if (h == window) return index;
    return -1;
}

bool BelongsTo(HWND window, HWND root) {
    return window != nullptr && (window == root || IsChild(root, window));
}

namespace {

struct ClassSearch {
    const std::wstring* name;
    HWND found;
};

BOOL CALLBACK MatchClass(HWND child, LPARAM data) {
    auto* search = reinterpret_cast<ClassSearch*>(data);
    if (lstrcmpiW(ClassName(child).c_str(), search->name->c_str()) != 0) return TRUE;
    search->found = child;
    return FALSE;
}

}  // namespace

HWND DescendantOfClass(HWND parent, const std::wstring& className) {
    ClassSearch search{&className, nullptr};
    EnumChildWindows(parent, &MatchClass, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

}  // namespace brumelis::e2e
