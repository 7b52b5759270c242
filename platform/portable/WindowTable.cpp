#include "platform/portable/WindowTable.h"

namespace velmora::platform::portable {

void WindowTable::enumerate(const std::function<bool(std::uintptr_t, const std::string&)>& visit) {
    for (const Window& window : windows)
        if (!visit(window.handle, window.className.substr(0, 511)))
            return;
}

bool WindowTable::postMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                              std::intptr_t lParam) {
    for (const Window& known : windows)
        if (known.handle == window) {
            posted.push_back({window, message, wParam, lParam});
            return true;
        }
    return false; // no such window
}

} // namespace velmora::platform::portable
