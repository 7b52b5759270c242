#include "core/FileAPI.h"

#include "platform/Windows1252.h"

namespace velmora {

using platform::AttrDirectory;
using platform::AttrHidden;
using platform::AttrSystem;

bool FileExists(platform::FileSystem& files, const std::string& path) {
    // A folder with no attribute besides the folder one does not count;
    // one that is also read-only or hidden does.
    auto attributes = files.attributes(path);
    return attributes && *attributes != AttrDirectory;
}

std::string GetTempFolder(platform::FileSystem& files) {
    return files.tempFolder();
}

std::string GetSpecialFolderPath(platform::FileSystem& files, int folderNumber) {
    std::string path = files.specialFolder(folderNumber);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

std::string ExpEnvStr(platform::FileSystem& files, const std::string& text) {
    return files.expandEnvironment(text);
}

std::string ReadTextFile(platform::FileSystem& files, const std::string& path) {
    auto length = files.fileSize(path);
    if (!length)
        return {};
    auto bytes = files.readFile(path);
    if (!bytes)
        return {};
    // The buffer was sized when the file was measured.
    if (bytes->size() > *length)
        bytes->resize(static_cast<std::size_t>(*length));
    return BytesToText(*bytes);
}

std::string BytesToText(const std::string& bytes) {
    std::string buffer = bytes;
    buffer += '\0';
    const std::string beforeZero = buffer.substr(0, buffer.find('\0'));
    if (beforeZero == "\xFF\xFE\x57")
        return platform::cp1252::fromUtf16le(buffer);
    return beforeZero;
}

bool WriteTextFile(platform::FileSystem& files, const std::string& path, const std::string& text,
                   bool keepExisting) {
    if (keepExisting) {
        // Only an ordinary file counts: folders, hidden and system files are
        // not listed as files of that name.
        auto attributes = files.attributes(path);
        if (attributes && (*attributes & (AttrDirectory | AttrHidden | AttrSystem)) == 0)
            return false;
    }
    return files.writeFile(path, text);
}

} // namespace velmora
