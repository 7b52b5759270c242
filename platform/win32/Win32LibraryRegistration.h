#pragma once
// DllRegisterServer of a library loaded into the program's process.

#include "platform/LibraryRegistration.h"

namespace velmora::platform::win32 {

class Win32LibraryRegistration : public LibraryRegistration {
public:
    bool registerServer(const std::string& library) override;
};

} // namespace velmora::platform::win32
