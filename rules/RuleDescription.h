#pragma once
// The anti-spam rule drawn as coloured text on its page: the words of each
// criterion in its box rtb400 and the actions as one sentence in rtb403.
// Drawing only reads the registry.

#include "ui/model/Control.h"

#include <string>
#include <vector>

namespace velmora {

class Program;

// Colours of the classic sixteen-colour palette the descriptions use.
namespace palette {
inline constexpr ui::Colour Black = 0x000000;
inline constexpr ui::Colour DarkBlue = 0x800000;
inline constexpr ui::Colour DarkRed = 0x000080;
inline constexpr ui::Colour Grey = 0x808080;
} // namespace palette

// Drawn where a stored word list or action cannot be shown as it is.
inline const std::string kUnreadableMark = "[?]";

// A criterion's stored "Value" read as a word list: the words ended by a
// zero byte up to the empty one that ends the list. Well formed when only
// zero bytes, at least two, follow the last word's.
struct StoredWordList {
    std::vector<std::string> words;
    bool wellFormed = false;
};
StoredWordList ReadStoredWordList(const std::string& bytes);

// The words of the criterion at position 0 (subject), 1 (body) or 2
// (sender) drawn into rtb400 of that position; answers how many.
int subRemplisRtf(Program& program, int position);

// The actions of the rule, in the registry's order of their keys, drawn
// into rtb403.
void subRemplisAction(Program& program);

} // namespace velmora
