#include "settings/LoadSettings.h"

#include "core/Program.h"

namespace velmora {

void LoadSettings(Program& program) {
    // The pages have no settings controls yet: nothing to load.
    (void)program;
}

} // namespace velmora
