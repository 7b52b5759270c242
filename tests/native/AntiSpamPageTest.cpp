// The anti-spam page and the action editor over the portable back-ends,
// where the window test does not go: the Order in the edge cases, which rule
// is found and deleted, the criteria and the editor hand-over, the coloured
// text of damaged words and actions, and every kind of chain stored.

#include "app/frmPrincipal.h"
#include "rules/AntiSpamPage.h"
#include "rules/RuleDescription.h"
#include "rules/RuleStorage.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const std::string kGuid = "{A5A5A5A5-0000-4000-8000-00000000A400}";
const std::string kRules =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";

class AntiSpam : public ::testing::Test {
protected:
    AntiSpam() {
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kEnglishFile;
        p.CriterionTypes = {8, 9, 12};
        p.registerForm(kCriteriaWindow, [](Program& program) {
            return std::make_unique<ui::Form>(kCriteriaWindow, program.services.ui);
        });
    }
    std::string lng(const std::string& key) { return Lng(p, "Onglet4", key); }
    void put(const std::string& key, const std::string& name, const RegInput& value,
             int type = platform::RegDword) {
        t.reg.WriteRegValue(HKCU, kRules + key, name, type, value);
    }
    void rules(const std::string& order, const Strings& names) {
        put("", "Order", order, RegSz);
        for (std::size_t i = 0; i < names.size(); ++i)
            put("\\" + FormatSubkeyName(static_cast<int>(i)), "Name", names[i], RegSz);
        LoadAntiSpamRule(p);
    }
    // "TEXT", a number, or "-" when missing.
    std::string stored(const std::string& key, const std::string& name) {
        platform::RegData data;
        if (t.registry.queryValue(HKCU, kRules + key, name, 1 << 16, data) != platform::RegOk)
            return "-";
        const std::string value = t.reg.ReadRegValue(HKCU, kRules + key, name);
        return data.type == RegSz ? value : std::to_string(LeadingNumber(value));
    }
    // Each piece of a box: its text, "/" and its colour when not black, "!" when bold.
    std::string runs(const std::string& box) {
        std::string text;
        char colour[16];
        for (const ui::RichRun& run : form.control(box).runs()) {
            std::snprintf(colour, sizeof colour, "/%X", run.colour);
            text += "[" + run.text + (run.colour ? colour : "") + (run.bold ? "!" : "") + "]";
        }
        return text;
    }
    void press(const std::string& name) { form.raise(name, ui::Event::MouseDown); }

    TestProgram t;
    RecordingRegistry recorder{t.registry};
    Program p{t.services(recorder), frmPrincipal::Create};
    ui::Form& form = p.principal();
};

TEST_F(AntiSpam, CreateListsTheRuleFirstAndDeleteTakesItOut) {
    struct {
        std::string order;
        Strings rules;
        std::string afterCreate, afterDelete;
    } const cases[] = {
        {"", {}, "000", "-"}, // the whole key goes with the last rule
        {"000 002", {"A", "B", "C"}, "003 000 002", "000 002"}, // "001" is left unlisted
    };
    for (const auto& c : cases) {
        t.reg.DeleteRegTree(HKCU, kRules.substr(0, kRules.size() - 5), "Mail");
        rules(c.order, c.rules);
        press("cmd400");
        const std::string rule = "\\" + c.afterCreate.substr(0, 3);
        EXPECT_EQ(stored("", "Order"), c.afterCreate);
        EXPECT_EQ(stored(rule, "Name") + stored(rule, "Enabled") + stored(rule, "Version"),
                  kAntiSpamRuleName + "11");
        t.ui.answerNext(ui::ResultCancel);
        press("cmd401");
        EXPECT_EQ(stored(rule, "Name"), kAntiSpamRuleName);
        press("cmd401");
        EXPECT_EQ(stored("", "Order") + stored(rule, "Name"), c.afterDelete + "-");
        EXPECT_EQ(stored("\\001", "Name"), c.rules.empty() ? "-" : "B");
        EXPECT_TRUE(form.control("cmd400").enabled());
    }
    EXPECT_EQ(t.ui.messages.at(0).style, 49);
    EXPECT_EQ(t.ui.messages.at(0).title, lng("msbox401.1"));
}

