#pragma once
// The settings load: every page shows the stored values, each page's steps
// in their order. Start-up and every identity change run it.

namespace velmora {

class Program;

void LoadSettings(Program& program);

} // namespace velmora
