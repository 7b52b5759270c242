// Drop-down lists, list boxes, the report list view and the tree view.

#include "ui/win32/Win32ControlWindow.h"
#include "ui/win32/Win32FormWindow.h"
#include "ui/win32/Win32TypedText.h"
#include "ui/win32/Win32UiHost.h"

#include <commctrl.h>

#include <map>
#include <vector>

namespace velmora::ui::win32 {

namespace {

// Drop-down lists and list boxes share everything but their messages.
struct ListMessages {
    UINT reset, add, setSelection, getSelection;
    int selectionChange;
};

class ItemListWindow : public ControlWindow {
public:
    ItemListWindow(FormWindow& form, Control& control, ListMessages messages)
        : ControlWindow(form, control), messages_(messages) {}

    void command(int code) override {
        if (code != messages_.selectionChange || quiet())
            return;
        control_.userSetListIndex(
            static_cast<int>(SendMessageA(hwnd_, messages_.getSelection, 0, 0)));
        raise(Event::Click);
    }

protected:
    bool refillsOn(Property property) const override {
        return property == Property::Items || property == Property::ListIndex;
    }
    bool showsText() const override { return false; }
    bool clicksFromMouse() const override { return false; }
    bool doubleClicksFromMouse() const override { return true; }
    int systemFore() const override { return COLOR_WINDOWTEXT; }
    int systemBack() const override { return COLOR_WINDOW; }
    void fill() override {
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        SendMessageA(hwnd_, messages_.reset, 0, 0);
        for (const std::string& item : control_.items())
            SendMessageA(hwnd_, messages_.add, 0, reinterpret_cast<LPARAM>(item.c_str()));
        SendMessageA(hwnd_, messages_.setSelection, static_cast<WPARAM>(control_.listIndex()), 0);
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

private:
    ListMessages messages_;
};

class ComboBoxWindow : public ItemListWindow {
public:
    ComboBoxWindow(FormWindow& form, Control& control)
        : ItemListWindow(
              form, control,
              {CB_RESETCONTENT, CB_ADDSTRING, CB_SETCURSEL, CB_GETCURSEL, CBN_SELCHANGE}) {}

protected:
    const char* windowClass() const override { return "COMBOBOX"; }
    DWORD style() const override { return WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST; }
    // The window's height includes the dropped list.
    RECT pixelRect() const override {
        RECT r = ControlWindow::pixelRect();
        r.bottom += toPixelsY(2700);
        return r;
    }
};

class ListBoxWindow : public ItemListWindow {
public:
    ListBoxWindow(FormWindow& form, Control& control)
        : ItemListWindow(
              form, control,
              {LB_RESETCONTENT, LB_ADDSTRING, LB_SETCURSEL, LB_GETCURSEL, LBN_SELCHANGE}) {}

protected:
    const char* windowClass() const override { return "LISTBOX"; }
    DWORD style() const override {
        return WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT;
    }
    DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
};

bool sameRow(const ListRow& a, const ListRow& b) {
    return a.text == b.text && a.subItems == b.subItems && a.selected == b.selected &&
           a.colour == b.colour;
}

// Report view: columns, rows with sub-items, several selected rows, labels
// edited in place.
class ListViewWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    bool mirrorOwn(Property property) override {
        switch (property) {
        case Property::Columns:
            showColumns();
            showRows(true);
            return true;
        case Property::Rows:
            ++rowChanges_;
            // Not while the list is inside one of its own notifications.
            if (inNotification_ > 0 || SendMessageA(hwnd_, LVM_GETEDITCONTROL, 0, 0) != 0)
                form_.defer(*this);
            else
                showRows(false);
            return true;
        case Property::Colours:
            showBackground();
            return false;
        default:
            return false;
        }
    }

    void deferred() override {
        if (!hwnd_)
            return;
        FormWindow::Quiet quietly(form_);
        showRows(false);
    }

    LRESULT notify(NMHDR& header) override {
        ++inNotification_;
        const LRESULT result = handleNotify(header);
        --inNotification_;
        return result;
    }

protected:
    const char* windowClass() const override { return WC_LISTVIEWA; }
    DWORD style() const override {
        return WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | LVS_EDITLABELS;
    }
    DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
    bool showsText() const override { return false; }
    bool clicksFromMouse() const override { return false; }
    int systemFore() const override { return COLOR_WINDOWTEXT; }
    int systemBack() const override { return COLOR_WINDOW; }
    void fill() override {
        SendMessageA(hwnd_, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                     LVS_EX_FULLROWSELECT);
        if (control_.backColor() != kDefaultColour)
            showBackground();
        showColumns();
        showRows(true);
    }

private:
    void showBackground() {
        SendMessageA(hwnd_, LVM_SETBKCOLOR, 0, backColour());
        SendMessageA(hwnd_, LVM_SETTEXTBKCOLOR, 0, backColour());
    }

