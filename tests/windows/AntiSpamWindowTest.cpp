// The anti-spam page of the running velmora.exe, driven from outside on a
// prepared set-up: a stored rule listed after another one, its subject
// criterion shown ticked with its words; the action editor's tree and the
// chain it writes; the rule deleted through the real confirmation and
// created again, first in the Order.

#include "rules/AntiSpamPage.h"
#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kGuid = "{A5A5A5A5-0000-4000-8000-000000000E40}";
const std::string kRules =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail";

std::string rules(const std::string& key, const std::string& name) {
    return stored(HKEY_CURRENT_USER, kRules + key, name);
}
std::string lng(const std::string& section, const std::string& key) {
    return languageText(section, key);
}

// The tree item the path of child numbers leads to from the first root.
HTREEITEM item(HWND tree, std::initializer_list<int> path) {
    auto next = [&](HTREEITEM from, WPARAM how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(from)));
    };
    HTREEITEM at = next(nullptr, TVGN_ROOT);
    bool first = true;
    for (int steps : path) {
        if (!first)
            at = next(at, TVGN_CHILD);
        first = false;
        for (int i = 0; i < steps && at; ++i)
            at = next(at, TVGN_NEXT);
    }
    return at;
}

class AntiSpamWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
        seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
        // Another rule first; the anti-spam rule "001" with words for the
        // subject and an action of the client's own.
        deleteKey(HKEY_CURRENT_USER, kRules);
        putText(HKEY_CURRENT_USER, kRules, "Order", "000 001");
        putText(HKEY_CURRENT_USER, kRules + "\\000", "Name", "Newsletters");
        putText(HKEY_CURRENT_USER, kRules + "\\001", "Name", kAntiSpamRuleName);
        putNumber(HKEY_CURRENT_USER, kRules + "\\001\\Criteria\\000", "Type", 8);
        putValue(HKEY_CURRENT_USER, kRules + "\\001\\Criteria\\000", "Value", REG_BINARY,
                 std::string("cash\0free\0\0\0", 12));
        putNumber(HKEY_CURRENT_USER, kRules + "\\001\\Actions\\000", "Type", 1);
        putNumber(HKEY_CURRENT_USER, kRules + "\\001\\Actions\\003", "Type", 16);
    }
};

TEST_F(AntiSpamWindow, StoredRuleActionChainDeleteAndCreate) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(4);
    ASSERT_TRUE(program.shown("chk400(0)")) << "page 4 shows no rule";
    EXPECT_TRUE(program.ticked("chk400(0)"));
    EXPECT_FALSE(program.ticked("chk400(1)"));
    EXPECT_EQ(program.text("rtb400(0)"), " 'cash' , 'free' ");
    EXPECT_FALSE(IsWindowEnabled(program["cmd400"]));
    EXPECT_EQ(program.text("rtb403"), lng("Action", "strLcc") + " " + lng("Action", "strEt") + " " +
                                          lng("Action", "strSei"));

    // The action editor: its tree, then delete and stop chosen and stored.
    program.postClick("rtb403");
    HWND editor = program.form("frmAction");
    ASSERT_NE(editor, nullptr) << "the action editor never showed";
    HWND tree = findControl(editor, "tvc01");
    HWND ok = findControl(editor, "cmd01");
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 50);
    EXPECT_FALSE(IsWindowEnabled(ok));
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item(tree, {1, 0})));
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(ok) != FALSE; }));
    EXPECT_EQ(textOf(findControl(editor, "lbl01")), "'" + lng("Action", "strSupp") + "'" +
                                                        lng("Action", "strEt") + " \r\n '" +
                                                        lng("Action", "strNepl") + "'");
    program.postClick(ok);
    ASSERT_TRUE(waitFor([&] { return rules("\\001\\Actions", "Order") == "sz 000 001"; }));
    EXPECT_EQ(rules("\\001\\Actions\\000", "Type"), number(7));
    EXPECT_EQ(rules("\\001\\Actions\\000", "Flags"), number(0));
    EXPECT_EQ(rules("\\001\\Actions\\001", "Type"), number(12));
    EXPECT_EQ(rules("\\001\\Actions\\003", "Type"), "missing");
    EXPECT_TRUE(waitFor([&] {
        return program.text("rtb403") == lng("Action", "strSupp") + " " + lng("Action", "strEt") +
                                             " " + lng("Action", "strNepl");
    }));

    // Delete: the real confirmation, answered OK; the other rule stays.
    program.postClick("cmd401");
    HWND question = program.dialog();
    ASSERT_NE(question, nullptr) << "no confirmation";
    EXPECT_EQ(messageText(question), lng("Onglet4", "msbox401"));
    press(question, IDOK);
    ASSERT_TRUE(waitFor([&] { return rules("", "Order") == "sz 000"; }));
    EXPECT_EQ(rules("\\001", "Name"), "missing");
    EXPECT_EQ(rules("\\000", "Name"), "sz Newsletters");
    EXPECT_TRUE(waitFor([&] { return !program.shown("chk400(0)"); }));
    EXPECT_TRUE(IsWindowEnabled(program["cmd400"]));

    // Create: first in the Order, under the first free name.
    program.click("cmd400");
    EXPECT_EQ(rules("", "Order"), "sz 001 000");
    EXPECT_EQ(rules("\\001", "Name"), "sz " + kAntiSpamRuleName);
    EXPECT_EQ(rules("\\001", "Enabled"), number(1));
    EXPECT_EQ(rules("\\001", "Version"), number(1));
    EXPECT_TRUE(program.shown("chk400(0)"));
    EXPECT_FALSE(program.ticked("chk400(0)"));
    EXPECT_EQ(program.text("rtb403"), "");
}

} // namespace
