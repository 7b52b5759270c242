#include "windows/TestRegistry.h"

#include "windows/RunningProgram.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

namespace velmora::testing {

namespace {

// HKEY_CURRENT_USER is shared by both views; the machine's software is not.
REGSAM programView(HKEY root) {
    return root == HKEY_LOCAL_MACHINE && programIs32Bit() ? KEY_WOW64_32KEY : 0;
}

} // namespace

void putValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
              const std::string& bytes) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | programView(root),
                              nullptr, &handle, nullptr),
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

void deleteKey(HKEY root, const std::string& key) {
    // The parent is opened in the program's view; what lies below follows it.
    const std::size_t split = key.rfind('\\');
    const std::string parent = split == std::string::npos ? "" : key.substr(0, split);
    HKEY handle;
    if (RegOpenKeyExA(root, parent.c_str(), 0, KEY_ALL_ACCESS | programView(root), &handle) !=
        ERROR_SUCCESS)
        return;
    SHDeleteKeyA(handle, key.substr(split + 1).c_str());
    RegCloseKey(handle);
}

std::pair<DWORD, std::string> readValue(HKEY root, const std::string& key,
                                        const std::string& name) {
    char buffer[2048];
    DWORD type = 0, size = sizeof buffer;
    HKEY handle;
    if (RegOpenKeyExA(root, key.c_str(), 0, KEY_QUERY_VALUE | programView(root), &handle) !=
        ERROR_SUCCESS)
        return {0, ""};
    const LSTATUS status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                            reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS)
        return {0, ""};
    return {type, std::string(buffer, size)};
}

} // namespace velmora::testing
