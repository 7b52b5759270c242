// The criteria editor as a real window under Wine, in this process over the
// real services (the anti-spam page that opens it is another window's
// work): the rows the list view shows, the input box of a right click and
// a word with a character the code page lacks refused there, an in-place
// edit, the Delete key, the counter in the menu bar, and the list saved to
// the real registry byte for byte (the 12 bytes of cash and free), written
// over in place. (Wine's label editor is an ANSI window: what is typed
// there is already in the code page.)

#include "app/Win32Services.h"
#include "app/frmPrincipal.h"
#include "core/Program.h"
#include "rules/frmCriteria.h"
#include "windows/RunningProgram.h"
#include "windows/TestRegistry.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

using namespace velmora;
using namespace velmora::testing;
using namespace std::string_literals;

namespace {

const std::string kEditor = "frmCriteria";

const std::string kGuid = "{C417E41A-0000-4000-8000-000000000C41}";
const std::string kCriterion = "Identities\\" + kGuid +
                               "\\Software\\Microsoft\\Outlook Express\\5.0\\Rules\\Mail\\000"
                               "\\Criteria\\001";

// Steps run from a thread timer in whatever loop runs then (the editor's,
// the input box's, a message box's): a step acts once its window is there.
// The next step may run while an action still waits in a nested loop.
struct Step {
    std::function<bool()> ready;
    std::function<void()> act;
};
std::vector<Step> g_steps;
std::size_t g_next = 0;
int g_waited = 0;
std::function<void()> g_giveUp; // a step that never gets ready ends the test
void CALLBACK runSteps(HWND, UINT, UINT_PTR, DWORD) {
    if (g_next >= g_steps.size())
        return;
    if (g_steps[g_next].ready()) {
        g_waited = 0;
        g_steps[g_next++].act();
    } else if (++g_waited == 200) {
        std::fprintf(stderr, "step %zu never got ready\n", g_next);
        g_next = g_steps.size() + 1;
        g_giveUp();
    }
}

HWND inputBox() {
    HWND box = findTopLevelOfClass("#32770");
    return box && GetDlgItem(box, ui::win32::Win32UiHost::kInputEditId) ? box : nullptr;
}
HWND messageBox() {
    HWND box = findTopLevelOfClass("#32770");
    return box && !GetDlgItem(box, ui::win32::Win32UiHost::kInputEditId) ? box : nullptr;
}

std::string rows(HWND list) {
    std::string shown;
    for (int row = 0; row < ListView_GetItemCount(list); ++row) {
        char text[64] = "", hash[64] = "";
        ListView_GetItemText(list, row, 0, text, sizeof text);
        ListView_GetItemText(list, row, 1, hash, sizeof hash);
        (((shown += '[') += text) += '|') += hash;
        shown += ']';
    }
    return shown;
}

std::string lastMenuItem(HWND window) {
    HMENU bar = GetMenu(window);
    char text[64] = "";
    GetMenuStringA(bar, GetMenuItemCount(bar) - 1, text, sizeof text, MF_BYPOSITION);
    return text;
}

} // namespace

