#pragma once
// The troubleshooting page of the main window.

namespace velmora {

class Program;
namespace ui {
class Form;
}

// Adds the page's controls to the main window and binds their handlers.
void BuildTroubleshootingPage(ui::Form& form, Program& program);

// The settings load's part of the page: the store and attachment folder
// boxes. The page has no folder boxes yet, so there is nothing to show.
void LoadTroubleshootingFolders(Program& program);

} // namespace velmora
