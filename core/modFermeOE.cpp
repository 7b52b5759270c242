#include "core/modFermeOE.h"

namespace velmora {

void CloseMailClient(Program& program) {
    // Finding and closing the client's windows needs the top-level window
    // service, which this build does not have yet: nothing is closed.
    (void)program;
}

} // namespace velmora
