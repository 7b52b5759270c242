#include "ui/model/Control.h"

#include "ui/model/Form.h"

#include <utility>

namespace velmora::ui {

std::string elementName(const std::string& baseName, int index) {
    if (index < 0)
        return baseName;
    return baseName + "(" + std::to_string(index) + ")";
}

Control::Control(Form& form, ControlKind kind, std::string baseName, int index)
    : form_(form), kind_(kind), baseName_(std::move(baseName)), index_(index),
      name_(elementName(baseName_, index)) {
    if (kind_ == ControlKind::ComboBox || kind_ == ControlKind::ListBox)
        listIndex_ = -1;
    if (kind_ == ControlKind::HScrollBar)
        max_ = 32767;
}

void Control::changed(Property property) {
    form_.notify(*this, property);
}

void Control::placeIn(std::string container, int tabPage) {
    container_ = std::move(container);
    tabPage_ = tabPage;
}

void Control::setBounds(const Twips& bounds) {
    bounds_ = bounds;
    changed(Property::Bounds);
}

void Control::setCaption(const std::string& caption) {
    caption_ = caption;
    changed(Property::Caption);
}

void Control::setText(const std::string& text) {
    text_ = text;
    if (kind_ == ControlKind::RichText) {
        runs_.clear();
        runs_.push_back({text, 0, false});
    }
    changed(Property::Text);
}

void Control::setValue(int value) {
    if (kind_ == ControlKind::HScrollBar || kind_ == ControlKind::ProgressBar) {
        if (value < min_)
            value = min_;
        if (value > max_)
            value = max_;
    }
    value_ = value;
    changed(Property::Value);
    clearSiblingOptions();
}

// Ticking an option button clears the others of its container.
void Control::clearSiblingOptions() {
    if (kind_ != ControlKind::OptionButton || value_ == 0)
        return;
    for (const auto& other : form_.controls()) {
        if (other.get() != this && other->kind_ == ControlKind::OptionButton &&
            other->container_ == container_ && other->tabPage_ == tabPage_ && other->value_ != 0) {
            other->value_ = 0;
            other->changed(Property::Value);
        }
    }
}

void Control::setRange(int min, int max) {
    min_ = min;
    max_ = max < min ? min : max;
    changed(Property::Range);
    if (value_ < min_ || value_ > max_)
        setValue(value_);
}

void Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    changed(Property::Enabled);
}

void Control::setVisible(bool visible) {
    visible_ = visible;
    changed(Property::Visible);
}

void Control::setToolTip(const std::string& toolTip) {
    toolTip_ = toolTip;
    changed(Property::ToolTip);
}

void Control::setItems(std::vector<std::string> items) {
    items_ = std::move(items);
    listIndex_ = -1;
    changed(Property::Items);
}

void Control::addItem(const std::string& item) {
    items_.push_back(item);
    changed(Property::Items);
}

void Control::clearItems() {
    items_.clear();
    listIndex_ = -1;
    changed(Property::Items);
}

void Control::setListIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size()))
        index = -1;
    listIndex_ = index;
    changed(Property::ListIndex);
}

void Control::setForeColor(Colour colour) {
    foreColor_ = colour;
    changed(Property::Colours);
}

void Control::setBackColor(Colour colour) {
    backColor_ = colour;
    changed(Property::Colours);
}

void Control::setBold(bool bold) {
    bold_ = bold;
    changed(Property::Font);
}

void Control::setFontSize(int points) {
    fontSize_ = points;
    changed(Property::Font);
}

void Control::setAlignment(Alignment alignment) {
    alignment_ = alignment;
    changed(Property::Alignment);
}

void Control::setMultiLine(bool multiLine) {
    multiLine_ = multiLine;
    changed(Property::Style);
}

void Control::setReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    changed(Property::Enabled);
}

void Control::setRuns(std::vector<RichRun> runs) {
    runs_ = std::move(runs);
    text_.clear();
    for (const auto& run : runs_)
        text_ += run.text;
    changed(Property::Runs);
}

void Control::setNodes(std::vector<TreeNode> nodes) {
    nodes_ = std::move(nodes);
    selectedNode_.clear();
    changed(Property::Nodes);
}

void Control::setSelectedNode(const std::string& key) {
    selectedNode_ = key;
    changed(Property::Nodes);
}

void Control::setColumns(std::vector<ListColumn> columns) {
    columns_ = std::move(columns);
    changed(Property::Columns);
}

void Control::setRows(std::vector<ListRow> rows) {
    rows_ = std::move(rows);
    changed(Property::Rows);
}

void Control::setRowSelected(int row, bool selected) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_[row].selected = selected;
    changed(Property::Rows);
}

void Control::setRowText(int row, const std::string& text) {
    if (row < 0 || row >= static_cast<int>(rows_.size()))
        return;
    rows_[row].text = text;
    changed(Property::Rows);
}

void Control::setInterval(int milliseconds) {
    interval_ = milliseconds < 0 ? 0 : milliseconds;
    changed(Property::Interval);
}

void Control::setFocus() {
    changed(Property::Focus);
}

void Control::setDefault(bool isDefault) {
    default_ = isDefault;
    changed(Property::Style);
}

void Control::setCancel(bool isCancel) {
    cancel_ = isCancel;
    changed(Property::Style);
}

void Control::openClip(const std::string& module, int resource) {
    clipModule_ = module;
    clipResource_ = resource;
    playing_ = false;
    changed(Property::Animation);
}

void Control::play() {
    playing_ = true;
    changed(Property::Animation);
}

void Control::stop() {
    playing_ = false;
    changed(Property::Animation);
}

void Control::userSetValue(int value) {
    value_ = value;
    clearSiblingOptions();
}

void Control::userSetText(const std::string& text) {
    text_ = text;
}

void Control::userSetListIndex(int index) {
    listIndex_ = (index >= 0 && index < static_cast<int>(items_.size())) ? index : -1;
}

void Control::userSetRowSelected(int row, bool selected) {
    if (row >= 0 && row < static_cast<int>(rows_.size()))
        rows_[row].selected = selected;
}

void Control::userSetRowText(int row, const std::string& text) {
    if (row >= 0 && row < static_cast<int>(rows_.size()))
        rows_[row].text = text;
}

void Control::userSetSelectedNode(const std::string& key) {
    selectedNode_ = key;
}

void Control::userSetNodeExpanded(const std::string& key, bool expanded) {
    for (auto& node : nodes_)
        if (node.key == key)
            node.expanded = expanded;
}

} // namespace velmora::ui
