// The file, dialog and shell helpers over the portable back-ends.

#include "core/FileAPI.h"
#include "core/ModuleDuProjet.h"
#include "core/modGetOpenFileName.h"
#include "platform/portable/FixedSystemInfo.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/RecordingShell.h"
#include "platform/portable/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using platform::AttrHidden;
using platform::AttrReadOnly;

struct Drive {
    Drive() : files({{'C', (temp.path() / "c").string()}}) {
        fs::create_directories(temp.path() / "c" / "Work");
    }
    TempFolder temp;
    platform::portable::PosixFileSystem files;
};

// UTF-16LE bytes of an ASCII text.
std::string utf16(const std::string& ascii) {
    std::string bytes;
    for (char c : ascii) {
        bytes += c;
        bytes += '\0';
    }
    return bytes;
}

TEST(BytesToText, StopsAtTheFirstZeroByte) {
    EXPECT_EQ(BytesToText(std::string("ab\0c", 4)), "ab");
    EXPECT_EQ(BytesToText(std::string("\0abc", 4)), "");
    EXPECT_EQ(BytesToText(""), "");
    EXPECT_EQ(BytesToText("caf\xE9\r\nline\r\n"), "caf\xE9\r\nline\r\n");
}

TEST(BytesToText, RegistryExportsAreReadAsUtf16) {
    const std::string bom = "\xFF\xFE";
    // The byte order mark has no Windows-1252 byte: it stays as '?'.
    EXPECT_EQ(BytesToText(bom + utf16("Windows Registry Editor Version 5.00\r\n")),
              "?Windows Registry Editor Version 5.00\r\n");
    // Accents and the euro sign become their bytes; others '?', one per
    // character even outside the basic plane.
    EXPECT_EQ(BytesToText(bom + utf16("W") + std::string("\xE9\x00\xAC\x20\x2D\x4E", 6) +
                          std::string("\x3D\xD8\x00\xDE", 4) + utf16("!")),
              "?W\xE9\x80?"
              "?!");
    // An odd length: the last byte pairs with the buffer's closing zero.
    EXPECT_EQ(BytesToText(bom + utf16("Wi") + "j"), "?Wij");
    // Zero characters inside come along: the whole buffer is text.
    EXPECT_EQ(BytesToText(bom + utf16("W") + std::string("\0\0", 2) + utf16("x")),
              std::string("?W\0x", 4));
}

TEST(BytesToText, OnlyTheExportSignatureSwitchesToUtf16) {
    const std::string bom = "\xFF\xFE";
    // A UTF-16 text not starting with W is cut at its first zero byte.
    EXPECT_EQ(BytesToText(bom + utf16("Hello")), "\xFF\xFEH");
    // FF FE W followed by more single bytes is not an export.
    EXPECT_EQ(BytesToText("\xFF\xFEWx"), "\xFF\xFEWx");
    // Just the three bytes: the closing zero makes it UTF-16.
    EXPECT_EQ(BytesToText("\xFF\xFEW"), "?W");
}

TEST(ReadTextFile, ReadsTheFileAsText) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\nul.txt", std::string("\x61\x62\x00\x63", 4)));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\nul.txt"), "ab");
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\export.reg", "\xFF\xFE" + utf16("Wi")));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\export.reg"), "?Wi");
}

TEST(ReadTextFile, FailuresGiveTheEmptyText) {
    Drive d;
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\missing.txt"), "");
    EXPECT_FALSE(FileExists(d.files, "C:\\Work\\missing.txt"));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work"), "");
    EXPECT_EQ(ReadTextFile(d.files, "Q:\\nowhere.txt"), "");
}

TEST(ReadTextFile, ReadsReadOnlyFiles) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\r.txt", "read only"));
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\r.txt", AttrReadOnly));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\r.txt"), "read only");
}

TEST(WriteTextFile, ReplacesTheWholeContent) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\ten.txt", "0123456789"));
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\ten.txt", "abc", false));
    EXPECT_EQ(d.files.readFile("C:\\Work\\ten.txt"), std::optional<std::string>("abc"));
    // Line breaks and accents go out as they are, with nothing added.
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\new.txt", "a\r\nb\n\xE9", false));
    EXPECT_EQ(d.files.readFile("C:\\Work\\new.txt"), std::optional<std::string>("a\r\nb\n\xE9"));
    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\missing\\x.txt", "x", false));
}

TEST(WriteTextFile, KeepExistingLeavesOrdinaryFilesAlone) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\kept.txt", "original"));
    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\KEPT.TXT", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\kept.txt"), std::optional<std::string>("original"));

    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\fresh.txt", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\fresh.txt"), std::optional<std::string>("new"));

    // A hidden file is not an ordinary one: it is written over.
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\hidden.txt", "old"));
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\hidden.txt", AttrHidden));
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\hidden.txt", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\hidden.txt"), std::optional<std::string>("new"));
}

