#include "windows/TabCaptions.h"

#include <commctrl.h>

#include <algorithm>

namespace velmora::testing {

namespace {

// TCITEMA as a 32-bit process lays it out, for reading a 32-bit program's
// tab control from a 64-bit test.
struct TabItem32 {
    UINT mask;
    DWORD state, stateMask, text;
    int textMax, image;
    DWORD param;
};
constexpr std::size_t kItemSize = std::max(sizeof(TCITEMA), sizeof(TabItem32));
constexpr std::size_t kTextMax = 512;

} // namespace

// TCM_GETITEMA fills in a structure, which has to be in the tab control's
// process.
std::vector<std::string> tabCaptions(HWND tab) {
    std::vector<std::string> captions;
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (!process)
        return captions;
    BOOL is32 = sizeof(void*) == 4;
    if (!is32)
        IsWow64Process(process, &is32);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, kItemSize + kTextMax, MEM_COMMIT, PAGE_READWRITE));
    char* remoteText = remote + kItemSize;
    TabItem32 item32{TCIF_TEXT};
    item32.text = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(remoteText));
    item32.textMax = kTextMax;
    TCITEMA item{TCIF_TEXT};
    item.pszText = remoteText;
    item.cchTextMax = kTextMax;
    for (int i = 0; remote && i < SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0); ++i) {
        WriteProcessMemory(process, remote, is32 ? static_cast<void*>(&item32) : &item,
                           is32 ? sizeof item32 : sizeof item, nullptr);
        WriteProcessMemory(process, remoteText, "", 1, nullptr);
        SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
        char text[kTextMax + 1] = {};
        ReadProcessMemory(process, remoteText, text, kTextMax, nullptr);
        captions.push_back(text);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return captions;
}

// A strip whose tabs do not fit shows its up-down arrows.
bool allTabsInView(HWND tab) {
    HWND arrows = FindWindowExA(tab, nullptr, UPDOWN_CLASSA, nullptr);
    return SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0) > 0 &&
           !(arrows && (GetWindowLongPtrA(arrows, GWL_STYLE) & WS_VISIBLE));
}

} // namespace velmora::testing
