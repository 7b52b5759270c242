#pragma once
// The account, security, preference and read-receipt pages of the main window.

namespace velmora {

class Program;
class frmPrincipal;

// Adds the page's controls to the main window and binds their handlers.
void BuildSettingsPages(frmPrincipal& form, Program& program);

} // namespace velmora
