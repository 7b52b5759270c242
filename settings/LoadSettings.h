#pragma once
// Showing the stored values on every settings page.

namespace velmora {

class Program;

void LoadSettings(Program& program);

} // namespace velmora
