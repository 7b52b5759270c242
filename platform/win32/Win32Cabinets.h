#pragma once
// Cabinets through the setup engine's iterator (setupapi SetupIterateCabinetA),
// folders through the shell's SHPathPrepareForWriteA.

#include "platform/Cabinets.h"

namespace velmora::platform::win32 {

class Win32Cabinets : public Cabinets {
public:
    bool iterate(const std::string& cabinetPath, CabinetVisitor& visitor) override;
    bool prepareFolder(const std::string& folder, std::uintptr_t ownerWindow,
                       bool askFirst) override;
    CalendarTime dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime) override;
};

} // namespace velmora::platform::win32
