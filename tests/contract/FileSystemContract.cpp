// The file system contract: what every FileSystem back-end must do as
// Windows (as Wine implements it) does; natively the portable one over a host
// folder standing for drive C, under Wine the real one.

#include "core/FileAPI.h"
#include "contract/ScratchDrive.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using namespace platform;
using Texts = std::vector<std::string>;

std::string letters(std::uint32_t attributes) {
    std::string text;
    for (int bit = 0; bit < 8; ++bit)
        if (attributes & (1u << bit))
            text += "RHSVDAXN"[bit];
    return attributes > 0xFF ? text + "+" + std::to_string(attributes >> 8 << 8) : text;
}

// A fresh, empty scratch folder, removed with everything in it afterwards.
class FileSystemContract : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fs.createFolder(scratch));
        EXPECT_EQ(list(scratch), Texts{}) << "the scratch folder is new and empty";
    }
    // Takes the write permission away from a folder as the system stores it.
    // Windows keeps the attribute; Wine takes a folder's read-only from the
    // Unix permissions, so there chmod takes the write permission away (Wine
    // starts it without a handle to wait on: the attribute is polled for).
    void makeFolderReadOnly(const std::string& path) {
#ifdef _WIN32
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
        const auto isReadOnly = [](const std::string& p) {
            return (GetFileAttributesA(p.c_str()) & 0x80000001u) == FILE_ATTRIBUTE_READONLY;
        }; // INVALID_FILE_ATTRIBUTES has the top bit set
        using UnixName = char*(CDECL*)(const WCHAR*);
        const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
        if (!isReadOnly(path) && unixName) {
            const std::wstring wide(path.begin(), path.end()); // the scratch path is ASCII
            char* name = unixName(wide.c_str());
            std::string command = "Z:\\bin\\chmod a-w \"";
            command += (name ? name : "") + std::string("\"");
            HeapFree(GetProcessHeap(), 0, name);
            WinExec(command.c_str(), SW_HIDE);
            for (int wait = 0; wait < 100 && !isReadOnly(path); ++wait)
                Sleep(50);
        }
        ASSERT_TRUE(isReadOnly(path)) << path;
#else
        using std::filesystem::perms;
        std::filesystem::permissions(*fs.hostPath(path),
                                     perms::owner_write | perms::group_write | perms::others_write,
                                     std::filesystem::perm_options::remove);
#endif
    }

    std::string at(const std::string& name) const {
        return scratch + "\\" + name;
    }
    std::optional<std::uint32_t> attr(const std::string& name) {
        return fs.attributes(at(name));
    }
    std::optional<std::string> text(const std::string& name) {
        return fs.readFile(at(name));
    }
    void put(const std::string& name, const std::string& bytes, std::uint32_t attributes = 0) {
        ASSERT_TRUE(fs.writeFile(at(name), bytes)) << name;
        ASSERT_TRUE(!attributes || fs.setAttributes(at(name), attributes)) << name;
    }
    // "-" when scratch\name is missing, else its attributes as letters
    // (RHSVDAXN) and, for a file, ":" and its bytes.
    std::string show(const std::string& name) {
        const auto attributes = attr(name);
        if (!attributes)
            return "-";
        if (*attributes & AttrDirectory)
            return letters(*attributes);
        return letters(*attributes) + ":" + text(name).value_or("(unreadable)");
    }
    // "name attributes size" of each entry of the folder, in listing order.
    Texts list(const std::string& path) {
        const auto entries = fs.listFolder(path);
        if (!entries)
            return {"(no folder)"};
        Texts shown;
        for (const FolderEntry& entry : *entries) {
            shown.push_back(entry.name + " " + letters(entry.attributes));
            if (!(entry.attributes & AttrDirectory))
                shown.back() += ' ' + std::to_string(entry.size);
        }
        return shown;
    }

    ScratchDrive drive;
    decltype(ScratchDrive::files)& fs = drive.files;
    const std::string scratch = drive.at("Work");
};

} // namespace

// Names starting with a dot are hidden. FileExists counts folders only when
// they have a further attribute. Reading or writing what is not a file fails.
TEST_F(FileSystemContract, AttributesWhatCountsAsAFileAndFailures) {
    put("a.txt", "x");
    put(".profile", "p");
    for (const char* folder : {"Sub", "Hidden", "Locked"})
        ASSERT_TRUE(fs.createFolder(at(folder))) << folder;
    ASSERT_TRUE(fs.setAttributes(at("Hidden"), AttrHidden));
    makeFolderReadOnly(at("Locked"));
    Texts got;
    for (const char* name : {"a.txt", "Sub", "Sub\\", "", "missing.txt", "missing\\a.txt",
                             "a.txt\\inside", "a.txt\\", "a?.txt", ".profile", "Hidden", "Locked"})
        got.push_back(show(name));
    EXPECT_EQ(got, (Texts{"A:x", "D", "D", "D", "-", "-", "-", "-", "-", "HA:p", "HD", "RD"}));
    std::vector<bool> exists;
    for (const char* name : {"a.txt", "missing.txt", "Sub", "Hidden", "Locked"})
        exists.push_back(FileExists(fs, at(name)));
    EXPECT_EQ(exists, (std::vector<bool>{true, false, false, true, true}));
    EXPECT_EQ((std::vector<bool>{
                  text("missing.txt").has_value(), fs.fileSize(at("missing.txt")).has_value(),
                  text("Sub").has_value(), fs.fileSize(at("Sub")).has_value(),
                  fs.writeFile(at("Sub"), "x"), fs.writeFile(at("missing\\a.txt"), "x")}),
              std::vector<bool>(6, false));
    EXPECT_EQ((Texts{show("missing.txt"), show("Sub"), show("missing")}), (Texts{"-", "D", "-"}));
}

