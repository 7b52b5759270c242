#pragma once
// The open-file dialog and the folder browser of comdlg32 and shell32.

#include "platform/Dialogs.h"

namespace velmora::platform::win32 {

class Win32Dialogs : public Dialogs {
public:
    // The dialog is given the record of Windows 2000 and earlier, which every
    // version accepts, and a file-name buffer of 254 blanks; the answer is the
    // chosen path with surrounding blanks removed.
    std::string openFile(const OpenFileRequest& request) override;
    // Only file-system folders can be confirmed; the desktop is the root.
    std::string browseForFolder(const std::string& title) override;

private:
    std::string browse(const std::string& title);
};

} // namespace velmora::platform::win32
