// Language files at work: the captions every key sets, the language list of
// the about window, the choice and what it records, the first start, language
// files that are broken or incomplete, and the shipped files' bytes and keys.

#include "core/frmAbout.h"
#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <map>
#include <sstream>

namespace velmora::testing {
namespace {

// Where a key's text must end up: a caption, a tooltip, an item of a list
// (tabs get two blanks first), or a caption of the about window.
enum class Target { Caption, ToolTip, Item, Tab, About };

struct Place {
    std::string section, key;
    Target target;
    std::string control;
    int item = -1;
};

// "key" names its control; "key>control" names another one.
const struct {
    const char* section;
    Target target;
    const char* keys;
} kGroups[] = {
    {"Onglet0", Target::Caption,
     "lbl000 chk000 chk001 lbl010 chk010 chk011 lbl011 lbl020 chk020 lbl030 lbl801 chk800 chk801"},
    {"Onglet1", Target::Caption,
     "lbl100 lbl101 chk101 chk102 chk103 chk104 lbl110 chk110 opt100.4>opt100(4) "
     "opt100.3>opt100(3) lbl120 chk120"},
    {"Onglet2", Target::Caption,
     "lbl200 chk200 chk201 chk202 lbl201 lbl202 lbl203 lbl204 lbl205 lbl206"},
    {"Onglet3", Target::Caption,
     "lbl300 lbl301 lbl302 lbl303 lbl304 lbl305 lbl306 lbl307 lbl308 lbl309 lbl310 "
     "opt300.0>opt300(0) opt300.1>opt300(1) opt300.2>opt300(2) opt300.3>opt300(3) "
     "opt300.4>opt300(4)"},
    {"Onglet4", Target::Caption,
     "chk400.0>chk400(0) chk400.1>chk400(1) chk400.2>chk400(2) lbl400 cmd400 cmd401"},
    {"Onglet5", Target::Caption,
     "lbl500 lbl501 lbl502 lbl503 lbl504 lbl505 lbl510 lbl511 lbl512 lbl520 lbl521"},
    {"Onglet5", Target::ToolTip,
     "lbl501ttp>lbl501 lbl502ttp>lbl502 lbl503ttp>lbl503 lbl504ttp>lbl504 lbl505ttp>lbl505 "
     "txt520ttt>txt520 cmd524ttp>cmd524"},
    {"Onglet6", Target::Caption, "lbl600 lbl601 lbl602 lbl603 lbl610 lbl611 lbl612 lbl613 lbl614"},
    // The read-receipt options: keys by their place on the page, elements by
    // the setting they choose.
    {"Onglet7", Target::Caption,
     "lbl700 chk700 chk701 opt700>opt700(1) opt701>opt700(0) lbl710 chk710 chk711 chk712 chk713 "
     "opt710>opt710(1) opt711>opt710(0) opt720>opt720(2) opt721>opt720(4) opt722>opt720(1)"},
    {"ABOUT", Target::About, "lblDescription lblDisclaimer lblTranslator chkRestaur"},
    {"Xtra", Target::Caption, "cmdChangeIdentite cmdAbout"},
};

std::vector<Place> Places() {
    std::vector<Place> places;
    for (const auto& group : kGroups) {
        std::istringstream in(group.keys);
        for (std::string word; in >> word;) {
            const auto arrow = word.find('>');
            places.push_back({group.section, word.substr(0, arrow), group.target,
                              arrow == std::string::npos ? word : word.substr(arrow + 1)});
        }
    }
    for (int page = 0; page < 8; ++page)
        places.push_back({"Onglet" + std::to_string(page), "Titre", Target::Tab, "SSTab1", page});
    for (int i = 0; i < 3; ++i)
        places.push_back({"Onglet5", "sstab2." + std::to_string(i), Target::Item, "SSTab2", i});
    for (int i = 0; i < 4; ++i)
        places.push_back({"Onglet2", "cbo200." + std::to_string(i), Target::Item, "cbo200", i});
    return places;
}

// A language file giving every key the text "<tag> <key>".
std::string MarkedLanguage(const std::string& tag) {
    std::map<std::string, std::string> sections{{"Xtra", "NoIdentity=" + tag + " nobody\r\n"}};
    for (const Place& place : Places())
        sections[place.section] += place.key + "=" + tag + " " + place.key + "\r\n";
    std::string text;
    for (const auto& [section, entries] : sections)
        text += "[" + section + "]\r\n" + entries;
    return text;
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
    void record(const std::string& name, long long position) {
        reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, name);
        reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", RegDword, position);
    }
    ui::Form& about() { return program->form(kAboutWindow); }
    std::string tab(int page) { return main().control("SSTab1").items().at(page); }
};

TEST(Captions, EveryKeyPutsItsTextWhereItBelongs) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")}});
    t.record("a", 0);
    t.main().control("cbo200").setItems({"old 0", "old 1", "old 2", "old 3", "old 4"});
    t.main().control("cbo200").setListIndex(2);
    t.start();
    ASSERT_TRUE(t.main().isLoaded());
    // Again, as the last thing: the settings load fills some of these labels.
    ApplyLngCaptions(*t.program);
    for (const Place& place : Places()) {
        const std::string what = place.section + " " + place.key;
        ui::Form& form = place.target == Target::About ? t.about() : t.main();
        ui::Control* control = form.find(place.control);
        ASSERT_NE(control, nullptr) << what << ": no control " << place.control;
        std::string actual;
        if (place.target == Target::ToolTip) {
            actual = control->toolTip();
        } else if (place.item >= 0) {
            ASSERT_LT(place.item, static_cast<int>(control->items().size())) << what;
            actual = control->items()[static_cast<std::size_t>(place.item)];
        } else {
            actual = control->caption();
        }
        EXPECT_EQ(actual, (place.target == Target::Tab ? "  A " : "A ") + place.key) << what;
    }
    // The contact-sort list holds the four texts alone, nothing selected.
    EXPECT_EQ(t.main().control("cbo200").items().size(), 4u);
    EXPECT_EQ(t.main().control("cbo200").listIndex(), -1);
}

