#pragma once
// The version record and the boot mode from the system.

#include "platform/SystemInfo.h"

namespace velmora::platform::win32 {

class Win32SystemInfo : public SystemInfo {
public:
    OsVersion osVersion() override;
    int bootMode() override;
    ProgramVersion programVersion() override;
};

} // namespace velmora::platform::win32
