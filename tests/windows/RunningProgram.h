#pragma once
// velmora.exe started the way a user starts it and driven as a user drives
// it: by control name, with mouse messages and keys, and by answering the
// message boxes and dialogs it opens.

#include <windows.h>

#include <functional>
#include <string>

namespace velmora::testing {

// 32-bit Wine can run emulated on some build machines: be patient.
constexpr DWORD kStartTimeoutMs = 300000;

// The folder of the velmora.exe under test: the build's distribution folder,
// or the Unix path VELMORA_PROGRAM_DIR names (the shipped 32-bit program).
std::string programFolder();
// Whether the velmora.exe of programFolder() is 32-bit code. A 32-bit program
// sees HKEY_LOCAL_MACHINE\Software through the registry's 32-bit view.
bool programIs32Bit();
// Starts exe with its path as command line, in folder, and logs its kind.
bool startProgram(const std::string& exe, const std::string& folder, PROCESS_INFORMATION& info);
// The first language file of the program's language folder ("English.lng").
std::string firstLanguageFile();
// The text of key in section of that language file, or of another one.
std::string languageText(const std::string& section, const std::string& key);
std::string languageText(const std::string& file, const std::string& section,
                         const std::string& key);

// Waits, handling this thread's messages, until done() or the time is up.
bool waitFor(const std::function<bool()>& done, DWORD timeoutMs = 20000);

class RunningProgram {
public:
    // Starts the program and waits for its main window to show; its current
    // folder is its own folder unless another is given.
    explicit RunningProgram(const std::string& currentFolder = {});
    // Starts exe from its own folder and waits for no window.
    static RunningProgram launch(const std::string& exe);
    // Closes the main window, or ends the process when it does not close.
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND main() const { return main_; }
    DWORD processId() const { return process_.dwProcessId; }
    bool running() const;
    // The named control of the main window; a failure when there is none.
    HWND operator[](const std::string& name) const;

    // A left click in the middle of the control, handled before this returns.
    void click(const std::string& name) const;
    // The same, posted: for a control whose handler opens a modal window.
    void postClick(const std::string& name) const;
    void postClick(HWND control) const;
    void doubleClick(const std::string& name) const;
    // Shows a page of a tab strip as the arrow keys do.
    void showPage(int page, const std::string& strip = "SSTab1") const;
    // A scroll bar moved one step to the right (+1) or to the left (-1).
    void scroll(const std::string& name, int direction) const;

    bool ticked(const std::string& name) const;
    bool shown(const std::string& name) const;
    std::string text(const std::string& name) const;

    // The first visible top-level window of the program that `wanted` takes;
    // null when none did in time or the program ended.
    HWND window(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const;
    // The visible dialog box (message box or common dialog) of the program.
    HWND dialog(DWORD timeoutMs = 20000) const;
    // A window of the program's own (frmAbout, frmCouleur...), once it shows.
    HWND form(const std::string& name) const;
    bool noDialog() const;

private:
    RunningProgram(const std::string& exe, const std::string& folder, DWORD timeoutMs);

    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

// A message box's text (its static text other than the icon).
std::string messageText(HWND box);
// Presses a button of a dialog box by its identifier (IDYES, IDNO, IDOK...).
void press(HWND dialog, int button);

} // namespace velmora::testing
