#pragma once
// The operating system's version record and start mode.

#include <cstdint>

namespace velmora::platform {

struct OsVersion {
    std::uint32_t platformId = 0; // 1 Windows 95 family, 2 NT family
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t build = 0;
    bool valid = false; // false when the system refused to answer
};

// The program's own version, as its version resource gives it.
struct ProgramVersion {
    std::uint32_t major = 0;
    std::uint32_t minor = 0;
    std::uint32_t revision = 0;
};

class SystemInfo {
public:
    virtual ~SystemInfo() = default;

    virtual OsVersion osVersion() = 0;
    // SM_CLEANBOOT: 0 normal, 1 safe mode, 2 safe mode with network.
    virtual int bootMode() = 0;
    // Major, minor and revision (the third number) of the version resource
    // of the program's own file; zeros when it has none.
    virtual ProgramVersion programVersion() = 0;
};

} // namespace velmora::platform