TEST_F(FileSystemContract, WholeFilesReadBackByteForByteARewriteTruncates) {
    std::string bytes;
    for (int value = 0; value < 512; ++value)
        bytes += static_cast<char>(value);
    bytes += "line\r\nnext\nlast\r";
    put("all.bin", bytes);
    put("empty.txt", "");
    const auto whole = text("all.bin");
    const auto size = fs.fileSize(at("all.bin"));
    put("all.bin", "abc");
    EXPECT_EQ((std::vector<std::optional<std::string>>{whole, text("all.bin"), text("empty.txt")}),
              (std::vector<std::optional<std::string>>{bytes, "abc", ""}));
    EXPECT_EQ((std::vector<std::optional<std::uint64_t>>{size, fs.fileSize(at("all.bin")),
                                                         fs.fileSize(at("empty.txt"))}),
              (std::vector<std::optional<std::uint64_t>>{bytes.size(), 3, 0}));
}

// Without regard to case, as capitals: "_" comes after the letters.
TEST_F(FileSystemContract, ListsByNameWithAttributes) {
    put("zeta.txt", "zzz");
    put("Alpha.txt", "a");
    put("Hidden.sys", "h", AttrHidden | AttrSystem);
    for (const char* empty : {"beta.txt", "_under.txt", ".dot"})
        put(empty, "");
    ASSERT_TRUE(fs.createFolder(at("Mid")));
    const Texts all = {".dot HA 0", "Alpha.txt A 1", "beta.txt A 0",  "Hidden.sys HSA 1",
                       "Mid D",     "zeta.txt A 3",  "_under.txt A 0"};
    EXPECT_EQ((std::vector<Texts>{list(scratch), list(at("")), list(at("Mid")), list(at("missing")),
                                  list(at("zeta.txt"))}),
              (std::vector<Texts>{all, all, {}, {"(no folder)"}, {"(no folder)"}}));
}

// Windows-1252 names: "\347" c cedilla, "\x9C" oe ligature (U+0153), "\x80"
// the euro sign (U+20AC); as capitals, F before OE before the euro sign.
TEST_F(FileSystemContract, NamesCompareWithoutRegardToCase) {
    put("English.lng", "en");
    ASSERT_TRUE(fs.createFolder(at("Sub")));
    put("Sub\\Inner.txt", "in");
    put("Fran\347ais.lng", "fr");
    put("\x9Cuvre.txt", "oe");
    put("\x80uro.txt", "euro");
    Texts got;
    for (const char* name : {"ENGLISH.LNG", "SUB\\INNER.TXT", "sub\\..\\English.lng",
                             "FRAN\307AIS.LNG", "\x8CUVRE.TXT"})
        got.push_back(show(name));
    // Trailing dots and blanks are no part of a name; ".." stops at the drive.
    std::string slashed = scratch;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    got.push_back(text("English.lng. ").value_or("-"));
    slashed.replace(0, 3, "C:\\..\\..\\");
    got.push_back(fs.readFile(slashed + "/Sub\\Inner.txt").value_or("-"));
    EXPECT_EQ(got, (Texts{"A:en", "A:in", "A:en", "A:fr", "A:oe", "en", "in"}));
    EXPECT_FALSE(fs.createFolder(at("SUB")));
    // Writing under another case rewrites the same file, whose name stays.
    put("ENGLISH.LNG", "EN2");
    EXPECT_EQ(list(scratch), (Texts{"English.lng A 3", "Fran\347ais.lng A 2", "Sub D",
                                    "\x9Cuvre.txt A 2", "\x80uro.txt A 4"}));
}

