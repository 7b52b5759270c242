#pragma once
// The single-value settings of the account, security, preference and
// read-receipt pages, as data: for each control the registry place, the
// value name, and the number or text stored for each of its states. The
// pages write through these rows and the settings load reads through them.

#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace velmora {

class Program;

namespace settings {

enum class Place {
    MachineClient,    // HKLM "Software\Microsoft\Outlook Express"
    ClientPolicy,     // HKLM "SOFTWARE\Policies\Microsoft\Outlook Express"
    Identity,         // HKCU identity key
    IdentityMail,     // identity key + "\Mail"
    IdentityNews,     // identity key + "\News"
    IdentitiesPolicy, // HKCU "Software\Policies\Microsoft\Windows\CurrentVersion\Identities"
    AddressBook,      // HKCU "Software\Microsoft\WAB\WAB4"
    AddressBookFile,  // HKCU "Software\Microsoft\WAB\WAB4\Wab File Name"
};

struct RegLocation {
    std::uint32_t root = 0;
    std::string key;
};

// Where a place is now: the identity places follow the current identity.
RegLocation Locate(const Program& program, Place place);
bool IsPerIdentity(Place place);
// Per-identity places exist only while there is a current identity.
bool CanWrite(const Program& program, Place place);

// A check box state written as "remove the value".
inline constexpr int kDeletes = -1;

// How a stored number v becomes a check box state on load.
enum class StateFromStored {
    Same,        // v
    Inverted,    // v xor 1
    DistanceTo2, // |v - 2|
    LessOne,     // v - 1
};

struct CheckBoxSetting {
    const char* control;
    int page;
    Place place;
    const char* valueName;
    int whenTicked; // number stored, or kDeletes
    int whenClear;
    StateFromStored load;
};

// An option group: the index of the option chosen is the number stored.
struct OptionSetting {
    const char* control;
    int page;
    Place place;
    const char* valueName;
    bool writesOnClick; // otherwise on the mouse release (and the keyboard's click)
    std::span<const int> indexes;
};

struct TextSetting {
    const char* control;
    Place place;
    const char* valueName; // "" for the key's default value
    bool emptyDeletes;     // otherwise an empty box stores nothing at all
};

// A control whose state greys out others: ticked disables them.
struct Dependency {
    const char* control;
    std::span<const char* const> dependents;
};

std::span<const CheckBoxSetting> CheckBoxes();
std::span<const OptionSetting> OptionGroups();
std::span<const TextSetting> TextBoxes();
std::span<const Dependency> Dependencies();

// The contact-sort list cbo200 and the compaction counter txt800.
inline constexpr Place kContactSortPlace = Place::Identity;
inline constexpr const char* kContactSortValue = "Contact Pane Sorting";
inline constexpr int kContactSortEntries = 4;
inline constexpr Place kCounterPlace = Place::Identity;
inline constexpr const char* kCounterValue = "Compact Check Count";

const CheckBoxSetting& CheckBox(const std::string& control);
const OptionSetting& OptionGroup(const std::string& control);
const TextSetting& TextBox(const std::string& control);

// The state a check box shows for a stored number; any number may come out,
// and the box refuses what is not 0, 1 or 2.
long long StateFor(StateFromStored rule, long long stored);

// Writes what a check box stands for in the given state (0 clear, else ticked).
void WriteCheckBox(Program& program, const CheckBoxSetting& setting, int state);
void WriteOption(Program& program, const OptionSetting& setting, int index);
void WriteText(Program& program, const TextSetting& setting, const std::string& text);
void WriteNumber(Program& program, Place place, const char* valueName, long long number);

// Greys out or back the controls that depend on `control` in that state.
void ApplyDependency(Program& program, const std::string& control, int state);

} // namespace settings
} // namespace velmora
