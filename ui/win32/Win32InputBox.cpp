// The input box: a small modal dialog made from a template in memory, with
// the prompt, an edit field, OK and Cancel.

#include "ui/win32/Win32TypedText.h"
#include "ui/win32/Win32UiHost.h"

#include <vector>

namespace velmora::ui::win32 {

namespace {

// The dialog template, in the WORDs the system reads it as.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short width, short height, WORD items) {
        dword(style);
        dword(0);
        words_.push_back(items);
        for (short n : {short{0}, short{0}, width, height})
            words_.push_back(static_cast<WORD>(n));
        words_.push_back(0); // no menu
        words_.push_back(0); // the standard dialog class
        words_.push_back(0); // no title: set when the dialog starts
        words_.push_back(8);
        for (const wchar_t* c = L"MS Shell Dlg"; *c; ++c)
            words_.push_back(static_cast<WORD>(*c));
        words_.push_back(0);
    }
    void item(DWORD style, short x, short y, short width, short height, WORD id, WORD atom) {
        if (words_.size() % 2)
            words_.push_back(0); // items start on a DWORD
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        for (short n : {x, y, width, height})
            words_.push_back(static_cast<WORD>(n));
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(atom);
        words_.push_back(0); // no text
        words_.push_back(0); // no creation data
    }
    const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

private:
    void dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    std::vector<WORD> words_;
};

constexpr WORD kButton = 0x0080;
constexpr WORD kEdit = 0x0081;
constexpr WORD kStatic = 0x0082;

struct InputBoxState {
    const std::string* prompt;
    const std::string* title;
    InputAnswer answer;
};

INT_PTR CALLBACK inputBoxProcedure(HWND dialog, UINT msg, WPARAM w, LPARAM l) {
    switch (msg) {
    case WM_INITDIALOG: {
        auto* state = reinterpret_cast<InputBoxState*>(l);
        SetWindowLongPtrA(dialog, DWLP_USER, l);
        SetWindowTextA(dialog, state->title->c_str());
        SetDlgItemTextA(dialog, Win32UiHost::kInputPromptId, state->prompt->c_str());
        return TRUE;
    }
    case WM_COMMAND: {
        auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrA(dialog, DWLP_USER));
        if (LOWORD(w) == IDOK) {
            const TypedText typed = typedTextOf(GetDlgItem(dialog, Win32UiHost::kInputEditId));
            state->answer = {false, typed.text, typed.representable};
            EndDialog(dialog, IDOK);
            return TRUE;
        }
        if (LOWORD(w) == IDCANCEL) {
            EndDialog(dialog, IDCANCEL);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

} // namespace

InputAnswer Win32UiHost::inputBox(const std::string& prompt, const std::string& title) {
    releaseCapture();
    DialogTemplate dialog(
        DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 250, 76, 4);
    dialog.item(SS_LEFT, 7, 7, 180, 40, kInputPromptId, kStatic);
    dialog.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 54, 236, 14, kInputEditId, kEdit);
    dialog.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 193, 7, 50, 14, IDOK, kButton);
    dialog.item(BS_PUSHBUTTON | WS_TABSTOP, 193, 25, 50, 14, IDCANCEL, kButton);
    InputBoxState state{&prompt, &title, {}};
    DialogBoxIndirectParamA(instance_, dialog.get(), messageOwner(), inputBoxProcedure,
                            reinterpret_cast<LPARAM>(&state));
    rethrowKept();
    return state.answer;
}

} // namespace velmora::ui::win32
