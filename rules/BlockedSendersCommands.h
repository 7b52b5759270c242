#pragma once
// The commands of the blocked-senders page, on the branch it shows. Each
// shows the busy pointer while it works and, except the save, ends by
// refreshing the page.

namespace velmora {

class Program;

// cmd300: the list box's text to a text file.
void SaveBlockedList(Program& program);
// cmd301: a first list from a text file.
void LoadFirstBlockedList(Program& program);
// cmd304: a text file's new addresses added to the list, after a confirmation.
void MergeBlockedList(Program& program);
// cmd302: the whole branch deleted, after a confirmation.
void DeleteBlockedList(Program& program);
// cmd303: the list box's addresses sorted and written back over the
// criteria in the registry's order.
void SortBlockedList(Program& program);
// opt300(option): the action on blocked messages; option 4 asks for a colour.
void ChooseBlockedAction(Program& program, int option);
// opt300 picked from the keyboard: the same, unless it is the stored action.
void ChooseBlockedActionIfChanged(Program& program, int option);

// The page shown again for the current identity and branch. A long list is
// read with the window breathing and the page's inputs out of reach; a close
// or another identity change meanwhile ends the reading.
void RefreshBlockedList(Program& program);

// hsc300: the mail or the news list, as the switch now says.
void SwitchBlockedBranch(Program& program);
// lbl305: carriage return + line feed or ";" between the addresses.
void SwitchBlockedSeparator(Program& program);
// txt300: the list box over the whole page, or back in its place.
void EnlargeBlockedList(Program& program);

} // namespace velmora
