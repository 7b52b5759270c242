#include "ui/win32/Win32FormWindow.h"

#include "ui/win32/Win32Names.h"
#include "ui/win32/Win32UiHost.h"

#include <commctrl.h>

#include <algorithm>
#include <exception>

namespace velmora::ui::win32 {

namespace {

constexpr int kFirstControlId = 1000;
constexpr UINT_PTR kFirstTimerId = 0x7000;
constexpr UINT kDeferredMessage = WM_APP + 0x56;

void registerClass(HINSTANCE instance, const char* name, WNDPROC procedure, UINT style,
                   HBRUSH background) {
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof(wc);
    wc.style = style;
    wc.lpfnWndProc = procedure;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = name;
    RegisterClassExA(&wc); // already there when a second host is made
}

// The access key of a caption: the character after a single "&".
char accessKey(const std::string& caption) {
    for (std::size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&')
            continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        return caption[i + 1];
    }
    return 0;
}

char upper(char c) {
    return static_cast<char>(reinterpret_cast<ULONG_PTR>(
        CharUpperA(reinterpret_cast<LPSTR>(static_cast<ULONG_PTR>(static_cast<BYTE>(c))))));
}

bool usable(HWND window) {
    return window && IsWindowVisible(window) && IsWindowEnabled(window);
}

} // namespace

void registerWindowClasses(HINSTANCE instance) {
    registerClass(instance, kFormClass, &FormWindow::procedure, 0,
                  reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1));
    for (const char* name : {kFrameClass, kLineClass, kShapeClass, kPictureClass})
        registerClass(instance, name, &DefWindowProcA, CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW,
                      nullptr);
}

FormWindow::FormWindow(Win32UiHost& host, Form& form) : host_(host), form_(form), menus_(form) {}

FormWindow::~FormWindow() {
    if (!formGone_ && form_.view() == this)
        form_.attachView(nullptr);
    controls_.clear();
}

void FormWindow::release() {
    if (--refs_ == 0)
        delete this;
}

void FormWindow::create() {
    making_ = true;
    const int width = MulDiv(form_.width(), host_.dpiX(), 1440);
    const int height = MulDiv(form_.height(), host_.dpiY(), 1440);
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int x = std::max<int>(work.left, work.left + (work.right - work.left - width) / 2);
    const int y = std::max<int>(work.top, work.top + (work.bottom - work.top - height) / 2);
    CreateWindowExA(WS_EX_CONTROLPARENT, kFormClass, form_.caption().c_str(),
                    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN, x,
                    y, width, height, nullptr, nullptr, host_.instance(), this);
    if (!hwnd_) {
        making_ = false;
        return;
    }
    tagWindow(hwnd_, form_.name());
    SendMessageA(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(host_.font(false, 0)), FALSE);
    applyIcon();
    menus_.apply(hwnd_);
    for (const auto& control : form_.controls())
        makeControl(*control);
    for (const auto& control : controls_)
        if (control->control().kind() == ControlKind::OptionButton)
            optionGroupChanged(control->control());
    form_.attachView(this);
    noteScaleSize();
    making_ = false;
}

void FormWindow::makeControl(Control& control) {
    std::unique_ptr<ControlWindow> window = makeControlWindow(*this, control);
    if (!window)
        return;
    HWND parent = hwnd_;
    if (!control.container().empty())
        if (ControlWindow* box = byName(control.container()))
            if (box->childParent())
                parent = box->childParent();
    const int id = kFirstControlId + static_cast<int>(controls_.size());
    controls_.push_back(std::move(window));
    controls_.back()->create(parent, id);
}

void FormWindow::destroy() {
    dead_ = true;
    if (!formGone_ && form_.view() == this)
        form_.attachView(nullptr);
    if (hwnd_)
        DestroyWindow(hwnd_);
}

// A form destroyed while loaded takes its window with it.
void FormWindow::formDestroyed() {
    formGone_ = true;
    Hold hold(*this);
    host_.forget(*this);
}

ControlWindow* FormWindow::byWindow(HWND window) const {
    ControlWindow* control = ControlWindow::fromWindow(window);
    return control && &control->form() == this ? control : nullptr;
}

