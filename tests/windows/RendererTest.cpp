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
using ui::win32::Win32UiHost;
using Log = std::vector<std::string>;

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
    LRESULT send(const std::string& name, UINT message, WPARAM w = 0, LPARAM l = 0) const {
        return SendMessageA(child(name), message, w, l);
    }
    LONG_PTR styleOf(const std::string& name) const {
        return GetWindowLongPtrA(child(name), GWL_STYLE);
    }
    bool shown(const std::string& name) const { return IsWindowVisible(child(name)) != FALSE; }
    // The program's own loop: keyboard navigation, then the windows.
    void pump() { host.doEvents(); }
    void key(const std::string& name, WPARAM vk) {
        PostMessageA(child(name), WM_KEYDOWN, vk, 1);
        PostMessageA(child(name), WM_KEYUP, vk, 0xC0000001);
        pump();
    }
    void focus(const std::string& name) {
        SetFocus(child(name));
        pump();
        form.clearLog();
    }
    void click(HWND target, int x = 2, int y = 2, UINT down = WM_LBUTTONDOWN) {
        SendMessageA(target, down, MK_LBUTTON, MAKELPARAM(x, y));
        SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    }
    void doubleClick(const std::string& name) { click(child(name), 2, 2, WM_LBUTTONDBLCLK); }
    int pixelsX(int twips) const { return MulDiv(twips, host.dpiX(), 1440); }
    int pixelsY(int twips) const { return MulDiv(twips, host.dpiY(), 1440); }

    Win32UiHost host;
    SampleForm form;
    HWND window = nullptr;
};

std::string lower(std::string text) {
    CharLowerA(text.data());
    return text;
}

} // namespace

// The common controls' classes show in every other test through their own
// messages (BM_, EM_, CB_, LB_, TCM_, LVM_, TVM_, PBM_...); these are the rest.
TEST_F(Renderer, EveryControlIsANamedChildWindowOfItsKindsClass) {
    const std::pair<const char*, const char*> expected[] = {
        {"fraOpt", "velmoraframe"},  {"lin1", "velmoraline"},   {"shp01", "velmorashape"},
        {"img01", "velmorapicture"}, {"rtb400", "richedit20a"}, {"Animation631", "sysanimate32"},
    };
    for (const auto& [name, cls] : expected) {
        HWND found = child(name);
        ASSERT_NE(found, nullptr) << name;
        EXPECT_EQ(lower(classOf(found)), cls) << name;
    }
    EXPECT_EQ(child("tmr641"), nullptr) << "a timer has no window";
    EXPECT_EQ(velmoraName(window), "frmSample");
    EXPECT_EQ(lower(classOf(window)), "velmoraform");
    // One window per control with a window, every one named as the model
    // names it.
    const auto named = namedControls(window);
    EXPECT_EQ(named.size(), form.controls().size() - 1);
    for (const auto& [name, control] : named)
        EXPECT_NE(form.find(name), nullptr) << name;
}

TEST_F(Renderer, ContainersHoldTheirControlsAndTabPagesShowOnlyTheCurrentOne) {
    EXPECT_EQ(GetParent(child("opt300(2)")), child("fraOpt"));
    EXPECT_EQ(GetParent(child("SSTab2")), child("SSTab1"));
    EXPECT_EQ(GetParent(child("lbl510")), child("SSTab2"));
    EXPECT_EQ(GetParent(child("cmdOk")), window);
    auto expectShown = [&](const Log& visible, const Log& hidden) {
        for (const std::string& name : visible)
            EXPECT_TRUE(shown(name)) << name;
        for (const std::string& name : hidden)
            EXPECT_FALSE(shown(name)) << name;
    };
    expectShown({"chk700", "lblAll"}, {"SSTab2", "lbl500"});

    // The user picks the second tab: the tab control changes pages as the
    // button goes down, so Click comes with the new page already current.
    RECT item;
    send("SSTab1", TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&item));
    click(child("SSTab1"), (item.left + item.right) / 2, (item.top + item.bottom) / 2);
    pump();
    EXPECT_EQ(form["SSTab1"].value(), 1);
    EXPECT_EQ(send("SSTab1", TCM_GETCURSEL), 1);
    EXPECT_EQ(form.logged("Click"), Log{"Click SSTab1"});
    for (std::size_t i = 0; i < form.log.size(); ++i)
        EXPECT_TRUE(form.log[i] != "Click SSTab1" || form.values[i] == 1);
    EXPECT_EQ(form.logged("MouseUp"), Log{"MouseUp SSTab1"});
    expectShown({"lblAll", "SSTab2", "lbl500"}, {"chk700", "lbl510"});

    // Nested pages switch from code, without an event.
    form.clearLog();
    form["SSTab2"].setValue(1);
    EXPECT_EQ(send("SSTab2", TCM_GETCURSEL), 1);
    expectShown({"lbl510"}, {"lbl500"});
    form["SSTab1"].setValue(0);
    expectShown({"chk700"}, {"lbl510"});
    EXPECT_TRUE(form.log.empty());

    // Ctrl+Tab goes to the next page of the strip around the focus.
    SetFocus(child("chk700"));
    BYTE keys[256];
    GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    SetKeyboardState(keys);
    key("chk700", VK_TAB);
    keys[VK_CONTROL] = 0;
    SetKeyboardState(keys);
    EXPECT_EQ(form["SSTab1"].value(), 1);
    EXPECT_EQ(form.logged("Click"), Log{"Click SSTab1"});
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

    RECT outer, work, client;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, pixelsX(9720));
    EXPECT_EQ(outer.bottom - outer.top, pixelsY(6600));
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
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

