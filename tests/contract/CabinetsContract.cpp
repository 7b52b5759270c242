// The cabinet contract: the cabinet class over the system's setup engine
// (under Wine) and over libmspack (natively), on cabinets made with gcab,
// describes and writes the same files, refuses the same ones and fails on
// the same damaged cabinets.

#include "reinstall/CabXTR.h"
#include "contract/ScratchDrive.h"
#ifdef _WIN32
#include "platform/win32/Win32Cabinets.h"
#include "wine/KitFiles.h"
#else
#include "platform/portable/MspackCabinets.h"
#endif

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace velmora::testing {
namespace {

using platform::CalendarTime;
using Names = std::vector<std::string>;

// An engine with a scratch folder, and the gcab cabinets on drive Z under
// Wine, on drive D natively.
struct CabinetWorld : ScratchDrive {
#ifdef _WIN32
    platform::win32::Win32Cabinets engine;
    static std::string made(const std::string& name) {
        return onDriveZ(VELMORA_TEST_CABINETS "/" + name);
    }
#else
    CabinetWorld() : ScratchDrive(VELMORA_TEST_CABINETS) {}
    platform::portable::MspackCabinets engine{files};
    static std::string made(const std::string& name) {
        return "D:\\" + name;
    }
#endif
};

std::uint32_t Get(const std::string& bytes, std::size_t at, int size) {
    std::uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}
void Put(std::string& bytes, std::size_t at, int size, std::uint32_t value) {
    for (int i = 0; i < size; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}
// Where an entry's name starts in the file table; its size field is 16
// bytes before.
std::size_t NameAt(const std::string& cabinet, const std::string& name) {
    return cabinet.find(name + '\0');
}

// One cabinet of two folders from two gcab cabinets of one folder each (a
// 36-byte header, an 8-byte folder entry, the file table, the data): the
// second one's files move to folder 1.
std::string TwoFolders(const std::string& first, const std::string& second) {
    const auto table = [](const std::string& cab) { return cab.substr(44, Get(cab, 36, 4) - 44); };
    const auto data = [](const std::string& cab) { return cab.substr(Get(cab, 36, 4)); };
    std::string moved = table(second);
    for (std::size_t at = 0; at < moved.size(); at = moved.find('\0', at + 16) + 1)
        Put(moved, at + 8, 2, 1);
    std::string cab = first.substr(0, 44) + second.substr(36, 8) + table(first) + moved;
    Put(cab, 36, 4, static_cast<std::uint32_t>(cab.size()));
    Put(cab, 44, 4, static_cast<std::uint32_t>(cab.size() + data(first).size()));
    cab += data(first) + data(second);
    Put(cab, 8, 4, static_cast<std::uint32_t>(cab.size()));
    Put(cab, 16, 4, 52);
    Put(cab, 26, 2, 2);
    Put(cab, 28, 2, Get(first, 28, 2) + Get(second, 28, 2));
    return cab;
}

class CabinetsContract : public ::testing::Test {
protected:
    CabinetsContract() {
        cab.BeforeExtract = [this](CabFileRecord& file, std::string& path, bool& cancel) {
            seen.push_back(file.Filename);
            statuses.insert(cab.Status());
            path = target ? target(file) : at("out\\" + file.Filename);
            cancel = file.Filename == "cancelled";
        };
        for (const char* folder : {"out", "out\\sub", "out\\sub\\deeper"})
            files().createFolder(at(folder));
    }
    platform::FileSystem& files() { return world_.files; }
    std::string at(const std::string& name) const { return world_.at(name); }

    // A copy of a gcab cabinet in the scratch folder, changed as told.
    std::string cabinet(const std::string& made,
                        const std::function<void(std::string&)>& change = {}) {
        std::string bytes = files().readFile(CabinetWorld::made(made)).value();
        if (change)
            change(bytes);
        const std::string path = at("case" + std::to_string(++cases_) + ".cab");
        EXPECT_TRUE(files().writeFile(path, bytes));
        return path;
    }
    // The files below the scratch folder, other than the cabinets.
    std::set<std::string> written(const std::string& folder = "") {
        std::set<std::string> found;
        for (const auto& entry :
             files().listFolder(at(folder)).value_or(std::vector<platform::FolderEntry>{})) {
            const std::string name = folder.empty() ? entry.name : folder + "\\" + entry.name;
            if (entry.attributes & platform::AttrDirectory)
                found.merge(written(name));
            else if (entry.name.find(".cab") == std::string::npos)
                found.insert(name);
        }
        return found;
    }

    CabinetWorld world_;
    bool cabinetOk = true;
    CabXTR cab{world_.engine, world_.files, cabinetOk};
    std::function<std::string(const CabFileRecord&)> target;
    Names seen;
    std::set<std::uint8_t> statuses;
    int cases_ = 0;
};

const std::string kCafe = "sub\\caf\xE9.txt";

// A stored folder after a compressed one: every file in archive order, its
// header, its bytes, and the list the opening walk keeps.
TEST_F(CabinetsContract, EveryFileOfEveryFolderInArchiveOrder) {
    const std::string stored = files().readFile(CabinetWorld::made("hostile.cab")).value();
    const std::string path =
        cabinet("zipped.cab", [&](std::string& bytes) { bytes = TwoFolders(bytes, stored); });
    std::vector<std::pair<std::string, std::string>> after;
    cab.AfterExtract = [&](const std::string& from, const std::string& to) {
        after.push_back({from, to});
    };
    cab.OpenAndParseCabFile(path);
    EXPECT_TRUE(cabinetOk);
    EXPECT_EQ(seen, (Names{"readme.txt", "empty.dat", "sub\\deeper\\data.bin", kCafe, "safe1.txt",
                           "xx_xx_evil1.txt", "xx_evil2.txt", "_evil3.txt", "ok_xx_xx_evil4.txt",
                           "_evil5.txt", "xxx_evil6.txt", "safe2.txt"}));
    ASSERT_EQ(after.size(), 12u);
    EXPECT_EQ(after[3], std::make_pair(path, at("out\\" + kCafe)));
    EXPECT_EQ(files().readFile(at("out\\readme.txt")), "First file of the cabinet.\r\n");
    EXPECT_EQ(files().readFile(at("out\\empty.dat")), "");
    EXPECT_EQ(files().readFile(at("out\\" + kCafe)), "caf\xC3\xA9\r\n");
    EXPECT_EQ(files().readFile(at("out\\safe2.txt")), "safe2.txt\r\n");
    const std::string data = files().readFile(at("out\\sub\\deeper\\data.bin")).value_or("");
    EXPECT_EQ(data.size(), 108894u);
    EXPECT_EQ(data.substr(data.size() - 12), "19999\n20000\n");

    cab.ExtractAll();
    EXPECT_EQ(statuses, (std::set<std::uint8_t>{CabXTR::Parsing, CabXTR::Extracting}));
    EXPECT_EQ(cab.Status(), CabXTR::Idle);
    EXPECT_EQ(cab.FilesCount(), 12); // the second walk adds none
    const CabFileRecord* cafe = cab.GetFilesPropsByName("SUB\\CAF\xC9.TXT");
    ASSERT_NE(cafe, nullptr);
    EXPECT_EQ(cafe, cab.GetFilesPropsByIndex(4));
    EXPECT_EQ(cafe->lFileSize, 7);
    EXPECT_EQ(cafe->FileAttribs, 0xA0); // archive, name in UTF-8
    EXPECT_EQ(cafe->FileDateTime, (CalendarTime{2004, 8, 25, 13, 37, 42}));
    EXPECT_EQ(cab.GetFilesPropsByIndex(13), nullptr);
    EXPECT_EQ(cab.GetFilesPropsByName("missing"), nullptr);
}

// Names that lead out of the folder and targets too long for the engine
// are refused and listed; the owner's empty paths and cancels skip files.
TEST_F(CabinetsContract, RefusedAndSkippedFilesAreNotWrittenTheRestIs) {
    const Names placeholders = {"xx_xx_evil1.txt",    "xx_evil2.txt", "_evil3.txt",
                                "ok_xx_xx_evil4.txt", "_evil5.txt",   "xxx_evil6.txt"};
    const Names hostile = {"..\\..\\evil1.txt",     "C:\\evil2.txt", "\\evil3.txt",
                           "ok\\..\\..\\evil4.txt", "/evil5.txt",    "...\\evil6.txt"};
    const std::string path = cabinet("hostile.cab", [&](std::string& bytes) {
        for (std::size_t i = 0; i < hostile.size(); ++i)
            bytes.replace(NameAt(bytes, placeholders[i]), hostile[i].size(), hostile[i]);
        bytes.replace(NameAt(bytes, "safe1.txt"), 9, "cancelled");
    });
    for (const char* folder : {"x", "x\\y", "x\\y\\out"})
        files().createFolder(at(folder));
    // Two levels down, so that ..\..\ would still land where the test looks.
    target = [&](const CabFileRecord& file) {
        return file.Filename == "safe2.txt" ? at("x\\y\\out\\safe2.txt") : "";
    };
    cab.OpenAndParseCabFile(path);
    EXPECT_TRUE(cabinetOk);
    EXPECT_EQ(seen, (Names{"cancelled", "safe2.txt"})); // the owner never sees the others
    EXPECT_EQ(written(), (std::set<std::string>{"x\\y\\out\\safe2.txt"}));
    Names refused;
    for (const CabRefusal& r : cab.RefusedFiles())
        refused.push_back(r.name + (r.reason == CabRefusal::UnsafeName ? "" : " (too long)"));
    EXPECT_EQ(refused, hostile);

    seen.clear();
    target = [&](const CabFileRecord& file) {
        const std::string folder = at("out\\");
        return folder +
               std::string((file.Filename == "readme.txt" ? 259 : 260) - folder.size(), 'n');
    };
    cab.OpenAndParseCabFile(cabinet("plain.cab"));
    ASSERT_EQ(cab.RefusedFiles().size(), 3u);
    EXPECT_EQ(cab.RefusedFiles()[0].name + " " + std::to_string(cab.RefusedFiles()[0].reason),
              "empty.dat 1");
    EXPECT_EQ(written().size(), 2u);
}

// Only mode 0 leaves a missing folder missing; the file is then not written
// and the walk fails.
TEST_F(CabinetsContract, MissingFoldersAreMadeUnlessTheModeIsZero) {
    for (const std::int32_t mode : {0, 1, 2, -1}) {
        const std::string folder = "mode" + std::to_string(mode + 1);
        target = [&](const CabFileRecord&) { return at(folder + "\\a\\b\\c.txt"); };
        cab.setPathCreation(mode); // no parent window: nobody is asked
        cabinetOk = true;
        cab.OpenAndParseCabFile(cabinet("hostile.cab"));
        EXPECT_EQ(cabinetOk, mode != 0) << mode;
        EXPECT_EQ(files().readFile(at(folder + "\\a\\b\\c.txt")).has_value(), mode != 0) << mode;
        EXPECT_EQ(files().attributes(at(folder)).has_value(), mode != 0) << mode;
    }
}

TEST_F(CabinetsContract, DamagedCabinetsFailTheWalkAndWriteNothingElsewhere) {
    const struct {
        const char* what;
        std::function<void(std::string&)> change;
    } cases[] = {
        {"not a cabinet", [](std::string& b) { b = "This is a text file, not a cabinet.\r\n"; }},
        {"empty", [](std::string& b) { b.clear(); }},
        {"header cut short", [](std::string& b) { b.resize(20); }},
        {"file table cut short", [](std::string& b) { b.resize(NameAt(b, "empty.dat")); }},
        {"data cut short", [](std::string& b) { b.resize(b.size() - 40000); }},
        {"claims more files", [](std::string& b) { Put(b, 28, 2, Get(b, 28, 2) + 3); }},
        {"entry of 2 GB",
         [](std::string& b) { Put(b, NameAt(b, "readme.txt") - 16, 4, 1u << 31); }},
    };
    for (const auto& row : cases)
        for (const char* made : {"plain.cab", "zipped.cab"}) {
            cabinetOk = true;
            cab.OpenAndParseCabFile(cabinet(made, row.change));
            EXPECT_FALSE(cabinetOk) << row.what << " " << made;
            EXPECT_EQ(cab.FilesCount(), 0) << row.what;
            for (const std::string& file : written())
                EXPECT_EQ(file.rfind("out\\", 0), 0u) << row.what << ": " << file;
        }
    // An entry said to be empty is written empty; the others follow.
    files().deleteFile(at("out\\readme.txt"));
    cabinetOk = true;
    cab.OpenAndParseCabFile(
        cabinet("plain.cab", [](std::string& b) { Put(b, NameAt(b, "readme.txt") - 16, 4, 0); }));
    EXPECT_TRUE(cabinetOk);
    EXPECT_EQ(files().fileSize(at("out\\readme.txt")), 0u);
    cabinetOk = true;
    cab.OpenAndParseCabFile(at("missing.cab"));
    EXPECT_FALSE(cabinetOk);
    cabinetOk = true;
    cab.ExtractAll(); // the failed opening left no cabinet to walk
    EXPECT_FALSE(cabinetOk);
}

TEST_F(CabinetsContract, DosDatesAndTimesAsCalendarFields) {
    const CalendarTime never{1601, 1, 1, 0, 0, 0}; // the zero file time
    const struct {
        std::uint16_t date, time;
        CalendarTime expected;
    } cases[] = {
        {0x3119, 0x6CB5, {2004, 8, 25, 13, 37, 42}},
        {0x0021, 0x0000, {1980, 1, 1, 0, 0, 0}},
        {0xFF9F, 0xBF7D, {2107, 12, 31, 23, 59, 58}},
        {0x285D, 0x0000, {2000, 2, 29, 0, 0, 0}},
        {0x2C5D, 0x0001, {2002, 3, 1, 0, 0, 2}}, // 29 February 2002 is 1 March
        {0x285E, 0x0000, never},                 // 30 February
        {0x0020, 0x0000, never},                 // day 0
        {0x0000, 0x0000, never},                 // month 0
        {0x01A1, 0x0000, never},                 // month 13
        {0x0021, 0xC000, never},                 // hour 24
        {0x0021, 0x077E, never},                 // second 60
    };
    for (const auto& row : cases)
        EXPECT_EQ(world_.engine.dosDateTime(row.date, row.time), row.expected)
            << std::hex << row.date << " " << row.time;
}

} // namespace
} // namespace velmora::testing
