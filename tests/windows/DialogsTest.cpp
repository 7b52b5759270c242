// The folder browser as a real window: a timer running inside the dialog's
// own message loop finds the dialog and confirms or cancels it, as a user
// would. (The open-file dialog is driven through the running program.)

#include "core/ModuleDuProjet.h"
#include "platform/win32/Win32Dialogs.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <shlobj.h>

#include <functional>

namespace velmora::testing {
namespace {

// Answers the shown dialog at each tick until `step` answers true (it waits
// for the dialog's tree to fill in); cancelled after 10 s.
std::string browse(const std::function<bool(HWND)>& step) {
    int ticks = 0; // -1 once the step is done
    duringLoop(100, [&] {
        HWND dialog = findTopLevel(GetCurrentProcessId(), [](HWND window) {
            return classOf(window) == "#32770" && IsWindowVisible(window);
        });
        if (dialog && ++ticks > 100)
            press(dialog, IDCANCEL);
        else if (dialog && step(dialog))
            ticks = -1;
        return ticks < 0 || ticks > 100;
    });
    platform::win32::Win32Dialogs dialogs;
    const std::string chosen = BrowseForFolder(dialogs, "Dossier du kit");
    EXPECT_EQ(ticks, -1) << "the dialog closed early or never showed";
    duringLoop(0, nullptr);
    return chosen;
}

// The text of the folder browser's selected tree item.
std::string selectedFolderName(HWND dialog) {
    HWND tree = FindWindowExA(dialog, nullptr, WC_TREEVIEWA, nullptr);
    for (HWND child = nullptr; !tree && (child = FindWindowExA(dialog, child, nullptr, nullptr));)
        tree = FindWindowExA(child, nullptr, WC_TREEVIEWA, nullptr);
    char text[MAX_PATH] = {};
    TVITEMA item{TVIF_TEXT, tree ? TreeView_GetSelection(tree) : nullptr, 0, 0, text, MAX_PATH};
    return item.hItem && TreeView_GetItem(tree, &item) ? text : "";
}

TEST(Win32Dialogs, FolderBrowserGivesTheChosenFolderWithoutTrailingBackslashOrNothing) {
    EXPECT_EQ(browse([](HWND dialog) {
                  press(dialog, IDCANCEL);
                  return true;
              }),
              "");

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
        if (selectedFolderName(dialog) != name)
            return false;
        press(dialog, IDOK);
        return true;
    });
    EXPECT_EQ(lstrcmpiA(chosen.c_str(), target.c_str()), 0) << chosen;
}

} // namespace
} // namespace velmora::testing