    LRESULT handleNotify(NMHDR& header) {
        switch (header.code) {
        case LVN_ITEMCHANGED: {
            const auto& change = reinterpret_cast<NMLISTVIEW&>(header);
            if (quiet() || !(change.uChanged & LVIF_STATE) ||
                !((change.uNewState ^ change.uOldState) & LVIS_SELECTED))
                return 0;
            const bool selected = (change.uNewState & LVIS_SELECTED) != 0;
            const int count = static_cast<int>(shown_.size());
            for (int row = change.iItem < 0 ? 0 : change.iItem;
                 row < (change.iItem < 0 ? count : change.iItem + 1) && row < count; ++row) {
                control_.userSetRowSelected(row, selected);
                shown_[static_cast<std::size_t>(row)].selected = selected;
            }
            return 0;
        }
        case NM_CLICK:
            if (!quiet())
                raise(Event::Click);
            return 0;
        case NM_DBLCLK:
            if (!quiet())
                raise(Event::DblClick);
            return 0;
        case LVN_COLUMNCLICK: {
            EventArgs args;
            args.column = reinterpret_cast<NMLISTVIEW&>(header).iSubItem;
            raise(Event::ColumnClick, args);
            return 0;
        }
        case LVN_BEGINLABELEDITA:
        case LVN_BEGINLABELEDITW:
            watchEditor();
            return FALSE;
        case LVN_ENDLABELEDITA: {
            const auto& info = reinterpret_cast<NMLVDISPINFOA&>(header);
            if (info.item.pszText)
                return endEdit(info.item.iItem, info.item.pszText);
            return endEdit(info.item.iItem, nullptr);
        }
        case LVN_ENDLABELEDITW: {
            const auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
            if (info.item.pszText)
                return endEdit(info.item.iItem, narrowed(info.item.pszText).text.c_str());
            return endEdit(info.item.iItem, nullptr);
        }
        case NM_CUSTOMDRAW:
            return customDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        default:
            return 0;
        }
    }

    // Some list views give no text for a label emptied or left as it was,
    // the same as for Esc: the editor itself tells them apart.
    void watchEditor() {
        editor_ = reinterpret_cast<HWND>(SendMessageA(hwnd_, LVM_GETEDITCONTROL, 0, 0));
        escaped_ = false;
        if (!editor_)
            return;
        SetPropA(editor_, kEditorProperty, this);
        editorOriginal_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(editor_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&editorProcedure)));
    }

    static LRESULT CALLBACK editorProcedure(HWND editor, UINT msg, WPARAM w, LPARAM l) {
        auto* self = static_cast<ListViewWindow*>(GetPropA(editor, kEditorProperty));
        if (!self)
            return DefWindowProcA(editor, msg, w, l);
        WNDPROC original = self->editorOriginal_;
        if ((msg == WM_KEYDOWN || msg == WM_CHAR) && w == VK_ESCAPE)
            self->escaped_ = true;
        if (msg == WM_NCDESTROY) {
            RemovePropA(editor, kEditorProperty);
            if (self->editor_ == editor)
                self->editor_ = nullptr;
        }
        return CallWindowProcA(original, editor, msg, w, l);
    }

    // The handler sees the new label first and may refuse it or rework the
    // rows; the list then shows what the model holds.
    // The editor, still there, tells whether the text is what was typed.
    LRESULT endEdit(int row, const char* given) {
        const bool editing = editor_ && IsWindow(editor_);
        const TypedText typed = editing ? typedTextOf(editor_) : TypedText{};
        std::string text;
        if (given)
            text = given;
        else if (editing && !escaped_)
            text = typed.text;
        else
            return FALSE;
        const char* edited = text.c_str();
        if (row < 0)
            return FALSE;
        EventArgs args;
        args.row = row;
        args.text = edited;
        args.unrepresentable = !typed.representable;
        const int changesBefore = rowChanges_;
        if (!raise(Event::AfterLabelEdit, args))
            return FALSE;
        if (args.cancel)
            return FALSE;
        if (rowChanges_ == changesBefore && args.text == edited &&
            row < static_cast<int>(shown_.size())) {
            control_.userSetRowText(row, args.text);
            shown_[static_cast<std::size_t>(row)].text = args.text;
            return TRUE;
        }
        if (rowChanges_ == changesBefore)
            control_.userSetRowText(row, args.text);
        form_.defer(*this);
        return FALSE;
    }

