// Language files at work: the captions every row of the table sets, the
// language list of the about window, the choice and what it records, the
// first start, and language files that are broken or incomplete.

#include "core/Language.h"
#include "core/frmAbout.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace velmora::testing {
namespace {

using platform::RegDword;
using platform::RegSz;

const std::string kLanguageFolder = kTestProgramFolder + "\\language\\";

// Where each key's text must end up: "caption", "tab" (two blanks first),
// "subtab", "tooltip", "item" of a list, or "about" (caption on frmAbout).
struct Row {
    const char* section;
    const char* key;
    const char* target;
    const char* control;
    int item;
};

const Row kRows[] = {
    {"Onglet0", "Titre", "tab", "SSTab1", 0},
    {"Onglet0", "lbl000", "caption", "lbl000", -1},
    {"Onglet0", "chk000", "caption", "chk000", -1},
    {"Onglet0", "chk001", "caption", "chk001", -1},
    {"Onglet0", "lbl010", "caption", "lbl010", -1},
    {"Onglet0", "chk010", "caption", "chk010", -1},
    {"Onglet0", "chk011", "caption", "chk011", -1},
    {"Onglet0", "lbl011", "caption", "lbl011", -1},
    {"Onglet0", "lbl020", "caption", "lbl020", -1},
    {"Onglet0", "chk020", "caption", "chk020", -1},
    {"Onglet0", "lbl030", "caption", "lbl030", -1},
    {"Onglet0", "lbl801", "caption", "lbl801", -1},
    {"Onglet0", "chk800", "caption", "chk800", -1},
    {"Onglet0", "chk801", "caption", "chk801", -1},
    {"Onglet1", "Titre", "tab", "SSTab1", 1},
    {"Onglet1", "lbl100", "caption", "lbl100", -1},
    {"Onglet1", "lbl101", "caption", "lbl101", -1},
    {"Onglet1", "chk101", "caption", "chk101", -1},
    {"Onglet1", "chk102", "caption", "chk102", -1},
    {"Onglet1", "chk103", "caption", "chk103", -1},
    {"Onglet1", "chk104", "caption", "chk104", -1},
    {"Onglet1", "lbl110", "caption", "lbl110", -1},
    {"Onglet1", "chk110", "caption", "chk110", -1},
    {"Onglet1", "opt100.4", "caption", "opt100(4)", -1},
    {"Onglet1", "opt100.3", "caption", "opt100(3)", -1},
    {"Onglet1", "lbl120", "caption", "lbl120", -1},
    {"Onglet1", "chk120", "caption", "chk120", -1},
    {"Onglet2", "Titre", "tab", "SSTab1", 2},
    {"Onglet2", "lbl200", "caption", "lbl200", -1},
    {"Onglet2", "chk200", "caption", "chk200", -1},
    {"Onglet2", "chk201", "caption", "chk201", -1},
    {"Onglet2", "chk202", "caption", "chk202", -1},
    {"Onglet2", "lbl201", "caption", "lbl201", -1},
    {"Onglet2", "lbl202", "caption", "lbl202", -1},
    {"Onglet2", "lbl203", "caption", "lbl203", -1},
    {"Onglet2", "lbl204", "caption", "lbl204", -1},
    {"Onglet2", "lbl205", "caption", "lbl205", -1},
    {"Onglet2", "lbl206", "caption", "lbl206", -1},
    {"Onglet3", "Titre", "tab", "SSTab1", 3},
    {"Onglet3", "lbl300", "caption", "lbl300", -1},
    {"Onglet3", "lbl301", "caption", "lbl301", -1},
    {"Onglet3", "lbl302", "caption", "lbl302", -1},
    {"Onglet3", "lbl303", "caption", "lbl303", -1},
    {"Onglet3", "lbl304", "caption", "lbl304", -1},
    {"Onglet3", "lbl305", "caption", "lbl305", -1},
    {"Onglet3", "lbl306", "caption", "lbl306", -1},
    {"Onglet3", "lbl307", "caption", "lbl307", -1},
    {"Onglet3", "lbl308", "caption", "lbl308", -1},
    {"Onglet3", "lbl309", "caption", "lbl309", -1},
    {"Onglet3", "lbl310", "caption", "lbl310", -1},
    {"Onglet3", "opt300.0", "caption", "opt300(0)", -1},
    {"Onglet3", "opt300.1", "caption", "opt300(1)", -1},
    {"Onglet3", "opt300.2", "caption", "opt300(2)", -1},
    {"Onglet3", "opt300.3", "caption", "opt300(3)", -1},
    {"Onglet3", "opt300.4", "caption", "opt300(4)", -1},
    {"Onglet4", "Titre", "tab", "SSTab1", 4},
    {"Onglet4", "chk400.0", "caption", "chk400(0)", -1},
    {"Onglet4", "chk400.1", "caption", "chk400(1)", -1},
    {"Onglet4", "chk400.2", "caption", "chk400(2)", -1},
    {"Onglet4", "lbl400", "caption", "lbl400", -1},
    {"Onglet4", "cmd400", "caption", "cmd400", -1},
    {"Onglet4", "cmd401", "caption", "cmd401", -1},
    {"Onglet5", "Titre", "tab", "SSTab1", 5},
    {"Onglet5", "lbl500", "caption", "lbl500", -1},
    {"Onglet5", "lbl501", "caption", "lbl501", -1},
    {"Onglet5", "lbl501ttp", "tooltip", "lbl501", -1},
    {"Onglet5", "lbl502", "caption", "lbl502", -1},
    {"Onglet5", "lbl502ttp", "tooltip", "lbl502", -1},
    {"Onglet5", "lbl503", "caption", "lbl503", -1},
    {"Onglet5", "lbl503ttp", "tooltip", "lbl503", -1},
    {"Onglet5", "lbl504", "caption", "lbl504", -1},
    {"Onglet5", "lbl504ttp", "tooltip", "lbl504", -1},
    {"Onglet5", "lbl505", "caption", "lbl505", -1},
    {"Onglet5", "lbl505ttp", "tooltip", "lbl505", -1},
    {"Onglet5", "lbl510", "caption", "lbl510", -1},
    {"Onglet5", "lbl511", "caption", "lbl511", -1},
    {"Onglet5", "lbl512", "caption", "lbl512", -1},
    {"Onglet5", "lbl520", "caption", "lbl520", -1},
    {"Onglet5", "txt520ttt", "tooltip", "txt520", -1},
    {"Onglet5", "lbl521", "caption", "lbl521", -1},
    {"Onglet5", "sstab2.0", "subtab", "SSTab2", 0},
    {"Onglet5", "sstab2.1", "subtab", "SSTab2", 1},
    {"Onglet5", "sstab2.2", "subtab", "SSTab2", 2},
    {"Onglet5", "cmd524ttp", "tooltip", "cmd524", -1},
    {"Onglet6", "Titre", "tab", "SSTab1", 6},
    {"Onglet6", "lbl600", "caption", "lbl600", -1},
    {"Onglet6", "lbl601", "caption", "lbl601", -1},
    {"Onglet6", "lbl602", "caption", "lbl602", -1},
    {"Onglet6", "lbl603", "caption", "lbl603", -1},
    {"Onglet6", "lbl610", "caption", "lbl610", -1},
    {"Onglet6", "lbl611", "caption", "lbl611", -1},
    {"Onglet6", "lbl612", "caption", "lbl612", -1},
    {"Onglet6", "lbl613", "caption", "lbl613", -1},
    {"Onglet6", "lbl614", "caption", "lbl614", -1},
    {"Onglet7", "Titre", "tab", "SSTab1", 7},
    {"Onglet7", "lbl700", "caption", "lbl700", -1},
    {"Onglet7", "chk700", "caption", "chk700", -1},
    {"Onglet7", "chk701", "caption", "chk701", -1},
    {"Onglet7", "opt700", "caption", "opt700(1)", -1},
    {"Onglet7", "opt701", "caption", "opt700(0)", -1},
    {"Onglet7", "lbl710", "caption", "lbl710", -1},
    {"Onglet7", "chk710", "caption", "chk710", -1},
    {"Onglet7", "chk711", "caption", "chk711", -1},
    {"Onglet7", "chk712", "caption", "chk712", -1},
    {"Onglet7", "chk713", "caption", "chk713", -1},
    {"Onglet7", "opt710", "caption", "opt710(1)", -1},
    {"Onglet7", "opt711", "caption", "opt710(0)", -1},
    {"Onglet7", "opt720", "caption", "opt720(2)", -1},
    {"Onglet7", "opt721", "caption", "opt720(4)", -1},
    {"Onglet7", "opt722", "caption", "opt720(1)", -1},
    {"Onglet2", "cbo200.0", "item", "cbo200", 0},
    {"Onglet2", "cbo200.1", "item", "cbo200", 1},
    {"Onglet2", "cbo200.2", "item", "cbo200", 2},
    {"Onglet2", "cbo200.3", "item", "cbo200", 3},
    {"ABOUT", "lblDescription", "about", "lblDescription", -1},
    {"ABOUT", "lblDisclaimer", "about", "lblDisclaimer", -1},
    {"ABOUT", "lblTranslator", "about", "lblTranslator", -1},
    {"ABOUT", "chkRestaur", "about", "chkRestaur", -1},
};

// A language file giving every key of the table the text "<tag> <key>".
std::string MarkedLanguage(const std::string& tag) {
    std::string text;
    std::string section;
    std::vector<const Row*> rows;
    for (const Row& row : kRows)
        rows.push_back(&row);
    std::stable_sort(rows.begin(), rows.end(), [](const Row* a, const Row* b) {
        return std::string(a->section) < std::string(b->section);
    });
    for (const Row* row : rows) {
        if (row->section != section) {
            section = row->section;
            text += "[" + section + "]\r\n";
        }
        text += std::string(row->key) + "=" + tag + " " + row->key + "\r\n";
    }
    return text + "[Xtra]\r\nNoIdentity=" + tag + " nobody\r\n";
}

// The program key's values as stored.
platform::RegData Stored(TestProgram& t, const std::string& value) {
    platform::RegData data;
    data.type = 0;
    t.registry.queryValue(HKCU, kProgramKey, value, 2048, data);
    return data;
}

std::string Dword(std::uint32_t n) {
    return std::string{static_cast<char>(n & 0xFF), static_cast<char>((n >> 8) & 0xFF),
                       static_cast<char>((n >> 16) & 0xFF), static_cast<char>((n >> 24) & 0xFF)};
}

// A program whose language folder holds the files given, in this order of
// names (the portable folder lists by name, as Wine does).
struct LanguageProgram : TestProgram {
    explicit LanguageProgram(const std::vector<std::pair<std::string, std::string>>& languageFiles)
        : TestProgram(Languages::None) {
        for (const auto& [name, bytes] : languageFiles)
            putFile(kLanguageFolder + name, bytes);
    }
    ui::Form& main() { return program->principal(); }
    ui::Form& about() { return program->form(kAboutWindow); }
    std::string tab(int page) { return main().control("SSTab1").items().at(page); }
};

TEST(Captions, EveryRowPutsItsTextWhereItBelongs) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")}});
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("a"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
    t.main().control("cbo200").setItems({"old 0", "old 1", "old 2", "old 3", "old 4"});
    t.main().control("cbo200").setListIndex(2);
    t.start();
    ASSERT_TRUE(t.main().isLoaded());
    // Again, as the last thing: the settings load fills some of these labels.
    ApplyLngCaptions(*t.program);
    for (const Row& row : kRows) {
        const std::string expected = std::string("A ") + row.key;
        const std::string what = std::string(row.section) + " " + row.key;
        ui::Form& form = std::string(row.target) == "about" ? t.about() : t.main();
        ui::Control* control = form.find(row.control);
        ASSERT_NE(control, nullptr) << what << ": no control " << row.control;
        const std::string target = row.target;
        std::string actual;
        if (target == "caption" || target == "about") {
            actual = control->caption();
        } else if (target == "tooltip") {
            actual = control->toolTip();
        } else {
            ASSERT_LT(row.item, static_cast<int>(control->items().size())) << what;
            actual = control->items()[static_cast<std::size_t>(row.item)];
        }
        EXPECT_EQ(actual, (target == "tab" ? "  " : "") + expected) << what;
    }
    // The contact-sort list holds the four texts alone, nothing selected.
    EXPECT_EQ(t.main().control("cbo200").items().size(), 4u);
    EXPECT_EQ(t.main().control("cbo200").listIndex(), -1);
    // Controls no row names keep their designed captions.
    EXPECT_EQ(t.main().control("cmdChangeIdentite").caption(), "Changer d'identit\xE9");
}

TEST(Captions, TheCrossedOptionsOfTheReadReceiptPage) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")}});
    t.start();
    const ui::Form& main = t.main();
    // Keys by their place on the page, elements by the setting they choose.
    EXPECT_EQ(main.control("opt700", 1).caption(), "A opt700");
    EXPECT_EQ(main.control("opt700", 0).caption(), "A opt701");
    EXPECT_EQ(main.control("opt710", 1).caption(), "A opt710");
    EXPECT_EQ(main.control("opt710", 0).caption(), "A opt711");
    EXPECT_EQ(main.control("opt720", 2).caption(), "A opt720");
    EXPECT_EQ(main.control("opt720", 4).caption(), "A opt721");
    EXPECT_EQ(main.control("opt720", 1).caption(), "A opt722");
    EXPECT_EQ(main.control("opt100", 4).caption(), "A opt100.4");
    EXPECT_EQ(main.control("opt100", 3).caption(), "A opt100.3");
}

