// The anti-spam page and the action editor over the portable back-ends: the
// rule's Order when it is created and deleted, which rule is found, the
// criteria's boxes and their editor hand-over, the coloured text of words
// and actions (damaged values included), and the chains the editor stores.

#include "app/LoadSettings.h"
#include "app/frmPrincipal.h"
#include "core/Language.h"
#include "rules/AntiSpamPage.h"
#include "rules/RuleDescription.h"
#include "rules/RuleStorage.h"
#include "rules/frmAction.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace velmora::testing {
namespace {

using namespace std::string_literals;
using platform::RegBinary;
using platform::RegDword;
using platform::RegSz;
using Strings = std::vector<std::string>;

const std::string kGuid = "{A5A5A5A5-0000-4000-8000-00000000A400}";
const std::string kRules =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";

class AntiSpam : public ::testing::Test {
protected:
    AntiSpam() : p(*t.program), form(p.principal()) {
        t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", RegDword, 1LL);
        form.Load();
        language("English");
        p.CurrentIdentity = kGuid;
    }
    void language(const std::string& name) {
        p.LanguageFile = kTestProgramFolder + "\\language\\" + name + ".lng";
    }
    std::string lng(const std::string& section, const std::string& key) {
        return GetLngText(t.profile, section, key, p.LanguageFile);
    }
    void put(const std::string& key, const std::string& name, const RegInput& value,
             int type = RegDword) {
        t.reg.WriteRegValue(HKCU, kRules + key, name, type, value);
    }
    void rule(const std::string& name, const std::string& ruleName = kAntiSpamRuleName) {
        put("\\" + name, "Name", ruleName, RegSz);
    }
    // A criterion's Value stored byte for byte.
    void criterion(const std::string& name, int type, const std::string& bytes,
                   std::uint32_t valueType = RegBinary) {
        put("\\000\\Criteria\\" + name, "Type", static_cast<long long>(type));
        t.registry.setValue(HKCU, kRules + "\\000\\Criteria\\" + name, "Value", valueType, bytes);
    }
    // The rule "000", alone, with the subject criterion "000" of one word.
    void subjectCriterion() {
        rule("000");
        put("", "Order", "000"s, RegSz);
        criterion("000", 8, "cash\0\0\0"s);
        put("\\000\\Criteria", "Order", "000"s, RegSz);
        LoadAntiSpamRule(p);
    }
    void action(const std::string& name, int type, long long value = -1) {
        put("\\000\\Actions\\" + name, "Type", static_cast<long long>(type));
        if (value >= 0)
            put("\\000\\Actions\\" + name, "Value", value);
    }
    // A value as stored: "dword N", "sz TEXT", "missing".
    std::string stored(const std::string& key, const std::string& name) {
        platform::RegData data;
        if (t.registry.queryValue(HKCU, kRules + key, name, 1 << 16, data) != platform::RegOk)
            return "missing";
        if (data.type == RegDword)
            return "dword " + t.reg.ReadRegValue(HKCU, kRules + key, name);
        return (data.type == RegSz ? "sz " : "type " + std::to_string(data.type) + " ") +
               TextOfData(data.bytes);
    }
    bool exists(const std::string& key) {
        return t.reg.EnumRegSubKey(HKCU, kRules + key, 0) != kNotFound ||
               stored(key, "Name") != "missing" || stored(key, "Type") != "missing";
    }
    void mouseDown(const std::string& name) { form.raise(name, ui::Event::MouseDown); }
    // The runs of a box: each piece's text, then "/" and its colour in hex
    // for a coloured piece, "!" for a bold one.
    std::string runs(const std::string& box, Program* program = nullptr) {
        std::string text;
        char colour[16];
        for (const ui::RichRun& run : (program ? program->principal() : form).control(box).runs()) {
            std::snprintf(colour, sizeof colour, "%X", run.colour);
            text +=
                "[" + run.text + (run.colour ? "/"s + colour : "") + (run.bold ? "!" : "") + "]";
        }
        return text;
    }
    std::string messages() {
        std::string shown;
        for (const ShownMessage& m : t.ui.messages)
            shown += std::to_string(m.style) + " " + m.title + " | " + m.text + "\n";
        return shown;
    }
    // The criteria editor played by the test: stores `words` as the
    // criterion at the position handed over, and says so, unless empty.
    void criteriaEditor(const std::vector<std::string>& words) {
        p.registerForm(kCriteriaWindow, [](Program& program) {
            return std::make_unique<ui::Form>(kCriteriaWindow, program.services.ui);
        });
        t.ui.onModal(kCriteriaWindow, [this, words](ui::Form& editor) {
            ui::Control& passage = form.control("lblPassage");
            handedOver = passage.caption() + " " + p.AntiSpamRuleKey + " " +
                         p.CriterionKeys.at(std::stoi(passage.caption()));
            if (!words.empty()) {
                const std::string key = "\\" + p.AntiSpamRuleKey + "\\Criteria\\" +
                                        p.CriterionKeys.at(std::stoi(passage.caption()));
                put(key, "Value", EncodeWordList(words), RegBinary);
                put(key, "Type",
                    static_cast<long long>(p.CriterionTypes.at(std::stoi(passage.caption()))));
                passage.setCaption("True");
            }
            editor.Unload();
        });
    }

