// The keys of a chord as the drivers name it ("Super+Ctrl+Shift+PageUp"),
// as X keysyms, which are also GDK's and Clutter's keyvals; empty when a
// name is unknown. Modifiers first, in the chord's order.
#pragma once

#include <X11/keysym.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace brumelis::test_support {

inline std::vector<unsigned> ChordKeysyms(const std::string& chord) {
    static const std::pair<const char*, unsigned> kNamed[] = {
        {"Super", XK_Super_L}, {"Ctrl", XK_Control_L}, {"Shift", XK_Shift_L}, {"Alt", XK_Alt_L},
        {"PageUp", XK_Prior},  {"PageDown", XK_Next},  {"Home", XK_Home}};
    std::vector<unsigned> keys;
    std::size_t start = 0;
    while (start <= chord.size()) {
        const std::size_t end = std::min(chord.find('+', start), chord.size());
        const std::string name = chord.substr(start, end - start);
        unsigned key = name.size() == 1 && name[0] >= 'A' && name[0] <= 'Z'
                           ? static_cast<unsigned>(XK_a + (name[0] - 'A'))
                           : 0;
        for (const auto& [named, sym] : kNamed)
            if (name == named) key = sym;
        if (key == 0) return {};
        keys.push_back(key);
        start = end + 1;
    }
    return keys;
}

}  // namespace brumelis::test_support
