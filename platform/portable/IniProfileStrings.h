#pragma once
// Profile strings read and written over the portable file system, with the
// rules of GetPrivateProfileStringA: names without regard to case, the first
// matching entry of the first matching section, blanks around the value and
// one pair of enclosing quotes removed.

#include "platform/FileSystem.h"
#include "platform/ProfileStrings.h"

namespace velmora::platform::portable {

class IniProfileStrings : public ProfileStrings {
public:
    explicit IniProfileStrings(FileSystem& files) : files_(files) {}

    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& file,
                          std::size_t bufferSize) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;

private:
    FileSystem& files_;
};

} // namespace velmora::platform::portable
