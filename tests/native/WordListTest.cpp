// The word-list model of the criteria editor: the plain-text import of
// untrusted files and the reading of stored values of any shape. What the
// editing commands, duplicates and file formats give is held in
// CriteriaEditorTest, through the window's handlers.

#include "rules/WordList.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmora::testing {
namespace {

using namespace std::string_literals;
using Strings = std::vector<std::string>;

TEST(WordList, PlainTextImportOfUntrustedFiles) {
    using Problem = WordFile::Problem;
    const std::string bom8 = "\xEF\xBB\xBF", bom16 = "\xFF\xFE";
    struct Row {
        const char* what;
        std::string bytes;
        Problem problem;
        Strings words;
    };
    const Row rows[] = {
        {"CR LF", "cash\r\n free \r\n", Problem::None, {"cash", " free ", ""}},
        {"lone LF", "a\nb\n", Problem::None, {"a", "b", ""}},
        {"lone CR", "a\rb", Problem::None, {"a", "b"}},
        {"mixed", "a\n\rb\r\r\nc", Problem::None, {"a", "", "b", "", "c"}},
        {"tab kept", "a\tb", Problem::None, {"a\tb"}},
        {"binary junk", "\x7F\x45LF\x02\x01", Problem::NotText, {}},
        {"UTF-8 mark",
         bom8 + "\xC3\xA9t\xC3\xA9\r\n\xE2\x82\xAC",
         Problem::None,
         {"\xE9t\xE9", "\x80"}},
        {"UTF-16 mark", bom16 + "a\0\r\0\n\0\xE9\0"s, Problem::None, {"a", "\xE9"}},
        {"UTF-16 outside", bom16 + "a\0\x01\x01"s, Problem::OutsideCodePage, {}},
        {"UTF-16 odd", bom16 + "a\0b"s, Problem::OutsideCodePage, {}},
        {"empty", "", Problem::None, {""}},
    };
    for (const Row& row : rows) {
        const WordFile file = ReadWordFile(row.bytes);
        EXPECT_EQ(file.problem, row.problem) << row.what;
        EXPECT_EQ(file.words, row.words) << row.what;
    }
}

TEST(WordList, StoredValuesOfAnyShapeShowWhatCanBeRead) {
    const std::string full = std::string(2045, 'w') + "\0\0\0"s; // 2048 bytes
    const std::string past = std::string(2046, 'w') + "\0\0\0"s; // 2049 bytes
    struct Row {
        const char* what;
        std::optional<platform::RegData> value;
        Strings words;
        bool whole;
    };
    const Row rows[] = {
        {"missing", std::nullopt, {}, true},
        {"well formed", platform::RegData{3, "cash\0free\0\0\0"s}, {"cash", "free"}, true},
        {"no final zeros", platform::RegData{3, "cash\0free"s}, {"cash", "free"}, false},
        {"one zero", platform::RegData{3, "cash\0"s}, {"cash"}, false},
        {"four zeros", platform::RegData{3, "a\0b\0\0\0\0"s}, {"a", "b"}, false},
        {"empty word inside", platform::RegData{3, "a\0\0b\0\0\0"s}, {"a", "", "b"}, true},
        {"text value", platform::RegData{1, "cash\0"s}, {"cash"}, false},
        {"2048 bytes", platform::RegData{3, full}, {std::string(2045, 'w')}, true},
        {"2049 bytes", platform::RegData{3, past}, {std::string(2046, 'w')}, false},
        {"empty", platform::RegData{3, ""}, {}, false},
    };
    for (const Row& row : rows) {
        const StoredWords stored = ReadStoredWords(row.value);
        EXPECT_EQ(stored.words, row.words) << row.what;
        EXPECT_EQ(stored.whole, row.whole) << row.what;
    }
}

} // namespace
} // namespace velmora::testing
