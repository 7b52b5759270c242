#include "rules/AntiSpamPage.h"

#include "core/Language.h"
#include "core/Program.h"
#include "rules/RuleDescription.h"
#include "rules/RuleStorage.h"
#include "rules/frmAction.h"

namespace velmora {

namespace {

using platform::RegDword;
using platform::RegSz;

constexpr ui::ControlKind Chk = ui::ControlKind::CheckBox;
constexpr ui::ControlKind Lbl = ui::ControlKind::Label;
constexpr ui::ControlKind Rtb = ui::ControlKind::RichText;
constexpr ui::ControlKind Cmd = ui::ControlKind::CommandButton;

// Twips from the tab strip's corner: the three criteria, each a check box
// over the box of its words, then the actions and the two rule buttons.
const ui::ControlSpec kLayout[] = {
    {Chk, "chk400", 0, "SSTab1", 4, {240, 540, 9360, 255}, "Lorsque la ligne Objet contient"},
    {Rtb, "rtb400", 0, "SSTab1", 4, {240, 825, 9360, 735}, ""},
    {Chk,
     "chk400",
     1,
     "SSTab1",
     4,
     {240, 1680, 9360, 255},
     "ou Lorsque le corps du message contient"},
    {Rtb, "rtb400", 1, "SSTab1", 4, {240, 1965, 9360, 735}, ""},
    {Chk,
     "chk400",
     2,
     "SSTab1",
     4,
     {240, 2820, 9360, 255},
     "ou lorsque l'adresse ou le nom d'exp\xE9"
     "diteur contient :"},
    {Rtb, "rtb400", 2, "SSTab1", 4, {240, 3105, 9360, 735}, ""},
    {Lbl, "lbl400", -1, "SSTab1", 4, {240, 3990, 9360, 255}, "Action"},
    {Rtb, "rtb403", -1, "SSTab1", 4, {240, 4275, 9360, 1485}, ""},
    {Cmd,
     "cmd400",
     -1,
     "SSTab1",
     4,
     {6480, 5940, 1500, 375},
     "Cr\xE9"
     "er"},
    {Cmd, "cmd401", -1, "SSTab1", 4, {8100, 5940, 1500, 375}, "Supprimer"},
};

constexpr int kPositions = 3;

std::string PageText(Program& program, const std::string& key) {
    return GetLngText(program.services.profile, "Onglet4", key, program.LanguageFile);
}

// A message of the page: its text key, its title under key + ".1".
int Message(Program& program, const std::string& key, int style) {
    return program.services.ui.msgBox(PageText(program, key), style, PageText(program, key + ".1"));
}

// The criterion position of a criterion type, -1 for a type of no position.
int PositionOfType(const Program& program, long long type) {
    for (int p = 0; p < kPositions; ++p)
        if (program.CriterionTypes[p] == type)
            return p;
    return -1;
}

// A newcomer to a collection, listed first: its name, free in the Order and
// not a key left behind unlisted (whose values it would take over), and the
// new Order. No name when every name of the scheme is in use.
struct Newcomer {
    std::string name;
    std::string order;
};
Newcomer FirstInOrder(const modRegistre& reg, const std::string& collectionKey) {
    std::string order = ReadOrder(reg, collectionKey);
    if (order == kNotFound)
        order.clear();
    std::string taken = order;
    for (std::int32_t i = 0;; ++i) {
        const std::string name = reg.EnumRegSubKey(HKCU, collectionKey, i);
        if (name == kNotFound)
            break;
        taken += " " + name;
    }
    const std::string name = FirstFreeSubkeyName(taken);
    return {name, order.empty() ? name : name + " " + order};
}

// Whether the rule shown since the last refresh is still there under its key.
bool RuleShown(Program& program) {
    return !program.principal().control("cmd400").enabled() && !program.AntiSpamRuleKey.empty() &&
           program.reg.ReadRegValue(HKCU, RuleKey(program, program.AntiSpamRuleKey),
                                    rulevalue::Name) == kAntiSpamRuleName;
}

void CreateRule(Program& program) {
    {
        ui::BusyPointer busy(program.services.ui);
        const std::string rulesKey = MailRulesKey(program);
        const Newcomer rule = FirstInOrder(program.reg, rulesKey);
        if (rule.name.empty())
            return;
        program.reg.WriteRegValue(HKCU, rulesKey, rulevalue::Order, RegSz, rule.order);
        const std::string ruleKey = RuleKey(program, rule.name);
        program.reg.WriteRegValue(HKCU, ruleKey, rulevalue::Name, RegSz, kAntiSpamRuleName);
        program.reg.WriteRegValue(HKCU, ruleKey, rulevalue::Enabled, RegDword, 1LL);
        program.reg.WriteRegValue(HKCU, ruleKey, rulevalue::Version, RegDword, 1LL);
    }
    LoadAntiSpamRule(program);
}

void DeleteRule(Program& program) {
    // A key of a rule found before (another identity's, or one since
    // deleted) may now name another rule: only the rule shown goes.
    if (!RuleShown(program)) {
        Message(program, "msbox402", ui::MbExclamation);
        LoadAntiSpamRule(program);
        return;
    }
    if (Message(program, "msbox401", ui::MbOkCancelExclamation) != ui::ResultOk)
        return;
    {
        ui::BusyPointer busy(program.services.ui);
        const std::string rulesKey = MailRulesKey(program);
        const std::string order = ReadOrder(program.reg, rulesKey);
        if (order == kNotFound) {
            // Listed nowhere: the other rules, listed or not, stay.
            program.reg.DeleteRegTree(HKCU, rulesKey, program.AntiSpamRuleKey);
        } else if (const std::string rest = RemoveFromOrder(order, program.AntiSpamRuleKey);
                   !rest.empty()) {
            program.reg.WriteRegValue(HKCU, rulesKey, rulevalue::Order, RegSz, rest);
            program.reg.DeleteRegTree(HKCU, rulesKey, program.AntiSpamRuleKey);
        } else {
            program.reg.DeleteRegTree(HKCU, program.IdentityKey() + "\\Rules", "Mail");
        }
    }
    LoadAntiSpamRule(program);
}

void ShowCriteriaEditor(Program& program, int position) {
    program.principal().control("lblPassage").setCaption(std::to_string(position));
    program.form(kCriteriaWindow).Show(true);
}

void RemoveCriterion(Program& program, int position) {
    if (Message(program, "msbox400", ui::MbOkCancelExclamation) != ui::ResultOk)
        return;
    ui::BusyPointer busy(program.services.ui);
    ui::Form& form = program.principal();
    ui::Control& words = form.control("rtb400", position);
    words.setRuns({});
    words.setEnabled(false);
    form.control("chk400", position).setValue(0);
    const std::string criteriaKey = CriteriaKey(RuleKey(program, program.AntiSpamRuleKey));
    const std::string& name = program.CriterionKeys.at(position);
    const std::string order = ReadOrder(program.reg, criteriaKey);
    const std::string rest = order == kNotFound ? std::string() : RemoveFromOrder(order, name);
    if (!name.empty())
        program.reg.DeleteRegTree(HKCU, criteriaKey, name);
    program.reg.WriteRegValue(HKCU, criteriaKey, rulevalue::Order, RegSz, rest);
}

void AddCriterion(Program& program, int position) {
    const std::string criteriaKey = CriteriaKey(RuleKey(program, program.AntiSpamRuleKey));
    Newcomer criterion;
    {
        ui::BusyPointer busy(program.services.ui);
        criterion = FirstInOrder(program.reg, criteriaKey);
        if (criterion.name.empty())
            return;
        program.CriterionKeys.at(position) = criterion.name;
    }
    ShowCriteriaEditor(program, position);
    if (program.principal().control("lblPassage").caption() == "True")
        program.reg.WriteRegValue(HKCU, criteriaKey, rulevalue::Order, RegSz, criterion.order);
    LoadAntiSpamRule(program);
}

// The box's state at the press decides; the press itself changes nothing.
void SwitchCriterion(Program& program, int position) {
    if (program.principal().control("chk400", position).value() == 1)
        RemoveCriterion(program, position);
    else
        AddCriterion(program, position);
}

void EditWords(Program& program, int position) {
    ShowCriteriaEditor(program, position);
    LoadAntiSpamRule(program);
}

void EditActions(Program& program) {
    ui::Control& passage = program.principal().control("lblPassage");
    passage.setCaption("");
    program.form(kActionWindow).Show(true);
    if (passage.caption() == "Ok")
        subRemplisAction(program);
}

// No rule shown: only the two buttons are there to use.
void ShowNoRule(ui::Form& form) {
    for (int p = 0; p < kPositions; ++p) {
        ui::Control& words = form.control("rtb400", p);
        words.setVisible(false);
        words.setEnabled(false);
        words.setRuns({});
        ui::Control& box = form.control("chk400", p);
        box.setVisible(false);
        box.setValue(0);
    }
    form.control("cmd400").setEnabled(true);
    form.control("rtb403").setVisible(false);
    form.control("lbl400").setVisible(false);
    form.control("rtb403").setRuns({});
}

void ShowRule(Program& program, const std::string& ruleName) {
    ui::Form& form = program.principal();
    program.AntiSpamRuleKey = ruleName;
    for (int p = 0; p < kPositions; ++p) {
        form.control("rtb400", p).setVisible(true);
        form.control("chk400", p).setVisible(true);
    }
    form.control("rtb403").setVisible(true);
    form.control("lbl400").setVisible(true);
    form.control("cmd400").setEnabled(false);

    const std::string ruleKey = RuleKey(program, ruleName);
    for (std::int32_t i = 0;; ++i) {
        const std::string name = program.reg.EnumRegSubKey(HKCU, CriteriaKey(ruleKey), i);
        if (name == kNotFound)
            break;
        const int p =
            PositionOfType(program, LeadingNumber(program.reg.ReadRegValue(
                                        HKCU, CriterionKey(ruleKey, name), rulevalue::Type)));
        if (p < 0)
            continue;
        program.CriterionKeys.at(p) = name;
        const bool words = subRemplisRtf(program, p) > 0;
        form.control("chk400", p).setValue(words ? 1 : 0);
        form.control("rtb400", p).setEnabled(words);
    }
    subRemplisAction(program);
}

} // namespace

void BuildAntiSpamPage(ui::Form& form, Program& program) {
    form.addFromTable(kLayout);
    program.CriterionKeys.resize(kPositions);
    program.registerForm(kActionWindow, [](Program& p) { return std::make_unique<frmAction>(p); });
    ShowNoRule(form);

    Program* p = &program;
    form.on("cmd400", ui::Event::MouseDown, [p](ui::EventArgs&) { CreateRule(*p); });
    form.on("cmd401", ui::Event::MouseDown, [p](ui::EventArgs&) { DeleteRule(*p); });
    form.on("chk400", ui::Event::MouseDown,
            [p](ui::EventArgs& args) { SwitchCriterion(*p, args.index); });
    // A click (or the space bar) would tick the box by itself: it shows
    // again what the page decided, a criterion with words.
    form.on("chk400", ui::Event::Click, [p](ui::EventArgs& args) {
        ui::Form& page = p->principal();
        page.control("chk400", args.index)
            .setValue(page.control("rtb400", args.index).enabled() ? 1 : 0);
    });
    form.on("rtb400", ui::Event::MouseDown,
            [p](ui::EventArgs& args) { EditWords(*p, args.index); });
    form.on("rtb403", ui::Event::MouseDown, [p](ui::EventArgs&) { EditActions(*p); });
}

void LoadAntiSpamRule(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    ui::Form& form = program.principal();
    ShowNoRule(form);
    const std::string rulesKey = MailRulesKey(program);
    for (const std::string& name : OrderNames(ReadOrder(program.reg, rulesKey))) {
        // A key name has no backslash: such a piece names no rule of the list.
        if (name.find('\\') != std::string::npos)
            continue;
        if (program.reg.ReadRegValue(HKCU, RuleKey(program, name), rulevalue::Name) ==
            kAntiSpamRuleName) {
            ShowRule(program, name);
            return;
        }
    }
}

} // namespace velmora
