#include "platform/fake/in_memory_registry_tree.h"

#include <algorithm>

#include "platform/registry_calls.h"

namespace brumelis::fake_registry {

namespace {

// Wine converts an A call's key path into a buffer of 260 characters and
// refuses path elements longer than 256 characters.
constexpr std::size_t kMaxPathLength = 260;
constexpr std::size_t kMaxElementLength = 256;

char FoldChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    const bool asciiLower = u >= 'a' && u <= 'z';
    const bool latinLower = u >= 0xE0 && u <= 0xFE && u != 0xF7;
    return (asciiLower || latinLower) ? static_cast<char>(u - 0x20) : c;
}

}  // namespace

std::string FoldName(const std::string& name) {
    std::string folded = name;
    std::transform(folded.begin(), folded.end(), folded.begin(), FoldChar);
    return folded;
}

std::string AsCString(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

ParsedPath ParseKeyPath(const std::string& path) {
    ParsedPath parsed;
    if (path.size() > kMaxPathLength) {
        parsed.status = registry::kMoreData;
        return parsed;
    }
    if (!path.empty() && path.front() == '\\') {
        parsed.status = registry::kBadPathname;
        return parsed;
    }
    std::size_t start = 0;
    while (start < path.size()) {
        std::size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        if (end - start > kMaxElementLength) {
            parsed.status = registry::kInvalidParameter;
            parsed.elements.clear();
            return parsed;
        }
        if (end > start) parsed.elements.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parsed;
}

Key::Key(std::string name, bool isVolatile, bool predefined)
    : name_(std::move(name)),
      folded_(FoldName(name_)),
      volatile_(isVolatile),
      predefined_(predefined) {}

std::vector<std::shared_ptr<Key>>::const_iterator Key::SubkeyPosition(
    const std::string& folded) const {
    return std::lower_bound(subkeys_.begin(), subkeys_.end(), folded,
                            [](const std::shared_ptr<Key>& key, const std::string& wanted) {
                                return key->folded_ < wanted;
                            });
}

std::shared_ptr<Key> Key::FindSubkey(const std::string& name) const {
    const std::string folded = FoldName(name);
    auto position = SubkeyPosition(folded);
    if (position != subkeys_.end() && (*position)->folded_ == folded) return *position;
    return nullptr;
}

std::shared_ptr<Key> Key::AddSubkey(const std::string& name, bool isVolatile) {
    auto key = std::make_shared<Key>(name, isVolatile, false);
    key->parent_ = this;
    subkeys_.insert(SubkeyPosition(key->folded_), key);
    return key;
}

void Key::Delete() {
    if (parent_) {
        auto& siblings = parent_->subkeys_;
        siblings.erase(
            std::find_if(siblings.begin(), siblings.end(),
                         [this](const std::shared_ptr<Key>& k) { return k.get() == this; }));
    }
    parent_ = nullptr;
    deleted_ = true;
}

const Value* Key::FindValue(const std::string& name) const {
    auto found = valueIndex_.find(FoldName(name));
    return found == valueIndex_.end() ? nullptr : &values_[found->second];
}

void Key::SetValue(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data) {
    const std::string folded = FoldName(name);
    auto found = valueIndex_.find(folded);
    if (found != valueIndex_.end()) {
        values_[found->second].type = type;
        values_[found->second].data = std::move(data);
        return;
    }
    valueIndex_.emplace(folded, values_.size());
    values_.push_back(Value{name, type, std::move(data)});
}

bool Key::DeleteValue(const std::string& name) {
    auto found = valueIndex_.find(FoldName(name));
    if (found == valueIndex_.end()) return false;
    values_.erase(values_.begin() + static_cast<std::ptrdiff_t>(found->second));
    IndexValues();
    return true;
}

void Key::IndexValues() {
    valueIndex_.clear();
    for (std::size_t i = 0; i < values_.size(); ++i)
        valueIndex_.emplace(FoldName(values_[i].name), i);
}

}  // namespace brumelis::fake_registry
