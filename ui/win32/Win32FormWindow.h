#pragma once
// A form as a real top-level window: creates every control's window from the
// form's layout table, mirrors the model's changes onto them, routes the
// notifications of its controls back to them, and carries the form's menus,
// timers, tool tips and keyboard handling. No behaviour of its own.

#include "ui/model/Form.h"
#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32Menus.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace velmora::ui::win32 {

class Win32UiHost;

inline constexpr const char* kFormClass = "VelmoraForm";
inline constexpr const char* kFrameClass = "VelmoraFrame";
inline constexpr const char* kLineClass = "VelmoraLine";
inline constexpr const char* kShapeClass = "VelmoraShape";
inline constexpr const char* kPictureClass = "VelmoraPicture";

// Registers the form class and the classes of the painted controls.
void registerWindowClasses(HINSTANCE instance);

class FormWindow : public FormView {
public:
    FormWindow(Win32UiHost& host, Form& form);
    ~FormWindow() override;

    FormWindow(const FormWindow&) = delete;
    FormWindow& operator=(const FormWindow&) = delete;

    // Makes the window, hidden, with all its controls; attaches the view.
    void create();
    // Destroys the window and detaches the view.
    void destroy();

    Win32UiHost& host() const { return host_; }
    Form& form() const { return form_; }
    HWND hwnd() const { return hwnd_; }

    void controlChanged(Control& control, Property property) override;
    void formChanged(FormProperty property) override;
    void formDestroyed() override;

    // The host holds one reference; every procedure of the form's windows on
    // the stack holds another, so that a handler may unload its own form.
    void hold() { ++refs_; }
    void release();
    class Hold {
    public:
        explicit Hold(FormWindow& window) : window_(window) { window_.hold(); }
        ~Hold() { window_.release(); }
        Hold(const Hold&) = delete;
        Hold& operator=(const Hold&) = delete;

    private:
        FormWindow& window_;
    };
    bool dead() const { return dead_; }

    // No event is raised while the windows are being made or destroyed, and
    // notifications are not the user's while the model is being mirrored.
    bool silent() const { return making_ || dead_; }
    bool quiet() const { return quiet_ > 0; }
    class Quiet {
    public:
        explicit Quiet(FormWindow& window) : window_(window) { ++window_.quiet_; }
        ~Quiet() { --window_.quiet_; }
        Quiet(const Quiet&) = delete;
        Quiet& operator=(const Quiet&) = delete;

    private:
        FormWindow& window_;
    };

    ControlWindow* byWindow(HWND window) const;
    ControlWindow* byName(const std::string& name) const;
    // Handles the messages a parent receives from its children: for the form
    // itself and for the containers. False when the message is not one.
    bool route(UINT msg, WPARAM w, LPARAM l, LRESULT& result);

    // Shared behaviour of the controls.
    void pageChanged(const Control& tabStrip);
    void optionGroupChanged(const Control& option);
    void setToolTip(ControlWindow& control);
    void dropToolTip(HWND window);
    void focus(ControlWindow& control);
    // Runs control.deferred() once the current message has been handled.
    void defer(ControlWindow& control);
    void startTimer(ControlWindow& timer, UINT interval);
    void stopTimer(ControlWindow& timer);
    // Keyboard handling before the dialog navigation; true when handled.
    bool preTranslate(MSG& message);
    void popupMenu(const std::string& name);
    // Brings the first control that takes the focus into focus.
    void focusFirst();

    // The procedure of the form window class.
    static LRESULT CALLBACK procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l);

private:
    LRESULT handle(UINT msg, WPARAM w, LPARAM l);
    void makeControl(Control& control);
    void applyIcon();
    void noteScaleSize();
    void raiseMenu(const MenuEntry& entry);
    std::vector<ControlWindow*> optionGroup(const Control& option) const;
    ControlWindow* focusedControl() const;
    ControlWindow* tabStripAround(HWND window) const;
    bool mnemonic(char key);
    void pressButton(bool cancel);
    int timerIndex(const ControlWindow& timer) const;

    Win32UiHost& host_;
    Form& form_;
    HWND hwnd_ = nullptr;
    std::vector<std::unique_ptr<ControlWindow>> controls_;
    FormMenus menus_;
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    int refs_ = 1;
    int quiet_ = 0;
    bool making_ = false;
    bool dead_ = false;
    bool formGone_ = false;
};

} // namespace velmora::ui::win32
