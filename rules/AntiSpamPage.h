#pragma once
// The anti-spam page of the main window: the program's own mail rule,
// created, found by its name, deleted, and its criteria and actions handed
// to their editors.

#include <string>

namespace velmora {

class Program;
namespace ui {
class Form;
}

// The "Name" by which the rule is this program's: compared exactly, case included.
inline const std::string kAntiSpamRuleName = "AntiSpam http://www.velmora.org/";

// The editors the page opens modally.
inline const std::string kCriteriaWindow = "frmCriteria";
inline const std::string kActionWindow = "frmAction";

// Adds the page's controls to the main window, binds their handlers and
// registers the action editor.
void BuildAntiSpamPage(ui::Form& form, Program& program);

// Finds the rule in the identity's mail rules and shows it: the criteria
// with their words and the actions, or only the two buttons without a rule.
void LoadAntiSpamRule(Program& program);

} // namespace velmora
