#pragma once
// The scratch folder a contract suite works in and the file system over it:
// under Wine the real one in a fresh folder of the temporary folder, natively
// the portable one over a host folder standing for drive C (and drive D over
// the host folder given).

#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#include "wine/WineFolders.h"
#else
#include "platform/portable/PosixFileSystem.h"
#include "support/TempFolder.h"
#endif

#include <string>

namespace velmora::testing {

struct ScratchDrive {
#ifdef _WIN32
    explicit ScratchDrive(const std::string& = {}) {}
    Win32ScratchFolder scratch;
    platform::win32::Win32FileSystem files;
    std::string root() const {
        return scratch.path();
    }
#else
    explicit ScratchDrive(const std::string& driveD = {})
        : files(driveD.empty()
                    ? std::map<char, std::string>{{'C', scratch.path().string()}}
                    : std::map<char, std::string>{{'C', scratch.path().string()}, {'D', driveD}}) {}
    TempFolder scratch;
    platform::portable::PosixFileSystem files;
    std::string root() const {
        return "C:";
    }
#endif
    std::string at(const std::string& name) const {
        return root() + "\\" + name;
    }
};

} // namespace velmora::testing
