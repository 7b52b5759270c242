#pragma once
// The system restore service: begins, ends and cancels restore points.

#include <cstdint>
#include <string>

namespace velmora::platform {

// The narrow-character restore point record.
struct RestorePointRequest {
    std::uint32_t eventType = 0;        // 100 begin a change, 101 end it
    std::uint32_t restorePointType = 0; // 0, 12 modify settings, 13 cancelled operation
    std::int64_t sequenceNumber = 0;
    std::string description; // at most 64 characters, stored without terminator when full
};

struct RestorePointStatus {
    std::uint32_t status = 0;
    std::int64_t sequenceNumber = 0;
};

class SystemRestore {
public:
    virtual ~SystemRestore() = default;

    // One request to the service; true when it reports success. The status
    // is filled in either way.
    virtual bool setRestorePoint(const RestorePointRequest& request,
                                 RestorePointStatus& status) = 0;
};

} // namespace velmora::platform
