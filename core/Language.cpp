#include "core/Language.h"

#include "core/Program.h"

namespace velmora {

std::string GetLngText(platform::ProfileStrings& profile, const std::string& section,
                       const std::string& key, const std::string& file) {
    return profile.getString(section, key, "", file, 255);
}

void ApplyLngCaptions(Program& program) {
    // The pages' captions come with the language tables of their windows;
    // until then the main window keeps its designed captions.
    (void)program;
}

void ChooseFirstLanguage(Program& program, const std::string& firstLanguageFile) {
    // Until the about window offers the choice, the first language file of
    // the folder is taken.
    program.LanguageFile = firstLanguageFile;
    ApplyLngCaptions(program);
}

} // namespace velmora
