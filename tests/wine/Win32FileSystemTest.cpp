// The Win32 file system, shell and system information under Wine: the
// shared file system contract for the Win32 back-end (the portable one is
// held to it natively), and the file helpers over the real API.

#include "contract/FileSystemContract.h"
#include "core/FileAPI.h"
#include "core/ModuleDuProjet.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>

namespace velmora::testing {
namespace {

using platform::win32::Win32FileSystem;

class Win32Harness : public FileSystemHarness {
public:
    platform::FileSystem& files() override { return files_; }
    std::string scratch() const override { return folder_.path(); }
    void makeFolderReadOnly(const std::string& path) override {
        ASSERT_TRUE(MakeFolderReadOnly(path)) << path;
    }

private:
    Win32ScratchFolder folder_;
    Win32FileSystem files_;
};

INSTANTIATE_TEST_SUITE_P(Wine, FileSystemContract,
                         ::testing::Values(NamedFileSystemFactory{
                             "Win32", [] { return std::make_unique<Win32Harness>(); }}),
                         FileSystemContractName);

std::string systemTempPath() {
    char buffer[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof buffer, buffer);
    return std::string(buffer, length);
}

bool isFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Polls for a file another process writes; its content, or nothing.
std::optional<std::string> awaitFile(Win32FileSystem& files, const std::string& path) {
    for (int wait = 0; wait < 200; ++wait) {
        if (auto text = files.readFile(path); text && !text->empty())
            return text;
        Sleep(50);
    }
    return std::nullopt;
}

TEST(Win32FileSystem, FoldersOfTheMachine) {
    Win32FileSystem files;
    EXPECT_EQ(GetTempFolder(files), systemTempPath());
    EXPECT_EQ(GetTempFolder(files).back(), '\\');

    for (int number : {csidl::ProgramFiles, csidl::Windows, csidl::System, csidl::SendTo}) {
        const std::string folder = GetSpecialFolderPath(files, number);
        ASSERT_FALSE(folder.empty()) << number;
        EXPECT_EQ(folder.back(), '\\') << folder;
        EXPECT_NE(folder.substr(folder.size() - 2), "\\\\") << folder;
        EXPECT_TRUE(isFolder(folder)) << folder;
    }
    EXPECT_EQ(GetSpecialFolderPath(files, 0x7777), "");

    char current[MAX_PATH + 1];
    const DWORD length = GetCurrentDirectoryA(sizeof current, current);
    EXPECT_EQ(files.currentFolder(), std::string(current, length));

    const std::string program = files.programFolder();
    EXPECT_TRUE(isFolder(program)) << program;
    EXPECT_NE(GetFileAttributesA((program + "\\velmora_wine_tests.exe").c_str()),
              INVALID_FILE_ATTRIBUTES)
        << program;
}

TEST(Win32FileSystem, ExpEnvStrUsesTheProcessEnvironment) {
    Win32FileSystem files;
    const std::string system = GetSpecialFolderPath(files, csidl::System);
    const std::string expanded = ExpEnvStr(files, "%SystemRoot%\\system32");
    EXPECT_EQ(lstrcmpiA(expanded.c_str(), system.substr(0, system.size() - 1).c_str()), 0)
        << expanded << " / " << system;
    EXPECT_EQ(ExpEnvStr(files, "no reference"), "no reference");
    EXPECT_EQ(ExpEnvStr(files, "%VelmoraNoSuchVariable%\\x"), "%VelmoraNoSuchVariable%\\x");
    EXPECT_EQ(ExpEnvStr(files, ""), "");

    // Up to the system's limit of 32K characters; past it the text stays.
    const std::string big(30000, 'b');
    ASSERT_TRUE(SetEnvironmentVariableA("VELMORA_BIG", big.c_str()));
    EXPECT_EQ(ExpEnvStr(files, "%VELMORA_BIG%!"), big + "!");
    EXPECT_EQ(ExpEnvStr(files, "%VELMORA_BIG%%VELMORA_BIG%"), "%VELMORA_BIG%%VELMORA_BIG%");
    SetEnvironmentVariableA("VELMORA_BIG", nullptr);
}

TEST(Win32FileSystem, ReadTextFileReadsFilesOthersHaveOpen) {
    Win32ScratchFolder folder;
    Win32FileSystem files;
    const std::string path = folder.at("in-use.txt");

    // Another program writing, sharing reads and writes.
    HANDLE writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(writer, "being written", 13, &written, nullptr));
    EXPECT_EQ(ReadTextFile(files, path), "being written");
    CloseHandle(writer);

