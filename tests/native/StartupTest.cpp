// The start-up sequence of the main window over the portable back-ends:
// environment detection, the program-wide state, the fatal stops, the
// restore-point offer, and the shutdown order.

#include "core/Environment.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

struct StartProgram : TestProgram {
    explicit StartProgram(Languages languages = Languages::Shipped,
                          const char* language = "english", std::uint32_t platformId = 2,
                          std::uint32_t major = 5, std::uint32_t minor = 0)
        : TestProgram(languages) {
        if (language)
            reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string(language));
        system.setVersion({platformId, major, minor, 0, true});
    }
    bool shown(const std::string& form) {
        return std::find(ui.events.begin(), ui.events.end(), "show " + form) != ui.events.end();
    }
};

// The browser's, the client's and the setup's version: key and value name.
const char* const kSources[][2] = {{"Software\\Microsoft\\Internet Explorer", "version"},
                                   {"Software\\Microsoft\\Outlook Express", "MediaVer"},
                                   {"SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
                                    "{0fde1f56-0d59-4fd7-9624-e3df6b419d0e}",
                                    "version"}};

TEST(Environment, BrowserVersionFromTheFirstNonEmptySourceWithDotsOnly) {
    // The three sources' values; nullptr: missing.
    const struct {
        const char *browser, *client, *setup, *version;
    } cases[] = {
        {"6,0,2900,2180", nullptr, nullptr, "6.0.2900.2180"},
        {"6;0", nullptr, nullptr, "6.0"},
        {"6,0;1", nullptr, nullptr, "6.0.1"},
        {nullptr, nullptr, nullptr, "Not Found"},
        // A missing client value is not empty: the third source is not asked.
        {"", nullptr, "6,0,2800,1106", "Not Found"},
        {"", "6,0,2900,5512", "6,0,2800,1106", "6.0.2900.5512"},
        {"", "", "6,0,2800,1106", "6.0.2800.1106"},
    };
    for (const auto& c : cases) {
        TestProgram t;
        const char* const values[] = {c.browser, c.client, c.setup};
        for (int i = 0; i < 3; ++i)
            if (values[i])
                t.reg.WriteRegValue(HKLM, kSources[i][0], kSources[i][1], RegSz,
                                    std::string(values[i]));
        EXPECT_EQ(DetectBrowserVersion(t.reg), c.version) << c.version;
    }
}

TEST(Environment, WindowsFamilyAndNameFollowTheProductNameAndTheVersionRecord) {
    TestProgram t;
    EXPECT_EQ(DetectWindowsFamily(t.reg), "9x");
    for (const auto& [name, family] : {std::pair{"Microsoft Windows XP", "XP"},
                                       {"Microsoft Windows 2000", "9x"},
                                       {"Windows xp", "9x"}}) {
        t.reg.WriteRegValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName",
                            RegSz, std::string(name));
        EXPECT_EQ(DetectWindowsFamily(t.reg), family) << name;
    }

    const struct {
        std::uint32_t platformId, major, minor;
        const char* name;
    } cases[] = {
        {1, 4, 0, "Windows 95"},
        {1, 4, 10, "Windows 98"},
        {1, 4, 90, "Windows Millennium"},
        {1, 4, 3, ""},
        {2, 3, 51, "Windows NT 3.51"},
        {2, 4, 0, "Windows NT 4.0"},
        {2, 5, 0, "Windows 2000"},
        {2, 5, 1, "Windows XP"},
        {2, 5, 2, "Windows XP"},
        {2, 6, 1, ""},
        {0, 3, 1, "Failed"},
        {3, 5, 1, "Failed"},
    };
    for (const auto& c : cases) {
        t.system.setVersion({c.platformId, c.major, c.minor, 0, true});
        EXPECT_EQ(GetWindowsName(t.system), c.name)
            << c.platformId << " " << c.major << "." << c.minor;
    }
}

TEST(Startup, SetsTheProgramWideStateWithTheBusyPointer) {
    StartProgram t;
    // The about window's list then confirms the same file (English.lng is first).
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", platform::RegDword, 0LL);
    t.start();
    const Program& p = *t.program;
    EXPECT_EQ((Strings{p.WorkFolder, p.ClientFolder, p.LanguageFile}),
              (Strings{"C:\\Temp\\Velmora_XPSP2\\", "C:\\Program Files\\Outlook Express\\",
                       kLanguageFolder + "English.lng"}));
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_EQ((std::vector<int>{t.ui.pointers.front(), t.ui.pointers.back()}),
              (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));
}

const std::string kNoFolder =
    "Missing folder LANGUAGE or missing file *.LNG in the LANGUAGE folder. This Program cannot "
    "continue\r\n\r\nDossier LANGUAGE absent ou fichier *.LNG absent dans le dossier LANGUAGE. Ce "
    "programme ne peut pas continuer.";

