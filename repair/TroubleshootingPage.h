#pragma once
// The troubleshooting page of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildTroubleshootingPage(ui::Form& form, Program& program);

// The settings load's part of the page: the stationery and attachment
// folder boxes, and the move button shown when the stationery lies
// elsewhere (never hidden here).
void LoadTroubleshootingFolders(Program& program);

} // namespace velmora