TEST(Captions, TheRecordedPositionWinsOverTheRecordedName) {
    // "Language" names A, but the list's position 1 is B: the about window,
    // loaded by the captions, makes B current and records it.
    LanguageProgram t({{"A.lng", MarkedLanguage("A")}, {"B.lng", MarkedLanguage("B")}});
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("a"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 1LL);
    t.start();
    EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "B.lng");
    EXPECT_EQ(t.tab(0), "  B Titre");
    EXPECT_EQ(t.about().control("chkRestaur").caption(), "B chkRestaur");
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("b\0", 2));
    // The about window was loaded, not shown, before the main window.
    const auto& events = t.ui.events;
    const auto load = std::find(events.begin(), events.end(), "load frmAbout");
    const auto show = std::find(events.begin(), events.end(), "show frmPrincipal");
    ASSERT_NE(load, events.end());
    EXPECT_LT(load, show);
    EXPECT_EQ(std::count(events.begin(), events.end(), "modal frmAbout"), 0);
    EXPECT_FALSE(t.about().isVisible());
}

TEST(Captions, APositionOutsideTheListTakesTheFirstFile) {
    for (const std::string recorded : {"7", "4294967295", "abc"}) {
        LanguageProgram t({{"A.lng", MarkedLanguage("A")}, {"B.lng", MarkedLanguage("B")}});
        t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("b"));
        if (recorded == "abc")
            t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegSz, recorded);
        else
            t.registry.setValue(HKCU, kProgramKey, "LanguageNum", RegDword,
                                Dword(static_cast<std::uint32_t>(std::stoull(recorded))));
        t.start();
        EXPECT_TRUE(t.main().isVisible()) << recorded;
        EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "A.lng") << recorded;
        EXPECT_EQ(t.about().control("cboLanguage").listIndex(), 0) << recorded;
        EXPECT_EQ(Stored(t, "LanguageNum").bytes, Dword(0)) << recorded;
        EXPECT_EQ(t.tab(3), "  A Titre") << recorded;
    }
}

