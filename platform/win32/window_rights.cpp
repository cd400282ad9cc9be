#include "platform/win32/window_rights.h"

#include <algorithm>

namespace brumelis {

namespace {

// TOKEN_MANDATORY_LABEL and the one SID it points to.
constexpr DWORD kLabelBuffer = sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE;

}  // namespace

WindowRights::Known& WindowRights::Find(HWND window) {
    // Never waits on the window's thread; a window gone answers 0.
    DWORD process = 0;
    const DWORD thread = calls_.getWindowThreadProcessId(window, &process);
    auto known = std::find_if(known_.begin(), known_.end(),
                              [&](const Known& k) { return k.window == window; });
    if (known != known_.end() && known->thread == thread && known->process == process)
        return *known;
    if (known != known_.end()) {
        known_.erase(known);
    } else if (known_.size() == kRemembered) {
        known_.erase(known_.begin());
    }
    const bool refuses = thread != 0 && LevelAboveOurs(process);
    known_.push_back(Known{window, thread, process, refuses, std::nullopt});
    return known_.back();
}

bool WindowRights::Refuses(HWND window) {
    return Find(window).refuses;
}

bool WindowRights::DrawsItself(HWND window, LONG exStyle) {
    Known* known = nullptr;
    for (Known& k : known_)
        if (k.window == window) known = &k;
    if (known == nullptr) known = &Find(window);
    if ((exStyle & WS_EX_LAYERED) == 0) {
        known->takesAlphaUnder = exStyle | WS_EX_LAYERED;
        return false;
    }
    if (known->takesAlphaUnder == exStyle) return false;
    COLORREF key = 0;
    BYTE alpha = 0;
    DWORD flags = 0;
    if (!calls_.getLayeredWindowAttributes(window, &key, &alpha, &flags)) {
        known->takesAlphaUnder.reset();
        return true;
    }
    known->takesAlphaUnder = exStyle;
    return false;
}

bool WindowRights::LevelAboveOurs(DWORD processId) {
    if (!ownLevelRead_) {
        ownLevel_ = IntegrityLevel(::GetCurrentProcess());
        ownLevelRead_ = true;
    }
    if (!ownLevel_) return false;
    // Granted for a program run as administrator too: only its level is read.
    const HANDLE process = calls_.openProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId);
    if (process == nullptr) return false;
    const std::optional<DWORD> level = IntegrityLevel(process);
    calls_.closeHandle(process);
    return level && *level > *ownLevel_;
}

std::optional<DWORD> WindowRights::IntegrityLevel(HANDLE process) const {
    HANDLE token = nullptr;
    if (!calls_.openProcessToken(process, TOKEN_QUERY, &token)) return std::nullopt;
    alignas(TOKEN_MANDATORY_LABEL) unsigned char buffer[kLabelBuffer];
    DWORD size = 0;
    const BOOL read =
        calls_.getTokenInformation(token, TokenIntegrityLevel, buffer, sizeof buffer, &size);
    calls_.closeHandle(token);
    if (!read) return std::nullopt;
    const auto* sid =
        static_cast<const SID*>(reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer)->Label.Sid);
    if (sid == nullptr || sid->SubAuthorityCount == 0) return std::nullopt;
    return sid->SubAuthority[sid->SubAuthorityCount - 1];
}

}  // namespace brumelis
