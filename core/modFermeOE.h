#pragma once
// Closing a running mail client.

namespace velmora {

class Program;

// Asks a running mail client to close; the caller does not wait for it.
void CloseMailClient(Program& program);

} // namespace velmora
