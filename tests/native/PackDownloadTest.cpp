// The supplementary pack: which pack, the transfer texts, the progress
// window's endings and the signature gate before the pack runs.

#include "reinstall/PackDownload.h"
#include "reinstall/frmProgress.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <tuple>

namespace velmora::testing {
namespace {

using namespace platform;

const std::string kPack = "C:\\Temp\\Velmora_XPSP2\\Corvessa.exe";

struct PackProgram : TestProgram {
    PackProgram() {
        seedEnglish();
        reg.WriteRegValue(HKCU, kProgramKey, "PackSite", RegSz,
                          std::string("http://127.0.0.1:8080/Site"));
        start();
        program->BrowserVersion = "6.0.2900.2180";
        program->WindowsFamily = "XP";
    }
    Program& p() { return *program; }
    std::string lng(const std::string& key, const std::string& section = "Onglet6") {
        return Lng(p(), section, key);
    }
    ui::Form& progress() { return p().form(kProgressWindow); }
    void click() { p().principal().raise("cmd613", ui::Event::Click); }
    // Data arriving, then (when ended) the end of the read.
    void data(std::uint32_t read, std::uint32_t expected) {
        downloader.deliver({kDownloadData, read, expected, false, ""});
    }
    void end(int status, const std::string& body) {
        putFile(downloader.file, body);
        downloader.deliver({status, static_cast<std::uint32_t>(body.size()),
                            static_cast<std::uint32_t>(body.size()), true, "x"});
    }
};

TEST(PackDownload, PackFolderFollowsTheBrowserAndWindowsFamily) {
    const std::tuple<const char*, const char*, const char*> rows[] = {
        {"6.0.2800.1106", "XP", "corvessa/sp1"},
        {"6.0.2900.2180", "XP", "corvessa/sp2"},
        {"6.0.2600.0", "9x", "corvessa/9x"},
        {"6.0.2600.0", "XP", "corvessa/xp"},
        {"6.0.2800.1106", "9x", "corvessa/sp1"},
        {"6.0.2600.1106", "XP", "kept"},
        {"6.0.2600.1106", "9x", "kept"},
        {"5.50.4807.2300", "9x", "kept"},
        {"garbage", "XP", "kept"},
    };
    for (const auto& [version, family, expected] : rows)
        EXPECT_EQ(PackPathFor(version, family, "kept"), expected) << version << " " << family;
}

TEST(PackDownload, DurationsReadAsTheUserExpects) {
    PackProgram t;
    const std::string x = t.lng("lbl622");
    const std::pair<long, std::string> rows[] = {
        {5, "5 s"},
        {0, "0 s"},
        {60, "1 min 0 s"},
        {65, "1 min " + x + " 5 s"},
        {3600, "1 H "},
        {3605, "1 H " + x + " 5 s"},
        {3700, "1 H " + x + " 1 min"},
        {3725, "1 H " + x + " 2 min"},
    };
    for (const auto& [seconds, text] : rows)
        EXPECT_EQ(FormatDuration(t.p(), seconds), text) << seconds;
}

TEST(PackDownload, ReceivedAmountSpeedAndRemainingTime) {
    struct Row {
        std::uint32_t read, expected;
        double seconds;
        std::string done;
        int percent, bar;
        std::string speed;
    };
    PackProgram t;
    const std::string got = t.lng("lbl621b");
    const std::string of = t.lng("lbl632");
    const Row rows[] = {
        {1023999, 2048000, 1, "        (1000 Ko  " + got + " ...)", 50, 50, ""},
        {1025000, 2050000, 0, "        (0.98 Mo  " + got + " ...)", 50, 50, ""},
        // 512000 bytes in 10 s: 51.2 (thousand bytes a second), 1536000 left: 29 s.
        {512000, 2048000, 10, "29 s (500 Ko  " + of + " 1.95 Mo" + got + ")", 25, 25, "51.2"},
        // No length told: no percentage, no remaining time, a bar without end.
        {700000, 0, 10, "        (684 Ko  " + got + " ...)", 0, -1, "70.0"},
        // More than announced: never above 100 %.
        {3000, 1000, 1, "        (3 Ko  " + got + " ...)", 100, 100, ""},
    };
    for (const Row& row : rows) {
        t.p().DownloadSeconds = row.seconds;
        t.p().DownloadSpeedText.clear();
        t.click();
        ui::Form& window = t.progress();
        t.p().DownloadSeconds = row.seconds;
        t.data(row.read, row.expected);
        EXPECT_EQ(t.p().DownloadDoneText, row.done) << row.read;
        EXPECT_EQ(t.p().DownloadPercent, row.percent) << row.read;
        EXPECT_EQ(t.p().DownloadSpeedText, row.speed) << row.read;
        const ui::Control& bar = window.control("pBar631");
        EXPECT_EQ(bar.max() == bar.min() ? -1 : bar.value(), row.bar) << row.read;
        window.raise("cmd633", ui::Event::Click); // cancelled: no word, no pack
        EXPECT_FALSE(t.downloader.running());
        EXPECT_FALSE(window.isLoaded());
        EXPECT_FALSE(t.files.attributes(kPack));
        EXPECT_TRUE(t.ui.messages.empty());
        EXPECT_TRUE(t.p().principal().isVisible());
    }
}

TEST(PackDownload, WhatStopsADownloadBeforeItStarts) {
    struct Row {
        const char* name;
        int bootMode;
        std::string browser;
        bool online, autodial, connects;
        int style;
        const char *title, *text; // the key the text starts with
        bool readOnlyPack = false;
    };
    const std::string browser = "6.0.2900.2180";
    const Row rows[] = {
        {"safe mode", 1, browser, true, false, true, 16, "msgbox613T", "msgbox613"},
        {"no browser", 0, "", true, false, true, 16, "msgbox0T", "msgbox01"},
        {"offline", 0, browser, false, false, true, 48, "msgbox613T", "msgbox613b"},
        {"dial fails", 0, browser, false, true, false, 16, "msgbox613T", "msgbox613"},
        {"read-only pack", 0, browser, true, false, true, 16, "msgbox613T", "msgbox621", true},
    };
    for (const Row& row : rows) {
        PackProgram t;
        if (row.readOnlyPack) {
            t.putFile(kPack, "MZ kept");
            t.files.setAttributes(kPack, AttrReadOnly);
        }
        t.system.setBootMode(row.bootMode);
        t.p().BrowserVersion = row.browser;
        t.downloader.online = row.online;
        t.downloader.connectSucceeds = row.connects;
        if (row.autodial)
            t.reg.WriteRegValue(HKCU,
                                "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                                "EnableAutodial", RegDword, 1LL);
        t.click();
        ASSERT_EQ(t.ui.messages.size(), 1u) << row.name;
        EXPECT_EQ(t.ui.messages[0].style, row.style) << row.name;
        const std::string section = row.text == std::string("msgbox01") ? "Xtra" : "Onglet6";
        EXPECT_EQ(t.ui.messages[0].title, t.lng(row.title, section)) << row.name;
        EXPECT_EQ(t.ui.messages[0].text.rfind(t.lng(row.text, section), 0), 0u) << row.name;
        EXPECT_EQ(t.downloader.starts, 0) << row.name;
        EXPECT_EQ(t.files.readFile(kPack).value_or("none"), row.readOnlyPack ? "MZ kept" : "none");
        EXPECT_TRUE(t.p().principal().isVisible()) << row.name;
    }
}

TEST(PackDownload, ACompleteTransferOffersThePackWhichRunsOnlyWhenSigned) {
    PackProgram t;
    t.putFile(kPack, "old pack"); // a former download is replaced
    t.click();
    EXPECT_FALSE(t.p().principal().isVisible());
    EXPECT_EQ(t.downloader.url, "http://127.0.0.1:8080/site/corvessa/sp2/corvessa.exe");
    EXPECT_EQ(t.downloader.forgotten, Strings{t.downloader.url});
    EXPECT_FALSE(t.files.attributes(kPack));
    ui::Form& window = t.progress();
    EXPECT_EQ(window.iconResource(), 104);
    t.p().DownloadSeconds = 3;
    t.data(1000, 2002);
    window.raise("Tmr631", ui::Event::Timer);
    EXPECT_EQ(window.caption(), "50% of Corvessa.exe downloaded");
    // The icon moves (101 to 103) while bytes arrive, and rests (104) when none do.
    window.raise("tmr632", ui::Event::Timer);
    EXPECT_TRUE(window.iconResource() >= 101 && window.iconResource() <= 103);
    window.raise("tmr632", ui::Event::Timer);
    EXPECT_EQ(window.iconResource(), 104);
    t.end(kDownloadAllData, "MZ" + std::string(2000, 'p'));

    EXPECT_EQ(t.files.readFile(kPack), "MZ" + std::string(2000, 'p'));
    EXPECT_FALSE(t.files.attributes(t.downloader.file)) << "the temporary file stays behind";
    EXPECT_TRUE(window.control("cmd631").enabled());
    EXPECT_FALSE(window.control("Tmr631").enabled());
    EXPECT_TRUE(t.ui.messages.empty());

    // An unsigned pack is refused in the window test; a changed one likewise here.
    t.trust.verdicts[kPack] = TrustVerdict::Rejected;
    window.raise("cmd631", ui::Event::Click);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].title, t.lng("msgbox632T"));
    EXPECT_NE(t.ui.messages[0].text.find(t.lng("msgbox632b")), std::string::npos);
    EXPECT_TRUE(t.shell.opened.empty());
    t.trust.verdicts[kPack] = TrustVerdict::Trusted;
    window.raise("cmd631", ui::Event::Click);
    EXPECT_EQ(t.shell.opened.size(), 1u);

