#pragma once
// The system's verdict on the signature of a program file before it is run.

#include <string>

namespace velmora::platform {

enum class TrustVerdict {
    Trusted,  // signed, unchanged since, by a publisher the system trusts
    Unsigned, // no signature at all (or not a program file)
    Rejected, // signed, but changed since, expired or from an untrusted root
};

class Trust {
public:
    virtual ~Trust() = default;
    virtual TrustVerdict verifyFile(const std::string& path) = 0;
};

} // namespace velmora::platform
