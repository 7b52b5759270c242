#pragma once
// The blocked-senders page of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildBlockedSendersPage(ui::Form& form, Program& program);

} // namespace velmora
