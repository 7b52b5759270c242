#include "settings/SettingsLoad.h"

#include "core/Program.h"
#include "core/frmAbout.h"
#include "settings/CompactionCounter.h"
#include "settings/SettingsCatalogue.h"

#include <cctype>
#include <optional>

namespace velmora {

using settings::Place;

namespace {

// A stored value the control cannot take: the step is abandoned and the
// control keeps what it showed before.
struct Refused {};

template <class Work> void Step(Work&& work) {
    try {
        work();
    } catch (const Refused&) {
    }
}

std::string Read(const Program& program, Place place, const char* valueName) {
    const settings::RegLocation where = settings::Locate(program, place);
    return program.reg.ReadRegValue(where.root, where.key, valueName);
}

long long Stored(const Program& program, Place place, const char* valueName) {
    return LeadingNumber(Read(program, place, valueName));
}

void SetState(ui::Control& box, long long state) {
    if (state < 0 || state > 2)
        throw Refused{};
    box.setValue(static_cast<int>(state));
}

void SetText(ui::Control& box, const std::string& stored) {
    box.setText(stored == kNotFound ? std::string() : stored);
}

ui::Control& Principal(Program& program, const std::string& name) {
    return program.principal().control(name);
}

// A check box of the catalogue, and the controls it greys out.
void LoadCheckBox(Program& program, const char* control) {
    const settings::CheckBoxSetting& setting = settings::CheckBox(control);
    ui::Control& box = Principal(program, control);
    SetState(box,
             settings::StateFor(setting.load, Stored(program, setting.place, setting.valueName)));
    settings::ApplyDependency(program, control, box.value());
}

// The option whose index is the stored number; a group without such an
// option keeps its choice. Answers the index selected.
int LoadOptionGroup(Program& program, const char* control) {
    const settings::OptionSetting& setting = settings::OptionGroup(control);
    const long long stored = Stored(program, setting.place, setting.valueName);
    ui::Control* option = nullptr;
    if (stored >= 0 && stored <= 99)
        option = program.principal().find(ui::elementName(control, static_cast<int>(stored)));
    if (!option)
        throw Refused{};
    option->setValue(1);
    return option->index();
}

void LoadTextBox(Program& program, const char* control) {
    const settings::TextSetting& setting = settings::TextBox(control);
    SetText(Principal(program, control), Read(program, setting.place, setting.valueName));
}

// The stored text as a 16-bit integer: blanks around an optional sign and
// digits, nothing else.
std::optional<int> SmallInteger(const std::string& text) {
    std::size_t at = text.find_first_not_of(' ');
    if (at == std::string::npos)
        return std::nullopt;
    bool negative = false;
    if (text[at] == '-' || text[at] == '+')
        negative = text[at++] == '-';
    long number = 0;
    std::size_t digits = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at, ++digits)
        if (number <= 32768)
            number = number * 10 + (text[at] - '0');
    if (digits == 0 || text.find_first_not_of(' ', at) != std::string::npos)
        return std::nullopt;
    if (negative)
        number = -number;
    if (number < -32768 || number > 32767)
        return std::nullopt;
    return static_cast<int>(number);
}

// A number of the list's range shows its entry; any other shows none.
void LoadContactSorting(Program& program) {
    const std::optional<int> entry =
        SmallInteger(Read(program, settings::kContactSortPlace, settings::kContactSortValue));
    if (!entry)
        throw Refused{};
    Principal(program, "cbo200").setListIndex(*entry);
}

// Step 34: the restore-point choice of the about window, which is loaded
// (not shown) for it when it is not loaded yet.
void LoadRestorePointChoice(Program& program) {
    ui::Control* box = LoadedAboutWindow(program).find("chkRestaur");
    if (!box)
        throw Refused{};
    SetState(*box, LeadingNumber(program.reg.ReadRegValue(HKCU, kProgramKey, "NoRestaure")));
}

bool HasServicePack2(const Program& program) {
    const std::string version = program.reg.ReadRegValue(
        HKLM, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings", "MinorVersion");
    return version != kNotFound && version.find("SP2") != std::string::npos;
}

} // namespace

void LoadAccountAndPreferencePages(Program& program) {
    // Account, security and preference boxes: steps 1 to 15.
    for (const char* box : {"chk000", "chk001", "chk010", "chk011", "chk020", "chk101", "chk102",
                            "chk103", "chk104", "chk110"})
        Step([&] { LoadCheckBox(program, box); });
    Step([&] {
        // The security zone's click rule runs for the option selected: it
        // stores the zone again.
        const int zone = LoadOptionGroup(program, "opt100");
        settings::WriteOption(program, settings::OptionGroup("opt100"), zone);
    });
    for (const char* box : {"chk120", "chk200", "chk201", "chk202"})
        Step([&] { LoadCheckBox(program, box); });

    // Texts and the contacts list: steps 16 to 20.
    for (const char* box : {"txt200", "txt201", "txt202", "txt203"})
        Step([&] { LoadTextBox(program, box); });
    Step([&] { LoadContactSorting(program); });
}

void LoadReceiptAndCompactionPages(Program& program) {
    // Read receipts: steps 24 to 32.
    Step([&] { LoadOptionGroup(program, "opt700"); });
    for (const char* box : {"chk700", "chk701", "chk710", "chk711", "chk712", "chk713"})
        Step([&] { LoadCheckBox(program, box); });
    Step([&] { LoadOptionGroup(program, "opt710"); });
    Step([&] { LoadOptionGroup(program, "opt720"); });

    // Compaction: steps 33 to 37. Showing the counter runs its change rule,
    // which stores the counter's whole number.
    Step([&] {
        Principal(program, "txt800")
            .setText(Read(program, settings::kCounterPlace, settings::kCounterValue));
        settings::CounterChanged(program);
    });
    Step([&] { LoadRestorePointChoice(program); });
    Step([&] { settings::ShowClosingsLeft(program); });
    Step([&] { LoadCheckBox(program, "chk800"); });
    Step([&] { LoadCheckBox(program, "chk801"); });
    const bool servicePack2 = HasServicePack2(program);
    for (const char* control : {"txt800", "lbl800", "lbl801", "chk800", "chk801"})
        Principal(program, control).setEnabled(servicePack2);
}

} // namespace velmora