TEST(FirstStart, ShowsTheAboutWindowBeforeTheMainWindowAndRecordsTheChoice) {
    TestProgram t; // English.lng and Francais.lng
    std::vector<std::string> seenWhileOpen;
    t.ui.onModal(kAboutWindow, [&](ui::Form& about) {
        seenWhileOpen = about.control("cboLanguage").items();
        EXPECT_FALSE(t.program->principal().isVisible());
        about.raise("cmdOK", ui::Event::Click);
    });
    t.start();
    EXPECT_EQ(seenWhileOpen, (std::vector<std::string>{"English.lng", "Francais.lng"}));
    const auto& events = t.ui.events;
    const auto modal = std::find(events.begin(), events.end(), "modal frmAbout");
    const auto show = std::find(events.begin(), events.end(), "show frmPrincipal");
    ASSERT_NE(modal, events.end());
    ASSERT_NE(show, events.end());
    EXPECT_LT(modal, show);
    // Position 1 of the list, the second file, unless the user chose.
    EXPECT_EQ(t.program->LanguageFile, kTestProgramFolder + "\\language\\Francais.lng");
    EXPECT_EQ(Stored(t, "LanguageNum").type, RegDword);
    EXPECT_EQ(Stored(t, "LanguageNum").bytes, Dword(1));
    EXPECT_EQ(Stored(t, "Language").type, RegSz);
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("francais\0", 9));
    EXPECT_EQ(t.program->principal().control("SSTab1").items().at(3), "  Bloqu\xE9s");
    EXPECT_FALSE(t.program->existingForm(kAboutWindow)->isVisible()); // closed with OK
}

