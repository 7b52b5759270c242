// The anti-spam page and the action editor over the portable back-ends: the
// Order when the rule is created and deleted, which rule is found, the
// criteria and the editor hand-over, the coloured text of words and actions
// (damaged values included), and the chains the action editor stores.

#include "app/frmPrincipal.h"
#include "core/Language.h"
#include "rules/AntiSpamPage.h"
#include "rules/RuleDescription.h"
#include "rules/RuleStorage.h"
#include "support/RecordingRegistry.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using namespace std::string_literals;
using platform::RegBinary;
using platform::RegSz;
using Strings = std::vector<std::string>;

const std::string kGuid = "{A5A5A5A5-0000-4000-8000-00000000A400}";
const std::string kRules =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";

class AntiSpam : public ::testing::Test {
protected:
    AntiSpam() : p(*t.program), form(p.principal()) {
        t.reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword, 1LL);
        form.Load();
        p.CurrentIdentity = kGuid;
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
        p.registerForm(kCriteriaWindow, [](Program& program) {
            return std::make_unique<ui::Form>(kCriteriaWindow, program.services.ui);
        });
    }
    std::string lng(const std::string& section, const std::string& key) {
        return GetLngText(t.profile, section, key, p.LanguageFile);
    }
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
    // "dword N", "sz TEXT" or "missing".
    std::string stored(const std::string& key, const std::string& name) {
        platform::RegData data;
        if (t.registry.queryValue(HKCU, kRules + key, name, 1 << 16, data) != platform::RegOk)
            return "missing";
        return data.type == RegSz ? "sz " + TextOfData(data.bytes)
                                  : "dword " + std::to_string(LeadingNumber(
                                                   t.reg.ReadRegValue(HKCU, kRules + key, name)));
    }
    // Each piece of a box: its text, "/" and its colour when not black, "!" when bold.
    std::string runs(const std::string& box, Program& program) {
        std::string text;
        char colour[16];
        for (const ui::RichRun& run : program.principal().control(box).runs()) {
            std::snprintf(colour, sizeof colour, "/%X", run.colour);
            text += "[" + run.text + (run.colour ? colour : "") + (run.bold ? "!" : "") + "]";
        }
        return text;
    }
    // A second program over the same registry, recording every change.
    Program& watched() {
        recorded = std::make_unique<Program>(
            Services{recorder, t.files, t.profile, t.shell, t.dialogs, t.system, t.ui},
            frmPrincipal::Create);
        recorded->CurrentIdentity = kGuid;
        recorded->LanguageFile = p.LanguageFile;
        recorded->AntiSpamRuleKey = recorded->CriterionKeys[0] = "000";
        return *recorded;
    }

    TestProgram t;
    Program& p;
    ui::Form& form;
    RecordingRegistry recorder{t.registry};
    std::unique_ptr<Program> recorded;
};

TEST_F(AntiSpam, CreateListsTheRuleFirstAndDeleteTakesItOut) {
    const std::string name = kAntiSpamRuleName;
    struct {
        std::string order;
        Strings rules;
        std::string created, afterCreate, afterDelete;
    } const cases[] = {
        {"Not Found", {}, "000", "000", "missing"}, // the whole key goes with the last rule
        {"000 002", {"A", "B", "C"}, "003", "003 000 002", "000 002"}, // "001" left unlisted
        {"", {}, "000", "000", "missing"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.order);
        t.reg.DeleteRegTree(HKCU, kRules.substr(0, kRules.size() - 5), "Mail");
        rules(c.order, c.rules);
        if (c.order == "Not Found")
            t.reg.DeleteRegValue(HKCU, kRules, "Order");
        form.raise("cmd400", ui::Event::MouseDown);
        EXPECT_EQ(stored("", "Order"), "sz " + c.afterCreate);
        EXPECT_EQ(stored("\\" + c.created, "Name") + stored("\\" + c.created, "Enabled") +
                      stored("\\" + c.created, "Version"),
                  "sz " + name + "dword 1dword 1");
        EXPECT_FALSE(form.control("cmd400").enabled());
        t.ui.answerNext(ui::ResultCancel);
        form.raise("cmd401", ui::Event::MouseDown);
        EXPECT_EQ(stored("\\" + c.created, "Name"), "sz " + name);
        form.raise("cmd401", ui::Event::MouseDown);
        EXPECT_EQ(stored("", "Order"),
                  c.afterDelete == "missing" ? "missing" : "sz " + c.afterDelete);
        EXPECT_EQ(stored("\\" + c.created, "Name"), "missing");
        EXPECT_EQ(stored("\\001", "Name"), c.rules.size() > 1 ? "sz B" : "missing");
        EXPECT_TRUE(form.control("cmd400").enabled());
    }
    EXPECT_EQ(t.ui.messages.at(0).style, 49);
    EXPECT_EQ(t.ui.messages.at(0).title, lng("Onglet4", "msbox401.1"));
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
        EXPECT_EQ(p.AntiSpamRuleKey, found) << order;
        EXPECT_EQ(form.control("chk400(0)").visible(), !found.empty()) << order;
    }
    // Found once, then another rule took its key: nothing to delete.
    rules("001", {"Other", kAntiSpamRuleName});
    put("\\001", "Name", "Other"s, RegSz);
    form.raise("cmd401", ui::Event::MouseDown);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, lng("Onglet4", "msbox402"));
    EXPECT_EQ(t.ui.messages[0].style, 48);
    EXPECT_EQ(stored("", "Order") + stored("\\001", "Name"), "sz 001sz Other");
}

