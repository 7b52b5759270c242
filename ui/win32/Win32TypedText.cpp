#include "ui/win32/Win32TypedText.h"

#include <vector>

namespace velmora::ui::win32 {

TypedText narrowed(const wchar_t* text) {
    TypedText typed;
    const int size =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return typed;
    typed.text.assign(static_cast<std::size_t>(size), '\0');
    BOOL usedDefault = FALSE;
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text, -1, typed.text.data(), size, nullptr,
                        &usedDefault);
    typed.text.resize(static_cast<std::size_t>(size - 1));
    typed.representable = !usedDefault;
    return typed;
}

TypedText typedTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::vector<wchar_t> text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(window, text.data(), length + 1);
    return narrowed(text.data());
}

} // namespace velmora::ui::win32
