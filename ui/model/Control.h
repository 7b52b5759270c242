#pragma once
// One named control of a form: what a renderer shows and what the
// behaviour code reads and sets. Setting a property from code tells the
// renderer; it never raises the control's events.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace velmora::ui {

class Form;

enum class ControlKind {
    CommandButton,
    CheckBox,     // value 0 clear, 1 ticked, 2 grey
    OptionButton, // value 0 or 1; one ticked per container
    Label,
    TextBox,
    ComboBox, // drop-down list: items, listIndex
    ListBox,
    HScrollBar, // value between min and max
    Frame,      // a captioned container
    Line,       // painted from (left, top) to (left + width, top + height)
    Shape,      // painted rectangle: backColor fill, foreColor border
    Picture,    // an icon resource (value), or an empty painted area
    TabStrip,   // tabs: items are the captions, value the current tab
    ListView,   // report view: columns and rows, several selected, labels editable
    TreeView,
    RichText, // coloured and bold runs, read-only for the user
    ProgressBar,
    Animation,
    Timer, // interval in milliseconds; no window
};

// The events a renderer turns Windows notifications into.
enum class Event {
    Click,
    DblClick,
    MouseDown,
    MouseUp,
    Change,
    LostFocus,
    GotFocus,
    KeyDown,
    KeyPress,
    Timer,
    AfterLabelEdit, // list view: args.text holds the new label, args.row the row
    NodeClick,      // tree view: args.text holds the node key
    Scroll,
    ColumnClick, // list view: args.column holds the header clicked
};

// What a property change touched, so that a renderer mirrors only that.
enum class Property {
    Caption,
    Text,
    Value,
    Enabled,
    Visible,
    ToolTip,
    Items,
    ListIndex,
    Colours,
    Bounds,
    Font,
    Alignment,
    Runs,
    Nodes,
    Columns,
    Rows,
    Range,
    Interval,
    Focus,
    Style,     // a choice fixed when the window is made: multiLine, default or cancel button
    Animation, // the clip of an animation, or whether it plays
};

using Colour = std::uint32_t; // 0x00BBGGRR, as Windows' COLORREF

inline constexpr Colour kDefaultColour = 0xFFFFFFFFu; // system colour of the control kind

// Bounds in twips (1/1440 inch): 15 twips per pixel at 96 DPI.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

struct RichRun {
    std::string text;
    Colour colour = 0;
    bool bold = false;
};

struct TreeNode {
    std::string key;
    std::string text;
    std::string parentKey; // empty for a root node
    bool expanded = false;
};

struct ListColumn {
    std::string caption;
    int width = 1500; // twips
};

struct ListRow {
    std::string text;
    std::vector<std::string> subItems;
    bool selected = false;
    Colour colour = kDefaultColour; // text of the row and its sub-items
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

struct EventArgs {
    int index = -1; // element of a control array, -1 for a single control
    int button = 0; // 1 left, 2 right, 4 middle
    int shift = 0;  // 1 shift, 2 ctrl, 4 alt
    int x = 0;      // twips within the control
    int y = 0;
    int keyCode = 0; // virtual-key code for KeyDown/KeyPress
    int row = -1;    // list view row
    std::string text;
    bool cancel = false; // a handler sets it to refuse an edit
    int column = -1;     // list view column, 0 for the first
    // AfterLabelEdit: the user typed characters the system code page has no
    // byte for; text holds stand-ins for them.
    bool unrepresentable = false;
};

class Control {
public:
    Control(Form& form, ControlKind kind, std::string baseName, int index);

    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    Form& form() const { return form_; }
    ControlKind kind() const { return kind_; }
    // "chk102", or "opt300(4)" for element 4 of a control array.
    const std::string& name() const { return name_; }
    const std::string& baseName() const { return baseName_; }
    int index() const { return index_; }

    // Where the control sits: its container's name (empty for the form)
    // and, inside a tab strip, the page it belongs to.
    const std::string& container() const { return container_; }
    int tabPage() const { return tabPage_; }
    void placeIn(std::string container, int tabPage = -1);

    const Twips& bounds() const { return bounds_; }
    void setBounds(const Twips& bounds);

    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    // The caption of the layout table, before any language file's.
    const std::string& designedCaption() const { return designedCaption_; }
    void setDesignedCaption(const std::string& caption) {
        designedCaption_ = caption;
        setCaption(caption);
    }

    const std::string& text() const { return text_; }
    void setText(const std::string& text);

