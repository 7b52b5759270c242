#include "platform/portable/PosixVolumes.h"

#include <algorithm>
#include <filesystem>
#include <functional>

namespace velmora::platform::portable {

std::vector<std::string> PosixVolumes::driveRoots(std::size_t maxChars) {
    std::vector<std::string> roots;
    std::size_t used = 0;
    for (char letter : letters_) {
        used += 4; // "C:\" and its terminating zero
        if (used + 1 > maxChars)
            return {}; // the system answers nothing when the list does not fit
        roots.push_back(std::string(1, upper(letter)) + ":\\");
    }
    return roots;
}

int PosixVolumes::driveType(const std::string& root) {
    if (root.empty())
        return DriveNoRoot;
    const char letter = upper(root.front());
    if (letters_.find(letter) == std::string::npos &&
        letters_.find(static_cast<char>(letter + 32)) == std::string::npos)
        return DriveNoRoot;
    const auto it = types_.find(letter);
    return it == types_.end() ? DriveFixed : it->second;
}

std::optional<std::uint64_t> PosixVolumes::usedSpace(const std::string& root) {
    if (root.empty())
        return std::nullopt;
    if (const auto it = usedSpace_.find(upper(root.front())); it != usedSpace_.end())
        return it->second;
    const auto host = files_.hostPath(root);
    if (!host)
        return std::nullopt;
    std::error_code ec;
    const auto space = std::filesystem::space(*host, ec);
    if (ec)
        return std::nullopt;
    return space.capacity - space.free;
}

std::string PosixVolumes::rootOnHostDrive(const std::string& root) {
    if (!hostRoot_ || root.empty() || upper(root.front()) == hostRoot_)
        return {};
    const auto host = files_.hostPath(std::string(1, hostRoot_) + ":\\");
    const auto drive = files_.hostPath(root);
    if (!host || !drive)
        return {};
    const std::string relative = std::filesystem::relative(*drive, *host).string();
    if (relative.empty() || relative.rfind("..", 0) == 0)
        return {};
    std::string path = std::string(1, hostRoot_) + ":\\" + relative + "\\";
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::optional<FolderIdentity> PosixVolumes::folderIdentity(const std::string& path) {
    const auto host = files_.hostPath(path);
    if (!host)
        return std::nullopt;
    // The folder's one true path, links resolved, stands for its identity.
    std::error_code ec;
    const bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(*host, ec));
    const auto real = std::filesystem::canonical(*host, ec);
    if (ec)
        return std::nullopt;
    FolderIdentity identity;
    identity.index = std::hash<std::string>{}(real.string());
    identity.link = link;
    return identity;
}

} // namespace velmora::platform::portable
