#include "platform/win32/Win32Volumes.h"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmora::platform::win32 {

namespace {

std::uint64_t combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

} // namespace

std::vector<std::string> Win32Volumes::driveRoots(std::size_t maxChars) {
    std::vector<char> buffer(maxChars + 1, '\0');
    const DWORD length = GetLogicalDriveStringsA(static_cast<DWORD>(maxChars), buffer.data());
    std::vector<std::string> roots;
    if (length == 0 || length > maxChars)
        return roots;
    for (const char* root = buffer.data(); *root; root += std::strlen(root) + 1)
        roots.emplace_back(root);
    return roots;
}

int Win32Volumes::driveType(const std::string& root) {
    return static_cast<int>(GetDriveTypeA(root.c_str()));
}

std::optional<std::uint64_t> Win32Volumes::usedSpace(const std::string& root) {
    ULARGE_INTEGER available{}, total{}, free{};
    // A drive without a medium asks for one in a box of the system's: not here.
    const UINT oldMode = SetErrorMode(SEM_FAILCRITICALERRORS);
    const BOOL ok = GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free);
    SetErrorMode(oldMode);
    if (!ok || total.QuadPart < free.QuadPart)
        return std::nullopt;
    return total.QuadPart - free.QuadPart;
}

namespace {

// Only Wine's kernel32 has this: the host path a drive root stands for;
// empty elsewhere.
std::string UnixNameOf(const std::string& root) {
    using UnixName = char*(CDECL*)(LPCWSTR);
    static const auto unixName = reinterpret_cast<UnixName>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!unixName || root.size() < 2)
        return {};
    const wchar_t drive[] = {static_cast<wchar_t>(root[0]), L':', L'\\', 0};
    char* name = unixName(drive);
    if (!name)
        return {};
    std::string host = name;
    HeapFree(GetProcessHeap(), 0, name);
    while (host.size() > 1 && (host.back() == '/' || host.back() == '.'))
        host.pop_back();
    return host;
}

} // namespace

bool Win32Volumes::isHostRoot(const std::string& root) {
    return UnixNameOf(root) == "/";
}

std::string Win32Volumes::rootOnHostDrive(const std::string& root) {
    const std::string host = UnixNameOf(root);
    if (host.empty() || host == "/")
        return {};
    for (const std::string& other : driveRoots(255)) {
        if (!isHostRoot(other))
            continue;
        std::string path = other.substr(0, 2) + host + "/";
        std::replace(path.begin(), path.end(), '/', '\\');
        return path;
    }
    return {};
}

std::optional<FolderIdentity> Win32Volumes::folderIdentity(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    // The folder itself, not what a link or junction leads to.
    HANDLE folder =
        CreateFileA(path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                    FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (folder == INVALID_HANDLE_VALUE)
        return std::nullopt;
    BY_HANDLE_FILE_INFORMATION info{};
    const BOOL ok = GetFileInformationByHandle(folder, &info);
    CloseHandle(folder);
    if (!ok)
        return std::nullopt;
    FolderIdentity identity;
    identity.volume = info.dwVolumeSerialNumber;
    identity.index = combine(info.nFileIndexHigh, info.nFileIndexLow);
    identity.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
    return identity;
}

} // namespace velmora::platform::win32
