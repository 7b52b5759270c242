#include "contract/Contracts.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/win32/Win32Registry.h"

#include <windows.h>

namespace velmora::testing {

// The same cases on the real registry and on the in-memory store, in one
// run, so that the two cannot drift apart; the process id keeps runs apart.
template <typename Store> std::unique_ptr<RegistryWorld> world() {
    std::string tag = "p"; // "p" + to_string() trips GCC 12's -Wrestrict
    tag += std::to_string(GetCurrentProcessId());
    return std::make_unique<RegistryWorld>(RegistryWorld{std::make_unique<Store>(), tag});
}
INSTANTIATE_TEST_SUITE_P(
    Backends, RegistryContract,
    ::testing::Values(Backend<RegistryWorld>{"Win32", world<platform::win32::Win32Registry>},
                      Backend<RegistryWorld>{"Memory", world<platform::portable::MemoryRegistry>}),
    BackendName);

// Byte-for-byte text round trips assume the Western European code page the
// program's language files are written in.
TEST(Win32Registry, RunsUnderTheWindows1252CodePage) {
    EXPECT_EQ(GetACP(), 1252u);
}

} // namespace velmora::testing
