#pragma once
// Files held in memory for the fuzz targets: whole-file reads and writes,
// no folders.

#include "platform/FileSystem.h"

#include <map>

namespace velmora::fuzz {

// Files held in memory: the reader only reads and writes whole files.
class MemoryFiles final : public platform::FileSystem {
public:
    std::map<std::string, std::string> files;

    std::optional<std::uint32_t> attributes(const std::string& path) override {
        return files.count(path) ? std::optional<std::uint32_t>(0x20) : std::nullopt;
    }
    std::optional<std::uint64_t> fileSize(const std::string& path) override {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::uint64_t>(it->second.size());
    }
    std::optional<std::string> readFile(const std::string& path) override {
        const auto it = files.find(path);
        return it == files.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    bool writeFile(const std::string& path, const std::string& bytes) override {
        files[path] = bytes;
        return true;
    }
    std::optional<std::vector<platform::FolderEntry>> listFolder(const std::string&) override {
        return std::nullopt;
    }
    bool createFolder(const std::string&) override { return false; }
    bool removeFolder(const std::string&) override { return false; }
    bool deleteFile(const std::string& path) override { return files.erase(path) > 0; }
    bool copyFile(const std::string&, const std::string&, bool) override { return false; }
    bool moveFile(const std::string&, const std::string&) override { return false; }
    bool setAttributes(const std::string&, std::uint32_t) override { return false; }
    std::string tempFolder() override { return "C:\\Temp\\"; }
    std::string specialFolder(int) override { return {}; }
    std::string programFolder() override { return "C:\\Velmora"; }
    std::string currentFolder() override { return "C:\\Velmora"; }
    std::string expandEnvironment(const std::string& text) override { return text; }
};

} // namespace velmora::fuzz
