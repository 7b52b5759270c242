#include "core/SecondaryWindows.h"

#include "core/Program.h"
#include "core/frmAbout.h"
#include "core/frmCouleur.h"
#include "core/frmMessage.h"

namespace velmora {

void RegisterCoreWindows(Program& program) {
    program.registerForm(kAboutWindow, [](Program& p) { return std::make_unique<frmAbout>(p); });
    program.registerForm(kMessageWindow,
                         [](Program& p) { return std::make_unique<frmMessage>(p.services.ui); });
    program.registerForm(kColourWindow, [](Program& p) { return std::make_unique<frmCouleur>(p); });
}

} // namespace velmora
