// The cabinet contract: the cabinet class over the system's setup engine
// (under Wine) and over libmspack (natively), on cabinets made with gcab,
// must describe and write the same files, refuse the same ones and fail
// on the same damaged cabinets.

#include "contract/Backend.h"
#include "reinstall/CabXTR.h"
#ifdef _WIN32
#include "platform/win32/Win32Cabinets.h"
#include "platform/win32/Win32FileSystem.h"
#include "wine/WineFolders.h"
#else
#include "platform/portable/MspackCabinets.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TempFolder.h"
#endif

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>

namespace velmora::testing {
namespace {

using platform::CalendarTime;

// An engine with a scratch folder of its own and the folder of the gcab
// cabinets: under Wine through drive Z, natively as drive D.
struct CabinetWorld {
#ifdef _WIN32
    Win32ScratchFolder scratch;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32Cabinets engine;
    std::string root() const {
        return scratch.path();
    }
    static std::string made(const std::string& name) {
        std::string path = "Z:" VELMORA_TEST_CABINETS "/" + name;
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
#else
    TempFolder scratch;
    platform::portable::PosixFileSystem files{
        {{'C', scratch.path().string()}, {'D', VELMORA_TEST_CABINETS}}};
    platform::portable::MspackCabinets engine{files};
    std::string root() const {
        return "C:";
    }
    static std::string made(const std::string& name) {
        return "D:\\" + name;
    }
#endif
    std::string at(const std::string& name) const {
        return root() + "\\" + name;
    }
};

template <typename World> std::unique_ptr<CabinetWorld> world() {
    return std::make_unique<World>();
}

// What one walk showed the owner.
struct Seen {
    std::string name;
    std::int32_t size;
    CalendarTime time;
    std::uint16_t attributes;
    bool operator==(const Seen&) const = default;
};
void PrintTo(const Seen& s, std::ostream* out) {
    *out << s.name << " " << s.size << " attr " << s.attributes;
}

// Byte offset of a name in a cabinet's file table.
std::size_t NameAt(const std::string& cabinet, const std::string& name) {
    const auto at = cabinet.find(name + '\0');
    if (at == std::string::npos)
        throw std::logic_error("no entry " + name);
    return at;
}

void PutLong(std::string& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<char>((value >> (8 * i)) & 0xFF);
}

std::uint32_t Long(const std::string& bytes, std::size_t at) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

void PutShort(std::string& bytes, std::size_t at, std::uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

// One cabinet of two folders from two cabinets of one folder each, as gcab
// makes them (a 36-byte header, one folder entry, the file table, the data
// blocks): the second one's files move to folder 1.
std::string TwoFolders(const std::string& first, const std::string& second) {
    constexpr std::size_t kHeader = 36, kFolder = 8;
    const auto files = [&](const std::string& cab) {
        return cab.substr(kHeader + kFolder, Long(cab, kHeader) - kHeader - kFolder);
    };
    std::string table = files(first), moved = files(second);
    for (std::size_t at = 0; at < moved.size(); at = moved.find('\0', at + 16) + 1)
        PutShort(moved, at + 8, 1);
    const std::size_t start = kHeader + 2 * kFolder + table.size() + moved.size();
    const std::string firstData = first.substr(Long(first, kHeader));
    const std::string secondData = second.substr(Long(second, kHeader));
    std::string cab = first.substr(0, kHeader) + first.substr(kHeader, kFolder) +
                      second.substr(kHeader, kFolder) + table + moved + firstData + secondData;
    PutLong(cab, 8, static_cast<std::uint32_t>(cab.size()));
    PutLong(cab, 16, kHeader + 2 * kFolder);
    PutShort(cab, 26, 2);
    PutShort(cab, 28,
             static_cast<std::uint16_t>((Long(first, 28) & 0xFFFF) + (Long(second, 28) & 0xFFFF)));
    PutLong(cab, kHeader, static_cast<std::uint32_t>(start));
    PutLong(cab, kHeader + kFolder, static_cast<std::uint32_t>(start + firstData.size()));
    return cab;
}

const CalendarTime kMade{2004, 8, 25, 13, 37, 42};

class CabinetsContract : public ::testing::TestWithParam<Backend<CabinetWorld>> {
protected:
    CabinetsContract() {
        cab.BeforeExtract = [this](auto& f, auto& p, auto& c) { before(f, p, c); };
    }

    platform::FileSystem& files() { return world_->files; }
    std::string out(const std::string& name = "") { return world_->at("out\\" + name); }

    // A copy of a gcab cabinet in the scratch folder, changed as told.
    std::string cabinet(const std::string& made,
                        const std::function<void(std::string&)>& change = {}) {
        std::string bytes = files().readFile(CabinetWorld::made(made)).value();
        if (change)
            change(bytes);
        const std::string path = world_->at("case" + std::to_string(++cases_) + ".cab");
        EXPECT_TRUE(files().writeFile(path, bytes));
        return path;
    }

    // Every file goes to out\ + its name, unless a test says otherwise.
    void before(CabFileRecord& file, std::string& path, bool& cancel) {
        seen.push_back({file.Filename, file.lFileSize, file.FileDateTime, file.FileAttribs});
        statuses.insert(cab.Status());
        if (target)
            target(file, path, cancel);
        else
            path = out(file.Filename);
    }

    // The files below the scratch folder, other than the cabinets.
    std::set<std::string> written(const std::string& folder = "") {
        std::set<std::string> found;
        const std::string base = folder.empty() ? world_->root() : folder;
        for (const auto& entry :
             files().listFolder(base).value_or(std::vector<platform::FolderEntry>{})) {
            const std::string relative =
                (folder.empty() ? "" : folder.substr(world_->root().size() + 1) + "\\") +
                entry.name;
            if (entry.attributes & platform::AttrDirectory)
                for (const auto& inner : written(base + "\\" + entry.name))
                    found.insert(inner);
            else if (entry.name.find(".cab") == std::string::npos)
                found.insert(relative);
        }
        return found;
    }

    std::unique_ptr<CabinetWorld> world_ = GetParam().make();
    bool cabinetOk = true;
    CabXTR cab{world_->engine, world_->files, cabinetOk};
    std::function<void(CabFileRecord&, std::string&, bool&)> target;
    std::vector<Seen> seen;
    std::set<std::uint8_t> statuses;
    int cases_ = 0;
};

const std::string kCafe = "sub\\caf\xE9.txt";

TEST_P(CabinetsContract, EveryFileInArchiveOrderWithItsHeaderWrittenByteForByte) {
    for (const char* made : {"plain.cab", "zipped.cab"}) {
        seen.clear();
        statuses.clear();
        ASSERT_TRUE(files().createFolder(out().substr(0, out().size() - 1)) || true);
        for (const char* folder : {"sub", "sub\\deeper"})
            files().createFolder(out(folder));
        std::vector<std::pair<std::string, std::string>> after;
        cab.AfterExtract = [&](const std::string& source, const std::string& to) {
            after.push_back({source, to});
        };
        const std::string path = cabinet(made);
        cab.OpenAndParseCabFile(path);
        const std::vector<Seen> expected = {{"readme.txt", 28, kMade, 0x20},
                                            {"empty.dat", 0, kMade, 0x20},
                                            {"sub\\deeper\\data.bin", 108894, kMade, 0x20},
                                            {kCafe, 7, kMade, 0xA0}};
        EXPECT_EQ(seen, expected) << made;
        EXPECT_TRUE(cabinetOk);
        EXPECT_EQ(statuses, (std::set<std::uint8_t>{CabXTR::Parsing}));
        EXPECT_EQ(cab.Status(), CabXTR::Idle);
        ASSERT_EQ(after.size(), 4u);
        EXPECT_EQ(after[3], std::make_pair(path, out(kCafe)));
        EXPECT_EQ(files().readFile(out("readme.txt")), "First file of the cabinet.\r\n");
        EXPECT_EQ(files().readFile(out("empty.dat")), "");
        EXPECT_EQ(files().readFile(out(kCafe)), "caf\xC3\xA9\r\n");
        const std::string data = files().readFile(out("sub\\deeper\\data.bin")).value_or("");
        EXPECT_EQ(data.size(), 108894u);
        EXPECT_EQ(data.substr(0, 4), "1\n2\n");
        EXPECT_EQ(data.substr(data.size() - 6), "20000\n");
        // The list holds what the opening walk saw; the extraction adds none.
        cab.ExtractAll();
        EXPECT_EQ(statuses, (std::set<std::uint8_t>{CabXTR::Parsing, CabXTR::Extracting}));
        EXPECT_EQ(cab.FilesCount(), 4);
        ASSERT_NE(cab.GetFilesPropsByIndex(3), nullptr);
        EXPECT_EQ(cab.GetFilesPropsByIndex(3)->Filename, "sub\\deeper\\data.bin");
        EXPECT_EQ(cab.GetFilesPropsByIndex(5), nullptr);
        EXPECT_EQ(cab.GetFilesPropsByIndex(0), nullptr);
        ASSERT_NE(cab.GetFilesPropsByName("SUB\\CAF\xC9.TXT"), nullptr);
        EXPECT_EQ(cab.GetFilesPropsByName("SUB\\CAF\xC9.TXT")->lFileSize, 7);
        EXPECT_EQ(cab.GetFilesPropsByName("missing"), nullptr);
    }
}

TEST_P(CabinetsContract, FilesOfEveryFolderStoredOrCompressed) {
    const std::string hostile = files().readFile(CabinetWorld::made("hostile.cab")).value();
    files().createFolder(out().substr(0, out().size() - 1));
    for (const char* folder : {"sub", "sub\\deeper"})
        files().createFolder(out(folder));
    cab.OpenAndParseCabFile(
        cabinet("zipped.cab", [&](std::string& bytes) { bytes = TwoFolders(bytes, hostile); }));
    EXPECT_TRUE(cabinetOk);
    std::vector<std::string> names;
    for (const Seen& file : seen)
        names.push_back(file.name);
    EXPECT_EQ(names, (std::vector<std::string>{"readme.txt", "empty.dat", "sub\\deeper\\data.bin",
                                               kCafe, "safe1.txt", "xx_xx_evil1.txt",
                                               "xx_evil2.txt", "_evil3.txt", "ok_xx_xx_evil4.txt",
                                               "_evil5.txt", "xxx_evil6.txt", "safe2.txt"}));
    EXPECT_EQ(files().fileSize(out("sub\\deeper\\data.bin")), 108894u);
    EXPECT_EQ(files().readFile(out("safe2.txt")), "safe2.txt\r\n");
    EXPECT_EQ(files().readFile(out("_evil5.txt")), "_evil5.txt\r\n");
}

TEST_P(CabinetsContract, FilesTheOwnerSkipsOrCancelsAreNotWritten) {
    target = [this](CabFileRecord& file, std::string& path, bool& cancel) {
        if (file.Filename == "readme.txt")
            path = out("readme.txt");
        if (file.Filename == "empty.dat") {
            path = out("empty.dat");
            cancel = true;
        }
    };
    files().createFolder(out().substr(0, out().size() - 1));
    cab.OpenAndParseCabFile(cabinet("zipped.cab"));
    EXPECT_TRUE(cabinetOk);
    EXPECT_EQ(seen.size(), 4u);
    EXPECT_EQ(written(), (std::set<std::string>{"out\\readme.txt"}));
}

TEST_P(CabinetsContract, MissingFoldersAreMadeOnlyWhenTheModeSaysSo) {
    const struct {
        std::int32_t mode;
        bool made;
    } cases[] = {{0, false}, {1, true}, {2, true}, {-1, true}};
    for (const auto& row : cases) {
        target = [&](CabFileRecord& file, std::string& path, bool&) {
            if (file.Filename == "sub\\deeper\\data.bin")
                path = world_->at("mode" + std::to_string(row.mode) + "\\a\\b\\data.bin");
        };
        cab.setPathCreation(row.mode); // no parent window: nobody is asked
        cabinetOk = true;
        cab.OpenAndParseCabFile(cabinet("plain.cab"));
        EXPECT_EQ(cabinetOk, row.made) << "walk after mode " << row.mode;
        const std::string made = world_->at("mode" + std::to_string(row.mode) + "\\a\\b\\data.bin");
        EXPECT_EQ(files().fileSize(made).has_value(), row.made) << row.mode;
        EXPECT_EQ(files().attributes(world_->at("mode" + std::to_string(row.mode))).has_value(),
                  row.made)
            << row.mode;
    }
}

TEST_P(CabinetsContract, NamesLeadingOutOfTheFolderAreRefusedTheRestIsWritten) {
    const std::pair<std::string, std::string> hostile[] = {
        {"xx_xx_evil1.txt", "..\\..\\evil1.txt"},
        {"xx_evil2.txt", "C:\\evil2.txt"},
        {"_evil3.txt", "\\evil3.txt"},
        {"ok_xx_xx_evil4.txt", "ok\\..\\..\\evil4.txt"},
        {"_evil5.txt", "/evil5.txt"},
        {"xxx_evil6.txt", "...\\evil6.txt"}};
    const std::string path = cabinet("hostile.cab", [&](std::string& bytes) {
        for (const auto& [placeholder, name] : hostile)
            bytes.replace(NameAt(bytes, placeholder), name.size(), name);
    });
    // The extraction folder lies two levels down, so that ..\..\ stays in
    // the scratch folder where the test would see it.
    target = [&](CabFileRecord& file, std::string& to, bool&) {
        to = world_->at("x\\y\\out\\") + file.Filename;
    };
    for (const char* folder : {"x", "x\\y", "x\\y\\out"})
        files().createFolder(world_->at(folder));
    cab.OpenAndParseCabFile(path);
    EXPECT_TRUE(cabinetOk);
    EXPECT_EQ(written(), (std::set<std::string>{"x\\y\\out\\safe1.txt", "x\\y\\out\\safe2.txt"}));
    std::vector<std::string> refused;
    for (const CabRefusal& r : cab.RefusedFiles()) {
        EXPECT_EQ(r.reason, CabRefusal::UnsafeName) << r.name;
        refused.push_back(r.name);
    }
    std::vector<std::string> names;
    for (const auto& entry : hostile)
        names.push_back(entry.second);
    EXPECT_EQ(refused, names);
    EXPECT_EQ(seen.size(), 2u); // the owner never sees a refused name
}

TEST_P(CabinetsContract, TargetsOf260CharactersAndMoreAreRefused) {
    const std::string folder = out();
    files().createFolder(folder.substr(0, folder.size() - 1));
    target = [&](CabFileRecord& file, std::string& path, bool&) {
        const std::size_t length = file.Filename == "readme.txt" ? 259 : 260;
        path = folder + std::string(length - folder.size(), 'n');
        if (file.Filename != "readme.txt" && file.Filename != "empty.dat")
            path.clear();
    };
    cab.OpenAndParseCabFile(cabinet("plain.cab"));
    EXPECT_TRUE(cabinetOk);
    ASSERT_EQ(cab.RefusedFiles().size(), 1u);
    EXPECT_EQ(cab.RefusedFiles()[0].name, "empty.dat");
    EXPECT_EQ(cab.RefusedFiles()[0].reason, CabRefusal::TargetTooLong);
    EXPECT_EQ(written().size(), 1u);
}

TEST_P(CabinetsContract, DamagedCabinetsFailTheWalkAndWriteNothingOutside) {
    const struct {
        const char* what;
        std::function<void(std::string&)> change;
        bool ok;
    } cases[] = {
        {"not a cabinet", [](std::string& b) { b = "This is a text file, not a cabinet.\r\n"; },
         false},
        {"header cut short", [](std::string& b) { b.resize(20); }, false},
        {"file table cut short", [](std::string& b) { b.resize(NameAt(b, "empty.dat")); }, false},
        {"data cut short", [](std::string& b) { b.resize(b.size() - 40000); }, false},
        {"claims more files", [](std::string& b) { b[28] = static_cast<char>(b[28] + 3); }, false},
        {"entry of 2 GB",
         [](std::string& b) { PutLong(b, NameAt(b, "readme.txt") - 16, 0x80000000u); }, false},
        {"entry of 0 bytes", [](std::string& b) { PutLong(b, NameAt(b, "readme.txt") - 16, 0); },
         true},
        {"empty file", [](std::string& b) { b.clear(); }, false},
    };
    for (const auto& row : cases) {
        for (const char* made : {"plain.cab", "zipped.cab"}) {
            cabinetOk = true;
            target = [&](CabFileRecord& file, std::string& path, bool&) {
                path = out(file.Filename);
            };
            files().createFolder(out().substr(0, out().size() - 1));
            for (const char* folder : {"sub", "sub\\deeper"})
                files().createFolder(out(folder));
            cab.OpenAndParseCabFile(cabinet(made, row.change));
            EXPECT_EQ(cabinetOk, row.ok) << row.what << " " << made;
            for (const std::string& file : written())
                EXPECT_EQ(file.rfind("out\\", 0), 0u) << row.what << ": " << file;
            if (!row.ok) {
                EXPECT_EQ(cab.FilesCount(), 0) << row.what;
            }
        }
    }
    cabinetOk = true;
    cab.OpenAndParseCabFile(world_->at("missing.cab"));
    EXPECT_FALSE(cabinetOk);
    cabinetOk = true;
    cab.ExtractAll(); // no cabinet opened: the empty path fails
    EXPECT_FALSE(cabinetOk);
}

TEST_P(CabinetsContract, DosDatesAndTimesAsCalendarFields) {
    const struct {
        std::uint16_t date, time;
        CalendarTime expected;
    } cases[] = {
        {0x3119, 0x6CB5, {2004, 8, 25, 13, 37, 42}},
        {0x0021, 0x0000, {1980, 1, 1, 0, 0, 0}},
        {0xFF9F, 0xBF7D, {2107, 12, 31, 23, 59, 58}},
        {0x2C5D, 0x0001, {2002, 3, 1, 0, 0, 2}}, // 29 February 2002 is taken as 1 March
        {0x285E, 0x0000, {1601, 1, 1, 0, 0, 0}}, // 30 February
        {0x0020, 0x0000, {1601, 1, 1, 0, 0, 0}}, // day 0
        {0x285D, 0x0000, {2000, 2, 29, 0, 0, 0}},
        {0x0000, 0x0000, {1601, 1, 1, 0, 0, 0}}, // month 0
        {0x01A1, 0x0000, {1601, 1, 1, 0, 0, 0}}, // month 13
        {0x0021, 0xC000, {1601, 1, 1, 0, 0, 0}}, // hour 24
        {0x0021, 0x077E, {1601, 1, 1, 0, 0, 0}}, // minute 59, second 60
    };
    for (const auto& row : cases) {
        const CalendarTime got = world_->engine.dosDateTime(row.date, row.time);
        EXPECT_EQ(got, row.expected) << std::hex << row.date << " " << row.time << std::dec << ": "
                                     << got.year << "-" << got.month << "-" << got.day << " "
                                     << got.hour << ":" << got.minute << ":" << got.second;
    }
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(SetupEngine, CabinetsContract,
                         ::testing::Values(Backend<CabinetWorld>{"SetupIterateCabinet",
                                                                 world<CabinetWorld>}),
                         BackendName);
#else
INSTANTIATE_TEST_SUITE_P(Mspack, CabinetsContract,
                         ::testing::Values(Backend<CabinetWorld>{"libmspack", world<CabinetWorld>}),
                         BackendName);
#endif

} // namespace
} // namespace velmora::testing
