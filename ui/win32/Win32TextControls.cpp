// Labels (STATIC), text boxes (EDIT) and rich-text boxes (RichEdit 2.0).

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32UiHost.h"

#include <richedit.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace velmora::ui::win32 {

namespace {

class LabelWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool mirrorOwn(Property property) override {
        if (property != Property::Alignment)
            return false;
        replaceStyle(hwnd_, SS_TYPEMASK, alignmentStyle());
        return true;
    }

protected:
    const char* windowClass() const override { return "STATIC"; }
    DWORD style() const override { return SS_NOTIFY | alignmentStyle(); }
    bool alwaysColoured() const override { return true; }
    bool showsContainer() const override { return true; }

private:
    DWORD alignmentStyle() const {
        switch (control_.alignment()) {
        case Alignment::Right:
            return SS_RIGHT;
        case Alignment::Center:
            return SS_CENTER;
        default:
            return SS_LEFT;
        }
    }
};

class TextBoxWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    void command(int code) override {
        if (code != EN_CHANGE || quiet())
            return;
        control_.userSetText(textOf(hwnd_));
        raise(Event::Change);
    }

    bool mirrorOwn(Property property) override {
        switch (property) {
        case Property::Caption:
            return true;
        case Property::Text:
            if (GetFocus() != hwnd_)
                return false;
            replaceKeepingCaret();
            return true;
        case Property::Enabled:
            EnableWindow(hwnd_, control_.enabled());
            SendMessageA(hwnd_, EM_SETREADONLY, control_.readOnly(), 0);
            return true;
        case Property::Style:
        case Property::Alignment: {
            // Lines and alignment are fixed when an edit window is made.
            const DWORD fixed = ES_MULTILINE | ES_CENTER | ES_RIGHT;
            if ((static_cast<DWORD>(GetWindowLongPtrA(hwnd_, GWL_STYLE)) & fixed) !=
                (style() & fixed))
                recreate();
            return true;
        }
        default:
            return false;
        }
    }

private:
    // A text the program corrects while the user types in the box ("007"
    // shown as "7") keeps the caret where it was from the end, not at the
    // start where a new window text puts it.
    void replaceKeepingCaret() {
        DWORD start = 0, end = 0;
        SendMessageA(hwnd_, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                     reinterpret_cast<LPARAM>(&end));
        const int fromEnd = std::max(0, GetWindowTextLengthA(hwnd_) - static_cast<int>(end));
        SetWindowTextA(hwnd_, windowText().c_str());
        const int caret = std::max(0, GetWindowTextLengthA(hwnd_) - fromEnd);
        SendMessageA(hwnd_, EM_SETSEL, static_cast<WPARAM>(caret), caret);
    }

protected:
    const char* windowClass() const override { return "EDIT"; }
    DWORD style() const override {
        DWORD s = WS_TABSTOP;
        if (control_.multiLine())
            s |= ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN | WS_VSCROLL;
        else
            s |= ES_AUTOHSCROLL;
        if (control_.readOnly())
            s |= ES_READONLY;
        if (control_.alignment() == Alignment::Right)
            s |= ES_RIGHT;
        else if (control_.alignment() == Alignment::Center)
            s |= ES_CENTER;
        return s;
    }
    DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
    std::string windowText() const override { return control_.text(); }
    void fill() override { SendMessageA(hwnd_, EM_LIMITTEXT, 0, 0); }
    int systemFore() const override { return COLOR_WINDOWTEXT; }
    int systemBack() const override { return COLOR_WINDOW; }
    // A read-only box keeps the look of a text box, not of a label.
    bool alwaysColoured() const override { return true; }
};

class RichTextWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool mirrorOwn(Property property) override {
        if (property == Property::Font)
            applyFont();
        if (property == Property::Colours)
            SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, backColour());
        return property == Property::Colours;
    }

protected:
    const char* windowClass() const override { return "RichEdit20A"; }
    DWORD style() const override {
        return WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_READONLY;
    }
    DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
    bool showsText() const override { return false; }
    bool refillsOn(Property property) const override {
        return property == Property::Text || property == Property::Runs ||
               property == Property::Font;
    }
    int systemBack() const override { return COLOR_WINDOW; }
    void fill() override {
        SendMessageA(hwnd_, EM_SETEVENTMASK, 0, 0);
        SendMessageA(hwnd_, EM_SETBKGNDCOLOR, 0, backColour());
        showRuns();
    }

private:
    // Each run goes at the end with its own colour and weight.
    void showRuns() {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        SetWindowTextA(hwnd_, "");
        for (const RichRun& run : control_.runs()) {
            CHARRANGE end{LONG_MAX, LONG_MAX};
            SendMessageA(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&end));
            CHARFORMATA format{};
            format.cbSize = sizeof(format);
            format.dwMask = CFM_COLOR | CFM_BOLD;
            format.dwEffects = run.bold ? CFE_BOLD : 0;
            format.crTextColor = run.colour;
            SendMessageA(hwnd_, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
            SendMessageA(hwnd_, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(run.text.c_str()));
        }
        CHARRANGE start{0, 0};
        SendMessageA(hwnd_, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&start));
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }
};

} // namespace

std::unique_ptr<ControlWindow> makeTextWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::TextBox:
        return std::make_unique<TextBoxWindow>(form, control);
    case ControlKind::RichText:
        return std::make_unique<RichTextWindow>(form, control);
    default:
        return std::make_unique<LabelWindow>(form, control);
    }
}

} // namespace velmora::ui::win32
