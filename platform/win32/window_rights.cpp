#include "platform/win32/window_rights.h"

namespace brumelis {

namespace {

// TOKEN_MANDATORY_LABEL and the one SID it points to.
constexpr DWORD kLabelBuffer = sizeof(TOKEN_MANDATORY_LABEL) + SECURITY_MAX_SID_SIZE;

}  // namespace

WindowRights::Known& WindowRights::Find(HWND window) {
    for (Known& known : known_)
        if (known.window == window) return known;
    if (known_.size() == kRemembered) known_.erase(known_.begin());
    known_.push_back(Known{window, LevelAboveOurs(window), std::nullopt});
    return known_.back();
}

bool WindowRights::Refuses(HWND window) {
    return Find(window).refuses;
}

bool WindowRights::DrawsItself(HWND window, LONG exStyle) {
    Known& known = Find(window);
    if (!known.drawsItself) {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        known.drawsItself = (exStyle & WS_EX_LAYERED) != 0 &&
                            !calls_.getLayeredWindowAttributes(window, &key, &alpha, &flags);
    }
    return *known.drawsItself;
}

bool WindowRights::LevelAboveOurs(HWND window) {
    if (!ownLevelRead_) {
        ownLevel_ = IntegrityLevel(::GetCurrentProcess());
        ownLevelRead_ = true;
    }
    if (!ownLevel_) return false;
    DWORD processId = 0;
    if (calls_.getWindowThreadProcessId(window, &processId) == 0) return false;
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
