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
    const std::string longLine(1 << 20, 'x');
    struct Row {
        const char* what;
        std::string bytes;
        Problem problem;
        Strings words;
        int tooLong;
    };
    const Row rows[] = {
        {"CR LF", "cash\r\n free \r\n", Problem::None, {"cash", " free ", ""}, 0},
        {"lone LF", "a\nb\n", Problem::None, {"a", "b", ""}, 0},
        {"lone CR", "a\rb", Problem::None, {"a", "b"}, 0},
        {"mixed", "a\n\rb\r\r\nc", Problem::None, {"a", "", "b", "", "c"}, 0},
        {"tab kept", "a\tb", Problem::None, {"a\tb"}, 0},
        {"NUL", "cash\0free"s, Problem::NotText, {}, 0},
        {"binary junk",
         "\x7F"
         "ELF\x02\x01",
         Problem::NotText,
         {},
         0},
        {"1 MB line", "a\r\n" + longLine + "\r\nb", Problem::None, {"a", "b"}, 1},
        {"UTF-8 mark",
         "\xEF\xBB\xBF\xC3\xA9t\xC3\xA9\r\n\xE2\x82\xAC",
         Problem::None,
         {"\xE9t\xE9", "\x80"},
         0},
        {"UTF-8 outside",
         "\xEF\xBB\xBF"
         "a\r\n\xC4\x81",
         Problem::OutsideCodePage,
         {},
         0},
        {"UTF-16 mark",
         "\xFF\xFE"
         "a\0\r\0\n\0\xE9\0"s,
         Problem::None,
         {"a", "\xE9"},
         0},
        {"UTF-16 outside",
         "\xFF\xFE"
         "a\0\x01\x01"s,
         Problem::OutsideCodePage,
         {},
         0},
        {"UTF-16 odd",
         "\xFF\xFE"
         "a\0b"s,
         Problem::OutsideCodePage,
         {},
         0},
        {"empty", "", Problem::None, {""}, 0},
    };
    for (const Row& row : rows) {
        const WordFile file = ReadWordFile(row.bytes);
        EXPECT_EQ(file.problem, row.problem) << row.what;
        EXPECT_EQ(file.words, row.words) << row.what;
        EXPECT_EQ(file.tooLong, row.tooLong) << row.what;
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
