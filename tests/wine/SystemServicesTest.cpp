// The real restore service and library self-registration: found and called
// at run time, and refused cleanly where a library or entry is missing.

#include "core/CRestorePoint.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LibraryRegistration.h"
#include "platform/win32/Win32SystemRestore.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace velmora::testing {
namespace {

TEST(Win32SystemRestore, BeginsAndEndsARestorePointThroughTheSystemEntry) {
    ASSERT_NE(LoadLibraryA("srclient.dll"), nullptr) << "no restore service to exercise";
    platform::win32::Win32SystemRestore service;
    platform::win32::Win32FileSystem files;
    CSystemRestore restore(service, files);
    std::unique_ptr<CRestorePoint> point;
    ASSERT_NO_THROW(point =
                        restore.BeginRestorePoint(kModifySettings, "Restore Point for Velmora"));
    EXPECT_TRUE(point->valid());
    EXPECT_NO_THROW(point->EndRestorePoint());
    EXPECT_TRUE(point->ended());
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
