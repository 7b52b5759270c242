// The renderer under Wine with real windows: every kind of control of the
// form model becomes the right window, mirrors the model, and turns the
// user's input into the model's values and events.

#include "ui/win32/Win32UiHost.h"
#include "windows/SampleForm.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>
#include <richedit.h>

#include <functional>
#include <string>

#include <gtest/gtest.h>

using namespace velmora;
using namespace velmora::testing;
using ui::ControlKind;
using ui::win32::Win32UiHost;
using Log = std::vector<std::string>;

namespace {

// What the user does, and the whole event log it gives then the state of one
// control (see Renderer::state): "MouseDown chk102 1 0,0; Click chk102=1 => 1/1".
struct Input {
    const char* what;
    std::function<void()> send;
    std::string control;
    std::string expected;
};

std::string joined(const Log& entries, const char* separator) {
    std::string all;
    for (const std::string& entry : entries) {
        all += all.empty() ? "" : separator;
        all += entry;
    }
    return all;
}

class Renderer : public ::testing::Test {
protected:
    Renderer() : host(GetModuleHandleA(nullptr)), form(host) {}
    void SetUp() override {
        form.Show();
        window = findForm("frmSample");
        ASSERT_NE(window, nullptr);
        pump();
        form.log.clear();
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
        form.log.clear();
    }
    void click(HWND target, POINT at = {2, 2}, UINT down = WM_LBUTTONDOWN) {
        SendMessageA(target, down, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        SendMessageA(target, WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    }
    // A mouse event's button and position as the log shows them.
    std::string mouse(int button, POINT at) const {
        return std::to_string(button) + " " + std::to_string(MulDiv(at.x, 1440, host.dpiX())) +
               "," + std::to_string(MulDiv(at.y, 1440, host.dpiY()));
    }
    int pixelsX(int twips) const { return MulDiv(twips, host.dpiX(), 1440); }
    int pixelsY(int twips) const { return MulDiv(twips, host.dpiY(), 1440); }

    // The model's state of a control, and the window's after "/" where the
    // window holds one of its own: "1/1" for a ticked box, "010/010" for an
    // option group, "cash| free*|win /cash| free*|win " for a list view's
    // rows with the selected ones starred.
    std::string state(const std::string& name) const {
        const ui::Control& c = form[name];
        const auto sent = [&](UINT message) { return std::to_string(send(name, message)); };
        switch (c.kind()) {
        case ControlKind::CheckBox:
            return std::to_string(c.value()) + "/" + sent(BM_GETCHECK);
        case ControlKind::OptionButton: {
            std::string model, shown;
            for (const ui::Control* e : form.elements(c.baseName())) {
                model += std::to_string(e->value());
                shown += std::to_string(SendMessageA(child(e->name()), BM_GETCHECK, 0, 0));
            }
            return model + "/" + shown;
        }
        case ControlKind::HScrollBar:
            return std::to_string(c.value()) + "/" +
                   std::to_string(GetScrollPos(child(name), SB_CTL));
        case ControlKind::TabStrip:
            return std::to_string(c.value()) + "/" + sent(TCM_GETCURSEL);
        case ControlKind::ComboBox:
        case ControlKind::ListBox:
            return std::to_string(c.listIndex());
        case ControlKind::TextBox:
            return c.text();
        case ControlKind::TreeView:
            return c.selectedNode();
        case ControlKind::ListView: {
            std::string model, shown;
            for (std::size_t row = 0; row < c.rows().size(); ++row)
                model += c.rows()[row].text + (c.rows()[row].selected ? "*|" : "|");
            for (int row = 0; row < send(name, LVM_GETITEMCOUNT); ++row)
                shown += itemText(row, 0) +
                         (send(name, LVM_GETITEMSTATE, row, LVIS_SELECTED) ? "*|" : "|");
            return model + "/" + shown;
        }
        default:
            return std::to_string(c.value());
        }
    }
    std::string itemText(int row, int column) const {
        char buffer[64] = {};
        ListView_GetItemText(child("lvw1"), row, column, buffer, sizeof(buffer));
        return buffer;
    }
    std::function<void()> sent(const char* name, UINT message) {
        return [this, name, message] { send(name, message); };
    }
    std::function<void()> pressed(const char* name, WPARAM vk, bool focusFirst = false) {
        return [this, name, vk, focusFirst] {
            if (focusFirst)
                focus(name);
            key(name, vk);
        };
    }
    std::function<void()> clicked(const char* name, POINT at = {2, 2}, UINT down = WM_LBUTTONDOWN) {
        return [this, name, at, down] { click(child(name), at, down); };
    }

    Win32UiHost host;
    SampleForm form;
    HWND window = nullptr;
};

} // namespace

TEST_F(Renderer, EveryControlIsANamedWindowOfItsClassInItsContainerAtItsPlace) {
    const std::pair<const char*, const char*> classes[] = {
        {"fraOpt", "velmoraframe"},       {"opt300(2)", "button"},       {"shp01", "velmorashape"},
        {"img01", "velmorapicture"},      {"SSTab2", "systabcontrol32"}, {"lbl510", "static"},
        {"lvw1", "syslistview32"},        {"tvc01", "systreeview32"},    {"rtb400", "richedit20a"},
        {"Animation631", "sysanimate32"},
    };
    for (const auto& [name, expected] : classes) {
        std::string cls = classOf(child(name));
        CharLowerA(cls.data());
        EXPECT_EQ(cls, expected) << name;
    }
    // Every control but the timer, in its container at its place; a line of
    // no height is one pixel high, its last pixel included; a closed combo
    // box is as high as its font makes it.
    const auto named = namedControls(window);
    EXPECT_EQ(named.size(), form.controls().size() - 1);
    for (const auto& [name, found] : named) {
        const ui::Control* c = form.find(name);
        ASSERT_NE(c, nullptr) << name;
        EXPECT_EQ(GetParent(found), c->container().empty() ? window : child(c->container()))
            << name;
        const RECT r = rectInParent(found);
        const ui::Twips& t = c->bounds();
        const bool line = c->kind() == ControlKind::Line;
        const LONG height = c->kind() == ControlKind::ComboBox ? r.bottom - r.top
                            : line                             ? 1
                                                               : pixelsY(t.height);
        EXPECT_EQ(
            (std::vector<LONG>{r.left, r.top, r.right - r.left, r.bottom - r.top}),
            (std::vector<LONG>{pixelsX(t.left), pixelsY(t.top), pixelsX(t.width) + line, height}))
            << name;
    }

    // The form is centred in the work area; its inner size goes to the model.
    RECT outer, work, client;
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, pixelsX(9720));
    EXPECT_EQ(outer.bottom - outer.top, pixelsY(6600));
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_NEAR((outer.left + outer.right) / 2, (work.left + work.right) / 2, 1);
    GetClientRect(window, &client);
    EXPECT_EQ(form.scaleWidth(), MulDiv(client.right, 1440, host.dpiX()));
    EXPECT_EQ(form.scaleHeight(), MulDiv(client.bottom, 1440, host.dpiY()));
    form["cmdOk"].setBounds({240, 240, 1500, 450});
    const RECT moved = rectInParent(child("cmdOk"));
    EXPECT_EQ(moved.left, pixelsX(240));
    EXPECT_EQ(moved.bottom - moved.top, pixelsY(450));
    form.setSize(7200, 4800);
    GetWindowRect(window, &outer);
    EXPECT_EQ(outer.right - outer.left, pixelsX(7200));
}

TEST_F(Renderer, WindowsShowTheModelAndFollowItsChangesWithoutEvents) {
    using Read = std::function<std::string(HWND)>;
    const auto number = [](auto n) { return std::to_string(n); };
    const auto message = [=](UINT m) -> Read {
        return [=](HWND w) { return number(SendMessageA(w, m, 0, 0)); };
    };
    const auto style = [=](LONG_PTR mask) -> Read {
        return [=](HWND w) { return number(GetWindowLongPtrA(w, GWL_STYLE) & mask); };
    };
    const auto colourAt = [](HWND w, int x, int y) {
        HDC dc = GetDC(w);
        const COLORREF colour = GetPixel(dc, x, y);
        ReleaseDC(w, dc);
        return colour;
    };
    const auto pixel = [=](int x, int y) -> Read {
        return [=](HWND w) {
            RedrawWindow(w, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
            return number(colourAt(w, x, y));
        };
    };
    // A label's (or box's) colour at its right edge, y pixels down (-1: its
    // middle), where it has no text: its parent's beside it, or its own.
    const auto behindAt = [=](int y) -> Read {
        return [=](HWND w) {
            HWND parent = GetParent(w);
            RedrawWindow(parent, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            RECT r;
            GetClientRect(w, &r);
            if (y >= 0)
                r.bottom = 2 * y;
            POINT beside{r.right + 4, r.bottom / 2};
            MapWindowPoints(w, parent, &beside, 1);
            const COLORREF own = colourAt(w, r.right - 2, r.bottom / 2);
            return own == colourAt(parent, beside.x, beside.y) ? "parent's" : number(own);
        };
    };
    const Read behind = behindAt(-1);
    // A strip on a page of another: the band beside its tabs.
    const Read band = [&](HWND w) {
        form["SSTab1"].setValue(1);
        pump();
        const std::string what = behindAt(3)(w);
        form["SSTab1"].setValue(0);
        pump();
        return what;
    };
    const Read text = textOf, check = message(BM_GETCHECK);
    const Read enabled = [=](HWND w) { return number(IsWindowEnabled(w)); };
    const Read visible = [=](HWND w) { return number(IsWindowVisible(w)); };
    const Read scroll = [=](HWND w) { return number(GetScrollPos(w, SB_CTL)); };
    const Read weight = [=](HWND w) {
        LOGFONTA font{};
        GetObjectA(reinterpret_cast<HFONT>(SendMessageA(w, WM_GETFONT, 0, 0)), sizeof(font), &font);
        return number(font.lfWeight);
    };
    // A static's text and background colours, as its parent gives them.
    const Read colours = [=](HWND w) {
        HDC dc = CreateCompatibleDC(nullptr);
        LOGBRUSH fill{};
        GetObjectA(reinterpret_cast<HBRUSH>(SendMessageA(GetParent(w), WM_CTLCOLORSTATIC,
                                                         reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(w))),
                   sizeof(fill), &fill);
        const std::string both = number(GetTextColor(dc)) + " on " + number(fill.lbColor);
        DeleteDC(dc);
        return both;
    };
    // A list view's columns and the width of the second, then its cells.
    const Read cells = [this, number](HWND w) {
        HWND header = reinterpret_cast<HWND>(SendMessageA(w, LVM_GETHEADER, 0, 0));
        std::string all = number(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) + " of " +
                          number(SendMessageA(w, LVM_GETCOLUMNWIDTH, 1, 0)) + ": ";
        for (int row = 0; row < send("lvw1", LVM_GETITEMCOUNT); ++row)
            all += itemText(row, 0) + "=" + itemText(row, 1) + "|";
        return all;
    };
    // A tree view's nodes, "+" after an expanded one, children in brackets,
    // then the selected one.
    const auto node = [](HWND w, HTREEITEM item) {
        char buffer[64] = {};
        TVITEMA tv{TVIF_TEXT | TVIF_STATE, item, 0, TVIS_EXPANDED, buffer, sizeof(buffer)};
        return item && TreeView_GetItem(w, &tv)
                   ? buffer + std::string(tv.state & TVIS_EXPANDED ? "+" : "")
                   : "none";
    };
    const std::function<std::string(HWND, HTREEITEM)> nodes = [&](HWND w, HTREEITEM item) {
        std::string all;
        for (; item; item = TreeView_GetNextSibling(w, item))
            all += node(w, item) + "(" + nodes(w, TreeView_GetChild(w, item)) + ")";
        return all;
    };
    const Read tree = [&](HWND w) {
        return nodes(w, TreeView_GetRoot(w)) + " at " + node(w, TreeView_GetSelection(w));
    };
    // The text the form's tooltip window holds for a control, and how many
    // controls it has.
    const Read tip = [&](HWND w) {
        HWND tips = findTopLevelOfClass(TOOLTIPS_CLASSA);
        char buffer[80] = {};
        TOOLINFOA info{TTTOOLINFOA_V2_SIZE, 0, window, reinterpret_cast<UINT_PTR>(w)};
        info.lpszText = buffer;
        SendMessageA(tips, TTM_GETTEXTA, sizeof(buffer), reinterpret_cast<LPARAM>(&info));
        return !tips ? "none"
               : GetWindow(tips, GW_OWNER) != window
                   ? "not the form's"
                   : std::string(buffer) + " of " +
                         number(SendMessageA(tips, TTM_GETTOOLCOUNT, 0, 0));
    };
    using F = SampleForm&;
    struct Mirror {
        const char* control; // "" for the form's window
        Read read;
        std::function<void(F)> set;
        std::string expected; // "before -> after"
    };
    const std::string width = number(pixelsX(2000));
    const Mirror mirrors[] = {
        {"", text, [](F f) { f.setCaption("Renamed"); }, "Sample -> Renamed"},
        {"fraOpt", text, nullptr, "Actions -> Actions"},
        {"chk102", check, [](F f) { f["chk102"].setValue(1); }, "0 -> 1"},
        {"chk103", check, [](F f) { f["chk103"].setValue(0); }, "2 -> 0"},
        {"opt300(2)", check, [](F f) { f["opt300(2)"].setValue(1); }, "0 -> 1"},
        {"opt300(1)", check, nullptr, "1 -> 0"},
        // An option of another container leaves the group alone.
        {"opt301", check, [](F f) { f["opt301"].setValue(1); }, "0 -> 1"},
        {"cmdOk", text, [](F f) { f["cmdOk"].setCaption("Go"); }, "&OK -> Go"},
        {"cmdOk", style(BS_TYPEMASK), nullptr, "1 -> 1"}, // BS_DEFPUSHBUTTON
        {"cmdCancel", enabled, [](F f) { f["cmdCancel"].setEnabled(false); }, "1 -> 0"},
        {"cmdCancel", pixel(6, 4), [](F f) { f["cmdCancel"].setBackColor(0x00FFFF); },
         number(GetSysColor(COLOR_BTNFACE)) + " -> 65535"},
        {"shp01", pixel(0, 0), [](F f) { f["shp01"].setForeColor(0xFF0000); }, "0 -> 16711680"},
        {"shp01", pixel(5, 5), [](F f) { f["shp01"].setBackColor(0x008000); },
         number(GetSysColor(COLOR_BTNFACE)) + " -> 32768"},
        {"lbl305", text, [](F f) { f["lbl305"].setCaption("Label"); }, "&Name: -> Label"},
        // Without a colour of its own a label draws on its parent (no brush).
        {"lbl305", colours, [](F f) { f["lbl305"].setForeColor(0x0000FF); },
         number(GetSysColor(COLOR_WINDOWTEXT)) + " on 0 -> 255 on 8388608"},
        {"lblAll", behind, [](F f) { f["lblAll"].setBackColor(0x0000FF); }, "parent's -> 255"},
        {"chk700", behind, nullptr, "parent's -> parent's"},
        {"lbl305", nullptr, [](F f) { f["lbl305"].setBackColor(0x800000); }, ""},
        {"lbl305", visible, [](F f) { f["lbl305"].setVisible(false); }, "1 -> 0"},
        {"chk103", weight, [](F f) { f["chk103"].setBold(true); }, "400 -> 700"},
        {"txt300", text, [](F f) { f["txt300"].setText("by code"); }, " -> by code"},
        // Made multi-line and read-only after the window, keeping its text.
        {"txt300", style(ES_MULTILINE), [](F f) { f["txt300"].setMultiLine(true); }, "0 -> 4"},
        {"txt300", style(ES_READONLY), [](F f) { f["txt300"].setReadOnly(true); }, "0 -> 2048"},
        {"txt301", style(WS_VSCROLL), nullptr, "2097152 -> 2097152"},
        {"txt301", message(EM_GETLINECOUNT), [](F f) { f["txt301"].setText("1\r\n2"); }, "1 -> 2"},
        {"cbo200", style(3), nullptr, "3 -> 3"}, // CBS_DROPDOWNLIST
        {"cbo200", text,
         [](F f) {
             f["cbo200"].setItems({"One", "Two"});
         },
         "News -> Two"},
        {"cbo200", message(CB_GETCOUNT), [](F f) { f["cbo200"].setListIndex(1); }, "3 -> 2"},
        {"lst1", message(LB_GETCOUNT), nullptr, "3 -> 3"},
        {"lst1", message(LB_GETCURSEL), [](F f) { f["lst1"].setListIndex(2); }, "-1 -> 2"},
        {"hsc300", scroll, [](F f) { f["hsc300"].setValue(1); }, "0 -> 1"},
        {"pBar631", message(PBM_GETPOS), [](F f) { f["pBar631"].setValue(75); }, "40 -> 75"},
        {"SSTab1", message(TCM_GETITEMCOUNT), nullptr, "2 -> 2"},
        {"SSTab2", band, nullptr, "parent's -> parent's"},
        {"lvw1", style(LVS_TYPEMASK | LVS_SINGLESEL), nullptr, "1 -> 1"}, // LVS_REPORT
        {"lvw1", cells,
         [](F f) {
             f["lvw1"].setRows({{"one", {"6F6E65"}}});
         },
         "2 of " + width + ": cash=63617368| free=2066726565|win =77696E20| -> 2 of " + width +
             ": two=6F6E65|"},
        {"lvw1", nullptr, [](F f) { f["lvw1"].setRowText(0, "two"); }, ""},
        {"tvc01", nullptr,
         [](F f) {
             auto collapsed = f["tvc01"].nodes();
             collapsed[0].expanded = false;
             f["tvc01"].setNodes(collapsed);
         },
         ""},
        // A child listed before its parent still goes under it.
        {"tvc01", tree, [](F f) { f["tvc01"].setSelectedNode("Nepaslet"); },
         "Delete+(Mark as read())Do not download() at none -> "
         "Delete(Mark as read())Do not download() at Do not download"},
        {"rtb400", text, [](F f) { f["rtb400"].setText("plain"); },
         "Subject cash or free -> plain"},
        {"rtb400", style(ES_READONLY), nullptr, "2048 -> 2048"},
        {"cmdOk", tip, [](F f) { f["cmdOk"].setToolTip("Press me"); }, " of 0 -> Now this of 1"},
        {"cmdOk", nullptr, [](F f) { f["cmdOk"].setToolTip("Now this"); }, ""},
        {"cmdCancel", tip, [](F f) { f["cmdCancel"].setToolTip("Gone"); }, " of 0 ->  of 1"},
        {"cmdCancel", nullptr, [](F f) { f["cmdCancel"].setToolTip(""); }, ""},
    };
    const auto target = [&](const Mirror& m) { return *m.control ? child(m.control) : window; };
    std::vector<std::string> expected, got;
    for (const Mirror& m : mirrors)
        if (m.read) {
            expected.push_back(m.control + (": " + m.expected));
            got.push_back(m.control + (": " + m.read(target(m))));
        }
    for (const Mirror& m : mirrors)
        if (m.set)
            m.set(form);
    pump();
    for (std::size_t i = 0, row = 0; i < std::size(mirrors); ++i)
        if (mirrors[i].read)
            got[row++] += " -> " + mirrors[i].read(target(mirrors[i]));
    EXPECT_EQ(joined(got, "\n"), joined(expected, "\n"));
    EXPECT_EQ(form.log, Log{});
}

TEST_F(Renderer, MouseAndKeyboardBecomeTheModelsValuesAndEventsInOrder) {
    const POINT at{4, 6};
    const std::string m = mouse(1, at), m2 = mouse(1, {2, 2});
    const auto line = static_cast<int>(send("lst1", LB_GETITEMHEIGHT));
    const POINT second{5, line + line / 2};
    const auto type = [this](std::vector<WPARAM> keys) {
        return [this, keys] {
            for (WPARAM typed : keys)
                PostMessageA(child("txt300"), WM_KEYDOWN, typed, 1);
        };
    };
    HWND list = child("lvw1");
    // The middle of an item of a list view (its label), header or tab strip.
    const auto middleOf = [](HWND w, UINT message, int index) {
        RECT r{LVIR_LABEL};
        SendMessageA(w, message, index, reinterpret_cast<LPARAM>(&r));
        return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    };
    const POINT onThird = middleOf(list, LVM_GETITEMRECT, 2);
    const std::string ml = mouse(1, onThird), right = mouse(2, onThird);
    // A list view follows the press until the button comes up: the release
    // is queued first.
    const auto press = [&](UINT down, UINT up) {
        return [=] {
            PostMessageA(list, up, 0, MAKELPARAM(onThird.x, onThird.y));
            SendMessageA(list, down, down == WM_RBUTTONDOWN ? MK_RBUTTON : MK_LBUTTON,
                         MAKELPARAM(onThird.x, onThird.y));
        };
    };
    HWND header = reinterpret_cast<HWND>(send("lvw1", LVM_GETHEADER));
    const auto edit = [&](int row, const char* text) {
        return [this, row, text] {
            HWND editor = reinterpret_cast<HWND>(send("lvw1", LVM_EDITLABELA, row));
            ASSERT_NE(editor, nullptr);
            pump();
            SetWindowTextA(editor, text);
            pump();
            SendMessageA(editor, WM_KEYDOWN, VK_RETURN, 1);
        };
    };
    const std::string kept = " => cash| free|win *|/cash| free|win *|";
    // A handler that corrects the typing: the caret stays as far from the
    // end, so the next key goes where the user expects. List view labels:
    // "nope" refused, the row of an emptied one dropped.
    form.react = [&](const std::string& entry, ui::EventArgs& args) {
        const std::string& typed = form["txt300"].text();
        if (entry == "Change txt300" && typed.size() > 1 && typed[0] == '0')
            form["txt300"].setText(typed.substr(1));
        args.cancel = entry == "AfterLabelEdit lvw1" && args.text == "nope";
        if (entry == "AfterLabelEdit lvw1" && args.text.empty())
            form["lvw1"].setRows({form["lvw1"].rows()[0], form["lvw1"].rows()[2]});
    };
    auto visibility = [&] {
        std::string seen;
        for (const char* name : {"chk700", "lblAll", "SSTab2", "lbl500", "lbl510"})
            seen += IsWindowVisible(child(name)) ? "1" : "0";
        return seen;
    };
    const POINT middle = middleOf(child("SSTab1"), TCM_GETITEMRECT, 1);
    const std::string mt = mouse(1, middle);
    BYTE keys[256];
    const auto ctrl = [&](BYTE down) {
        GetKeyboardState(keys);
        keys[VK_CONTROL] = down;
        SetKeyboardState(keys);
    };
    const Input inputs[] = {
        {"a box takes the focus as the button goes down", sent("chk102", BM_CLICK), "chk102",
         "LostFocus cmdOk; GotFocus chk102; MouseDown chk102 1 0,0; Click chk102=1; "
         "MouseUp chk102=1 1 0,0 => 1/1"},
        {"with the mouse", clicked("chk102", at), "chk102",
         "MouseDown chk102=1 " + m + "; Click chk102; MouseUp chk102 " + m + " => 0/0"},
        {"a grey box becomes ticked", sent("chk103", BM_CLICK), "chk103",
         "LostFocus chk102; GotFocus chk103=2; MouseDown chk103=2 1 0,0; Click chk103=1; "
         "MouseUp chk103=1 1 0,0 => 1/1"},
        {"an option clicked unticks the others", sent("opt300(2)", BM_CLICK), "opt300(0)",
         "LostFocus chk103=1; GotFocus opt300(2); MouseDown opt300(2) 1 0,0; Click opt300(2)=1; "
         "MouseUp opt300(2)=1 1 0,0 => 001/001"},
        {"the ticked option clicked again", sent("opt300(2)", BM_CLICK), "opt300(0)",
         "MouseDown opt300(2)=1 1 0,0; MouseUp opt300(2)=1 1 0,0 => 001/001"},
        {"arrow down: the next option, round to the first", pressed("opt300(2)", VK_DOWN),
         "opt300(0)", "LostFocus opt300(2)=1; GotFocus opt300(0); Click opt300(0)=1 => 100/100"},
        {"arrow up: round to the last", pressed("opt300(0)", VK_UP), "opt300(0)",
         "LostFocus opt300(0)=1; GotFocus opt300(2); Click opt300(2)=1 => 001/001"},
        {"focus to a text box", [&] { SetFocus(child("txt300")); }, "txt300",
         "LostFocus opt300(2)=1; GotFocus txt300 => "},
        {"typing", type({'A'}), "txt300",
         "KeyDown txt300 65; KeyPress txt300 97; Change txt300 => a"},
        {"typing corrected by a handler",
         [&] {
             send("txt300", EM_SETSEL, 0, -1);
             type({'0', '0', '7'})();
         },
         "txt300",
         "KeyDown txt300 48; KeyDown txt300 48; KeyDown txt300 55; KeyPress txt300 48; Change "
         "txt300; KeyPress txt300 48; Change txt300; KeyPress txt300 55; Change txt300 => 7"},
        {"the next key after the corrected text", type({'5'}), "txt300",
         "KeyDown txt300 53; KeyPress txt300 53; Change txt300 => 75"},
        {"focus moved from code, as browse buttons rely on",
         [&] {
             form["cmdOk"].setFocus();
             form["txt300"].setFocus();
         },
         "txt300", "LostFocus txt300; GotFocus cmdOk; LostFocus cmdOk; GotFocus txt300 => 75"},
        {"a text box double-clicked", clicked("txt300", {2, 2}, WM_LBUTTONDBLCLK), "txt300",
         "DblClick txt300; MouseUp txt300 " + m2 + " => 75"},
        {"a label clicked", clicked("lbl305"), "lbl305",
         "MouseDown lbl305 " + m2 + "; MouseUp lbl305 " + m2 + "; Click lbl305 => 0"},
        {"a label double-clicked", clicked("lbl305", {2, 2}, WM_LBUTTONDBLCLK), "lbl305",
         "DblClick lbl305; MouseUp lbl305 " + m2 + " => 0"},
        {"a press that ends outside is no click",
         [&] {
             send("lbl305", WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
             send("lbl305", WM_LBUTTONUP, 0, MAKELPARAM(-20, 2));
         },
         "lbl305", "MouseDown lbl305 " + m2 + "; MouseUp lbl305 " + mouse(1, {-20, 2}) + " => 0"},
        {"the down arrow in a combo box", pressed("cbo200", VK_DOWN, true), "cbo200",
         "KeyDown cbo200 40; Click cbo200 => 2"},
        {"a list box clicked on its second line", clicked("lst1", second), "lst1",
         "LostFocus cbo200; GotFocus lst1; MouseDown lst1 " + mouse(1, second) +
             "; Click lst1; MouseUp lst1 " + mouse(1, second) + " => 1"},
        {"a scroll bar stepped right twice, past its end",
         [&] {
             for (int i = 0; i < 2; ++i)
                 SendMessageA(window, WM_HSCROLL, SB_LINERIGHT,
                              reinterpret_cast<LPARAM>(child("hsc300")));
         },
         "hsc300", "Change hsc300=1 => 1/1"},
        {"the down arrow in a tree view",
         [&] {
             form["tvc01"].setSelectedNode("Supprime");
             pressed("tvc01", VK_DOWN, true)();
         },
         "tvc01", "KeyDown tvc01 40; NodeClick tvc01 commelu1 => commelu1"},
        {"Enter presses the default button", pressed("chk102", VK_RETURN, true), "chk102",
         "Click cmdOk => 0/0"},
        {"Esc the cancel button", pressed("chk102", VK_ESCAPE), "chk102", "Click cmdCancel => 0/0"},
        {"space ticks a box without mouse events", pressed("chk102", VK_SPACE), "chk102",
         "KeyDown chk102 32; Click chk102=1; KeyPress chk102=1 32 => 1/1"},
        {"space again", pressed("chk102", VK_SPACE), "chk102",
         "KeyDown chk102=1 32; Click chk102; KeyPress chk102 32 => 0/0"},
        {"Tab to the next tab stop", pressed("cmdOk", VK_TAB, true), "chk102",
         "LostFocus cmdOk; GotFocus cmdCancel => 0/0"},
        {"Enter presses the button with the focus", pressed("cmdCancel", VK_RETURN), "chk102",
         "Click cmdCancel => 0/0"},
        {"Tab into an option group at its ticked option", pressed("chk103", VK_TAB, true),
         "opt300(0)", "LostFocus chk103=1; GotFocus opt300(2)=1 => 001/001"},
        {"access keys: a box, a label passing the focus on, a tab",
         [&] {
             for (char access : {'l', 'N', 'e'}) {
                 PostMessageA(GetFocus(), WM_SYSCHAR, access, 0x20000000);
                 pump();
             }
         },
         "chk102",
         "LostFocus opt300(2)=1; GotFocus chk102; Click chk102=1; LostFocus chk102=1; GotFocus "
         "txt300; Click SSTab1=1 => 1/1"},
        // The tab control changes pages as the button goes down, so Click
        // comes with the new page already current.
        {"the user picks the second tab",
         [&] {
             form["SSTab1"].setValue(0);
             EXPECT_EQ(visibility(), "11000");
             click(child("SSTab1"), middle);
         },
         "SSTab1",
         "LostFocus txt300; GotFocus SSTab1; Click SSTab1=1; MouseDown SSTab1=1 " + mt +
             "; MouseUp SSTab1=1 " + mt + " => 1/1"},
        {"nested pages switch from code, without an event",
         [&] {
             EXPECT_EQ(visibility(), "01110");
             form["SSTab2"].setValue(1);
             EXPECT_EQ(visibility(), "01101");
             form["SSTab1"].setValue(0);
             EXPECT_EQ(visibility(), "11000");
         },
         "SSTab2", " => 1/1"},
        {"Ctrl+Tab goes to the next page of the strip around the focus",
         [&] {
             focus("chk700");
             ctrl(0x80);
             key("chk700", VK_TAB);
             ctrl(0);
         },
         "SSTab1", "LostFocus chk700; GotFocus SSTab1=1; Click SSTab1=1 => 1/1"},
        {"several rows selected, by the user then by code",
         [&] {
             LVITEMA selected{};
             selected.stateMask = selected.state = LVIS_SELECTED;
             send("lvw1", LVM_SETITEMSTATE, 0, reinterpret_cast<LPARAM>(&selected));
             EXPECT_EQ(state("lvw1"), "cash*| free*|win |/cash*| free*|win |");
             form["lvw1"].setRowSelected(1, false);
         },
         "lvw1", " => cash*| free|win |/cash*| free|win |"},
        {"a click selects one row alone", press(WM_LBUTTONDOWN, WM_LBUTTONUP), "lvw1",
         "LostFocus SSTab1=1; GotFocus lvw1; MouseDown lvw1 " + ml + "; Click lvw1; MouseUp lvw1 " +
             ml + kept},
        {"a double click", press(WM_LBUTTONDBLCLK, WM_LBUTTONUP), "lvw1",
         "DblClick lvw1; MouseUp lvw1 " + ml + kept},
        {"the Delete key", pressed("lvw1", VK_DELETE), "lvw1", "KeyDown lvw1 46" + kept},
        {"the right button", press(WM_RBUTTONDOWN, WM_RBUTTONUP), "lvw1",
         "MouseDown lvw1 " + right + kept},
        {"a column header clicked", [&] { click(header, middleOf(header, HDM_GETITEMRECT, 1)); },
         "lvw1", "ColumnClick lvw1 1" + kept},
        {"a label edited", edit(0, "spam"), "lvw1",
         "LostFocus lvw1; AfterLabelEdit lvw1 0 spam; GotFocus lvw1 => spam*| free|win |/spam*| "
         "free|win |"},
        {"an edit the handler refuses", edit(2, "nope"), "lvw1",
         "LostFocus lvw1; AfterLabelEdit lvw1 2 nope; GotFocus lvw1 => spam| free|win *|/spam| "
         "free|win *|"},
        {"a handler that reworks the rows wins over the label", edit(1, ""), "lvw1",
         "LostFocus lvw1; AfterLabelEdit lvw1 1 ; GotFocus lvw1 => spam|win |/spam|win |"},
        {"a disabled box takes nothing",
         [&] {
             form["chk102"].setEnabled(false);
             send("chk102", BM_CLICK);
             form["chk102"].setEnabled(true);
         },
         "chk103", " => 1/1"},
    };
    for (const Input& input : inputs) {
        form.log.clear();
        input.send();
        pump();
        EXPECT_EQ(joined(form.log, "; ") + " => " + state(input.control), input.expected)
            << input.what;
    }
}

TEST_F(Renderer, RichTextShowsEachRunInItsColourAndWeight) {
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
    form.log.clear();
    EXPECT_FALSE(pumpUntil([&] { return !form.log.empty(); }, 300, [&] { pump(); }));
}

TEST_F(Renderer, MenusFollowTheFormsEntriesAndRaiseClick) {
    HMENU bar = GetMenu(window);
    ASSERT_NE(bar, nullptr);
    HMENU file = GetSubMenu(bar, 0);
    // Each entry: caption, then "-" for a separator, "v" ticked, "x" greyed.
    auto entries = [&](HMENU menu) {
        std::string all;
        for (int i = 0; i < GetMenuItemCount(menu); ++i) {
            char caption[64] = {};
            GetMenuStringA(menu, i, caption, sizeof(caption), MF_BYPOSITION);
            const UINT state = GetMenuState(menu, i, MF_BYPOSITION);
            all += std::string(i ? "|" : "") + caption + (state & MF_SEPARATOR ? "-" : "") +
                   (state & MF_CHECKED ? "v" : "") + (state & MF_GRAYED ? "x" : "");
        }
        return all;
    };
    // The pop-up entry stays out of the bar.
    EXPECT_EQ(entries(bar) + " / " + entries(file),
              "&Fichier|(3 Expressions) / &Charger|-x|&Sauver");
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(file, 0), 0), 0);
    SendMessageA(window, WM_COMMAND, MAKEWPARAM(GetMenuItemID(bar, 1), 0), 0);
    SendMessageA(window, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(file), 0);
    EXPECT_EQ(form.log, (Log{"Click mnuFichChar", "Click mnuExpr", "Click mnuFich"}));

    form.setMenuChecked("mnuFichSauv", true);
    form.setMenuEnabled("mnuFichChar", false);
    form.setMenuCaption("mnuExpr", "(4 Expressions)");
    EXPECT_EQ(GetMenu(window), bar) << "captions and states change in place";
    EXPECT_EQ(entries(bar) + " / " + entries(file),
              "&Fichier|(4 Expressions) / &Chargerx|-x|&Sauverv");
    form.setMenuVisible("mnuFichChar", false);
    EXPECT_EQ(entries(GetSubMenu(GetMenu(window), 0)), "-x|&Sauverv");
}
