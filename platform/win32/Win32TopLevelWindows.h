#pragma once
// The desktop's top-level windows through EnumWindows and PostMessageA.

#include "platform/TopLevelWindows.h"

namespace velmora::platform::win32 {

class Win32TopLevelWindows : public TopLevelWindows {
public:
    void enumerate(const std::function<bool(std::uintptr_t, const std::string&)>& visit) override;
    bool postMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
};

} // namespace velmora::platform::win32
