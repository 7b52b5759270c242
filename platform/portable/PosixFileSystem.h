#pragma once
// Files on the host file system, seen as a Windows machine sees them.
//
// Drive letters map to host folders ({'C', "/tmp/x/c"}): "C:\a\b" is
// "<root>/a/b". Names are Windows-1252 in the program and UTF-8 on the host.
// Each name compares without regard to case, as on Windows: a component that
// is not there as written is looked up case-insensitively in its folder.
// "." and ".." are resolved in the path, "/" is a separator too, and trailing
// dots and blanks of a name are dropped, as Windows does; a name holding one
// of < > : " | ? * or a control character is invalid.
//
// Attributes follow Wine: folders 16, files 32 (archive); read-only (1) when
// no write permission bit is set; hidden (2) for names starting with "."
// (Wine's rule, so the same files are hidden under Wine and here). Hidden and
// system bits given with setAttributes are kept by this object (the host has
// nowhere to store them) and follow the file through copies and moves.
// Setting read-only on a folder is ignored, as Wine does.
// Windows refuses to write over, copy over or delete a read-only file, even
// for an administrator: so does this, although the host would let root.
//
// Folders are listed in the order Wine lists them: by name without regard
// to case, then exactly. Host names with characters Windows-1252 lacks are
// listed with '?' in their place (and so cannot be opened by that name).
//
// On Windows hosts (the cross-built tests) the roots are Windows folders and
// the same rules apply on top of the host's own.

#include "platform/FileSystem.h"

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace velmora::platform::portable {

class PosixFileSystem : public FileSystem {
public:
    // Drive letter (either case) to host folder. The temporary, program and
    // special folders and the environment start as on a Windows XP machine
    // with everything on drive C; change them with the setters.
    explicit PosixFileSystem(std::map<char, std::string> drives);

    // Windows paths; the temporary folder is kept with a trailing backslash,
    // the others without.
    void setTempFolder(const std::string& path);
    void setProgramFolder(const std::string& path);
    // The current directory; the program folder until one is set.
    void setCurrentFolder(const std::string& path);
    void setSpecialFolder(int csidl, const std::string& path);
    // Environment variables for expandEnvironment; names compare without
    // regard to case. An empty value still counts as defined.
    void setEnvironment(const std::string& name, const std::string& value);
    void unsetEnvironment(const std::string& name);

    // The host path a Windows path stands for (an existing component found
    // whatever its case); nothing when the path is not on a mapped drive or
    // is invalid.
    std::optional<std::filesystem::path> hostPath(const std::string& path) const;

    std::optional<std::uint32_t> attributes(const std::string& path) override;
    std::optional<std::uint64_t> fileSize(const std::string& path) override;
    std::optional<std::string> readFile(const std::string& path) override;
    bool writeFile(const std::string& path, const std::string& bytes) override;
    std::optional<std::vector<FolderEntry>> listFolder(const std::string& path) override;
    bool createFolder(const std::string& path) override;
    bool deleteFile(const std::string& path) override;
    bool copyFile(const std::string& from, const std::string& to, bool overwrite) override;
    bool moveFile(const std::string& from, const std::string& to) override;
    bool setAttributes(const std::string& path, std::uint32_t attributes) override;
    std::string tempFolder() override;
    std::string specialFolder(int csidl) override;
    std::string programFolder() override;
    std::string currentFolder() override;
    std::string expandEnvironment(const std::string& text) override;
    bool removeFolder(const std::string& path) override;

private:
    struct Resolved;
    std::optional<Resolved> resolve(const std::string& path) const;
    std::uint32_t attributesOf(const Resolved& where) const;
    // Removes the file or empty folder found there, with its kept attributes.
    bool remove(const Resolved& where);

    std::map<char, std::filesystem::path> drives_;
    std::string tempFolder_;
    std::string programFolder_;
    std::string currentFolder_;
    std::map<int, std::string> specialFolders_;
    std::map<std::string, std::string> environment_; // by folded name
    // Hidden and system bits given with setAttributes, by folded Windows path.
    std::map<std::string, std::uint32_t> storedAttributes_;
};

} // namespace velmora::platform::portable
