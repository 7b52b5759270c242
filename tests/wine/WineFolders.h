#pragma once
// A scratch folder for tests of the real API, under Wine or Windows. Header
// only: the window tests use it too.

#include <windows.h>

#include <shellapi.h>

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
    ~Win32ScratchFolder() {
        const std::string from = path_ + '\0'; // a list of names ends with two zeros
        SHFILEOPSTRUCTA remove{};
        remove.wFunc = FO_DELETE;
        remove.pFrom = from.c_str();
        remove.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT; // read-only files too
        SHFileOperationA(&remove);
    }
    Win32ScratchFolder(const Win32ScratchFolder&) = delete;
    Win32ScratchFolder& operator=(const Win32ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string at(const std::string& name) const { return path_ + "\\" + name; }

private:
    std::string path_;
};

} // namespace velmora::testing
