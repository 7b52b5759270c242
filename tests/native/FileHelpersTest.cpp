// The file, dialog and shell helpers over the portable back-ends.

#include "core/FileAPI.h"
#include "core/ModuleDuProjet.h"
#include "core/modGetOpenFileName.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/RecordingShell.h"
#include "platform/portable/ScriptedDialogs.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using platform::AttrHidden;

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

TEST(BytesToText, SingleByteTextStopsAtItsFirstZeroRegistryExportsAreUtf16) {
    const std::string bom = "\xFF\xFE";
    const struct {
        std::string bytes, text;
    } cases[] = {
        {std::string("ab\0c", 4), "ab"},
        {std::string("\0abc", 4), ""},
        {"", ""},
        {"caf\xE9\r\nline\r\n", "caf\xE9\r\nline\r\n"},
        // The byte order mark has no Windows-1252 byte: it stays as '?'.
        {bom + utf16("Windows Registry Editor Version 5.00\r\n"),
         "?Windows Registry Editor Version 5.00\r\n"},
        // Accents and the euro sign become their bytes; others '?', one per
        // character even outside the basic plane.
        {bom + utf16("W") + std::string("\xE9\x00\xAC\x20\x2D\x4E", 6) +
             std::string("\x3D\xD8\x00\xDE", 4) + utf16("!"),
         "?W\xE9\x80?"
         "?!"},
        // An odd length: the last byte pairs with the buffer's closing zero.
        {bom + utf16("Wi") + "j", "?Wij"},
        // Zero characters inside come along: the whole buffer is text.
        {bom + utf16("W") + std::string("\0\0", 2) + utf16("x"), std::string("?W\0x", 4)},
        // Only the export's signature switches: other UTF-16 text is cut at
        // its first zero, FF FE W and more single bytes is no export, and
        // the three bytes alone are one (the closing zero pairs with W).
        {bom + utf16("Hello"), "\xFF\xFEH"},
        {"\xFF\xFEWx", "\xFF\xFEWx"},
        {"\xFF\xFEW", "?W"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytesToText(c.bytes), c.text) << c.bytes;
}

TEST(ReadTextFile, ReadsTheFileAsTextFailuresGiveTheEmptyText) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\nul.txt", std::string("\x61\x62\x00\x63", 4)));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\nul.txt"), "ab");
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\export.reg", "\xFF\xFE" + utf16("Wi")));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\export.reg"), "?Wi");
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work\\missing.txt"), "");
    EXPECT_FALSE(FileExists(d.files, "C:\\Work\\missing.txt"));
    EXPECT_EQ(ReadTextFile(d.files, "C:\\Work"), "");
    EXPECT_EQ(ReadTextFile(d.files, "Q:\\nowhere.txt"), "");
}

TEST(WriteTextFile, ReplacesTheWholeContentOrKeepsAnOrdinaryFile) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\ten.txt", "0123456789"));
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\ten.txt", "abc", false));
    EXPECT_EQ(d.files.readFile("C:\\Work\\ten.txt"), "abc");
    // Line breaks and accents go out as they are, with nothing added.
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\new.txt", "a\r\nb\n\xE9", false));
    EXPECT_EQ(d.files.readFile("C:\\Work\\new.txt"), "a\r\nb\n\xE9");
    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\missing\\x.txt", "x", false));

    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\TEN.TXT", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\ten.txt"), "abc");
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\fresh.txt", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\fresh.txt"), "new");
    // A hidden file is not an ordinary one: it is written over.
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\new.txt", AttrHidden));
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\new.txt", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\new.txt"), "new");
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

TEST(DialogHelpers, OpenFileAndFolderDialogsGetTheRequestAndGiveTheAnswer) {
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

} // namespace
} // namespace velmora::testing
