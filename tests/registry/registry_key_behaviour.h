// The behaviour suite of RegistryKey, written once and run against every
// backend: each test works in its own scratch key below HKEY_CURRENT_USER,
// wiped before and after, and ends with no key handle left open.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/failure.h"
#include "registry/registry_key.h"
#include "tests/registry/registry_backend.h"
#include "tests/registry/tracking_registry_calls.h"
#include "tests/support/value_printer.h"

namespace brumelis::registry_tests {

struct StoredValue {
    std::uint32_t type = 0;
    std::string data;
};

// Text data as stored: the bytes and their terminating NUL.
inline std::string Sz(const std::string& text) {
    return text + std::string(1, '\0');
}

inline DynamicValue Names(std::vector<Text> names) {
    return DynamicValue(TextArray(std::move(names)));
}

// Deletes a key with all its subkeys; false when something stayed.
bool DeleteTree(RegistryCalls& calls, RegistryHandle root, const std::string& path);

// A raised failure with exactly that number, source and description.
::testing::AssertionResult RaisesFailure(const std::function<void()>& operation,
                                         std::int32_t number, const Text& source,
                                         const Text& description);
// The calling thread's error record holds exactly that.
::testing::AssertionResult RecordIs(std::int32_t number, const Text& source,
                                    const Text& description);
::testing::AssertionResult RecordIsClear();

// Operations that neither record nor clear leave this in place.
void PlantSentinelRecord();
::testing::AssertionResult SentinelRecordKept();

class RegistryKeyBehaviour : public ::testing::TestWithParam<BackendFactory> {
protected:
    void SetUp() override;
    void TearDown() override;

    // What RegistryKey instances talk to: the backend, counted.
    TrackingRegistryCalls& Calls() { return *tracker_; }
    RegistryKey NewKey() { return RegistryKey(*tracker_); }
    RegistryHandle Root() const { return registry::kCurrentUser; }
    // The scratch key, and paths below it, as RegistryKey takes them.
    Text Path(const std::string& below = std::string()) const;
    // An open handle on the scratch key, for paths relative to it.
    RegistryHandle Scratch() const { return scratch_; }

    // Direct access below the scratch key, past the tracker. `size` bytes of
    // `bytes` are written; bytes beyond that stay readable to the call.
    void PutKey(const std::string& below);
    void PutValue(const std::string& below, const std::string& name, std::uint32_t type,
                  const std::string& bytes, std::uint32_t size);
    void PutText(const std::string& below, const std::string& name, const std::string& text);
    bool KeyExists(const std::string& below);
    std::optional<StoredValue> GetValue(const std::string& below, const std::string& name);

    RegistryCalls& Backend() { return backend_->Calls(); }

private:
    RegistryHandle OpenBelow(const std::string& below);

    std::unique_ptr<RegistryBackend> backend_;
    std::unique_ptr<TrackingRegistryCalls> tracker_;
    std::string scratchPath_;
    RegistryHandle scratch_ = 0;
};

}  // namespace brumelis::registry_tests
