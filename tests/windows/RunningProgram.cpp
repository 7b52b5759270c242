#include "windows/RunningProgram.h"

#include "windows/WindowFinder.h"

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace velmora::testing {

namespace {

constexpr DWORD kEndTimeoutMs = 60000;

LPARAM middleOf(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    return MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
}

} // namespace

std::string programFolder() {
    const char* chosen = std::getenv("VELMORA_PROGRAM_DIR");
    std::string path = std::string("Z:") + (chosen && *chosen ? chosen : VELMORA_DIST_DIR);
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

bool programIs32Bit() {
    static const bool is32 = [] {
        DWORD kind = 0;
        return GetBinaryTypeA((programFolder() + "\\velmora.exe").c_str(), &kind) &&
               kind == SCS_32BIT_BINARY;
    }();
    return is32;
}

bool startProgram(const std::string& exe, const std::string& folder, PROCESS_INFORMATION& info) {
    DWORD kind = 0;
    GetBinaryTypeA(exe.c_str(), &kind);
    std::printf("starting %s (%s)\n", exe.c_str(), kind == SCS_32BIT_BINARY ? "32-bit" : "64-bit");
    std::fflush(stdout);
    std::string command = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    return CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          folder.c_str(), &startup, &info) != FALSE;
}

std::string firstLanguageFile() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((programFolder() + "\\language\\*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    FindClose(search);
    return found.cFileName;
}

std::string languageText(const std::string& section, const std::string& key) {
    return languageText(firstLanguageFile(), section, key);
}

std::string languageText(const std::string& file, const std::string& section,
                         const std::string& key) {
    char buffer[255];
    const std::string path = programFolder() + "\\language\\" + file;
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  sizeof buffer, path.c_str());
    return std::string(buffer, length);
}

bool waitFor(const std::function<bool()>& done, DWORD timeoutMs) {
    return pumpUntil(done, timeoutMs);
}

RunningProgram::RunningProgram(const std::string& currentFolder)
    : RunningProgram(programFolder() + "\\velmora.exe",
                     currentFolder.empty() ? programFolder() : currentFolder, kStartTimeoutMs) {}

RunningProgram RunningProgram::launch(const std::string& exe) {
    return RunningProgram(exe, exe.substr(0, exe.rfind('\\')), 0);
}

RunningProgram::RunningProgram(const std::string& exe, const std::string& folder, DWORD timeoutMs) {
    if (!startProgram(exe, folder, process_) || timeoutMs == 0)
        return;
    const DWORD start = GetTickCount();
    while (!main_ && GetTickCount() - start < timeoutMs &&
           WaitForSingleObject(process_.hProcess, 100) == WAIT_TIMEOUT) {
        HWND form = findForm("frmPrincipal", process_.dwProcessId);
        main_ = form && IsWindowVisible(form) ? form : nullptr;
    }
}

RunningProgram::~RunningProgram() {
    if (!process_.hProcess)
        return;
    if (HWND main = findForm("frmPrincipal", process_.dwProcessId))
        PostMessageA(main, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process_.hProcess, kEndTimeoutMs) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kEndTimeoutMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningProgram::running() const {
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

HWND RunningProgram::operator[](const std::string& name) const {
    HWND control = main_ ? findControl(main_, name) : nullptr;
    EXPECT_NE(control, nullptr) << "no control " << name;
    return control;
}

void RunningProgram::click(const std::string& name) const {
    HWND control = (*this)[name];
    const LPARAM at = middleOf(control);
    SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(control, WM_LBUTTONUP, 0, at);
}

void RunningProgram::postClick(const std::string& name) const {
    postClick((*this)[name]);
}

void RunningProgram::postClick(HWND control) const {
    const LPARAM at = middleOf(control);
    PostMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageA(control, WM_LBUTTONUP, 0, at);
}

void RunningProgram::doubleClick(const std::string& name) const {
    click(name);
    HWND control = (*this)[name];
    SendMessageA(control, WM_LBUTTONDBLCLK, MK_LBUTTON, middleOf(control));
    SendMessageA(control, WM_LBUTTONUP, 0, middleOf(control));
}

void RunningProgram::showPage(int page, const std::string& strip) const {
    // A notification cannot be sent from another process, a key can.
    HWND tabs = (*this)[strip];
    const bool last = page + 1 == static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
    SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(last ? page - 1 : page + 1), 0);
    const WPARAM key = last ? VK_RIGHT : VK_LEFT;
    SendMessageA(tabs, WM_KEYDOWN, key, 1);
    SendMessageA(tabs, WM_KEYUP, key, 0xC0000001);
}

void RunningProgram::scroll(const std::string& name, int direction) const {
    HWND bar = (*this)[name];
    SendMessageA(GetParent(bar), WM_HSCROLL, direction > 0 ? SB_LINERIGHT : SB_LINELEFT,
                 reinterpret_cast<LPARAM>(bar));
}

bool RunningProgram::ticked(const std::string& name) const {
    return SendMessageA((*this)[name], BM_GETCHECK, 0, 0) == BST_CHECKED;
}

bool RunningProgram::shown(const std::string& name) const {
    return IsWindowVisible((*this)[name]) != FALSE;
}

std::string RunningProgram::text(const std::string& name) const {
    return textOf((*this)[name]);
}

HWND RunningProgram::window(const std::function<bool(HWND)>& wanted, DWORD timeoutMs) const {
    HWND found = nullptr;
    waitFor(
        [&] {
            found = findTopLevel(process_.dwProcessId, [&](HWND window) {
                return IsWindowVisible(window) && wanted(window);
            });
            return found || !running();
        },
        timeoutMs);
    return found;
}

HWND RunningProgram::dialog(DWORD timeoutMs) const {
    return window([](HWND window) { return classOf(window) == "#32770"; }, timeoutMs);
}

HWND RunningProgram::form(const std::string& name) const {
    return window([&](HWND window) { return velmoraName(window) == name; }, 20000);
}

bool RunningProgram::noDialog() const {
    return dialog(0) == nullptr;
}

std::string messageText(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (lstrcmpiA(classOf(child).c_str(), "Static") == 0 && (style & SS_TYPEMASK) != SS_ICON &&
            !textOf(child).empty())
            return textOf(child);
    }
    return {};
}

void press(HWND dialog, int button) {
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(dialog, button)));
}

} // namespace velmora::testing
