// The behaviour suite over the in-memory registry.
#include "platform/fake/in_memory_registry.h"
#include "tests/registry/registry_key_behaviour.h"

namespace brumelis::registry_tests {

INSTANTIATE_TEST_SUITE_P(InMemory, RegistryKeyBehaviour,
                         ::testing::Values(&MakeBackend<InMemoryRegistry>));

}  // namespace brumelis::registry_tests
