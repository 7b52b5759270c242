#include "platform/win32/Win32FileSystem.h"

#include <windows.h>
#include <shellapi.h>
#include <shlobj.h>

#include <vector>

namespace velmora::platform::win32 {

namespace {

// Closes a kernel handle when it goes out of scope.
class Handle {
public:
    explicit Handle(HANDLE handle) : handle_(handle) {}
    ~Handle() {
        if (valid())
            CloseHandle(handle_);
    }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

std::uint64_t combine(DWORD high, DWORD low) {
    return (static_cast<std::uint64_t>(high) << 32) | low;
}

// Text from an API that writes into a buffer of the size given and answers
// the length written, without terminator, when the text fits; at least the
// size when it does not (the size it needs, or the size itself when it cut
// the text); 0 when it failed.
template <typename Fill> std::string grownBuffer(Fill fill) {
    std::vector<char> buffer(MAX_PATH + 1);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = fill(buffer.data(), size);
        if (length == 0)
            return {};
        if (length < size)
            return std::string(buffer.data(), length);
        buffer.resize(length > size ? length + 1 : buffer.size() * 2);
    }
}

} // namespace

std::optional<std::uint32_t> Win32FileSystem::attributes(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return std::nullopt;
    return attributes;
}

std::optional<std::uint64_t> Win32FileSystem::fileSize(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    return combine(data.nFileSizeHigh, data.nFileSizeLow);
}

std::optional<std::string> Win32FileSystem::readFile(const std::string& path) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return std::nullopt;
    std::string bytes;
    LARGE_INTEGER size;
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart > 0)
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    // Read to the end, whatever another writer did since the size was taken.
    char chunk[65536];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr))
            return std::nullopt;
        if (got == 0)
            return bytes;
        bytes.append(chunk, got);
    }
}

bool Win32FileSystem::writeFile(const std::string& path, const std::string& bytes) {
    Handle file(CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const std::size_t left = bytes.size() - done;
        const DWORD portion = left > 0x40000000 ? 0x40000000 : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file.get(), bytes.data() + done, portion, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return FlushFileBuffers(file.get()) != 0;
}

std::optional<std::vector<FolderEntry>> Win32FileSystem::listFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
        return std::nullopt;
    std::string pattern = path;
    if (pattern.empty() || (pattern.back() != '\\' && pattern.back() != '/'))
        pattern += '\\';
    pattern += '*';

    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        // A drive's root folder may hold nothing at all, not even "." and "..".
        if (GetLastError() == ERROR_FILE_NOT_FOUND)
            return entries;
        return std::nullopt;
    }
    do {
        const std::string name = found.cFileName;
        if (name == "." || name == "..")
            continue;
        entries.push_back(
            {name, found.dwFileAttributes, combine(found.nFileSizeHigh, found.nFileSizeLow)});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}

bool Win32FileSystem::createFolder(const std::string& path) {
    return CreateDirectoryA(path.c_str(), nullptr) != 0;
}

bool Win32FileSystem::deleteFile(const std::string& path) {
    return DeleteFileA(path.c_str()) != 0;
}

bool Win32FileSystem::shellDelete(const std::string& path) {
    // The shell reads a list of paths ended by an empty one: two zeros.
    std::string list = path;
    list.append(2, '\0');
    SHFILEOPSTRUCTA operation{};
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.fFlags = FOF_SIMPLEPROGRESS | FOF_NOCONFIRMATION;
    return SHFileOperationA(&operation) == 0 && !operation.fAnyOperationsAborted;
}

bool Win32FileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    return CopyFileA(from.c_str(), to.c_str(), overwrite ? FALSE : TRUE) != 0;
}

bool Win32FileSystem::moveFile(const std::string& from, const std::string& to) {
    return MoveFileA(from.c_str(), to.c_str()) != 0;
}

bool Win32FileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    return SetFileAttributesA(path.c_str(), attributes) != 0;
}

std::string Win32FileSystem::tempFolder() {
    return grownBuffer([](char* buffer, DWORD size) { return GetTempPathA(size, buffer); });
}

std::string Win32FileSystem::specialFolder(int csidl) {
    LPITEMIDLIST pidl = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(nullptr, csidl, &pidl)) || pidl == nullptr)
        return {};
    // SHGetPathFromIDListA writes at most MAX_PATH characters.
    char path[MAX_PATH] = {};
    const bool ok = SHGetPathFromIDListA(pidl, path) != 0;
    CoTaskMemFree(pidl);
    return ok ? std::string(path) : std::string();
}

std::string Win32FileSystem::programFolder() {
    const std::string exe = grownBuffer(
        [](char* buffer, DWORD size) { return GetModuleFileNameA(nullptr, buffer, size); });
    const auto slash = exe.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : exe.substr(0, slash);
}

std::string Win32FileSystem::currentFolder() {
    return grownBuffer([](char* buffer, DWORD size) { return GetCurrentDirectoryA(size, buffer); });
}

std::string Win32FileSystem::expandEnvironment(const std::string& text) {
    // The system expands at most 32K characters. It answers the length of
    // the expansion with its terminator, or 0 when it failed: then, and when
    // the expansion would not fit, the text stays as it was.
    std::vector<char> buffer(32767);
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ExpandEnvironmentStringsA(text.c_str(), buffer.data(), size);
    if (length == 0 || length > size)
        return text;
    return std::string(buffer.data(), length - 1);
}

bool Win32FileSystem::removeFolder(const std::string& path) {
    return RemoveDirectoryA(path.c_str()) != 0;
}

} // namespace velmora::platform::win32