struct Shows {
    const char* control;
    UINT message;
    LRESULT expected;
};

TEST_F(Renderer, WindowsShowTheModelAndFollowItsChangesWithoutEvents) {
    EXPECT_EQ(textOf(window), "Sample");
    EXPECT_EQ(textOf(child("chk102")), "&Lock attachments");
    EXPECT_EQ(textOf(child("fraOpt")), "Actions");
    const std::tuple<const char*, LONG_PTR, LONG_PTR> styles[] = {
        {"chk102", BS_TYPEMASK, BS_3STATE},       {"opt300(0)", BS_TYPEMASK, BS_RADIOBUTTON},
        {"cmdOk", BS_TYPEMASK, BS_DEFPUSHBUTTON}, {"cmdCancel", BS_TYPEMASK, BS_PUSHBUTTON},
        {"lbl305", SS_NOTIFY, SS_NOTIFY},         {"txt301", ES_MULTILINE, ES_MULTILINE},
        {"txt301", WS_VSCROLL, WS_VSCROLL},       {"txt300", ES_MULTILINE, 0},
        {"cbo200", 3, CBS_DROPDOWNLIST},          {"lvw1", LVS_TYPEMASK, LVS_REPORT},
        {"lvw1", LVS_EDITLABELS, LVS_EDITLABELS}, {"lvw1", LVS_SINGLESEL, 0},
        {"rtb400", ES_READONLY, ES_READONLY}};
    for (const auto& [name, mask, expected] : styles)
        EXPECT_EQ(styleOf(name) & mask, expected) << name << " " << mask;
    EXPECT_TRUE(GetWindowLongPtrA(child("fraOpt"), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    int low = -1, high = -1;
    GetScrollRange(child("hsc300"), SB_CTL, &low, &high);
    EXPECT_EQ(high - low, 1);
    const Shows before[] = {{"chk102", BM_GETCHECK, BST_UNCHECKED},
                            {"chk103", BM_GETCHECK, BST_INDETERMINATE},
                            {"opt300(1)", BM_GETCHECK, BST_CHECKED},
                            {"cbo200", CB_GETCOUNT, 3},
                            {"cbo200", CB_GETCURSEL, 1},
                            {"lst1", LB_GETCOUNT, 3},
                            {"lst1", LB_GETCURSEL, LB_ERR},
                            {"pBar631", PBM_GETPOS, 40},
                            {"SSTab1", TCM_GETITEMCOUNT, 2}};
    for (const Shows& s : before)
        EXPECT_EQ(send(s.control, s.message), s.expected) << s.control << " " << s.message;

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

    const Shows after[] = {{"chk102", BM_GETCHECK, BST_CHECKED},
                           {"chk103", BM_GETCHECK, BST_UNCHECKED},
                           {"opt300(4)", BM_GETCHECK, BST_CHECKED},
                           {"opt300(1)", BM_GETCHECK, BST_UNCHECKED},
                           {"cbo200", CB_GETCOUNT, 2},
                           {"cbo200", CB_GETCURSEL, 1},
                           {"lst1", LB_GETCURSEL, 2},
                           {"pBar631", PBM_GETPOS, 75}};
    for (const Shows& s : after)
        EXPECT_EQ(send(s.control, s.message), s.expected) << s.control << " " << s.message;
    EXPECT_EQ(textOf(child("cmdOk")), "Go");
    EXPECT_EQ(textOf(child("txt300")), "typed by code");
    EXPECT_EQ(textOf(child("lbl305")), "Label");
    char item[16] = {};
    send("cbo200", CB_GETLBTEXT, 1, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "Two");
    EXPECT_EQ(GetScrollPos(child("hsc300"), SB_CTL), 1);
    EXPECT_FALSE(IsWindowEnabled(child("cmdCancel")));
    EXPECT_FALSE(shown("lbl305"));
    LOGFONTA font{};
    GetObjectA(reinterpret_cast<HFONT>(send("chk103", WM_GETFONT)), sizeof(font), &font);
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(textOf(window), "Renamed");
    EXPECT_TRUE(form.log.empty()) << form.log.front();
}

TEST_F(Renderer, ColoursComeFromTheModel) {
    form["lbl305"].setForeColor(RGB(255, 0, 0));
    form["lbl305"].setBackColor(RGB(0, 0, 128));
    HDC dc = CreateCompatibleDC(nullptr);
    LOGBRUSH fill{};
    GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(window, WM_CTLCOLORSTATIC,
                                                     reinterpret_cast<WPARAM>(dc),
                                                     reinterpret_cast<LPARAM>(child("lbl305")))),
               sizeof(fill), &fill);
    EXPECT_EQ(fill.lbColor, RGB(0, 0, 128));
    EXPECT_EQ(GetTextColor(dc), RGB(255, 0, 0));
    DeleteDC(dc);

    // Painted controls: a filled shape and a coloured button.
    form["shp01"].setBackColor(RGB(0, 128, 0));
    form["shp01"].setForeColor(RGB(0, 0, 255));
    form["cmdCancel"].setBackColor(RGB(255, 255, 0));
    EXPECT_EQ(styleOf("cmdCancel") & BS_TYPEMASK, BS_OWNERDRAW);
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    auto pixel = [&](const char* name, int x, int y) {
        HDC painted = GetDC(child(name));
        const COLORREF colour = GetPixel(painted, x, y);
        ReleaseDC(child(name), painted);
        return colour;
    };
    EXPECT_EQ(pixel("shp01", 0, 0), RGB(0, 0, 255));
    EXPECT_EQ(pixel("shp01", 5, 5), RGB(0, 128, 0));
    EXPECT_EQ(pixel("cmdCancel", 6, 4), RGB(255, 255, 0));
}

