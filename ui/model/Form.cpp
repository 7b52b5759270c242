#include "ui/model/Form.h"

#include <algorithm>
#include <cctype>
#include <stdexcept>
#include <utility>

namespace velmora::ui {

namespace {

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

} // namespace

Form::Form(std::string name, UiHost& host) : name_(std::move(name)), host_(host) {}

Form::~Form() {
    if (view_)
        view_->formDestroyed();
}

Control& Form::add(ControlKind kind, const std::string& baseName, int index) {
    auto control = std::make_unique<Control>(*this, kind, baseName, index);
    const std::string key = lower(control->name());
    if (byName_.count(key))
        throw std::logic_error("duplicate control " + control->name() + " on " + name_);
    Control& ref = *control;
    byName_[key] = &ref;
    controls_.push_back(std::move(control));
    return ref;
}

void Form::addFromTable(const ControlSpec* rows, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        const ControlSpec& row = rows[i];
        Control& control = add(row.kind, row.name, row.index);
        control.placeIn(row.container, row.tabPage);
        control.setBounds(row.bounds);
        if (row.caption && *row.caption)
            control.setDesignedCaption(row.caption);
    }
}

Control* Form::find(const std::string& name) const {
    auto it = byName_.find(lower(name));
    return it == byName_.end() ? nullptr : it->second;
}

Control& Form::control(const std::string& name) const {
    if (Control* control = find(name))
        return *control;
    throw std::logic_error("no control " + name + " on " + name_);
}

Control& Form::control(const std::string& baseName, int index) const {
    return control(elementName(baseName, index));
}

std::vector<Control*> Form::elements(const std::string& baseName) const {
    std::vector<Control*> result;
    const std::string key = lower(baseName);
    for (const auto& control : controls_)
        if (control->index() >= 0 && lower(control->baseName()) == key)
            result.push_back(control.get());
    std::sort(result.begin(), result.end(),
              [](const Control* a, const Control* b) { return a->index() < b->index(); });
    return result;
}

MenuEntry& Form::addMenu(const std::string& name, const std::string& caption,
                         const std::string& parent) {
    MenuEntry entry;
    entry.name = name;
    entry.caption = caption;
    entry.parent = parent;
    entry.separator = caption == "-";
    menus_.push_back(entry);
    if (view_)
        view_->formChanged(FormProperty::Menus);
    return menus_.back();
}

MenuEntry* Form::findMenu(const std::string& name) {
    const std::string key = lower(name);
    for (auto& entry : menus_)
        if (lower(entry.name) == key)
            return &entry;
    return nullptr;
}

namespace {

template <typename Change> void changeMenu(Form& form, const std::string& name, Change change) {
    MenuEntry* entry = form.findMenu(name);
    if (!entry)
        throw std::logic_error("no menu " + name + " on " + form.name());
    change(*entry);
    if (form.view())
        form.view()->formChanged(FormProperty::Menus);
}

} // namespace

void Form::setMenuCaption(const std::string& name, const std::string& caption) {
    changeMenu(*this, name, [&](MenuEntry& e) { e.caption = caption; });
}

void Form::setMenuEnabled(const std::string& name, bool enabled) {
    changeMenu(*this, name, [&](MenuEntry& e) { e.enabled = enabled; });
}

void Form::setMenuChecked(const std::string& name, bool checked) {
    changeMenu(*this, name, [&](MenuEntry& e) { e.checked = checked; });
}

void Form::setMenuVisible(const std::string& name, bool visible) {
    changeMenu(*this, name, [&](MenuEntry& e) { e.visible = visible; });
}

void Form::on(const std::string& baseName, Event event, Handler handler) {
    handlers_[{lower(baseName), event}] = std::move(handler);
}

bool Form::handles(const std::string& baseName, Event event) const {
    return handlers_.count({lower(baseName), event}) != 0;
}

void Form::raise(const std::string& name, Event event, EventArgs args) {
    raiseWithArgs(name, event, args);
}

void Form::raiseWithArgs(const std::string& name, Event event, EventArgs& args) {
    std::string base = name;
    if (Control* control = find(name)) {
        base = control->baseName();
        args.index = control->index();
        // A disabled control takes no user events.
        if (!control->enabled() && event != Event::Timer)
            return;
    }
    auto it = handlers_.find({lower(base), event});
    if (it == handlers_.end())
        return;
    // Copy: a handler may rebind or unload its own form.
    Handler handler = it->second;
    handler(args);
}

void Form::setCaption(const std::string& caption) {
    caption_ = caption;
    if (view_)
        view_->formChanged(FormProperty::Caption);
}

void Form::setSize(int width, int height) {
    width_ = width;
    height_ = height;
    if (view_)
        view_->formChanged(FormProperty::Size);
}

// A fixed border of 3 pixels and a caption of 18 at 15 twips per pixel.
int Form::scaleWidth() const {
    return scaleWidth_ >= 0 ? scaleWidth_ : std::max(0, width_ - 90);
}

int Form::scaleHeight() const {
    return scaleHeight_ >= 0 ? scaleHeight_ : std::max(0, height_ - 360);
}

void Form::setIconResource(int id) {
    if (id == iconResource_)
        return; // a timer sets it again and again: no redraw for nothing
    iconResource_ = id;
    if (view_)
        view_->formChanged(FormProperty::Icon);
}

void Form::Load() {
    if (loaded_)
        return;
    loaded_ = true;
    host_.load(*this);
    Form_Load();
}

void Form::Show(bool modal) {
    Load();
    if (!loaded_) // Form_Load may have unloaded the form
        return;
    visible_ = true;
    host_.show(*this, modal);
}

void Form::Hide() {
    if (!loaded_ || !visible_)
        return;
    visible_ = false;
    host_.hide(*this);
}

void Form::setVisible(bool visible) {
    if (visible)
        Show(false);
    else
        Hide();
}

void Form::Unload() {
    if (!loaded_ || unloading_)
        return;
    unloading_ = true;
    Form_Unload();
    visible_ = false;
    loaded_ = false;
    host_.unload(*this);
    unloading_ = false;
}

void Form::notify(Control& control, Property property) {
    if (view_)
        view_->controlChanged(control, property);
}

} // namespace velmora::ui
