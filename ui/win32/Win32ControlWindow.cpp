#include "ui/win32/Win32ControlWindow.h"

#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32Names.h"
#include "ui/win32/Win32UiHost.h"

#include <exception>

namespace velmora::ui::win32 {

namespace {

constexpr const char* kSelfProperty = "VelmoraControl";

int shiftOf(WPARAM keys) {
    int shift = 0;
    if (keys & MK_SHIFT)
        shift |= 1;
    if (keys & MK_CONTROL)
        shift |= 2;
    if (GetKeyState(VK_MENU) < 0)
        shift |= 4;
    return shift;
}

int keyboardShift() {
    return (GetKeyState(VK_SHIFT) < 0 ? 1 : 0) | (GetKeyState(VK_CONTROL) < 0 ? 2 : 0) |
           (GetKeyState(VK_MENU) < 0 ? 4 : 0);
}

} // namespace

ControlWindow::ControlWindow(FormWindow& form, Control& control) : form_(form), control_(control) {}

ControlWindow::~ControlWindow() {
    if (hwnd_) {
        HWND window = hwnd_;
        detach();
        DestroyWindow(window);
    }
    if (brush_)
        DeleteObject(brush_);
}

ControlWindow* ControlWindow::fromWindow(HWND window) {
    return window ? static_cast<ControlWindow*>(GetPropA(window, kSelfProperty)) : nullptr;
}

void ControlWindow::create(HWND parent, int id) {
    const RECT r = pixelRect();
    DWORD windowStyle = WS_CHILD | style();
    if (shouldShow())
        windowStyle |= WS_VISIBLE;
    if (!control_.enabled())
        windowStyle |= WS_DISABLED;
    const std::string text = showsText() ? windowText() : std::string();
    hwnd_ = CreateWindowExA(exStyle(), windowClass(), text.c_str(), windowStyle, r.left, r.top,
                            r.right - r.left, r.bottom - r.top, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                            form_.host().instance(), nullptr);
    if (!hwnd_)
        return;
    tagWindow(hwnd_, control_.name());
    SetPropA(hwnd_, kSelfProperty, this);
    original_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&procedure)));
    FormWindow::Quiet quietly(form_);
    applyFont();
    fill();
    if (!control_.toolTip().empty())
        form_.setToolTip(*this);
}

