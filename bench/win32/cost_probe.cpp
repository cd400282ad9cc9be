// The other half of scripts/measure-cost.sh, run under Wine beside the
// program being measured.
//   cost_probe still|unfolded|moving SECONDS
//       Shows a window to follow and keeps it in the foreground for SECONDS:
//       still, still with the toolbar unfolded first (a click on its red
//       square), or moving every 16 ms. Prints "ready" once set up.
//   cost_probe startup PROGRAM COUNT
//       Starts PROGRAM COUNT times and prints the time to its first visible
//       window, each time and the median.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <vector>

namespace {

const wchar_t kToolbarCaption[] = L"BrumelisZOLVEC";

double NowMs() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

void PumpFor(double milliseconds) {
    const double end = NowMs() + milliseconds;
    MSG message;
    while (NowMs() < end) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
}

template <typename Condition>
bool WaitFor(Condition condition, double milliseconds) {
    const double end = NowMs() + milliseconds;
    while (NowMs() < end) {
        if (condition()) return true;
        PumpFor(10);
    }
    return condition();
}

struct VisibleWindowSearch {
    DWORD processId;
    HWND found;
};

BOOL CALLBACK MatchVisibleWindow(HWND window, LPARAM parameter) {
    auto* search = reinterpret_cast<VisibleWindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) return TRUE;
    search->found = window;
    return FALSE;
}

HWND VisibleWindowOf(DWORD processId) {
    VisibleWindowSearch search{processId, nullptr};
    EnumWindows(MatchVisibleWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND FindToolbar() {
    for (HWND w = FindWindowW(nullptr, kToolbarCaption); w != nullptr;
         w = FindWindowExW(nullptr, w, nullptr, kToolbarCaption))
        if ((GetWindowLongW(w, GWL_STYLE) & WS_POPUP) != 0 && IsWindowVisible(w)) return w;
    return nullptr;
}

int WidthOf(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r.right - r.left;
}

void SendMouse(DWORD flags, int x, int y) {
    // Fractions of the screen in 1/65536, rounded up to land on the pixel.
    const long long width = GetSystemMetrics(SM_CXSCREEN);
    const long long height = GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = static_cast<LONG>((x * 65536LL + width - 1) / width);
    input.mi.dy = static_cast<LONG>((y * 65536LL + height - 1) / height);
    SendInput(1, &input, sizeof input);
}

// Under Wine a pointer move can be undone by a late X motion event: the
// pointer must stay put before the buttons go down.
bool ClickAt(int x, int y) {
    const auto pointerIsThere = [&] {
        POINT at{};
        return GetCursorPos(&at) && at.x == x && at.y == y;
    };
    for (int attempt = 0; attempt < 20; ++attempt) {
        SendMouse(MOUSEEVENTF_MOVE, x, y);
        PumpFor(100);
        if (!pointerIsThere()) continue;
        SendMouse(MOUSEEVENTF_LEFTDOWN, x, y);
        PumpFor(30);
        SendMouse(MOUSEEVENTF_LEFTUP, x, y);
        PumpFor(30);
        return true;
    }
    return false;
}

HWND ShowTarget() {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"BrumelisCostTarget";
    RegisterClassW(&windowClass);
    HWND target = CreateWindowExW(0, windowClass.lpszClassName, L"Cible",
                                  WS_OVERLAPPED | WS_CAPTION | WS_THICKFRAME, 200, 200, 400, 300,
                                  nullptr, nullptr, windowClass.hInstance, nullptr);
    ShowWindow(target, SW_SHOWNORMAL);
    return target;
}

bool BringToForeground(HWND window) {
    return WaitFor(
        [&] {
            if (GetForegroundWindow() == window) return true;
            SetForegroundWindow(window);
            return false;
        },
        5000);
}

int RunScenario(const wchar_t* scenario, double seconds) {
    HWND target = ShowTarget();
    if (!BringToForeground(target)) return std::fputs("target not in the foreground\n", stderr), 1;
    if (std::wcscmp(scenario, L"unfolded") == 0) {
        HWND toolbar = nullptr;
        if (!WaitFor([&] { return (toolbar = FindToolbar()) != nullptr; }, 10000))
            return std::fputs("no toolbar\n", stderr), 1;
        // It moves to the target's corner on a tick of its own: click once it
        // has stayed put for half a second.
        RECT square{};
        GetWindowRect(toolbar, &square);
        double stillSince = NowMs();
        WaitFor(
            [&] {
                RECT now{};
                GetWindowRect(toolbar, &now);
                if (!EqualRect(&now, &square)) square = now, stillSince = NowMs();
                return NowMs() - stillSince > 500;
            },
            10000);
        const int foldedWidth = WidthOf(toolbar);
        if (!ClickAt(square.left + 4, square.top + 4))
            return std::fputs("the pointer did not reach the toolbar\n", stderr), 1;
        if (!WaitFor([&] { return WidthOf(toolbar) > foldedWidth; }, 5000))
            return std::fputs("the toolbar did not unfold\n", stderr), 1;
        if (!BringToForeground(target)) return 1;
    }
    const bool moving = std::wcscmp(scenario, L"moving") == 0;
    PumpFor(2000);  // let the followers settle before the measured span
    std::puts("ready");
    std::fflush(stdout);
    const double end = NowMs() + seconds * 1000;
    for (int step = 0; NowMs() < end; ++step) {
        if (moving) {
            const int offset = step % 100 < 50 ? step % 50 : 50 - step % 50;
            SetWindowPos(target, nullptr, 200 + 4 * offset, 200 + 2 * offset, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        PumpFor(16);
    }
    return 0;
}

int MeasureStartUps(const wchar_t* program, int count) {
    std::vector<double> times;
    for (int i = 0; i < count; ++i) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        std::vector<wchar_t> commandLine(program, program + std::wcslen(program) + 1);
        const double start = NowMs();
        if (!CreateProcessW(program, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process))
            return std::fprintf(stderr, "cannot start: error %lu\n", GetLastError()), 1;
        const bool shown =
            WaitFor([&] { return VisibleWindowOf(process.dwProcessId) != nullptr; }, 10000);
        const double elapsed = NowMs() - start;
        TerminateProcess(process.hProcess, 0);
        WaitForSingleObject(process.hProcess, 5000);
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
        if (!shown) return std::fputs("no visible window\n", stderr), 1;
        std::printf("start %d: %.0f ms\n", i + 1, elapsed);
        times.push_back(elapsed);
        PumpFor(500);
    }
    std::sort(times.begin(), times.end());
    const std::size_t middle = times.size() / 2;
    const double median =
        times.size() % 2 == 1 ? times[middle] : (times[middle - 1] + times[middle]) / 2;
    std::printf("median: %.0f ms\n", median);
    return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc == 3) return RunScenario(argv[1], _wtof(argv[2]));
    if (argc == 4 && std::wcscmp(argv[1], L"startup") == 0)
        return MeasureStartUps(argv[2], _wtoi(argv[3]));
    std::fputs("usage: cost_probe still|unfolded|moving SECONDS | startup PROGRAM COUNT\n", stderr);
    return 2;
}
