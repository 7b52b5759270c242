#pragma once
// Drives from kernel32; folder identities from their file index.

#include "platform/Volumes.h"

namespace velmora::platform::win32 {

class Win32Volumes : public Volumes {
public:
    std::vector<std::string> driveRoots(std::size_t maxChars) override;
    int driveType(const std::string& root) override;
    std::optional<std::uint64_t> usedSpace(const std::string& root) override;
    bool isHostRoot(const std::string& root) override;
    std::string rootOnHostDrive(const std::string& root) override;
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
};

} // namespace velmora::platform::win32
