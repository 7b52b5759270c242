#pragma once
// The client's store, attachment and stationery folders: shown in Explorer
// with hidden files visible, typed or browsed, and the stationery moved back
// to its standard place.

#include <string>

namespace velmora {

class Program;

inline const std::string kStationeryKey = "SOFTWARE\\Microsoft\\Shared Tools\\Stationery";
// Where the client installs its stationery, as it records it.
inline const std::string kStandardStationery =
    "%ProgramFiles%\\Common Files\\Microsoft Shared\\Stationery\\";
// Where a move puts it back: a fixed path.
inline const std::string kStationeryTarget =
    "C:\\Program files\\Common Files\\Microsoft Shared\\Stationery\\";

// Whether a stored stationery folder ("Not Found" included) lies elsewhere
// than the standard one.
bool StationeryMoved(Program& program, const std::string& storedFolder);

// Focus leaves a box: its folder is stored.
void StoreStationeryFolder(Program& program);
void StoreAttachmentFolder(Program& program);

// The message store (of the identity the client used last) or the
// stationery folder in Explorer, with hidden files shown.
void ShowStoreFolder(Program& program);
void ShowStationeryFolder(Program& program);

// Copies the stationery to the fixed target, points the client there and
// removes the old folder, after the user's confirmation.
void MoveStationery(Program& program);

} // namespace velmora
