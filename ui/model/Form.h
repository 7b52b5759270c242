#pragma once
// A window of the program as data: named controls built from a layout
// table, menu entries, and the handlers bound to their events. A renderer
// (FormView) mirrors it onto real windows; tests drive it directly.

#include "ui/model/Control.h"
#include "ui/model/UiHost.h"

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora::ui {

// One row of a form's layout table.
struct ControlSpec {
    ControlKind kind;
    const char* name;
    int index = -1;             // element of a control array, -1 for none
    const char* container = ""; // a frame or tab strip, empty for the form
    int tabPage = -1;           // page of the tab strip container
    Twips bounds{};
    const char* caption = ""; // designed caption
};

struct MenuEntry {
    std::string name;
    std::string caption;
    std::string parent; // empty for an entry of the menu bar
    bool enabled = true;
    bool visible = true;
    bool checked = false;
    bool separator = false;
    bool popupOnly = false; // a top-level entry not shown in the menu bar
};

enum class FormProperty { Caption, Size, Menus, Icon };

// The renderer's side of a form.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void controlChanged(Control& control, Property property) = 0;
    virtual void formChanged(FormProperty property) = 0;
    // The form object is going away: the view must let go of it.
    virtual void formDestroyed() {}
};

class Form {
public:
    using Handler = std::function<void(EventArgs&)>;

    Form(std::string name, UiHost& host);
    virtual ~Form();

    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& name() const { return name_; }
    UiHost& host() const { return host_; }

    // Layout
    Control& add(ControlKind kind, const std::string& baseName, int index = -1);
    void addFromTable(const ControlSpec* specs, std::size_t count);
    template <std::size_t N> void addFromTable(const ControlSpec (&specs)[N]) {
        addFromTable(specs, N);
    }
    const std::vector<std::unique_ptr<Control>>& controls() const { return controls_; }
    Control* find(const std::string& name) const;
    // The named control; a name the form does not have is a programming error.
    Control& control(const std::string& name) const;
    Control& control(const std::string& baseName, int index) const;
    Control& operator[](const std::string& name) const { return control(name); }
    // The elements of a control array in index order.
    std::vector<Control*> elements(const std::string& baseName) const;

    // Menus
    MenuEntry& addMenu(const std::string& name, const std::string& caption,
                       const std::string& parent = "");
    const std::vector<MenuEntry>& menus() const { return menus_; }
    MenuEntry* findMenu(const std::string& name);
    void setMenuCaption(const std::string& name, const std::string& caption);
    void setMenuEnabled(const std::string& name, bool enabled);
    void setMenuChecked(const std::string& name, bool checked);
    void setMenuVisible(const std::string& name, bool visible);

    // Events: handlers are bound by base name, so one handler serves a
    // whole control array and reads the element from args.index.
    void on(const std::string& baseName, Event event, Handler handler);
    bool handles(const std::string& baseName, Event event) const;
    // Runs the handler bound to the control (or menu entry) for the event.
    void raise(const std::string& name, Event event, EventArgs args = {});
    // The same, with the caller's args: it sees what the handler set (cancel).
    void raiseWithArgs(const std::string& name, Event event, EventArgs& args);

    // Window
    const std::string& caption() const { return caption_; }
    void setCaption(const std::string& caption);
    int width() const { return width_; } // twips, outer size
    int height() const { return height_; }
    void setSize(int width, int height);
    // The inner area in twips, where the controls sit. The renderer tells
    // the real size; before that it is estimated from the outer size.
    int scaleWidth() const;
    int scaleHeight() const;
    int iconResource() const { return iconResource_; }
    void setIconResource(int id);

    // Lifetime, through the host: Load creates the window and runs
    // Form_Load; Show loads first when needed; Unload runs Form_Unload.
    bool isLoaded() const { return loaded_; }
    bool isVisible() const { return visible_; }
    bool isUnloading() const { return unloading_; }
    void Load();
    void Show(bool modal = false);
    void Hide();
    void Unload();
    void setVisible(bool visible);

    // Renderer hooks
    void attachView(FormView* view) { view_ = view; }
    FormView* view() const { return view_; }
    void markShown(bool visible) { visible_ = visible; }
    void markScaleSize(int width, int height) {
        scaleWidth_ = width;
        scaleHeight_ = height;
    }
    void notify(Control& control, Property property);

protected:
    virtual void Form_Load() {}
    virtual void Form_Unload() {}

private:
    std::string name_;
    UiHost& host_;
    std::vector<std::unique_ptr<Control>> controls_;
    std::map<std::string, Control*> byName_; // lower-case names
    std::vector<MenuEntry> menus_;
    std::map<std::pair<std::string, Event>, Handler> handlers_;
    std::string caption_;
    int width_ = 6000;
    int height_ = 4500;
    int scaleWidth_ = -1;
    int scaleHeight_ = -1;
    int iconResource_ = 0;
    bool loaded_ = false;
    bool visible_ = false;
    bool unloading_ = false;
    FormView* view_ = nullptr;
};

} // namespace velmora::ui
