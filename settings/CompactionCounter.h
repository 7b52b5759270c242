#pragma once
// The compaction counter txt800: the closings of the mail client recorded
// since its last compaction, and the label lbl800 that tells how many are
// left before the client offers to compact.

#include <cstdint>
#include <optional>
#include <string>

namespace velmora {

class Program;

namespace settings {

// The whole number a text spells, as typed into the counter: blanks first,
// an optional sign, then the leading digits (a fraction is dropped); no
// digits give 0. Nothing when the number does not fit a signed 32-bit value.
std::optional<std::int32_t> CounterNumber(const std::string& text);

// The counter's change rule: the box shows its whole number, a number not
// below 0 is stored and the label updated. A number beyond 32 bits is
// refused: the box goes back to the number stored, and nothing is written.
void CounterChanged(Program& program);

// The caption of lbl800 for the number the counter's text spells.
void ShowClosingsLeft(Program& program);

} // namespace settings
} // namespace velmora
