#include "contract/RegistryContract.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/win32/Win32Registry.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace velmora::testing {

namespace {

std::string processTag() {
    char tag[16];
    std::snprintf(tag, sizeof tag, "p%lu", GetCurrentProcessId());
    return tag;
}

} // namespace

// The same cases on the real registry and on the in-memory store, in one
// run, so that the two cannot drift apart.
INSTANTIATE_TEST_SUITE_P(
    Backends, RegistryContract,
    ::testing::Values(
        RegistryBackend{"Win32", [] { return std::make_unique<platform::win32::Win32Registry>(); },
                        processTag()},
        RegistryBackend{"Memory",
                        [] { return std::make_unique<platform::portable::MemoryRegistry>(); },
                        processTag()}),
    RegistryBackendName);

// Byte-for-byte text round trips assume the Western European code page the
// program's language files are written in.
TEST(Win32Registry, RunsUnderTheWindows1252CodePage) {
    EXPECT_EQ(GetACP(), 1252u);
}

} // namespace velmora::testing
