#include "rules/WordList.h"

#include "platform/Windows1252.h"
#include "rules/RuleStorage.h"

#include <algorithm>
#include <unordered_set>

namespace velmora {

namespace cp1252 = platform::cp1252;

int fncAttributsTexte(const std::string& word) {
    const bool before = !word.empty() && word.front() == ' ';
    const bool after = !word.empty() && word.back() == ' ';
    if (before && after)
        return spaces::Both;
    if (after)
        return spaces::AfterOnly;
    if (before)
        return spaces::BeforeOnly;
    return spaces::None;
}

ui::Colour PaletteColour(int index) {
    static constexpr ui::Colour kPalette[16] = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    return index >= 0 && index < 16 ? kPalette[index] : 0;
}

namespace {

// A character's code as upper-case hexadecimal without leading zeros.
void AppendCode(std::string& text, unsigned char c) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    if (c >= 16)
        text += kDigits[c >> 4];
    text += kDigits[c & 0x0F];
}

} // namespace

std::string fncHashmot(const std::string& word) {
    std::string hex;
    hex.reserve(word.size() * 2);
    for (unsigned char c : word)
        AppendCode(hex, c);
    return hex;
}

std::string TrimSpaces(const std::string& word) {
    const std::size_t first = word.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return word.substr(first, word.find_last_not_of(' ') - first + 1);
}

std::optional<std::string> SpacedWord(const std::string& word, int mode) {
    const std::string t = TrimSpaces(word);
    switch (mode) {
    case 0:
        return " " + t + " ";
    case 1:
        return t;
    case 2:
        return " " + t;
    case 3:
        return t + " ";
    default:
        return std::nullopt;
    }
}

namespace {

std::string Folded(const std::string& word) {
    std::string key = word;
    for (char& c : key)
        c = static_cast<char>(cp1252::toLower(static_cast<unsigned char>(c)));
    return key;
}

} // namespace

std::vector<bool> KeptWords(const std::vector<std::string>& words) {
    std::vector<bool> kept(words.size(), false);
    std::unordered_set<std::string> seen;
    seen.reserve(words.size());
    for (std::size_t i = 0; i < words.size(); ++i)
        kept[i] = !words[i].empty() && seen.insert(Folded(words[i])).second;
    return kept;
}

bool SortsBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return cp1252::toLower(static_cast<unsigned char>(x)) <
               cp1252::toLower(static_cast<unsigned char>(y));
    });
}

std::size_t StoredListSize(const std::vector<std::string>& words) {
    std::size_t size = 2; // the two zeros after the last word
    for (const std::string& word : words)
        size += word.size() + 1;
    return size;
}

std::string WordListText(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += word + "\r\n";
    return text;
}

std::string WordListCsv(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words)
        text += word + ";";
    return text;
}

std::string WordListCodes(const std::vector<std::string>& words) {
    std::string text;
    for (const std::string& word : words) {
        for (unsigned char c : word) {
            AppendCode(text, c);
            text += ',';
        }
        text += "00,";
    }
    return text + "00,00";
}

namespace {

// The file's text in the code page; false when a Unicode character has no
// byte there.
bool DecodeWordFile(const std::string& bytes, std::string& text) {
    if (bytes.compare(0, 3, "\xEF\xBB\xBF") == 0) {
        const std::string_view utf8(bytes.data() + 3, bytes.size() - 3);
        text = cp1252::fromUtf8(utf8);
        return cp1252::toUtf8(text) == utf8; // '?' for a character without a byte
    }
    if (bytes.compare(0, 2, "\xFF\xFE") == 0) {
        text.clear();
        for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const char32_t unit = static_cast<unsigned char>(bytes[at]) |
                                  static_cast<unsigned char>(bytes[at + 1]) << 8;
            const auto byte = cp1252::fromUnicode(unit);
            if (!byte || (unit >= 0xD800 && unit < 0xE000))
                return false;
            text += static_cast<char>(*byte);
        }
        return bytes.size() % 2 == 0;
    }
    text = bytes;
    return true;
}

} // namespace

WordFile ReadWordFile(const std::string& bytes) {
    WordFile file;
    std::string text;
    if (!DecodeWordFile(bytes, text)) {
        file.problem = WordFile::Problem::OutsideCodePage;
        return file;
    }
    for (unsigned char c : text) {
        if (c < 0x20 && c != '\t' && c != '\r' && c != '\n') {
            file.problem = WordFile::Problem::NotText;
            return file;
        }
    }
    std::size_t at = 0;
    for (;;) {
        const std::size_t end = text.find_first_of("\r\n", at);
        const std::size_t length = (end == std::string::npos ? text.size() : end) - at;
        if (length > kLongestWord)
            ++file.tooLong;
        else
            file.words.push_back(text.substr(at, length));
        if (end == std::string::npos)
            break;
        at = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return file;
}

StoredWords ReadStoredWords(const std::optional<platform::RegData>& value) {
    StoredWords stored;
    if (!value)
        return stored;
    const std::string& bytes = value->bytes;
    stored.words = SplitAtZeros(bytes);
    while (!stored.words.empty() && stored.words.back().empty())
        stored.words.pop_back();
    // Exactly what a save of those words writes: the registry layer reads
    // the same list.
    stored.whole = value->type == platform::RegBinary && bytes.size() <= kLongestStoredList &&
                   bytes == EncodeWordList(stored.words) + '\0';
    return stored;
}

} // namespace velmora
