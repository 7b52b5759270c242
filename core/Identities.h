#pragma once
// The mail identities: the table, the current one, and the change button.

namespace velmora {

class Program;

// Builds the identity table, chooses the current identity and shows it.
void SetUpIdentities(Program& program);
// The next identity of the table, if any, becomes current and is shown.
void SelectNextIdentity(Program& program);
// Shows the current identity in lblChangeIdentite, lbl621 and txt620; with
// no identity at all, the language file's text saying so.
void ShowCurrentIdentity(Program& program);

} // namespace velmora