TEST(FirstStart, TheUsersChoiceInTheAboutWindowHolds) {
    TestProgram t;
    t.ui.onModal(kAboutWindow, [](ui::Form& about) {
        about.control("cboLanguage").userSetListIndex(0);
        about.raise("cboLanguage", ui::Event::Click);
        about.raise("cmdOK", ui::Event::Click);
    });
    t.start();
    EXPECT_EQ(t.program->LanguageFile, kTestProgramFolder + "\\language\\English.lng");
    EXPECT_EQ(Stored(t, "LanguageNum").bytes, Dword(0));
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("english\0", 8));
    EXPECT_EQ(t.program->principal().control("SSTab1").items().at(0), "  Mail");
}

TEST(FirstStart, WithASingleFileThatFileIsTaken) {
    LanguageProgram t({{"Only.lng", MarkedLanguage("O")}});
    t.start();
    EXPECT_TRUE(t.main().isVisible());
    EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "Only.lng");
    EXPECT_EQ(Stored(t, "LanguageNum").bytes, Dword(0));
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("only\0", 5));
    EXPECT_EQ(t.tab(7), "  O Titre");
}

TEST(LanguageChoice, RecaptionsAtOnceAndRecordsPositionAndName) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")},
                       {"Francais.LNG", MarkedLanguage("F")},
                       {"readme.txt", MarkedLanguage("R")}});
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("a"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
    t.start();
    t.main().control("cbo200").setListIndex(1);
    ASSERT_EQ(t.tab(0), "  A Titre");

    ui::Form& about = t.about();
    EXPECT_EQ(about.control("cboLanguage").items(),
              (std::vector<std::string>{"A.lng", "Francais.LNG", "readme.txt"}));
    about.control("cboLanguage").userSetListIndex(1);
    t.ui.pointers.clear();
    about.raise("cboLanguage", ui::Event::Click);
    EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "Francais.LNG");
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("francais\0", 9));
    EXPECT_EQ(Stored(t, "LanguageNum").bytes, Dword(1));
    EXPECT_EQ(t.tab(0), "  F Titre");
    EXPECT_EQ(t.main().control("chk102").caption(), "F chk102");
    EXPECT_EQ(about.control("lblTranslator").caption(), "F lblTranslator");
    EXPECT_EQ(t.main().control("cbo200").items().front(), "F cbo200.0");
    EXPECT_EQ(t.main().control("cbo200").listIndex(), -1);
    EXPECT_EQ(t.ui.pointers, (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));

    // A file of another kind is offered and becomes the language as it is.
    about.control("cboLanguage").userSetListIndex(2);
    about.raise("cboLanguage", ui::Event::Click);
    EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "readme.txt");
    EXPECT_EQ(Stored(t, "Language").bytes, std::string("readme.txt\0", 11));
    EXPECT_EQ(t.tab(0), "  R Titre");
}

