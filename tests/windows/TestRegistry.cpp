#include "windows/TestRegistry.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace velmora::testing {

void putValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
              const std::string& bytes) {
    HKEY handle;
    ASSERT_EQ(
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
        ERROR_SUCCESS)
        << key;
    RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(handle);
}

void putText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    putValue(root, key, name, REG_SZ, text + '\0');
}

void putNumber(HKEY root, const std::string& key, const std::string& name, DWORD number) {
    putValue(root, key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
}

std::pair<DWORD, std::string> readValue(HKEY root, const std::string& key,
                                        const std::string& name) {
    char buffer[2048];
    DWORD type = 0, size = sizeof buffer;
    if (SHGetValueA(root, key.c_str(), name.c_str(), &type, buffer, &size) != ERROR_SUCCESS)
        return {0, ""};
    return {type, std::string(buffer, size)};
}

} // namespace velmora::testing
