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
#include <shlobj.h>

#include <functional>

namespace velmora::testing {
namespace {

// What to do with the dialog once it shows.
std::function<void(HWND)> g_action;
HWND g_dialog = nullptr;
int g_ticks = 0;
bool g_acted = false;

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
    if (!g_acted) {
        g_acted = true;
        g_action(g_dialog);
    } else if (g_ticks > 100) {
        // The action did not close it: give up rather than hang.
        PostMessageA(g_dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        KillTimer(nullptr, id);
    }
}

// Runs show() while the timer acts on the dialog it opens.
template <typename Show> std::string whileActing(std::function<void(HWND)> action, Show show) {
    g_action = std::move(action);
    g_ticks = 0;
    g_acted = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, onTimer);
    std::string result = show();
    KillTimer(nullptr, timer);
    EXPECT_TRUE(g_acted) << "the dialog never showed";
    return result;
}

void press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

// The file-name box: an edit, or a combo box with an edit, by version.
void typeFileName(HWND dialog, const std::string& name) {
    HWND box = GetDlgItem(dialog, cmb13);
    if (box == nullptr)
        box = GetDlgItem(dialog, edt1);
    ASSERT_NE(box, nullptr);
    SetWindowTextA(box, name.c_str());
}

const std::string kFilter("Tous type de fichiers\0*.*\0", 26);

TEST(Win32Dialogs, CancelledOpenFileDialogGivesTheEmptyText) {
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = whileActing(
        [](HWND dialog) { press(dialog, IDCANCEL); },
        [&] {
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
    const std::string chosen = whileActing(
        [&](HWND dialog) {
            char caption[128] = {};
            GetWindowTextA(dialog, caption, sizeof caption);
            title = caption;
            typeFileName(dialog, "liste.txt");
            press(dialog, IDOK);
        },
        [&] {
            return ShowOpenFileDialog(dialogs, "Choisir la liste", kFilter, ofn::CabinetSearch,
                                      folder.path(), 0, 0);
        });
    EXPECT_EQ(title, "Choisir la liste");
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), folder.at("liste.txt").c_str()), 0) << chosen;
}

TEST(Win32Dialogs, CancelledFolderBrowserGivesTheEmptyText) {
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = whileActing([](HWND dialog) { press(dialog, IDCANCEL); },
                                           [&] { return BrowseForFolder(dialogs, "Dossier"); });
    EXPECT_EQ(chosen, "");
}

TEST(Win32Dialogs, ChosenFolderComesBackWithoutTrailingBackslash) {
    Win32ScratchFolder folder;
    ASSERT_TRUE(CreateDirectoryA(folder.at("Kit").c_str(), nullptr));
    platform::win32::Win32Dialogs dialogs;
    const std::string target = folder.at("Kit");
    const std::string chosen = whileActing(
        [&](HWND dialog) {
            SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE,
                         reinterpret_cast<LPARAM>(target.c_str()));
            press(dialog, IDOK);
        },
        [&] { return BrowseForFolder(dialogs, "Dossier du kit"); });
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), target.c_str()), 0) << chosen;
}

} // namespace
} // namespace velmora::testing