TEST(CriteriaWindow, EditedInTheRealWindowAndSavedToTheRegistry) {
    deleteKey(HKEY_CURRENT_USER, "Identities\\" + kGuid);
    putValue(HKEY_CURRENT_USER, kCriterion, "Value", REG_BINARY, " cash\0free\0\0\0"s);
    putText(HKEY_CURRENT_USER, kCriterion, "Other", "kept"); // written over in place
    Win32Services real(GetModuleHandleA(nullptr));
    Program program(real.services(), frmPrincipal::Create);
    program.CurrentIdentity = kGuid;
    program.LanguageFile = programFolder() + "\\language\\" + firstLanguageFile();
    program.AntiSpamRuleKey = "000";
    program.CriterionKeys = {"000", "001", "002"};
    program.CriterionTypes = {8, 9, 12};
    program.principal().control("lblPassage").setCaption("1");

    HWND form = nullptr, list = nullptr;
    std::vector<std::string> seen, messages;
    const auto rightClick = [&] {
        PostMessageA(list, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 5));
        PostMessageA(list, WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    };
    const auto type = [&](const wchar_t* text) {
        return [text] {
            HWND box = inputBox();
            SetWindowTextW(GetDlgItem(box, ui::win32::Win32UiHost::kInputEditId), text);
            PostMessageA(box, WM_COMMAND, IDOK, 0);
        };
    };
    const auto answerMessage = [&] {
        HWND box = messageBox();
        char text[512] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
        messages.push_back(text);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    };
    g_steps = {
        {[&] { return (form = findForm(kEditor)) && IsWindowVisible(form); },
         [&] {
             list = findControl(form, "lvw1");
             seen.push_back(rows(list));
             rightClick();
         }},
        {[] { return inputBox() != nullptr; }, type(L"\x0101t\x00E9")}, // a macron: no byte
        {[] { return messageBox() != nullptr; }, answerMessage},
        {[] { return !messageBox(); }, rightClick},
        {[] { return inputBox() != nullptr; }, type(L"w\x00EEn")}, // i circumflex: E
        {[&] { return !inputBox() && ListView_GetItemCount(list) == 3; },
         [&] {
             seen.push_back(rows(list));
             HWND editor = reinterpret_cast<HWND>(SendMessageA(list, LVM_EDITLABELA, 0, 0));
             SetWindowTextA(editor, "cash");
             SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
         }},
        {[&] { return !messageBox() && !ListView_GetEditControl(list); },
         [&] {
             seen.push_back(rows(list));
             ListView_SetItemState(list, -1, 0, LVIS_SELECTED);
             ListView_SetItemState(list, 2, LVIS_SELECTED, LVIS_SELECTED);
             PostMessageA(list, WM_KEYDOWN, VK_DELETE, 1);
         }},
        {[&] { return ListView_GetItemCount(list) == 2; },
         [&] {
             seen.push_back(rows(list) + " " + lastMenuItem(form));
             PostMessageA(findControl(form, "cmd03"), BM_CLICK, 0, 0);
         }},
    };
    g_next = 0;
    g_giveUp = [&] {
        if (HWND box = findTopLevelOfClass("#32770"))
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        program.form(kEditor).Unload();
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 50, runSteps);
    program.form(kEditor).Show(true);
    KillTimer(nullptr, timer);

    EXPECT_EQ(g_next, g_steps.size()) << "steps run";
    const std::string refused = languageText("Criteria", "msgbox02");
    EXPECT_EQ(messages, std::vector<std::string>{refused});
    EXPECT_EQ(seen, (std::vector<std::string>{
                        "[ cash|2063617368][free|66726565]",
                        "[ cash|2063617368][free|66726565][w\xEEn|77EE6E]",
                        "[cash|63617368][free|66726565][w\xEEn|77EE6E]",
                        "[cash|63617368][free|66726565] (2 Expressions)",
                    }));
    EXPECT_FALSE(program.form(kEditor).isLoaded());
    EXPECT_EQ(program.principal().control("lblPassage").caption(), "True");
    EXPECT_EQ(readValue(HKEY_CURRENT_USER, kCriterion, "Value"),
              std::make_pair(DWORD{REG_BINARY}, "cash\0free\0\0\0"s));
    for (const auto& [name, number] :
         {std::pair{"Type", 9}, {"ValueType", 65}, {"Flags", 0}, {"Logic", 1}})
        EXPECT_EQ(readValue(HKEY_CURRENT_USER, kCriterion, name),
                  std::make_pair(DWORD{REG_DWORD}, std::string(1, char(number)) + "\0\0\0"s));
    EXPECT_EQ(readValue(HKEY_CURRENT_USER, kCriterion, "Other").second, "kept\0"s);
    deleteKey(HKEY_CURRENT_USER, "Identities\\" + kGuid);
    takeQuitMessage();
}
