#pragma once
// The desktop's top-level windows: walked in the system's order, and sent
// posted messages.

#include <cstdint>
#include <functional>
#include <string>

namespace velmora::platform {

class TopLevelWindows {
public:
    virtual ~TopLevelWindows() = default;

    // Calls visit with each top-level window and its class name (read into a
    // buffer of 512 characters), in the order the system gives them, until
    // visit answers false.
    virtual void enumerate(
        const std::function<bool(std::uintptr_t window, const std::string& className)>& visit) = 0;
    // Posts a message to a window's queue; false when it could not be posted.
    virtual bool postMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;
};

} // namespace velmora::platform
