#include "ui/win32/Win32UiHost.h"

#include "ui/win32/Win32FormWindow.h"

#include <commctrl.h>

#include <algorithm>
#include <cstring>

namespace velmora::ui::win32 {

Win32UiHost::Win32UiHost(HINSTANCE instance, HINSTANCE resources)
    : instance_(instance), resources_(resources ? resources : instance) {
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                     ICC_TREEVIEW_CLASSES | ICC_PROGRESS_CLASS | ICC_ANIMATE_CLASS |
                     ICC_BAR_CLASSES;
    InitCommonControlsEx(&controls);
    richEdit_ = LoadLibraryA("riched20.dll");
    registerWindowClasses(instance_);
    HDC screen = GetDC(nullptr);
    if (screen) {
        dpiX_ = GetDeviceCaps(screen, LOGPIXELSX);
        dpiY_ = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    if (dpiX_ <= 0)
        dpiX_ = 96;
    if (dpiY_ <= 0)
        dpiY_ = 96;
}

Win32UiHost::~Win32UiHost() {
    while (!windows_.empty()) {
        FormWindow* window = windows_.back();
        windows_.pop_back();
        window->destroy();
        window->release();
    }
    for (auto& [key, font] : fonts_)
        DeleteObject(font);
    if (richEdit_)
        FreeLibrary(richEdit_);
}

HFONT Win32UiHost::font(bool bold, int points) {
    const auto key = std::make_pair(bold, points > 0 ? points : 8);
    auto found = fonts_.find(key);
    if (found != fonts_.end())
        return found->second;
    LOGFONTA description{};
    description.lfHeight = -MulDiv(key.second, dpiY_, 72);
    description.lfWeight = bold ? FW_BOLD : FW_NORMAL;
    description.lfCharSet = DEFAULT_CHARSET;
    std::strcpy(description.lfFaceName, "MS Shell Dlg");
    HFONT made = CreateFontIndirectA(&description);
    if (!made)
        return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    fonts_.emplace(key, made);
    return made;
}

FormWindow* Win32UiHost::find(const Form& form) const {
    for (FormWindow* window : windows_)
        if (&window->form() == &form)
            return window;
    return nullptr;
}

FormWindow* Win32UiHost::formWindowOf(HWND root) const {
    if (!root)
        return nullptr;
    for (FormWindow* window : windows_)
        if (window->hwnd() == root)
            return window;
    return nullptr;
}

HWND Win32UiHost::windowOf(const Form& form) const {
    FormWindow* window = find(form);
    return window ? window->hwnd() : nullptr;
}

void Win32UiHost::keepException(std::exception_ptr error) {
    if (!kept_)
        kept_ = error;
}

void Win32UiHost::rethrowKept() {
    if (kept_) {
        std::exception_ptr error = kept_;
        kept_ = nullptr;
        std::rethrow_exception(error);
    }
}

void Win32UiHost::dispatch(MSG& message) {
    if (message.hwnd && message.message >= WM_KEYFIRST && message.message <= WM_KEYLAST) {
        if (FormWindow* window = formWindowOf(GetAncestor(message.hwnd, GA_ROOT))) {
            FormWindow::Hold hold(*window);
            if (window->preTranslate(message))
                return;
            if (window->dead() || !IsWindow(message.hwnd))
                return;
            if (IsDialogMessageA(window->hwnd(), &message))
                return;
        }
    }
    TranslateMessage(&message);
    DispatchMessageA(&message);
}

// Wakes a loop waiting in GetMessage so that it checks its condition.
void Win32UiHost::wake() {
    PostThreadMessageA(GetCurrentThreadId(), WM_NULL, 0, 0);
}

int Win32UiHost::run() {
    if (windows_.empty())
        return 0;
    MSG message{};
    for (;;) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == -1)
            return -1;
        if (got == 0)
            break;
        dispatch(message);
        rethrowKept();
    }
    return static_cast<int>(message.wParam);
}

void Win32UiHost::doEvents() {
    MSG message;
    // Bounded, so that a flood of timer messages cannot hold the caller.
    for (int handled = 0; handled < 1000 && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE);
         ++handled) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        dispatch(message);
    }
    rethrowKept();
}

void Win32UiHost::releaseCapture() {
    HWND capture = GetCapture();
    if (capture && formWindowOf(GetAncestor(capture, GA_ROOT)))
        ReleaseCapture();
}

// The window a message box belongs to: the active form, else the innermost
// modal one, else the last form on show.
HWND Win32UiHost::messageOwner() const {
    HWND active = GetActiveWindow();
    if (active && formWindowOf(active) && IsWindowVisible(active))
        return active;
    if (!modals_.empty() && IsWindow(modals_.back()->window) &&
        IsWindowVisible(modals_.back()->window))
        return modals_.back()->window;
    for (auto it = windows_.rbegin(); it != windows_.rend(); ++it)
        if ((*it)->hwnd() && IsWindowVisible((*it)->hwnd()) && IsWindowEnabled((*it)->hwnd()))
            return (*it)->hwnd();
    return nullptr;
}

