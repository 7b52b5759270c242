#include "core/CRestorePoint.h"

namespace velmora {

std::unique_ptr<CRestorePoint> CSystemRestore::BeginRestorePoint(std::int32_t restorePointType,
                                                                 const std::string& description) {
    if (description.size() > kRestoreDescriptionSize)
        throw RestorePointError(1000,
                                "Restore point description cannot be any longer than 64 chars");
    platform::RestorePointRequest request{
        kBeginSystemChange, static_cast<std::uint32_t>(restorePointType), 0, description};
    request.description.resize(kRestoreDescriptionSize, ' ');
    platform::RestorePointStatus status;
    if (!service_.setRestorePoint(request, status))
        throw RestorePointError(1001, "Restore point failed.\r\nReason : " +
                                          GetStatusText(status.status));
    std::unique_ptr<CRestorePoint> point(new CRestorePoint(service_, files_));
    const auto sequence = static_cast<std::uint64_t>(status.sequenceNumber);
    point->SetSequenceLow(static_cast<std::uint32_t>(sequence));
    point->SetSequenceHigh(static_cast<std::uint32_t>(sequence >> 32));
    return point;
}

std::string CSystemRestore::GetStatusText(std::uint32_t status) const {
    return RestoreStatusText(files_, status);
}

} // namespace velmora
