// The anti-spam page of the running velmora.exe on a prepared set-up: a
// stored rule listed after another shows its subject criterion ticked; the
// criteria editor opens from the page on the stored words, takes a word
// from the real input box and saves; the action editor writes the chain
// chosen in its tree; the rule is deleted through the real confirmation and
// created again.

#include "rules/AntiSpamPage.h"
#include "ui/win32/Win32UiHost.h"
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
std::string action(const std::string& key) {
    return languageText("Action", key);
}

TEST(AntiSpamWindow, StoredRuleActionChainDeleteAndCreate) {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
    deleteKey(HKEY_CURRENT_USER, kRules);
    putText(HKEY_CURRENT_USER, kRules, "Order", "000 001");
    putText(HKEY_CURRENT_USER, kRules + "\\000", "Name", "Newsletters");
    putText(HKEY_CURRENT_USER, kRules + "\\001", "Name", kAntiSpamRuleName);
    putNumber(HKEY_CURRENT_USER, kRules + "\\001\\Criteria\\000", "Type", 8);
    putValue(HKEY_CURRENT_USER, kRules + "\\001\\Criteria\\000", "Value", REG_BINARY,
             std::string("cash\0free\0\0\0", 12));
    putNumber(HKEY_CURRENT_USER, kRules + "\\001\\Actions\\003", "Type", 16);

    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(4);
    ASSERT_TRUE(program.shown("chk400(0)")) << "page 4 shows no rule";
    EXPECT_TRUE(program.ticked("chk400(0)"));
    EXPECT_FALSE(program.ticked("chk400(1)"));
    EXPECT_EQ(program.text("rtb400(0)"), " 'cash' , 'free' ");
    EXPECT_EQ(program.text("rtb403"), action("strSei"));

    // The criteria editor opens on the stored words. A right click asks for
    // a word in the real input box, which refuses one the code page lacks
    // (a macron) and takes one it holds; the list is saved byte for byte.
    program.postClick("rtb400(0)");
    HWND words = program.form("frmCriteria");
    ASSERT_NE(words, nullptr) << "no criteria editor";
    HWND list = findControl(words, "lvw1");
    EXPECT_EQ(ListView_GetItemCount(list), 2);
    const auto ask = [&](const wchar_t* word) {
        PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
        HWND box = program.dialog();
        ASSERT_NE(box, nullptr) << "no input box";
        SetWindowTextW(GetDlgItem(box, ui::win32::Win32UiHost::kInputEditId), word);
        press(box, IDOK);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(box); }));
    };
    ask(L"\x0101t\x00E9");
    HWND refusal = program.dialog();
    ASSERT_NE(refusal, nullptr) << "a word the code page lacks was taken";
    EXPECT_EQ(messageText(refusal), languageText("Criteria", "msgbox02"));
    press(refusal, IDOK);
    ASSERT_TRUE(waitFor([&] { return !IsWindow(refusal); }));
    ask(L"w\x00EEn");
    ASSERT_TRUE(waitFor([&] { return ListView_GetItemCount(list) == 3; }));
    program.postClick(findControl(words, "cmd03"));
    ASSERT_TRUE(waitFor([&] { return !IsWindow(words); }));
    EXPECT_EQ(readValue(HKEY_CURRENT_USER, kRules + "\\001\\Criteria\\000", "Value"),
              std::make_pair(DWORD{REG_BINARY}, std::string("cash\0free\0w\xEEn\0\0\0", 16)));
    EXPECT_TRUE(
        waitFor([&] { return program.text("rtb400(0)") == " 'cash' , 'free' , 'w\xEEn' "; }));

    // The editor's second root, delete, then its child, stop.
    program.postClick("rtb403");
    HWND editor = program.form("frmAction");
    ASSERT_NE(editor, nullptr) << "the action editor never showed";
    HWND tree = findControl(editor, "tvc01");
    HWND ok = findControl(editor, "cmd01");
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 50);
    EXPECT_FALSE(IsWindowEnabled(ok));
    LPARAM node = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    node = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, node);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET,
                 SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, node));
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(ok) != FALSE; }));
    EXPECT_EQ(textOf(findControl(editor, "lbl01")), "'" + action("strSupp") + "'" +
                                                        action("strEt") + " \r\n '" +
                                                        action("strNepl") + "'");
    program.postClick(ok);
    ASSERT_TRUE(waitFor([&] { return rules("\\001\\Actions", "Order") == "sz 000 001"; }));
    EXPECT_EQ(rules("\\001\\Actions\\000", "Type"), number(7));
    EXPECT_EQ(rules("\\001\\Actions\\000", "Flags"), number(0));
    EXPECT_EQ(rules("\\001\\Actions\\001", "Type"), number(12));
    EXPECT_EQ(rules("\\001\\Actions\\003", "Type"), "missing");
    EXPECT_TRUE(waitFor([&] {
        return program.text("rtb403") ==
               action("strSupp") + " " + action("strEt") + " " + action("strNepl");
    }));

    // Delete, confirmed in the real message box, and create again (the
    // Order and values each leaves are the page tests').
    program.postClick("cmd401");
    HWND question = program.dialog();
    ASSERT_NE(question, nullptr) << "no confirmation";
    EXPECT_EQ(messageText(question), languageText("Onglet4", "msbox401"));
    press(question, IDOK);
    ASSERT_TRUE(waitFor([&] { return rules("\\001", "Name") == "missing"; }));
    EXPECT_TRUE(waitFor([&] { return !program.shown("chk400(0)"); }));
    program.click("cmd400");
    EXPECT_EQ(rules("\\001", "Name"), "sz " + kAntiSpamRuleName);
    EXPECT_TRUE(program.shown("chk400(0)"));
    EXPECT_FALSE(program.ticked("chk400(0)"));
}

} // namespace
