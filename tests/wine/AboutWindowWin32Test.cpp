// What the about window asks of the real system: its own registry reader
// with the read-and-change rights, and starting a program without waiting.

#include "core/frmAbout.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

TEST(AboutWindowWin32, GetKeyValueReadsTheRealRegistry) {
    const std::string key = "Software\\VelmoraAboutTest";
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
    platform::win32::Win32Registry registry;
    std::string value = "stale";
    EXPECT_FALSE(GetKeyValue(registry, platform::HKCU, key, "PATH", value));
    EXPECT_EQ(value, "");

    const char path[] = "C:\\Program Files\\Tools\\msinfo32.exe";
    SHSetValueA(HKEY_CURRENT_USER, key.c_str(), "PATH", REG_SZ, path, sizeof path);
    EXPECT_TRUE(GetKeyValue(registry, platform::HKCU, key, "PATH", value));
    EXPECT_EQ(value, path);

    const std::string tooLong(1024, 'x');
    SHSetValueA(HKEY_CURRENT_USER, key.c_str(), "Long", REG_SZ, tooLong.c_str(),
                static_cast<DWORD>(tooLong.size() + 1));
    EXPECT_FALSE(GetKeyValue(registry, platform::HKCU, key, "Long", value));
    SHDeleteKeyA(HKEY_CURRENT_USER, key.c_str());
}

TEST(AboutWindowWin32, StartReportsWhetherTheProgramStarted) {
    platform::win32::Win32Shell shell;
    char system[MAX_PATH];
    GetSystemDirectoryA(system, MAX_PATH);
    std::string command(1, '"');
    command.append(system).append("\\cmd.exe\" /c exit 3");
    EXPECT_TRUE(shell.start(command, SW_HIDE));
    EXPECT_FALSE(shell.start("\"C:\\no such folder\\msinfo32.exe\"", SW_SHOWNORMAL));
}

} // namespace
} // namespace velmora::testing