TEST(Startup, NoUsableLanguageFileStopsWithTheCriticalMessageAndNoMainWindow) {
    const std::string critical = "16 Critical Error / Erreur critique";
    const struct {
        Strings files;        // in the language folder
        const char* language; // recorded
        std::string shown;    // style, title | text
    } cases[] = {
        {{}, "english", critical + "\" | " + kNoFolder},
        {{"English.lng\\inside.txt"}, "english", critical + "\" | " + kNoFolder},
        {{"sub\\x.lng"}, nullptr, critical + "\" | " + kNoFolder},
        {{".hidden.lng"}, nullptr, critical + "\" | " + kNoFolder},
        {{"readme.txt"},
         "english",
         critical +
             "\" | No file *.LNG in the LANGUAGE folder. This Program cannot continue\r\n\r\n"
             "Aucun fichier *.LNG dans le dossier LANGUAGE. Ce Programme ne peut pas "
             "continuer."},
        // Named as recorded, case and accents kept.
        {{"English.LNG"},
         "Espa\xF1ol",
         critical + " | Missing file  'Espa\xF1ol.LNG'  in the LANGUAGE folder. This Program "
                    "cannot continue\r\n\r\nFichier  'Espa\xF1ol.LNG'  absent dans le dossier "
                    "LANGUAGE. Ce programme ne peut pas continuer."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files.empty() ? "no folder" : c.files.front());
        StartProgram t(TestProgram::Languages::None, c.language);
        for (const std::string& file : c.files)
            t.putFile(kLanguageFolder + file, "[Onglet0]\r\nTitre=Mail\r\n");
        t.start();
        EXPECT_EQ(t.messages(), Strings{c.shown});
        EXPECT_FALSE(t.main().isLoaded() || t.shown("frmPrincipal"));
        EXPECT_EQ(t.ui.events.back(), "unload frmPrincipal");
        EXPECT_EQ(t.reg.ReadRegValue(HKCU, kProgramKey, "LanguageNum"), kNotFound);
    }
    // The extension is compared without case.
    StartProgram t(TestProgram::Languages::None);
    t.putFile(kLanguageFolder + "readme.txt", "x");
    t.putFile(kLanguageFolder + "English.LNG", "[Onglet0]\r\nTitre=Mail\r\n");
    t.start();
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.main().isVisible());
}

TEST(RestoreOffer, AskedOnXpAndMillenniumUnlessNoRestaureIsOne) {
    const struct {
        const char* noRestaure;
        std::uint32_t platformId, major, minor;
        bool asked;
    } cases[] = {
        {nullptr, 2, 5, 1, true},  {"2", 1, 4, 90, true},     {"0", 2, 5, 1, true},
        {"1", 2, 5, 1, false},     {nullptr, 2, 5, 0, false}, {nullptr, 1, 4, 10, false},
        {nullptr, 2, 4, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.platformId) + " " + std::to_string(c.major) + "." +
                     std::to_string(c.minor) + " NoRestaure " +
                     (c.noRestaure ? c.noRestaure : "-"));
        StartProgram t(TestProgram::Languages::Shipped, "english", c.platformId, c.major, c.minor);
        if (c.noRestaure)
            t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword,
                                std::string(c.noRestaure));
        t.ui.answerNext(ui::ResultNo);
        t.start();
        if (!c.asked) {
            EXPECT_TRUE(t.ui.messages.empty());
            continue;
        }
        // After the window is shown, in the language's text.
        EXPECT_EQ(t.messages(),
                  Strings{"4 Velmora | " + Lng(*t.program, "RESTAURATION", "msgbox0")});
        EXPECT_TRUE(t.shown("frmPrincipal"));
    }
}

TEST(Shutdown, UnloadsTheSecondaryWindowsInOrderThenTheMainWindow) {
    StartProgram t;
    for (const char* name : {"frmCriteria", "frmAbout", "frmAction", "frmCouleur", "frmMessage"})
        t.program->registerForm(
            name, [name](Program& p) { return std::make_unique<ui::Form>(name, p.services.ui); });
    t.start();
    for (const char* name : {"frmCriteria", "frmMessage", "frmAbout", "frmCouleur", "frmAction"})
        t.program->form(name).Load();
    t.ui.events.clear();
    t.main().Unload();
    EXPECT_EQ(t.ui.events,
              (Strings{"unload frmAction", "unload frmCouleur", "unload frmAbout",
                       "unload frmCriteria", "unload frmMessage", "unload frmPrincipal"}));
}

} // namespace
} // namespace velmora::testing
