#pragma once
// Repairs of the way Windows finds and starts the mail client: each writes
// the same values or runs the same commands whatever the machine's state.

namespace velmora {

class Program;

// mailto links open the client.
void RepairMailtoLink(Program& program);
// The client is the machine's mail program, with its mailto protocol.
void DeclareDefaultMailClient(Program& program);
// Web links open with the browser.
void AssociateWebLinks(Program& program);
// The client and the libraries it uses register themselves again.
void RegisterClientLibraries(Program& program);
// The mail recipient entry of the Send To menu, made when it is missing.
void RestoreSendToRecipient(Program& program);

} // namespace velmora