TEST_F(Renderer, CheckBoxClicksRaiseMouseDownClickMouseUpWithTheNewValue) {
    send("chk102", BM_CLICK);
    // The button takes the focus as it goes down.
    EXPECT_EQ(form.log, (Log{"LostFocus cmdOk", "GotFocus chk102", "MouseDown chk102",
                             "Click chk102", "MouseUp chk102"}));
    EXPECT_EQ(form.values, (std::vector<int>{0, 0, 0, 1, 1}));
    EXPECT_EQ(send("chk102", BM_GETCHECK), BST_CHECKED);

    // With the mouse, and the position in twips.
    form.clearLog();
    click(child("chk102"), 4, 6);
    EXPECT_EQ(form.log, (Log{"MouseDown chk102", "Click chk102", "MouseUp chk102"}));
    EXPECT_EQ(form["chk102"].value(), 0);
    EXPECT_EQ(form.args[2].button, 1);
    EXPECT_EQ(form.args[2].x, MulDiv(4, 1440, host.dpiX()));
    EXPECT_EQ(form.args[2].y, MulDiv(6, 1440, host.dpiY()));

    // A grey box becomes ticked; a disabled box takes no events.
    send("chk103", BM_CLICK);
    EXPECT_EQ(form["chk103"].value(), 1);
    form.clearLog();
    form["chk102"].setEnabled(false);
    send("chk102", BM_CLICK);
    EXPECT_TRUE(form.log.empty());
}

