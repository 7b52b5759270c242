#include "rules/AntiSpamPage.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"

namespace velmora {

void BuildAntiSpamPage(frmPrincipal& form, Program& program) {
    (void)form;
    (void)program;
}

} // namespace velmora
