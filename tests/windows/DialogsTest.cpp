// The open-file dialog and the folder browser as real windows: a timer
// running inside the dialog's own message loop finds the dialog, fills it
// in and confirms or cancels it, as a user would.

#include "core/ModuleDuProjet.h"
#include "core/modGetOpenFileName.h"
#include "platform/win32/Win32Dialogs.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <dlgs.h>
#include <commctrl.h>
#include <shlobj.h>

#include <functional>
#include <vector>

namespace velmora::testing {
namespace {

// What to do with the dialog once it shows, one step per tick, so that
// each step's work is done before the next. A step answers false to be
// tried again at the next tick (it waits for the dialog).
using Step = std::function<bool(HWND)>;
std::vector<Step> g_steps;
std::size_t g_done = 0;
HWND g_dialog = nullptr;
int g_ticks = 0;

BOOL CALLBACK findDialog(HWND window, LPARAM) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") == 0 && IsWindowVisible(window)) {
        g_dialog = window;
        return FALSE;
    }
    return TRUE;
}

void CALLBACK onTimer(HWND, UINT, UINT_PTR id, DWORD) {
    ++g_ticks;
    g_dialog = nullptr;
    EnumThreadWindows(GetCurrentThreadId(), findDialog, 0);
    if (g_dialog == nullptr)
        return;
    if (g_done < g_steps.size() && g_ticks <= 100) {
        if (g_steps[g_done](g_dialog))
            ++g_done;
    } else if (g_ticks > 100) {
        // The steps did not close it: give up rather than hang.
        PostMessageA(g_dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        KillTimer(nullptr, id);
    }
}

// Runs show() while the timer takes the steps on the dialog it opens.
template <typename Show> std::string whileActing(std::vector<Step> steps, Show show) {
    g_steps = std::move(steps);
    g_done = 0;
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, onTimer);
    std::string result = show();
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_done, g_steps.size()) << "the dialog closed early or never showed";
    return result;
}

bool press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return true;
}

BOOL CALLBACK findTree(HWND window, LPARAM found) {
    char className[32] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, WC_TREEVIEWA) != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

// The text of the folder browser's selected tree item.
std::string selectedFolderName(HWND dialog) {
    HWND tree = nullptr;
    EnumChildWindows(dialog, findTree, reinterpret_cast<LPARAM>(&tree));
    if (tree == nullptr)
        return {};
    char text[MAX_PATH] = {};
    TVITEMA item{};
    item.mask = TVIF_TEXT;
    item.hItem = TreeView_GetSelection(tree);
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (item.hItem == nullptr ||
        !SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return {};
    return text;
}

// The file-name box: an edit, or a combo box with an edit, by version.
bool typeFileName(HWND dialog, const std::string& name) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (box == nullptr)
        box = GetDlgItem(dialog, edt1);
    EXPECT_NE(box, nullptr);
    SetWindowTextA(box, name.c_str());
    return true;
}

const std::string kFilter("Tous type de fichiers\0*.*\0", 26);

TEST(Win32Dialogs, CancelledOpenFileDialogGivesTheEmptyText) {
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen =
        whileActing({[](HWND dialog) { return press(dialog, IDCANCEL); }}, [&] {
            return ShowOpenFileDialog(dialogs, "Choisir", kFilter, ofn::HideReadOnly, "", 0, 0);
        });
    EXPECT_EQ(chosen, "");
}

TEST(Win32Dialogs, ChosenFileComesBackAsItsFullPath) {
    Win32ScratchFolder folder;
    HANDLE file = CreateFileA(folder.at("liste.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);

    platform::win32::Win32Dialogs dialogs;
    std::string title;
    const std::string chosen =
        whileActing({[&](HWND dialog) {
                         char caption[128] = {};
                         GetWindowTextA(dialog, caption, sizeof caption);
                         title = caption;
                         return typeFileName(dialog, "liste.txt");
                     },
                     [](HWND dialog) { return press(dialog, IDOK); }},
                    [&] {
                        return ShowOpenFileDialog(dialogs, "Choisir la liste", kFilter,
                                                  ofn::CabinetSearch, folder.path(), 0, 0);
                    });
    EXPECT_EQ(title, "Choisir la liste");
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), folder.at("liste.txt").c_str()), 0) << chosen;
}

TEST(Win32Dialogs, CancelledFolderBrowserGivesTheEmptyText) {
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = whileActing({[](HWND dialog) { return press(dialog, IDCANCEL); }},
                                           [&] { return BrowseForFolder(dialogs, "Dossier"); });
    EXPECT_EQ(chosen, "");
}

TEST(Win32Dialogs, ChosenFolderComesBackWithoutTrailingBackslash) {
    // Wine's browser selects a given path only one level below the folders
    // it has shown: the scratch folder itself sits right under Temp.
    Win32ScratchFolder folder;
    const std::string target = folder.path();
    const std::string name = target.substr(target.find_last_of('\\') + 1);
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = whileActing(
        {// Asked again each tick until the tree, which fills in as it goes,
         // shows the folder selected; confirmed at once, before the
         // dialog's own start-up can move the selection back.
         [&](HWND dialog) {
             SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                          reinterpret_cast<LPARAM>(target.c_str()));
             return selectedFolderName(dialog) == name && press(dialog, IDOK);
         }},
        [&] { return BrowseForFolder(dialogs, "Dossier du kit"); });
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), target.c_str()), 0) << chosen;
}

} // namespace
} // namespace velmora::testing
