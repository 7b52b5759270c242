#pragma once
// Drives and the identity of folders on them.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::platform {

// GetDriveType's answers.
enum DriveType : int {
    DriveUnknown = 0,
    DriveNoRoot = 1,
    DriveRemovable = 2,
    DriveFixed = 3,
    DriveRemote = 4,
    DriveCdRom = 5,
    DriveRamDisk = 6,
};

// Which folder a path is, whatever the path that leads to it.
struct FolderIdentity {
    std::uint64_t volume = 0;
    std::uint64_t index = 0;
    bool link = false; // a symbolic link or other reparse point
    bool operator<(const FolderIdentity& other) const {
        return volume != other.volume ? volume < other.volume : index < other.index;
    }
};

class Volumes {
public:
    virtual ~Volumes() = default;
    // The logical drive roots ("C:\"), in the system's order, from a list
    // of at most `maxChars` characters.
    virtual std::vector<std::string> driveRoots(std::size_t maxChars) = 0;
    virtual int driveType(const std::string& root) = 0;
    // Total bytes less free bytes; nothing when the system does not say.
    virtual std::optional<std::uint64_t> usedSpace(const std::string& root) = 0;
    // Under Wine, the drive that is the host system's whole tree ("Z:\" for
    // "/"), which holds every other drive's folders again.
    virtual bool isHostRoot(const std::string& root) = 0;
    // Under Wine, where another drive's root shows again on the host-tree
    // drive ("Z:\\home\\u\\.wine\\drive_c\\" for "C:\\"); empty elsewhere.
    virtual std::string rootOnHostDrive(const std::string& root) = 0;
    // Nothing when the folder cannot be opened.
    virtual std::optional<FolderIdentity> folderIdentity(const std::string& path) = 0;
};

} // namespace velmora::platform