ControlWindow* FormWindow::byName(const std::string& name) const {
    const Control* control = form_.find(name);
    if (!control)
        return nullptr;
    for (const auto& window : controls_)
        if (&window->control() == control)
            return window.get();
    return nullptr;
}

void FormWindow::controlChanged(Control& control, Property property) {
    for (const auto& window : controls_) {
        if (&window->control() == &control) {
            window->mirror(property);
            return;
        }
    }
}

void FormWindow::formChanged(FormProperty property) {
    if (!hwnd_)
        return;
    switch (property) {
    case FormProperty::Caption:
        SetWindowTextA(hwnd_, form_.caption().c_str());
        break;
    case FormProperty::Size:
        SetWindowPos(hwnd_, nullptr, 0, 0, MulDiv(form_.width(), host_.dpiX(), 1440),
                     MulDiv(form_.height(), host_.dpiY(), 1440),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        noteScaleSize();
        break;
    case FormProperty::Menus:
        if (menus_.apply(hwnd_))
            noteScaleSize();
        break;
    case FormProperty::Icon:
        applyIcon();
        break;
    }
}

void FormWindow::applyIcon() {
    HICON big = nullptr;
    HICON small = nullptr;
    if (form_.iconResource() > 0) {
        auto load = [&](int size) {
            return static_cast<HICON>(LoadImageA(host_.resources(),
                                                 MAKEINTRESOURCEA(form_.iconResource()), IMAGE_ICON,
                                                 size, size, LR_SHARED));
        };
        big = load(GetSystemMetrics(SM_CXICON));
        small = load(GetSystemMetrics(SM_CXSMICON));
    }
    SendMessageA(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
    SendMessageA(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void FormWindow::noteScaleSize() {
    RECT client;
    if (hwnd_ && GetClientRect(hwnd_, &client))
        form_.markScaleSize(MulDiv(client.right, 1440, host_.dpiX()),
                            MulDiv(client.bottom, 1440, host_.dpiY()));
}

LRESULT CALLBACK FormWindow::procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    FormWindow* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<FormWindow*>(reinterpret_cast<CREATESTRUCTA*>(l)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    } else {
        self = reinterpret_cast<FormWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    }
    if (!self)
        return DefWindowProcA(hwnd, msg, w, l);
    Hold hold(*self);
    return self->handle(msg, w, l);
}

LRESULT FormWindow::handle(UINT msg, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (route(msg, w, l, result))
        return result;
    switch (msg) {
    case WM_TIMER:
        if (w >= kFirstTimerId && w - kFirstTimerId < controls_.size()) {
            controls_[w - kFirstTimerId]->timer();
            return 0;
        }
        break;
    case kDeferredMessage:
        if (w < controls_.size())
            controls_[w]->deferred();
        return 0;
    case WM_CLOSE:
        // Closing the window by any means unloads the form.
        if (!silent()) {
            try {
                form_.Unload();
            } catch (...) {
                host_.keepException(std::current_exception());
            }
        }
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(w) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(hwnd_, focus))
                lastFocus_ = focus;
        } else if (lastFocus_ && IsWindow(lastFocus_) && IsChild(hwnd_, lastFocus_) &&
                   usable(lastFocus_)) {
            SetFocus(lastFocus_);
        } else {
            focusFirst();
        }
        return 0;
    case WM_SETCURSOR:
        if (host_.busy()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_INITMENUPOPUP:
        if (!HIWORD(l))
            if (const MenuEntry* entry = menus_.ownerOf(reinterpret_cast<HMENU>(w)))
                raiseMenu(*entry);
        return 0;
    case WM_ENTERMENULOOP:
        menus_.enterLoop();
        break;
    case WM_EXITMENULOOP:
        menus_.exitLoop(hwnd_);
        break;
    case WM_NCDESTROY: {
        HWND window = hwnd_;
        untagWindow(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        hwnd_ = nullptr;
        tooltip_ = nullptr;
        dead_ = true;
        return DefWindowProcA(window, msg, w, l);
    }
    default:
        break;
    }
    return DefWindowProcA(hwnd_, msg, w, l);
}

bool FormWindow::route(UINT msg, WPARAM w, LPARAM l, LRESULT& result) {
    switch (msg) {
    case WM_COMMAND: {
        HWND from = reinterpret_cast<HWND>(l);
        if (!from) {
            const MenuEntry* entry = HIWORD(w) == 0 ? menus_.entryOf(LOWORD(w)) : nullptr;
            if (!entry)
                return false;
            raiseMenu(*entry);
            result = 0;
            return true;
        }
        // IsDialogMessage sends IDOK and IDCANCEL with the focus window.
        ControlWindow* control = byWindow(from);
        if (!control || GetDlgCtrlID(from) != LOWORD(w))
            return false;
        control->command(HIWORD(w));
        result = 0;
        return true;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(l);
        ControlWindow* control = header ? byWindow(header->hwndFrom) : nullptr;
        if (!control)
            return false;
        result = control->notify(*header);
        return true;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR: {
        ControlWindow* control = byWindow(reinterpret_cast<HWND>(l));
        if (!control)
            return false;
        HBRUSH brush = control->colours(reinterpret_cast<HDC>(w));
        if (!brush)
            return false;
        result = reinterpret_cast<LRESULT>(brush);
        return true;
    }
    case WM_DRAWITEM: {
        auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(l);
        if (item->CtlType == ODT_MENU)
            return false;
        ControlWindow* control = byWindow(item->hwndItem);
        if (!control || !control->drawItem(*item))
            return false;
        result = TRUE;
        return true;
    }
    case WM_HSCROLL:
    case WM_VSCROLL: {
        ControlWindow* control = l ? byWindow(reinterpret_cast<HWND>(l)) : nullptr;
        if (!control)
            return false;
        control->scroll(LOWORD(w));
        result = 0;
        return true;
    }
    case WM_NOTIFYFORMAT:
        // Our windows are ANSI, containers included.
        if (l == NF_QUERY) {
            result = NFR_ANSI;
            return true;
        }
        return false;
    default:
        return false;
    }
}

void FormWindow::raiseMenu(const MenuEntry& entry) {
    if (silent())
        return;
    const std::string name = entry.name; // the handler may change the menus
    try {
        form_.raise(name, Event::Click);
    } catch (...) {
        host_.keepException(std::current_exception());
    }
}

void FormWindow::pageChanged(const Control& tabStrip) {
    for (const auto& window : controls_)
        if (form_.find(window->control().container()) == &tabStrip)
            window->applyVisibility();
    // The focus must not stay on a control of a page no longer shown.
    HWND focus = GetFocus();
    if (focus && IsChild(hwnd_, focus) && !IsWindowVisible(focus))
        if (ControlWindow* strip = byName(tabStrip.name()))
            if (usable(strip->hwnd()))
                SetFocus(strip->hwnd());
}

std::vector<ControlWindow*> FormWindow::optionGroup(const Control& option) const {
    std::vector<ControlWindow*> group;
    for (const auto& window : controls_) {
        const Control& other = window->control();
        if (other.kind() == ControlKind::OptionButton &&
            form_.find(other.container()) == form_.find(option.container()) &&
            other.tabPage() == option.tabPage())
            group.push_back(window.get());
    }
    return group;
}

// Tab stops on the ticked option of a group only (the first when none is),
// so that Tab enters a group once, on its choice.
void FormWindow::optionGroupChanged(const Control& option) {
    const std::vector<ControlWindow*> group = optionGroup(option);
    auto ticked = std::find_if(group.begin(), group.end(),
                               [](ControlWindow* w) { return w->control().value() != 0; });
    ControlWindow* stop = ticked != group.end() ? *ticked : group.empty() ? nullptr : group[0];
    for (ControlWindow* window : group)
        if (window->hwnd())
            ControlWindow::replaceStyle(window->hwnd(), WS_TABSTOP,
                                        window == stop ? WS_TABSTOP : 0);
}

void FormWindow::setToolTip(ControlWindow& control) {
    if (!control.hwnd() || !hwnd_)
        return;
    const std::string& text = control.control().toolTip();
    if (!tooltip_) {
        if (text.empty())
            return;
        tooltip_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                   WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd_, nullptr,
                                   host_.instance(), nullptr);
        if (!tooltip_)
            return;
        SendMessageA(tooltip_, TTM_SETMAXTIPWIDTH, 0, 400);
    }
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE; // understood by comctl32 5 and 6
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(control.hwnd());
    info.uId = reinterpret_cast<UINT_PTR>(control.hwnd());
    info.lpszText = const_cast<char*>(text.c_str());
    if (text.empty())
        SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    else if (SendMessageA(tooltip_, TTM_GETTOOLCOUNT, 0, 0) > 0 && [&] {
                 TOOLINFOA probe = info;
                 probe.lpszText = nullptr;
                 return SendMessageA(tooltip_, TTM_GETTOOLINFOA, 0,
                                     reinterpret_cast<LPARAM>(&probe)) != 0;
             }())
        SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&info));
    else
        SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

void FormWindow::dropToolTip(HWND window) {
    if (!tooltip_ || !window)
        return;
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V2_SIZE;
    info.hwnd = GetParent(window);
    info.uId = reinterpret_cast<UINT_PTR>(window);
    SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
}

// A hidden or disabled form takes the focus when it is next activated.
void FormWindow::focus(ControlWindow& control) {
    HWND target = control.hwnd();
    if (!target || !hwnd_)
        return;
    if (!IsWindowVisible(hwnd_) || !IsWindowEnabled(hwnd_)) {
        lastFocus_ = target;
        return;
    }
    if (usable(target))
        SetFocus(target);
}

void FormWindow::focusFirst() {
    if (!hwnd_)
        return;
    HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
    SetFocus(first ? first : hwnd_);
}

void FormWindow::defer(ControlWindow& control) {
    if (!hwnd_)
        return;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i].get() == &control) {
            MSG waiting;
            if (!PeekMessageA(&waiting, hwnd_, kDeferredMessage, kDeferredMessage, PM_NOREMOVE) ||
                waiting.wParam != i)
                PostMessageA(hwnd_, kDeferredMessage, i, 0);
            return;
        }
    }
}

