// The tests' own line to sway's IPC socket ($SWAYSOCK), kept open for the
// test program's life: a request and its reply, as swaymsg would send it,
// without starting a process for each look (a dragged window is read every
// few milliseconds).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace brumelis::sway_tests {

enum class IpcRequestType : std::uint32_t { RunCommand = 0, GetOutputs = 3, GetTree = 4 };

// The reply's payload; none when sway could not be reached.
std::optional<std::string> IpcRequest(IpcRequestType type, const std::string& payload = {});

}  // namespace brumelis::sway_tests