// Copies and moves in turn, each row with its answer and then how its source
// and its target look: 'c' copies, 'C' copies over an existing target, 'v'
// moves. Both carry the attributes; read-only files move too.
TEST_F(FileSystemContract, CopyAndMoveFilesCarryingTheirAttributes) {
    put("a.txt", "first");
    put("b.txt", "second");
    put("h.txt", "hidden", AttrHidden);
    put("r.txt", "kept", AttrReadOnly);
    put("s.txt", "sys", AttrSystem);
    ASSERT_TRUE(fs.createFolder(at("Sub")));
    put("Sub\\inside.txt", "in");
    ASSERT_TRUE(fs.setAttributes(at("SUB\\INSIDE.TXT"), AttrHidden));
    using Row = std::tuple<char, std::string, std::string, bool, std::string, std::string>;
    const std::vector<Row> rows = {
        {'c', "a.txt", "c.txt", true, "A:first", "A:first"},
        {'c', "a.txt", "b.txt", false, "A:first", "A:second"},
        {'C', "a.txt", "B.TXT", true, "A:first", "A:first"},
        {'C', "missing.txt", "d.txt", false, "-", "-"},
        {'C', "a.txt", "Sub", false, "A:first", "D"},
        {'C', "a.txt", "missing\\a.txt", false, "A:first", "-"},
        {'C', "Sub", "e.txt", false, "D", "-"},
        {'c', "h.txt", "f.txt", true, "HA:hidden", "HA:hidden"},
        {'c', "r.txt", "g.txt", true, "RA:kept", "RA:kept"},
        {'v', "s.txt", "t.txt", true, "-", "SA:sys"},
        {'v', "t.txt", "b.txt", false, "SA:sys", "A:first"},
        {'v', "missing.txt", "d.txt", false, "-", "-"},
        {'v', "t.txt", "missing\\t.txt", false, "SA:sys", "-"},
        {'v', "r.txt", "moved.txt", true, "-", "RA:kept"},
        {'v', "Sub", "Moved", true, "-", "D"},
    };
    std::vector<Row> got;
    for (const auto& [op, from, to, answer, source, target] : rows) {
        const bool done =
            op == 'v' ? fs.moveFile(at(from), at(to)) : fs.copyFile(at(from), at(to), op == 'C');
        got.emplace_back(op, from, to, done, show(from), show(to));
    }
    EXPECT_EQ(got, rows);
    EXPECT_EQ(list(at("Moved")), Texts{"inside.txt HA 2"});
}

TEST_F(FileSystemContract, DeleteFilesAndCreateFolders) {
    put("a.txt", "x");
    put("file", "x");
    put("h.txt", "h", AttrHidden);
    put("r.txt", "kept", AttrReadOnly);
    ASSERT_TRUE(fs.deleteFile(at("h.txt")));
    put("h.txt", "new"); // made anew, not hidden
    // 'd' deletes a file (not a read-only one), 'm' makes a folder, 'r'
    // removes an empty one; what it answered.
    using Row = std::tuple<char, std::string, bool>;
    const std::vector<Row> rows = {
        {'d', "a.txt", true},      {'d', "a.txt", false}, {'m', "New", true},
        {'m', "New", false},       {'d', "New", false},   {'m', "missing\\New", false},
        {'m', "Trailing\\", true}, {'m', "file", false},  {'m', "New\\Inner", true},
        {'r', "New", false},       {'r', "file", false},  {'r', "missing", false},
        {'m', "Empty", true},      {'r', "Empty", true},  {'d', "r.txt", false},
    };
    std::vector<Row> got;
    for (const auto& [op, name, answer] : rows)
        got.emplace_back(op, name,
                         op == 'd'   ? fs.deleteFile(at(name))
                         : op == 'm' ? fs.createFolder(at(name))
                                     : fs.removeFolder(at(name)));
    EXPECT_EQ(got, rows);
    ASSERT_TRUE(fs.setAttributes(at("r.txt"), AttrNormal));
    EXPECT_EQ((Texts{show("a.txt"), show("New"), show("missing"), show("Trailing"), show("file"),
                     show("h.txt"), show("Empty"), show("r.txt")}),
              (Texts{"-", "D", "-", "D", "A:x", "A:new", "-", "A:kept"}));
    EXPECT_TRUE(fs.deleteFile(at("r.txt")));
}

// Unknown names stay as written, and their closing "%" opens nothing.
TEST_F(FileSystemContract, ExpandsEnvironmentAsWindowsDoes) {
    const std::vector<std::pair<std::string, std::string>> rows = {
        {"%SystemDrive%\\x", "C:\\x"},
        {"%systemdrive%", "C:"},
        {"no reference", "no reference"},
        {"%VelmoraNope%\\x", "%VelmoraNope%\\x"},
        {"%VelmoraNope%SystemDrive%", "%VelmoraNope%SystemDrive%"},
        {"%VelmoraNope%%SystemDrive%", "%VelmoraNope%C:"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"%SystemDrive%%", "C:%"},
        {"", ""},
    };
    std::vector<std::pair<std::string, std::string>> got;
    for (const auto& [text, expanded] : rows)
        got.emplace_back(text, fs.expandEnvironment(text));
    EXPECT_EQ(got, rows);
}

} // namespace velmora::testing
