#pragma once
// The open-file dialog.

#include "platform/Dialogs.h"

#include <cstdint>
#include <string>

namespace velmora {

namespace ofn {
inline constexpr std::uint32_t HideReadOnly = 0x4;
inline constexpr std::uint32_t CabinetSearch = 0x10001804;
} // namespace ofn

// Full path of the chosen file, or the empty text.
std::string ShowOpenFileDialog(platform::Dialogs& dialogs, const std::string& title,
                               const std::string& filter, std::uint32_t flags,
                               const std::string& initialFolder, std::uintptr_t owner,
                               std::uintptr_t instance);

} // namespace velmora