TEST_F(Renderer, OptionsAreExclusiveInTheirContainerAndArrowsMoveTheTick) {
    send("opt300(3)", BM_CLICK);
    EXPECT_EQ(form.withoutFocus(),
              (Log{"MouseDown opt300(3)", "Click opt300(3)", "MouseUp opt300(3)"}));
    EXPECT_EQ(form.args.back().index, 3);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(form.control("opt300", i).value(), i == 3 ? 1 : 0) << i;
        EXPECT_EQ(send("opt300(" + std::to_string(i) + ")", BM_GETCHECK),
                  i == 3 ? BST_CHECKED : BST_UNCHECKED)
            << i;
    }
    form["opt301"].setValue(1); // another container: both stay ticked
    EXPECT_EQ(form.control("opt300", 3).value(), 1);
    // Only the ticked option of a group is a tab stop.
    EXPECT_TRUE(styleOf("opt300(3)") & WS_TABSTOP);
    EXPECT_FALSE(styleOf("opt300(1)") & WS_TABSTOP);
    // Clicking the ticked option again raises no Click.
    form.clearLog();
    send("opt300(3)", BM_CLICK);
    EXPECT_TRUE(form.logged("Click").empty());

    // Arrow keys tick the next option of the group, wrapping round.
    focus("opt300(3)");
    key("opt300(3)", VK_DOWN);
    EXPECT_EQ(GetFocus(), child("opt300(4)"));
    EXPECT_EQ(form.control("opt300", 3).value(), 0);
    EXPECT_EQ(form.logged("Click"), Log{"Click opt300(4)"});
    key("opt300(4)", VK_DOWN);
    EXPECT_EQ(form.control("opt300", 0).value(), 1);
    key("opt300(0)", VK_UP);
    EXPECT_EQ(form.control("opt300", 4).value(), 1);
    EXPECT_TRUE(form.logged("Mouse").empty());
}

TEST_F(Renderer, TextBoxesRaiseChangeForTypingOnlyAndFocusEvents) {
    HWND box = child("txt300");
    form["txt300"].setText("from code");
    EXPECT_TRUE(form.log.empty());
    focus("cmdOk");
    SetFocus(box);
    EXPECT_EQ(form.log, (Log{"LostFocus cmdOk", "GotFocus txt300"}));
    form.clearLog();
    SendMessageA(box, EM_SETSEL, 0, -1);
    PostMessageA(box, WM_KEYDOWN, 'A', 1); // translated into the character
    pump();
    EXPECT_EQ(form["txt300"].text(), "a");
    EXPECT_EQ(form.log, (Log{"KeyDown txt300", "KeyPress txt300", "Change txt300"}));
    EXPECT_EQ(form.args[0].keyCode, 'A');

    // A handler that corrects the typing leaves the caret at the same place
    // from the end, so that the next key goes where the user expects.
    form.react = [&](const std::string& entry, ui::EventArgs&) {
        const std::string& text = form["txt300"].text();
        if (entry == "Change txt300" && text.size() > 1 && text[0] == '0')
            form["txt300"].setText(text.substr(1));
    };
    SendMessageA(box, EM_SETSEL, 0, -1);
    for (WPARAM typed : {'0', '0', '7'})
        PostMessageA(box, WM_KEYDOWN, typed, 1);
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

    // The focus given from code raises the focus events, as the program's
    // browse buttons rely on.
    SetFocus(child("cmdOk"));
    EXPECT_EQ(form.logged("LostFocus"), Log{"LostFocus txt300"});
    form.clearLog();
    form["txt300"].setFocus();
    EXPECT_EQ(GetFocus(), box);
    form["cmdOk"].setFocus();
    EXPECT_EQ(form.log,
              (Log{"LostFocus cmdOk", "GotFocus txt300", "LostFocus txt300", "GotFocus cmdOk"}));
    form.clearLog();
    doubleClick("txt300");
    EXPECT_EQ(form.logged("DblClick"), Log{"DblClick txt300"});

    // Several lines, and lines set from code after the window is made.
    form["txt301"].setText("one\r\ntwo");
    EXPECT_EQ(send("txt301", EM_GETLINECOUNT), 2);
    form["txt300"].setMultiLine(true);
    EXPECT_TRUE(styleOf("txt300") & ES_MULTILINE);
    EXPECT_EQ(textOf(child("txt300")), "75");
    form["txt300"].setReadOnly(true);
    EXPECT_TRUE(styleOf("txt300") & ES_READONLY);
}

