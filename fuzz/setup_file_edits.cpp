// The ten edits of the setup file over the portable profile writer, on a
// file of arbitrary bytes: every edited key reads back its value, and every
// other line of the file is still there, in its order.

#include "FuzzCheck.h"
#include "MemoryFiles.h"
#include "platform/Windows1252.h"
#include "platform/portable/IniProfileStrings.h"
#include "reinstall/SetupInfReinstall.h"

#include <string>
#include <vector>

namespace {

using velmora::fuzz::Require;

const char* const kEditedKeys[] = {"LayoutFile",
                                   "AdvancedINF",
                                   "file.copy.inf",
                                   "file.copy.exe",
                                   "file.del.exe",
                                   "file.copy.permanent",
                                   "file.copy.stationery",
                                   "file.copy.common.perm",
                                   "CopyFiles",
                                   "AddReg"};

std::string Trim(const std::string& text) {
    const auto first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

// The non-blank lines of a text, each as the writer keeps it: without its
// surrounding blanks, an entry without the blanks around its "=", a header
// up to its last "]". Lines end at CR, LF or CR LF.
std::vector<std::string> KeptLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string::size_type start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
        if (line.empty())
            continue;
        const auto close = line.rfind(']');
        if (line.front() == '[' && close != std::string::npos && close > 0)
            line = line.substr(0, close + 1);
        else if (const auto equals = line.find('='); equals != std::string::npos)
            line = Trim(line.substr(0, equals)) + "=" + Trim(line.substr(equals + 1));
        lines.push_back(line);
    }
    return lines;
}

bool EditedKey(const std::string& line) {
    if (line.front() == '[')
        return false;
    const std::string name = Trim(line.substr(0, line.find('=')));
    for (const char* key : kEditedKeys)
        if (velmora::platform::cp1252::equalNoCase(name, key))
            return true;
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string content(reinterpret_cast<const char*>(data), size);
    const std::string path = "C:\\Program Files\\Outlook Express\\msoe50.inf";
    velmora::fuzz::MemoryFiles files;
    files.files[path] = content;
    velmora::platform::portable::IniProfileStrings profile(files);
    velmora::EditSetupInf(profile, path);
    const std::string edited = files.files[path];

    // The other lines, in their order, within the edited file's lines.
    const std::vector<std::string> after = KeptLines(edited);
    std::size_t at = 0;
    for (const std::string& line : KeptLines(content)) {
        if (EditedKey(line))
            continue;
        while (at < after.size() && after[at] != line)
            ++at;
        Require(at < after.size(), "every other line of the file stays, in its order");
        ++at;
    }
    if (content.find('\0') == std::string::npos) {
        Require(profile.getString("Version", "AdvancedINF", "<none>", path, 255) == "2.5",
                "AdvancedINF reads 2.5");
        Require(profile.getString("DestinationDirs", "file.copy.common.perm", "<none>", path,
                                  255) == "49850",
                "file.copy.common.perm reads 49850");
        Require(profile.getString("Version", "LayoutFile", "<none>", path, 255).empty(),
                "LayoutFile reads empty");
    }
    return 0;
}
