#include "platform/win32/Win32SystemInfo.h"

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

} // namespace velmora::platform::win32
