#pragma once
// The drives of a PosixFileSystem's map, with the types and used space the
// test gives (fixed, and the host's own figures, until told otherwise);
// folder identities from the host's real paths, links marked as such.

#include "platform/Volumes.h"
#include "platform/portable/PosixFileSystem.h"

#include <map>

namespace velmora::platform::portable {

class PosixVolumes : public Volumes {
public:
    // roots: the drive letters in the order the system lists them.
    PosixVolumes(PosixFileSystem& files, std::string letters)
        : files_(files), letters_(std::move(letters)) {}

    void setLetters(std::string letters) { letters_ = std::move(letters); }
    void setType(char letter, int type) { types_[upper(letter)] = type; }
    void setUsedSpace(char letter, std::optional<std::uint64_t> bytes) {
        usedSpace_[upper(letter)] = bytes;
    }

    std::vector<std::string> driveRoots(std::size_t maxChars) override;
    int driveType(const std::string& root) override;
    std::optional<std::uint64_t> usedSpace(const std::string& root) override;
    bool isHostRoot(const std::string& root) override {
        return !root.empty() && upper(root.front()) == hostRoot_;
    }
    std::string rootOnHostDrive(const std::string& root) override;
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
    void setHostRoot(char letter) { hostRoot_ = upper(letter); }

private:
    static char upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; }

    PosixFileSystem& files_;
    std::string letters_;
    std::map<char, int> types_;
    std::map<char, std::optional<std::uint64_t>> usedSpace_;
    char hostRoot_ = 0;
};

} // namespace velmora::platform::portable
