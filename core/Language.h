#pragma once
// Language files: the lookup of a text, the captions of the windows, and the
// language list of the about window through which the user chooses a file.

#include "platform/ProfileStrings.h"

#include <string>
#include <vector>

namespace velmora {

class Program;

namespace ui {
class Form;
}

// The text of key in section of a language file; `missing` when the file,
// section or key is missing. At most 254 characters.
std::string GetLngText(platform::ProfileStrings& profile, const std::string& section,
                       const std::string& key, const std::string& file,
                       const std::string& missing = "");

// Puts the current language file's texts into the captions of the main
// window and the about window, loading the latter (hidden) when it is not:
// its load selects the recorded language, which applies it first.
void ApplyLngCaptions(Program& program);

// First start, no language recorded yet: the about window is shown
// modally, and its language list makes the choice.
void ChooseFirstLanguage(Program& program);

// The ordinary files of the language folder (no folders, hidden or system
// files), in the order the file system gives them.
std::vector<std::string> LanguageFolderFiles(Program& program);

// Load of the about window: fills its list `cboLanguage` and selects the
// recorded position "LanguageNum" (1 when none is recorded; the first file
// when the position is not in the list), which chooses that language.
void FillLanguageList(Program& program, ui::Form& about);

// Click on `cboLanguage`: the selected file becomes the language, is
// recorded, and every caption changes at once.
void ChooseLanguage(Program& program, ui::Form& about);

// The three fatal stops of start-up, in both languages.
struct FatalMessage {
    std::string title;
    std::string text;
};
FatalMessage MissingLanguageFolder(const std::string& lineBreak);
FatalMessage NoLanguageFile(const std::string& lineBreak);
FatalMessage MissingLanguageFile(const std::string& language, const std::string& lineBreak);

// "Francais.LNG" -> "francais": how the choice is recorded as "Language".
std::string RecordedLanguageName(const std::string& fileName);

} // namespace velmora
