#include "platform/win32/Win32TopLevelWindows.h"

#include <windows.h>

namespace velmora::platform::win32 {

namespace {

using Visitor = std::function<bool(std::uintptr_t, const std::string&)>;

BOOL CALLBACK VisitWindow(HWND window, LPARAM context) {
    const Visitor& visit = *reinterpret_cast<const Visitor*>(context);
    char name[512] = {};
    const int length = GetClassNameA(window, name, sizeof name);
    return visit(reinterpret_cast<std::uintptr_t>(window),
                 std::string(name, length > 0 ? static_cast<std::size_t>(length) : 0))
               ? TRUE
               : FALSE;
}

} // namespace

void Win32TopLevelWindows::enumerate(const Visitor& visit) {
    EnumWindows(VisitWindow, reinterpret_cast<LPARAM>(&visit));
}

bool Win32TopLevelWindows::postMessage(std::uintptr_t window, std::uint32_t message,
                                       std::uintptr_t wParam, std::intptr_t lParam) {
    return PostMessageA(reinterpret_cast<HWND>(window), message, static_cast<WPARAM>(wParam),
                        static_cast<LPARAM>(lParam)) != FALSE;
}

} // namespace velmora::platform::win32
