#include "platform/win32/Win32SystemRestore.h"

#include <windows.h>
#include <srrestoreptapi.h>

#include <algorithm>
#include <cstring>

namespace velmora::platform::win32 {

namespace {

using SetRestorePointA = BOOL(WINAPI*)(PRESTOREPOINTINFOA, PSTATEMGRSTATUS);

// The entry point, looked up once; the library stays loaded for the run.
SetRestorePointA EntryPoint() {
    static const SetRestorePointA entry = []() -> SetRestorePointA {
        HMODULE library = LoadLibraryA("srclient.dll");
        if (library == nullptr)
            return nullptr;
        return reinterpret_cast<SetRestorePointA>(
            reinterpret_cast<void*>(GetProcAddress(library, "SRSetRestorePointA")));
    }();
    return entry;
}

} // namespace

bool Win32SystemRestore::setRestorePoint(const RestorePointRequest& request,
                                         RestorePointStatus& status) {
    const SetRestorePointA entry = EntryPoint();
    if (entry == nullptr) {
        status = {ERROR_CALL_NOT_IMPLEMENTED, 0};
        return false;
    }
    RESTOREPOINTINFOA record{};
    record.dwEventType = request.eventType;
    record.dwRestorePtType = request.restorePointType;
    record.llSequenceNumber = request.sequenceNumber;
    // A full description fills the field without a terminator.
    std::memcpy(record.szDescription, request.description.data(),
                std::min(request.description.size(), sizeof record.szDescription));
    STATEMGRSTATUS answer{};
    const bool ok = entry(&record, &answer) != FALSE;
    status = {static_cast<std::uint32_t>(answer.nStatus), answer.llSequenceNumber};
    return ok;
}

} // namespace velmora::platform::win32
