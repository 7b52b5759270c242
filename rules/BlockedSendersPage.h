#pragma once
// The blocked-senders page of the main window.

namespace velmora {

class Program;
class frmPrincipal;

// Adds the page's controls to the main window and binds their handlers.
void BuildBlockedSendersPage(frmPrincipal& form, Program& program);

} // namespace velmora
