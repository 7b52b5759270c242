#include "core/modGetOpenFileName.h"

namespace velmora {

std::string ShowOpenFileDialog(platform::Dialogs& dialogs, const std::string& title,
                               const std::string& filter, std::uint32_t flags,
                               const std::string& initialFolder, std::uintptr_t owner,
                               std::uintptr_t instance) {
    platform::OpenFileRequest request;
    request.title = title;
    request.filter = filter;
    request.flags = flags;
    request.initialFolder = initialFolder;
    request.owner = owner;
    request.instance = instance;
    return dialogs.openFile(request);
}

} // namespace velmora
