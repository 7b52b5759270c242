// The file, dialog and shell helpers over the portable back-ends.

#include "core/FileAPI.h"
#include "core/ModuleDuProjet.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/RecordingShell.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using namespace std::string_literals;
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
        {"ab\0c"s, "ab"},
        {"\0abc"s, ""},
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
        {bom + utf16("W") + "\0\0"s + utf16("x"), "?W\0x"s},
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

TEST(TextFiles, ReadAsTextWriteWholeOrKeepAnOrdinaryFile) {
    Drive d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\nul.txt", "ab\0cdefghijkl"s));
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\export.reg", "\xFF\xFE" + utf16("Wi")));
    // Failures give the empty text.
    std::vector<std::string> read;
    for (const char* path : {"C:\\Work\\nul.txt", "C:\\Work\\export.reg", "C:\\Work\\missing.txt",
                             "C:\\Work", "Q:\\nowhere.txt"})
        read.push_back(ReadTextFile(d.files, path));
    EXPECT_EQ(read, (std::vector<std::string>{"ab", "?Wi", "", "", ""}));
    EXPECT_FALSE(FileExists(d.files, "C:\\Work\\missing.txt"));

    // Line breaks and accents go out as they are, with nothing added.
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\nul.txt", "a\r\nb\n\xE9", false));
    EXPECT_EQ(d.files.readFile("C:\\Work\\nul.txt"), "a\r\nb\n\xE9");
    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\missing\\x.txt", "x", false));
    // Kept: an ordinary file of that name, in any case; a hidden file is no
    // ordinary one.
    EXPECT_FALSE(WriteTextFile(d.files, "C:\\Work\\NUL.TXT", "new", true));
    EXPECT_EQ(d.files.readFile("C:\\Work\\nul.txt"), "a\r\nb\n\xE9");
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\fresh.txt", "new", true));
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\nul.txt", AttrHidden));
    EXPECT_TRUE(WriteTextFile(d.files, "C:\\Work\\nul.txt", "new", true));
    for (const char* path : {"C:\\Work\\fresh.txt", "C:\\Work\\nul.txt"})
        EXPECT_EQ(d.files.readFile(path), "new") << path;
}

TEST(FolderHelpers, SpecialFoldersEndInABackslash) {
    Drive d;
    EXPECT_EQ(GetSpecialFolderPath(d.files, csidl::ProgramFiles), "C:\\Program Files\\");
    d.files.setSpecialFolder(csidl::Windows, "C:\\");
    EXPECT_EQ(GetSpecialFolderPath(d.files, csidl::Windows), "C:\\");
    d.files.setTempFolder("C:\\Temp");
    EXPECT_EQ(GetTempFolder(d.files), "C:\\Temp\\");
}

// The open-file dialog helper is a pass-through to the dialogs service: its
// requests are checked where pages make them.
TEST(ShellHelpers, TheShellOpensFromTheRootInANormalWindow) {
    platform::portable::RecordingShell shell;
    OpenWithShell(shell, "mailto:someone@example.com");
    ASSERT_EQ(shell.opened.size(), 1u);
    EXPECT_EQ(std::tie(shell.opened[0].target, shell.opened[0].workingFolder,
                       shell.opened[0].showCommand),
              std::make_tuple("mailto:someone@example.com"s, "c:\\"s, 1));
    EXPECT_TRUE(shell.commands.empty());
}

} // namespace
} // namespace velmora::testing