TEST_F(AntiSpam, OnlyTheRuleOfTheExactNameIsFoundAndDeleted) {
    std::string lower = kAntiSpamRuleName;
    lower[0] = 'a';
    const std::pair<std::string, std::string> cases[] = {
        {"009 000 001", "001"}, {"002", ""}, {"003\\X", ""}, {"Not Found", ""}};
    put("\\003\\X", "Name", kAntiSpamRuleName, RegSz);
    for (const auto& [order, found] : cases) {
        p.AntiSpamRuleKey.clear();
        rules(order, {"Other", kAntiSpamRuleName, lower});
        EXPECT_EQ(p.AntiSpamRuleKey + (form.control("chk400(0)").visible() ? " shown" : ""),
                  found + (found.empty() ? "" : " shown"));
    }
    // Found once, then another rule took its key: nothing to delete.
    rules("001", {"Other", kAntiSpamRuleName});
    put("\\001", "Name", "Other"s, RegSz);
    recorder.changes.clear();
    press("cmd401");
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, lng("msbox402"));
    EXPECT_EQ(t.ui.messages[0].style, 48);
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(AntiSpam, CriteriaShowByTypeAndGoThroughTheEditor) {
    rules("000", {kAntiSpamRuleName});
    const std::pair<int, Strings> criteria[] = {
        {8, {"cash"}}, {12, {}}, {23, {"x"}}, {9, {"old"}}, {9, {"a"}}};
    for (int i = 0; i < 5; ++i) {
        put("\\000\\Criteria\\00" + std::to_string(i), "Type", criteria[i].first);
        put("\\000\\Criteria\\00" + std::to_string(i), "Value", EncodeWordList(criteria[i].second),
            RegBinary);
    }
    put("\\000\\Criteria", "Order", "000 001 002 003 004"s, RegSz);
    LoadAntiSpamRule(p);
    std::string boxes;
    for (int i = 0; i < 3; ++i)
        boxes += std::to_string(form.control("chk400", i).value()) +
                 (form.control("rtb400", i).enabled() ? "+" : "-") + p.CriterionKeys[i] + " ";
    EXPECT_EQ(boxes, "1+000 1+004 0-001 ");

    // Removed after the question: its key goes, and its name from the Order.
    t.ui.answerNext(ui::ResultCancel);
    press("chk400(1)");
    press("chk400(1)");
    EXPECT_EQ(stored("\\000\\Criteria", "Order") + stored("\\000\\Criteria\\004", "Type"),
              "000 001 002 003-");
    EXPECT_EQ(t.ui.messages.at(1).title, lng("msbox400.1"));

    // Added: the editor gets the position and a new key, listed first only
    // when the editor says it stored the words.
    for (const bool save : {false, true}) {
        t.ui.onModal(kCriteriaWindow, [&](ui::Form& editor) {
            ui::Control& passage = form.control("lblPassage");
            EXPECT_EQ(passage.caption() + p.AntiSpamRuleKey + p.CriterionKeys[2], "2000004");
            if (save) {
                put("\\000\\Criteria\\004", "Type", 12);
                put("\\000\\Criteria\\004", "Value", EncodeWordList({"win"}), RegBinary);
                passage.setCaption("True");
            }
            editor.Unload();
        });
        press("chk400(2)");
        EXPECT_EQ(stored("\\000\\Criteria", "Order"),
                  save ? "004 000 001 002 003" : "000 001 002 003");
    }
    EXPECT_EQ(runs("rtb400(2)"), "[ '][win][' ]");
}