int Win32UiHost::msgBox(const std::string& text, int style, const std::string& title) {
    // A press in progress (a MouseDown handler asking) ends here, as it
    // would when any window of the program opens.
    releaseCapture();
    HWND owner = messageOwner();
    const UINT type = static_cast<UINT>(style) | (owner ? 0u : static_cast<UINT>(MB_TASKMODAL));
    const int answer = MessageBoxA(owner, text.c_str(), title.c_str(), type);
    rethrowKept();
    return answer;
}

void Win32UiHost::load(Form& form) {
    if (find(form))
        return;
    auto* window = new FormWindow(*this, form);
    windows_.push_back(window);
    window->create();
}

void Win32UiHost::show(Form& form, bool modal) {
    FormWindow* window = find(form);
    if (!window || !window->hwnd())
        return;
    HWND hwnd = window->hwnd();
    form.markShown(true);
    if (!modal) {
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        return;
    }

    // Every other window of the program waits while this one is open.
    ModalFrame frame;
    frame.form = &form;
    frame.window = hwnd;
    // The owner is the form the user was working in. Activation reaches
    // Wine through the X server a moment after a show, so the active window
    // alone may still be none here; the form a message box would belong to
    // is the same choice with the fallbacks.
    frame.owner = messageOwner();
    if (frame.owner == hwnd)
        frame.owner = nullptr;
    for (FormWindow* other : windows_) {
        HWND w = other->hwnd();
        if (w && w != hwnd && IsWindowEnabled(w)) {
            EnableWindow(w, FALSE);
            frame.disabled.push_back(w);
        }
    }
    if (frame.owner)
        SetWindowLongPtrA(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(frame.owner));
    releaseCapture();
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    modals_.push_back(&frame);

    struct Restore {
        Win32UiHost& host;
        ModalFrame& frame;
        ~Restore() {
            host.endModal(frame);
            host.modals_.erase(std::remove(host.modals_.begin(), host.modals_.end(), &frame),
                               host.modals_.end());
        }
    } restore{*this, frame};

    MSG message;
    while (find(form) == window && form.isLoaded() && form.isVisible()) {
        const BOOL got = GetMessageA(&message, nullptr, 0, 0);
        if (got == 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1)
            break;
        dispatch(message);
        rethrowKept();
    }
}

// The other windows come back before the modal one goes, so that the
// activation returns to the program and not to another one.
void Win32UiHost::endModal(ModalFrame& frame) {
    if (frame.ended)
        return;
    frame.ended = true;
    for (HWND w : frame.disabled)
        if (IsWindow(w))
            EnableWindow(w, TRUE);
    if (IsWindow(frame.window))
        SetWindowLongPtrA(frame.window, GWLP_HWNDPARENT, 0);
    if (frame.owner && IsWindow(frame.owner) && IsWindowVisible(frame.owner))
        SetActiveWindow(frame.owner);
}

void Win32UiHost::endModalOf(const Form& form) {
    for (ModalFrame* frame : modals_)
        if (frame->form == &form)
            endModal(*frame);
}

void Win32UiHost::hide(Form& form) {
    form.markShown(false);
    endModalOf(form);
    if (FormWindow* window = find(form))
        if (window->hwnd())
            ShowWindow(window->hwnd(), SW_HIDE);
    wake();
}

void Win32UiHost::unload(Form& form) {
    form.markShown(false);
    endModalOf(form);
    FormWindow* window = find(form);
    if (window) {
        windows_.erase(std::remove(windows_.begin(), windows_.end(), window), windows_.end());
        window->destroy();
        window->release();
    }
    if (windows_.empty())
        PostQuitMessage(0);
    wake();
}

void Win32UiHost::forget(FormWindow& window) {
    auto found = std::find(windows_.begin(), windows_.end(), &window);
    if (found == windows_.end())
        return;
    windows_.erase(found);
    for (ModalFrame* frame : modals_)
        if (frame->window == window.hwnd())
            endModal(*frame);
    window.destroy();
    window.release();
    if (windows_.empty())
        PostQuitMessage(0);
    wake();
}

void Win32UiHost::setMousePointer(int pointer) {
    pointer_ = pointer;
    POINT at;
    if (!GetCursorPos(&at))
        return;
    HWND under = WindowFromPoint(at);
    if (!under || !formWindowOf(GetAncestor(under, GA_ROOT)))
        return;
    if (busy()) {
        SetCursor(LoadCursor(nullptr, IDC_WAIT));
    } else {
        // The window under the mouse puts back its own pointer.
        const LRESULT hit = SendMessageA(under, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
        SendMessageA(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under),
                     MAKELPARAM(static_cast<WORD>(hit), WM_MOUSEMOVE));
    }
}

void Win32UiHost::popupMenu(Form& form, const std::string& menuName) {
    if (FormWindow* window = find(form)) {
        FormWindow::Hold hold(*window);
        window->popupMenu(menuName);
    }
    rethrowKept();
}

} // namespace velmora::ui::win32
