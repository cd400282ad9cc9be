// What the behaviour suite needs of a backend: its registry calls. Each test program instantiates
// the suite with its backends.
#pragma once

#include <memory>
#include <string>

#include "platform/registry_calls.h"

namespace brumelis::registry_tests {

class RegistryBackend {
public:
    virtual ~RegistryBackend() = default;
    virtual RegistryCalls& Calls() = 0;
};

using BackendFactory = std::unique_ptr<RegistryBackend> (*)();

template <typename CallsType>
class OwningBackend final : public RegistryBackend {
public:
    RegistryCalls& Calls() override { return calls_; }

private:
    CallsType calls_;
};

template <typename CallsType>
std::unique_ptr<RegistryBackend> MakeBackend() {
    return std::make_unique<OwningBackend<CallsType>>();
}

}  // namespace brumelis::registry_tests
