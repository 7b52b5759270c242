#pragma once
// The process runner of the reinstallation page and the two repairs that
// hand the work to the browser's own tools.

#include "platform/Shell.h"

#include <string>

namespace velmora {

class Program;

// Runs a command line and returns when its process has ended; a command
// that cannot start returns at once. Nothing is reported.
void RunAndWait(platform::Shell& shell, const std::string& commandLine);

// cmd601: the browser's setup repairs itself.
void RepairBrowser(Program& program);
// cmd602: the browser's maintenance mode, when its library is there.
void MaintainBrowser(Program& program);

} // namespace velmora