    // One that shares reads only still lets a reader in.
    writer = CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(writer, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadTextFile(files, path), "being written");
    // And while it is open, the text cannot be written.
    EXPECT_FALSE(WriteTextFile(files, path, "other", false));
    CloseHandle(writer);

    // A program that shares nothing keeps everyone out: the empty text.
    HANDLE exclusive = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                   OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(exclusive, INVALID_HANDLE_VALUE);
    EXPECT_EQ(ReadTextFile(files, path), "");
    CloseHandle(exclusive);
}

TEST(Win32FileSystem, TextHelpersOverTheRealApi) {
    Win32ScratchFolder folder;
    Win32FileSystem files;
    EXPECT_EQ(ReadTextFile(files, folder.at("missing.txt")), "");
    EXPECT_EQ(GetFileAttributesA(folder.at("missing.txt").c_str()), INVALID_FILE_ATTRIBUTES);

    ASSERT_TRUE(WriteTextFile(files, folder.at("t.txt"), "0123456789", false));
    EXPECT_FALSE(WriteTextFile(files, folder.at("T.TXT"), "abc", true));
    EXPECT_EQ(ReadTextFile(files, folder.at("t.txt")), "0123456789");
    EXPECT_TRUE(WriteTextFile(files, folder.at("t.txt"), "abc", false));
    EXPECT_EQ(files.fileSize(folder.at("t.txt")), std::optional<std::uint64_t>(3));

    ASSERT_TRUE(
        files.writeFile(folder.at("export.reg"), std::string("\xFF\xFEW\0i\0n\0\r\0\n\0", 12)));
    EXPECT_EQ(ReadTextFile(files, folder.at("export.reg")), "?Win\r\n");
    // A read-only file is read all the same.
    ASSERT_TRUE(SetFileAttributesA(folder.at("t.txt").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_EQ(ReadTextFile(files, folder.at("t.txt")), "abc");
}

TEST(Win32Shell, RunAndWaitAnswersTheExitCodeAndStartWhetherItStarted) {
    platform::win32::Win32Shell shell;
    EXPECT_EQ(shell.runAndWait("cmd.exe /c exit 7", 0), 7);
    EXPECT_EQ(shell.runAndWait("cmd.exe /c exit 0", 0), 0);
    EXPECT_EQ(shell.runAndWait("velmora-no-such-program.exe", 0), -1);
    // Started without waiting, as the about window starts the system tool.
    EXPECT_TRUE(shell.start("cmd.exe /c exit 3", SW_HIDE));
    EXPECT_FALSE(shell.start("\"C:\\no such folder\\msinfo32.exe\"", SW_SHOWNORMAL));
}

TEST(Win32Shell, OpenRunsTheDocumentInTheWorkingFolder) {
    Win32ScratchFolder folder;
    Win32FileSystem files;
    platform::win32::Win32Shell shell;
    // A batch file opened by the shell writes the folder it runs in.
    const std::string batch = folder.at("where.bat");
    const std::string report = folder.at("where.txt");
    ASSERT_TRUE(files.writeFile(batch, "@echo %CD%> \"" + report + "\"\r\n"));

    OpenWithShell(shell, batch);
    auto where = awaitFile(files, report);
    ASSERT_TRUE(where.has_value()) << "the batch file did not run";
    EXPECT_EQ(lstrcmpiA(where->substr(0, 3).c_str(), "c:\\"), 0) << *where;
    ASSERT_TRUE(DeleteFileA(report.c_str()));

    shell.open(batch, folder.path(), SW_HIDE);
    where = awaitFile(files, report);
    ASSERT_TRUE(where.has_value());
    EXPECT_EQ(lstrcmpiA(where->substr(0, where->find_last_not_of("\r\n ") + 1).c_str(),
                        folder.path().c_str()),
              0)
        << *where;

    // Nothing to open: nothing happens, and nothing is reported.
    OpenWithShell(shell, folder.at("missing.velmora-unknown"));
}

TEST(Win32SystemInfo, VersionRecordAndBootMode) {
    platform::win32::Win32SystemInfo system;
    const auto version = system.osVersion();
    EXPECT_TRUE(version.valid);
    EXPECT_EQ(version.platformId, 2u);
    EXPECT_GE(version.major, 5u);
    EXPECT_GT(version.build, 0u);
    EXPECT_EQ(GetBootMode(system), 0);
}

} // namespace
} // namespace velmora::testing