TEST(Captions, TheRecordedPositionWinsOverTheNameAndOneOutsideTheListTakesTheFirstFile) {
    // The about window, loaded by the captions before the main window, takes
    // the list's recorded position and records its choice; it is shown only
    // at a first start (no name recorded), even for a single file. The window
    // tests hold the user's choice at the first start.
    const struct {
        std::string files; // one file a letter
        const char* name;  // "Language", if recorded
        std::uint32_t type;
        std::string number; // "LanguageNum"
        char chosen;
    } cases[] = {
        {"AB", "a", RegDword, Dword(1), 'B'},
        {"AB", "b", RegDword, Dword(7), 'A'},
        {"AB", "b", RegDword, Dword(0xFFFFFFFF), 'A'},
        {"AB", "b", RegSz, "abc\0"s, 'A'},
        {"O", nullptr, 0, "", 'O'},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.files + " " + c.number);
        std::vector<std::pair<std::string, std::string>> files;
        for (char tag : c.files)
            files.emplace_back(tag + ".lng"s, MarkedLanguage(std::string(1, tag)));
        LanguageProgram t(files);
        if (c.name) {
            t.reg.WriteRegValue(HKCU, kProgramKey, "Language", RegSz, std::string(c.name));
            t.registry.setValue(HKCU, kProgramKey, "LanguageNum", c.type, c.number);
        }
        t.start();
        const std::string tag(1, c.chosen), name(1, static_cast<char>(std::tolower(c.chosen)));
        const auto index = static_cast<std::uint32_t>(c.files.find(c.chosen));
        EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + tag + ".lng");
        EXPECT_EQ(t.about().control("cboLanguage").listIndex(), static_cast<int>(index));
        EXPECT_EQ(t.stored(HKCU, kProgramKey, "LanguageNum"), "4 " + Dword(index));
        EXPECT_EQ(t.stored(HKCU, kProgramKey, "Language"), "1 " + name + '\0');
        EXPECT_EQ(t.tab(3), "  " + tag + " Titre");
        const auto& events = t.ui.events;
        const auto load = std::find(events.begin(), events.end(), "load frmAbout");
        EXPECT_LT(load, std::find(events.begin(), events.end(), "show frmPrincipal"));
        EXPECT_EQ(std::count(events.begin(), events.end(), "modal frmAbout"), c.name ? 0 : 1);
        EXPECT_TRUE(t.main().isVisible() && !t.about().isVisible());
    }
}