    // A second program over the same registry that records every change.
    Program& watched() {
        if (!recorded) {
            recorder = std::make_unique<RecordingRegistry>(t.registry);
            recorded = std::make_unique<Program>(
                Services{*recorder, t.files, t.profile, t.shell, t.dialogs, t.system, t.ui},
                frmPrincipal::Create);
            recorded->CurrentIdentity = kGuid;
            recorded->LanguageFile = p.LanguageFile;
            recorded->CriterionTypes = {8, 9, 12};
        }
        return *recorded;
    }

    TestProgram t;
    Program& p;
    ui::Form& form;
    std::string handedOver;
    std::unique_ptr<RecordingRegistry> recorder;
    std::unique_ptr<Program> recorded;
};

// ---------------------------------------------------------------- the rule

struct CreateCase {
    const char* what;
    std::vector<std::pair<std::string, std::string>> rules; // subkey, Name
    std::optional<std::string> order;
    std::string name, newOrder;
};

TEST_F(AntiSpam, CreateListsTheRuleFirstUnderAFreeName) {
    const CreateCase cases[] = {
        {"no Order", {}, std::nullopt, "000", "000"},
        {"a gap", {{"000", "A"}, {"002", "B"}}, "000 002", "001", "001 000 002"},
        {"a rule left unlisted", {{"000", "A"}, {"001", "Old"}}, "000", "002", "002 000"},
        {"an empty Order", {}, "", "000", "000"},
    };
    for (const CreateCase& c : cases) {
        SCOPED_TRACE(c.what);
        t.reg.DeleteRegTree(HKCU, kRules.substr(0, kRules.size() - 5), "Mail");
        for (const auto& [key, name] : c.rules)
            rule(key, name);
        if (c.order)
            put("", "Order", *c.order, RegSz);
        LoadAntiSpamRule(p);
        ASSERT_TRUE(form.control("cmd400").enabled());
        mouseDown("cmd400");
        EXPECT_EQ(stored("", "Order"), "sz " + c.newOrder);
        EXPECT_EQ(stored("\\" + c.name, "Name"), "sz " + kAntiSpamRuleName);
        EXPECT_EQ(stored("\\" + c.name, "Enabled"), "dword 001");
        EXPECT_EQ(stored("\\" + c.name, "Version"), "dword 001");
        for (const auto& [key, name] : c.rules)
            EXPECT_EQ(stored("\\" + key, "Name"), "sz " + name);
        EXPECT_EQ(p.AntiSpamRuleKey, c.name);
        EXPECT_FALSE(form.control("cmd400").enabled());
        EXPECT_TRUE(form.control("chk400(2)").visible() && form.control("rtb403").visible());
    }
}

TEST_F(AntiSpam, TheRuleIsFoundByItsExactNameWhereverTheOrderListsIt) {
    std::string lower = kAntiSpamRuleName;
    lower[0] = 'a';
    struct {
        const char* order;
        std::string found;
    } const cases[] = {
        {"000 001", "001"},     // after another rule
        {"009 001 000", "001"}, // a name of no rule first
        {"002", ""},            // the name in other letter case
        {"003\\Nested", ""},    // a piece that is a path names no rule
        {"", ""},
    };
    rule("000", "Newsletters");
    rule("001");
    rule("002", lower);
    rule("003\\Nested");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        put("", "Order", std::string(c.order), RegSz);
        p.AntiSpamRuleKey.clear();
        LoadAntiSpamRule(p);
        EXPECT_EQ(p.AntiSpamRuleKey, c.found);
        EXPECT_EQ(form.control("cmd400").enabled(), c.found.empty());
        EXPECT_EQ(form.control("lbl400").visible(), !c.found.empty());
        EXPECT_EQ(form.control("chk400(0)").visible(), !c.found.empty());
    }
}

