#pragma once
// Closing a running mail client.

#include <string>

namespace velmora {

class Program;

// What a main window of the client has in its class name.
inline const std::string kClientWindowClass = "Outlook Express Browser Class";

// Posts a close request to the first top-level window of the client's class
// and to no other; the caller does not wait for the client to end.
void CloseMailClient(Program& program);

} // namespace velmora
