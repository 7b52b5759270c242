#pragma once
// Profile strings through GetPrivateProfileStringA / WritePrivateProfileStringA.

#include "platform/ProfileStrings.h"

namespace velmora::platform::win32 {

class Win32ProfileStrings : public ProfileStrings {
public:
    std::string getString(const std::string& section, const std::string& key,
                          const std::string& defaultValue, const std::string& file,
                          std::size_t bufferSize) override;
    bool writeString(const std::string& section, const std::string& key, const std::string& value,
                     const std::string& file) override;
};

} // namespace velmora::platform::win32
