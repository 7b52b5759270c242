// The start-up sequence of the main window over the portable back-ends:
// environment detection, the program key, the fatal stops and the
// restore-point offer, and the shutdown order.

#include "core/Environment.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using platform::RegSz;

const std::string kIeKey = "Software\\Microsoft\\Internet Explorer";
const std::string kClientKey = "Software\\Microsoft\\Outlook Express";
const std::string kSetupKey = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
                              "{0fde1f56-0d59-4fd7-9624-e3df6b419d0e}";
const std::string kNtKey = "Software\\Microsoft\\Windows NT\\CurrentVersion";

bool Shown(const ScriptedUiHost& ui, const std::string& form) {
    return std::find(ui.events.begin(), ui.events.end(), "show " + form) != ui.events.end();
}

void SetWindows(TestProgram& t, std::uint32_t platformId, std::uint32_t major,
                std::uint32_t minor) {
    t.system.setVersion({platformId, major, minor, 0, true});
}

TEST(Environment, BrowserVersionFromTheFirstNonEmptySourceWithDotsOnly) {
    // The browser's, the client's and the setup's value; nullptr: missing.
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
        const auto put = [&](const std::string& key, const char* name, const char* value) {
            if (value)
                t.reg.WriteRegValue(HKLM, key, name, RegSz, std::string(value));
        };
        put(kIeKey, "version", c.browser);
        put(kClientKey, "MediaVer", c.client);
        put(kSetupKey, "version", c.setup);
        EXPECT_EQ(DetectBrowserVersion(t.reg), c.version) << c.version;
    }
}

TEST(Environment, WindowsFamilyIsXpOnlyWhenTheProductNameSaysSo) {
    TestProgram t;
    EXPECT_EQ(DetectWindowsFamily(t.reg), "9x");
    for (const auto& [name, family] : {std::pair{"Microsoft Windows XP", "XP"},
                                       {"Microsoft Windows 2000", "9x"},
                                       {"Windows xp", "9x"}}) {
        t.reg.WriteRegValue(HKLM, kNtKey, "ProductName", RegSz, std::string(name));
        EXPECT_EQ(DetectWindowsFamily(t.reg), family) << name;
    }
}

