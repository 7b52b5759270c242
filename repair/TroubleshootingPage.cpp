#include "repair/TroubleshootingPage.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"

namespace velmora {

void BuildTroubleshootingPage(frmPrincipal& form, Program& program) {
    (void)form;
    (void)program;
}

} // namespace velmora
