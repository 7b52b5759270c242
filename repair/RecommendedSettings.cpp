#include "repair/RecommendedSettings.h"

#include "core/Program.h"

namespace velmora {

namespace {

struct NumberWrite {
    const char* subKey; // under the identity key; "" for the key itself
    const char* name;
    long long number;
};

const NumberWrite kEncodings[] = {
    {"", "Use US Reply Headers", 0},
    {"Mail", "Default_CodePage", 28605}, // ISO 8859-15
    {"Mail", "Message HTML Encoding Format", 4},
    {"Mail", "Message HTML Allow 8bit in Header", 1},
    {"Mail", "Message Plain Format MIME", 1},
    {"Mail", "Message Plain Encoding Format", 4},
    {"Mail", "Message Plain Allow 8bit in Header", 1},
    {"News", "Message HTML Encoding Format", 4},
    {"News", "Message HTML Allow 8bit in Header", 1},
    {"News", "Message Plain Format MIME", 1},
    {"News", "Message Plain Encoding Format", 4},
    {"News", "Message Plain Allow 8bit in Header", 1},
};

const NumberWrite kLayout[] = {
    {"", "Toolbar Text", 1},     {"", "Toolbar Icon Size", 1},    {"", "Show Contacts", 1},
    {"", "Show Outlook Bar", 0}, {"", "ShowBodyBar", 0},          {"", "ShowStatus", 1},
    {"", "ShowToolbarIEAK", 1},  {"", "PrevToolbarTextStyle", 1}, {"", "Tree", 1},
};

// The pane sizes the client measures again at its next start.
const char* const kForgottenLayout[] = {"Nav Pane Width", "Nav Pane Split"};

template <std::size_t N> void WriteNumbers(Program& program, const NumberWrite (&writes)[N]) {
    const RegWriteBatch batch(program.reg, HKCU, program.IdentityKey());
    for (const NumberWrite& write : writes)
        batch.WriteRegValue(write.subKey, write.name, platform::RegDword, write.number);
}

} // namespace

void WriteRecommendedEncodings(Program& program) {
    WriteNumbers(program, kEncodings);
}

void ResetWindowLayout(Program& program) {
    WriteNumbers(program, kLayout);
    for (const char* name : kForgottenLayout)
        program.reg.DeleteRegValue(HKCU, program.IdentityKey(), name);
}

} // namespace velmora
