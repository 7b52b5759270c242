#pragma once
// The small windows of the application core, made when first used.

namespace velmora {

class Program;

// Registers the about, message and colour windows with the program.
void RegisterCoreWindows(Program& program);

} // namespace velmora
