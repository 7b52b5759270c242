#pragma once
// File versions from version.dll.

#include "platform/FileVersions.h"

namespace velmora::platform::win32 {

// The fixed file version of a file's version resource.
std::optional<FileVersion> ReadFileVersion(const std::string& path);

class Win32FileVersions : public FileVersions {
public:
    std::optional<FileVersion> fileVersion(const std::string& path) override {
        return ReadFileVersion(path);
    }
};

} // namespace velmora::platform::win32
