#include "ui/win32/Win32Names.h"

namespace velmora::ui::win32 {

void tagWindow(HWND window, const std::string& name) {
    untagWindow(window);
    const ATOM atom = GlobalAddAtomA(name.c_str());
    if (atom)
        SetPropA(window, kNameProperty, reinterpret_cast<HANDLE>(static_cast<ULONG_PTR>(atom)));
}

void untagWindow(HWND window) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(RemovePropA(window, kNameProperty)));
    if (atom)
        GlobalDeleteAtom(atom);
}

} // namespace velmora::ui::win32