// The window tests hold the recaptioning of tabs and labels and the record.
TEST(LanguageChoice, OffersEveryVisibleFileAndRecaptionsWithTheBusyPointer) {
    LanguageProgram t({{"A.lng", MarkedLanguage("A")},
                       {"Francais.LNG", MarkedLanguage("F")},
                       {"readme.txt", MarkedLanguage("R")}});
    // Hidden files and folders are not offered.
    t.putFile(kLanguageFolder + "Sub\\x.lng", "");
    t.putFile(kLanguageFolder + ".hidden.lng", "");
    t.record("a", 0);
    t.start();
    ui::Form& about = t.about();
    EXPECT_EQ(about.control("cboLanguage").items(),
              (Strings{"A.lng", "Francais.LNG", "readme.txt"}));
    about.control("cboLanguage").userSetListIndex(1);
    t.ui.pointers.clear();
    about.raise("cboLanguage", ui::Event::Click);
    EXPECT_EQ(t.program->LanguageFile, kLanguageFolder + "Francais.LNG");
    EXPECT_EQ(about.control("lblTranslator").caption(), "F lblTranslator");
    EXPECT_EQ(t.ui.pointers, (std::vector<int>{ui::PointerBusy, ui::PointerDefault}));

    // A file of another kind becomes the language as it is.
    about.control("cboLanguage").userSetListIndex(2);
    about.raise("cboLanguage", ui::Event::Click);
    EXPECT_EQ(t.stored(HKCU, kProgramKey, "Language"), "1 readme.txt\0"s);
    EXPECT_EQ(t.stored(HKCU, kProgramKey, "LanguageNum"), "4 " + Dword(2));
    EXPECT_EQ(t.tab(0), "  R Titre");
}

TEST(LanguageChoice, RecordedNameIsLowerCaseWithoutAnyLng) {
    const std::pair<const char*, const char*> names[] = {{"Francais.LNG", "francais"},
                                                         {"English.lng", "english"},
                                                         {"Old.Lng.lng", "old"},
                                                         {"\xC9T\xC9.lng", "\xE9t\xE9"},
                                                         {"notes.txt", "notes.txt"}};
    for (const auto& [file, recorded] : names)
        EXPECT_EQ(RecordedLanguageName(file), recorded);
}

