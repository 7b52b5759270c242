#include "contract/RegistryContract.h"
#include "platform/portable/MemoryRegistry.h"

namespace velmora::testing {

INSTANTIATE_TEST_SUITE_P(
    Memory, RegistryContract,
    ::testing::Values(RegistryBackend{
        "Memory", [] { return std::make_unique<platform::portable::MemoryRegistry>(); }, "run"}),
    RegistryBackendName);

} // namespace velmora::testing
