#pragma once
// Cabinets read with libmspack over the portable file system: the cabinet
// is read whole, each file is decompressed in memory and written where the
// visitor says.

#include "platform/Cabinets.h"
#include "platform/FileSystem.h"

namespace velmora::platform::portable {

class MspackCabinets : public Cabinets {
public:
    explicit MspackCabinets(FileSystem& files) : files_(files) {}

    bool iterate(const std::string& cabinetPath, CabinetVisitor& visitor) override;
    // Nobody is asked: the folder is created as if the user had agreed.
    bool prepareFolder(const std::string& folder, std::uintptr_t ownerWindow,
                       bool askFirst) override;
    CalendarTime dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime) override;

private:
    FileSystem& files_;
};

} // namespace velmora::platform::portable
