#pragma once
// Files, folders and special folders through kernel32 and shell32.

#include "platform/FileSystem.h"

namespace velmora::platform::win32 {

class Win32FileSystem : public FileSystem {
public:
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::vector<FolderEntry>> listFolder(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool shellDelete(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string tempFolder() override;
    std::string specialFolder(int csidl) override;
    std::string programFolder() override;
    std::string currentFolder() override;
    std::string expandEnvironment(const std::string& text) override;
    bool removeFolder(const std::string& path) override;
};

} // namespace velmora::platform::win32
