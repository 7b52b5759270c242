#include "windows/TabCaptions.h"

#include <commctrl.h>

#include <algorithm>
#include <functional>

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

// Runs `use` with memory in the tab control's process, which messages
// that fill in a structure need; false when the process cannot be opened.
bool withRemoteMemory(HWND tab, const std::function<void(HANDLE, char*, bool is32)>& use) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (!process)
        return false;
    BOOL is32 = sizeof(void*) == 4;
    if (!is32)
        IsWow64Process(process, &is32);
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, kItemSize + kTextMax, MEM_COMMIT, PAGE_READWRITE));
    if (remote) {
        use(process, remote, is32 != FALSE);
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return remote != nullptr;
}

int tabCount(HWND tab) {
    return static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
}

} // namespace

std::vector<std::string> tabCaptions(HWND tab) {
    std::vector<std::string> captions;
    withRemoteMemory(tab, [&](HANDLE process, char* remote, bool is32) {
        char* remoteText = remote + kItemSize;
        TabItem32 item32{TCIF_TEXT};
        item32.text = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(remoteText));
        item32.textMax = kTextMax;
        TCITEMA item{TCIF_TEXT};
        item.pszText = remoteText;
        item.cchTextMax = kTextMax;
        for (int i = 0; i < tabCount(tab); ++i) {
            WriteProcessMemory(process, remote, is32 ? static_cast<void*>(&item32) : &item,
                               is32 ? sizeof item32 : sizeof item, nullptr);
            WriteProcessMemory(process, remoteText, "", 1, nullptr);
            SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(remote));
            char text[kTextMax + 1] = {};
            ReadProcessMemory(process, remoteText, text, kTextMax, nullptr);
            captions.push_back(text);
        }
    });
    return captions;
}

// TCM_GETITEMRECT writes into the other process too; a RECT is laid out
// alike in 32- and 64-bit processes.
bool allTabsInView(HWND tab) {
    bool inView = false;
    withRemoteMemory(tab, [&](HANDLE process, char* remote, bool) {
        auto rectOf = [&](int index) {
            RECT r{};
            if (SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                             reinterpret_cast<LPARAM>(remote)))
                ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
            return r;
        };
        RECT client{};
        GetClientRect(tab, &client);
        const RECT first = rectOf(0), last = rectOf(tabCount(tab) - 1);
        inView =
            tabCount(tab) > 0 && last.right > first.left && last.right - first.left <= client.right;
    });
    return inView;
}

} // namespace velmora::testing
