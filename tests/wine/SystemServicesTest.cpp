// The real restore service and library self-registration: found and called
// at run time, and refused cleanly where a library or entry is missing.

#include "core/CRestorePoint.h"
#include "platform/win32/Win32LibraryRegistration.h"
#include "platform/win32/Win32SystemRestore.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace velmora::testing {
namespace {

// The entry point is reached (a missing one answers 120); Wine's stands in
// for the service and refuses, a real one begins a point that then ends.
TEST(Win32SystemRestore, ReachesTheSystemEntryAndEndsWhatItBegins) {
    ASSERT_NE(LoadLibraryA("srclient.dll"), nullptr) << "no restore service to exercise";
    platform::win32::Win32SystemRestore service;
    platform::RestorePointStatus status{120, -1};
    const bool begun = service.setRestorePoint(
        {kBeginSystemChange, kModifySettings, 0, "Restore Point for Velmora"}, status);
    EXPECT_NE(status.status, static_cast<std::uint32_t>(ERROR_CALL_NOT_IMPLEMENTED));
    if (begun) {
        EXPECT_TRUE(
            service.setRestorePoint({kEndSystemChange, 0, status.sequenceNumber, ""}, status));
    }
}

TEST(Win32LibraryRegistration, CallsDllRegisterServerWhereThereIsOne) {
    platform::win32::Win32LibraryRegistration libraries;
    const std::pair<const char*, bool> rows[] = {
        {"oleaut32.dll", true}, {"kernel32.dll", false}, {"no-such-library.dll", false}};
    for (const auto& [library, registered] : rows)
        EXPECT_EQ(libraries.registerServer(library), registered) << library;
}

} // namespace
} // namespace velmora::testing