TEST_F(AntiSpam, DeleteTakesTheRuleOutOfTheOrderOrTheWholeKeyWhenItWasTheLast) {
    struct {
        const char* order;
        const char* orderAfter;
        bool otherStays;
    } const cases[] = {{"001 000", "sz 000", true}, {"001", "missing", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        rule("000", "Other");
        rule("001");
        put("\\001\\Criteria\\000", "Type", 8LL);
        put("", "Order", std::string(c.order), RegSz);
        LoadAntiSpamRule(p);
        t.ui.answerNext(ui::ResultCancel);
        mouseDown("cmd401");
        EXPECT_TRUE(exists("\\001\\Criteria"));
        mouseDown("cmd401");
        EXPECT_EQ(stored("", "Order"), c.orderAfter);
        EXPECT_FALSE(exists("\\001\\Criteria"));
        EXPECT_FALSE(exists("\\001"));
        EXPECT_EQ(exists("\\000"), c.otherStays);
        EXPECT_TRUE(form.control("cmd400").enabled());
    }
    const std::string confirm =
        "49 " + lng("Onglet4", "msbox401.1") + " | " + lng("Onglet4", "msbox401") + "\n";
    EXPECT_EQ(messages(), confirm + confirm + confirm + confirm);
}

TEST_F(AntiSpam, DeleteWithoutARuleShownTouchesNoRule) {
    const std::string nothing =
        "48 " + lng("Onglet4", "msbox402.1") + " | " + lng("Onglet4", "msbox402") + "\n";
    // Never found; then found, deleted, and another rule took its name.
    rule("000", "Other");
    put("", "Order", "000"s, RegSz);
    LoadAntiSpamRule(p);
    mouseDown("cmd401");
    rule("001");
    put("", "Order", "001 000"s, RegSz);
    LoadAntiSpamRule(p);
    mouseDown("cmd401");
    rule("001", "Taken over");
    mouseDown("cmd401");
    EXPECT_EQ(messages(), nothing + "49 " + lng("Onglet4", "msbox401.1") + " | " +
                              lng("Onglet4", "msbox401") + "\n" + nothing);
    EXPECT_EQ(stored("", "Order"), "sz 000");
    EXPECT_EQ(stored("\\000", "Name"), "sz Other");
    EXPECT_EQ(stored("\\001", "Name"), "sz Taken over");
}

TEST_F(AntiSpam, TheSettingsLoadShowsTheCurrentIdentitysRule) {
    rule("000");
    put("", "Order", "000"s, RegSz);
    const std::string other = "{A5A5A5A5-0000-4000-8000-00000000A401}";
    for (const std::string& identity : {other, kGuid, other}) {
        p.CurrentIdentity = identity;
        LoadSettings(p);
        EXPECT_EQ(form.control("cmd400").enabled(), identity == other) << identity;
        EXPECT_EQ(form.control("rtb403").visible(), identity == kGuid) << identity;
    }
}

// ---------------------------------------------------------------- criteria

TEST_F(AntiSpam, StoredCriteriaShowTheirBoxesByType) {
    rule("000");
    put("", "Order", "000"s, RegSz);
    criterion("000", 8, "cash\0free\0\0\0"s);
    criterion("001", 12, "\0\0"s);     // no word
    criterion("002", 23, "x\0\0\0"s);  // a type of no position
    criterion("003", 9, "old\0\0\0"s); // two of the body: the last shows
    criterion("004", 9, "a\0b\0c\0\0\0"s);
    LoadAntiSpamRule(p);
    Strings boxes;
    for (int i = 0; i < 3; ++i)
        boxes.push_back(std::to_string(form.control("chk400", i).value()) +
                        (form.control("rtb400", i).enabled() ? " enabled " : " disabled ") +
                        p.CriterionKeys[i]);
    EXPECT_EQ(boxes, (Strings{"1 enabled 000", "1 enabled 004", "0 disabled 001"}));
}

TEST_F(AntiSpam, RemovingACriterionAsksThenDeletesItAndWritesTheOrderEvenEmpty) {
    subjectCriterion();
    t.ui.answerNext(ui::ResultCancel);
    form.raise("chk400(0)", ui::Event::MouseDown);
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz 000");
    EXPECT_EQ(form.control("chk400(0)").value(), 1);
    form.raise("chk400(0)", ui::Event::MouseDown);
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz ");
    EXPECT_FALSE(exists("\\000\\Criteria\\000"));
    EXPECT_EQ(form.control("chk400(0)").value(), 0);
    EXPECT_FALSE(form.control("rtb400(0)").enabled());
    EXPECT_EQ(runs("rtb400(0)"), "");
    EXPECT_EQ(t.ui.messages.at(0).title, lng("Onglet4", "msbox400.1"));
    EXPECT_EQ(t.ui.messages.at(0).style, 49);
}

TEST_F(AntiSpam, AddingACriterionHandsItToTheEditorAndListsItOnlyWhenStored) {
    subjectCriterion();
    // Closed without saving: the Order stays, nothing is ticked.
    criteriaEditor({});
    form.raise("chk400(2)", ui::Event::MouseDown);
    EXPECT_EQ(handedOver, "2 000 001");
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz 000");
    EXPECT_EQ(form.control("chk400(2)").value(), 0);
    // Saved: listed first, ticked and drawn.
    criteriaEditor({"win"});
    form.raise("chk400(2)", ui::Event::MouseDown);
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz 001 000");
    EXPECT_EQ(form.control("chk400(2)").value(), 1);
    EXPECT_EQ(runs("rtb400(2)"), "[ '][win][' ]");
    // The words' box opens the same editor on the criterion as it is.
    criteriaEditor({"win", "lotto"});
    form.raise("rtb400(2)", ui::Event::MouseDown);
    EXPECT_EQ(handedOver, "2 000 001");
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz 001 000");
    EXPECT_EQ(runs("rtb400(2)"), "[ '][win][' ][,][ '][lotto][' ]");
}

// ---------------------------------------------------------------- drawing

TEST_F(AntiSpam, WordsAreDrawnInTheColourOfTheirSpacesAndDamageIsMarked) {
    struct {
        const char* what;
        std::string bytes;
        std::uint32_t type;
        int count;
        std::string drawn;
    } const cases[] = {
        {"two words", "cash\0free\0\0\0"s, RegBinary, 2, "[ '][cash][' ][,][ '][free][' ]"},
        {"spaces", " a\0b \0 c \0\0\0"s, RegBinary, 3,
         "[ '][ a/800080][' ][,][ '][b /808000][' ][,][ '][ c /800000][' ]"},
        {"no final zeros", "cash"s, RegBinary, 0, "[[?]/808080]"},
        {"one zero short", "cash\0\0"s, RegBinary, 1, "[ '][cash][' ][[?]/808080]"},
        {"a text", "cash"s, RegSz, 0, "[[?]/808080]"},
        {"past the read limit", std::string(2045, 'w') + "\0\0\0\0"s, RegBinary, 0, "[[?]/808080]"},
        {"at the read limit", std::string(2045, 'w') + "\0\0\0"s, RegBinary, 1,
         "[ '][" + std::string(2045, 'w') + "][' ]"},
    };
    Program& drawing = watched();
    drawing.AntiSpamRuleKey = "000";
    drawing.CriterionKeys[0] = "000";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        criterion("000", 8, c.bytes, c.type);
        recorder->changes.clear();
        EXPECT_EQ(subRemplisRtf(drawing, 0), c.count);
        EXPECT_EQ(runs("rtb400(0)", &drawing), c.drawn);
        EXPECT_TRUE(drawing.principal().control("rtb400(0)").visible());
        EXPECT_TRUE(recorder->changes.empty());
    }
    t.reg.DeleteRegValue(HKCU, kRules + "\\000\\Criteria\\000", "Value");
    EXPECT_EQ(subRemplisRtf(drawing, 0), 0);
    EXPECT_EQ(runs("rtb400(0)", &drawing), "");
}