TEST(FolderHelpers, SpecialFoldersEndInABackslash) {
    Drive d;
    EXPECT_EQ(GetSpecialFolderPath(d.files, csidl::ProgramFiles), "C:\\Program Files\\");
    d.files.setSpecialFolder(csidl::Windows, "C:\\");
    EXPECT_EQ(GetSpecialFolderPath(d.files, csidl::Windows), "C:\\");
    EXPECT_EQ(GetSpecialFolderPath(d.files, 0x7777), "");
    d.files.setTempFolder("C:\\Temp");
    EXPECT_EQ(GetTempFolder(d.files), "C:\\Temp\\");
}

TEST(FolderHelpers, ExpEnvStrExpandsKnownNamesOnly) {
    Drive d;
    EXPECT_EQ(ExpEnvStr(d.files, "%SystemRoot%\\system32"), "C:\\WINDOWS\\system32");
    EXPECT_EQ(ExpEnvStr(d.files, "C:\\plain\\path"), "C:\\plain\\path");
    EXPECT_EQ(ExpEnvStr(d.files, "%NoSuchVariable%\\x"), "%NoSuchVariable%\\x");
}

TEST(DialogHelpers, OpenFileDialogGetsTheRequestAndGivesTheAnswer) {
    platform::portable::ScriptedDialogs dialogs;
    dialogs.answerOpenFile("C:\\Work\\list.txt");
    const std::string filter("Tous type de fichiers\0*.*\0", 26);
    EXPECT_EQ(ShowOpenFileDialog(dialogs, "Choisir", filter, ofn::CabinetSearch, "C:\\Work", 0x1234,
                                 0x400000),
              "C:\\Work\\list.txt");
    ASSERT_EQ(dialogs.openFileRequests.size(), 1u);
    const auto& request = dialogs.openFileRequests[0];
    EXPECT_EQ(request.title, "Choisir");
    EXPECT_EQ(request.filter, filter);
    EXPECT_EQ(request.flags, 0x10001804u);
    EXPECT_EQ(request.initialFolder, "C:\\Work");
    EXPECT_EQ(request.owner, 0x1234u);
    EXPECT_EQ(request.instance, 0x400000u);
    // Nothing more to answer: cancelled.
    EXPECT_EQ(ShowOpenFileDialog(dialogs, "Again", filter, ofn::HideReadOnly, "", 0, 0), "");
}

TEST(DialogHelpers, FolderBrowserGivesTheChosenFolder) {
    platform::portable::ScriptedDialogs dialogs;
    dialogs.answerBrowse("D:\\Kits");
    EXPECT_EQ(BrowseForFolder(dialogs, "Dossier du kit"), "D:\\Kits");
    EXPECT_EQ(BrowseForFolder(dialogs, "Encore"), "");
    EXPECT_EQ(dialogs.browseTitles, (std::vector<std::string>{"Dossier du kit", "Encore"}));
}

TEST(ShellHelpers, OpenUsesTheOpenVerbFromCInANormalWindow) {
    platform::portable::RecordingShell shell;
    OpenWithShell(shell, "mailto:someone@example.com");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(shell.opened[0].target, "mailto:someone@example.com");
    EXPECT_EQ(shell.opened[0].workingFolder, "c:\\");
    EXPECT_EQ(shell.opened[0].showCommand, 1);
    EXPECT_TRUE(shell.commands.empty());
}

TEST(ShellHelpers, RecordingShellAnswersQueuedCodesThenItsResponder) {
    platform::portable::RecordingShell shell;
    shell.queueExitCode(3);
    EXPECT_EQ(shell.runAndWait("regsvr32 /s a.dll", 0), 3);
    EXPECT_EQ(shell.runAndWait("regsvr32 /s b.dll", 0), 0);
    shell.onCommand(
        [](const std::string& line) { return line.find("fail") != line.npos ? 1L : 0L; });
    EXPECT_EQ(shell.runAndWait("fail now", 1), 1);
    ASSERT_EQ(shell.commands.size(), 3u);
    EXPECT_EQ(shell.commands[2].commandLine, "fail now");
    EXPECT_EQ(shell.commands[2].showCommand, 1);
}

TEST(ShellHelpers, BootModeComesFromTheSystem) {
    platform::portable::FixedSystemInfo system;
    EXPECT_EQ(GetBootMode(system), 0);
    system.setBootMode(2);
    EXPECT_EQ(GetBootMode(system), 2);
}

} // namespace
} // namespace velmora::testing