    window.raise("cmd633", ui::Event::Click);
    EXPECT_FALSE(window.isLoaded());
    EXPECT_TRUE(t.p().principal().isVisible());
}

TEST(PackDownload, FailedTransfersSayWhyCloseAndLeaveNoPack) {
    struct Row {
        const char* name;
        int status;
        std::string body;
        const char* message;      // key of the text the message starts with
        bool targetTaken = false; // a folder of the pack's name stands in its way
    };
    const Row rows[] = {
        {"not found", 404, "", "msgbox631"},
        {"cut halfway", 12030, "MZ half", "msgbox631"},
        {"web page", kDownloadAllData, "<html><body>Not here</body></html>", "msgbox633"},
        {"empty answer", kDownloadAllData, "", "msgbox633"},
        {"target not writable", kDownloadAllData, "MZ pack", "msgbox621", true},
    };
    for (const Row& row : rows) {
        PackProgram t;
        t.click();
        if (row.targetTaken)
            t.putFile(kPack + "\\in the way", "");
        t.end(row.status, row.body);
        ASSERT_EQ(t.ui.messages.size(), 1u) << row.name;
        EXPECT_EQ(t.ui.messages[0].text.rfind(t.lng(row.message), 0), 0u) << row.name;
        EXPECT_EQ(t.ui.messages[0].style, 16) << row.name;
        EXPECT_FALSE(t.progress().isLoaded()) << row.name;
        EXPECT_EQ(t.files.attributes(kPack).has_value(), row.targetTaken) << row.name;
        EXPECT_FALSE(t.files.attributes(t.downloader.file)) << row.name;
        EXPECT_TRUE(t.p().principal().isVisible()) << row.name;
    }
}

} // namespace
} // namespace velmora::testing
