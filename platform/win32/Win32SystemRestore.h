#pragma once
// The system restore service of srclient.dll, found when first asked for:
// Windows 98, NT and 2000 have none, and the program runs there too.

#include "platform/SystemRestore.h"

namespace velmora::platform::win32 {

class Win32SystemRestore : public SystemRestore {
public:
    // Without the service every request fails with status 120
    // (ERROR_CALL_NOT_IMPLEMENTED).
    bool setRestorePoint(const RestorePointRequest& request, RestorePointStatus& status) override;
};

} // namespace velmora::platform::win32
