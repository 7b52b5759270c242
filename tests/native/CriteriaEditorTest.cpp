// The criteria editor over the portable back-ends: opening on stored lists
// of every shape, the editing commands, the sort, the registry bytes it
// saves and the files it writes and imports, and the refusals with their
// messages.

#include "rules/RuleStorage.h"
#include "rules/WordList.h"
#include "rules/frmCriteria.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <utility>

namespace velmora::testing {
namespace {

const std::string kEditor = "frmCriteria";

const std::string kGuid = "{1A2B3C4D-0000-4000-8000-00000000000C}";
const std::string kCriterion = "Identities\\" + kGuid +
                               "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail\\001"
                               "\\Criteria\\002";

class CriteriaEditor : public ::testing::Test {
protected:
    CriteriaEditor() : p(*t.program), editor(p.form(kEditor)) {
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kEnglishFile;
        p.AntiSpamRuleKey = "001";
        p.CriterionKeys = {"000", "001", "002"};
        p.CriterionTypes = {8, 9, 12};
        passage().setCaption("2");
    }
    ui::Control& passage() { return p.principal().control("lblPassage"); }
    ui::Control& list() { return editor.control("lvw1"); }
    void store(const std::string& bytes, std::uint32_t type = platform::RegBinary) {
        t.registry.setValue(HKCU, kCriterion, "Value", type, bytes);
    }
    void open(const Strings& words = {}) {
        if (!words.empty())
            store(EncodeWordList(words) + '\0');
        editor.Load();
    }
    Strings words() const { return static_cast<frmCriteria&>(editor).words(); }
    void select(const std::vector<int>& rows) {
        for (int row : rows)
            list().userSetRowSelected(row, true);
    }
    std::string counter() { return editor.findMenu("mnuExpr")->caption; }
    std::string lng(const std::string& key) { return Lng(p, "Criteria", key); }
    // The key of the one message shown since the last look, under the
    // editor's title and ending as the key's text does after any
    // placeholder; "" for none.
    std::string told() {
        const auto shown = std::exchange(t.ui.messages, {});
        for (int k = 1; k <= 7 && shown.size() == 1 && shown[0].title == lng("msgboxT"); ++k) {
            const std::string key = "msgbox0" + std::to_string(k), text = lng(key);
            const std::size_t mark = text.find('%');
            if (shown[0].text.ends_with(
                    mark == std::string::npos ? text : text.substr(text.find(' ', mark))))
                return key;
        }
        return shown.empty() ? "" : "none";
    }
    platform::RegData value(const std::string& name) {
        platform::RegData data;
        t.registry.queryValue(HKCU, kCriterion, name, 1 << 20, data);
        return data;
    }

