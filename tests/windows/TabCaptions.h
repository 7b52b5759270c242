#pragma once
// The captions and places of the tabs of a tab control of another process, read as a tool outside
// the program reads them. Works from a 64-bit test on a 32-bit program too.

#include <windows.h>

#include <string>
#include <vector>

namespace velmora::testing {

// Every tab's caption, in order; empty when the process cannot be opened.
std::vector<std::string> tabCaptions(HWND tab);

// Whether every tab of the strip is in view at once, without scroll arrows.
bool allTabsInView(HWND tab);

} // namespace velmora::testing
