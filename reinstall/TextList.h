#pragma once
// Lists held in one text, as the reinstallation literals are.

#include <string>
#include <vector>

namespace velmora {

// The pieces of text between separators, empty ones included; an empty
// text gives one empty piece.
std::vector<std::string> SplitText(const std::string& text, char separator);

// Whether text holds part anywhere, letters compared without regard to case.
bool ContainsNoCase(const std::string& text, const std::string& part);

} // namespace velmora
