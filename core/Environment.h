#pragma once
// What start-up learns about the machine: the browser version, the Windows
// family and name.

#include "core/modRegistre.h"
#include "platform/SystemInfo.h"

#include <string>

namespace velmora {

// The browser's version with "." as the only separator ("6.0.2900.2180").
std::string DetectBrowserVersion(const modRegistre& reg);
// "XP" when the NT product name says so (exact case), otherwise "9x".
std::string DetectWindowsFamily(const modRegistre& reg);
// "Windows 95" ... "Windows XP", "Failed", or the empty text.
std::string GetWindowsName(platform::SystemInfo& system);

} // namespace velmora