TEST(LanguageChoice, RecordedNameIsLowerCaseWithoutAnyLng) {
    EXPECT_EQ(RecordedLanguageName("Francais.LNG"), "francais");
    EXPECT_EQ(RecordedLanguageName("English.lng"), "english");
    EXPECT_EQ(RecordedLanguageName("Old.Lng.lng"), "old");
    EXPECT_EQ(RecordedLanguageName("\xC9T\xC9.lng"), "\xE9t\xE9");
    EXPECT_EQ(RecordedLanguageName("notes.txt"), "notes.txt");
}

TEST(LanguageList, HiddenFilesAndFoldersAreNotOffered) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")}, {"B.lng", MarkedLanguage("B")}});
    t.putFile(kLanguageFolder + "Sub\\x.lng", "");
    t.putFile(kLanguageFolder + ".hidden.lng", "");
    t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("a"));
    t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
    t.start();
    EXPECT_EQ(t.about().control("cboLanguage").items(),
              (std::vector<std::string>{"A.lng", "B.lng"}));
}

TEST(LanguageList, AnEmptyFolderIsReportedAndNothingIsChosen) {
    TestProgram t(TestProgram::Languages::None);
    t.program->LanguageFile = "unchanged";
    LoadedAboutWindow(*t.program);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].style, ui::MbCritical);
    EXPECT_EQ(t.ui.messages[0].title, "Critical Error / Erreur critique\"");
    EXPECT_EQ(t.ui.messages[0].text.substr(0, 31), "Missing folder LANGUAGE or miss");
    EXPECT_EQ(t.program->LanguageFile, "unchanged");
    EXPECT_EQ(t.program->form(kAboutWindow).control("cboLanguage").listIndex(), -1);
    EXPECT_EQ(Stored(t, "LanguageNum").type, 0u);
}

