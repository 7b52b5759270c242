// The kit folder search on the form model: which drives, in which order,
// which folders count as a kit, and a search that stops when asked.

#include "app/frmPrincipal.h"
#include "reinstall/LabelText.h"
#include "reinstall/frmBrowse.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace velmora::testing {
namespace {

using namespace platform;

struct SearchProgram : TestProgram {
    SearchProgram() {
        seedEnglish();
        start();
    }
    std::string lng(const std::string& key) { return Lng(*program, "Onglet6", key); }
    // A kit folder: ie6setup.exe of the version given (none: no record)
    // and the cabinets asked for.
    void kit(const std::string& folder, std::optional<FileVersion> version,
             bool withCabinets = true, const std::string& setupName = "ie6setup.exe") {
        putFile(folder + "\\" + setupName, "MZ setup");
        if (version)
            versions.set(folder + "\\" + setupName, *version);
        if (withCabinets) {
            putFile(folder + "\\mailnews.cab", "MSCF");
            putFile(folder + "\\wab.cab", "MSCF");
        }
    }
    std::filesystem::path host(const std::string& relative) { return scratch.path() / relative; }
    ui::Form& search() {
        click("cmd612");
        return program->form(kBrowseWindow);
    }
};

TEST(KitSearch, OnlyVersionSixKitsWithBothCabinetsAreListed) {
    SearchProgram t;
    t.kit("C:\\kits\\good", FileVersion{6, 0, 2800, 1106});
    t.kit("C:\\kits\\old", FileVersion{5, 50, 4807, 2300});
    t.kit("C:\\kits\\new", FileVersion{7, 0, 5730, 13});
    t.kit("C:\\kits\\sixty", FileVersion{60, 0, 1, 1}); // "60.0..." is not 6.0
    t.kit("C:\\kits\\norecord", std::nullopt);
    t.kit("C:\\kits\\nocabs", FileVersion{6, 0, 2900, 2180}, false);
    t.kit("C:\\deep\\a\\b\\c", FileVersion{6, 0, 2900, 2180}, true, "IE6SETUP.EXE");
    ui::Form& window = t.search();
    Strings found = window.control("lBox641").items();
    std::sort(found.begin(), found.end());
    EXPECT_EQ(found, (Strings{"C:\\deep\\a\\b\\c", "C:\\kits\\good"}));
    EXPECT_TRUE(window.control("lBox641").visible());
    EXPECT_EQ(window.control("lBox641").listIndex(), 0);
    EXPECT_EQ(window.control("lbl641").caption(), t.lng("lbl642b") + "\r\n\r\n" + t.lng("lbl642c"));
    EXPECT_EQ(window.control("cmd641").caption(), t.lng("cmd633a"));
    EXPECT_FALSE(window.control("tmr642").enabled());
    // The recovery starts from the selected kit, the search window gone:
    // the stand-in cabinets are damaged, so it says so and the program ends.
    window.raise("cmd642", ui::Event::Click);
    ASSERT_FALSE(t.ui.messages.empty());
    EXPECT_EQ(t.ui.messages.back().title, t.lng("msgbox615T"));
    EXPECT_FALSE(window.isLoaded());
    EXPECT_FALSE(t.main().isLoaded());
}

TEST(KitSearch, LinksAndLoopsAreNotFollowedAndNoFolderIsSeenTwice) {
    SearchProgram t;
    t.kit("C:\\kit", FileVersion{6, 0, 2800, 1106});
    std::filesystem::create_directory_symlink(t.host("kit"), t.host("kitlink"));
    std::filesystem::create_directories(t.host("loop/inner"));
    std::filesystem::create_directory_symlink(t.host("loop"), t.host("loop/inner/back"));
    ui::Form& window = t.search();
    EXPECT_EQ(window.control("lBox641").items(), Strings{"C:\\kit"});
    EXPECT_EQ(window.control("lbl641").caption(), t.lng("lbl642") + "\r\n\r\n" + t.lng("lbl642a"));
}

// Under Wine, drive Z: holds drive C:'s folders again, reached without links.
TEST(KitSearch, AFolderReachedFromTwoDrivesIsSearchedOnce) {
    SearchProgram t;
    t.kit("C:\\shared\\kit", FileVersion{6, 0, 2800, 1106});
    t.versions.set("D:\\kit\\ie6setup.exe", FileVersion{6, 0, 2800, 1106});
    portable::PosixFileSystem files(
        {{'C', t.scratch.path().string()}, {'D', t.host("shared").string()}});
    files.setProgramFolder(kTestProgramFolder);
    files.setTempFolder("C:\\Temp\\");
    portable::IniProfileStrings profile{files};
    portable::PosixVolumes volumes{files, "CD"};
    Program twoDrives(Services{t.registry, files, profile, t.shell, t.dialogs, t.system, t.ui,
                               t.cabinets, t.windows, t.restore, t.libraries, t.downloader, t.trust,
                               t.versions, volumes},
                      frmPrincipal::Create);
    twoDrives.Start();
    twoDrives.principal().raise("cmd612", ui::Event::Click);
    EXPECT_EQ(twoDrives.form(kBrowseWindow).control("lBox641").items(), Strings{"D:\\kit"});
}

TEST(KitSearch, DrivesInReverseSystemOrderOfTheSearchableTypes) {
    struct Row {
        const char* letters;
        std::vector<std::pair<char, int>> types;
        char hostRoot;
        Strings order;
        std::string summary; // of "lbl641" when nothing is found
    };
    SearchProgram names;
    const std::string drive = names.lng("lbl643"), to = names.lng("lbl643a");
    const std::string both = names.lng("lbl622"), drives = names.lng("lbl643b");
    auto many = [&](int n) {
        return drives.substr(0, drives.find("%1")) + std::to_string(n) +
               drives.substr(drives.find("%1") + 2);
    };
    const Row rows[] = {
        {"C", {}, 0, {"C:\\"}, drive + " C: ..."},
        {"CDE", {{'D', DriveCdRom}}, 0, {"E:\\", "D:\\", "C:\\"}, many(3) + "  C: " + to + " E:"},
        {"ACD",
         {{'A', DriveRemovable}, {'D', DriveRemote}},
         0,
         {"D:\\", "C:\\"},
         many(2) + "  C: " + both + " D:"},
        {"CQR",
         {{'Q', DriveUnknown}, {'R', DriveRamDisk}},
         0,
         {"R:\\", "C:\\"},
         many(2) + "  C: " + both + " R:"},
        // Wine's drive of the whole host tree comes after the others.
        {"CDZ", {}, 'Z', {"D:\\", "C:\\", "Z:\\"}, many(3) + "  C: " + to + " Z:"},
    };
    for (const Row& row : rows) {
        SearchProgram t;
        t.volumes.setLetters(row.letters);
        for (const auto& [letter, type] : row.types)
            t.volumes.setType(letter, type);
        if (row.hostRoot)
            t.volumes.setHostRoot(row.hostRoot);
        auto& window = static_cast<frmBrowse&>(t.search());
        EXPECT_EQ(window.Drives(), row.order) << row.letters;
        EXPECT_EQ(window.control("lbl641").caption().substr(0, t.lng("lbl641").size() - 2 +
                                                                   row.summary.size()),
                  t.lng("lbl641").substr(0, t.lng("lbl641").find("%1")) + row.summary)
            << row.letters;
        EXPECT_FALSE(window.control("cmd642").visible()) << row.letters;
    }
}

TEST(KitSearch, ProgressFollowsTheBytesSeenAgainstTheUsedSpace) {
    // The bar's value; -1 for a bar without end.
    const std::pair<std::optional<std::uint64_t>, int> rows[] = {
        {1u << 30, 0}, {100, 100}, {0, -1}, {std::nullopt, -1}};
    for (const auto& [used, value] : rows) {
        SearchProgram t;
        t.putFile("C:\\data\\big.bin", std::string(4000, 'x'));
        t.volumes.setUsedSpace('C', used);
        const ui::Control& bar = t.search().control("pBar641");
        EXPECT_EQ(bar.min() == bar.max() ? -1 : bar.value(), value);
    }
}

TEST(KitSearch, StopAndCloseEndTheSearchAtOnce) {
    for (const bool close : {false, true}) {
        SearchProgram t;
        for (int i = 0; i < 50; ++i)
            t.putFile("C:\\many\\f" + std::to_string(i), "x");
        t.kit("C:\\zz\\kit", FileVersion{6, 0, 2800, 1106}); // met after the stop
        int calls = 0;
        t.ui.onDoEvents = [&] {
            if (++calls != 10)
                return;
            ui::Form& window = *t.program->existingForm(kBrowseWindow);
            if (close)
                window.Unload();
            else
                window.raise("cmd641", ui::Event::Click);
        };
        ui::Form& window = t.search();
        EXPECT_LE(calls, 11) << "the search went on after the stop";
        EXPECT_TRUE(window.control("lBox641").items().empty());
        EXPECT_EQ(window.isLoaded(), !close);
        EXPECT_EQ(t.main().isVisible(), close);
        if (close)
            continue;
        EXPECT_EQ(window.control("lbl641").caption(),
                  t.lng("lbl641c") + "\r\n\r\n" + t.lng("lbl642d") + "\r\n\r\n" + t.lng("lbl641d"));
        EXPECT_EQ(window.control("cmd641").caption(), t.lng("cmd633a"));
        window.raise("cmd641", ui::Event::Click);
        EXPECT_FALSE(window.isLoaded());
        EXPECT_TRUE(t.main().isVisible());
    }
}

TEST(KitSearch, StatusTextShortensPathsOverFiftyCharacters) {
    const std::string fifty = "C:\\Windows\\System32\\drivers\\etc\\abcdefghijklmn.txt";
    ASSERT_EQ(fifty.size(), 50u);
    const std::pair<std::string, std::string> rows[] = {
        {fifty, fifty},
        {fifty + "x", "C:\\Windows\\ ... \\abcdefghijklmn.txtx"},
        {"C:\\" + std::string(60, 'a'), "C:\\" + std::string(60, 'a')},
    };
    for (const auto& [path, shown] : rows)
        EXPECT_EQ(ShortenPath(path, 50), shown);
}

} // namespace
} // namespace velmora::testing
