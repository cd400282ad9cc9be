#include "toolbar/pinned_list.h"

namespace brumelis {

Text PinnedItem(WindowHandle window) {
    char16_t digits[12];
    int count = 0;
    // Works on the magnitude as unsigned so that the most negative handle is safe.
    std::uint32_t magnitude =
        window < 0 ? 0u - static_cast<std::uint32_t>(window) : static_cast<std::uint32_t>(window);
    do {
        digits[count++] = static_cast<char16_t>(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    // No reserve: items of up to seven characters stay in the string's own
    // buffer, longer ones grow once.
    Text item;
    item.push_back(u';');
    if (window < 0) item.push_back(u'-');
    while (count > 0) item.push_back(digits[--count]);
    item.push_back(u';');
    return item;
}

bool IsPinned(const Text& pinned, WindowHandle window) {
    return pinned.find(PinnedItem(window)) != Text::npos;
}

}  // namespace brumelis
