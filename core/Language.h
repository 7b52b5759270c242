#pragma once
// Language files: the lookup of a text and the captions of the windows.

#include "platform/ProfileStrings.h"

#include <string>

namespace velmora {

class Program;

// The text of key in section of a language file; the empty text when the
// file, section or key is missing. At most 254 characters.
std::string GetLngText(platform::ProfileStrings& profile, const std::string& section,
                       const std::string& key, const std::string& file);

// Puts the current language file's texts into the captions.
void ApplyLngCaptions(Program& program);

// First start, no language recorded yet: the user chooses one.
// firstLanguageFile is the first language file of the folder.
void ChooseFirstLanguage(Program& program, const std::string& firstLanguageFile);

} // namespace velmora