// Files without the buttons' keys keep the buttons' designed captions.
TEST(BadLanguageFiles, CaptionsFallBackToTheEmptyTextAndNothingBreaks) {
    const std::string junk =
        "\x00\xFF\xFE\x01[Onglet0\x00]\r\n\x80\x81 = \x02"s + std::string(3000, '\x7F');
    const struct {
        std::string bytes, tab0, tab1;
    } cases[] = {
        {junk, "  ", "  "},
        {"[Onglet0]\r\nTitre=" + std::string(100'000, 'x') + "\r\n", "  " + std::string(254, 'x'),
         "  "},
        {"Titre=Mail\r\nlbl000=Accounts\r\n", "  ", "  "},
        {"[Onglet1]\r\nTitre=Only this\r\n", "  ", "  Only this"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes.substr(0, 20));
        LanguageProgram t({{"X.lng", c.bytes}});
        t.record("x", 0);
        t.start();
        EXPECT_TRUE(t.main().isVisible());
        EXPECT_EQ(
            (Strings{t.main().control("lbl500").caption(), t.main().control("lbl501").toolTip(),
                     t.about().control("chkRestaur").caption(), t.tab(0), t.tab(1), t.tab(2),
                     t.main().control("cmdChangeIdentite").caption(),
                     t.main().control("cmdAbout").caption()}),
            (Strings{"", "", "", c.tab0, c.tab1, "  ", "Changer d'identit\xE9", "\xC0 propos..."}));
        EXPECT_EQ(t.main().control("cbo200").items(), Strings(4, ""));
    }
}

// ------------------------------------------------------------ the shipped files

// The keys looked up besides the captions above: messages, dialog titles and
// filters, labels filled in when used, and the other windows' captions.
const std::pair<const char*, const char*> kMoreLookedUp[] = {
    {"Onglet0", "lbl800 lbl800.1 lbl800.2"},
    {"Onglet2", "ofd200"},
    {"Onglet3", "OFD1_1 OFD1_2 OFD2_1 OFD2_2 OFD3_1 OFD3_2 lbl302.1 lbl302.2 lbl302.3 lbl305.1 "
                "msgbox300 msgbox300T msgbox301 msgbox301T msgbox302 msgbox302T msgbox303 "
                "msgbox303T msgbox304 msgbox304T msgbox305 msgbox305T"},
    {"Onglet4", "msbox400 msbox400.1 msbox401 msbox401.1"},
    {"Onglet5", "msgbox500 msgbox500T"},
    {"Onglet6",
     "msgbox602 msgbox602a msgbox602T msgbox603 msgbox603T msgbox604 msgbox604a msgbox611 "
     "msgbox611a msgbox611b msgbox611c msgbox611T msgbox612 msgbox612a msgbox612b msgbox612T "
     "msgbox613 msgbox613a msgbox613b msgbox613c msgbox613T msgbox615 msgbox615a msgbox615b "
     "msgbox615c msgbox615d msgbox615e msgbox615f msgbox615T msgbox616 msgbox616a msgbox616b "
     "msgbox616c msgbox617 msgbox617a msgbox617b msgbox617c msgbox617d msgbox617e msgbox617f "
     "msgbox617g msgbox617T msgbox621 msgbox631 msgbox631a msgbox631b msgbox631T lbl621b lbl622 "
     "lbl630T lbl631 lbl631a lbl632 lbl633 lbl633a lbl633b lbl634 lbl635 lbl636 lbl637 lbl640 "
     "lbl640a lbl640b lbl640c lbl640T lbl641 lbl641a lbl641c lbl641d lbl642 lbl642a lbl642b "
     "lbl642c lbl642d lbl643 lbl643a lbl643b cmd631 cmd632 cmd633 cmd633a cmd642"},
    {"RESTAURATION", "msgbox0 lbl000 lbl003"},
    {"Action", "Titre lbl02 cmd01 cmd02 strSups strSupp strNepa strSurb strMarq strMarL strMarS "
               "strMarI strNepl strEt strSei strMcc strMcc.1 strMcc.2 strLcc strLta strReu "
               "strDcc strMtl strAmm"},
    {"Criteria",
     "Titre cmd00 cmd01 cmd02.0 cmd02.1 cmd02.2 cmd02.3 cmd03 cmd04 cmd05 cmd06 cmd07 cmd08 "
     "cmd09 mnufich mnuFichChar mnuFichSauv mnuFichSauvText mnuFichSauvTextVirg "
     "mnuFichSauvTextAsci mnuSele mnuSelcSupp mnuSeleAjAA mnuSeleAjAv mnuSeleAjAp mnuSeleSupp "
     "mnuSeleConv mnuFina mnuFinaEnre mnuFinaQuit mnuExpr InputBox1_1 InputBox1_2 OFD1_1 "
     "OFD1_2 OFD2_1 OFD2_2 OFD3_1 OFD3_2 OFD4_1 OFD4_2"},
    {"Xtra", "msgbox01 msgbox02 msgbox03 msgbox04 msgbox06 msgbox0T msgbox4T NoIdentity"},
};

// Every key the program looks up: section and key.
std::vector<std::pair<std::string, std::string>> LookedUp() {
    std::vector<std::pair<std::string, std::string>> keys;
    for (const Place& place : Places())
        keys.emplace_back(place.section, place.key);
    for (const auto& [section, words] : kMoreLookedUp) {
        std::istringstream in(words);
        for (std::string key; in >> key;)
            keys.emplace_back(section, key);
    }
    return keys;
}

const Strings kLanguages = {"English.lng", "Francais.lng"};

// Placeholders the program replaces: "%" followed by letters or digits.
std::multiset<std::string> Placeholders(const std::string& text) {
    std::multiset<std::string> found;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '%')
            continue;
        std::size_t end = i + 1;
        while (end < text.size() && std::isalnum(static_cast<unsigned char>(text[end])))
            ++end;
        if (end > i + 1)
            found.insert(text.substr(i, end - i));
    }
    return found;
}

class LanguageFiles : public ::testing::Test {
protected:
    std::string text(const std::string& language, const std::string& section,
                     const std::string& key) {
        return GetLngText(profile, section, key, Path(language));
    }
    static std::string Path(const std::string& language) { return "C:\\language\\" + language; }

    platform::portable::PosixFileSystem files{{{'C', VELMORA_SOURCE_DIR}}};
    platform::portable::IniProfileStrings profile{files};
};

