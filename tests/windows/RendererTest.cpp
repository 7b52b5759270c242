// The renderer under Wine with real windows: every kind of control of the
// form model becomes the right window, mirrors the model, and turns the
// user's input into the model's values and events.

#include "ui/win32/Win32UiHost.h"
#include "windows/SampleForm.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>
#include <richedit.h>

#include <string>

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
        form.clearLog();
    }
    void TearDown() override {
        if (form.isLoaded())
            form.Unload();
        takeQuitMessage();
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

TEST_F(Renderer, ContainersHoldTheirControlsAndTabPagesShowOnlyTheCurrentOne) {
    EXPECT_EQ(GetParent(child("opt300(2)")), child("fraOpt"));
    EXPECT_EQ(GetParent(child("SSTab2")), child("SSTab1"));
    EXPECT_EQ(GetParent(child("lbl510")), child("SSTab2"));
    EXPECT_EQ(GetParent(child("cmdOk")), window);

    auto shown = [&](const char* name) { return IsWindowVisible(child(name)) != FALSE; };
    EXPECT_TRUE(shown("chk700"));
    EXPECT_TRUE(shown("lblAll"));
    EXPECT_FALSE(shown("SSTab2"));
    EXPECT_FALSE(shown("lbl500"));

    // The user picks the second tab: the model follows, then Click.
    HWND tabs = child("SSTab1");
    RECT item;
    SendMessageA(tabs, TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    click(tabs, (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    pump();
    EXPECT_EQ(form["SSTab1"].value(), 1);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), 1);
    // The tab control changes pages as the button goes down; Click comes
    // with the new page already current.
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click SSTab1"}));
    for (std::size_t i = 0; i < form.log.size(); ++i) {
        if (form.log[i] == "Click SSTab1") {
            EXPECT_EQ(form.values[i], 1);
        }
    }
    EXPECT_EQ(form.logged("MouseUp"), (std::vector<std::string>{"MouseUp SSTab1"}));
    EXPECT_FALSE(shown("chk700"));
    EXPECT_TRUE(shown("lblAll"));
    EXPECT_TRUE(shown("SSTab2"));
    EXPECT_TRUE(shown("lbl500"));
    EXPECT_FALSE(shown("lbl510"));

    // Nested pages switch from code, without an event.
    form.clearLog();
    form["SSTab2"].setValue(1);
    EXPECT_EQ(SendMessageA(child("SSTab2"), TCM_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(shown("lbl500"));
    EXPECT_TRUE(shown("lbl510"));
    form["SSTab1"].setValue(0);
    EXPECT_FALSE(shown("lbl510"));
    EXPECT_TRUE(shown("chk700"));
    EXPECT_TRUE(form.log.empty());

    // Ctrl+Tab goes to the next page of the strip around the focus.
    SetFocus(child("chk700"));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    key(child("chk700"), VK_TAB);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(form["SSTab1"].value(), 1);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click SSTab1"}));
}

TEST_F(Renderer, TabsTakeLessSpaceAroundLongCaptionsBeforeTheStripScrolls) {
    HWND tabs = child("SSTab1");
    auto width = [&](int index) {
        RECT r{};
        SendMessageA(tabs, TCM_GETITEMRECT, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(&r));
        return static_cast<int>(r.right - r.left);
    };
    auto textWidth = [&](const std::string& text) {
        HDC dc = GetDC(tabs);
        HGDIOBJ old =
            SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(tabs, WM_GETFONT, 0, 0)));
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(dc, old);
        ReleaseDC(tabs, dc);
        return static_cast<int>(size.cx);
    };
    RECT client;
    GetClientRect(tabs, &client);

    // Few short captions: the usual six pixels on each side.
    form["SSTab1"].setItems({"A", "B"});
    EXPECT_GE(width(0), textWidth("A") + 12);

    // Captions that need more than the strip with that space, and fit with
    // two pixels on each side.
    constexpr int n = 4;
    const int target = client.right - 4 - n * 2 * 2 - n * 3; // three pixels to spare a tab
    std::vector<std::string> captions(n, "Page");
    auto total = [&] {
        int sum = 0;
        for (const std::string& c : captions)
            sum += textWidth(c);
        return sum;
    };
    for (std::size_t i = 0; total() + textWidth("x") <= target; ++i)
        captions[i % n] += "x";
    ASSERT_GT(total() + n * 2 * 6, client.right) << "the captions would fit anyway";
    form["SSTab1"].setItems(captions);
    RECT first{}, last{};
    SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    SendMessageA(tabs, TCM_GETITEMRECT, n - 1, reinterpret_cast<LPARAM>(&last));
    EXPECT_LE(last.right - first.left, client.right) << "every tab in view, no scroll arrows";
    EXPECT_LT(width(0), textWidth(captions[0]) + 12);
    EXPECT_EQ(SendMessageA(tabs, TCM_GETCURSEL, 0, 0), form["SSTab1"].value());

    // Captions too long for any space, the last tab wholly out of view: the
    // least space, and the strip scrolls.
    const std::string longest = captions[0] + captions[0] + captions[0];
    form["SSTab1"].setItems(std::vector<std::string>(n, longest));
    EXPECT_LT(width(0), textWidth(longest) + 12);
}

TEST_F(Renderer, BoundsAreConvertedFromTwipsWithTheScreenResolution) {
    const RECT list = rectInParent(child("lvw1"));
    EXPECT_EQ(list.left, pixelsX(120));
    EXPECT_EQ(list.top, pixelsY(4080));
    EXPECT_EQ(list.right - list.left, pixelsX(4500));
    EXPECT_EQ(list.bottom - list.top, pixelsY(1800));
    // Inside a frame, relative to the frame.
    const RECT option = rectInParent(child("opt300(3)"));
    EXPECT_EQ(option.left, pixelsX(120));
    EXPECT_EQ(option.top, pixelsY(1140));
    // A line of no height is one pixel high.
    const RECT line = rectInParent(child("lin1"));
    EXPECT_EQ(line.right - line.left, pixelsX(4980) + 1);
    EXPECT_EQ(line.bottom - line.top, 1);

    RECT outer;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, pixelsX(9720));
    EXPECT_EQ(outer.bottom - outer.top, pixelsY(6600));
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(form.scaleWidth(), MulDiv(client.right, 1440, host.dpiX()));
    EXPECT_EQ(form.scaleHeight(), MulDiv(client.bottom, 1440, host.dpiY()));

    // Moving from code.
    form["cmdOk"].setBounds({240, 240, 1500, 450});
    const RECT moved = rectInParent(child("cmdOk"));
    EXPECT_EQ(moved.left, pixelsX(240));
    EXPECT_EQ(moved.bottom - moved.top, pixelsY(450));
    form.setSize(7200, 4800);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, pixelsX(7200));
}

