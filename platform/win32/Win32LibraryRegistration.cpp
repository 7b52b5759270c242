#include "platform/win32/Win32LibraryRegistration.h"

#include <windows.h>

namespace velmora::platform::win32 {

bool Win32LibraryRegistration::registerServer(const std::string& library) {
    HMODULE module = LoadLibraryA(library.c_str());
    if (module == nullptr)
        return false;
    using Entry = HRESULT(STDAPICALLTYPE*)();
    const auto entry = reinterpret_cast<Entry>(
        reinterpret_cast<void*>(GetProcAddress(module, "DllRegisterServer")));
    const bool ok = entry != nullptr && SUCCEEDED(entry());
    FreeLibrary(module);
    return ok;
}

} // namespace velmora::platform::win32