TEST_F(AntiSpam, ActionsAreOneSentenceInBothLanguages) {
    struct Action {
        int type;
        long long value;
    };
    struct {
        const char* language;
        std::vector<Action> actions;
        std::string drawn;
    } const cases[] = {
        {"English",
         {{7, -1}, {12, -1}},
         "[delete it/800000][ and ][stop processing more rules/800000]"},
        {"Francais",
         {{7, -1}, {12, -1}},
         "[le supprimer/800000][ et ][ne plus appliquer d'autres r\xE8gles/800000]"},
        {"English", {{10, 12}}, "[highlight it in color /800000][\xB6/FFFF!]"},
        {"English", {{10, -1}}, "[highlight it in color /800000][[?]/808080]"},
        {"English", {{10, 17}}, "[highlight it in color /800000][[?]/808080]"},
        {"English",
         {{17, 1}, {17, 2}},
         "[mark it as /800000][watched/800000!][ and ][mark it as /800000][ignored/800000!]"},
        {"English", {{17, -1}}, "[mark it as /800000][[?]/808080]"},
        {"English", {{1, -1}, {3, -1}}, "[copy it to a folder/80][ and ][[?]/808080]"},
        {"English", {}, ""},
    };
    Program& drawing = watched();
    drawing.AntiSpamRuleKey = "000";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.drawn);
        drawing.LanguageFile = kTestProgramFolder + "\\language\\" + c.language + ".lng";
        t.reg.DeleteRegTree(HKCU, kRules + "\\000", "Actions");
        for (std::size_t i = 0; i < c.actions.size(); ++i)
            action(FormatSubkeyName(static_cast<int>(i)), c.actions[i].type, c.actions[i].value);
        recorder->changes.clear();
        subRemplisAction(drawing);
        EXPECT_EQ(runs("rtb403", &drawing), c.drawn);
        EXPECT_TRUE(recorder->changes.empty());
    }
}

