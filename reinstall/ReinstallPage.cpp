#include "reinstall/ReinstallPage.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"

namespace velmora {

void BuildReinstallPage(frmPrincipal& form, Program& program) {
    (void)form;
    (void)program;
}

} // namespace velmora
