#pragma once
// The anti-spam page of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildAntiSpamPage(ui::Form& form, Program& program);

// The settings load's part of the page: the state of the anti-spam rule.
// The page does not show a rule yet, so there is nothing to show.
void LoadAntiSpamStatus(Program& program);

} // namespace velmora
