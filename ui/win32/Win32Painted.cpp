// Lines, shapes and pictures: child windows of classes of our own that
// paint the control, so that they can be found like any other control.

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32UiHost.h"

#include <algorithm>

namespace velmora::ui::win32 {

namespace {

class PaintedWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool mirrorOwn(Property property) override {
        if (property == Property::Value)
            InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

protected:
    bool showsText() const override { return false; }
    bool message(UINT msg, WPARAM, LPARAM, LRESULT& result) override {
        if (msg == WM_ERASEBKGND) {
            result = 1;
            return true;
        }
        if (msg != WM_PAINT)
            return false;
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(hwnd_, &ps);
        RECT r;
        GetClientRect(hwnd_, &r);
        paint(dc, r);
        EndPaint(hwnd_, &ps);
        result = 0;
        return true;
    }
    virtual void paint(HDC dc, const RECT& r) = 0;
};

// From (left, top) to (left + width, top + height); either extent may be
// negative or zero, so the window is the line's bounding box.
class LineWindow : public PaintedWindow {
public:
    using PaintedWindow::PaintedWindow;

protected:
    const char* windowClass() const override { return kLineClass; }
    RECT pixelRect() const override {
        const Twips& b = control_.bounds();
        const int x1 = toPixelsX(b.left), y1 = toPixelsY(b.top);
        const int x2 = toPixelsX(b.left + b.width), y2 = toPixelsY(b.top + b.height);
        return RECT{std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
    }
    void paint(HDC dc, const RECT& r) override {
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        const Twips& b = control_.bounds();
        const int right = r.right - 1, bottom = r.bottom - 1;
        const POINT from{b.width >= 0 ? 0 : right, b.height >= 0 ? 0 : bottom};
        const POINT to{b.width >= 0 ? right : 0, b.height >= 0 ? bottom : 0};
        const COLORREF colour =
            control_.foreColor() == kDefaultColour ? RGB(0, 0, 0) : control_.foreColor();
        HPEN pen = CreatePen(PS_SOLID, 1, colour);
        HGDIOBJ old = SelectObject(dc, pen);
        MoveToEx(dc, from.x, from.y, nullptr);
        LineTo(dc, to.x, to.y);
        SetPixel(dc, to.x, to.y, colour);
        SelectObject(dc, old);
        DeleteObject(pen);
    }
};

// Filled with the back colour (the form's face when none), bordered with the
// fore colour (black when none).
class ShapeWindow : public PaintedWindow {
public:
    using PaintedWindow::PaintedWindow;

protected:
    const char* windowClass() const override { return kShapeClass; }
    void paint(HDC dc, const RECT& r) override {
        FillRect(dc, &r, brush(control_.backColor(), COLOR_BTNFACE));
        const COLORREF border =
            control_.foreColor() == kDefaultColour ? RGB(0, 0, 0) : control_.foreColor();
        HBRUSH frame = CreateSolidBrush(border);
        FrameRect(dc, &r, frame);
        DeleteObject(frame);
    }
};

// Shows icon resource `value` of the program, at its own size.
class PictureWindow : public PaintedWindow {
public:
    using PaintedWindow::PaintedWindow;

protected:
    const char* windowClass() const override { return kPictureClass; }
    bool message(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        if (msg == STM_GETICON) {
            result = reinterpret_cast<LRESULT>(icon());
            return true;
        }
        return PaintedWindow::message(msg, w, l, result);
    }
    void paint(HDC dc, const RECT& r) override {
        FillRect(dc, &r, brush(control_.backColor(), COLOR_BTNFACE));
        if (HICON shown = icon())
            DrawIconEx(dc, 0, 0, shown, 0, 0, 0, nullptr, DI_NORMAL | DI_DEFAULTSIZE);
    }

private:
    HICON icon() {
        if (control_.value() != loaded_) {
            loaded_ = control_.value();
            icon_ = loaded_ > 0
                        ? static_cast<HICON>(LoadImageA(form_.host().resources(),
                                                        MAKEINTRESOURCEA(loaded_), IMAGE_ICON, 0, 0,
                                                        LR_DEFAULTSIZE | LR_SHARED))
                        : nullptr;
        }
        return icon_;
    }

    int loaded_ = 0;
    HICON icon_ = nullptr;
};

} // namespace

std::unique_ptr<ControlWindow> makePaintedWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::Line:
        return std::make_unique<LineWindow>(form, control);
    case ControlKind::Shape:
        return std::make_unique<ShapeWindow>(form, control);
    default:
        return std::make_unique<PictureWindow>(form, control);
    }
}

} // namespace velmora::ui::win32