TEST_F(AntiSpam, CriteriaShowByTypeAndGoThroughTheEditor) {
    rules("000", {kAntiSpamRuleName});
    const std::pair<int, Strings> stored_[] = {
        {8, {"cash"}}, {12, {}}, {23, {"x"}}, {9, {"old"}}, {9, {"a"}}};
    for (int i = 0; i < 5; ++i) {
        put("\\000\\Criteria\\00" + std::to_string(i), "Type", stored_[i].first);
        put("\\000\\Criteria\\00" + std::to_string(i), "Value", EncodeWordList(stored_[i].second),
            RegBinary);
    }
    put("\\000\\Criteria", "Order", "000 001 002 003 004"s, RegSz);
    LoadAntiSpamRule(p);
    const auto boxes = [&] {
        std::string shown;
        for (int i = 0; i < 3; ++i)
            shown += std::to_string(form.control("chk400", i).value()) +
                     (form.control("rtb400", i).enabled() ? "+" : "-") + p.CriterionKeys[i] + " ";
        return shown;
    };
    EXPECT_EQ(boxes(), "1+000 1+004 0-001 ");

    // Removed: asked first, then the key goes and the Order is written even empty.
    t.ui.answerNext(ui::ResultCancel);
    form.raise("chk400(1)", ui::Event::MouseDown);
    form.raise("chk400(1)", ui::Event::MouseDown);
    EXPECT_EQ(stored("\\000\\Criteria", "Order"), "sz 000 001 002 003");
    EXPECT_EQ(stored("\\000\\Criteria\\004", "Type"), "missing");
    EXPECT_EQ(t.ui.messages.at(1).title, lng("Onglet4", "msbox400.1"));

    // Added: the editor gets the position and a new key; the Order lists
    // the key first only when the editor says it stored the words.
    std::string handedOver;
    for (const bool save : {false, true}) {
        t.ui.onModal(kCriteriaWindow, [&](ui::Form& editor) {
            ui::Control& passage = form.control("lblPassage");
            handedOver = passage.caption() + " " + p.AntiSpamRuleKey + " " + p.CriterionKeys[2];
            if (save) {
                put("\\000\\Criteria\\004", "Type", 12LL);
                put("\\000\\Criteria\\004", "Value", EncodeWordList({"win"}), RegBinary);
                passage.setCaption("True");
            }
            editor.Unload();
        });
        form.raise("chk400(2)", ui::Event::MouseDown);
        EXPECT_EQ(handedOver, "2 000 004");
        EXPECT_EQ(stored("\\000\\Criteria", "Order"),
                  save ? "sz 004 000 001 002 003" : "sz 000 001 002 003");
    }
    EXPECT_EQ(runs("rtb400(2)", p), "[ '][win][' ]");
}

TEST_F(AntiSpam, WordsAreDrawnInTheColourOfTheirSpacesAndDamageIsMarked) {
    const std::string long_(2045, 'w');
    struct {
        std::string bytes;
        std::uint32_t type;
        int count;
        std::string drawn;
    } const cases[] = {
        {"cash\0free\0\0\0"s, RegBinary, 2, "[ '][cash][' ][,][ '][free][' ]"},
        {" a\0b \0 c \0\0\0"s, RegBinary, 3,
         "[ '][ a/800080][' ][,][ '][b /808000][' ][,][ '][ c /800000][' ]"},
        {"cash"s, RegBinary, 0, "[[?]/808080]"},
        {"cash\0\0"s, RegBinary, 1, "[ '][cash][' ][[?]/808080]"},
        {"cash"s, RegSz, 0, "[[?]/808080]"},
        {long_ + "\0\0\0\0"s, RegBinary, 0, "[[?]/808080]"}, // past the read limit
        {long_ + "\0\0\0"s, RegBinary, 1, "[ '][" + long_ + "][' ]"},
    };
    Program& drawing = watched();
    for (const auto& c : cases) {
        t.registry.setValue(HKCU, kRules + "\\000\\Criteria\\000", "Value", c.type, c.bytes);
        EXPECT_EQ(subRemplisRtf(drawing, 0), c.count) << c.drawn;
        EXPECT_EQ(runs("rtb400(0)", drawing), c.drawn);
    }
    EXPECT_TRUE(recorder.changes.empty());
}

