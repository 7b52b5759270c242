#pragma once
// Every window of a form carries its name as the window property
// "VelmoraName", whose value is a global atom of the name, so that tools
// outside the program (tests, accessibility aids) can find any control.

#include <windows.h>

#include <string>

namespace velmora::ui::win32 {

inline constexpr const char* kNameProperty = "VelmoraName";

void tagWindow(HWND window, const std::string& name);
// Removes the property and gives the atom back; safe on an untagged window.
void untagWindow(HWND window);

} // namespace velmora::ui::win32
