// The renderer under Wine with real windows: every kind of control of the
// form model becomes the right window, mirrors the model, and turns the
// user's input into the model's values and events.

#include "ui/win32/Win32UiHost.h"
#include "windows/SampleForm.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>
#include <richedit.h>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;
using ui::Event;
using ui::win32::Win32UiHost;

namespace {

class Renderer : public ::testing::Test {
protected:
    Renderer() : host(GetModuleHandleA(nullptr)), form(host) {}

    void SetUp() override {
        form.Show();
        window = findForm("frmSample");
        ASSERT_NE(window, nullptr);
        pump();
    }
    void TearDown() override {
        if (form.isLoaded())
            form.Unload();
        pump();
    }

    HWND child(const std::string& name) const { return findControl(window, name); }
    LONG_PTR styleOf(const std::string& name) const {
        return GetWindowLongPtrA(child(name), GWL_STYLE);
    }
    // The program's own loop: keyboard navigation, then the windows.
    void pump() { host.doEvents(); }
    void key(HWND target, WPARAM vk) {
        PostMessageA(target, WM_KEYDOWN, vk, 1);
        PostMessageA(target, WM_KEYUP, vk, 0xC0000001);
        pump();
    }
    void click(HWND target, int x = 2, int y = 2) {
        SendMessageA(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    int pixelsX(int twips) const { return MulDiv(twips, host.dpiX(), 1440); }
    int pixelsY(int twips) const { return MulDiv(twips, host.dpiY(), 1440); }

    Win32UiHost host;
    SampleForm form;
    HWND window = nullptr;
};

std::string lower(std::string text) {
    for (char& c : text)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return text;
}

} // namespace

TEST_F(Renderer, EveryControlIsANamedChildWindowOfItsKindsClass) {
    const std::pair<const char*, const char*> expected[] = {
        {"cmdOk", "button"},
        {"chk102", "button"},
        {"opt300(4)", "button"},
        {"fraOpt", "velmoraframe"},
        {"lbl305", "static"},
        {"txt300", "edit"},
        {"cbo200", "combobox"},
        {"lst1", "listbox"},
        {"hsc300", "scrollbar"},
        {"lin1", "velmoraline"},
        {"shp01", "velmorashape"},
        {"img01", "velmorapicture"},
        {"SSTab1", "systabcontrol32"},
        {"SSTab2", "systabcontrol32"},
        {"lvw1", "syslistview32"},
        {"tvc01", "systreeview32"},
        {"rtb400", "richedit20a"},
        {"pBar631", "msctls_progress32"},
        {"Animation631", "sysanimate32"},
    };
    for (const auto& [name, cls] : expected) {
        HWND found = child(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(lower(classOf(found)), cls) << name;
        EXPECT_EQ(velmoraName(found), name);
    }
    EXPECT_EQ(child("tmr641"), nullptr) << "a timer has no window";
    EXPECT_EQ(velmoraName(window), "frmSample");
    EXPECT_EQ(lower(classOf(window)), "velmoraform");
    // One window per control with a window, every one named.
    EXPECT_EQ(namedControls(window).size(), form.controls().size() - 1);
}
