// The waiting runner with real processes, and the setup engine's install of
// a setup file edited by the program, both run for real.

#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Shell.h"
#include "reinstall/BrowserRepairs.h"
#include "reinstall/SetupInfReinstall.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>

namespace velmora::testing {
namespace {

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(RunAndWait, ReturnsWhenTheProcessHasEndedOrAtOnceWhenItCannotStart) {
    Win32ScratchFolder scratch;
    const std::string spaced = scratch.at("with space");
    ASSERT_TRUE(CreateDirectoryA(spaced.c_str(), nullptr));
    platform::win32::Win32Shell shell;
    const struct {
        std::string command;
        long exitCode;
        std::string file, content; // what the command leaves behind
    } cases[] = {
        {"cmd.exe /c \"echo \"a b\"> \"" + spaced + "\\out file.txt\" & exit 7\"", 7,
         spaced + "\\out file.txt", "\"a b\" \r\n"},
        {"cmd.exe /c \"echo done> \"" + scratch.at("last") + "\"\"", 0, scratch.at("last"),
         "done\r\n"},
        {"no-such-program-of-velmora.exe /x", -1, "", ""},
        {"\"" + spaced + "\\missing.exe\" \"quoted arg\"", -1, "", ""},
    };
    for (const auto& row : cases) {
        const DWORD started = GetTickCount();
        EXPECT_EQ(shell.runAndWait(row.command, 10), row.exitCode) << row.command;
        if (!row.file.empty())
            EXPECT_EQ(ReadAll(row.file), row.content) << row.command;
        else
            EXPECT_LT(GetTickCount() - started, 2000u) << row.command;
        // The program's runner reports nothing whatever happens.
        RunAndWait(shell, row.command);
    }
}

TEST(SetupInstall, TheEditedSetupFileIsInstalledFromAFolderWithBlanks) {
    Win32ScratchFolder scratch;
    const std::string folder = scratch.at("Outlook Express");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string inf = folder + "\\msoe50.inf";
    // Only the edited AddReg names the section that writes "edited".
    std::ofstream(inf, std::ios::binary)
        << "[Version]\r\nSignature=\"$CHICAGO$\"\r\n"
           "LayoutFile=layout.inf\r\n"
           "[DefaultInstall]\r\nAddReg=Old.Reg\r\n"
           "[file.copy.permanent]\r\n[file.copy.sys]\r\n"
           "[file.copy.sys.roll]\r\n[file.copy.common.perm]\r\n"
           "[No.Uninstall.Add.Reg]\r\n[RunOnce.Reg]\r\n"
           "[Machine.Add.Reg]\r\n"
           "[Common.Add.Reg]\r\n"
           "HKCU,Software\\VelmoraSetupTest,Installed,,\"edited\"\r\n"
           "[Old.Reg]\r\n"
           "HKCU,Software\\VelmoraSetupTest,Installed,,\"old\"\r\n";
    platform::win32::Win32ProfileStrings profile;
    EditSetupInf(profile, inf);
    // The system keeps written files a while: flush them out.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, inf.c_str());
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelmoraSetupTest");
    platform::win32::Win32Shell shell;
    RunAndWait(shell, SetupInstallCommand(inf));
    char value[64] = "";
    DWORD size = sizeof value;
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\VelmoraSetupTest", 0, KEY_READ, &key),
              ERROR_SUCCESS);
    RegQueryValueExA(key, "Installed", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\VelmoraSetupTest");
    EXPECT_STREQ(value, "edited");
}

} // namespace
} // namespace velmora::testing
