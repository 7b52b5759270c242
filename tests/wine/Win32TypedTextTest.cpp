// Typed text in the system code page: a character without its own byte is
// flagged, not passed on as '?' or as a look-alike letter. (Read from an
// edit window it is held by the criteria window test, which has a display.)

#include "ui/win32/Win32TypedText.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

namespace velmora::testing {
namespace {

TEST(Win32TypedText, CharactersWithoutAByteAreFlaggedNotReplaced) {
    using Row = std::tuple<std::wstring, std::string, bool>; // typed, text, representable
    const std::vector<Row> rows = {
        {L"w\x00EEn", "w\xEEn", true}, {L"\x20AC", "\x80", true}, {L"", "", true},
        {L"\x0103", "?", false}, // a-breve: best fit would give "a"
        {L"a\x4E2D", "a?", false},
    };
    std::vector<Row> got;
    for (const auto& [typed, text, representable] : rows) {
        const ui::win32::TypedText narrowed = ui::win32::narrowed(typed.c_str());
        got.emplace_back(typed, narrowed.text, narrowed.representable);
    }
    EXPECT_EQ(got, rows);
}

} // namespace
} // namespace velmora::testing
