#include "settings/SettingsPages.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"

namespace velmora {

void BuildSettingsPages(frmPrincipal& form, Program& program) {
    (void)form;
    (void)program;
}

} // namespace velmora
