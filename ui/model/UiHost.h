#pragma once
// What the behaviour code asks of the user interface beyond its own forms:
// message boxes, showing and unloading windows, the mouse pointer, DoEvents.
// The shipped program has a Win32 host; tests have a scripted one.

#include <cstdint>
#include <string>

namespace velmora::ui {

class Form;

// Message box styles used by the program and the answers they give.
enum MsgBoxStyle : int {
    MbOk = 0,
    MbOkCancel = 1,
    MbYesNo = 4,
    MbCritical = 16,
    MbExclamation = 48,
    MbDefaultButton2 = 256,
    MbYesNoExclamation = 52,         // 4 + 48
    MbOkCancelExclamation = 49,      // 1 + 48
    MbYesNoExclamationNoFirst = 308, // 4 + 48 + 256
};

enum MsgBoxResult : int {
    ResultOk = 1,
    ResultCancel = 2,
    ResultYes = 6,
    ResultNo = 7,
};

// Mouse pointers by their numbers.
enum MousePointer : int {
    PointerDefault = 0,
    PointerBusy = 11,
};

// What the user left in an input box.
struct InputAnswer {
    bool cancelled = true;
    std::string text; // in the system code page
    // False when the user typed characters the code page has no byte for:
    // the text then holds a stand-in for them and is not what was typed.
    bool representable = true;
};

class UiHost {
public:
    virtual ~UiHost() = default;

    virtual int msgBox(const std::string& text, int style, const std::string& title) = 0;

    // Creates the form's window without showing it.
    virtual void load(Form& form) = 0;
    // Shows a loaded form; a modal show returns when the form is hidden or unloaded.
    virtual void show(Form& form, bool modal) = 0;
    virtual void hide(Form& form) = 0;
    // Destroys the form's window. Unloading the last form ends the program.
    virtual void unload(Form& form) = 0;

    virtual void setMousePointer(int pointer) = 0;
    virtual int mousePointer() const = 0;

    // Lets waiting window messages be handled (repaints, clicks on a stop button).
    virtual void doEvents() = 0;

    // Asks for one line of text in a small modal box: the prompt, an edit
    // field, OK and Cancel.
    virtual InputAnswer inputBox(const std::string& prompt, const std::string& title) = 0;

    // Shows the drop-down of a top-level menu entry at the mouse position.
    virtual void popupMenu(Form& form, const std::string& menuName) = 0;

    // The system's handle of a loaded form's window, which owns the common
    // dialogs the form opens; 0 when there is none.
    virtual std::uintptr_t windowHandle(const Form& form) const {
        (void)form;
        return 0;
    }
};

// Shows the busy pointer for the life of a handler and restores the default.
class BusyPointer {
public:
    explicit BusyPointer(UiHost& host) : host_(host) { host_.setMousePointer(PointerBusy); }
    ~BusyPointer() { host_.setMousePointer(PointerDefault); }
    BusyPointer(const BusyPointer&) = delete;
    BusyPointer& operator=(const BusyPointer&) = delete;

private:
    UiHost& host_;
};

} // namespace velmora::ui