int FormWindow::timerIndex(const ControlWindow& timer) const {
    for (std::size_t i = 0; i < controls_.size(); ++i)
        if (controls_[i].get() == &timer)
            return static_cast<int>(i);
    // Not in the list yet: the timer is being made and goes at the end.
    return static_cast<int>(controls_.size());
}

void FormWindow::startTimer(ControlWindow& timer, UINT interval) {
    if (hwnd_)
        SetTimer(hwnd_, kFirstTimerId + static_cast<UINT_PTR>(timerIndex(timer)), interval,
                 nullptr);
}

void FormWindow::stopTimer(ControlWindow& timer) {
    if (hwnd_)
        KillTimer(hwnd_, kFirstTimerId + static_cast<UINT_PTR>(timerIndex(timer)));
}

ControlWindow* FormWindow::focusedControl() const {
    return byWindow(GetFocus());
}

// The tab strip holding the focus, or the first one on show.
ControlWindow* FormWindow::tabStripAround(HWND window) const {
    for (HWND at = window; at && at != hwnd_; at = GetParent(at))
        if (ControlWindow* control = byWindow(at))
            if (control->control().kind() == ControlKind::TabStrip)
                return control;
    for (const auto& control : controls_)
        if (control->control().kind() == ControlKind::TabStrip && usable(control->hwnd()))
            return control.get();
    return nullptr;
}