TEST_F(AntiSpam, ActionsAreOneSentenceInBothLanguages) {
    struct {
        const char* language;
        std::vector<std::pair<int, int>> actions; // type, Value (-1 for none)
        std::string drawn;
    } const cases[] = {
        {"English",
         {{7, -1}, {12, -1}},
         "[delete it/800000][ and ][stop processing more rules/800000]"},
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
        {"English", {}, ""},
    };
    Program& drawing = watched();
    for (const auto& c : cases) {
        drawing.LanguageFile = kTestProgramFolder + "\\language\\" + c.language + ".lng";
        t.reg.DeleteRegTree(HKCU, kRules + "\\000", "Actions");
        for (std::size_t i = 0; i < c.actions.size(); ++i) {
            const std::string key = "\\000\\Actions\\" + FormatSubkeyName(static_cast<int>(i));
            put(key, "Type", c.actions[i].first);
            if (c.actions[i].second >= 0)
                put(key, "Value", c.actions[i].second);
        }
        recorder.changes.clear();
        subRemplisAction(drawing);
        EXPECT_EQ(runs("rtb403", drawing), c.drawn);
        EXPECT_TRUE(recorder.changes.empty());
    }
}

TEST_F(AntiSpam, OkReplacesEveryActionByTheChainFlagsFirstAndCancelWritesNothing) {
    const auto pick = [](int index) {
        return [index](ui::Form& colours) {
            colours.raise(ui::elementName("cmdCoul", index), ui::Event::Click);
        };
    };
    struct {
        const char* node; // "" for Cancel
        std::function<void(ui::Form&)> colours;
        std::string written; // "Type Value ValueType" of 000, 001...
    } const cases[] = {
        {"NeplusSupprime", {}, "7 - - | 12 - - | "},
        {"cignore6112", {}, "10 10 19 | 11 - - | 13 - - | 17 2 19 | "},
        {"Neplusmarquer61", pick(13), "10 13 19 | 11 - - | 12 - - | "},
        {"couleur6", [](ui::Form& colours) { colours.Unload(); }, "10 0 19 | "},
        {"cmsuivi9", {}, "17 1 19 | "},
        {"", {}, "17 1 19 | 1 - - | "},
    };
    Program& editing = watched();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.node);
        put("\\000\\Actions\\005", "Type", 1); // a kind the editor cannot make
        t.ui.onModal("frmCouleur", c.colours);
        ui::Form& editor = editing.form(kActionWindow);
        editor.Show(true);
        EXPECT_FALSE(editor.control("cmd01").enabled());
        editor.raise("tvc01", ui::Event::NodeClick, {.text = c.node});
        if (c.colours)
            editor.raise("img01", ui::Event::Click);
        recorder.changes.clear();
        editor.raise(*c.node ? "cmd01" : "cmd02", ui::Event::Click);
        EXPECT_FALSE(editor.isLoaded());
        std::string written, order, last;
        for (const RegistryChange& change : recorder.changes) {
            if (change.kind != RegistryChange::Set || change.key == last ||
                change.key.ends_with("Actions"))
                continue;
            last = change.key;
            EXPECT_EQ(change.name, "Flags") << change.key;
            order += change.key.substr(change.key.size() - 3) + " ";
        }
        for (int i = 0; i < 6; ++i) {
            const std::string key = "\\000\\Actions\\" + FormatSubkeyName(i);
            for (const char* name : {"Type", "Value", "ValueType"})
                if (stored(key, "Type") != "missing")
                    written +=
                        (stored(key, name) == "missing" ? "-" : stored(key, name).substr(6)) +
                        (name == "ValueType"s ? " | " : " ");
        }
        EXPECT_EQ(written, c.written);
        if (!*c.node)
            EXPECT_TRUE(recorder.changes.empty());
        else
            EXPECT_EQ(stored("\\000\\Actions", "Order") + " ", "sz " + order);
    }
    editing.form(kActionWindow).Show(true);
    editing.form(kActionWindow).raise("tvc01", ui::Event::NodeClick, {.text = "NeplusSupprime"});
    EXPECT_EQ(editing.form(kActionWindow).control("lbl01").caption(),
              "'delete it'and \r\n 'stop processing more rules'");
}

} // namespace
} // namespace velmora::testing
