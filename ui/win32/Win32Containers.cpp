// Frames and tab strips: windows that hold other controls. Their children
// notify them, so they pass those messages on to the form.

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32UiHost.h"

#include <commctrl.h>

namespace velmora::ui::win32 {

namespace {

class ContainerWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    HWND childParent() const override { return hwnd_; }

protected:
    DWORD exStyle() const override { return WS_EX_CONTROLPARENT; }
    bool message(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        return form_.route(msg, w, l, result);
    }
};

// A captioned group frame, painted here: a BUTTON group box does not clip
// the controls inside it.
class FrameWindow : public ContainerWindow {
public:
    using ContainerWindow::ContainerWindow;

    bool mirrorOwn(Property property) override {
        if (property == Property::Enabled || property == Property::Caption)
            InvalidateRect(hwnd_, nullptr, TRUE);
        return false;
    }

protected:
    const char* windowClass() const override { return kFrameClass; }
    DWORD style() const override { return WS_CLIPCHILDREN | WS_CLIPSIBLINGS; }

    bool message(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        switch (msg) {
        case WM_ERASEBKGND:
            result = 1;
            return true;
        case WM_PAINT: {
            PAINTSTRUCT ps;
            paint(BeginPaint(hwnd_, &ps));
            EndPaint(hwnd_, &ps);
            result = 0;
            return true;
        }
        case WM_PRINTCLIENT: // what labels inside show behind them
            paint(reinterpret_cast<HDC>(w));
            result = 0;
            return true;
        default:
            return ContainerWindow::message(msg, w, l, result);
        }
    }

private:
    void paint(HDC dc) {
        RECT r;
        GetClientRect(hwnd_, &r);
        FillRect(dc, &r, brush(control_.backColor(), COLOR_BTNFACE));
        HGDIOBJ oldFont = SelectObject(dc, form_.host().font(control_.bold(), control_.fontSize()));
        TEXTMETRICA metrics;
        GetTextMetricsA(dc, &metrics);
        RECT edge = r;
        edge.top += metrics.tmHeight / 2;
        DrawEdge(dc, &edge, EDGE_ETCHED, BF_RECT);
        const std::string& caption = control_.caption();
        if (!caption.empty()) {
            RECT text{8, 0, r.right - 8, metrics.tmHeight};
            DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CALCRECT);
            InflateRect(&text, 2, 0);
            SetBkMode(dc, OPAQUE);
            SetBkColor(dc, backColour());
            SetTextColor(dc, IsWindowEnabled(hwnd_) ? foreColour(COLOR_BTNTEXT)
                                                    : GetSysColor(COLOR_GRAYTEXT));
            DrawTextA(dc, caption.c_str(), -1, &text, DT_SINGLELINE | DT_CENTER);
        }
        SelectObject(dc, oldFont);
    }
};

// Tabs whose captions are the items; the value is the current page, and
// the controls of the other pages are hidden.
class TabStripWindow : public ContainerWindow {
public:
    using ContainerWindow::ContainerWindow;

    bool mirrorOwn(Property property) override {
        if (property == Property::Items)
            fill();
        else if (property == Property::Value)
            SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(control_.value()), 0);
        else
            return false;
        form_.pageChanged(control_);
        return true;
    }

    LRESULT notify(NMHDR& header) override {
        if (header.code == TCN_SELCHANGE && !quiet())
            changed(static_cast<int>(SendMessageA(hwnd_, TCM_GETCURSEL, 0, 0)));
        return 0;
    }

    void selectPage(int page) override {
        const int count = static_cast<int>(control_.items().size());
        if (page < 0 || page >= count || page == control_.value())
            return;
        SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
        changed(page);
    }

protected:
    const char* windowClass() const override { return WC_TABCONTROLA; }
    DWORD style() const override { return WS_CLIPCHILDREN | WS_CLIPSIBLINGS | WS_TABSTOP; }
    bool message(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        if (msg != WM_ERASEBKGND)
            return ContainerWindow::message(msg, w, l, result);
        // The band beside the tabs shows what lies behind the strip: a strip
        // on a themed page of another is not on button face.
        paintParentBehind(reinterpret_cast<HDC>(w));
        result = 1;
        return true;
    }
    bool showsText() const override { return false; }
    bool clicksFromMouse() const override { return false; }
    // The tabs keep the usual space around their captions when they fit in
    // the strip's width; long captions (a language with longer words, a
    // wider font) take less of it before the strip has to scroll.
    void fill() override {
        for (int padding = kUsualPadding; padding >= kLeastPadding; --padding) {
            // The padding counts when the tabs are laid out: set it first.
            SendMessageA(hwnd_, TCM_SETPADDING, 0, MAKELPARAM(padding, kVerticalPadding));
            insertItems();
            if (tabsFit())
                break;
        }
        SendMessageA(hwnd_, TCM_SETCURSEL, static_cast<WPARAM>(control_.value()), 0);
    }

private:
    static constexpr int kUsualPadding = 6;
    static constexpr int kLeastPadding = 1;
    static constexpr int kVerticalPadding = 3;

    void insertItems() {
        SendMessageA(hwnd_, TCM_DELETEALLITEMS, 0, 0);
        int index = 0;
        for (const std::string& caption : control_.items()) {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = const_cast<char*>(caption.c_str());
            SendMessageA(hwnd_, TCM_INSERTITEMA, static_cast<WPARAM>(index++),
                         reinterpret_cast<LPARAM>(&item));
        }
    }
    bool tabsFit() const {
        const int count = static_cast<int>(SendMessageA(hwnd_, TCM_GETITEMCOUNT, 0, 0));
        RECT first{}, last{}, client{};
        if (count == 0 ||
            !SendMessageA(hwnd_, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first)))
            return true;
        // A tab wholly outside the strip has no place to give.
        if (!SendMessageA(hwnd_, TCM_GETITEMRECT, static_cast<WPARAM>(count - 1),
                          reinterpret_cast<LPARAM>(&last)))
            return false;
        GetClientRect(hwnd_, &client);
        // The selected tab stands out a little on both sides.
        return last.right - first.left <= client.right - 4;
    }

    void changed(int page) {
        control_.userSetValue(page);
        form_.pageChanged(control_);
        raise(Event::Click);
    }
};

} // namespace

std::unique_ptr<ControlWindow> makeContainerWindow(FormWindow& form, Control& control) {
    if (control.kind() == ControlKind::TabStrip)
        return std::make_unique<TabStripWindow>(form, control);
    return std::make_unique<FrameWindow>(form, control);
}

} // namespace velmora::ui::win32
