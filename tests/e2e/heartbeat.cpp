#include "tests/e2e/heartbeat.h"

#include <chrono>

namespace brumelis::e2e {
namespace {

using namespace test_support;

constexpr DWORD kPeriodMilliseconds = 50;
// Past this a beat counts as lost: the loop never came back.
constexpr auto kGiveUp = std::chrono::seconds(30);

LONG ButtonType(HWND button) {
    return GetWindowLongW(button, GWL_STYLE) & BS_TYPEMASK;
}

}  // namespace

Heartbeat::Heartbeat(HWND pushButton)
    : button_(pushButton), stop_(CreateEventW(nullptr, TRUE, FALSE, nullptr)) {
    thread_ = std::thread([this] { Beat(); });
}

Heartbeat::~Heartbeat() {
    Stop();
    CloseHandle(stop_);
}

Milliseconds Heartbeat::Stop() {
    SetEvent(stop_);
    if (thread_.joinable()) thread_.join();
    return std::chrono::duration_cast<Milliseconds>(
        std::chrono::microseconds(worstMicroseconds_.load()));
}

void Heartbeat::Beat() {
    const LONG original = ButtonType(button_);
    LONG type = original;
    do {
        type = type == BS_DEFPUSHBUTTON ? BS_PUSHBUTTON : BS_DEFPUSHBUTTON;
        const auto posted = std::chrono::steady_clock::now();
        // FALSE: no redraw, so the beat leaves the screen alone.
        if (!PostMessageW(button_, BM_SETSTYLE, static_cast<WPARAM>(type), FALSE)) return;
        while (ButtonType(button_) != type && std::chrono::steady_clock::now() - posted < kGiveUp)
            Sleep(1);
        const auto waited = std::chrono::duration_cast<std::chrono::microseconds>(
            std::chrono::steady_clock::now() - posted);
        if (waited.count() > worstMicroseconds_) worstMicroseconds_ = waited.count();
        ++beats_;
    } while (WaitForSingleObject(stop_, kPeriodMilliseconds) == WAIT_TIMEOUT);
    PostMessageW(button_, BM_SETSTYLE, static_cast<WPARAM>(original), FALSE);
}

}  // namespace brumelis::e2e
