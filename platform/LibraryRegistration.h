#pragma once
// Self-registration of a library in the program's own process.

#include <string>

namespace velmora::platform {

class LibraryRegistration {
public:
    virtual ~LibraryRegistration() = default;

    // Loads the library by name and calls its DllRegisterServer entry; true
    // when the library loaded, has the entry and it reported success.
    virtual bool registerServer(const std::string& library) = 0;
};

} // namespace velmora::platform
