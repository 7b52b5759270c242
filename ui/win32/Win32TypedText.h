#pragma once
// What the user typed into an edit window, in the system code page. Edit
// controls hold Unicode text even in an ANSI program: read as ANSI, a
// character the code page lacks would come back as '?' or a look-alike
// without a word said. Read wide and converted without look-alikes, the
// caller learns whether the text is what was typed.

#include <windows.h>

#include <string>

namespace velmora::ui::win32 {

struct TypedText {
    std::string text;
    bool representable = true; // every character has its own byte
};

TypedText narrowed(const wchar_t* text);
TypedText typedTextOf(HWND window);

} // namespace velmora::ui::win32
