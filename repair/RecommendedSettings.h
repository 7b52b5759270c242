#pragma once
// Fixed values for the current identity: the recommended encodings and
// reply headers, and the client's initial window layout.

namespace velmora {

class Program;

void WriteRecommendedEncodings(Program& program);
void ResetWindowLayout(Program& program);

} // namespace velmora
