#include "core/CRestorePoint.h"

namespace velmora {

void CreateRestorePoint(Program& program) {
    // The restore service is not wired in this build yet.
    (void)program;
}

} // namespace velmora
