#pragma once
// The program's cabinet class: walks a cabinet with the platform's cabinet
// engine, describes each file to its owner through BeforeExtract and writes
// it where the owner says. A name stored in UTF-8 reaches the owner in the
// program's code page. A file whose name would lead out of the owner's
// folder (or holds a character the code page lacks), and a target too long
// for the engine, are refused and listed instead.

#include "platform/Cabinets.h"
#include "platform/FileSystem.h"

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora {

// One file of the cabinet, as the owner sees it.
struct CabFileRecord {
    std::string FileCreation; // never filled
    std::string Filename;     // in the program's code page
    std::int32_t lFileSize = 0;
    platform::CalendarTime FileDateTime;
    std::uint16_t FileAttribs = 0;
    std::string sTargetPath;
};

// A file the class would not write, and why.
struct CabRefusal {
    enum Reason { UnsafeName, TargetTooLong };
    std::string name;
    Reason reason;
};

// Whether a stored name may be joined to a folder: not when it is empty,
// absolute, has a drive or stream colon, a component of dots and blanks only
// or an empty one, a device name, or a character no file name may hold.
bool IsSafeEntryName(const std::string& name);

// Where the engine's 260-character target field ends.
inline constexpr std::size_t kMaxTargetPath = 259;

class CabXTR : private platform::CabinetVisitor {
public:
    enum StatusCode : std::uint8_t { Idle = 0, Parsing = 1, Extracting = 3 };

    // cabinetOk is cleared by any walk that fails (the program's CabinetOk).
    CabXTR(platform::Cabinets& cabinets, platform::FileSystem& files, bool& cabinetOk);

    void OpenAndParseCabFile(const std::string& path);
    std::uint8_t Status() const { return status_; }
    void ExtractAll();
    void CloseCabFile();

    // 0: a missing target folder is not created; 1 with a parent window: the
    // user is asked first; otherwise it is created without asking.
    std::int32_t PathCreation() const { return pathCreation_; }
    void setPathCreation(std::int32_t mode) { pathCreation_ = mode; }
    std::uintptr_t PathCreationParentWnd() const { return parentWindow_; }
    void setPathCreationParentWnd(std::uintptr_t window) { parentWindow_ = window; }

    // The files seen by the last OpenAndParseCabFile, by position (from 1)
    // or by name (without regard to case); nothing when there is none.
    std::int32_t FilesCount() const { return static_cast<std::int32_t>(files_.size()); }
    const CabFileRecord* GetFilesPropsByIndex(std::int32_t position) const;
    const CabFileRecord* GetFilesPropsByName(const std::string& key) const;

    // The files refused by the last walk.
    const std::vector<CabRefusal>& RefusedFiles() const { return refused_; }

    // The owner sets ExtractPath to the file's full target path (empty skips
    // it) or Cancel to true (skips it).
    std::function<void(CabFileRecord& File, std::string& ExtractPath, bool& Cancel)> BeforeExtract;
    // The cabinet's path and the file's target path, once the engine is done.
    std::function<void(const std::string& source, const std::string& target)> AfterExtract;

private:
    bool walk(const std::string& path, StatusCode status);
    std::string fileInCabinet(const platform::CabinetFile& file) override;
    void fileExtracted(const std::string& source, const std::string& target,
                       std::uint32_t error) override;

    platform::Cabinets& cabinets_;
    platform::FileSystem& fileSystem_;
    bool& cabinetOk_;
    std::vector<CabFileRecord> files_;
    std::vector<CabRefusal> refused_;
    std::string cabinetPath_;
    std::int32_t pathCreation_ = 0;
    std::uintptr_t parentWindow_ = 0;
    std::uint8_t status_ = Idle;
};

} // namespace velmora
