#include "core/CRestorePoint.h"

namespace velmora {

std::string RestoreStatusText(platform::FileSystem& files, std::uint32_t status) {
    switch (status) {
    case 0:
        return "The call succeeded.";
    case 10:
        return "The function was called in safe mode.";
    case 13:
        return "The sequence number is invalid.";
    case 80: {
        // An undefined variable stays as written: then it has no value.
        std::string windir = files.expandEnvironment("%windir%");
        if (windir == "%windir%")
            windir.clear();
        return "Pending file-rename operations exist in the file " + windir + "\\Wininit.ini.";
    }
    case 112:
        return "System Restore is in standby mode because disk space is low.";
    case 1058:
        return "System Restore is disabled.";
    case 1359:
        return "An internal error occurred.";
    case 1460:
        return "The call timed out due to a wait on a mutex for setting restore points.";
    default:
        return {};
    }
}

CRestorePoint::CRestorePoint(platform::SystemRestore& service, platform::FileSystem& files)
    : service_(service), files_(files) {}

CRestorePoint::~CRestorePoint() {
    if (sequenceNumber() == 0 || ended_)
        return;
    try {
        Abort();
    } catch (const RestorePointError&) {
        // Nobody is left to tell: the service drops the point on its own.
    }
}

std::int64_t CRestorePoint::sequenceNumber() const {
    return static_cast<std::int64_t>((static_cast<std::uint64_t>(high_) << 32) | low_);
}

void CRestorePoint::SetSequenceLow(std::uint32_t low) {
    low_ = low;
    lowSet_ = true;
}

void CRestorePoint::SetSequenceHigh(std::uint32_t high) {
    high_ = high;
    highSet_ = true;
}

std::string CRestorePoint::GetStatusText(std::uint32_t status) const {
    return RestoreStatusText(files_, status);
}

void CRestorePoint::Finish(std::uint32_t restorePointType, const std::string& failure) {
    const platform::RestorePointRequest request{kEndSystemChange, restorePointType,
                                                sequenceNumber(), ""};
    platform::RestorePointStatus status;
    if (!service_.setRestorePoint(request, status))
        throw RestorePointError(1001, failure + "\r\nReason : " + GetStatusText(status.status));
    ended_ = true;
}

void CRestorePoint::EndRestorePoint() {
    if (ended_)
        throw valid()
            ? RestorePointError(1002, "This restorepoint has already been terminated")
            : RestorePointError(1003, "This RestorePoint has an invalide sequence point number!");
    Finish(0, "Ending restore point failed.");
}

void CRestorePoint::Abort() {
    if (!valid())
        throw RestorePointError(1003, "This RestorePoint has an invalide sequence point number!");
    if (ended_)
        throw RestorePointError(1002, "This restorepoint has already been terminated");
    Finish(kCancelledOperation, "Aborting restore point failed.");
}

} // namespace velmora
