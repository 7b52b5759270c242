#pragma once
// The words of an anti-spam criterion as the criteria editor handles them:
// the spaces at their ends and the colours they give, their hexadecimal
// form, duplicates, the three file formats and the plain-text import, and
// the reading of a stored list that may be damaged or too long.

#include "core/modRegistre.h"
#include "ui/model/Control.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

// A word's attribute by the spaces at its ends, also the index of its colour
// in the 16-colour palette.
namespace spaces {
inline constexpr int None = 0;
inline constexpr int Both = 1;
inline constexpr int AfterOnly = 3;
inline constexpr int BeforeOnly = 5;
} // namespace spaces

int fncAttributsTexte(const std::string& word);
// The classic 16-colour palette, 0 black to 15 white; other indexes black.
ui::Colour PaletteColour(int index);
// Each character's code as upper-case hexadecimal without leading zeros,
// concatenated: "cash" gives "63617368", a tab "9".
std::string fncHashmot(const std::string& word);
// The word less the spaces (only ' ') at both ends.
std::string TrimSpaces(const std::string& word);
// The word a space mode gives: 0 " t ", 1 "t", 2 " t", 3 "t " with t the
// trimmed word; nothing for any other mode.
std::optional<std::string> SpacedWord(const std::string& word, int mode);
// Which words survive duplicate removal: the first of every word compared
// without letter case, never an empty word. One pass.
std::vector<bool> KeptWords(const std::vector<std::string>& words);
// Whether a sorts before b in the list's sort: without letter case.
bool SortsBefore(const std::string& a, const std::string& b);

// A stored list must stay readable through the 2048-byte read buffer of
// the registry layer: the bytes of EncodeWordList plus the final zero the
// binary write adds.
inline constexpr std::size_t kLongestStoredList = kRegBufferSize;
inline constexpr std::size_t kLongestWord = kLongestStoredList - 3;
std::size_t StoredListSize(const std::vector<std::string>& words);

// The three file formats, with "cash" and "free": "cash\r\nfree\r\n",
// "cash;free;" and "63,61,73,68,00,66,72,65,65,00,00,00".
std::string WordListText(const std::vector<std::string>& words);
std::string WordListCsv(const std::vector<std::string>& words);
std::string WordListCodes(const std::vector<std::string>& words);

// A plain-text word file: one word a line (CR LF, a lone LF or a lone CR
// ends a line), in the system code page, or in Unicode with its byte order
// mark when every character has a byte in the code page.
struct WordFile {
    enum class Problem {
        None,
        NotText,         // a zero byte or another control character than tab, CR, LF
        OutsideCodePage, // Unicode characters the code page has no byte for
    };
    Problem problem = Problem::None;
    std::vector<std::string> words; // every line, empty ones included
    int tooLong = 0;                // lines left out: longer than kLongestWord
};
WordFile ReadWordFile(const std::string& bytes);

// What can be read of a criterion's stored "Value" of any type and length:
// the pieces between zero bytes less the empty ones at the end. `whole`
// when the value holds exactly what saving those words writes, within the
// registry layer's read buffer: the anti-spam page then shows the same list.
struct StoredWords {
    std::vector<std::string> words;
    bool whole = true;
};
StoredWords ReadStoredWords(const std::optional<platform::RegData>& value);

} // namespace velmora
