#pragma once
// The account, security, preference and read-receipt pages of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildSettingsPages(ui::Form& form, Program& program);

} // namespace velmora
