// The folder browser as a real window: a timer running inside the dialog's
// own message loop finds the dialog and confirms or cancels it, as a user
// would. (The open-file dialog is driven through the running program.)

#include "core/ModuleDuProjet.h"
#include "platform/win32/Win32Dialogs.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>

namespace velmora::testing {
namespace {

bool press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
    return true;
}

// What to do with the dialog at each tick once it shows, until it answers
// true (it waits for the dialog's tree to fill in); cancelled after 10 s.
std::function<bool(HWND)> g_step;
int g_ticks = 0; // -1 once the step is done

void CALLBACK onTimer(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = findTopLevel(GetCurrentProcessId(), [](HWND window) {
        return classOf(window) == "#32770" && IsWindowVisible(window);
    });
    if (!dialog || g_ticks < 0)
        return;
    if (++g_ticks > 100)
        press(dialog, IDCANCEL);
    else if (g_step(dialog))
        g_ticks = -1;
}

std::string browse(std::function<bool(HWND)> step) {
    g_step = std::move(step);
    g_ticks = 0;
    const UINT_PTR timer = SetTimer(nullptr, 0, 100, onTimer);
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = BrowseForFolder(dialogs, "Dossier du kit");
    KillTimer(nullptr, timer);
    EXPECT_EQ(g_ticks, -1) << "the dialog closed early or never showed";
    return chosen;
}

// The text of the folder browser's selected tree item.
std::string selectedFolderName(HWND dialog) {
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    for (HWND child = nullptr; !tree && (child = FindWindowExA(dialog, child, nullptr, nullptr));)
        tree = FindWindowExA(child, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH] = {};
    TVITEMA item{TVIF_TEXT, tree ? TreeView_GetSelection(tree) : nullptr};
    item.pszText = text;
    item.cchTextMax = sizeof text;
    return item.hItem && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? text
                                                                                              : "";
}

TEST(Win32Dialogs, FolderBrowserGivesTheChosenFolderWithoutTrailingBackslashOrNothing) {
    EXPECT_EQ(browse([](HWND dialog) { return press(dialog, IDCANCEL); }), "");

    // Wine's browser selects a given path only one level below the folders
    // it has shown: the scratch folder itself sits right under Temp.
    Win32ScratchFolder folder;
    const std::string target = folder.path();
    const std::string name = target.substr(target.find_last_of('\\') + 1);
    // Asked again each tick until the tree, which fills in as it goes, shows
    // the folder selected; confirmed at once, before the dialog's own
    // start-up can move the selection back.
    const std::string chosen = browse([&](HWND dialog) {
        SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.c_str()));
        return selectedFolderName(dialog) == name && press(dialog, IDOK);
    });
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), target.c_str()), 0) << chosen;
}

} // namespace
} // namespace velmora::testing