TEST_F(Renderer, LabelsListsAndScrollBarsRaiseTheirEvents) {
    click(child("lbl305"));
    EXPECT_EQ(form.log, (Log{"MouseDown lbl305", "MouseUp lbl305", "Click lbl305"}));
    form.clearLog();
    doubleClick("lbl305");
    EXPECT_EQ(form.log, (Log{"DblClick lbl305", "MouseUp lbl305"}));
    // A press that ends outside is no click.
    form.clearLog();
    send("lbl305", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
    send("lbl305", WM_LBUTTONUP, 0, MAKELPARAM(-20, 2));
    EXPECT_TRUE(form.logged("Click").empty());

    focus("cbo200");
    key("cbo200", VK_DOWN);
    EXPECT_EQ(form["cbo200"].listIndex(), 2);
    EXPECT_EQ(form.logged("Click"), Log{"Click cbo200"});
    const auto height = static_cast<int>(send("lst1", LB_GETITEMHEIGHT));
    form.clearLog();
    click(child("lst1"), 5, height + height / 2);
    EXPECT_EQ(form["lst1"].listIndex(), 1);
    EXPECT_EQ(form.logged("Click"), Log{"Click lst1"});

    // The scroll bar: a step to the right, then none past the end.
    form.clearLog();
    for (int i = 0; i < 2; ++i)
        SendMessageA(window, WM_HSCROLL, SB_LINERIGHT, reinterpret_cast<LPARAM>(child("hsc300")));
    EXPECT_EQ(form["hsc300"].value(), 1);
    EXPECT_EQ(GetScrollPos(child("hsc300"), SB_CTL), 1);
    EXPECT_EQ(form.log, Log{"Change hsc300"});
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

// A list view follows the press until the button comes up: the release is
// queued first.
void listClick(HWND list, UINT down, UINT up, POINT at) {
    PostMessageA(list, up, 0, MAKELPARAM(at.x, at.y));
    SendMessageA(list, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON,
                 MAKELPARAM(at.x, at.y));
}

} // namespace

TEST_F(Renderer, ListViewShowsRowsAndMirrorsTheSelectionBothWays) {
    HWND list = child("lvw1");
    auto selected = [&](int row) {
        return send("lvw1", LVM_GETITEMSTATE, row, LVIS_SELECTED) != 0;
    };
    ASSERT_EQ(send("lvw1", LVM_GETITEMCOUNT), 3);
    EXPECT_EQ(itemText(list, 1, 0), " free");
    EXPECT_EQ(itemText(list, 1, 1), "2066726565");
    HWND header = reinterpret_cast<HWND>(send("lvw1", LVM_GETHEADER));
    EXPECT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(send("lvw1", LVM_GETCOLUMNWIDTH), pixelsX(2000));
    EXPECT_FALSE(selected(0));
    EXPECT_TRUE(selected(1));

    // The window's selection goes to the model, the model's to the window.
    LVITEMA state{};
    state.stateMask = state.state = LVIS_SELECTED;
    send("lvw1", LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&state));
    EXPECT_TRUE(form["lvw1"].rows()[0].selected);
    EXPECT_TRUE(form["lvw1"].rows()[1].selected);
    form["lvw1"].setRowSelected(1, false);
    EXPECT_FALSE(selected(1));
    EXPECT_TRUE(form.log.empty());

    // A click selects one row alone and raises Click; then a double click,
    // the Delete key and the right button, as the word list uses them.
    RECT row{LVIR_BOUNDS};
    send("lvw1", LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row));
    const POINT at{row.left + 8, (row.top + row.bottom) / 2};
    listClick(list, WM_LBUTTONDOWN, WM_LBUTTONUP, at);
    pump();
    EXPECT_FALSE(form["lvw1"].rows()[0].selected);
    EXPECT_TRUE(form["lvw1"].rows()[2].selected);
    EXPECT_EQ(form.logged("Click"), Log{"Click lvw1"});
    form.clearLog();
    listClick(list, WM_LBUTTONDBLCLK, WM_LBUTTONUP, at);
    pump();
    EXPECT_EQ(form.logged("DblClick"), Log{"DblClick lvw1"});
    focus("lvw1");
    key("lvw1", VK_DELETE);
    ASSERT_FALSE(form.logged("KeyDown lvw1").empty());
    EXPECT_EQ(form.argsOf("KeyDown lvw1").keyCode, VK_DELETE);
    form.clearLog();
    listClick(list, WM_RBUTTONDOWN, WM_RBUTTONUP, at);
    pump();
    EXPECT_EQ(form.logged("MouseDown"), Log{"MouseDown lvw1"});

    // Rows from code; a row count change keeps the window in step.
    form["lvw1"].setRows({{"one", {"6F6E65"}, false, ui::kDefaultColour}});
    EXPECT_EQ(send("lvw1", LVM_GETITEMCOUNT), 1);
    EXPECT_EQ(itemText(list, 0, 1), "6F6E65");
    form["lvw1"].setRowText(0, "two");
    EXPECT_EQ(itemText(list, 0, 0), "two");

    // A click on a column header.
    form.clearLog();
    RECT column;
    SendMessageA(header, HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&column));
    click(header, (column.left + column.right) / 2, (column.top + column.bottom) / 2);
    pump();
    ASSERT_EQ(form.logged("ColumnClick"), Log{"ColumnClick lvw1"});
    EXPECT_EQ(form.argsOf("ColumnClick lvw1").column, 1);
}

