#pragma once
// A system whose version record and boot mode are what the test says:
// Windows XP (NT 5.1, build 2600), started normally, running a program of
// version 2.1.4, until changed.

#include "platform/SystemInfo.h"

namespace velmora::platform::portable {

class FixedSystemInfo : public SystemInfo {
public:
    FixedSystemInfo() = default;
    FixedSystemInfo(OsVersion version, int bootMode) : version_(version), bootMode_(bootMode) {}

    OsVersion osVersion() override { return version_; }
    int bootMode() override { return bootMode_; }
    ProgramVersion programVersion() override { return programVersion_; }

    void setVersion(const OsVersion& version) { version_ = version; }
    void setBootMode(int mode) { bootMode_ = mode; }
    void setProgramVersion(const ProgramVersion& version) { programVersion_ = version; }

private:
    OsVersion version_{2, 5, 1, 2600, true};
    int bootMode_ = 0;
    ProgramVersion programVersion_{2, 1, 4};
};

} // namespace velmora::platform::portable