    LRESULT customDraw(NMLVCUSTOMDRAW& draw) {
        if (draw.nmcd.dwDrawStage == CDDS_PREPAINT)
            return CDRF_NOTIFYITEMDRAW;
        if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT) {
            const auto row = static_cast<std::size_t>(draw.nmcd.dwItemSpec);
            if (row < shown_.size() && shown_[row].colour != kDefaultColour) {
                draw.clrText = shown_[row].colour;
                return CDRF_NEWFONT;
            }
        }
        return CDRF_DODEFAULT;
    }

    void showColumns() {
        while (SendMessageA(hwnd_, LVM_DELETECOLUMN, 0, 0)) {
        }
        int index = 0;
        for (const ListColumn& column : control_.columns()) {
            LVCOLUMNA lvc{};
            lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
            lvc.cx = toPixelsX(column.width);
            lvc.pszText = const_cast<char*>(column.caption.c_str());
            lvc.iSubItem = index;
            SendMessageA(hwnd_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&lvc));
            ++index;
        }
    }

    void setRow(int index, const ListRow& row, bool insert) {
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_STATE;
        item.iItem = index;
        item.pszText = const_cast<char*>(row.text.c_str());
        item.state = row.selected ? LVIS_SELECTED : 0;
        item.stateMask = LVIS_SELECTED;
        SendMessageA(hwnd_, insert ? LVM_INSERTITEMA : LVM_SETITEMA, 0,
                     reinterpret_cast<LPARAM>(&item));
        const int columns = std::max(1, static_cast<int>(control_.columns().size()));
        for (int sub = 1; sub < columns; ++sub) {
            const std::size_t at = static_cast<std::size_t>(sub - 1);
            LVITEMA subItem{};
            subItem.iSubItem = sub;
            subItem.pszText =
                const_cast<char*>(at < row.subItems.size() ? row.subItems[at].c_str() : "");
            SendMessageA(hwnd_, LVM_SETITEMTEXTA, static_cast<WPARAM>(index),
                         reinterpret_cast<LPARAM>(&subItem));
        }
    }

    // Only the rows that differ from what the list shows are touched, so the
    // list keeps its scroll position and focus.
    void showRows(bool all) {
        const std::vector<ListRow>& rows = control_.rows();
        SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
        if (all) {
            SendMessageA(hwnd_, LVM_DELETEALLITEMS, 0, 0);
            shown_.clear();
        }
        while (shown_.size() > rows.size()) {
            SendMessageA(hwnd_, LVM_DELETEITEM, shown_.size() - 1, 0);
            shown_.pop_back();
        }
        for (std::size_t i = 0; i < rows.size(); ++i) {
            if (i < shown_.size()) {
                if (!sameRow(shown_[i], rows[i]))
                    setRow(static_cast<int>(i), rows[i], false);
            } else {
                setRow(static_cast<int>(i), rows[i], true);
            }
        }
        shown_ = rows;
        SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

    static constexpr const char* kEditorProperty = "VelmoraListEditor";

    std::vector<ListRow> shown_;
    int rowChanges_ = 0;
    int inNotification_ = 0;
    HWND editor_ = nullptr;
    WNDPROC editorOriginal_ = nullptr;
    bool escaped_ = false;
};

bool sameNodes(const std::vector<TreeNode>& a, const std::vector<TreeNode>& b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i].key != b[i].key || a[i].text != b[i].text || a[i].parentKey != b[i].parentKey)
            return false;
    return true;
}

class TreeViewWindow : public ControlWindow {
public:
    using ControlWindow::ControlWindow;