TEST_F(AntiSpam, WordsAreDrawnInTheColourOfTheirSpacesAndDamageIsMarked) {
    const std::string long_(2045, 'w');
    const std::tuple<std::string, std::uint32_t, int, std::string> cases[] = {
        {"cash\0free\0\0\0"s, RegBinary, 2, "[ '][cash][' ][,][ '][free][' ]"},
        {" a\0b \0 c \0\0\0"s, RegBinary, 3,
         "[ '][ a/800080][' ][,][ '][b /808000][' ][,][ '][ c /800000][' ]"},
        {"cash"s, RegBinary, 0, "[[?]/808080]"},
        {"cash\0\0"s, RegBinary, 1, "[ '][cash][' ][[?]/808080]"},
        {"cash"s, RegSz, 0, "[[?]/808080]"},
        {long_ + "\0\0\0\0"s, RegBinary, 0, "[[?]/808080]"}, // past the read limit
        {long_ + "\0\0\0"s, RegBinary, 1, "[ '][" + long_ + "][' ]"},
    };
    p.AntiSpamRuleKey = p.CriterionKeys[0] = "000";
    for (const auto& [bytes, type, count, drawn] : cases) {
        t.registry.setValue(HKCU, kRules + "\\000\\Criteria\\000", "Value", type, bytes);
        EXPECT_EQ(subRemplisRtf(p, 0), count) << drawn;
        EXPECT_EQ(runs("rtb400(0)"), drawn);
    }
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(AntiSpam, ActionsAreOneSentenceInBothLanguages) {
    const std::tuple<std::string, std::vector<std::pair<int, int>>, std::string> cases[] = {
        {"Francais",
         {{7, -1}, {12, -1}},
         "[le supprimer/800000][ et ][ne plus appliquer d'autres r\xE8gles/800000]"},
        {"English",
         {{10, 12}, {10, -1}, {10, 17}},
         "[highlight it in color /800000][\xB6/FFFF!][ and ][highlight it in color /800000][[?]/"
         "808080][ and ][highlight it in color /800000][[?]/808080]"},
        {"English",
         {{17, 1}, {17, 2}, {17, -1}},
         "[mark it as /800000][watched/800000!][ and ][mark it as /800000][ignored/800000!][ and "
         "][mark it as /800000][[?]/808080]"},
        {"English", {{1, -1}, {3, -1}}, "[copy it to a folder/80][ and ][[?]/808080]"},
    };
    p.AntiSpamRuleKey = "000";
    for (const auto& [language, actions, drawn] : cases) {
        p.LanguageFile = kTestProgramFolder + "\\language\\" + language + ".lng";
        t.reg.DeleteRegTree(HKCU, kRules + "\\000", "Actions");
        for (std::size_t i = 0; i < actions.size(); ++i) {
            const std::string key = "\\000\\Actions\\" + FormatSubkeyName(static_cast<int>(i));
            put(key, "Type", actions[i].first);
            if (actions[i].second >= 0)
                put(key, "Value", actions[i].second);
        }
        recorder.changes.clear();
        subRemplisAction(p);
        EXPECT_EQ(runs("rtb403"), drawn);
        EXPECT_TRUE(recorder.changes.empty());
    }
}

TEST_F(AntiSpam, OkReplacesEveryActionByTheChainFlagsFirstAndCancelWritesNothing) {
    const auto pick = [](int index) {
        return [index](ui::Form& colours) {
            colours.raise(ui::elementName("cmdCoul", index), ui::Event::Click);
        };
    };
    const std::tuple<std::string, std::function<void(ui::Form&)>, std::string> cases[] = {
        {"cignore6112", {}, "10 10 19|11 - -|13 - -|17 2 19|"},
        {"Neplusmarquer61", pick(13), "10 13 19|11 - -|12 - -|"},
        {"couleur6", [](ui::Form& colours) { colours.Unload(); }, "10 0 19|"},
        {"cmsuivi9", {}, "17 1 19|"},
        {"", {}, "17 1 19|1 - -|"}, // Cancel
    };
    p.AntiSpamRuleKey = "000";
    for (const auto& [node, colours, written] : cases) {
        put("\\000\\Actions\\005", "Type", 1); // a kind the editor cannot make
        t.ui.onModal("frmCouleur", colours);
        ui::Form& editor = p.form(kActionWindow);
        editor.Show(true);
        editor.raise("tvc01", ui::Event::NodeClick, {.text = node});
        if (colours)
            editor.raise("img01", ui::Event::Click);
        recorder.changes.clear();
        editor.raise(node.empty() ? "cmd02" : "cmd01", ui::Event::Click);
        EXPECT_FALSE(editor.isLoaded());
        std::string actions, order, last;
        for (const RegistryChange& change : recorder.changes)
            if (change.kind == RegistryChange::Set && change.key != last &&
                change.key.back() != 's') { // an action's first value
                EXPECT_EQ(change.name, "Flags");
                order += (last = change.key).substr(change.key.size() - 3) + " ";
            }
        for (int i = 0; i < 6; ++i) {
            const std::string key = "\\000\\Actions\\" + FormatSubkeyName(i);
            if (stored(key, "Type") != "-")
                actions += stored(key, "Type") + " " + stored(key, "Value") + " " +
                           stored(key, "ValueType") + "|";
        }
        EXPECT_EQ(actions, written) << node;
        EXPECT_EQ(node.empty() ? recorder.changes.empty()
                               : stored("\\000\\Actions", "Order") + " " == order,
                  true);
    }
}

} // namespace
} // namespace velmora::testing
