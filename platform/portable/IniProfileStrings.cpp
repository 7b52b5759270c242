#include "platform/portable/IniProfileStrings.h"

#include <algorithm>
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
    // The writer reads the whole file into sections of entries and writes it
    // back from them, as the system's does: blank lines go, each line loses
    // its surrounding blanks and an entry the blanks around its "=".
    struct Entry {
        std::string name;
        std::optional<std::string> value;
    };
    struct Section {
        std::optional<std::string> header; // none before the first one
        std::vector<Entry> entries;
    };
    const std::string content = files_.readFile(file).value_or("");
    std::vector<Section> sections(1);
    for (std::string_view line : Lines(content)) {
        line = Trim(line);
        if (line.empty())
            continue;
        if (line.front() == '[' && line.rfind(']') != std::string_view::npos &&
            line.rfind(']') > 0) {
            sections.push_back({std::string(line.substr(1, line.rfind(']') - 1)), {}});
            continue;
        }
        const auto equals = line.find('=');
        if (equals == std::string_view::npos)
            sections.back().entries.push_back({std::string(line), std::nullopt});
        else
            sections.back().entries.push_back({std::string(Trim(line.substr(0, equals))),
                                               std::string(Trim(line.substr(equals + 1)))});
    }

    // The first matching section (a file's opening lines are none); its first
    // matching entry keeps its place and its name's spelling.
    const auto target = std::find_if(sections.begin() + 1, sections.end(), [&](const Section& s) {
        return SameText(Trim(*s.header), section);
    });
    Section& into =
        target != sections.end() ? *target : sections.emplace_back(Section{section, {}});
    const auto entry = std::find_if(into.entries.begin(), into.entries.end(),
                                    [&](const Entry& e) { return SameText(e.name, key); });
    if (entry != into.entries.end())
        entry->value = value;
    else
        into.entries.push_back({key, value});

    std::string out;
    for (const Section& s : sections) {
        if (s.header)
            out += "[" + *s.header + "]\r\n";
        for (const Entry& e : s.entries)
            out += e.name + (e.value ? "=" + *e.value : std::string()) + "\r\n";
    }
    return files_.writeFile(file, out);
}

} // namespace velmora::platform::portable