TEST(Environment, WindowsNameFollowsTheVersionRecord) {
    TestProgram t;
    struct Case {
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
    for (const Case& c : cases) {
        SetWindows(t, c.platformId, c.major, c.minor);
        EXPECT_EQ(GetWindowsName(t.system), c.name)
            << c.platformId << " " << c.major << "." << c.minor;
    }
}

TEST(Startup, SetsTheProgramWideStateAndRecordsTheLanguageFolder) {
    TestProgram t;
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    // The about window's list then confirms the same file (English.lng is first).
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", platform::RegDword, 0LL);
    SetWindows(t, 2, 5, 0);
    t.start();
    const Program& p = *t.program;
    EXPECT_EQ(p.WorkFolder, "C:\\Temp\\Velmora_XPSP2\\");
    EXPECT_EQ(p.ClientFolder, "C:\\Program Files\\Outlook Express\\");
    EXPECT_EQ(p.LanguageFile, kTestProgramFolder + "\\language\\English.lng");

    platform::RegData data;
    ASSERT_EQ(t.registry.queryValue(HKCU, kProgramKey, "Directory", 2048, data), 0);
    EXPECT_EQ(data.type, platform::RegSz);
    EXPECT_EQ(data.bytes, kTestProgramFolder + "\\language\\" + std::string(1, '\0'));
    EXPECT_TRUE(t.program->principal().isVisible());
    EXPECT_EQ(t.ui.pointers.front(), ui::PointerBusy);
    EXPECT_EQ(t.ui.pointers.back(), ui::PointerDefault);
    EXPECT_TRUE(t.ui.messages.empty()); // no restore offer outside XP and Me
}

struct FatalCase {
    const char* what;
    std::function<void(TestProgram&)> arrange;
    std::string title;
    std::string text;
};

TEST(StartupFatal, EmptyOrMissingFolderAndNoLngFileAndAMissingRecordedFile) {
    const std::string lb = "\r\n";
    const std::string titleAB = "Critical Error / Erreur critique\"";
    const std::string textA =
        "Missing folder LANGUAGE or missing file *.LNG in the LANGUAGE folder. This Program "
        "cannot continue\r\n\r\nDossier LANGUAGE absent ou fichier *.LNG absent dans le dossier "
        "LANGUAGE. Ce programme ne peut pas continuer.";
    const std::string textB = "No file *.LNG in the LANGUAGE folder. This Program cannot "
                              "continue\r\n\r\nAucun fichier *.LNG dans le dossier LANGUAGE. Ce "
                              "Programme ne peut pas continuer.";
    const std::string textC =
        "Missing file  'english.LNG'  in the LANGUAGE folder. This Program cannot "
        "continue\r\n\r\nFichier  'english.LNG'  absent dans le dossier LANGUAGE. Ce programme "
        "ne peut pas continuer.";
    const std::string folder = kTestProgramFolder + "\\language\\";

    std::vector<FatalCase> cases = {
        {"missing folder", [](TestProgram&) {}, titleAB, textA},
        {"empty folder", [&](TestProgram& t) { t.putFile(folder + "sub\\x.lng", "x"); }, titleAB,
         textA},
        {"hidden file only", [&](TestProgram& t) { t.putFile(folder + ".hidden.lng", "x"); },
         titleAB, textA},
        {"readme only", [&](TestProgram& t) { t.putFile(folder + "readme.txt", "x"); }, titleAB,
         textB},
        {"recorded file deleted",
         [&](TestProgram& t) {
             t.putFile(folder + "Francais.lng", "[Onglet0]\r\n");
             t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
         },
         "Critical Error / Erreur critique", textC},
    };
    for (const FatalCase& c : cases) {
        TestProgram t(TestProgram::Languages::None);
        SetWindows(t, 2, 5, 1);
        c.arrange(t);
        t.start();
        ASSERT_EQ(t.ui.messages.size(), 1u) << c.what;
        EXPECT_EQ(t.ui.messages[0].title, c.title) << c.what;
        EXPECT_EQ(t.ui.messages[0].text, c.text) << c.what;
        EXPECT_EQ(t.ui.messages[0].style, 16) << c.what;
        EXPECT_FALSE(t.program->principal().isLoaded()) << c.what;
        EXPECT_FALSE(Shown(t.ui, "frmPrincipal")) << c.what;
        EXPECT_EQ(t.ui.events.back(), "unload frmPrincipal") << c.what;
    }
}

TEST(StartupFatal, LanguageExtensionIsComparedWithoutCase) {
    TestProgram t(TestProgram::Languages::None);
    t.putFile(kTestProgramFolder + "\\language\\readme.txt", "x");
    t.putFile(kTestProgramFolder + "\\language\\English.LNG", "[Onglet0]\r\nTitre=Mail\r\n");
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    SetWindows(t, 2, 5, 0);
    t.start();
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.program->principal().isVisible());
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
        TestProgram t;
        t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
        if (c.noRestaure)
            t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword,
                                std::string(c.noRestaure));
        SetWindows(t, c.platformId, c.major, c.minor);
        t.ui.answerNext(ui::ResultNo);
        t.start();
        ASSERT_EQ(t.ui.messages.size(), c.asked ? 1u : 0u);
        if (!c.asked)
            continue;
        // After the window is shown, in the language's text.
        EXPECT_EQ(t.ui.messages[0].style, 4);
        EXPECT_EQ(t.ui.messages[0].title, "Velmora");
        const std::string expected =
            t.profile.getString("RESTAURATION", "msgbox0", "", t.program->LanguageFile, 255);
        EXPECT_FALSE(expected.empty());
        EXPECT_EQ(t.ui.messages[0].text, expected);
        EXPECT_TRUE(Shown(t.ui, "frmPrincipal"));
    }
}

TEST(Shutdown, UnloadsTheSecondaryWindowsInOrderThenTheMainWindow) {
    TestProgram t;
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("english"));
    for (const char* name : {"frmCriteria", "frmAbout", "frmAction", "frmCouleur", "frmMessage"})
        t.program->registerForm(
            name, [name](Program& p) { return std::make_unique<ui::Form>(name, p.services.ui); });
    t.start();
    for (const char* name : {"frmCriteria", "frmMessage", "frmAbout", "frmCouleur", "frmAction"})
        t.program->form(name).Load();
    t.ui.events.clear();
    t.program->principal().Unload();
    EXPECT_EQ(t.ui.events, (std::vector<std::string>{"unload frmAction", "unload frmCouleur",
                                                     "unload frmAbout", "unload frmCriteria",
                                                     "unload frmMessage", "unload frmPrincipal"}));
}

} // namespace
} // namespace velmora::testing
