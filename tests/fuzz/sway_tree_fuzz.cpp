// The JSON sway answers with, as each of its parsers reads it: a tree, a
// window event, a command's answer. A tree's windows are found by their id.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/sway/sway_tree.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view json(reinterpret_cast<const char*>(data), size);
    if (const auto tree = brumelis::ParseSwayTree(json)) {
        for (const auto& window : tree->windows)
            if (tree->Find(window.id) == nullptr) std::abort();
    }
    brumelis::ParseSwayWindowEvent(json);
    brumelis::SwayCommandSucceeded(json);
    return 0;
}
