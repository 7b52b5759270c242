#pragma once
// Rebuilding the mail client from the browser's setup kit: both cabinets
// extracted into the work folder, every client file copied where Windows
// expects it, the two setup files installed, the client's application path
// and registration repaired. And cmd611, which finds the kit by hand.

#include <string>

namespace velmora {

class Program;

// kitFolder ends with a backslash and holds mailnews.cab and wab.cab.
void SetupOE(Program& program, const std::string& kitFolder);

// cmd611: the user picks the kit's ie6setup.exe until a kit is chosen or the
// dialog is cancelled.
void ManualSearch(Program& program);

} // namespace velmora
