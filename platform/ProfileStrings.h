#pragma once
// INI files read and written the way Windows' profile-string functions do.

#include <cstddef>
#include <string>

namespace velmora::platform {

class ProfileStrings {
public:
    virtual ~ProfileStrings() = default;

    // The value of key in section of file, at most bufferSize - 1 characters;
    // defaultValue when the file, section or key is missing.
    virtual std::string getString(const std::string& section, const std::string& key,
                                  const std::string& defaultValue, const std::string& file,
                                  std::size_t bufferSize) = 0;
    virtual bool writeString(const std::string& section, const std::string& key,
                             const std::string& value, const std::string& file) = 0;
};

} // namespace velmora::platform
