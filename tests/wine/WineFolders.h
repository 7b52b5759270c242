#pragma once
// Scratch folders for tests of the real API, under Wine or Windows. Header
// only: the window tests use it too.

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::testing {

// A fresh, empty folder under the user's temporary folder, without trailing
// backslash; removed with everything in it when the object goes.
class Win32ScratchFolder {
public:
    Win32ScratchFolder();
    ~Win32ScratchFolder();
    Win32ScratchFolder(const Win32ScratchFolder&) = delete;
    Win32ScratchFolder& operator=(const Win32ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

// Removes a file or a folder with everything in it, read-only or not.
inline void RemoveTree(const std::string& path);

// Makes an existing folder read-only as the system keeps it. Windows keeps
// the attribute; Wine ignores it for folders and takes read-only from the
// Unix permissions, so under Wine the write permission is taken away with
// chmod (Wine starts Unix programs through CreateProcess, without a handle
// to wait on: the attribute is polled for). False when it did not happen.
inline bool MakeFolderReadOnly(const std::string& path);

namespace detail {

inline bool isReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

// Wine's own export: the Unix name of a Windows path, on the process heap.
inline std::string unixNameOf(const std::string& path) {
    using UnixName = char*(CDECL*)(const WCHAR*);
    auto toUnix = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (toUnix == nullptr)
        return {};
    std::vector<WCHAR> wide(path.size() + 1);
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    char* name = toUnix(wide.data());
    if (name == nullptr)
        return {};
    std::string result = name;
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

} // namespace detail

inline Win32ScratchFolder::Win32ScratchFolder() {
    char temp[MAX_PATH + 1];
    const DWORD length = GetTempPathA(sizeof temp, temp);
    std::string base(temp, length < sizeof temp ? length : 0);
    static unsigned counter = 0;
    for (;;) {
        path_ = base + "velmora-wine-" + std::to_string(GetTickCount()) + "-" +
                std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        if (CreateDirectoryA(path_.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

inline Win32ScratchFolder::~Win32ScratchFolder() {
    RemoveTree(path_);
}

inline void RemoveTree(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return;
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileA(path.c_str());
        return;
    }
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name != "." && name != "..")
                RemoveTree(path + "\\" + name);
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(path.c_str());
}

inline bool MakeFolderReadOnly(const std::string& path) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY);
    if (detail::isReadOnly(path))
        return true;
    const std::string unixName = detail::unixNameOf(path);
    if (unixName.empty())
        return false;
    std::string command = "Z:\\bin\\chmod a-w \"" + unixName + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        return false;
    if (process.hThread)
        CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    for (int wait = 0; wait < 100 && !detail::isReadOnly(path); ++wait)
        Sleep(50);
    return detail::isReadOnly(path);
}

} // namespace velmora::testing