    LRESULT notify(NMHDR& header) override {
        switch (header.code) {
        case TVN_SELCHANGEDA:
        case TVN_SELCHANGEDW: {
            const auto& change = reinterpret_cast<NMTREEVIEWA&>(header);
            if (quiet() || !change.itemNew.hItem)
                return 0;
            const std::string key = keyOf(change.itemNew.lParam);
            control_.userSetSelectedNode(key);
            if (focusing_)
                return 0;
            EventArgs args;
            args.text = key;
            raise(Event::NodeClick, args);
            return 0;
        }
        case TVN_ITEMEXPANDEDA:
        case TVN_ITEMEXPANDEDW: {
            const auto& change = reinterpret_cast<NMTREEVIEWA&>(header);
            if (!quiet())
                control_.userSetNodeExpanded(keyOf(change.itemNew.lParam),
                                             change.action == TVE_EXPAND);
            return 0;
        }
        default:
            return 0;
        }
    }

protected:
    // A tree view without a selection selects a node of its own when it
    // takes the focus: no click of the user's.
    bool message(UINT msg, WPARAM w, LPARAM l, LRESULT& result) override {
        if (msg != WM_SETFOCUS)
            return false;
        focusing_ = true;
        result = callOriginal(msg, w, l);
        focusing_ = false;
        raise(Event::GotFocus);
        return true;
    }
    const char* windowClass() const override { return WC_TREEVIEWA; }
    DWORD style() const override {
        return WS_TABSTOP | TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS;
    }
    DWORD exStyle() const override { return WS_EX_CLIENTEDGE; }
    bool showsText() const override { return false; }
    bool refillsOn(Property property) const override { return property == Property::Nodes; }
    bool clicksFromMouse() const override { return false; }
    bool doubleClicksFromMouse() const override { return true; }
    void fill() override { showNodes(); }

private:
    std::string keyOf(LPARAM index) const {
        const auto at = static_cast<std::size_t>(index);
        return at < shown_.size() ? shown_[at].key : std::string();
    }

    // Parents go in before their children, whatever the order of the list;
    // a node whose parent is missing becomes a root.
    void showNodes() {
        const std::vector<TreeNode>& nodes = control_.nodes();
        if (!sameNodes(nodes, shown_)) {
            SendMessageA(hwnd_, WM_SETREDRAW, FALSE, 0);
            SendMessageA(hwnd_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
            items_.clear();
            std::map<std::string, std::size_t> byKey;
            for (std::size_t i = 0; i < nodes.size(); ++i)
                byKey.emplace(nodes[i].key, i);
            std::vector<bool> placed(nodes.size(), false);
            for (bool progress = true; progress;) {
                progress = false;
                for (std::size_t i = 0; i < nodes.size(); ++i) {
                    if (placed[i])
                        continue;
                    HTREEITEM parent = TVI_ROOT;
                    if (!nodes[i].parentKey.empty() && byKey.count(nodes[i].parentKey)) {
                        auto found = items_.find(nodes[i].parentKey);
                        if (found == items_.end())
                            continue;
                        parent = found->second;
                    }
                    TVINSERTSTRUCTA insert{};
                    insert.hParent = parent;
                    insert.hInsertAfter = TVI_LAST;
                    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
                    insert.item.pszText = const_cast<char*>(nodes[i].text.c_str());
                    insert.item.lParam = static_cast<LPARAM>(i);
                    auto item = reinterpret_cast<HTREEITEM>(
                        SendMessageA(hwnd_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
                    items_.emplace(nodes[i].key, item);
                    placed[i] = true;
                    progress = true;
                }
            }
            shown_ = nodes;
            SendMessageA(hwnd_, WM_SETREDRAW, TRUE, 0);
        }
        for (const TreeNode& node : nodes) {
            auto found = items_.find(node.key);
            if (found != items_.end())
                SendMessageA(hwnd_, TVM_EXPAND, node.expanded ? TVE_EXPAND : TVE_COLLAPSE,
                             reinterpret_cast<LPARAM>(found->second));
        }
        shown_ = nodes;
        auto selected = items_.find(control_.selectedNode());
        SendMessageA(
            hwnd_, TVM_SELECTITEM, TVGN_CARET,
            reinterpret_cast<LPARAM>(selected == items_.end() ? nullptr : selected->second));
        InvalidateRect(hwnd_, nullptr, TRUE);
    }

    std::vector<TreeNode> shown_;
    std::map<std::string, HTREEITEM> items_;
    bool focusing_ = false;
};

} // namespace

std::unique_ptr<ControlWindow> makeListWindow(FormWindow& form, Control& control) {
    switch (control.kind()) {
    case ControlKind::ComboBox:
        return std::make_unique<ComboBoxWindow>(form, control);
    case ControlKind::ListBox:
        return std::make_unique<ListBoxWindow>(form, control);
    case ControlKind::TreeView:
        return std::make_unique<TreeViewWindow>(form, control);
    default:
        return std::make_unique<ListViewWindow>(form, control);
    }
}

} // namespace velmora::ui::win32
