// What only the real API shows: the machine's folders, the process
// environment, files other programs hold open, the shell and the boot mode.

#include "core/FileAPI.h"
#include "core/ModuleDuProjet.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <tuple>
#include <vector>

namespace velmora::testing {
namespace {

using platform::win32::Win32FileSystem;
using Texts = std::vector<std::string>;

// Each ends in one backslash and is a folder.
TEST(Win32FileSystem, FoldersOfTheMachine) {
    Win32FileSystem files;
    char buffer[MAX_PATH + 1];
    std::string temp(buffer, GetTempPathA(sizeof buffer, buffer));
    std::string current(buffer, GetCurrentDirectoryA(sizeof buffer, buffer));
    Texts bad;
    for (const std::string& folder :
         {GetTempFolder(files), GetSpecialFolderPath(files, csidl::ProgramFiles),
          GetSpecialFolderPath(files, csidl::Windows), GetSpecialFolderPath(files, csidl::System),
          GetSpecialFolderPath(files, csidl::SendTo), files.currentFolder() + "\\",
          files.programFolder() + "\\"})
        if (folder.size() < 3 || folder.back() != '\\' || folder[folder.size() - 2] == '\\' ||
            (GetFileAttributesA(folder.c_str()) & 0x80000010u) != FILE_ATTRIBUTE_DIRECTORY)
            bad.push_back(folder); // INVALID_FILE_ATTRIBUTES has the top bit set
    EXPECT_EQ(bad, Texts{});
    EXPECT_EQ(
        (Texts{GetTempFolder(files), GetSpecialFolderPath(files, 0x7777), files.currentFolder(),
               std::to_string(GetFileAttributesA(
                   (files.programFolder() + "\\velmora_wine_tests.exe").c_str()))}),
        (Texts{temp, "", current, std::to_string(FILE_ATTRIBUTE_ARCHIVE)}));
}

// Up to the system's limit of 32K characters; past it the text stays.
TEST(Win32FileSystem, ExpEnvStrUsesTheProcessEnvironment) {
    Win32FileSystem files;
    const std::string system = GetSpecialFolderPath(files, csidl::System);
    const std::string expanded = ExpEnvStr(files, "%SystemRoot%\\system32\\");
    EXPECT_EQ(lstrcmpiA(expanded.c_str(), system.c_str()), 0) << expanded << " / " << system;
    const std::string big(30000, 'b');
    ASSERT_TRUE(SetEnvironmentVariableA("VELMORA_BIG", big.c_str()));
    EXPECT_EQ(
        (Texts{ExpEnvStr(files, "%VELMORA_BIG%!"), ExpEnvStr(files, "%VELMORA_BIG%%VELMORA_BIG%")}),
        (Texts{big + "!", "%VELMORA_BIG%%VELMORA_BIG%"}));
    SetEnvironmentVariableA("VELMORA_BIG", nullptr);
}

// Another program holding the file open shares reads and writes, reads only
// (then the text cannot be written), or nothing: then the empty text.
TEST(Win32FileSystem, ReadTextFileReadsFilesOthersHaveOpen) {
    Win32ScratchFolder folder;
    Win32FileSystem files;
    const std::string path = folder.at("in-use.txt");
    ASSERT_TRUE(files.writeFile(path, "being written"));
    Texts got;
    for (DWORD share : std::vector<DWORD>{FILE_SHARE_READ | FILE_SHARE_WRITE, FILE_SHARE_READ, 0}) {
        HANDLE other = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, share, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(other, INVALID_HANDLE_VALUE);
        got.push_back(ReadTextFile(files, path));
        if (share == FILE_SHARE_READ)
            got.push_back(WriteTextFile(files, path, "other", false) ? "written" : "refused");
        CloseHandle(other);
    }
    EXPECT_EQ(got, (Texts{"being written", "being written", "refused", ""}));
}

// Started without waiting, as the about window starts the system tool (the
// waiting runner is ProcessRunnerTest's). A batch file opened by the shell
// writes the folder it runs in: C:\ through OpenWithShell, the folder given
// to open. Nothing to open: nothing happens.
TEST(Win32Shell, StartAndOpenInTheWorkingFolder) {
    Win32ScratchFolder folder;
    Win32FileSystem files;
    platform::win32::Win32Shell shell;
    EXPECT_TRUE(shell.start("cmd.exe /c exit 3", SW_HIDE));
    EXPECT_FALSE(shell.start("\"C:\\no such folder\\msinfo32.exe\"", SW_SHOWNORMAL));
    const std::string batch = folder.at("where.bat"), report = folder.at("where.txt");
    ASSERT_TRUE(files.writeFile(batch, "@echo %CD%> \"" + report + "\"\r\n"));
    Texts got;
    for (bool ownFolder : {false, true}) {
        ownFolder ? shell.open(batch, folder.path(), SW_HIDE) : OpenWithShell(shell, batch);
        std::string where;
        for (int wait = 0; wait < 200 && where.empty(); ++wait, Sleep(50))
            where = files.readFile(report).value_or("");
        where.erase(where.find_last_not_of("\r\n ") + 1);
        CharUpperA(where.data());
        got.push_back(where);
        DeleteFileA(report.c_str());
    }
    std::string own = folder.path();
    CharUpperA(own.data());
    EXPECT_EQ(got, (Texts{"C:\\", own}));
    OpenWithShell(shell, folder.at("missing.velmora-unknown"));
}

TEST(Win32SystemInfo, VersionRecordAndBootMode) {
    platform::win32::Win32SystemInfo system;
    const auto v = system.osVersion();
    EXPECT_EQ(std::tuple(v.valid, v.platformId, v.major >= 5, v.build > 0, GetBootMode(system)),
              std::tuple(true, 2u, true, true, 0));
}

} // namespace
} // namespace velmora::testing