    int value() const { return value_; }
    void setValue(int value);

    int min() const { return min_; }
    int max() const { return max_; }
    void setRange(int min, int max);

    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled);

    bool visible() const { return visible_; }
    void setVisible(bool visible);

    const std::string& toolTip() const { return toolTip_; }
    void setToolTip(const std::string& toolTip);

    const std::vector<std::string>& items() const { return items_; }
    void setItems(std::vector<std::string> items);
    void addItem(const std::string& item);
    void clearItems();
    int listIndex() const { return listIndex_; }
    void setListIndex(int index);

    Colour foreColor() const { return foreColor_; }
    Colour backColor() const { return backColor_; }
    void setForeColor(Colour colour);
    void setBackColor(Colour colour);

    bool bold() const { return bold_; }
    void setBold(bool bold);
    int fontSize() const { return fontSize_; } // points; 0 for the form's font
    void setFontSize(int points);

    Alignment alignment() const { return alignment_; }
    void setAlignment(Alignment alignment);

    // Text boxes: several lines with a vertical scroll bar.
    bool multiLine() const { return multiLine_; }
    void setMultiLine(bool multiLine);
    bool readOnly() const { return readOnly_; }
    void setReadOnly(bool readOnly);

    const std::vector<RichRun>& runs() const { return runs_; }
    void setRuns(std::vector<RichRun> runs);

    const std::vector<TreeNode>& nodes() const { return nodes_; }
    void setNodes(std::vector<TreeNode> nodes);
    const std::string& selectedNode() const { return selectedNode_; }
    void setSelectedNode(const std::string& key);

    const std::vector<ListColumn>& columns() const { return columns_; }
    void setColumns(std::vector<ListColumn> columns);
    const std::vector<ListRow>& rows() const { return rows_; }
    void setRows(std::vector<ListRow> rows);
    void setRowSelected(int row, bool selected);
    void setRowText(int row, const std::string& text);

    int interval() const { return interval_; } // timers, milliseconds
    void setInterval(int milliseconds);

    // Command buttons: Enter presses the default button of the window and
    // Esc its cancel button, wherever the focus is.
    bool isDefault() const { return default_; }
    void setDefault(bool isDefault);
    bool isCancel() const { return cancel_; }
    void setCancel(bool isCancel);

    // Animations: the clip is AVI resource `resource` of the library
    // `module` (empty for the program itself); it plays until stopped.
    const std::string& clipModule() const { return clipModule_; }
    int clipResource() const { return clipResource_; }
    void openClip(const std::string& module, int resource);
    bool playing() const { return playing_; }
    void play();
    void stop();

    void setFocus();

    // Changes the user made in the window: the model takes the new state
    // without telling the renderer back. The renderer raises the events.
    void userSetValue(int value);
    void userSetText(const std::string& text);
    void userSetListIndex(int index);
    void userSetRowSelected(int row, bool selected);
    void userSetRowText(int row, const std::string& text);
    void userSetSelectedNode(const std::string& key);
    void userSetNodeExpanded(const std::string& key, bool expanded);

private:
    void changed(Property property);
    void clearSiblingOptions();

    Form& form_;
    ControlKind kind_;
    std::string baseName_;
    int index_;
    std::string name_;
    std::string container_;
    int tabPage_ = -1;
    Twips bounds_;
    std::string caption_;
    std::string designedCaption_;
    std::string text_;
    int value_ = 0;
    int min_ = 0;
    int max_ = 100;
    bool enabled_ = true;
    bool visible_ = true;
    std::string toolTip_;
    std::vector<std::string> items_;
    int listIndex_ = -1;
    Colour foreColor_ = kDefaultColour;
    Colour backColor_ = kDefaultColour;
    bool bold_ = false;
    int fontSize_ = 0;
    Alignment alignment_ = Alignment::Left;
    bool multiLine_ = false;
    bool readOnly_ = false;
    std::vector<RichRun> runs_;
    std::vector<TreeNode> nodes_;
    std::string selectedNode_;
    std::vector<ListColumn> columns_;
    std::vector<ListRow> rows_;
    int interval_ = 0;
    bool default_ = false;
    bool cancel_ = false;
    std::string clipModule_;
    int clipResource_ = 0;
    bool playing_ = false;
};

// "opt300" and 4 give "opt300(4)"; index -1 gives the base name.
std::string elementName(const std::string& baseName, int index);

} // namespace velmora::ui
