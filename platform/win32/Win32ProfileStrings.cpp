#include "platform/win32/Win32ProfileStrings.h"

#include <windows.h>

#include <vector>

namespace velmora::platform::win32 {

std::string Win32ProfileStrings::getString(const std::string& section, const std::string& key,
                                           const std::string& defaultValue, const std::string& file,
                                           std::size_t bufferSize) {
    if (bufferSize == 0)
        return {};
    std::vector<char> buffer(bufferSize, '\0');
    const DWORD length =
        GetPrivateProfileStringA(section.c_str(), key.c_str(), defaultValue.c_str(), buffer.data(),
                                 static_cast<DWORD>(buffer.size()), file.c_str());
    return std::string(buffer.data(), length < buffer.size() ? length : buffer.size() - 1);
}

bool Win32ProfileStrings::writeString(const std::string& section, const std::string& key,
                                      const std::string& value, const std::string& file) {
    return WritePrivateProfileStringA(section.c_str(), key.c_str(), value.c_str(), file.c_str()) !=
           FALSE;
}

} // namespace velmora::platform::win32
