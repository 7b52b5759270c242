#include "contract/Contracts.h"
#include "platform/portable/MemoryRegistry.h"

namespace velmora::testing {

INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(Backend<RegistryWorld>{
                             "Memory",
                             [] {
                                 return std::make_unique<RegistryWorld>(RegistryWorld{
                                     std::make_unique<platform::portable::MemoryRegistry>(),
                                     "run"});
                             }}),
                         BackendName);

} // namespace velmora::testing
