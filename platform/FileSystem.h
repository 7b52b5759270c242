#pragma once
// Files, folders and drives. Paths are Windows paths in the program's
// single-byte code page ("C:\Program Files\Outlook Express\").

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora::platform {

// Win32 file attribute bits.
enum FileAttribute : std::uint32_t {
    AttrReadOnly = 0x01,
    AttrHidden = 0x02,
    AttrSystem = 0x04,
    AttrDirectory = 0x10,
    AttrArchive = 0x20,
    AttrNormal = 0x80,
    AttrReparsePoint = 0x400, // a symbolic link or junction
};

struct FolderEntry {
    std::string name;
    std::uint32_t attributes = 0;
    std::uint64_t size = 0;
};

class FileSystem {
public:
    virtual ~FileSystem() = default;

    // Attributes of a file or folder; nothing when it does not exist.
    virtual std::optional<std::uint32_t> attributes(const std::string& path) = 0;
    virtual std::optional<std::uint64_t> fileSize(const std::string& path) = 0;

    // Whole-file read, opened for reading and sharing reads and writes.
    virtual std::optional<std::string> readFile(const std::string& path) = 0;
    // Whole-file write: created or truncated, written, flushed, closed.
    virtual bool writeFile(const std::string& path, const std::string& bytes) = 0;

    // Entries of a folder (no "." or ".."), in the order the file system gives them.
    virtual std::optional<std::vector<FolderEntry>> listFolder(const std::string& path) = 0;

    virtual bool createFolder(const std::string& path) = 0;
    virtual bool deleteFile(const std::string& path) = 0;
    // A file deleted the way the shell deletes one (the system's own file
    // operation, without confirmation); stand-ins delete it plainly.
    virtual bool shellDelete(const std::string& path) { return deleteFile(path); }
    virtual bool copyFile(const std::string& from, const std::string& to, bool overwrite) = 0;
    virtual bool moveFile(const std::string& from, const std::string& to) = 0;
    virtual bool setAttributes(const std::string& path, std::uint32_t attributes) = 0;

    // The user's temporary folder, ending in a backslash.
    virtual std::string tempFolder() = 0;
    // A shell special folder (CSIDL number) without trailing backslash; empty when unknown.
    virtual std::string specialFolder(int csidl) = 0;
    // The folder the program was started from, without trailing backslash.
    virtual std::string programFolder() = 0;
    // The process's current directory, as the system gives it.
    virtual std::string currentFolder() = 0;
    // %name% references expanded from the process environment; unknown names stay.
    virtual std::string expandEnvironment(const std::string& text) = 0;
    // Removes an empty folder; false when it is not empty or cannot go.
    virtual bool removeFolder(const std::string& path) = 0;
};

} // namespace velmora::platform
