// The cabinet class's name rules: a stored name it accepts, joined to the
// extraction folder, names a file inside that folder once Windows has
// resolved it; and a whole cabinet of arbitrary bytes, read by libmspack and
// extracted, writes nothing outside the folder and nothing too long.

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "platform/portable/MspackCabinets.h"
#include "reinstall/CabXTR.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <string>
#include <vector>

namespace {

using velmora::fuzz::Require;

const std::string kFolder = "C:\\Work\\Files\\";

// The components of a path as Windows resolves it: either slash separates,
// trailing dots and blanks go, "." stays where it is and ".." goes up;
// nothing when it climbs above the drive or holds a drive or stream colon
// past the drive's own.
bool Resolves(const std::string& path, std::vector<std::string>& components) {
    if (path.find(':', 2) != std::string::npos)
        return false;
    std::string::size_type start = 0;
    for (;;) {
        const auto end = path.find_first_of("\\/", start);
        std::string part = path.substr(start, end == std::string::npos ? end : end - start);
        while (!part.empty() && (part.back() == '.' || part.back() == ' '))
            part.pop_back();
        const bool dots = part.empty() && end != start && path.substr(start, 2) == "..";
        if (dots) {
            if (components.empty())
                return false;
            components.pop_back();
        } else if (!part.empty()) {
            components.push_back(part);
        }
        if (end == std::string::npos)
            return true;
        start = end + 1;
    }
}

bool Inside(const std::string& path) {
    std::vector<std::string> folder, target;
    Resolves(kFolder, folder);
    if (!Resolves(path, target) || target.size() <= folder.size())
        return false;
    for (std::size_t i = 0; i < folder.size(); ++i)
        if (target[i] != folder[i])
            return false;
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    if (velmora::IsSafeEntryName(bytes))
        Require(Inside(kFolder + bytes), "an accepted name stays inside the folder");

    velmora::fuzz::MemoryFiles files;
    files.files["C:\\input.cab"] = bytes;
    velmora::platform::portable::MspackCabinets engine(files);
    bool cabinetOk = true;
    velmora::CabXTR cab(engine, files, cabinetOk);
    cab.BeforeExtract = [](velmora::CabFileRecord& file, std::string& path, bool&) {
        path = kFolder + file.Filename;
    };
    cab.OpenAndParseCabFile("C:\\input.cab");
    cab.ExtractAll();
    for (const auto& [path, content] : files.files) {
        if (path == "C:\\input.cab")
            continue;
        Require(path.size() <= velmora::kMaxTargetPath, "no target of 260 characters or more");
        Require(Inside(path), "every file written lies inside the folder");
    }
    return 0;
}
