#include "core/Environment.h"

#include <algorithm>

namespace velmora {

std::string DetectBrowserVersion(const modRegistre& reg) {
    // A missing value reads "Not Found", which is not empty: the next source
    // is asked only when the one before it exists and is empty.
    std::string version =
        reg.ReadRegValue(HKLM, "Software\\Microsoft\\Internet Explorer", "version");
    if (version.empty())
        version = reg.ReadRegValue(HKLM, "Software\\Microsoft\\Outlook Express", "MediaVer");
    if (version.empty())
        version = reg.ReadRegValue(HKLM,
                                   "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\"
                                   "{0fde1f56-0d59-4fd7-9624-e3df6b419d0e}",
                                   "version");
    std::replace(version.begin(), version.end(), ',', '.');
    std::replace(version.begin(), version.end(), ';', '.');
    return version;
}

std::string DetectWindowsFamily(const modRegistre& reg) {
    const std::string product =
        reg.ReadRegValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion", "ProductName");
    return product.find("XP") != std::string::npos ? "XP" : "9x";
}

std::string GetWindowsName(platform::SystemInfo& system) {
    const platform::OsVersion version = system.osVersion();
    if (!version.valid)
        return "Failed";
    if (version.platformId == 1) {
        switch (version.minor) {
        case 0:
            return "Windows 95";
        case 10:
            return "Windows 98";
        case 90:
            return "Windows Millennium";
        default:
            return "";
        }
    }
    if (version.platformId == 2) {
        switch (version.major) {
        case 3:
            return "Windows NT 3.51";
        case 4:
            return "Windows NT 4.0";
        case 5:
            return version.minor == 0 ? "Windows 2000" : "Windows XP";
        default:
            return "";
        }
    }
    return "Failed";
}

} // namespace velmora
