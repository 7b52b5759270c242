#include "core/ModuleDuProjet.h"

namespace velmora {

std::string BrowseForFolder(platform::Dialogs& dialogs, const std::string& title) {
    return dialogs.browseForFolder(title);
}

void OpenWithShell(platform::Shell& shell, const std::string& target) {
    // The shell's own default: documents open with "c:\" as working folder,
    // in a normal window.
    shell.open(target, "c:\\", 1);
}

int GetBootMode(platform::SystemInfo& system) {
    return system.bootMode();
}

} // namespace velmora