TEST_F(Renderer, ListViewLabelEditsGoThroughAfterLabelEdit) {
    HWND list = child("lvw1");
    focus("lvw1");
    auto edit = [&](int row, const char* text) {
        HWND editor = reinterpret_cast<HWND>(send("lvw1", LVM_EDITLABELA, row));
        ASSERT_NE(editor, nullptr);
        pump();
        SetWindowTextA(editor, text);
        pump();
        SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
        pump();
    };
    edit(0, "spam");
    EXPECT_EQ(form.logged("AfterLabelEdit"), Log{"AfterLabelEdit lvw1"});
    EXPECT_EQ(form.argsOf("AfterLabelEdit lvw1").row, 0);
    EXPECT_EQ(form.argsOf("AfterLabelEdit lvw1").text, "spam");
    EXPECT_EQ(form["lvw1"].rows()[0].text, "spam");
    EXPECT_EQ(itemText(list, 0, 0), "spam");

    // A handler refuses the edit.
    form.react = [](const std::string& entry, ui::EventArgs& args) {
        args.cancel = entry == "AfterLabelEdit lvw1";
    };
    edit(2, "nope");
    EXPECT_EQ(form["lvw1"].rows()[2].text, "win ");
    EXPECT_EQ(itemText(list, 2, 0), "win ");

    // A handler that reworks the rows wins over the edited label.
    form.react = [this](const std::string& entry, ui::EventArgs& args) {
        if (entry == "AfterLabelEdit lvw1" && args.text.empty())
            form["lvw1"].setRows({form["lvw1"].rows()[0], form["lvw1"].rows()[2]});
    };
    edit(1, "");
    ASSERT_EQ(form["lvw1"].rows().size(), 2u) << ::testing::PrintToString(form.log);
    EXPECT_EQ(send("lvw1", LVM_GETITEMCOUNT), 2);
    EXPECT_EQ(itemText(list, 1, 0), "win ");
}

