#pragma once
// The set-up the tests of the running velmora.exe start from, in the real
// registry of the Wine prefix, and what they read back from it.

#include "windows/TestRegistry.h"

#include <dlgs.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::testing {

inline const std::string kProgramKey = "Software\\Velmora_XPSP2";

struct Identity {
    std::string guid, name;
};

// The identities, the one the mail client used last, and the program key
// holding the language choice when one is given (no restore-point question).
inline void seedProgram(const std::vector<Identity>& identities, const std::string& lastUsed,
                        const std::string& language) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    for (const Identity& identity : identities) {
        putText(HKEY_CURRENT_USER, "Identities\\" + identity.guid, "UserName", identity.name);
        putText(HKEY_CURRENT_USER, "Identities\\" + identity.guid, "User ID", identity.guid);
    }
    if (!lastUsed.empty())
        putText(HKEY_CURRENT_USER, "Identities", "Last User ID", lastUsed);
    SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
    putNumber(HKEY_CURRENT_USER, kProgramKey, "NoRestaure", 1);
    if (!language.empty()) {
        putText(HKEY_CURRENT_USER, kProgramKey, "Language", language);
        putNumber(HKEY_CURRENT_USER, kProgramKey, "LanguageNum", 0);
    }
}

// The name the program records for a language file: lower case, no ".lng".
inline std::string languageName(std::string file) {
    CharLowerA(file.data());
    return file.substr(0, file.size() - 4);
}

// A value as stored: "dword N", "sz TEXT" (its final zero checked), or "missing".
inline std::string stored(HKEY root, const std::string& key, const std::string& name) {
    const auto [type, data] = readValue(root, key, name);
    if (type == REG_DWORD && data.size() == 4)
        return "dword " + std::to_string(*reinterpret_cast<const DWORD*>(data.data()));
    if (type == REG_SZ && !data.empty() && data.back() == '\0')
        return "sz " + data.substr(0, data.size() - 1);
    return type == 0 ? "missing" : "type " + std::to_string(type) + " " + data;
}

inline std::string number(DWORD value) {
    return "dword " + std::to_string(value);
}

inline void writeFile(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// Types a path into the file name box of an open-file dialog (an edit, or a
// combo box with one, by version).
inline void typeFileName(HWND dialog, const std::string& path) {
    HWND box = GetDlgItem(dialog, cmb13) ? GetDlgItem(dialog, cmb13) : GetDlgItem(dialog, edt1);
    ASSERT_NE(box, nullptr) << "no file name box";
    SetWindowTextA(box, path.c_str());
}

} // namespace velmora::testing