// Offsets of the bytes that do not belong in a Windows-1252 INI file with
// CR LF line ends, with what is wrong there.
Strings Windows1252Faults(const std::string& content) {
    Strings faults;
    const auto at = [&](std::size_t i) {
        return i < content.size() ? static_cast<unsigned char>(content[i]) : 0;
    };
    for (std::size_t i = 0; i < content.size(); ++i) {
        const unsigned char byte = at(i);
        const std::string where = std::to_string(i) + ": ";
        if (byte < 0x20 && byte != '\r' && byte != '\n')
            faults.push_back(where + "control character");
        if (byte == 0x81 || byte == 0x8D || byte == 0x8F || byte == 0x90 || byte == 0x9D)
            faults.push_back(where + "byte undefined in Windows-1252");
        if ((byte == '\n' && (i == 0 || at(i - 1) != '\r')) || (byte == '\r' && at(i + 1) != '\n'))
            faults.push_back(where + "line end other than CR LF");
        // A UTF-8 lead byte with its continuation bytes: text saved as UTF-8
        // by mistake ("\xC3\xA9" for e acute).
        const int following = byte >= 0xC2 && byte <= 0xDF   ? 1
                              : byte >= 0xE0 && byte <= 0xEF ? 2
                              : byte >= 0xF0 && byte <= 0xF4 ? 3
                                                             : 0;
        bool utf8 = following > 0;
        for (int k = 1; k <= following; ++k)
            utf8 = utf8 && (at(i + k) & 0xC0) == 0x80;
        if (utf8)
            faults.push_back(where + "UTF-8 sequence");
    }
    if (content.empty() || content.back() != '\n')
        faults.push_back("last line without CR LF");
    return faults;
}

TEST_F(LanguageFiles, EveryLookedUpKeyHasAWholeTextWithTheSamePlaceholdersInBothLanguages) {
    std::string withPlaceholders; // the keys the program fills in, with what it replaces
    for (const auto& [section, key] : LookedUp()) {
        const auto english = Placeholders(text("English.lng", section, key));
        for (const std::string& placeholder : english)
            withPlaceholders += section + " " + key + " " + placeholder + ", ";
        EXPECT_EQ(Placeholders(text("Francais.lng", section, key)), english)
            << "[" << section << "] " << key;
        for (const auto& language : kLanguages) {
            // Not cut by the 255-byte buffer of the lookup.
            const std::string whole = profile.getString(section, key, "", Path(language), 4096);
            EXPECT_FALSE(whole.empty()) << language << " [" << section << "] " << key;
            EXPECT_LE(whole.size(), 254u) << language << " [" << section << "] " << key;
        }
    }
    EXPECT_EQ(withPlaceholders,
              "Onglet3 lbl302.2 %numadr, Onglet3 msgbox302 %menu, Onglet3 msgbox304 %left, "
              "Onglet3 msgbox304 %stored, Onglet3 msgbox305 %skipped, Onglet6 msgbox616 %1, "
              "Onglet6 lbl630T %1, Onglet6 lbl630T %2, Onglet6 lbl633 %1, Onglet6 lbl633a %1, "
              "Onglet6 lbl633a %2, Onglet6 lbl635 %1, Onglet6 lbl641 %1, Onglet6 lbl643b %1, ");
}

TEST_F(LanguageFiles, BytesAreWindows1252TextAndThePiecesTheProgramJoinsFitTogether) {
    for (const auto& language : kLanguages) {
        const auto faults = Windows1252Faults(files.readFile(Path(language)).value_or(""));
        EXPECT_TRUE(faults.empty())
            << language << " at byte " << (faults.empty() ? "" : faults.front());
        // Cut out of the rate label before the first measure.
        EXPECT_NE(text(language, "Onglet6", "lbl635").find("%1 Ko/s"), std::string::npos);
        // Appended straight after a number or a size: they bring their own blank.
        EXPECT_EQ(text(language, "Onglet3", "lbl302.2").substr(0, 1), " ") << language;
        EXPECT_EQ(text(language, "Onglet6", "lbl621b").substr(0, 1), " ") << language;
        // The separator switch tells its two states apart by the caption.
        EXPECT_NE(text(language, "Onglet3", "lbl305"), text(language, "Onglet3", "lbl305.1"));
        // The contact-sort list needs four different items.
        std::set<std::string> items;
        for (int i = 0; i < 4; ++i)
            items.insert(text(language, "Onglet2", "cbo200." + std::to_string(i)));
        EXPECT_EQ(items.size(), 4u) << language;
    }
    // The French texts carry their accents as single bytes.
    EXPECT_EQ(text("Francais.lng", "Onglet3", "Titre"), "Bloqu\xE9s");
}

} // namespace
} // namespace velmora::testing
