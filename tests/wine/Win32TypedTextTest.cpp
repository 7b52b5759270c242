// Typed text in the system code page: a character without its own byte is
// flagged, not passed on as '?' or as a look-alike letter. (Read from an
// edit window it is held by the criteria window test, which has a display.)

#include "ui/win32/Win32TypedText.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora::testing {
namespace {

TEST(Win32TypedText, CharactersWithoutAByteAreFlaggedNotReplaced) {
    struct Row {
        const wchar_t* typed;
        std::string text;
        bool representable;
    };
    const Row rows[] = {
        {L"w\x00EEn", "w\xEEn", true}, {L"\x20AC", "\x80", true}, {L"", "", true},
        {L"\x0103", "?", false}, // a-breve: best fit would give "a"
        {L"a\x4E2D", "a?", false},
    };
    for (const Row& row : rows) {
        const ui::win32::TypedText got = ui::win32::narrowed(row.typed);
        EXPECT_EQ(got.text, row.text);
        EXPECT_EQ(got.representable, row.representable) << row.text;
    }
}

} // namespace
} // namespace velmora::testing
