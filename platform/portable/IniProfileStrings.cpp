#include "platform/portable/IniProfileStrings.h"

#include <optional>
#include <string_view>
#include <vector>

namespace velmora::platform::portable {

namespace {

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]);
        unsigned char y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z')
            x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z')
            y = static_cast<unsigned char>(y - 32);
        if (x != y)
            return false;
    }
    return true;
}

std::string_view Trim(std::string_view text) {
    const char* blanks = " \t\r";
    const auto first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(blanks);
    return text.substr(first, last - first + 1);
}

// A carriage return alone ends a line too, as the system's reader has it.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        auto end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && start < text.size() && text[start] == '\n')
            ++start;
    }
    return lines;
}

// The section name of a "[name]" line, up to its last "]"; a line without
// one starts no section.
std::optional<std::string_view> SectionName(std::string_view line) {
    line = Trim(line);
    if (line.empty() || line.front() != '[')
        return std::nullopt;
    const auto close = line.rfind(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return Trim(line.substr(1, close - 1));
}

} // namespace

std::string IniProfileStrings::getString(const std::string& section, const std::string& key,
                                         const std::string& defaultValue, const std::string& file,
                                         std::size_t bufferSize) {
    std::string result = defaultValue;
    if (const auto content = files_.readFile(file)) {
        // The reader stops at a zero byte, as the system's does.
        const std::string_view text(content->data(), content->find('\0') == std::string::npos
                                                         ? content->size()
                                                         : content->find('\0'));
        // Lines before the first header form a section without a name.
        bool inSection = section.empty();
        bool sectionSeen = inSection;
        for (std::string_view line : Lines(text)) {
            if (auto name = SectionName(line)) {
                if (inSection)
                    break; // only the first matching section counts
                inSection = !sectionSeen && SameText(*name, section);
                sectionSeen = sectionSeen || inSection;
                continue;
            }
            if (!inSection)
                continue;
            const auto equals = line.find('=');
            if (equals == std::string_view::npos)
                continue;
            if (!SameText(Trim(line.substr(0, equals)), key))
                continue;
            std::string_view value = Trim(line.substr(equals + 1));
            if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                value.back() == value.front())
                value = value.substr(1, value.size() - 2);
            result.assign(value);
            break;
        }
    }
    if (bufferSize == 0)
        return {};
    if (result.size() > bufferSize - 1)
        result.resize(bufferSize - 1);
    return result;
}

bool IniProfileStrings::writeString(const std::string& section, const std::string& key,
                                    const std::string& value, const std::string& file) {
    std::string content = files_.readFile(file).value_or("");
    std::vector<std::string_view> lines = Lines(content);
    std::string out;
    bool inSection = false;
    bool written = false;
    for (std::string_view line : lines) {
        if (auto name = SectionName(line)) {
            if (inSection && !written) {
                out += key + "=" + value + "\r\n";
                written = true;
            }
            inSection = !written && SameText(*name, section);
        } else if (inSection && !written) {
            const auto equals = line.find('=');
            const std::string_view entry = equals == std::string_view::npos
                                               ? std::string_view()
                                               : Trim(line.substr(0, equals));
            if (equals != std::string_view::npos && SameText(entry, key)) {
                // The entry keeps the spelling of its name.
                out.append(entry).append("=").append(value).append("\r\n");
                written = true;
                continue;
            }
        }
        out.append(line);
        if (line.empty() || line.back() != '\r')
            out += '\r';
        out += '\n';
    }
    if (!written) {
        if (!inSection)
            out += "[" + section + "]\r\n";
        out += key + "=" + value + "\r\n";
    }
    return files_.writeFile(file, out);
}

} // namespace velmora::platform::portable
