#pragma once
// System restore points.

namespace velmora {

class Program;

void CreateRestorePoint(Program& program);

} // namespace velmora
