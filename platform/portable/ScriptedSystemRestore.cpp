#include "platform/portable/ScriptedSystemRestore.h"

namespace velmora::platform::portable {

bool ScriptedSystemRestore::setRestorePoint(const RestorePointRequest& request,
                                            RestorePointStatus& status) {
    requests.push_back(request);
    if (!failures_.empty()) {
        status = {failures_.front(), 0};
        failures_.pop_front();
        return false;
    }
    status = {0, request.eventType == 100 ? nextSequence++ : request.sequenceNumber};
    return true;
}

} // namespace velmora::platform::portable
