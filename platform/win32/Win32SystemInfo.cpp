#include "platform/win32/Win32SystemInfo.h"

#include <windows.h>

#include <vector>

namespace velmora::platform::win32 {

OsVersion Win32SystemInfo::osVersion() {
    // The plain record: Windows 95 and NT 4 before SP6 reject the extended one.
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    OsVersion version;
    if (!GetVersionExA(&info))
        return version;
    version.platformId = info.dwPlatformId;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    version.valid = true;
    return version;
}

int Win32SystemInfo::bootMode() {
    return GetSystemMetrics(SM_CLEANBOOT);
}

ProgramVersion Win32SystemInfo::programVersion() {
    ProgramVersion version;
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return version;
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    if (size == 0)
        return version;
    std::vector<char> data(size);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoA(path, 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return version;
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    version.major = HIWORD(info.dwFileVersionMS);
    version.minor = LOWORD(info.dwFileVersionMS);
    version.revision = HIWORD(info.dwFileVersionLS);
    return version;
}

} // namespace velmora::platform::win32
