#pragma once
// One control of a form as a real child window. The base class creates and
// tags the window, subclasses it to turn mouse, keyboard and focus messages
// into the form's events, and mirrors the properties every kind shares; one
// subclass per family of kinds does the rest.

#include "ui/model/Form.h"

#include <windows.h>

#include <memory>
#include <string>

namespace velmora::ui::win32 {

class FormWindow;

class ControlWindow {
public:
    ControlWindow(FormWindow& form, Control& control);
    virtual ~ControlWindow();

    ControlWindow(const ControlWindow&) = delete;
    ControlWindow& operator=(const ControlWindow&) = delete;

    // The control window of a window of ours, or null.
    static ControlWindow* fromWindow(HWND window);

    Control& control() const { return control_; }
    FormWindow& form() const { return form_; }
    HWND hwnd() const { return hwnd_; }

    // Makes the window as a child of `parent` with the control id `id`.
    virtual void create(HWND parent, int id);
    // Mirrors one property of the model onto the window; never raises events.
    virtual void mirror(Property property);
    // Replaces the style bits under `mask` of a window; answers whether they changed.
    static bool replaceStyle(HWND window, DWORD mask, DWORD bits);

    // What reaches the form from the window: WM_COMMAND codes, WM_NOTIFY,
    // WM_CTLCOLOR*, WM_DRAWITEM, WM_HSCROLL.
    virtual void command(int /*code*/) {}
    virtual LRESULT notify(NMHDR& /*header*/) { return 0; }
    virtual HBRUSH colours(HDC dc);
    virtual bool drawItem(const DRAWITEMSTRUCT& /*item*/) { return false; }
    virtual void scroll(int /*code*/) {}
    // Work left for after a notification has returned (see FormWindow::defer).
    virtual void deferred() {}
    // Timers have no window: the form's WM_TIMER comes here.
    virtual void timer() {}

    // The window that holds the controls placed in this one.
    virtual HWND childParent() const { return nullptr; }
    // A press from the keyboard (Enter, an access key): Click alone.
    virtual void press() {}
    // Tab strips: the user chose another page.
    virtual void selectPage(int /*page*/) {}
    // Whether the window should show: its own visibility and, inside a tab
    // strip, whether its page is the current one.
    bool shouldShow() const;
    void applyVisibility();
    bool alive() const;

protected:
    virtual const char* windowClass() const = 0;
    virtual DWORD style() const { return 0; }
    virtual DWORD exStyle() const { return 0; }
    virtual std::string windowText() const { return control_.caption(); }
    // Where the window goes, in pixels of its parent's client area.
    virtual RECT pixelRect() const;
    // Everything the kind shows beyond the common properties, after creation.
    virtual void fill() {}
    // The kind's own share of mirroring, with the window there and quiet;
    // true when the property needs nothing more.
    virtual bool mirrorOwn(Property /*property*/) { return false; }
    // Properties whose change shows by filling the window again.
    virtual bool refillsOn(Property /*property*/) const { return false; }
    // Whether the window's text is the control's caption (or text).
    virtual bool showsText() const { return true; }
    // Messages of the window before the common handling; true when handled.
    virtual bool message(UINT /*msg*/, WPARAM /*w*/, LPARAM /*l*/, LRESULT& /*result*/) {
        return false;
    }
    // Click and DblClick come from the mouse, not from a notification.
    virtual bool clicksFromMouse() const { return true; }
    virtual bool doubleClicksFromMouse() const { return clicksFromMouse(); }
    // Buttons take the second press of a double click as a press.
    virtual bool doubleClickIsPress() const { return false; }
    // Colours: the system colours of the kind, and whether WM_CTLCOLOR* is
    // answered even when the model keeps the defaults.
    virtual int systemFore() const { return COLOR_BTNTEXT; }
    virtual int systemBack() const { return COLOR_BTNFACE; }
    virtual bool alwaysColoured() const { return false; }
    // Kinds that show their container through them when the model keeps the
    // default back colour: a tab page or a frame need not paint button face.
    virtual bool showsContainer() const { return false; }
    COLORREF backColour() const;
    COLORREF foreColour(int systemColour) const;

    LRESULT callOriginal(UINT msg, WPARAM w, LPARAM l);
    static std::string textOf(HWND window);
    // Raises an event on the form; false when the window died meanwhile.
    bool raise(Event event);
    bool raise(Event event, EventArgs& args);
    // While mirroring, notifications the window sends are not the user's.
    bool quiet() const;
    void applyFont();
    // Destroys and makes the window again, for a style fixed at creation.
    void recreate();
    HBRUSH brush(Colour colour, int systemColour);
    // Paints into dc what the parent window shows behind this window.
    void paintParentBehind(HDC dc) const;
    int toPixelsX(int twips) const;
    int toPixelsY(int twips) const;
    int toTwipsX(int pixels) const;
    int toTwipsY(int pixels) const;

    FormWindow& form_;
    Control& control_;
    HWND hwnd_ = nullptr;

private:
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l);
    LRESULT handle(UINT msg, WPARAM w, LPARAM l);
    void mouse(Event event, int button, WPARAM w, LPARAM l);
    void detach();

    WNDPROC original_ = nullptr;
    bool recreating_ = false;
    bool leftDown_ = false;    // a left press began in this window
    bool afterDouble_ = false; // the release of a double click
    HBRUSH brush_ = nullptr;
    Colour brushColour_ = kDefaultColour;
};

// The window of one control, by its kind.
std::unique_ptr<ControlWindow> makeControlWindow(FormWindow& form, Control& control);

// Families, one file each.
std::unique_ptr<ControlWindow> makeButtonWindow(FormWindow& form, Control& control);
std::unique_ptr<ControlWindow> makeTextWindow(FormWindow& form, Control& control);
std::unique_ptr<ControlWindow> makeListWindow(FormWindow& form, Control& control);
std::unique_ptr<ControlWindow> makeContainerWindow(FormWindow& form, Control& control);
std::unique_ptr<ControlWindow> makePaintedWindow(FormWindow& form, Control& control);
std::unique_ptr<ControlWindow> makeGaugeWindow(FormWindow& form, Control& control);

} // namespace velmora::ui::win32
