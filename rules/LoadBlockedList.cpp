#include "rules/LoadBlockedList.h"

#include "core/Language.h"
#include "core/frmCouleur.h"
#include "core/Program.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"

namespace velmora {

namespace {

// Shown with a list, hidden without one; the options opt300 go with them.
const char* const kListControls[] = {"txt300", "cmd300", "lbl305", "cmd302", "lbl307", "cmd304",
                                     "lbl309", "cmd303", "lbl308", "lbl301", "Line10", "shp300"};
// The offer to load a first list, shown only without one.
const char* const kNoListControls[] = {"cmd301", "lbl306"};

void ShowListState(ui::Form& form, bool list) {
    for (const char* name : kListControls)
        form.control(name).setVisible(list);
    for (ui::Control* option : form.elements("opt300"))
        option->setVisible(list);
    for (const char* name : kNoListControls)
        form.control(name).setVisible(!list);
}

// Addresses read between two breaths of a refresh that takes them.
constexpr int kReadBatch = 200;

// The addresses in the registry's enumeration order, joined by separator;
// the box shows them as they come when the refresh breathes.
struct ListedAddresses {
    std::string text;
    int count = 0;
    bool abandoned = false;
};

ListedAddresses ReadAddresses(const modRegistre& reg, const std::string& branchKey,
                              const std::string& separator, ui::Control& box,
                              const std::function<bool()>& breathe) {
    ListedAddresses listed;
    const RegReadBatch criteria(reg, HKCU, CriteriaKey(branchKey));
    for (std::int32_t i = 0;; ++i) {
        const std::string name = criteria.EnumRegSubKey(i);
        if (name == kNotFound)
            break;
        if (listed.count++ > 0)
            listed.text += separator;
        listed.text += criteria.ReadRegValue(name, rulevalue::Value);
        if (breathe && listed.count % kReadBatch == 0) {
            box.setText(listed.text);
            if (!breathe()) {
                listed.abandoned = true;
                break;
            }
        }
    }
    return listed;
}

void ShowAction(Program& program, ui::Form& form, const std::string& branchKey) {
    const std::string actionKey = ActionKey(branchKey, "000");
    const int type =
        static_cast<int>(LeadingNumber(program.reg.ReadRegValue(HKCU, actionKey, rulevalue::Type)));
    const int option = OptionOfActionType(type);
    if (option < 0)
        return; // an action of another kind: the options stay as they are
    form.control("opt300", option).setValue(1);
    ui::Control& shape = form.control("shp300");
    if (type != action::Highlight) {
        shape.setVisible(false);
        return;
    }
    shape.setVisible(true);
    const auto index = LeadingNumber(program.reg.ReadRegValue(HKCU, actionKey, rulevalue::Value));
    shape.setBackColor(ColourOfIndex(program, static_cast<int>(index)));
}

} // namespace

std::string BlockedText(Program& program, const std::string& key) {
    return GetLngText(program.services.profile, "Onglet3", key, program.LanguageFile);
}

std::string CurrentBranch(Program& program) {
    return program.principal().control("hsc300").value() == 0 ? "Mail" : "News";
}

std::string CurrentSeparator(Program& program) {
    // The label's caption tells which separator was chosen last.
    const bool semicolon =
        program.principal().control("lbl305").caption() == BlockedText(program, "lbl305.1");
    return semicolon ? ";" : "\r\n";
}

namespace {

// Reads the addresses unless known is given.
void ShowBlockedList(Program& program, const std::function<bool()>& breathe,
                     const ListedAddresses* known) {
    ui::Form& form = program.principal();
    form.control("lblChangeIdentite").setToolTip("USER ID = " + program.CurrentIdentity);
    form.control("txt300").setText("");

    const std::string branchKey = BranchKey(program, CurrentBranch(program));
    const bool list = ReadOrder(program.reg, CriteriaKey(branchKey)) != kNotFound;
    ShowListState(form, list);
    ui::Control& count = form.control("lbl302");
    if (list) {
        const ListedAddresses listed =
            known ? *known
                  : ReadAddresses(program.reg, branchKey, CurrentSeparator(program),
                                  form.control("txt300"), breathe);
        if (listed.abandoned)
            return;
        form.control("txt300").setText(listed.text);
        count.setCaption(std::to_string(listed.count) + " " + BlockedText(program, "lbl302"));
        ShowAction(program, form, branchKey);
    } else {
        count.setCaption(BlockedText(program, "lbl302.3"));
    }
    form.control("cmdFocus").setFocus();
}

} // namespace

void LoadBlockedList(Program& program) {
    ShowBlockedList(program, {}, nullptr);
}

void LoadBlockedList(Program& program, const std::function<bool()>& breathe) {
    ShowBlockedList(program, breathe, nullptr);
}

void ShowStoredBlockedList(Program& program, const std::string& addresses, int count) {
    const ListedAddresses known{addresses, count};
    ShowBlockedList(program, {}, &known);
}

} // namespace velmora