// ---------------------------------------------------------------- action editor

TEST_F(AntiSpam, TheActionTreeHoldsEveryChainInItsOrder) {
    ui::Form& editor = p.form(kActionWindow);
    editor.Load();
    const auto& nodes = editor.control("tvc01").nodes();
    ASSERT_EQ(nodes.size(), 50u);
    Strings roots, stops;
    for (const ui::TreeNode& node : nodes) {
        EXPECT_FALSE(node.text.empty()) << node.key;
        if (node.parentKey.empty())
            roots.push_back(node.key);
        if (node.text == lng("Action", "strNepl"))
            stops.push_back(node.parentKey);
    }
    EXPECT_EQ(roots, (Strings{"SuppriSe", "Supprime", "Nepaslet", "couleur6", "marquer7",
                              "commelu8", "cmsuivi9", "cignore10"}));
    EXPECT_EQ(nodes[8].parentKey, "Supprime") << "the roots first";
    EXPECT_EQ(stops.size(), 24u);
    EXPECT_EQ(stops.front(), "Supprime");
    EXPECT_FALSE(editor.control("cmd01").enabled());
    EXPECT_FALSE(editor.control("shp01").visible());
}

struct ChainCase {
    const char* node;
    std::function<void(ui::Form&)> colours; // the user in the colour window, if opened
    Strings actions;                        // "Type Value ValueType" of 000, 001...
    std::string order;
};

