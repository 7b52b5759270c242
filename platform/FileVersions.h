#pragma once
// The file version of a program file's version resource.

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace velmora::platform {

// major, minor, build, revision: the high then low halves of the two
// 32-bit file-version words.
using FileVersion = std::array<std::uint16_t, 4>;

class FileVersions {
public:
    virtual ~FileVersions() = default;
    // Nothing when the file is missing or holds no readable version record.
    virtual std::optional<FileVersion> fileVersion(const std::string& path) = 0;
};

} // namespace velmora::platform
