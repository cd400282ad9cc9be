#include "platform/sway/sway_bindings.h"

#include <wordexp.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>

namespace brumelis {

namespace {

// Deep enough for a distribution's config.d; a file including itself stops.
constexpr int kIncludeDepth = 4;

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::vector<std::string> Words(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;) words.push_back(word);
    return words;
}

std::optional<Key> KeyNamed(const std::string& name) {
    if (name.size() == 1 && std::isalpha(static_cast<unsigned char>(name[0])))
        return LetterKey(static_cast<char>(std::toupper(static_cast<unsigned char>(name[0]))));
    if (name == "prior" || name == "page_up") return Key::PageUp;
    if (name == "next" || name == "page_down") return Key::PageDown;
    if (name == "home") return Key::Home;
    return std::nullopt;
}

// sway's own names for the modifiers, either spelling; another modifier
// (Mod3, Mod5) makes a chord none of ours.
std::optional<KeyChord> ChordOf(const std::string& combo) {
    KeyChord chord{0, Key::Home};
    bool keyed = false;
    std::istringstream parts(Lower(combo));
    for (std::string part; std::getline(parts, part, '+');) {
        if (part == "mod4" || part == "super") {
            chord.modifiers |= kSuperModifier;
        } else if (part == "ctrl" || part == "control") {
            chord.modifiers |= kControlModifier;
        } else if (part == "shift") {
            chord.modifiers |= kShiftModifier;
        } else if (part == "mod1" || part == "alt") {
            chord.modifiers |= kAltModifier;
        } else if (const auto key = KeyNamed(part); key && !keyed) {
            chord.key = *key;
            keyed = true;
        } else {
            return std::nullopt;
        }
    }
    if (!keyed) return std::nullopt;
    return chord;
}

class ConfigReader {
public:
    void Read(const std::string& config, int depth) {
        std::istringstream lines(config);
        for (std::string line; std::getline(lines, line);) Line(Replaced(line), depth);
    }
    std::vector<KeyChord> bound;

private:
    enum class Block { kMode, kBindings, kOther };

    bool InDefaultMode() const {
        return std::find(blocks_.begin(), blocks_.end(), Block::kMode) == blocks_.end();
    }

    void Line(const std::string& line, int depth) {
        std::vector<std::string> words = Words(line);
        if (words.empty() || words[0][0] == '#') return;
        if (words[0] == "}") {
            if (!blocks_.empty()) blocks_.pop_back();
            return;
        }
        if (!blocks_.empty() && blocks_.back() == Block::kBindings) {
            Bind(words[0]);
            return;
        }
        if (words[0] == "set" && words.size() >= 3 && words[1][0] == '$') {
            variables_[words[1]] = line.substr(line.find(words[2], line.find(words[1]) + 1));
        } else if (words[0] == "include" && words.size() >= 2) {
            Include(line.substr(line.find("include") + 7), depth);
        } else if (words[0] == "bindsym") {
            const auto combo = std::find_if(words.begin() + 1, words.end(), [](const auto& word) {
                return word.rfind("--", 0) != 0;
            });
            if (combo == words.end()) return;
            if (*combo == "{") {
                blocks_.push_back(Block::kBindings);
            } else {
                Bind(*combo);
            }
            return;
        }
        if (words.back() == "{")
            blocks_.push_back(words[0] == "mode" ? Block::kMode : Block::kOther);
    }

    void Bind(const std::string& combo) {
        if (!InDefaultMode()) return;
        if (const auto chord = ChordOf(combo)) bound.push_back(*chord);
    }

    // As sway does: the variables, then the shell's words (no commands).
    void Include(const std::string& paths, int depth) {
        if (depth >= kIncludeDepth) return;
        wordexp_t expanded{};
        if (wordexp(paths.c_str(), &expanded, WRDE_NOCMD) != 0) return;
        for (std::size_t i = 0; i < expanded.we_wordc; ++i) {
            std::ifstream file(expanded.we_wordv[i]);
            std::stringstream text;
            text << file.rdbuf();
            const std::vector<Block> outer = std::move(blocks_);
            blocks_.clear();
            Read(text.str(), depth + 1);
            blocks_ = outer;
        }
        wordfree(&expanded);
    }

    // The longest names first, so that $mod does not cut $modifier.
    std::string Replaced(std::string line) const {
        for (auto it = variables_.rbegin(); it != variables_.rend(); ++it) {
            for (std::size_t at; (at = line.find(it->first)) != std::string::npos;)
                line.replace(at, it->first.size(), it->second);
        }
        return line;
    }

    std::map<std::string, std::string> variables_;
    std::vector<Block> blocks_;
};

}  // namespace

std::string SwayChordText(const KeyChord& chord) {
    std::string text;
    if (chord.modifiers & kSuperModifier) text += "Mod4+";
    if (chord.modifiers & kControlModifier) text += "Ctrl+";
    if (chord.modifiers & kShiftModifier) text += "Shift+";
    if (chord.modifiers & kAltModifier) text += "Mod1+";
    switch (chord.key) {
        case Key::PageUp: return text + "Prior";
        case Key::PageDown: return text + "Next";
        case Key::Home: return text + "Home";
    }
    return text + static_cast<char>(std::tolower(static_cast<int>(chord.key)));
}

std::vector<KeyChord> SwayBoundChords(const std::string& config) {
    ConfigReader reader;
    reader.Read(config, 0);
    return reader.bound;
}

bool SameChord(const KeyChord& a, const KeyChord& b) {
    return a.modifiers == b.modifiers && a.key == b.key;
}

}  // namespace brumelis
