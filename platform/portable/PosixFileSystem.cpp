#include "platform/portable/PosixFileSystem.h"

#include "platform/Windows1252.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <system_error>

namespace velmora::platform::portable {

namespace fs = std::filesystem;

namespace {

constexpr fs::perms kWriteBits =
    fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;

fs::path hostName(const std::string& name) {
    const std::string utf8 = cp1252::toUtf8(name);
    return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string programName(const fs::path& host) {
    const std::u8string utf8 = host.filename().u8string();
    return cp1252::fromUtf8(std::string(utf8.begin(), utf8.end()));
}

std::string folded(std::string text) {
    for (char& c : text)
        c = static_cast<char>(cp1252::toUpper(static_cast<unsigned char>(c)));
    return text;
}

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

bool validName(const std::string& name) {
    return std::none_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 ||
               std::string_view("<>:\"|?*").find(c) != std::string_view::npos;
    });
}

std::string withoutTrailingBackslash(std::string path) {
    if (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return path;
}

bool readOnly(const fs::file_status& status) {
    return (status.permissions() & kWriteBits) == fs::perms::none;
}

std::optional<std::string> readHost(const fs::path& host) {
    std::ifstream in(host, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return bytes;
}

bool writeHost(const fs::path& host, const std::string& bytes) {
    std::ofstream out(host, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return !out.fail();
}

} // namespace

struct PosixFileSystem::Resolved {
    fs::path host;
    std::string key;  // drive and folded names: the file's identity on Windows
    std::string name; // last name as written; empty for a drive root
    bool trailingSeparator = false;

    fs::file_status status() const {
        std::error_code ec;
        return fs::status(host, ec);
    }
    // What Windows finds at this path: a folder, or a file unless the path
    // ends with a separator.
    bool exists() const {
        const auto st = status();
        return fs::exists(st) && (!trailingSeparator || fs::is_directory(st));
    }
    bool isFile() const { return exists() && !fs::is_directory(status()); }
    bool isFolder() const { return fs::is_directory(status()); }
    bool parentIsFolder() const {
        std::error_code ec;
        return !name.empty() && fs::is_directory(host.parent_path(), ec);
    }
};

PosixFileSystem::PosixFileSystem(std::map<char, std::string> drives) {
    for (const auto& [letter, root] : drives)
        drives_[static_cast<char>(std::toupper(static_cast<unsigned char>(letter)))] =
            fs::path(std::u8string(root.begin(), root.end()));

    setTempFolder("C:\\Documents and Settings\\User\\Local Settings\\Temp");
    setProgramFolder("C:\\Program Files\\Velmora");
    setSpecialFolder(9, "C:\\Documents and Settings\\User\\SendTo");
    setSpecialFolder(36, "C:\\WINDOWS");
    setSpecialFolder(37, "C:\\WINDOWS\\system32");
    setSpecialFolder(38, "C:\\Program Files");
    setSpecialFolder(43, "C:\\Program Files\\Common Files");
    setEnvironment("SystemDrive", "C:");
    setEnvironment("SystemRoot", "C:\\WINDOWS");
    setEnvironment("windir", "C:\\WINDOWS");
    setEnvironment("ProgramFiles", "C:\\Program Files");
    setEnvironment("CommonProgramFiles", "C:\\Program Files\\Common Files");
    setEnvironment("USERPROFILE", "C:\\Documents and Settings\\User");
    setEnvironment("TEMP", withoutTrailingBackslash(tempFolder_));
    setEnvironment("TMP", withoutTrailingBackslash(tempFolder_));
}

void PosixFileSystem::setTempFolder(const std::string& path) {
    tempFolder_ = path;
    if (tempFolder_.empty() || tempFolder_.back() != '\\')
        tempFolder_ += '\\';
}

void PosixFileSystem::setProgramFolder(const std::string& path) {
    programFolder_ = path;
    if (!programFolder_.empty() && programFolder_.back() == '\\')
        programFolder_.pop_back();
}

void PosixFileSystem::setCurrentFolder(const std::string& path) {
    currentFolder_ = path;
}

void PosixFileSystem::setSpecialFolder(int csidl, const std::string& path) {
    specialFolders_[csidl] = withoutTrailingBackslash(path);
}

void PosixFileSystem::setEnvironment(const std::string& name, const std::string& value) {
    environment_[folded(name)] = value;
}

void PosixFileSystem::unsetEnvironment(const std::string& name) {
    environment_.erase(folded(name));
}

std::optional<PosixFileSystem::Resolved> PosixFileSystem::resolve(const std::string& path) const {
    if (path.size() < 2 || path[1] != ':')
        return std::nullopt;
    const char letter = static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    const auto drive = drives_.find(letter);
    if (drive == drives_.end())
        return std::nullopt;

    std::vector<std::string> names;
    std::size_t start = 2;
    while (start <= path.size()) {
        std::size_t end = start;
        while (end < path.size() && !isSeparator(path[end]))
            ++end;
        std::string name = path.substr(start, end - start);
        start = end + 1;
        if (name.empty() || name == ".")
            continue;
        if (name == "..") {
            if (!names.empty())
                names.pop_back();
            continue;
        }
        while (!name.empty() && (name.back() == '.' || name.back() == ' '))
            name.pop_back();
        if (name.empty() || !validName(name))
            return std::nullopt;
        names.push_back(std::move(name));
    }

    Resolved where;
    where.host = drive->second;
    where.key = std::string(1, letter) + ":";
    where.trailingSeparator = !names.empty() && isSeparator(path.back());
    bool present = true;
    for (const std::string& name : names) {
        where.key += '\\';
        where.key += folded(name);
        const fs::path exact = where.host / hostName(name);
        std::error_code ec;
        if (present && !fs::exists(fs::symlink_status(exact, ec))) {
            // Not there as written: look for it under another case.
            present = false;
            for (fs::directory_iterator it(where.host, ec), end; !ec && it != end;
                 it.increment(ec)) {
                if (cp1252::equalNoCase(programName(it->path()), name)) {
                    where.host = it->path();
                    present = true;
                    break;
                }
            }
            if (present)
                continue;
        }
        where.host = exact;
    }
    where.name = names.empty() ? std::string() : names.back();
    return where;
}

std::optional<fs::path> PosixFileSystem::hostPath(const std::string& path) const {
    auto where = resolve(path);
    if (!where)
        return std::nullopt;
    return where->host;
}

std::uint32_t PosixFileSystem::attributesOf(const Resolved& where) const {
    const auto st = where.status();
    std::uint32_t result = fs::is_directory(st) ? AttrDirectory : AttrArchive;
    if (readOnly(st))
        result |= AttrReadOnly;
    if (!where.name.empty() && where.name.front() == '.')
        result |= AttrHidden;
    if (auto stored = storedAttributes_.find(where.key); stored != storedAttributes_.end())
        result |= stored->second;
    return result;
}

std::optional<std::uint32_t> PosixFileSystem::attributes(const std::string& path) {
    auto where = resolve(path);
    if (!where || !where->exists())
        return std::nullopt;
    return attributesOf(*where);
}

std::optional<std::uint64_t> PosixFileSystem::fileSize(const std::string& path) {
    auto where = resolve(path);
    if (!where || !where->isFile())
        return std::nullopt;
    std::error_code ec;
    const auto size = fs::file_size(where->host, ec);
    if (ec)
        return std::nullopt;
    return size;
}

std::optional<std::string> PosixFileSystem::readFile(const std::string& path) {
    auto where = resolve(path);
    if (!where || !where->isFile())
        return std::nullopt;
    return readHost(where->host);
}

bool PosixFileSystem::writeFile(const std::string& path, const std::string& bytes) {
    auto where = resolve(path);
    if (!where || where->trailingSeparator || !where->parentIsFolder())
        return false;
    const auto st = where->status();
    const bool existed = fs::exists(st);
    if (existed && (fs::is_directory(st) || readOnly(st)))
        return false;
    if (!writeHost(where->host, bytes))
        return false;
    if (!existed)
        storedAttributes_.erase(where->key);
    return true;
}

std::optional<std::vector<FolderEntry>> PosixFileSystem::listFolder(const std::string& path) {
    auto where = resolve(path);
    if (!where || !where->isFolder())
        return std::nullopt;
    std::vector<FolderEntry> entries;
    std::error_code ec;
    for (fs::directory_iterator it(where->host, ec), end; !ec && it != end; it.increment(ec)) {
        Resolved entry;
        entry.host = it->path();
        entry.name = programName(entry.host);
        entry.key = where->key + '\\' + folded(entry.name);
        if (!entry.exists())
            continue; // a dangling link
        FolderEntry listed;
        listed.name = entry.name;
        listed.attributes = attributesOf(entry);
        if (!entry.isFolder()) {
            std::error_code sizeError;
            listed.size = fs::file_size(entry.host, sizeError);
            if (sizeError)
                listed.size = 0;
        }
        entries.push_back(std::move(listed));
    }
    if (ec)
        return std::nullopt;
    std::sort(entries.begin(), entries.end(), [](const FolderEntry& a, const FolderEntry& b) {
        return cp1252::compareNames(a.name, b.name) < 0;
    });
    return entries;
}

bool PosixFileSystem::createFolder(const std::string& path) {
    auto where = resolve(path);
    if (!where || !where->parentIsFolder() || fs::exists(where->status()))
        return false;
    std::error_code ec;
    if (!fs::create_directory(where->host, ec))
        return false;
    storedAttributes_.erase(where->key);
    return true;
}

bool PosixFileSystem::deleteFile(const std::string& path) {
    auto where = resolve(path);
    return where && where->isFile() && !readOnly(where->status()) && remove(*where);
}

bool PosixFileSystem::removeFolder(const std::string& path) {
    auto where = resolve(path);
    // fs::remove takes only an empty folder, as RemoveDirectoryA does.
    return where && !where->name.empty() && where->isFolder() && remove(*where);
}

bool PosixFileSystem::remove(const Resolved& where) {
    std::error_code ec;
    if (!fs::remove(where.host, ec))
        return false;
    storedAttributes_.erase(where.key);
    return true;
}

bool PosixFileSystem::copyFile(const std::string& from, const std::string& to, bool overwrite) {
    auto source = resolve(from);
    auto target = resolve(to);
    if (!source || !target || !source->isFile() || target->trailingSeparator ||
        !target->parentIsFolder() || source->key == target->key)
        return false;
    const auto targetStatus = target->status();
    if (fs::exists(targetStatus) &&
        (!overwrite || fs::is_directory(targetStatus) || readOnly(targetStatus)))
        return false;
    const auto bytes = readHost(source->host);
    if (!bytes || !writeHost(target->host, *bytes))
        return false;
    // Windows gives the copy the attributes of its source.
    std::error_code ec;
    fs::permissions(target->host, source->status().permissions(), ec);
    if (auto stored = storedAttributes_.find(source->key); stored != storedAttributes_.end())
        storedAttributes_[target->key] = stored->second;
    else
        storedAttributes_.erase(target->key);
    return true;
}

bool PosixFileSystem::moveFile(const std::string& from, const std::string& to) {
    auto source = resolve(from);
    auto target = resolve(to);
    if (!source || !target || source->name.empty() || !source->exists() || target->name.empty() ||
        !target->parentIsFolder())
        return false;
    std::error_code ec;
    if (source->key == target->key) {
        // The same name in another case: a rename of the case only.
        fs::rename(source->host, source->host.parent_path() / hostName(target->name), ec);
        return !ec;
    }
    if (fs::exists(target->status()) || target->key.rfind(source->key + '\\', 0) == 0)
        return false;
    fs::rename(source->host, target->host, ec);
    if (ec)
        return false;
    // Stored attributes travel with the file, or with everything in the folder.
    std::map<std::string, std::uint32_t> moved;
    for (auto it = storedAttributes_.begin(); it != storedAttributes_.end();) {
        const std::string& key = it->first;
        if (key == source->key || key.rfind(source->key + '\\', 0) == 0) {
            moved[target->key + key.substr(source->key.size())] = it->second;
            it = storedAttributes_.erase(it);
        } else {
            ++it;
        }
    }
    storedAttributes_.merge(moved);
    return true;
}

bool PosixFileSystem::setAttributes(const std::string& path, std::uint32_t attributes) {
    auto where = resolve(path);
    if (!where || !where->exists())
        return false;
    std::error_code ec;
    if (attributes & AttrReadOnly) {
        if (!where->isFolder())
            fs::permissions(where->host, kWriteBits, fs::perm_options::remove, ec);
    } else if (readOnly(where->status())) {
        fs::permissions(where->host, fs::perms::owner_write, fs::perm_options::add, ec);
    }
    if (ec)
        return false;
    if (const std::uint32_t kept = attributes & (AttrHidden | AttrSystem))
        storedAttributes_[where->key] = kept;
    else
        storedAttributes_.erase(where->key);
    return true;
}

std::string PosixFileSystem::tempFolder() {
    return tempFolder_;
}

std::string PosixFileSystem::specialFolder(int csidl) {
    auto found = specialFolders_.find(csidl);
    return found == specialFolders_.end() ? std::string() : found->second;
}

std::string PosixFileSystem::programFolder() {
    return programFolder_;
}

std::string PosixFileSystem::currentFolder() {
    return currentFolder_.empty() ? programFolder_ : currentFolder_;
}

std::string PosixFileSystem::expandEnvironment(const std::string& text) {
    // As Windows does: %name% of a defined variable becomes its value; any
    // other %...% stays as written and scanning goes on after it; a lone %
    // stays.
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text[i] != '%') {
            out += text[i++];
            continue;
        }
        const std::size_t close = text.find('%', i + 1);
        if (close == std::string::npos) {
            out.append(text, i, std::string::npos);
            break;
        }
        const auto value = environment_.find(folded(text.substr(i + 1, close - i - 1)));
        if (close > i + 1 && value != environment_.end())
            out += value->second;
        else
            out.append(text, i, close - i + 1);
        i = close + 1;
    }
    return out;
}

} // namespace velmora::platform::portable
