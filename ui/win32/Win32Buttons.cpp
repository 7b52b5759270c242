// Command buttons, check boxes and option buttons: BUTTON windows whose
// clicks the renderer decides itself (no automatic styles), so that the model
// holds the state first and raises the events in the order handlers expect.

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32UiHost.h"

namespace velmora::ui::win32 {

namespace {

class ButtonBase : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

protected:
    const char* windowClass() const override { return "BUTTON"; }
    bool clicksFromMouse() const override { return false; }
    bool doubleClickIsPress() const override { return true; }
};

class CommandButtonWindow : public ButtonBase {
public:
    using ButtonBase::ButtonBase;

    void command(int code) override {
        if (code == BN_CLICKED && !quiet())
            raise(Event::Click);
    }
    void press() override { raise(Event::Click); }

    bool mirrorOwn(Property property) override {
        if (property == Property::Style || property == Property::Colours)
            replaceStyle(hwnd_, BS_TYPEMASK, type());
        return false;
    }

    // A coloured button draws itself: a push button ignores colours.
    bool drawItem(const DRAWITEMSTRUCT& item) override {
        RECT r = item.rcItem;
        const bool pushed = (item.itemState & ODS_SELECTED) != 0;
        FillRect(item.hDC, &r, brush(control_.backColor(), COLOR_BTNFACE));
        DrawEdge(item.hDC, &r, pushed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
        HGDIOBJ oldFont =
            SelectObject(item.hDC, form_.host().font(control_.bold(), control_.fontSize()));
        SetBkMode(item.hDC, TRANSPARENT);
        SetTextColor(item.hDC, (item.itemState & ODS_DISABLED) ? GetSysColor(COLOR_GRAYTEXT)
                                                               : foreColour(COLOR_BTNTEXT));
        RECT text = r;
        if (pushed)
            OffsetRect(&text, 1, 1);
        DrawTextA(item.hDC, control_.caption().c_str(), -1, &text,
                  DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        SelectObject(item.hDC, oldFont);
        if (item.itemState & ODS_FOCUS) {
            InflateRect(&r, -4, -4);
            DrawFocusRect(item.hDC, &r);
        }
        return true;
    }

protected:
    DWORD type() const {
        if (control_.backColor() != kDefaultColour)
            return BS_OWNERDRAW;
        return control_.isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    }
    DWORD style() const override { return WS_TABSTOP | BS_MULTILINE | type(); }
};

class CheckBoxWindow : public ButtonBase {
public:
    using ButtonBase::ButtonBase;

    // A click toggles between clear and ticked; grey is set by code only.
    void command(int code) override {
        if (code != BN_CLICKED || quiet())
            return;
        toggle();
        raise(Event::Click);
    }
    void press() override {
        toggle();
        raise(Event::Click);
    }
    bool mirrorOwn(Property property) override {
        if (property != Property::Value)
            return false;
        SendMessageA(hwnd_, BM_SETCHECK, checkState(), 0);
        return true;
    }

protected:
    bool showsContainer() const override { return true; }
    DWORD style() const override {
        return WS_TABSTOP | BS_3STATE | BS_MULTILINE |
               (control_.alignment() == Alignment::Right ? BS_LEFTTEXT : 0);
    }
    void fill() override { SendMessageA(hwnd_, BM_SETCHECK, checkState(), 0); }

private:
    WPARAM checkState() const {
        return control_.value() == 1   ? BST_CHECKED
               : control_.value() == 2 ? BST_INDETERMINATE
                                       : BST_UNCHECKED;
    }
    void toggle() {
        control_.userSetValue(control_.value() == 1 ? 0 : 1);
        SendMessageA(hwnd_, BM_SETCHECK, checkState(), 0);
    }
};

class OptionButtonWindow : public ButtonBase {
public:
    using ButtonBase::ButtonBase;

    void command(int code) override {
        if (code == BN_CLICKED && !quiet())
            press();
    }
    // Ticks this option and clears the others of its group; Click only when
    // the option was not ticked already.
    void press() override {
        if (control_.value() == 1)
            return;
        control_.userSetValue(1);
        SendMessageA(hwnd_, BM_SETCHECK, BST_CHECKED, 0);
        form_.optionGroupChanged(control_);
        raise(Event::Click);
    }
    bool mirrorOwn(Property property) override {
        if (property != Property::Value)
            return false;
        fill();
        form_.optionGroupChanged(control_);
        return true;
    }

protected:
    bool showsContainer() const override { return true; }
    DWORD style() const override {
        return BS_RADIOBUTTON | BS_MULTILINE |
               (control_.alignment() == Alignment::Right ? BS_LEFTTEXT : 0);
    }
    void fill() override {
        SendMessageA(hwnd_, BM_SETCHECK, control_.value() ? BST_CHECKED : BST_UNCHECKED, 0);
    }
};

} // namespace

std::unique_ptr<ControlWindow> makeButtonWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::CheckBox:
        return std::make_unique<CheckBoxWindow>(form, control);
    case ControlKind::OptionButton:
        return std::make_unique<OptionButtonWindow>(form, control);
    default:
        return std::make_unique<CommandButtonWindow>(form, control);
    }
}

} // namespace velmora::ui::win32
