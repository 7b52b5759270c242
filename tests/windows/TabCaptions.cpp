#include "windows/TabCaptions.h"

#include <commctrl.h>

#include <cstddef>

namespace velmora::testing {

namespace {

// TCITEMA as a 32-bit process lays it out, for reading a 32-bit program's
// tab control from a 64-bit test.
struct TabItem32 {
    UINT mask;
    DWORD state;
    DWORD stateMask;
    DWORD text;
    int textMax;
    int image;
    DWORD param;
};

} // namespace

// The item structure and its text buffer have to live in the other process
// for TCM_GETITEM.
std::vector<std::string> tabCaptions(HWND tab) {
    std::vector<std::string> captions;
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (!process)
        return captions;
    BOOL targetIs32 = sizeof(void*) == 4;
    if (!targetIs32)
        IsWow64Process(process, &targetIs32);
    constexpr std::size_t kItemSize =
        sizeof(TCITEMA) > sizeof(TabItem32) ? sizeof(TCITEMA) : sizeof(TabItem32);
    constexpr std::size_t kTextMax = 512;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, kItemSize + kTextMax, MEM_COMMIT, PAGE_READWRITE));
    const auto count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote && i < count; ++i) {
        char* remoteText = remote + kItemSize;
        if (targetIs32) {
            TabItem32 item{};
            item.mask = TCIF_TEXT;
            item.text = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(remoteText));
            item.textMax = kTextMax;
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        } else {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = remoteText;
            item.cchTextMax = kTextMax;
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        }
        char zero = 0;
        WriteProcessMemory(process, remoteText, &zero, 1, nullptr);
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

// TCM_GETITEMRECT writes into the other process too; a RECT is laid out
// alike in 32- and 64-bit processes.
bool allTabsInView(HWND tab) {
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    HANDLE process =
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return false;
    auto* remote = static_cast<RECT*>(
        VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE));
    auto rectOf = [&](int index) {
        RECT r{};
        if (SendMessageA(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(remote)))
            ReadProcessMemory(process, remote, &r, sizeof r, nullptr);
        return r;
    };
    const auto count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    bool inView = false;
    if (remote && count > 0) {
        const RECT first = rectOf(0), last = rectOf(count - 1);
        RECT client{};
        GetClientRect(tab, &client);
        inView = last.right > first.left && last.right - first.left <= client.right;
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return inView;
}

} // namespace velmora::testing