TEST_F(Renderer, WindowsShowTheModelAndFollowItsChangesWithoutEvents) {
    EXPECT_EQ(textOf(window), "Sample");
    EXPECT_EQ(textOf(child("chk102")), "&Lock attachments");
    EXPECT_EQ(textOf(child("fraOpt")), "Actions");
    EXPECT_EQ(styleOf("chk102") & BS_TYPEMASK, BS_3STATE);
    EXPECT_EQ(styleOf("opt300(0)") & BS_TYPEMASK, BS_RADIOBUTTON);
    EXPECT_EQ(styleOf("cmdOk") & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(styleOf("cmdCancel") & BS_TYPEMASK, BS_PUSHBUTTON);
    EXPECT_TRUE(styleOf("lbl305") & SS_NOTIFY);
    EXPECT_TRUE(styleOf("txt301") & ES_MULTILINE);
    EXPECT_TRUE(styleOf("txt301") & WS_VSCROLL);
    EXPECT_FALSE(styleOf("txt300") & ES_MULTILINE);
    EXPECT_EQ(styleOf("cbo200") & 3, CBS_DROPDOWNLIST);
    EXPECT_EQ(styleOf("lvw1") & LVS_TYPEMASK, LVS_REPORT);
    EXPECT_TRUE(styleOf("lvw1") & LVS_EDITLABELS);
    EXPECT_FALSE(styleOf("lvw1") & LVS_SINGLESEL);
    EXPECT_TRUE(styleOf("rtb400") & ES_READONLY);
    EXPECT_TRUE(GetWindowLongPtrA(child("fraOpt"), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);

    EXPECT_EQ(SendMessageA(child("chk102"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(child("chk103"), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    EXPECT_EQ(SendMessageA(child("opt300(1)"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(child("cbo200"), CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(child("cbo200"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(child("lst1"), LB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(child("lst1"), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(SendMessageA(child("pBar631"), PBM_GETPOS, 0, 0), 40);
    EXPECT_EQ(SendMessageA(child("SSTab1"), TCM_GETITEMCOUNT, 0, 0), 2);
    int low = -1, high = -1;
    GetScrollRange(child("hsc300"), SB_CTL, &low, &high);
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, 1);

    form["chk102"].setValue(1);
    form["chk103"].setValue(0);
    form.control("opt300", 4).setValue(1);
    form["cmdOk"].setCaption("Go");
    form["txt300"].setText("typed by code");
    form["lbl305"].setCaption("Label");
    form["cbo200"].setItems({"One", "Two"});
    form["cbo200"].setListIndex(1);
    form["lst1"].setListIndex(2);
    form["hsc300"].setValue(1);
    form["pBar631"].setValue(75);
    form["cmdCancel"].setEnabled(false);
    form["lbl305"].setVisible(false);
    form["chk103"].setBold(true);
    form.setCaption("Renamed");
    pump();

    EXPECT_EQ(SendMessageA(child("chk102"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(child("chk103"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(SendMessageA(child("opt300(4)"), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(SendMessageA(child("opt300(1)"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(textOf(child("cmdOk")), "Go");
    EXPECT_EQ(textOf(child("txt300")), "typed by code");
    EXPECT_EQ(textOf(child("lbl305")), "Label");
    EXPECT_EQ(SendMessageA(child("cbo200"), CB_GETCOUNT, 0, 0), 2);
    char item[16] = {};
    SendMessageA(child("cbo200"), CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "Two");
    EXPECT_EQ(SendMessageA(child("cbo200"), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(SendMessageA(child("lst1"), LB_GETCURSEL, 0, 0), 2);
    EXPECT_EQ(GetScrollPos(child("hsc300"), SB_CTL), 1);
    EXPECT_EQ(SendMessageA(child("pBar631"), PBM_GETPOS, 0, 0), 75);
    EXPECT_FALSE(IsWindowEnabled(child("cmdCancel")));
    EXPECT_FALSE(IsWindowVisible(child("lbl305")));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(child("chk103"), WM_GETFONT, 0, 0)),
               sizeof(font), &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(textOf(window), "Renamed");
    EXPECT_TRUE(form.log.empty()) << form.log.front();
}

TEST_F(Renderer, ColoursComeFromTheModel) {
    form["lbl305"].setForeColor(RGB(255, 0, 0));
    form["lbl305"].setBackColor(RGB(0, 0, 128));
    HDC dc = CreateCompatibleDC(nullptr);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageA(window, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                     reinterpret_cast<LPARAM>(child("lbl305"))));
    LOGBRUSH fill{};
    GetObjectA(brush, sizeof(fill), &fill);
    EXPECT_EQ(fill.lbColor, RGB(0, 0, 128));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    DeleteDC(dc);

    // Painted controls: a filled shape and a coloured button.
    form["shp01"].setBackColor(RGB(0, 128, 0));
    form["shp01"].setForeColor(RGB(0, 0, 255));
    form["cmdCancel"].setBackColor(RGB(255, 255, 0));
    EXPECT_EQ(styleOf("cmdCancel") & BS_TYPEMASK, BS_OWNERDRAW);
    UpdateWindow(window);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    HDC shape = GetDC(child("shp01"));
    EXPECT_EQ(GetPixel(shape, 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(GetPixel(shape, 5, 5), RGB(0, 128, 0));
    ReleaseDC(child("shp01"), shape);
    HDC button = GetDC(child("cmdCancel"));
    EXPECT_EQ(GetPixel(button, 6, 4), RGB(255, 255, 0));
    ReleaseDC(child("cmdCancel"), button);
}

TEST_F(Renderer, CheckBoxClicksRaiseMouseDownClickMouseUpWithTheNewValue) {
    HWND box = child("chk102");
    SendMessageA(box, BM_CLICK, 0, 0);
    // The button takes the focus as it goes down.
    EXPECT_EQ(form.log,
              (std::vector<std::string>{"LostFocus cmdOk", "GotFocus chk102", "MouseDown chk102",
                                        "Click chk102", "MouseUp chk102"}));
    EXPECT_EQ(form.values, (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(form["chk102"].value(), 1);
    EXPECT_EQ(SendMessageA(box, BM_GETCHECK, 0, 0), BST_CHECKED);

    // With the mouse, and the position in twips.
    form.clearLog();
    SendMessageA(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 6));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 6));
    EXPECT_EQ(form.log,
              (std::vector<std::string>{"MouseDown chk102", "Click chk102", "MouseUp chk102"}));
    EXPECT_EQ(form["chk102"].value(), 0);
    EXPECT_EQ(form.args[2].button, 1);
    EXPECT_EQ(form.args[2].x, MulDiv(4, 1440, host.dpiX()));
    EXPECT_EQ(form.args[2].y, MulDiv(6, 1440, host.dpiY()));

    // A grey box becomes ticked.
    form.clearLog();
    SendMessageA(child("chk103"), BM_CLICK, 0, 0);
    EXPECT_EQ(form["chk103"].value(), 1);

    // A disabled box takes no events.
    form.clearLog();
    form["chk102"].setEnabled(false);
    SendMessageA(box, BM_CLICK, 0, 0);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(Renderer, SpaceOnAFocusedCheckBoxTogglesItWithClickOnly) {
    SetFocus(child("chk102"));
    pump();
    form.clearLog();
    key(child("chk102"), VK_SPACE);
    EXPECT_EQ(form.logged("KeyDown"), (std::vector<std::string>{"KeyDown chk102"}));
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click chk102"}));
    EXPECT_TRUE(form.logged("Mouse").empty());
    EXPECT_EQ(form["chk102"].value(), 1);
    key(child("chk102"), VK_SPACE);
    EXPECT_EQ(form["chk102"].value(), 0);
}

TEST_F(Renderer, OptionsAreExclusiveInTheirContainerAndArrowsMoveTheTick) {
    SendMessageA(child("opt300(3)"), BM_CLICK, 0, 0);
    EXPECT_EQ(
        form.withoutFocus(),
        (std::vector<std::string>{"MouseDown opt300(3)", "Click opt300(3)", "MouseUp opt300(3)"}));
    EXPECT_EQ(form.args.back().index, 3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form.control("opt300", i).value(), i == 3 ? 1 : 0) << i;
        EXPECT_EQ(SendMessageA(child("opt300(" + std::to_string(i) + ")"), BM_GETCHECK, 0, 0),
                  i == 3 ? BST_CHECKED : BST_UNCHECKED)
            << i;
    }
    form["opt301"].setValue(1); // another container: both stay ticked
    EXPECT_EQ(form.control("opt300", 3).value(), 1);
    // Only the ticked option of a group is a tab stop.
    EXPECT_TRUE(styleOf("opt300(3)") & WS_TABSTOP);
    EXPECT_FALSE(styleOf("opt300(1)") & WS_TABSTOP);

    // Clicking the ticked option again changes nothing and raises no Click.
    form.clearLog();
    SendMessageA(child("opt300(3)"), BM_CLICK, 0, 0);
    EXPECT_TRUE(form.logged("Click").empty());

    // Arrow keys tick the next option of the group, wrapping round.
    SetFocus(child("opt300(3)"));
    pump();
    form.clearLog();
    key(child("opt300(3)"), VK_DOWN);
    EXPECT_EQ(GetFocus(), child("opt300(4)"));
    EXPECT_EQ(form.control("opt300", 4).value(), 1);
    EXPECT_EQ(form.control("opt300", 3).value(), 0);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click opt300(4)"}));
    key(child("opt300(4)"), VK_DOWN);
    EXPECT_EQ(form.control("opt300", 0).value(), 1);
    key(child("opt300(0)"), VK_UP);
    EXPECT_EQ(form.control("opt300", 4).value(), 1);
    EXPECT_EQ(form.logged("Mouse").size(), 0u);
}

TEST_F(Renderer, TextBoxesRaiseChangeForTypingOnlyAndFocusEvents) {
    HWND box = child("txt300");
    form["txt300"].setText("from code");
    EXPECT_TRUE(form.log.empty());

    SetFocus(child("cmdOk"));
    pump();
    form.clearLog();
    SetFocus(box);
    EXPECT_EQ(form.log, (std::vector<std::string>{"LostFocus cmdOk", "GotFocus txt300"}));
    form.clearLog();
    SendMessageA(box, EM_SETSEL, 0, -1);
    PostMessageA(box, WM_KEYDOWN, 'A', 1); // translated into the character
    pump();
    EXPECT_EQ(form["txt300"].text(), "a");
    EXPECT_EQ(form.log,
              (std::vector<std::string>{"KeyDown txt300", "KeyPress txt300", "Change txt300"}));
    EXPECT_EQ(form.args[0].keyCode, 'A');

    // A handler that corrects the typing leaves the caret at the same place
    // from the end, so that the next key goes where the user expects.
    form.react = [&](const std::string& entry, ui::EventArgs&) {
        const std::string& text = form["txt300"].text();
        if (entry == "Change txt300" && text.size() > 1 && text[0] == '0')
            form["txt300"].setText(text.substr(1));
    };
    SendMessageA(box, EM_SETSEL, 0, -1);
    for (WPARAM key : {'0', '0', '7'})
        PostMessageA(box, WM_KEYDOWN, key, 1);
    pump();
    EXPECT_EQ(form["txt300"].text(), "7");
    DWORD start = 99, end = 99;
    SendMessageA(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 1u);
    PostMessageA(box, WM_KEYDOWN, '5', 1);
    pump();
    EXPECT_EQ(form["txt300"].text(), "75");
    form.react = nullptr;

    SetFocus(child("cmdOk"));
    EXPECT_EQ(form.logged("LostFocus"), (std::vector<std::string>{"LostFocus txt300"}));

    // The focus given from code raises the focus events, as the program's
    // browse buttons rely on.
    form.clearLog();
    form["txt300"].setFocus();
    EXPECT_EQ(GetFocus(), box);
    form["cmdOk"].setFocus();
    EXPECT_EQ(form.withoutFocus(), std::vector<std::string>{});
    EXPECT_EQ(form.log, (std::vector<std::string>{"LostFocus cmdOk", "GotFocus txt300",
                                                  "LostFocus txt300", "GotFocus cmdOk"}));

    // A double click on the box.
    form.clearLog();
    SendMessageA(box, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
    EXPECT_EQ(form.logged("DblClick"), (std::vector<std::string>{"DblClick txt300"}));

    // Several lines, and lines set from code after the window is made.
    form["txt301"].setText("one\r\ntwo");
    EXPECT_EQ(SendMessageA(child("txt301"), EM_GETLINECOUNT, 0, 0), 2);
    form["txt300"].setMultiLine(true);
    EXPECT_TRUE(styleOf("txt300") & ES_MULTILINE);
    EXPECT_EQ(textOf(child("txt300")), "75");
    form["txt300"].setReadOnly(true);
    EXPECT_TRUE(styleOf("txt300") & ES_READONLY);
}

TEST_F(Renderer, LabelsRaiseClickAndDblClick) {
    HWND label = child("lbl305");
    click(label);
    EXPECT_EQ(form.log,
              (std::vector<std::string>{"MouseDown lbl305", "MouseUp lbl305", "Click lbl305"}));
    form.clearLog();
    SendMessageA(label, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    EXPECT_EQ(form.log, (std::vector<std::string>{"DblClick lbl305", "MouseUp lbl305"}));
    // A press that ends outside is no click.
    form.clearLog();
    SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(-20, 2));
    EXPECT_TRUE(form.logged("Click").empty());
}

TEST_F(Renderer, ListSelectionsByTheUserRaiseClick) {
    HWND combo = child("cbo200");
    SetFocus(combo);
    pump();
    form.clearLog();
    key(combo, VK_DOWN);
    EXPECT_EQ(form["cbo200"].listIndex(), 2);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click cbo200"}));

    HWND list = child("lst1");
    const auto height = static_cast<int>(SendMessageA(list, LB_GETITEMHEIGHT, 0, 0));
    form.clearLog();
    click(list, 5, height + height / 2);
    EXPECT_EQ(form["lst1"].listIndex(), 1);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click lst1"}));

    // The scroll bar: a step to the right.
    form.clearLog();
    SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(child("hsc300")));
    EXPECT_EQ(form["hsc300"].value(), 1);
    EXPECT_EQ(GetScrollPos(child("hsc300"), SB_CTL), 1);
    EXPECT_EQ(form.log, (std::vector<std::string>{"Change hsc300"}));
    SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(child("hsc300")));
    EXPECT_EQ(form.log.size(), 1u) << "already at the end";
}

namespace {

std::string itemText(HWND list, int row, int column) {
    char buffer[64] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
}

bool rowSelected(HWND list, int row) {
    return SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0;
}

// A list view follows the press until the button comes up: the release is
// queued first.
void listClick(HWND list, UINT down, UINT up, int x, int y) {
    PostMessageA(list, up, 0, MAKELPARAM(x, y));
    SendMessageA(list, down, down == WM_LBUTTONDOWN ? MK_LBUTTON : MK_RBUTTON, MAKELPARAM(x, y));
}

} // namespace

TEST_F(Renderer, ListViewShowsRowsAndMirrorsTheSelectionBothWays) {
    HWND list = child("lvw1");
    ASSERT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 3);
    EXPECT_EQ(itemText(list, 1, 0), " free");
    EXPECT_EQ(itemText(list, 1, 1), "2066726565");
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0), pixelsX(2000));
    EXPECT_FALSE(rowSelected(list, 0));
    EXPECT_TRUE(rowSelected(list, 1));

    // The window's selection goes to the model, the model's to the window.
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    SendMessageA(list, LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(form["lvw1"].rows()[0].selected);
    EXPECT_TRUE(form["lvw1"].rows()[1].selected);
    form["lvw1"].setRowSelected(1, false);
    EXPECT_FALSE(rowSelected(list, 1));
    EXPECT_TRUE(form.log.empty());

    // A click selects one row alone and raises Click.
    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    listClick(list, WM_LBUTTONDOWN, WM_LBUTTONUP, row.left + 8, (row.top + row.bottom) / 2);
    pump();
    EXPECT_FALSE(form["lvw1"].rows()[0].selected);
    EXPECT_TRUE(form["lvw1"].rows()[2].selected);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click lvw1"}));

    // A double click.
    form.clearLog();
    PostMessageA(list, WM_LBUTTONUP, 0, MAKELPARAM(row.left + 8, (row.top + row.bottom) / 2));
    SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON,
                 MAKELPARAM(row.left + 8, (row.top + row.bottom) / 2));
    pump();
    EXPECT_EQ(form.logged("DblClick"), (std::vector<std::string>{"DblClick lvw1"}));

    // Delete key and the right button, as the word list uses them.
    form.clearLog();
    SetFocus(list);
    key(list, VK_DELETE);
    ASSERT_FALSE(form.logged("KeyDown lvw1").empty());
    EXPECT_EQ(form.argsOf("KeyDown lvw1").keyCode, VK_DELETE);
    form.clearLog();
    listClick(list, WM_RBUTTONDOWN, WM_RBUTTONUP, row.left + 8, (row.top + row.bottom) / 2);
    pump();
    ASSERT_EQ(form.logged("MouseDown"), (std::vector<std::string>{"MouseDown lvw1"}));

    // Rows from code; a row count change keeps the window in step.
    form["lvw1"].setRows({{"one", {"6F6E65"}, false, ui::kDefaultColour}});
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(itemText(list, 0, 1), "6F6E65");
    form["lvw1"].setRowText(0, "two");
    EXPECT_EQ(itemText(list, 0, 0), "two");

    // A click on a column header.
    form.clearLog();
    RECT column;
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column));
    click(header, (column.left + column.right) / 2, (column.top + column.bottom) / 2);
    pump();
    ASSERT_EQ(form.logged("ColumnClick"), (std::vector<std::string>{"ColumnClick lvw1"}));
    EXPECT_EQ(form.argsOf("ColumnClick lvw1").column, 1);
}

TEST_F(Renderer, ListViewLabelEditsGoThroughAfterLabelEdit) {
    HWND list = child("lvw1");
    SetFocus(list);
    pump();
    auto edit = [&](int row, const char* text) {
        HWND editor = reinterpret_cast<HWND>(SendMessageA(list, LVM_EDITLABELA, row, 0));
        ASSERT_NE(editor, nullptr);
        pump();
        SetWindowTextA(editor, text);
        pump();
        SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
        pump();
    };

    edit(0, "spam");
    EXPECT_EQ(form.logged("AfterLabelEdit"), (std::vector<std::string>{"AfterLabelEdit lvw1"}));
    EXPECT_EQ(form.argsOf("AfterLabelEdit lvw1").row, 0);
    EXPECT_EQ(form.argsOf("AfterLabelEdit lvw1").text, "spam");
    EXPECT_EQ(form["lvw1"].rows()[0].text, "spam");
    EXPECT_EQ(itemText(list, 0, 0), "spam");

    // A handler refuses the edit.
    form.react = [](const std::string& entry, ui::EventArgs& args) {
        if (entry == "AfterLabelEdit lvw1")
            args.cancel = true;
    };
    edit(2, "nope");
    EXPECT_EQ(form["lvw1"].rows()[2].text, "win ");
    EXPECT_EQ(itemText(list, 2, 0), "win ");

    // A handler that reworks the rows wins over the edited label.
    form.react = [this](const std::string& entry, ui::EventArgs& args) {
        if (entry == "AfterLabelEdit lvw1" && args.text.empty())
            form["lvw1"].setRows({form["lvw1"].rows()[0], form["lvw1"].rows()[2]});
    };
    form.clearLog();
    edit(1, "");
    ASSERT_EQ(form["lvw1"].rows().size(), 2u) << ::testing::PrintToString(form.log);
    EXPECT_EQ(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(itemText(list, 1, 0), "win ");
}

TEST_F(Renderer, TreeViewPlacesNodesUnderTheirParentsAndReportsUserSelections) {
    HWND tree = child("tvc01");
    EXPECT_EQ(SendMessageA(tree, TVM_GETCOUNT, 0, 0), 3);
    auto text = [&](HTREEITEM item) {
        char buffer[64] = {};
        TVITEMA tv{};
        tv.mask = TVIF_TEXT;
        tv.hItem = item;
        tv.pszText = buffer;
        tv.cchTextMax = sizeof(buffer);
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return std::string(buffer);
    };
    auto next = [&](HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    HTREEITEM root = next(nullptr, TVGN_ROOT);
    EXPECT_EQ(text(root), "Delete");
    EXPECT_EQ(text(next(root, TVGN_CHILD)), "Mark as read");
    EXPECT_EQ(text(next(root, TVGN_NEXT)), "Do not download");
    EXPECT_TRUE(
        SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(root), TVIS_EXPANDED) &
        TVIS_EXPANDED);

    form["tvc01"].setSelectedNode("Supprime");
    EXPECT_EQ(next(nullptr, TVGN_CARET), root);
    EXPECT_TRUE(form.log.empty());

    SetFocus(tree);
    pump();
    form.clearLog();
    key(tree, VK_DOWN);
    EXPECT_EQ(form.logged("NodeClick"), (std::vector<std::string>{"NodeClick tvc01"}));
    EXPECT_EQ(form.argsOf("NodeClick tvc01").text, "commelu1");
    EXPECT_EQ(form["tvc01"].selectedNode(), "commelu1");

    auto nodes = form["tvc01"].nodes();
    nodes[0].expanded = false;
    form["tvc01"].setNodes(nodes);
    EXPECT_FALSE(SendMessageA(tree, TVM_GETITEMSTATE,
                              reinterpret_cast<WPARAM>(next(nullptr, TVGN_ROOT)), TVIS_EXPANDED) &
                 TVIS_EXPANDED);
}

TEST_F(Renderer, RichTextShowsEachRunInItsColourAndWeight) {
    HWND rich = child("rtb400");
    EXPECT_EQ(textOf(rich), "Subject cash or free");
    auto format = [&](LONG from, LONG to) {
        CHARRANGE range{from, to};
        SendMessageA(rich, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMATA f{};
        f.cbSize = sizeof(f);
        f.dwMask = CFM_COLOR | CFM_BOLD;
        SendMessageA(rich, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
        return f;
    };
    const CHARFORMATA subject = format(0, 7);
    EXPECT_EQ(subject.crTextColor, 0x000000u);
    EXPECT_FALSE(subject.dwEffects & CFE_BOLD);
    const CHARFORMATA cash = format(8, 12);
    EXPECT_EQ(cash.crTextColor, 0x0000FFu);
    EXPECT_TRUE(cash.dwEffects & CFE_BOLD);
    const CHARFORMATA free = format(16, 20);
    EXPECT_EQ(free.crTextColor, 0x008000u);
    EXPECT_TRUE(free.dwEffects & CFE_BOLD);

    form["rtb400"].setText("plain");
    EXPECT_EQ(textOf(rich), "plain");
    EXPECT_FALSE(format(0, 5).dwEffects & CFE_BOLD);
    form["rtb400"].setRuns({});
    EXPECT_EQ(textOf(rich), "");
}

TEST_F(Renderer, TimersRaiseTimerWhileEnabled) {
    form["tmr641"].setEnabled(true);
    EXPECT_TRUE(
        pumpUntil([&] { return form.logged("Timer tmr641").size() >= 3; }, 5000, [&] { pump(); }));
    form["tmr641"].setEnabled(false);
    pump();
    form.clearLog();
    EXPECT_FALSE(pumpUntil([&] { return !form.log.empty(); }, 300, [&] { pump(); }));
}

TEST_F(Renderer, MenusFollowTheFormsEntriesAndRaiseClick) {
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    ASSERT_EQ(GetMenuItemCount(bar), 2) << "the pop-up entry stays out of the bar";
    char caption[64];
    GetMenuStringA(bar, 0, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "&Fichier");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_EQ(GetMenuItemCount(file), 3);
    EXPECT_TRUE(GetMenuState(file, 1, MF_BYPOSITION) & MF_SEPARATOR);

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 0), 0), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(bar, 1), 0), 0);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(form.log,
              (std::vector<std::string>{"Click mnuFichChar", "Click mnuExpr", "Click mnuFich"}));

    form.setMenuChecked("mnuFichSauv", true);
    form.setMenuEnabled("mnuFichChar", false);
    form.setMenuCaption("mnuExpr", "(4 Expressions)");
    EXPECT_EQ(GetMenu(window), bar) << "captions and states change in place";
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_CHECKED);
    EXPECT_TRUE(GetMenuState(file, 0, MF_BYPOSITION) & MF_GRAYED);
    GetMenuStringA(bar, 1, caption, sizeof(caption), MF_BYPOSITION);
    EXPECT_STREQ(caption, "(4 Expressions)");

    form.setMenuVisible("mnuFichChar", false);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetMenu(window), 0)), 2);
}

TEST_F(Renderer, KeyboardReachesButtonsThroughEnterEscTabAndAccessKeys) {
    SetFocus(child("chk102"));
    pump();
    form.clearLog();
    key(child("chk102"), VK_RETURN);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click cmdOk"}));
    form.clearLog();
    key(child("chk102"), VK_ESCAPE);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click cmdCancel"}));

    // Tab moves along the tab stops; into an option group once.
    SetFocus(child("cmdOk"));
    key(child("cmdOk"), VK_TAB);
    EXPECT_EQ(GetFocus(), child("cmdCancel"));
    form.clearLog();
    key(child("cmdCancel"), VK_RETURN);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click cmdCancel"}));
    SetFocus(child("chk103"));
    key(child("chk103"), VK_TAB);
    EXPECT_EQ(GetFocus(), child("opt300(1)"));

    // Access keys: a check box, a label passing the focus on, a tab.
    form.clearLog();
    PostMessageA(GetFocus(), WM_SYSCHAR, 'l', 0x20000000);
    pump();
    EXPECT_EQ(form["chk102"].value(), 1);
    EXPECT_EQ(form.logged("Click"), (std::vector<std::string>{"Click chk102"}));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'N', 0x20000000);
    pump();
    EXPECT_EQ(GetFocus(), child("txt300"));
    PostMessageA(GetFocus(), WM_SYSCHAR, 'e', 0x20000000);
    pump();
    EXPECT_EQ(form["SSTab1"].value(), 1);
}

TEST_F(Renderer, ToolTipsAndIconsComeFromTheModel) {
    form["cmdOk"].setToolTip("Press me");
    HWND tips = findTopLevelOfClass(TOOLTIPS_CLASSA);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), window);
    auto tip = [&] {
        char buffer[80] = {};
        TOOLINFOA info{};
        info.cbSize = TTTOOLINFOA_V2_SIZE;
        info.hwnd = window;
        info.uId = reinterpret_cast<UINT_PTR>(child("cmdOk"));
        info.lpszText = buffer;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
        return std::string(buffer);
    };
    EXPECT_EQ(tip(), "Press me");
    form["cmdOk"].setToolTip("Now this");
    EXPECT_EQ(tip(), "Now this");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 1);
    form["cmdOk"].setToolTip("");
    EXPECT_EQ(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0), 0);

    // No icon resource in this program: nothing shown, nothing broken.
    form["img01"].setValue(108);
    EXPECT_EQ(SendMessageA(child("img01"), STM_GETICON, 0, 0), 0);
}

TEST_F(Renderer, UnloadingDestroysTheWindowsAndGivesTheirNamesBack) {
    // Window names are global atoms, shared with every process of the
    // session: a name of this process alone shows the reference given back.
    const std::string name = "frmGone" + std::to_string(GetCurrentProcessId());
    SampleForm other(host, name);
    other.Show();
    ASSERT_NE(GlobalFindAtomA(name.c_str()), 0);
    HWND otherWindow = findForm(name);
    HWND box = child("chk102");
    takeQuitMessage();
    form.Unload();
    EXPECT_FALSE(takeQuitMessage()) << "another form is still loaded";
    EXPECT_FALSE(IsWindow(window));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_EQ(findForm("frmSample"), nullptr);
    EXPECT_EQ(form.view(), nullptr);
    other.Unload();
    EXPECT_TRUE(takeQuitMessage()) << "the last form unloaded ends the program";
    EXPECT_FALSE(IsWindow(otherWindow));
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0);
    EXPECT_EQ(findForm(name), nullptr);
    // Changes to an unloaded form's model go nowhere.
    form["chk102"].setValue(1);
    form.setCaption("x");
}