void FormWindow::pressButton(bool cancel) {
    for (const auto& window : controls_) {
        const Control& control = window->control();
        if (control.kind() == ControlKind::CommandButton &&
            (cancel ? control.isCancel() : control.isDefault()) && usable(window->hwnd())) {
            window->press();
            return;
        }
    }
}

// Access keys: a label or frame passes the focus to the next control, a
// button is pressed, a tab is chosen.
bool FormWindow::mnemonic(char key) {
    const char wanted = upper(key);
    if (!wanted)
        return false;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        ControlWindow& window = *controls_[i];
        const Control& control = window.control();
        if (!usable(window.hwnd()))
            continue;
        if (control.kind() == ControlKind::TabStrip) {
            const auto& captions = control.items();
            for (std::size_t page = 0; page < captions.size(); ++page) {
                if (upper(accessKey(captions[page])) == wanted) {
                    window.selectPage(static_cast<int>(page));
                    return true;
                }
            }
            continue;
        }
        if (upper(accessKey(control.caption())) != wanted)
            continue;
        switch (control.kind()) {
        case ControlKind::Label:
        case ControlKind::Frame:
            for (std::size_t j = i + 1; j < controls_.size(); ++j) {
                HWND next = controls_[j]->hwnd();
                if (usable(next) && (GetWindowLongPtrA(next, GWL_STYLE) & WS_TABSTOP)) {
                    SetFocus(next);
                    break;
                }
            }
            return true;
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            SetFocus(window.hwnd());
            if (window.alive())
                window.press();
            return true;
        default:
            continue;
        }
    }
    return false;
}

