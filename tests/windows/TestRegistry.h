#pragma once
// The real registry of the test's Wine prefix, written and read as the
// program will find and leave it: HKEY_LOCAL_MACHINE\Software through the
// view of the program under test (the 32-bit one for a 32-bit program).

#include <windows.h>

#include <string>
#include <utility>

namespace velmora::testing {

// Writes a value's bytes as they stand, making the key; the test fails when
// the key cannot be made.
void putValue(HKEY root, const std::string& key, const std::string& name, DWORD type,
              const std::string& bytes);
// A REG_SZ with its terminating zero.
void putText(HKEY root, const std::string& key, const std::string& name, const std::string& text);
void putNumber(HKEY root, const std::string& key, const std::string& name, DWORD number);

// Deletes a key with its subkeys, if it is there.
void deleteKey(HKEY root, const std::string& key);

// A value's type and stored bytes; type 0 when it is missing.
std::pair<DWORD, std::string> readValue(HKEY root, const std::string& key, const std::string& name);

} // namespace velmora::testing
