#pragma once
// File versions the test sets per path (compared without regard to case);
// other files hold no version record.

#include "platform/FileVersions.h"

#include <map>
#include <string>

namespace velmora::platform::portable {

class ScriptedFileVersions : public FileVersions {
public:
    std::optional<FileVersion> fileVersion(const std::string& path) override {
        const auto it = versions_.find(fold(path));
        if (it == versions_.end())
            return std::nullopt;
        return it->second;
    }
    void set(const std::string& path, const FileVersion& version) {
        versions_[fold(path)] = version;
    }

private:
    static std::string fold(std::string text) {
        for (char& c : text)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return text;
    }
    std::map<std::string, FileVersion> versions_;
};

} // namespace velmora::platform::portable
