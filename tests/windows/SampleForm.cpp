#include "windows/SampleForm.h"

namespace velmora::testing {

using ui::ControlKind;
using ui::Event;

namespace {

const ui::ControlSpec kLayout[] = {
    {ControlKind::CommandButton, "cmdOk", -1, "", -1, {120, 120, 1200, 375}, "&OK"},
    {ControlKind::CommandButton, "cmdCancel", -1, "", -1, {1440, 120, 1200, 375}, "Cancel"},
    {ControlKind::CheckBox, "chk102", -1, "", -1, {120, 600, 2400, 255}, "&Lock attachments"},
    {ControlKind::CheckBox, "chk103", -1, "", -1, {120, 900, 2400, 255}, "Grey"},
    {ControlKind::Frame, "fraOpt", -1, "", -1, {2700, 120, 2400, 1800}, "Actions"},
    {ControlKind::OptionButton, "opt300", 0, "fraOpt", -1, {120, 240, 2000, 255}, "Move"},
    {ControlKind::OptionButton, "opt300", 1, "fraOpt", -1, {120, 540, 2000, 255}, "Copy"},
    {ControlKind::OptionButton, "opt300", 2, "fraOpt", -1, {120, 840, 2000, 255}, "Delete"},
    {ControlKind::OptionButton, "opt301", -1, "", -1, {120, 1200, 2400, 255}, "Alone"},
    {ControlKind::Label, "lbl305", -1, "", -1, {120, 1560, 1000, 255}, "&Name:"},
    {ControlKind::TextBox, "txt300", -1, "", -1, {1200, 1500, 1400, 315}, ""},
    {ControlKind::TextBox, "txt301", -1, "", -1, {120, 1920, 2415, 900}, ""},
    {ControlKind::ComboBox, "cbo200", -1, "", -1, {120, 2940, 2400, 315}, ""},
    {ControlKind::ListBox, "lst1", -1, "", -1, {2700, 2040, 2400, 900}, ""},
    {ControlKind::HScrollBar, "hsc300", -1, "", -1, {2700, 3000, 2400, 255}, ""},
    {ControlKind::Line, "lin1", -1, "", -1, {120, 3360, 4980, 0}, ""},
    {ControlKind::Shape, "shp01", -1, "", -1, {120, 3480, 600, 300}, ""},
    {ControlKind::Picture, "img01", -1, "", -1, {840, 3480, 480, 480}, ""},
    {ControlKind::TabStrip, "SSTab1", -1, "", -1, {5280, 120, 4200, 3600}, ""},
    {ControlKind::CheckBox, "chk700", -1, "SSTab1", 0, {240, 480, 2400, 255}, "On page 0"},
    {ControlKind::Label, "lblAll", -1, "SSTab1", -1, {240, 3240, 2400, 255}, "Every page"},
    {ControlKind::TabStrip, "SSTab2", -1, "SSTab1", 1, {120, 420, 3900, 2700}, ""},
    {ControlKind::Label, "lbl500", -1, "SSTab2", 0, {240, 480, 2400, 255}, "Sub page 0"},
    {ControlKind::Label, "lbl510", -1, "SSTab2", 1, {240, 480, 2400, 255}, "Sub page 1"},
    {ControlKind::ListView, "lvw1", -1, "", -1, {120, 4080, 4500, 1800}, ""},
    {ControlKind::TreeView, "tvc01", -1, "", -1, {4800, 4080, 2400, 1800}, ""},
    {ControlKind::RichText, "rtb400", -1, "", -1, {7320, 4080, 2160, 900}, ""},
    {ControlKind::ProgressBar, "pBar631", -1, "", -1, {7320, 5100, 2160, 255}, ""},
    {ControlKind::Animation, "Animation631", -1, "", -1, {7320, 5460, 900, 480}, ""},
    {ControlKind::Timer, "tmr641", -1, "", -1, {}, ""},
};

// What an event carries, as the log shows it after the element's name.
std::string detail(Event event, const ui::EventArgs& a) {
    switch (event) {
    case Event::MouseDown:
    case Event::MouseUp:
        return std::to_string(a.button) + ' ' + std::to_string(a.x) + ',' + std::to_string(a.y);
    case Event::KeyDown:
    case Event::KeyPress:
        return std::to_string(a.keyCode);
    case Event::ColumnClick:
        return std::to_string(a.column);
    case Event::AfterLabelEdit:
        return std::to_string(a.row) + ' ' + a.text;
    case Event::NodeClick:
        return a.text;
    default:
        return "";
    }
}

} // namespace

SampleForm::SampleForm(ui::UiHost& host, const std::string& name) : ui::Form(name, host) {
    setCaption("Sample");
    setSize(9720, 6600);
    addFromTable(kLayout);
    control("cmdOk").setDefault(true);
    control("cmdCancel").setCancel(true);
    control("chk103").setValue(2);
    control("opt300", 1).setValue(1);
    control("txt301").setMultiLine(true);
    control("cbo200").setItems({"Mail", "News", "Both"});
    control("cbo200").setListIndex(1);
    control("lst1").setItems({"alpha", "beta", "gamma"});
    control("hsc300").setRange(0, 1);
    control("SSTab1").setItems({"&General", "&Expert"});
    control("SSTab2").setItems({"One", "Two"});
    control("lvw1").setColumns({{"Expression", 2000}, {"caract\xE8res Hexa", 2000}});
    control("lvw1").setRows({{"cash", {"63617368"}, false, 0},
                             {" free", {"2066726565"}, true, 0x800080},
                             {"win ", {"77696E20"}, false, 0x808000}});
    // A child listed before its parent still goes under it.
    control("tvc01").setNodes({{"Supprime", "Delete", "", true},
                               {"commelu1", "Mark as read", "Supprime", false},
                               {"Nepaslet", "Do not download", "", false}});
    control("rtb400").setRuns({{"Subject ", 0x000000, false},
                               {"cash", 0x0000FF, true},
                               {" or ", 0x000000, false},
                               {"free", 0x008000, true}});
    control("pBar631").setRange(0, 100);
    control("pBar631").setValue(40);
    control("tmr641").setEnabled(false);
    control("tmr641").setInterval(50);

    addMenu("mnuFich", "&Fichier");
    addMenu("mnuFichChar", "&Charger", "mnuFich");
    addMenu("mnuSepar", "-", "mnuFich");
    addMenu("mnuFichSauv", "&Sauver", "mnuFich");
    addMenu("mnuExpr", "(3 Expressions)");
    addMenu("mnuPop", "Pop").popupOnly = true;
    addMenu("mnuPopA", "First", "mnuPop");
    addMenu("mnuPopB", "Second", "mnuPop");

    static const char* const names[] = {"Click",    "DblClick",   "MouseDown",      "MouseUp",
                                        "Change",   "LostFocus",  "GotFocus",       "KeyDown",
                                        "KeyPress", "Timer",      "AfterLabelEdit", "NodeClick",
                                        "Scroll",   "ColumnClick"};
    std::vector<std::string> bases;
    for (const auto& c : controls())
        bases.push_back(c->baseName());
    for (const auto& m : menus())
        bases.push_back(m.name);
    for (const std::string& base : bases)
        for (std::size_t number = 0; number < std::size(names); ++number)
            on(base, static_cast<Event>(number), [this, base, number](ui::EventArgs& a) {
                const std::string element = ui::elementName(base, a.index);
                const std::string entry = names[number] + (" " + element);
                const ui::Control* c = find(element);
                const std::string value = c && c->value() ? std::to_string(c->value()) : "";
                const std::string carried = detail(static_cast<Event>(number), a);
                log.push_back(entry + (value.empty() ? "" : "=") + value +
                              (carried.empty() ? "" : " ") + carried);
                if (react)
                    react(entry, a);
            });
}

std::vector<std::string> SampleForm::logged(const std::string& part) const {
    std::vector<std::string> found;
    for (const std::string& entry : log)
        if (entry.find(part) != std::string::npos)
            found.push_back(entry);
    return found;
}

} // namespace velmora::testing
