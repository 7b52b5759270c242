#pragma once
// A restore service that records every request and answers each with the
// next scripted outcome: by default success with sequence numbers counting
// from 1.

#include "platform/SystemRestore.h"

#include <deque>
#include <vector>

namespace velmora::platform::portable {

class ScriptedSystemRestore : public SystemRestore {
public:
    bool setRestorePoint(const RestorePointRequest& request, RestorePointStatus& status) override;

    // The next request fails with this status.
    void failNext(std::uint32_t status) { failures_.push_back(status); }

    std::vector<RestorePointRequest> requests;
    // The sequence number the next begun point gets.
    std::int64_t nextSequence = 1;

private:
    std::deque<std::uint32_t> failures_;
};

} // namespace velmora::platform::portable
