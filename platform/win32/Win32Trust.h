#pragma once
// Authenticode verdicts from the system's trust service (wintrust.dll,
// loaded when first needed).

#include "platform/Trust.h"

namespace velmora::platform::win32 {

class Win32Trust : public Trust {
public:
    TrustVerdict verifyFile(const std::string& path) override;
};

} // namespace velmora::platform::win32
