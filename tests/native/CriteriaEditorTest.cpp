// The criteria editor over the portable back-ends: opening on stored lists
// of every shape, the editing commands, the sort, the registry bytes it
// saves and the files it writes and imports, and the refusals with their
// messages.

#include "core/Language.h"
#include "rules/RuleStorage.h"
#include "rules/WordList.h"
#include "rules/frmCriteria.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const std::string kEditor = "frmCriteria";

using namespace std::string_literals;
using Strings = std::vector<std::string>;

const std::string kGuid = "{1A2B3C4D-0000-4000-8000-00000000000C}";
const std::string kCriterion = "Identities\\" + kGuid +
                               "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail\\001"
                               "\\Criteria\\002";

class CriteriaEditor : public ::testing::Test {
protected:
    CriteriaEditor() : p(*t.program), editor(p.form(kEditor)) {
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
        p.AntiSpamRuleKey = "001";
        p.CriterionKeys = {"000", "001", "002"};
        p.CriterionTypes = {8, 9, 12};
        passage().setCaption("2");
    }
    ui::Control& passage() { return p.principal().control("lblPassage"); }
    ui::Control& list() { return editor.control("lvw1"); }
    void store(const std::string& bytes) {
        t.registry.setValue(HKCU, kCriterion, "Value", platform::RegBinary, bytes);
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
    std::string lng(const std::string& key) {
        return GetLngText(t.profile, "Criteria", key, p.LanguageFile);
    }
    // The key of the one message shown since the last look (its text after
    // any placeholder, under the editor's title); "" for none.
    std::string told() {
        std::string key = "none";
        for (const char* k : {"01", "02", "03", "04", "05", "06", "07"}) {
            const std::string text = lng("msgbox"s + k);
            const std::size_t mark = text.find('%');
            const std::string tail =
                mark == std::string::npos ? text : text.substr(text.find(' ', mark));
            const auto& shown = t.ui.messages;
            if (shown.size() == 1 && shown[0].title == lng("msgboxT") &&
                shown[0].text.size() >= tail.size() &&
                shown[0].text.compare(shown[0].text.size() - tail.size(), tail.size(), tail) == 0)
                key = "msgbox"s + k;
        }
        const bool any = !t.ui.messages.empty();
        t.ui.messages.clear();
        return any ? key : "";
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

TEST_F(CriteriaEditor, AStoredValueItCannotReadWholeShowsWhatItCanAndWritesNothing) {
    const std::string shapes[] = {"cash\0free"s, "cash\0"s, std::string(3000, 'w') + "\0\0\0"s};
    for (const std::string& bytes : shapes) {
        store(bytes);
        editor.Load();
        EXPECT_EQ(words().front().substr(0, 4), bytes.substr(0, 4));
        EXPECT_EQ(told(), "msgbox01");
        editor.raise("mnuFinaQuit", ui::Event::Click);
        EXPECT_FALSE(editor.isLoaded());
        EXPECT_EQ(value("Value").bytes, bytes) << "nothing written";
    }
}

TEST_F(CriteriaEditor, SpaceModesFromButtonsAndMenusThenDuplicatesGo) {
    struct Row {
        int index; // of cmd02; -1 for cmd00
        const char* menu;
        Strings after;
    };
    const Row rows[] = {
        {0, "mnuSeleAjAA", {"cash", " free ", " cash "}},
        {1, "mnuSeleSupp", {"cash", "free"}},
        {2, "mnuSeleAjAv", {"cash", " free", " cash"}},
        {3, "mnuSeleAjAp", {"cash", "free ", "cash "}},
        {-1, "mnuSeleConv", {"cash", "free ", "cash ", " cash", " cash ", " free", " free "}},
    };
    for (const Row& row : rows) {
        for (bool menu : {false, true}) {
            open({"cash", " free ", " cash "});
            select({1, 2});
            ui::EventArgs args;
            args.index = row.index;
            if (menu)
                editor.raise(row.menu, ui::Event::Click);
            else
                editor.raise(row.index < 0 ? "cmd00" : ui::elementName("cmd02", row.index),
                             ui::Event::MouseDown, args);
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

TEST_F(CriteriaEditor, SavingNothingOrTooMuchWritesNothing) {
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

TEST_F(CriteriaEditor, FilesAreWrittenByteForByteAndTheTextImportsBack) {
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
    list().setRows({});
    t.dialogs.answerOpenFile("C:\\out.txt");
    t.putFile("C:\\out.txt", "cash\r\nfree\r\n");
    editor.raise("mnuFichChar", ui::Event::Click);
    EXPECT_EQ(words(), (Strings{"cash", "free"})) << "no empty row after the last break";
    editor.raise("cmd07", ui::Event::Click); // cancelled: nothing
    EXPECT_EQ(words(), (Strings{"cash", "free"}));
}

TEST_F(CriteriaEditor, BadWordFilesGiveAMessageAndLeaveTheListAsItWas) {
    std::string many;
    for (int i = 0; i < 10000; ++i)
        many += "w" + std::to_string(i) + "\n";
    struct Row {
        const char* what;
        std::string bytes;
        std::string message;
        std::size_t rows;
    };
    const Row rows[] = {
        {"NUL bytes", "cash\0free"s, "msgbox05", 1},
        {"unmappable Unicode", "\xEF\xBB\xBF\xE4\xB8\xAD", "msgbox06", 1},
        {"a 1 MB line", "a\r\n" + std::string(1 << 20, 'x'), "msgbox07", 2},
        {"10 000 words, LF ends", many, "", 10001},
    };
    for (const Row& row : rows) {
        open({"old"});
        t.putFile("C:\\in.txt", row.bytes);
        t.dialogs.answerOpenFile("C:\\in.txt");
        editor.raise("cmd07", ui::Event::Click);
        EXPECT_EQ(list().rows().size(), row.rows) << row.what;
        EXPECT_EQ(told(), row.message) << row.what;
        editor.Unload();
    }
}

} // namespace
} // namespace velmora::testing
