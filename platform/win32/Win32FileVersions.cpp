#include "platform/win32/Win32FileVersions.h"

#include <windows.h>

#include <vector>

namespace velmora::platform::win32 {

std::optional<FileVersion> ReadFileVersion(const std::string& path) {
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
    if (size == 0)
        return std::nullopt;
    std::vector<char> data(size);
    void* fixed = nullptr;
    UINT fixedSize = 0;
    if (!GetFileVersionInfoA(path.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", &fixed, &fixedSize) ||
        fixedSize < sizeof(VS_FIXEDFILEINFO))
        return std::nullopt;
    const auto& info = *static_cast<const VS_FIXEDFILEINFO*>(fixed);
    if (info.dwSignature != 0xFEEF04BD)
        return std::nullopt;
    return FileVersion{HIWORD(info.dwFileVersionMS), LOWORD(info.dwFileVersionMS),
                       HIWORD(info.dwFileVersionLS), LOWORD(info.dwFileVersionLS)};
}

} // namespace velmora::platform::win32
