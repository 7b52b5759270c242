// Scroll bars, progress bars, animations and timers.

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32UiHost.h"

#include <commctrl.h>

#include <algorithm>

namespace velmora::ui::win32 {

namespace {

class ScrollBarWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    // Arrows move by one, the track by a tenth of the range; dragging raises
    // Scroll and every other move Change.
    void scroll(int code) override {
        if (quiet())
            return;
        const int min = control_.min(), max = control_.max();
        const int page = std::max(1, (max - min) / 10);
        int value = control_.value();
        Event event = Event::Change;
        switch (code) {
        case SB_LINELEFT:
            --value;
            break;
        case SB_LINERIGHT:
            ++value;
            break;
        case SB_PAGELEFT:
            value -= page;
            break;
        case SB_PAGERIGHT:
            value += page;
            break;
        case SB_LEFT:
            value = min;
            break;
        case SB_RIGHT:
            value = max;
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: {
            SCROLLINFO info{};
            info.cbSize = sizeof(info);
            info.fMask = SIF_TRACKPOS;
            GetScrollInfo(hwnd_, SB_CTL, &info);
            value = info.nTrackPos;
            if (code == SB_THUMBTRACK)
                event = Event::Scroll;
            break;
        }
        default:
            return;
        }
        value = std::clamp(value, min, max);
        if (value == control_.value() && event == Event::Change && code != SB_THUMBPOSITION)
            return;
        control_.userSetValue(value);
        SetScrollPos(hwnd_, SB_CTL, value, TRUE);
        raise(event);
    }

protected:
    const char* windowClass() const override { return "SCROLLBAR"; }
    DWORD style() const override { return WS_TABSTOP | SBS_HORZ; }
    bool showsText() const override { return false; }
    bool refillsOn(Property property) const override {
        return property == Property::Value || property == Property::Range;
    }
    bool clicksFromMouse() const override { return false; }
    void fill() override {
        SCROLLINFO info{};
        info.cbSize = sizeof(info);
        info.fMask = SIF_RANGE | SIF_POS;
        info.nMin = control_.min();
        info.nMax = control_.max();
        info.nPos = control_.value();
        SetScrollInfo(hwnd_, SB_CTL, &info, TRUE);
    }
};

class ProgressBarWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

protected:
    const char* windowClass() const override { return PROGRESS_CLASSA; }
    bool showsText() const override { return false; }
    bool refillsOn(Property property) const override {
        return property == Property::Value || property == Property::Range;
    }
    void fill() override {
        // A range of no width is a bar of unknown end: it runs as a marquee.
        const bool marquee = control_.min() == control_.max();
        const LONG_PTR style = GetWindowLongPtrA(hwnd_, GWL_STYLE);
        SetWindowLongPtrA(hwnd_, GWL_STYLE, marquee ? style | PBS_MARQUEE : style & ~PBS_MARQUEE);
        SendMessageA(hwnd_, PBM_SETMARQUEE, marquee ? TRUE : FALSE, 50);
        if (marquee)
            return;
        SendMessageA(hwnd_, PBM_SETRANGE32, static_cast<WPARAM>(control_.min()),
                     static_cast<LPARAM>(control_.max()));
        SendMessageA(hwnd_, PBM_SETPOS, static_cast<WPARAM>(control_.value()), 0);
    }
};

// Plays an AVI clip from the resources of a library (or of the program).
class AnimationWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    ~AnimationWindow() override {
        if (hwnd_)
            SendMessageA(hwnd_, ACM_OPENA, 0, 0);
        if (library_)
            FreeLibrary(library_);
    }

protected:
    const char* windowClass() const override { return ANIMATE_CLASSA; }
    DWORD style() const override { return ACS_TRANSPARENT | ACS_CENTER; }
    bool showsText() const override { return false; }
    bool refillsOn(Property property) const override { return property == Property::Animation; }
    void fill() override {
        if (control_.clipModule() != openModule_ || control_.clipResource() != openResource_) {
            SendMessageA(hwnd_, ACM_OPENA, 0, 0);
            if (library_)
                FreeLibrary(library_);
            library_ = nullptr;
            openModule_ = control_.clipModule();
            openResource_ = control_.clipResource();
            HINSTANCE source = form_.host().resources();
            if (!openModule_.empty()) {
                library_ = LoadLibraryExA(openModule_.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
                source = library_;
            }
            opened_ = source && openResource_ > 0 &&
                      SendMessageA(hwnd_, ACM_OPENA, reinterpret_cast<WPARAM>(source),
                                   reinterpret_cast<LPARAM>(MAKEINTRESOURCEA(openResource_)));
        }
        if (!opened_)
            return;
        if (control_.playing())
            SendMessageA(hwnd_, ACM_PLAY, static_cast<WPARAM>(-1), MAKELPARAM(0, 0xFFFF));
        else
            SendMessageA(hwnd_, ACM_STOP, 0, 0);
    }

private:
    std::string openModule_;
    int openResource_ = 0;
    bool opened_ = false;
    HMODULE library_ = nullptr;
};

// No window: a system timer of the form window, running while enabled with
// an interval above zero.
class TimerWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    ~TimerWindow() override { form_.stopTimer(*this); }

    void create(HWND, int) override { apply(); }
    void mirror(Property property) override {
        if (property == Property::Enabled || property == Property::Interval)
            apply();
    }
    void timer() override {
        if (control_.enabled() && control_.interval() > 0)
            raise(Event::Timer);
    }

protected:
    const char* windowClass() const override { return ""; }

private:
    void apply() {
        if (control_.enabled() && control_.interval() > 0)
            form_.startTimer(*this, static_cast<UINT>(control_.interval()));
        else
            form_.stopTimer(*this);
    }
};

} // namespace

std::unique_ptr<ControlWindow> makeGaugeWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::HScrollBar:
        return std::make_unique<ScrollBarWindow>(form, control);
    case ControlKind::ProgressBar:
        return std::make_unique<ProgressBarWindow>(form, control);
    case ControlKind::Animation:
        return std::make_unique<AnimationWindow>(form, control);
    default:
        return std::make_unique<TimerWindow>(form, control);
    }
}

} // namespace velmora::ui::win32
