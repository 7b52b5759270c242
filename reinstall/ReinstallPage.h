#pragma once
// The reinstallation page of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildReinstallPage(ui::Form& form, Program& program);

} // namespace velmora
