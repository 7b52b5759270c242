#pragma once
// Top-level windows as a table the test fills: enumerated in table order,
// and every posted message recorded.

#include "platform/TopLevelWindows.h"

#include <vector>

namespace velmora::platform::portable {

struct PostedMessage {
    std::uintptr_t window = 0;
    std::uint32_t message = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class WindowTable : public TopLevelWindows {
public:
    struct Window {
        std::uintptr_t handle = 0;
        std::string className;
    };

    void enumerate(const std::function<bool(std::uintptr_t, const std::string&)>& visit) override;
    bool postMessage(std::uintptr_t window, std::uint32_t message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;

    std::vector<Window> windows;
    std::vector<PostedMessage> posted;
};

} // namespace velmora::platform::portable
