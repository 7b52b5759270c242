#pragma once
// Cabinet archives (.cab) walked file by file, each file written where the
// walker's visitor says, as the setup engine's cabinet iterator does.

#include <cstdint>
#include <string>

namespace velmora::platform {

// One file of a cabinet as its header describes it.
struct CabinetFile {
    std::string name; // as stored: UTF-8 when the attributes hold CabUtf8Name
    std::uint32_t size = 0;
    std::uint16_t dosDate = 0;
    std::uint16_t dosTime = 0;
    std::uint16_t attributes = 0;
    std::string proposedTarget; // the target the engine offers, often empty
};

// The attribute bit of a name stored in UTF-8 rather than the code page.
inline constexpr std::uint16_t CabUtf8Name = 0x80;

// Calendar fields of a file time, without time-zone adjustment.
struct CalendarTime {
    int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    bool operator==(const CalendarTime&) const = default;
};

class CabinetVisitor {
public:
    virtual ~CabinetVisitor() = default;
    // The full path the file is to be written to; the empty text skips it.
    virtual std::string fileInCabinet(const CabinetFile& file) = 0;
    // After the engine has written a file (or tried to: error is its status).
    virtual void fileExtracted(const std::string& source, const std::string& target,
                               std::uint32_t error) = 0;
};

class Cabinets {
public:
    virtual ~Cabinets() = default;

    // Offers every file of the cabinet to the visitor, in archive order, and
    // writes those it gives a target. False when the cabinet cannot be opened
    // or read to its end.
    virtual bool iterate(const std::string& cabinetPath, CabinetVisitor& visitor) = 0;

    // Creates a folder with its missing parents; with an owner window and
    // askFirst the user is asked before. False when it does not exist after.
    virtual bool prepareFolder(const std::string& folder, std::uintptr_t ownerWindow,
                               bool askFirst) = 0;

    // A file's DOS date and time as calendar fields; fields the DOS format can
    // hold but no date has give the zero file time, 1601-01-01 00:00:00.
    virtual CalendarTime dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime) = 0;
};

} // namespace velmora::platform
