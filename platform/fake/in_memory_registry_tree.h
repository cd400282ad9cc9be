// The keys and values of the in-memory registry, and the rules for their names
// and paths. Private to the in-memory registry.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace brumelis::fake_registry {

// Names compare in this form: ASCII and Latin-1 letters in upper case.
std::string FoldName(const std::string& name);

// The text a C string argument carries: everything before the first NUL.
std::string AsCString(const std::string& text);

struct ParsedPath {
    std::int32_t status = 0;
    std::vector<std::string> elements;
};
ParsedPath ParseKeyPath(const std::string& path);

struct Value {
    std::string name;
    std::uint32_t type = 0;
    std::vector<std::uint8_t> data;
};

class Key {
public:
    Key(std::string name, bool isVolatile, bool predefined);

    const std::string& Name() const { return name_; }
    bool IsVolatile() const { return volatile_; }
    bool IsPredefined() const { return predefined_; }
    bool IsDeleted() const { return deleted_; }

    // Subkeys, in case-insensitive order of their names.
    std::size_t SubkeyCount() const { return subkeys_.size(); }
    const std::shared_ptr<Key>& SubkeyAt(std::size_t index) const { return subkeys_[index]; }
    std::shared_ptr<Key> FindSubkey(const std::string& name) const;
    std::shared_ptr<Key> AddSubkey(const std::string& name, bool isVolatile);

    // Detaches the key from its parent; its open handles keep it alive.
    void Delete();

    // Values, in the order of their first creation.
    std::size_t ValueCount() const { return values_.size(); }
    const Value& ValueAt(std::size_t index) const { return values_[index]; }
    const Value* FindValue(const std::string& name) const;
    void SetValue(const std::string& name, std::uint32_t type, std::vector<std::uint8_t> data);
    bool DeleteValue(const std::string& name);

private:
    std::vector<std::shared_ptr<Key>>::const_iterator SubkeyPosition(
        const std::string& folded) const;
    void IndexValues();

    std::string name_;
    std::string folded_;
    bool volatile_;
    bool predefined_;
    bool deleted_ = false;
    Key* parent_ = nullptr;
    std::vector<std::shared_ptr<Key>> subkeys_;
    std::vector<Value> values_;
    std::map<std::string, std::size_t> valueIndex_;
};

}  // namespace brumelis::fake_registry