TEST_F(AntiSpam, OkReplacesEveryActionByTheChosenChain) {
    const auto pick = [](int index) {
        return [index](ui::Form& colours) {
            colours.raise(ui::elementName("cmdCoul", index), ui::Event::Click);
        };
    };
    const ChainCase cases[] = {
        {"NeplusSupprime", {}, {"7 - -", "12 - -"}, "000 001"},
        {"cignore6112", {}, {"10 10 19", "11 - -", "13 - -", "17 2 19"}, "000 001 002 003"},
        {"Neplusmarquer61", pick(13), {"10 13 19", "11 - -", "12 - -"}, "000 001 002"},
        {"couleur6", [](ui::Form& colours) { colours.Unload(); }, {"10 0 19"}, "000"},
        {"cmsuivi9", {}, {"17 1 19"}, "000"},
    };
    rule("000");
    put("", "Order", "000"s, RegSz);
    LoadAntiSpamRule(p);
    for (const ChainCase& c : cases) {
        SCOPED_TRACE(c.node);
        for (int i = 0; i < 6; ++i)
            action(FormatSubkeyName(i), 1); // a kind the editor cannot make
        t.ui.onModal("frmCouleur", c.colours);
        t.ui.onModal(kActionWindow, [&](ui::Form& editor) {
            editor.raise("tvc01", ui::Event::NodeClick, {.text = c.node});
            if (c.colours)
                editor.raise("img01", ui::Event::Click);
            editor.raise("cmd01", ui::Event::Click);
        });
        mouseDown("rtb403");
        Strings actions;
        for (int i = 0; i < 6; ++i) {
            const std::string key = "\\000\\Actions\\" + FormatSubkeyName(i);
            if (!exists(key))
                continue;
            std::string row;
            for (const char* name : {"Type", "Value", "ValueType"}) {
                const std::string value = stored(key, name);
                row += (row.empty() ? "" : " ") +
                       (value == "missing" ? "-"s : std::to_string(LeadingNumber(value.substr(6))));
            }
            actions.push_back(row);
            EXPECT_EQ(stored(key, "Flags"), "dword 000");
        }
        EXPECT_EQ(actions, c.actions);
        EXPECT_EQ(stored("\\000\\Actions", "Order"), "sz " + c.order);
        EXPECT_EQ(form.control("lblPassage").caption(), "Ok");
        EXPECT_NE(runs("rtb403"), "");
    }
}

TEST_F(AntiSpam, TheChainReadsFromTheRootAndEachActionWritesFlagsFirst) {
    rule("000");
    action("000", 1);
    Program& editing = watched();
    editing.AntiSpamRuleKey = "000";
    ui::Form& editor = editing.form(kActionWindow);
    editor.Show(true);
    editor.raise("tvc01", ui::Event::NodeClick, {.text = "couleur6"});
    EXPECT_TRUE(editor.control("shp01").visible() && editor.control("img01").visible());
    editor.raise("tvc01", ui::Event::NodeClick, {.text = "NeplusSupprime"});
    EXPECT_FALSE(editor.control("shp01").visible());
    EXPECT_EQ(editor.control("lbl01").caption(),
              "'delete it'and \r\n 'stop processing more rules'");
    ASSERT_TRUE(editor.control("cmd01").enabled());
    recorder->changes.clear();
    editor.raise("cmd01", ui::Event::Click);
    Strings writes;
    for (const RegistryChange& c : recorder->changes)
        writes.push_back((c.kind == RegistryChange::Set ? "set " : "delete ") +
                         c.key.substr(kRules.size()) + " " + c.name);
    EXPECT_EQ(writes, (Strings{"delete \\000 Actions", "set \\000\\Actions\\000 Flags",
                               "set \\000\\Actions\\000 Type", "set \\000\\Actions\\001 Flags",
                               "set \\000\\Actions\\001 Type", "set \\000\\Actions Order"}));
    EXPECT_FALSE(editor.isLoaded());
}

TEST_F(AntiSpam, CancelAndTheCloseBoxWriteNothing) {
    rule("000");
    put("", "Order", "000"s, RegSz);
    action("000", 7);
    LoadAntiSpamRule(p);
    const std::string before = runs("rtb403");
    for (const char* close : {"cmd02", "close box"}) {
        SCOPED_TRACE(close);
        t.ui.onModal(kActionWindow, [&](ui::Form& editor) {
            editor.raise("tvc01", ui::Event::NodeClick, {.text = "cignore10"});
            form.control("rtb403").setRuns({});
            if (close == "cmd02"s)
                editor.raise("cmd02", ui::Event::Click);
            else
                editor.Unload();
        });
        mouseDown("rtb403");
        EXPECT_EQ(form.control("lblPassage").caption(), "10");
        EXPECT_EQ(runs("rtb403"), "") << "redrawn";
        EXPECT_EQ(stored("\\000\\Actions\\000", "Type"), "dword 007");
        EXPECT_EQ(stored("\\000\\Actions\\001", "Type"), "missing");
    }
    EXPECT_NE(before, "");
}

} // namespace
} // namespace velmora::testing
