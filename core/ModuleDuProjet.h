#pragma once
// Shell helpers: opening a document or address, the folder browser, the
// boot mode.

#include "platform/Dialogs.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"

#include <string>

namespace velmora {

std::string BrowseForFolder(platform::Dialogs& dialogs, const std::string& title);
void OpenWithShell(platform::Shell& shell, const std::string& target);
// 0 normal start, 1 safe mode, 2 safe mode with network.
int GetBootMode(platform::SystemInfo& system);

} // namespace velmora