TEST(BadLanguageFiles, CaptionsFallBackToTheEmptyTextAndNothingBreaks) {
    const std::string junk = std::string("\x00\xFF\xFE\x01[Onglet0\x00]\r\n\x80\x81 = \x02", 17) +
                             std::string(3000, '\x7F');
    const std::string longLine = "[Onglet0]\r\nTitre=" + std::string(100'000, 'x') + "\r\n";
    const std::string noSections = "Titre=Mail\r\nlbl000=Accounts\r\n";
    const std::string someKeys = "[Onglet1]\r\nTitre=Only this\r\n";
    for (const auto& [name, bytes] : std::vector<std::pair<std::string, std::string>>{
             {"junk", junk}, {"long", longLine}, {"nosections", noSections}, {"some", someKeys}}) {
        LanguageProgram t({{"X.lng", bytes}});
        t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string("x"));
        t.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, 0LL);
        t.start();
        EXPECT_TRUE(t.main().isVisible()) << name;
        EXPECT_EQ(t.main().control("lbl500").caption(), "") << name;
        EXPECT_EQ(t.main().control("lbl501").toolTip(), "") << name;
        EXPECT_EQ(t.about().control("chkRestaur").caption(), "") << name;
        EXPECT_EQ(t.tab(2), "  ") << name;
        EXPECT_EQ(t.main().control("cbo200").items(), std::vector<std::string>(4, "")) << name;
        if (name == "long") {
            EXPECT_EQ(t.tab(0), "  " + std::string(254, 'x'));
        }
        if (name == "some") {
            EXPECT_EQ(t.tab(1), "  Only this");
        }
    }
}

} // namespace
} // namespace velmora::testing
