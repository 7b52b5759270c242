#pragma once
// Showing the stored values on the account, security, preference and
// read-receipt pages. The main window's settings load runs the two parts
// with the other pages' steps between and after them.

namespace velmora {

class Program;

// Steps 1 to 20: account, security and preference boxes, texts, contacts.
void LoadAccountAndPreferencePages(Program& program);
// Steps 24 to 37: read receipts, the restore-point choice and compaction.
void LoadReceiptAndCompactionPages(Program& program);

} // namespace velmora