void ControlWindow::recreate() {
    if (!hwnd_)
        return;
    HWND old = hwnd_;
    HWND parent = GetParent(old);
    const int id = GetDlgCtrlID(old);
    HWND before = GetWindow(old, GW_HWNDPREV);
    const bool hadFocus = GetFocus() == old;
    form_.dropToolTip(old);
    recreating_ = true;
    DestroyWindow(old);
    create(parent, id);
    recreating_ = false;
    if (!hwnd_)
        return;
    SetWindowPos(hwnd_, before ? before : HWND_TOP, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (hadFocus)
        SetFocus(hwnd_);
}

void ControlWindow::detach() {
    untagWindow(hwnd_);
    RemovePropA(hwnd_, kSelfProperty);
    hwnd_ = nullptr;
}

bool ControlWindow::shouldShow() const {
    if (!control_.visible())
        return false;
    if (control_.tabPage() >= 0 && !control_.container().empty()) {
        const Control* strip = control_.form().find(control_.container());
        if (strip && strip->kind() == ControlKind::TabStrip)
            return strip->value() == control_.tabPage();
    }
    return true;
}

void ControlWindow::applyVisibility() {
    if (hwnd_)
        ShowWindow(hwnd_, shouldShow() ? SW_SHOWNA : SW_HIDE);
}

bool ControlWindow::alive() const {
    return !form_.dead() && hwnd_ != nullptr;
}

bool ControlWindow::replaceStyle(HWND window, DWORD mask, DWORD bits) {
    const LONG_PTR old = GetWindowLongPtrA(window, GWL_STYLE);
    const LONG_PTR now = (old & ~static_cast<LONG_PTR>(mask)) | static_cast<LONG_PTR>(bits & mask);
    if (now == old)
        return false;
    SetWindowLongPtrA(window, GWL_STYLE, now);
    InvalidateRect(window, nullptr, TRUE);
    return true;
}

void ControlWindow::mirror(Property property) {
    if (!hwnd_)
        return;
    FormWindow::Quiet quietly(form_);
    if (mirrorOwn(property))
        return;
    if (refillsOn(property)) {
        fill();
        return;
    }
    switch (property) {
    case Property::Caption:
    case Property::Text:
        if (showsText())
            SetWindowTextA(hwnd_, windowText().c_str());
        break;
    case Property::Enabled:
        EnableWindow(hwnd_, control_.enabled());
        break;
    case Property::Visible:
        applyVisibility();
        break;
    case Property::Bounds: {
        const RECT r = pixelRect();
        MoveWindow(hwnd_, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
        break;
    }
    case Property::Font:
        applyFont();
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case Property::Colours:
        InvalidateRect(hwnd_, nullptr, TRUE);
        break;
    case Property::ToolTip:
        form_.setToolTip(*this);
        break;
    case Property::Focus:
        form_.focus(*this);
        break;
    default:
        break;
    }
}

RECT ControlWindow::pixelRect() const {
    const Twips& b = control_.bounds();
    const int left = toPixelsX(b.left);
    const int top = toPixelsY(b.top);
    return RECT{left, top, left + toPixelsX(b.width), top + toPixelsY(b.height)};
}

HBRUSH ControlWindow::colours(HDC dc) {
    const Colour fore = control_.foreColor();
    const Colour back = control_.backColor();
    if (back == kDefaultColour && showsContainer()) {
        // A themed tab page is not button face: draw on whatever is behind.
        paintParentBehind(dc);
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, fore == kDefaultColour ? GetSysColor(systemFore()) : fore);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    if (!alwaysColoured() && fore == kDefaultColour && back == kDefaultColour)
        return nullptr;
    SetTextColor(dc, fore == kDefaultColour ? GetSysColor(systemFore()) : fore);
    SetBkColor(dc, back == kDefaultColour ? GetSysColor(systemBack()) : back);
    return brush(back, systemBack());
}

void ControlWindow::paintParentBehind(HDC dc) const {
    HWND parent = GetParent(hwnd_);
    POINT origin{0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT old;
    OffsetWindowOrgEx(dc, origin.x, origin.y, &old);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SendMessageA(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetWindowOrgEx(dc, old.x, old.y, nullptr);
}

HBRUSH ControlWindow::brush(Colour colour, int systemColour) {
    if (colour == kDefaultColour)
        return GetSysColorBrush(systemColour);
    if (!brush_ || brushColour_ != colour) {
        if (brush_)
            DeleteObject(brush_);
        brush_ = CreateSolidBrush(colour);
        brushColour_ = colour;
    }
    return brush_;
}

COLORREF ControlWindow::backColour() const {
    const Colour back = control_.backColor();
    return back == kDefaultColour ? GetSysColor(systemBack()) : back;
}

COLORREF ControlWindow::foreColour(int systemColour) const {
    const Colour fore = control_.foreColor();
    return fore == kDefaultColour ? GetSysColor(systemColour) : fore;
}

void ControlWindow::applyFont() {
    if (hwnd_)
        SendMessageA(
            hwnd_, WM_SETFONT,
            reinterpret_cast<WPARAM>(form_.host().font(control_.bold(), control_.fontSize())),
            TRUE);
}

int ControlWindow::toPixelsX(int twips) const {
    return MulDiv(twips, form_.host().dpiX(), 1440);
}
int ControlWindow::toPixelsY(int twips) const {
    return MulDiv(twips, form_.host().dpiY(), 1440);
}
int ControlWindow::toTwipsX(int pixels) const {
    return MulDiv(pixels, 1440, form_.host().dpiX());
}
int ControlWindow::toTwipsY(int pixels) const {
    return MulDiv(pixels, 1440, form_.host().dpiY());
}

bool ControlWindow::quiet() const {
    return form_.quiet();
}

bool ControlWindow::raise(Event event) {
    EventArgs args;
    return raise(event, args);
}

bool ControlWindow::raise(Event event, EventArgs& args) {
    if (form_.silent() || recreating_)
        return alive();
    try {
        control_.form().raiseWithArgs(control_.name(), event, args);
    } catch (...) {
        form_.host().keepException(std::current_exception());
    }
    return alive();
}

std::string ControlWindow::textOf(HWND window) {
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int got = GetWindowTextA(window, text.data(), length + 1);
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
    return text;
}

LRESULT ControlWindow::callOriginal(UINT msg, WPARAM w, LPARAM l) {
    return CallWindowProcA(original_, hwnd_, msg, w, l);
}

LRESULT CALLBACK ControlWindow::procedure(HWND hwnd, UINT msg, WPARAM w, LPARAM l) {
    ControlWindow* self = fromWindow(hwnd);
    if (!self || self->hwnd_ != hwnd)
        return DefWindowProcA(hwnd, msg, w, l);
    FormWindow::Hold hold(self->form_);
    return self->handle(msg, w, l);
}

void ControlWindow::mouse(Event event, int button, WPARAM w, LPARAM l) {
    EventArgs args;
    args.button = button;
    args.shift = shiftOf(w);
    args.x = toTwipsX(static_cast<short>(LOWORD(l)));
    args.y = toTwipsY(static_cast<short>(HIWORD(l)));
    raise(event, args);
}

LRESULT ControlWindow::handle(UINT msg, WPARAM w, LPARAM l) {
    LRESULT result = 0;
    if (msg == WM_LBUTTONDBLCLK && doubleClickIsPress())
        msg = WM_LBUTTONDOWN;
    if (message(msg, w, l, result))
        return result;
    switch (msg) {
    case WM_NCDESTROY: {
        HWND window = hwnd_;
        WNDPROC original = original_;
        detach();
        return CallWindowProcA(original, window, msg, w, l);
    }
    case WM_SETCURSOR:
        if (form_.host().busy()) {
            SetCursor(LoadCursor(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
        // The window takes the press first (capture, selection); a handler
        // that opens a modal window then cancels the click, as on Windows.
        result = callOriginal(msg, w, l);
        if (msg == WM_LBUTTONDOWN) {
            leftDown_ = true;
            afterDouble_ = false;
        }
        if (alive())
            mouse(Event::MouseDown,
                  msg == WM_LBUTTONDOWN   ? 1
                  : msg == WM_RBUTTONDOWN ? 2
                                          : 4,
                  w, l);
        return result;
    }
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP: {
        result = callOriginal(msg, w, l);
        const bool click = msg == WM_LBUTTONUP && leftDown_ && !afterDouble_;
        if (msg == WM_LBUTTONUP) {
            leftDown_ = false;
            afterDouble_ = false;
        }
        if (!alive())
            return result;
        mouse(Event::MouseUp, msg == WM_LBUTTONUP ? 1 : msg == WM_RBUTTONUP ? 2 : 4, w, l);
        if (click && clicksFromMouse() && alive()) {
            RECT inside;
            GetClientRect(hwnd_, &inside);
            const POINT at{static_cast<short>(LOWORD(l)), static_cast<short>(HIWORD(l))};
            if (PtInRect(&inside, at))
                raise(Event::Click);
        }
        return result;
    }
    case WM_LBUTTONDBLCLK:
        result = callOriginal(msg, w, l);
        if (alive() && doubleClicksFromMouse()) {
            leftDown_ = false;
            afterDouble_ = true;
            raise(Event::DblClick);
        }
        return result;
    case WM_SETFOCUS:
        result = callOriginal(msg, w, l);
        if (alive())
            raise(Event::GotFocus);
        return result;
    case WM_KILLFOCUS:
        result = callOriginal(msg, w, l);
        if (alive())
            raise(Event::LostFocus);
        return result;
    case WM_KEYDOWN: {
        EventArgs args;
        args.keyCode = static_cast<int>(w);
        args.shift = keyboardShift();
        if (!raise(Event::KeyDown, args))
            return 0;
        break;
    }
    case WM_CHAR: {
        EventArgs args;
        args.keyCode = static_cast<unsigned char>(w);
        args.shift = keyboardShift();
        if (!raise(Event::KeyPress, args))
            return 0;
        break;
    }
    default:
        break;
    }
    return callOriginal(msg, w, l);
}

std::unique_ptr<ControlWindow> makeControlWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::CommandButton:
    case ControlKind::CheckBox:
    case ControlKind::OptionButton:
        return makeButtonWindow(form, control);
    case ControlKind::Label:
    case ControlKind::TextBox:
    case ControlKind::RichText:
        return makeTextWindow(form, control);
    case ControlKind::ComboBox:
    case ControlKind::ListBox:
    case ControlKind::ListView:
    case ControlKind::TreeView:
        return makeListWindow(form, control);
    case ControlKind::Frame:
    case ControlKind::TabStrip:
        return makeContainerWindow(form, control);
    case ControlKind::Line:
    case ControlKind::Shape:
    case ControlKind::Picture:
        return makePaintedWindow(form, control);
    case ControlKind::HScrollBar:
    case ControlKind::ProgressBar:
    case ControlKind::Animation:
    case ControlKind::Timer:
        return makeGaugeWindow(form, control);
    }
    return nullptr;
}

} // namespace velmora::ui::win32
