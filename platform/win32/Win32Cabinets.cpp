#include "platform/win32/Win32Cabinets.h"

#include <windows.h>
#include <setupapi.h>
#include <shlobj.h>

#include <cstring>

namespace velmora::platform::win32 {

namespace {

// The iterator calls back with the visitor as its context. The engine
// calls a standard-call function: the declaration below is the one the
// iterator's pointer type names, so a 32-bit build cannot get it wrong.
UINT CALLBACK CabinetCallback(PVOID context, UINT notification, UINT_PTR param1, UINT_PTR param2) {
    (void)param2;
    CabinetVisitor& visitor = *static_cast<CabinetVisitor*>(context);
    switch (notification) {
    case SPFILENOTIFY_FILEINCABINET: {
        auto& info = *reinterpret_cast<FILE_IN_CABINET_INFO_A*>(param1);
        CabinetFile file;
        file.name = info.NameInCabinet ? info.NameInCabinet : "";
        file.size = info.FileSize;
        file.dosDate = info.DosDate;
        file.dosTime = info.DosTime;
        file.attributes = info.DosAttribs;
        file.proposedTarget.assign(info.FullTargetName,
                                   strnlen(info.FullTargetName, sizeof info.FullTargetName));
        const std::string target = visitor.fileInCabinet(file);
        // The engine's field holds MAX_PATH characters with the terminator.
        if (target.empty() || target.size() >= sizeof info.FullTargetName)
            return FILEOP_SKIP;
        std::memset(info.FullTargetName, 0, sizeof info.FullTargetName);
        std::memcpy(info.FullTargetName, target.data(), target.size());
        return FILEOP_DOIT;
    }
    case SPFILENOTIFY_FILEEXTRACTED: {
        const auto& paths = *reinterpret_cast<const FILEPATHS_A*>(param1);
        visitor.fileExtracted(paths.Source ? paths.Source : "", paths.Target ? paths.Target : "",
                              paths.Win32Error);
        return NO_ERROR;
    }
    default: // a cabinet continued in another one is not followed
        return NO_ERROR;
    }
}

bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

using PathPrepareForWrite = HRESULT(WINAPI*)(HWND, IUnknown*, LPCSTR, DWORD);

} // namespace

bool Win32Cabinets::iterate(const std::string& cabinetPath, CabinetVisitor& visitor) {
    return SetupIterateCabinetA(cabinetPath.c_str(), 0, CabinetCallback, &visitor) != FALSE;
}

bool Win32Cabinets::prepareFolder(const std::string& folder, std::uintptr_t ownerWindow,
                                  bool askFirst) {
    // The shell's call came with Windows 2000 and Millennium: loaded at run
    // time, with a folder-by-folder creation where it is missing.
    const auto prepare = reinterpret_cast<PathPrepareForWrite>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("shell32.dll"), "SHPathPrepareForWriteA")));
    // The name after the last backslash (none, for a folder that ends in one)
    // is not part of the folder.
    if (prepare) {
        const bool ask = askFirst && ownerWindow != 0;
        prepare(ask ? reinterpret_cast<HWND>(ownerWindow) : nullptr, nullptr, folder.c_str(),
                ask ? SHPPFW_ASKDIRCREATE | SHPPFW_IGNOREFILENAME
                    : SHPPFW_DIRCREATE | SHPPFW_IGNOREFILENAME);
    } else {
        for (std::size_t end = folder.find('\\', 3); end != std::string::npos;
             end = folder.find('\\', end + 1))
            CreateDirectoryA(folder.substr(0, end).c_str(), nullptr);
    }
    const std::string path = folder.substr(0, folder.rfind('\\') + 1);
    return IsFolder(path);
}

CalendarTime Win32Cabinets::dosDateTime(std::uint16_t dosDate, std::uint16_t dosTime) {
    // A date the conversion refuses leaves the file time at zero.
    FILETIME fileTime{};
    DosDateTimeToFileTime(dosDate, dosTime, &fileTime);
    SYSTEMTIME t{};
    FileTimeToSystemTime(&fileTime, &t);
    return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

} // namespace velmora::platform::win32
