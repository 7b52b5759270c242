// The shipped language files, read the way the program reads them: every
// key the program looks up is there in both languages, nothing is cut by the
// 255-character buffer of the lookup, the bytes are Windows-1252 INI text,
// and the pieces the program joins or fills in keep their blanks and
// placeholders.

#include "core/Language.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/portable/PosixFileSystem.h"

#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace velmora::testing {
namespace {

// Every key the program looks up, by section: the captions of the main and
// about windows, the texts looked up when they are used (messages and their
// titles, dialog titles and filters, list items, the rule descriptions), and
// the captions of the editor, search and download windows.
const std::vector<std::pair<std::string, std::string>> kLookedUp = {
    {"Onglet0", "Titre lbl000 chk000 chk001 lbl010 chk010 chk011 lbl011 lbl020 chk020 lbl030 "
                "lbl801 chk800 chk801 lbl800 lbl800.1 lbl800.2"},
    {"Onglet1",
     "Titre lbl100 lbl101 chk101 chk102 chk103 chk104 lbl110 chk110 opt100.4 opt100.3 lbl120 "
     "chk120"},
    {"Onglet2", "Titre lbl200 chk200 chk201 chk202 lbl201 lbl202 lbl203 lbl204 lbl205 lbl206 "
                "cbo200.0 cbo200.1 cbo200.2 cbo200.3 ofd200"},
    {"Onglet3",
     "Titre lbl300 lbl301 lbl302 lbl303 lbl304 lbl305 lbl306 lbl307 lbl308 lbl309 "
     "lbl310 opt300.0 opt300.1 opt300.2 opt300.3 opt300.4 OFD1_1 OFD1_2 OFD2_1 OFD2_2 "
     "OFD3_1 OFD3_2 lbl302.1 lbl302.2 lbl302.3 lbl305.1 msgbox300 msgbox300T "
     "msgbox301 msgbox301T msgbox302 msgbox302T msgbox303 msgbox303T msgbox304 msgbox304T "
     "msgbox305 msgbox305T"},
    {"Onglet4", "Titre chk400.0 chk400.1 chk400.2 lbl400 cmd400 cmd401 msbox400 msbox400.1 "
                "msbox401 msbox401.1"},
    {"Onglet5", "Titre lbl500 lbl501 lbl501ttp lbl502 lbl502ttp lbl503 lbl503ttp lbl504 "
                "lbl504ttp lbl505 lbl505ttp lbl510 lbl511 lbl512 lbl520 txt520ttt lbl521 "
                "sstab2.0 sstab2.1 sstab2.2 cmd524ttp msgbox500 msgbox500T"},
    {"Onglet6",
     "Titre lbl600 lbl601 lbl602 lbl603 lbl610 lbl611 lbl612 lbl613 lbl614 msgbox602 "
     "msgbox602a msgbox602T msgbox603 msgbox603T msgbox604 msgbox604a msgbox611 msgbox611a "
     "msgbox611b msgbox611c msgbox611T msgbox612 msgbox612a msgbox612b msgbox612T msgbox613 "
     "msgbox613a msgbox613b msgbox613c msgbox613T msgbox615 msgbox615a msgbox615b msgbox615c "
     "msgbox615d msgbox615e msgbox615f msgbox615T msgbox616 msgbox616a msgbox616b msgbox616c "
     "msgbox617 msgbox617a msgbox617b msgbox617c msgbox617d msgbox617e msgbox617f msgbox617g "
     "msgbox617T msgbox621 msgbox631 msgbox631a msgbox631b msgbox631T lbl621b lbl622 lbl630T "
     "lbl631 lbl631a lbl632 lbl633 lbl633a lbl633b lbl634 lbl635 lbl636 lbl637 lbl640 lbl640a "
     "lbl640b lbl640c lbl640T lbl641 lbl641a lbl641c lbl641d lbl642 lbl642a lbl642b lbl642c "
     "lbl642d lbl643 lbl643a lbl643b cmd631 cmd632 cmd633 cmd633a cmd642"},
    {"Onglet7", "Titre lbl700 chk700 chk701 opt700 opt701 lbl710 chk710 chk711 chk712 chk713 "
                "opt710 opt711 opt720 opt721 opt722"},
    {"ABOUT", "lblDescription lblDisclaimer lblTranslator chkRestaur"},
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

const std::vector<std::string> kLanguages = {"English.lng", "Francais.lng"};

std::vector<std::string> Words(const std::string& text) {
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

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
    std::string bytes(const std::string& language) {
        return files.readFile(Path(language)).value_or("");
    }
    static std::string Path(const std::string& language) { return "C:\\language\\" + language; }

    platform::portable::PosixFileSystem files{{{'C', VELMORA_SOURCE_DIR}}};
    platform::portable::IniProfileStrings profile{files};
};

// Offsets of the bytes that do not belong in a Windows-1252 INI file with
// CR LF line ends, with what is wrong there.
std::vector<std::string> Windows1252Faults(const std::string& content) {
    std::vector<std::string> faults;
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

TEST_F(LanguageFiles, EveryLookedUpKeyHasAWholeTextWithTheEnglishPlaceholdersInBothLanguages) {
    int withPlaceholders = 0;
    for (const auto& [section, keys] : kLookedUp)
        for (const auto& key : Words(keys)) {
            const auto english = Placeholders(text("English.lng", section, key));
            withPlaceholders += english.empty() ? 0 : 1;
            EXPECT_EQ(Placeholders(text("Francais.lng", section, key)), english)
                << "[" << section << "] " << key;
            for (const auto& language : kLanguages) {
                // Not cut by the 255-byte buffer of the lookup.
                const std::string whole = profile.getString(section, key, "", Path(language), 4096);
                EXPECT_FALSE(whole.empty()) << language << " [" << section << "] " << key;
                EXPECT_LE(whole.size(), 254u) << language << " [" << section << "] " << key;
            }
        }
    EXPECT_GE(withPlaceholders, 9);
}

TEST_F(LanguageFiles, BytesAreWindows1252TextWithCrLfLines) {
    for (const auto& language : kLanguages) {
        const auto faults = Windows1252Faults(bytes(language));
        EXPECT_TRUE(faults.empty())
            << language << " at byte " << (faults.empty() ? "" : faults.front());
    }
    // The French texts carry their accents as single bytes.
    EXPECT_EQ(text("Francais.lng", "Onglet3", "Titre"), "Bloqu\xE9s");
}

TEST_F(LanguageFiles, PiecesTheProgramJoinsOrFillsInFitTogether) {
    // Placeholders the program replaces, and "%1 Ko/s", which it cuts out of
    // the rate label before the first measure.
    const std::pair<const char*, const char*> filled[] = {
        {"Onglet3 msgbox302", "%menu"},    {"Onglet3 lbl302.2", "%numadr"},
        {"Onglet3 msgbox304", "%stored"},  {"Onglet3 msgbox304", "%left"},
        {"Onglet3 msgbox305", "%skipped"}, {"Onglet6 msgbox616", "%1"},
        {"Onglet6 lbl630T", "%1"},         {"Onglet6 lbl630T", "%2"},
        {"Onglet6 lbl633", "%1"},          {"Onglet6 lbl633a", "%1"},
        {"Onglet6 lbl633a", "%2"},         {"Onglet6 lbl635", "%1 Ko/s"},
        {"Onglet6 lbl641", "%1"},          {"Onglet6 lbl643b", "%1"},
    };
    for (const auto& language : kLanguages) {
        for (const auto& [where, piece] : filled) {
            const auto words = Words(where);
            EXPECT_NE(text(language, words[0], words[1]).find(piece), std::string::npos)
                << language << " " << where << " lacks " << piece;
        }
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
}

} // namespace
} // namespace velmora::testing
