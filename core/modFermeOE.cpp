#include "core/modFermeOE.h"

#include "core/Program.h"

namespace velmora {

namespace {
constexpr std::uint32_t kWmClose = 0x0010;
}

void CloseMailClient(Program& program) {
    platform::TopLevelWindows& windows = program.services.windows;
    windows.enumerate([&windows](std::uintptr_t window, const std::string& className) {
        if (className.find(kClientWindowClass) == std::string::npos)
            return true;
        windows.postMessage(window, kWmClose, 0, 0);
        return false; // one client window a call
    });
}

} // namespace velmora
