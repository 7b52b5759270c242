#pragma once
// The display of the blocked-senders page: which branch and separator it
// shows, and its refresh from the registry.

#include <functional>
#include <string>

namespace velmora {

class Program;

// The text of key in the page's language section "Onglet3".
std::string BlockedText(Program& program, const std::string& key);

// "Mail" while the switch hsc300 is at 0, "News" otherwise.
std::string CurrentBranch(Program& program);
// What joins the addresses in the list box and in a saved file: ";" after
// the separator switch, carriage return + line feed otherwise.
std::string CurrentSeparator(Program& program);

// Shows the current identity's list of the current branch, its count and
// its action, or the offer to load a first list when there is none. A value
// it cannot read shows as "Not Found"; nothing stops the program.
void LoadBlockedList(Program& program);
// The same for a command that lets the window breathe: breathe() is called
// between batches of addresses read, and answers false to abandon the
// refresh (the window was closed, or another refresh has run meanwhile).
void LoadBlockedList(Program& program, const std::function<bool()>& breathe);
// The same where the addresses are known without reading them: count of
// them, joined by the current separator in the registry's order.
void ShowStoredBlockedList(Program& program, const std::string& addresses, int count);

} // namespace velmora