    TestProgram t;
    Program& p;
    ui::Form& editor;
};

TEST_F(CriteriaEditor, OpensOnTheStoredListWithColoursHashesAndTheLanguageTexts) {
    open({" cash", "free ", " win ", "loto", "Loto", "\t\xE9"});
    EXPECT_EQ(words(), (Strings{" cash", "free ", " win ", "loto", "Loto", "\t\xE9"}));
    std::vector<ui::Colour> colours;
    for (const ui::ListRow& row : list().rows())
        colours.push_back(row.colour);
    EXPECT_EQ(colours, (std::vector<ui::Colour>{0x800080, 0x808000, 0x800000, 0, 0, 0}));
    EXPECT_EQ(list().rows()[0].subItems, Strings{"2063617368"});
    EXPECT_EQ(list().rows()[5].subItems, Strings{"9E9"});
    EXPECT_EQ(counter(), lng("mnuExpr")) << "the captions come after the count";
    EXPECT_EQ(editor.caption(), lng("Titre"));
    EXPECT_EQ(editor.control("cmd02", 3).caption(), lng("cmd02.3"));
    EXPECT_EQ(told(), "");
}

TEST_F(CriteriaEditor, StoredValuesOfAnyShapeShowWhatCanBeReadAndNothingIsWritten) {
    const std::string full = std::string(2045, 'w') + "\0\0\0"s; // 2048 bytes
    const std::string past = std::string(2046, 'w') + "\0\0\0"s; // 2049 bytes
    struct Row {
        const char* what;
        std::optional<platform::RegData> value;
        Strings words;
        bool whole; // else msgbox01 says the list was damaged
    };
    const Row rows[] = {
        {"missing", std::nullopt, {}, true},
        {"well formed", platform::RegData{3, "cash\0free\0\0\0"s}, {"cash", "free"}, true},
        {"no final zeros", platform::RegData{3, "cash\0free"s}, {"cash", "free"}, false},
        {"one zero", platform::RegData{3, "cash\0"s}, {"cash"}, false},
        {"four zeros", platform::RegData{3, "a\0b\0\0\0\0"s}, {"a", "b"}, false},
        {"empty word inside", platform::RegData{3, "a\0\0b\0\0\0"s}, {"a", "", "b"}, true},
        {"text value", platform::RegData{1, "cash\0"s}, {"cash"}, false},
        {"2048 bytes", platform::RegData{3, full}, {std::string(2045, 'w')}, true},
        {"2049 bytes", platform::RegData{3, past}, {std::string(2046, 'w')}, false},
        {"empty", platform::RegData{3, ""}, {}, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        if (row.value)
            store(row.value->bytes, row.value->type);
        editor.Load();
        EXPECT_EQ(words(), row.words);
        EXPECT_EQ(told(), row.whole ? "" : "msgbox01");
        editor.raise("mnuFinaQuit", ui::Event::Click);
        EXPECT_FALSE(editor.isLoaded());
        EXPECT_EQ(value("Value").bytes, row.value ? row.value->bytes : "") << "nothing written";
    }
}

TEST_F(CriteriaEditor, SpaceModesAndDeletionFromButtonsKeysAndMenusThenDuplicatesGo) {
    struct Row {
        std::string control; // pressed; lvw1 gets the Delete key
        int index;
        const char* menu;
        Strings after;
    };
    const Row rows[] = {
        {"cmd02(0)", 0, "mnuSeleAjAA", {"cash", " free ", " cash "}},
        {"cmd02(1)", 1, "mnuSeleSupp", {"cash", "free"}},
        {"cmd02(2)", 2, "mnuSeleAjAv", {"cash", " free", " cash"}},
        {"cmd02(3)", 3, "mnuSeleAjAp", {"cash", "free ", "cash "}},
        {"cmd00",
         -1,
         "mnuSeleConv",
         {"cash", "free ", "cash ", " cash", " cash ", " free", " free "}},
        {"lvw1", 46, "mnuSelcSupp", {"cash"}},
    };
    for (const Row& row : rows) {
        for (bool menu : {false, true}) {
            open({"cash", " free ", " cash "});
            select({1, 2});
            ui::EventArgs args;
            args.index = args.keyCode = row.index;
            if (menu)
                editor.raise(row.menu, ui::Event::Click);
            else
                editor.raise(row.control,
                             row.index == 46 ? ui::Event::KeyDown : ui::Event::MouseDown, args);
            EXPECT_EQ(words(), row.after) << row.menu << menu;
            EXPECT_EQ(counter(), "(" + std::to_string(row.after.size()) + " Expressions)");
            editor.Unload();
        }
    }
}

TEST_F(CriteriaEditor, AddingAWordThroughTheInputBox) {
    struct Row {
        const char* what;
        ui::InputAnswer answer;
        Strings after;
        std::string message;
    };
    const Row rows[] = {
        {"a repeat in other case", {false, "Cash", true}, {"cash"}, ""},
        {"a new word, spaces kept", {false, " win", true}, {"cash", " win"}, ""},
        {"cancelled", {true, "", true}, {"cash"}, ""},
        {"too long", {false, std::string(2046, 'x'), true}, {"cash"}, "msgbox03"},
    };
    for (const Row& row : rows) {
        open({"cash"});
        t.ui.answerInput(row.answer);
        ui::EventArgs right;
        right.button = 2;
        editor.raise("lvw1", ui::Event::MouseDown, right);
        EXPECT_EQ(words(), row.after) << row.what;
        EXPECT_EQ(t.ui.inputBoxes.back().text, lng("InputBox1_1"));
        EXPECT_EQ(told(), row.message) << row.what;
        editor.Unload();
    }
}

TEST_F(CriteriaEditor, InPlaceEditsAndTheirRefusal) {
    struct Row {
        const char* what;
        std::string text;
        bool unrepresentable;
        Strings after;
        bool cancelled;
    };
    const Row rows[] = {
        {"emptied", "", false, {"cash", "\xE9t\xE9"}, false},
        {"made a repeat", "\xC9T\xC9", false, {"cash", "\xC9T\xC9"}, false}, // the first stays
        {"outside the code page", "fr?e", true, {"cash", "free", "\xE9t\xE9"}, true},
    };
    for (const Row& row : rows) {
        open({"cash", "free", "\xE9t\xE9"});
        ui::EventArgs args;
        args.row = 1;
        args.text = row.text;
        args.unrepresentable = row.unrepresentable;
        editor.raiseWithArgs("lvw1", ui::Event::AfterLabelEdit, args);
        EXPECT_EQ(words(), row.after) << row.what;
        EXPECT_EQ(args.cancel, row.cancelled) << row.what;
        EXPECT_EQ(list().rows()[1].colour, PaletteColour(fncAttributsTexte(row.after[1])));
        editor.Unload();
    }
}

TEST_F(CriteriaEditor, HeaderClicksSortDescendingThenAscendingAndAddedRowsTakeTheirPlace) {
    open({"b", "C", "a"});
    ui::EventArgs column;
    column.column = 0;
    editor.raise("lvw1", ui::Event::ColumnClick, column);
    EXPECT_EQ(words(), (Strings{"C", "b", "a"}));
    editor.raise("lvw1", ui::Event::ColumnClick, column);
    EXPECT_EQ(words(), (Strings{"a", "b", "C"}));
    t.ui.answerInput({false, "B2", true});
    editor.raise("cmd05", ui::Event::MouseDown);
    EXPECT_EQ(words(), (Strings{"a", "b", "B2", "C"}));
    column.column = 1; // by the hexadecimal texts 62, 61, 43, 4232, descending
    editor.raise("lvw1", ui::Event::ColumnClick, column);
    EXPECT_EQ(words(), (Strings{"b", "a", "C", "B2"}));
}

TEST_F(CriteriaEditor, SavingWritesTheCriterionOverInPlaceButNeverNothingOrTooMuch) {
    t.registry.setValue(HKCU, kCriterion, "Other", platform::RegSz, "kept");
    open({" cash", "w\xEEn"});
    editor.raise("cmd03", ui::Event::Click);
    EXPECT_FALSE(editor.isLoaded());
    EXPECT_EQ(passage().caption(), "True");
    const std::pair<const char*, platform::RegData> written[] = {
        {"Value", {platform::RegBinary, " cash\0w\xEEn\0\0\0"s}},
        {"Type", {platform::RegDword, "\x0C\0\0\0"s}}, // the type of the third box
        {"ValueType", {platform::RegDword, "A\0\0\0"s}},
        {"Flags", {platform::RegDword, "\0\0\0\0"s}},
        {"Logic", {platform::RegDword, "\1\0\0\0"s}},
        {"Other", {platform::RegSz, "kept"}},
    };
    for (const auto& [name, data] : written)
        EXPECT_EQ(std::pair(value(name).type, value(name).bytes), std::pair(data.type, data.bytes))
            << name;

    passage().setCaption("2");
    open({"old"});
    list().setRows({});
    editor.raise("mnuFinaEnre", ui::Event::Click);
    EXPECT_FALSE(editor.isLoaded()) << "an empty list closes";
    EXPECT_EQ(passage().caption(), "2");
    EXPECT_EQ(value("Value").bytes, "old\0\0\0"s);

    Strings many;
    for (int i = 0; i < 1000; ++i)
        many.push_back("word" + std::to_string(i));
    open(many); // 7892 bytes: shown whole, with the notice
    t.ui.messages.clear();
    editor.raise("cmd03", ui::Event::Click);
    EXPECT_TRUE(editor.isLoaded()) << "the user can delete words and save again";
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_NE(t.ui.messages[0].text.find("7892"), std::string::npos);
    EXPECT_EQ(told(), "msgbox04");
    EXPECT_EQ(value("Value").bytes, EncodeWordList(many) + '\0');
    EXPECT_EQ(passage().caption(), "2");
}

TEST_F(CriteriaEditor, FilesAreWrittenByteForByte) {
    struct Row {
        const char *button, *menu, *title, *pattern;
        std::string bytes;
    };
    const Row rows[] = {
        {"cmd06", "mnuFichSauvText", "OFD1_1", "*.txt", "cash\r\nfree\r\n"},
        {"cmd08", "mnuFichSauvTextVirg", "OFD2_1", "*.csv", "cash;free;"},
        {"cmd09", "mnuFichSauvTextAsci", "OFD3_1", "*.txt", "63,61,73,68,00,66,72,65,65,00,00,00"},
    };
    open({"cash", "free"});
    for (const Row& row : rows) {
        for (const char* control : {row.button, row.menu}) {
            t.dialogs.answerOpenFile("C:\\out.txt");
            // cmd06 answers the press of the button, the others its click.
            editor.raise(control,
                         control == std::string("cmd06") ? ui::Event::MouseDown : ui::Event::Click);
            const platform::OpenFileRequest& asked = t.dialogs.openFileRequests.back();
            EXPECT_EQ(asked.title + asked.filter, lng(row.title) +
                                                      lng(std::string(row.title, 5) + "2") + '\0' +
                                                      row.pattern + '\0');
            EXPECT_EQ(asked.flags, 4u);
            EXPECT_EQ(t.files.readFile("C:\\out.txt").value_or("none"), row.bytes) << control;
        }
    }
}

TEST_F(CriteriaEditor, WordFilesAddTheirLinesAndBadOnesGiveAMessageAndAddNothing) {
    std::string many;
    Strings manyWords = {"old"};
    for (int i = 0; i < 10000; ++i) {
        manyWords.push_back("w" + std::to_string(i));
        many += manyWords.back() + "\n";
    }
    const std::string bom8 = "\xEF\xBB\xBF", bom16 = "\xFF\xFE";
    struct Row {
        const char* what;
        std::optional<std::string> bytes; // none: no file chosen
        std::string message;
        Strings words;
    };
    const Row rows[] = {
        {"cancelled", std::nullopt, "", {"old"}},
        {"CR LF", "cash\r\n free \r\n", "", {"old", "cash", " free "}},
        {"lone LF", "a\nb\n", "", {"old", "a", "b"}},
        {"lone CR", "a\rb", "", {"old", "a", "b"}},
        {"mixed, empty lines", "a\n\rb\r\r\nc", "", {"old", "a", "b", "c"}},
        {"tab kept", "a\tb", "", {"old", "a\tb"}},
        {"UTF-8 mark",
         bom8 + "\xC3\xA9t\xC3\xA9\r\n\xE2\x82\xAC",
         "",
         {"old", "\xE9t\xE9", "\x80"}},
        {"UTF-16 mark", bom16 + "a\0\r\0\n\0\xE9\0"s, "", {"old", "a", "\xE9"}},
        {"empty", "", "", {"old"}},
        {"10 000 words, LF ends", many, "", manyWords},
        {"a 1 MB line", "a\r\n" + std::string(1 << 20, 'x'), "msgbox07", {"old", "a"}},
        {"NUL bytes", "cash\0free"s, "msgbox05", {"old"}},
        {"binary junk", "\x7F\x45LF\x02\x01", "msgbox05", {"old"}},
        {"unmappable UTF-8", bom8 + "\xE4\xB8\xAD", "msgbox06", {"old"}},
        {"UTF-16 outside", bom16 + "a\0\x01\x01"s, "msgbox06", {"old"}},
        {"UTF-16 odd", bom16 + "a\0b"s, "msgbox06", {"old"}},
    };
    for (const Row& row : rows) {
        for (const char* control : {"cmd07", "mnuFichChar"}) {
            SCOPED_TRACE(row.what + " "s + control);
            open({"old"});
            t.putFile("C:\\in.txt", row.bytes.value_or(""));
            t.dialogs.answerOpenFile(row.bytes ? "C:\\in.txt" : "");
            editor.raise(control, ui::Event::Click);
            EXPECT_EQ(words(), row.words);
            EXPECT_EQ(told(), row.message);
            editor.Unload();
        }
    }
}

} // namespace
} // namespace velmora::testing
