#pragma once
// The system's common dialogs.

#include <cstdint>
#include <string>

namespace velmora::platform {

struct OpenFileRequest {
    std::string title;
    std::string filter; // description\0pattern\0 pairs
    std::uint32_t flags = 0;
    std::string initialFolder;
    std::uintptr_t owner = 0;    // owner window handle, 0 for none
    std::uintptr_t instance = 0; // owner instance handle
};

class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Full path of the chosen file; empty when cancelled or failed.
    virtual std::string openFile(const OpenFileRequest& request) = 0;
    // Path of the chosen file-system folder; empty when cancelled.
    virtual std::string browseForFolder(const std::string& title) = 0;
};

} // namespace velmora::platform
