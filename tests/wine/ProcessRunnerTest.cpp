// The waiting runner with real processes, and the setup engine's install of
// a setup file edited by the program, both run for real.

#include "core/modRegistre.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "reinstall/BrowserRepairs.h"
#include "reinstall/SetupInfReinstall.h"
#include "wine/KitFiles.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace velmora::testing {
namespace {

TEST(RunAndWait, ReturnsWhenTheProcessHasEndedOrAtOnceWhenItCannotStart) {
    Win32ScratchFolder scratch;
    const std::string spaced = scratch.at("with space");
    ASSERT_TRUE(CreateDirectoryA(spaced.c_str(), nullptr));
    const std::string out = spaced + "\\out file.txt";
    platform::win32::Win32Shell shell;
    // What the command leaves in out: written before the runner returns.
    const std::tuple<std::string, long, std::string> cases[] = {
        {"cmd.exe /c \"echo \"a b\"> \"" + out + "\" & exit 7\"", 7, "\"a b\" \r\n"},
        {"no-such-program-of-velmora.exe /x", -1, ""},
        {"\"" + spaced + "\\missing.exe\" \"quoted arg\"", -1, ""},
    };
    for (const auto& [command, exitCode, left] : cases) {
        DeleteFileA(out.c_str());
        EXPECT_EQ(shell.runAndWait(command, 10), exitCode) << command;
        EXPECT_EQ(readAll(out), left) << command;
        RunAndWait(shell, command); // the program's runner reports nothing
    }
}

TEST(SetupInstall, TheEditedSetupFileIsInstalledFromAFolderWithBlanks) {
    Win32ScratchFolder scratch;
    const std::string folder = scratch.at("Outlook Express");
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    const std::string inf = folder + "\\msoe50.inf";
    // Only the edited AddReg names the section that writes "edited".
    writeAll(inf, "[Version]\r\nSignature=\"$CHICAGO$\"\r\n[DefaultInstall]\r\nAddReg=Old.Reg\r\n"
                  "[file.copy.permanent]\r\n[file.copy.sys]\r\n[file.copy.sys.roll]\r\n"
                  "[file.copy.common.perm]\r\n[No.Uninstall.Add.Reg]\r\n[RunOnce.Reg]\r\n"
                  "[Machine.Add.Reg]\r\n[Common.Add.Reg]\r\n"
                  "HKCU,Software\\VelmoraSetupTest,Installed,,\"edited\"\r\n"
                  "[Old.Reg]\r\nHKCU,Software\\VelmoraSetupTest,Installed,,\"old\"\r\n");
    platform::win32::Win32ProfileStrings profile;
    EditSetupInf(profile, inf);
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, inf.c_str()); // flushes the cache
    platform::win32::Win32Registry store;
    const modRegistre reg(store);
    reg.DeleteRegTree(platform::HKCU, "Software", "VelmoraSetupTest");
    platform::win32::Win32Shell shell;
    RunAndWait(shell, SetupInstallCommand(inf));
    const std::string installed =
        reg.ReadRegValue(platform::HKCU, "Software\\VelmoraSetupTest", "Installed");
    reg.DeleteRegTree(platform::HKCU, "Software", "VelmoraSetupTest");
    EXPECT_EQ(installed, "edited");
}

} // namespace
} // namespace velmora::testing
