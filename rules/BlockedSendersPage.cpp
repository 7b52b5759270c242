#include "rules/BlockedSendersPage.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"

namespace velmora {

void BuildBlockedSendersPage(frmPrincipal& form, Program& program) {
    (void)form;
    (void)program;
}

} // namespace velmora
