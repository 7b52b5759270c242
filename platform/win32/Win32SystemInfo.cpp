#include "platform/win32/Win32SystemInfo.h"

#include "platform/win32/Win32FileVersions.h"

#include <windows.h>

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
    const auto file = ReadFileVersion(path);
    if (!file)
        return version;
    version.major = (*file)[0];
    version.minor = (*file)[1];
    version.revision = (*file)[2];
    return version;
}

} // namespace velmora::platform::win32
