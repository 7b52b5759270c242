#include "platform/win32/Win32Dialogs.h"

#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include <cstddef>

namespace velmora::platform::win32 {

namespace {

constexpr DWORD kNameBufferSize = 255;

// The record as Windows 2000 and earlier know it (OPENFILENAME_SIZE_VERSION_400A):
// it ends with the template name.
constexpr DWORD kOpenFileRecordSize = offsetof(OPENFILENAMEA, lpTemplateName) + sizeof(LPCSTR);
#ifndef _WIN64
static_assert(kOpenFileRecordSize == 76, "the 32-bit record is 76 bytes");
#endif

const char* textOrNull(const std::string& text) {
    return text.empty() ? nullptr : text.c_str();
}

std::string trimmedBlanks(const char* text) {
    std::string result = text;
    const auto first = result.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    const auto last = result.find_last_not_of(' ');
    return result.substr(first, last - first + 1);
}

} // namespace

std::string Win32Dialogs::openFile(const OpenFileRequest& request) {
    // Blank buffers with their terminator, as the dialog is given them.
    char fileName[kNameBufferSize];
    char fileTitle[kNameBufferSize];
    FillMemory(fileName, kNameBufferSize - 1, ' ');
    FillMemory(fileTitle, kNameBufferSize - 1, ' ');
    fileName[kNameBufferSize - 1] = '\0';
    fileTitle[kNameBufferSize - 1] = '\0';

    // The filter's pairs end in a zero each; c_str() adds the final one.
    OPENFILENAMEA ofn{};
    ofn.lStructSize = kOpenFileRecordSize;
    ofn.hwndOwner = reinterpret_cast<HWND>(request.owner);
    ofn.hInstance = reinterpret_cast<HINSTANCE>(request.instance);
    ofn.lpstrFilter = textOrNull(request.filter);
    ofn.lpstrFile = fileName;
    ofn.nMaxFile = kNameBufferSize;
    ofn.lpstrFileTitle = fileTitle;
    ofn.nMaxFileTitle = kNameBufferSize;
    ofn.lpstrInitialDir = textOrNull(request.initialFolder);
    ofn.lpstrTitle = textOrNull(request.title);
    ofn.Flags = request.flags;
    if (!GetOpenFileNameA(&ofn))
        return {};
    return trimmedBlanks(fileName);
}

std::string Win32Dialogs::browseForFolder(const std::string& title) {
    // The browser works through the shell's COM objects.
    const HRESULT com = CoInitialize(nullptr);
    std::string chosen = browse(title);
    if (SUCCEEDED(com))
        CoUninitialize();
    return chosen;
}

std::string Win32Dialogs::browse(const std::string& title) {
    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = nullptr;
    info.pidlRoot = nullptr; // the desktop
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    LPITEMIDLIST chosen = SHBrowseForFolderA(&info);
    if (chosen == nullptr)
        return {};
    // SHGetPathFromIDListA writes at most MAX_PATH characters.
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(chosen, path) != 0;
    CoTaskMemFree(chosen);
    return ok ? std::string(path) : std::string();
}

} // namespace velmora::platform::win32