TEST_F(Renderer, TreeViewPlacesNodesUnderTheirParentsAndReportsUserSelections) {
    EXPECT_EQ(send("tvc01", TVM_GETCOUNT), 3);
    auto text = [&](HTREEITEM item) {
        char buffer[64] = {};
        TVITEMA tv{TVIF_TEXT, item};
        tv.pszText = buffer;
        tv.cchTextMax = sizeof(buffer);
        send("tvc01", TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
        return std::string(buffer);
    };
    auto next = [&](HTREEITEM item, UINT how) {
        return reinterpret_cast<HTREEITEM>(
            send("tvc01", TVM_GETNEXTITEM, how, reinterpret_cast<LPARAM>(item)));
    };
    auto expanded = [&](HTREEITEM item) {
        return (send("tvc01", TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_EXPANDED) &
                TVIS_EXPANDED) != 0;
    };
    HTREEITEM root = next(nullptr, TVGN_ROOT);
    EXPECT_EQ(text(root), "Delete");
    EXPECT_EQ(text(next(root, TVGN_CHILD)), "Mark as read");
    EXPECT_EQ(text(next(root, TVGN_NEXT)), "Do not download");
    EXPECT_TRUE(expanded(root));

    form["tvc01"].setSelectedNode("Supprime");
    EXPECT_EQ(next(nullptr, TVGN_CARET), root);
    EXPECT_TRUE(form.log.empty());
    focus("tvc01");
    key("tvc01", VK_DOWN);
    EXPECT_EQ(form.logged("NodeClick"), Log{"NodeClick tvc01"});
    EXPECT_EQ(form.argsOf("NodeClick tvc01").text, "commelu1");
    EXPECT_EQ(form["tvc01"].selectedNode(), "commelu1");

    auto nodes = form["tvc01"].nodes();
    nodes[0].expanded = false;
    form["tvc01"].setNodes(nodes);
    EXPECT_FALSE(expanded(next(nullptr, TVGN_ROOT)));
}

TEST_F(Renderer, RichTextShowsEachRunInItsColourAndWeight) {
    EXPECT_EQ(textOf(child("rtb400")), "Subject cash or free");
    auto format = [&](LONG from, LONG to) {
        CHARRANGE range{from, to};
        send("rtb400", EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
        CHARFORMATA f{sizeof(f), CFM_COLOR | CFM_BOLD};
        send("rtb400", EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&f));
        return std::pair{f.crTextColor, (f.dwEffects & CFE_BOLD) != 0};
    };
    EXPECT_EQ(format(0, 7), std::pair(COLORREF{0x000000}, false));
    EXPECT_EQ(format(8, 12), std::pair(COLORREF{0x0000FF}, true));
    EXPECT_EQ(format(16, 20), std::pair(COLORREF{0x008000}, true));
    form["rtb400"].setText("plain");
    EXPECT_EQ(textOf(child("rtb400")), "plain");
    EXPECT_FALSE(format(0, 5).second);
    form["rtb400"].setRuns({});
    EXPECT_EQ(textOf(child("rtb400")), "");
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
    EXPECT_EQ(form.log, (Log{"Click mnuFichChar", "Click mnuExpr", "Click mnuFich"}));

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

TEST_F(Renderer, KeyboardReachesButtonsThroughEnterEscTabSpaceAndAccessKeys) {
    focus("chk102");
    key("chk102", VK_RETURN);
    EXPECT_EQ(form.logged("Click"), Log{"Click cmdOk"});
    form.clearLog();
    key("chk102", VK_ESCAPE);
    EXPECT_EQ(form.logged("Click"), Log{"Click cmdCancel"});
    // The space bar toggles a box with Click, no mouse events.
    form.clearLog();
    key("chk102", VK_SPACE);
    EXPECT_EQ(form.logged("KeyDown"), Log{"KeyDown chk102"});
    EXPECT_EQ(form.logged("Click"), Log{"Click chk102"});
    EXPECT_TRUE(form.logged("Mouse").empty());
    EXPECT_EQ(form["chk102"].value(), 1);
    key("chk102", VK_SPACE);
    EXPECT_EQ(form["chk102"].value(), 0);

    // Tab moves along the tab stops; into an option group once.
    SetFocus(child("cmdOk"));
    key("cmdOk", VK_TAB);
    EXPECT_EQ(GetFocus(), child("cmdCancel"));
    form.clearLog();
    key("cmdCancel", VK_RETURN);
    EXPECT_EQ(form.logged("Click"), Log{"Click cmdCancel"});
    SetFocus(child("chk103"));
    key("chk103", VK_TAB);
    EXPECT_EQ(GetFocus(), child("opt300(1)"));

    // Access keys: a check box, a label passing the focus on, a tab.
    form.clearLog();
    for (char access : {'l', 'N', 'e'}) {
        PostMessageA(GetFocus(), WM_SYSCHAR, access, 0x20000000);
        pump();
    }
    EXPECT_EQ(form["chk102"].value(), 1);
    EXPECT_EQ(form.logged("Click"), (Log{"Click chk102", "Click SSTab1"}));
    EXPECT_EQ(form["SSTab1"].value(), 1);
    EXPECT_EQ(GetFocus(), child("txt300"));
}

TEST_F(Renderer, ToolTipsComeFromTheModel) {
    form["cmdOk"].setToolTip("Press me");
    HWND tips = findTopLevelOfClass(TOOLTIPS_CLASSA);
    ASSERT_NE(tips, nullptr);
    EXPECT_EQ(GetWindow(tips, GW_OWNER), window);
    auto tip = [&] {
        char buffer[80] = {};
        TOOLINFOA info{TTTOOLINFOA_V2_SIZE};
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
