#pragma once
// The user interface host of the shipped program: each form becomes a real
// top-level window (FormWindow), message boxes are the system's, and one
// message loop serves the whole program, with a nested loop per modal window.

#include "ui/model/Form.h"
#include "ui/model/UiHost.h"

#include <windows.h>

#include <exception>
#include <map>
#include <utility>
#include <vector>

namespace velmora::ui::win32 {

class FormWindow;

class Win32UiHost : public UiHost {
public:
    // `instance` is the program's module: window classes are registered for
    // it and icons come from it, or from `resources` when that is given.
    explicit Win32UiHost(HINSTANCE instance, HINSTANCE resources = nullptr);
    ~Win32UiHost() override;

    Win32UiHost(const Win32UiHost&) = delete;
    Win32UiHost& operator=(const Win32UiHost&) = delete;

    // Runs the message loop until the last form is unloaded and answers the
    // exit code. Returns at once when no form is loaded.
    int run();

    int msgBox(const std::string& text, int style, const std::string& title) override;
    void load(Form& form) override;
    void show(Form& form, bool modal) override;
    void hide(Form& form) override;
    void unload(Form& form) override;
    void setMousePointer(int pointer) override;
    int mousePointer() const override { return pointer_; }
    void doEvents() override;
    void popupMenu(Form& form, const std::string& menuName) override;
    InputAnswer inputBox(const std::string& prompt, const std::string& title) override;
    // The control ids of the input box's prompt and edit field.
    static constexpr int kInputPromptId = 100;
    static constexpr int kInputEditId = 101;
    std::uintptr_t windowHandle(const Form& form) const override {
        return reinterpret_cast<std::uintptr_t>(windowOf(form));
    }

    // The window of a loaded form, or null.
    HWND windowOf(const Form& form) const;

    // For the renderer.
    HINSTANCE instance() const { return instance_; }
    HINSTANCE resources() const { return resources_; }
    int dpiX() const { return dpiX_; }
    int dpiY() const { return dpiY_; }
    // The program's font: the dialog font at `points` (0 for 8), bold or not.
    HFONT font(bool bold, int points);
    bool busy() const { return pointer_ == PointerBusy; }
    // Handles one message as every loop of the program does: keyboard
    // navigation of the form it belongs to, then the window's procedure.
    void dispatch(MSG& message);
    // An exception from a handler cannot cross the system's code: it is kept
    // here and thrown again by the loop that dispatched the message.
    void keepException(std::exception_ptr error);
    // The loaded form window whose top-level window is `root`, or null.
    FormWindow* formWindowOf(HWND root) const;
    // A form object destroyed while loaded: its window goes as on unload.
    void forget(FormWindow& window);

private:
    struct ModalFrame {
        Form* form = nullptr;
        HWND window = nullptr;
        std::vector<HWND> disabled;
        HWND owner = nullptr; // takes the activation back when the frame ends
        bool ended = false;
    };

    FormWindow* find(const Form& form) const;
    void endModal(ModalFrame& frame);
    void endModalOf(const Form& form);
    HWND messageOwner() const;
    void releaseCapture();
    void rethrowKept();
    void wake();

    HINSTANCE instance_;
    HINSTANCE resources_;
    int dpiX_ = 96;
    int dpiY_ = 96;
    int pointer_ = PointerDefault;
    std::vector<FormWindow*> windows_; // loaded forms, in load order
    std::vector<ModalFrame*> modals_;  // innermost last
    std::map<std::pair<bool, int>, HFONT> fonts_;
    std::exception_ptr kept_;
    HMODULE richEdit_ = nullptr;
};

} // namespace velmora::ui::win32
