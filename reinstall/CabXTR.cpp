#include "reinstall/CabXTR.h"

#include "platform/Windows1252.h"

#include <algorithm>
#include <cstring>

namespace velmora {

namespace {

constexpr std::size_t kMaxNameLength = 32767;

bool IsDeviceName(std::string component) {
    // "aux.txt" opens the device as "aux" does.
    component = component.substr(0, component.find('.'));
    while (!component.empty() && component.back() == ' ')
        component.pop_back();
    for (char& c : component)
        c = static_cast<char>(platform::cp1252::toUpper(static_cast<unsigned char>(c)));
    if (component == "CON" || component == "PRN" || component == "AUX" || component == "NUL" ||
        component == "CONIN$" || component == "CONOUT$")
        return true;
    return component.size() == 4 &&
           (component.starts_with("COM") || component.starts_with("LPT")) && component[3] >= '1' &&
           component[3] <= '9';
}

bool FolderExists(platform::FileSystem& files, const std::string& folder) {
    const auto attributes = files.attributes(folder);
    return attributes && (*attributes & platform::AttrDirectory);
}

} // namespace

bool IsSafeEntryName(const std::string& name) {
    if (name.empty())
        return false;
    for (unsigned char c : name)
        if (c < 0x20 || std::strchr("<>:\"|?*", c))
            return false;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = name.find_first_of("\\/", start);
        const std::string component =
            name.substr(start, end == std::string::npos ? end : end - start);
        // Windows drops trailing dots and blanks: "..." and ". ." lead up too.
        if (component.find_first_not_of(". ") == std::string::npos || IsDeviceName(component))
            return false;
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

CabXTR::CabXTR(platform::Cabinets& cabinets, platform::FileSystem& files, bool& cabinetOk)
    : cabinets_(cabinets), fileSystem_(files), cabinetOk_(cabinetOk) {}

bool CabXTR::walk(const std::string& path, StatusCode status) {
    status_ = status;
    refused_.clear();
    const bool whole = cabinets_.iterate(path, *this);
    if (!whole) {
        CloseCabFile();
        cabinetOk_ = false;
    }
    status_ = Idle;
    return whole;
}

void CabXTR::OpenAndParseCabFile(const std::string& path) {
    CloseCabFile();
    if (walk(path, Parsing))
        cabinetPath_ = path;
}

void CabXTR::ExtractAll() {
    walk(cabinetPath_, Extracting);
}

void CabXTR::CloseCabFile() {
    files_.clear();
    cabinetPath_.clear();
}

const CabFileRecord* CabXTR::GetFilesPropsByIndex(std::int32_t position) const {
    if (position < 1 || position > FilesCount())
        return nullptr;
    return &files_[static_cast<std::size_t>(position - 1)];
}

const CabFileRecord* CabXTR::GetFilesPropsByName(const std::string& key) const {
    const auto found = std::find_if(files_.begin(), files_.end(), [&](const CabFileRecord& file) {
        return platform::cp1252::equalNoCase(file.Filename, key);
    });
    return found == files_.end() ? nullptr : &*found;
}

std::string CabXTR::fileInCabinet(const platform::CabinetFile& file) {
    CabFileRecord record;
    record.FileAttribs = file.attributes;
    record.Filename =
        file.attributes & platform::CabUtf8Name ? platform::cp1252::fromUtf8(file.name) : file.name;
    record.Filename.resize(std::min(record.Filename.size(), kMaxNameLength));
    record.lFileSize = static_cast<std::int32_t>(file.size);
    record.sTargetPath = file.proposedTarget;
    record.FileDateTime = cabinets_.dosDateTime(file.dosDate, file.dosTime);

    // The owner joins the name to its folder: a name that would lead out of
    // it is never offered.
    if (!IsSafeEntryName(record.Filename)) {
        refused_.push_back({record.Filename, CabRefusal::UnsafeName});
        return {};
    }
    if (status_ == Parsing)
        files_.push_back(record);

    std::string extractPath;
    bool cancel = false;
    if (BeforeExtract)
        BeforeExtract(record, extractPath, cancel);
    if (extractPath.empty() || cancel)
        return {};
    if (extractPath.size() > kMaxTargetPath) {
        refused_.push_back({record.Filename, CabRefusal::TargetTooLong});
        return {};
    }

    const std::string folder = extractPath.substr(0, extractPath.rfind('\\') + 1);
    if (pathCreation_ != 0 && !FolderExists(fileSystem_, folder))
        cabinets_.prepareFolder(folder, parentWindow_, pathCreation_ == 1 && parentWindow_ != 0);
    return extractPath;
}

void CabXTR::fileExtracted(const std::string& source, const std::string& target,
                           std::uint32_t error) {
    // A file the engine could not write is its own failure: not examined.
    (void)error;
    if (AfterExtract)
        AfterExtract(source, target);
}

} // namespace velmora