bool FormWindow::preTranslate(MSG& message) {
    if (!hwnd_)
        return false;
    HWND focus = GetFocus();
    if (message.message == WM_SYSCHAR)
        return mnemonic(static_cast<char>(message.wParam));
    if (message.message == WM_CHAR) {
        // Plain access keys, where the focus takes no typing.
        if (!focus || message.wParam < ' ')
            return false;
        MSG copy = message;
        const LRESULT code =
            SendMessageA(focus, WM_GETDLGCODE, message.wParam, reinterpret_cast<LPARAM>(&copy));
        if (code & (DLGC_WANTCHARS | DLGC_WANTMESSAGE))
            return false;
        return mnemonic(static_cast<char>(message.wParam));
    }
    if (message.message != WM_KEYDOWN)
        return false;
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    const bool control = GetKeyState(VK_CONTROL) < 0;
    const bool alt = GetKeyState(VK_MENU) < 0;
    if (alt)
        return false;
    switch (message.wParam) {
    case VK_TAB:
        if (control) {
            if (ControlWindow* strip = tabStripAround(focus)) {
                const int count = static_cast<int>(strip->control().items().size());
                if (count > 0)
                    strip->selectPage((strip->control().value() + (shift ? count - 1 : 1)) % count);
                return true;
            }
            return false;
        } else {
            HWND from = focus && IsChild(hwnd_, focus) ? focus : nullptr;
            HWND next = GetNextDlgTabItem(hwnd_, from, shift);
            if (next) {
                SetFocus(next);
                if (SendMessageA(next, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL)
                    SendMessageA(next, EM_SETSEL, 0, -1);
            }
            return true;
        }
    case VK_LEFT:
    case VK_RIGHT:
    case VK_UP:
    case VK_DOWN: {
        // Arrows move to the next option of the group and tick it.
        ControlWindow* option = focusedControl();
        if (control || !option || option->control().kind() != ControlKind::OptionButton)
            return false;
        std::vector<ControlWindow*> group = optionGroup(option->control());
        group.erase(
            std::remove_if(group.begin(), group.end(),
                           [&](ControlWindow* w) { return w != option && !usable(w->hwnd()); }),
            group.end());
        const auto at = std::find(group.begin(), group.end(), option) - group.begin();
        const auto count = static_cast<std::ptrdiff_t>(group.size());
        const bool back = message.wParam == VK_LEFT || message.wParam == VK_UP;
        ControlWindow* next =
            group[static_cast<std::size_t>((at + (back ? count - 1 : 1)) % count)];
        SetFocus(next->hwnd());
        if (next->alive())
            next->press();
        return true;
    }
    case VK_RETURN:
    case VK_ESCAPE: {
        if (focus) {
            MSG copy = message;
            if (SendMessageA(focus, WM_GETDLGCODE, message.wParam,
                             reinterpret_cast<LPARAM>(&copy)) &
                DLGC_WANTMESSAGE)
                return false;
        }
        ControlWindow* focused = focusedControl();
        if (message.wParam == VK_RETURN && focused &&
            focused->control().kind() == ControlKind::CommandButton) {
            focused->press();
            return true;
        }
        pressButton(message.wParam == VK_ESCAPE);
        return true;
    }
    case VK_PRIOR:
    case VK_NEXT:
        if (control) {
            if (ControlWindow* strip = tabStripAround(focus)) {
                const int count = static_cast<int>(strip->control().items().size());
                if (count > 0)
                    strip->selectPage(
                        (strip->control().value() + (message.wParam == VK_PRIOR ? count - 1 : 1)) %
                        count);
                return true;
            }
        }
        return false;
    default:
        return false;
    }
}

void FormWindow::popupMenu(const std::string& name) {
    if (!hwnd_)
        return;
    if (const MenuEntry* entry = menus_.track(hwnd_, name))
        raiseMenu(*entry);
}

} // namespace velmora::ui::win32
