#pragma once
// The troubleshooting page of the main window.

namespace velmora {

class Program;
class frmPrincipal;

// Adds the page's controls to the main window and binds their handlers.
void BuildTroubleshootingPage(frmPrincipal& form, Program& program);

} // namespace velmora
