#pragma once
// A scratch folder for tests of the real API, under Wine or Windows. Header
// only: the window tests use it too.

#include <windows.h>

#include <string>

namespace velmora::testing {

// A fresh, empty folder under the user's temporary folder, without trailing
// backslash; removed with everything in it, read-only or not, when it goes.
class Win32ScratchFolder {
public:
    Win32ScratchFolder() {
        char temp[MAX_PATH + 1];
        const DWORD length = GetTempPathA(sizeof temp, temp);
        static unsigned counter = 0;
        do
            path_ = std::string(temp, length < sizeof temp ? length : 0) + "velmora-wine-" +
                    std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++counter);
        while (!CreateDirectoryA(path_.c_str(), nullptr) && GetLastError() == ERROR_ALREADY_EXISTS);
    }
    ~Win32ScratchFolder() { remove(path_); }
    Win32ScratchFolder(const Win32ScratchFolder&) = delete;
    Win32ScratchFolder& operator=(const Win32ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "\\" + name; }

private:
    static void remove(const std::string& path) {
        const DWORD attributes = GetFileAttributesA(path.c_str());
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
            DeleteFileA(path.c_str());
            return;
        }
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        for (bool more = search != INVALID_HANDLE_VALUE; more; more = FindNextFileA(search, &found))
            if (std::string(found.cFileName) != "." && std::string(found.cFileName) != "..")
                remove(path + "\\" + found.cFileName);
        FindClose(search);
        RemoveDirectoryA(path.c_str());
    }

    std::string path_;
};

} // namespace velmora::testing
