#include "settings/SettingsCatalogue.h"

#include "core/Program.h"

#include <stdexcept>
#include <string_view>

namespace velmora::settings {

namespace {

using platform::RegDword;
using platform::RegSz;

const CheckBoxSetting kCheckBoxes[] = {
    {"chk000", 0, Place::MachineClient, "HTTP Mail Enabled", 0, 1, StateFromStored::Inverted},
    {"chk001", 0, Place::MachineClient, "Disable Hotmail", 1, 2, StateFromStored::DistanceTo2},
    {"chk010", 0, Place::IdentityNews, "GodMode", 1, 0, StateFromStored::Same},
    {"chk011", 0, Place::IdentityNews, "Moderator", 1, 0, StateFromStored::Same},
    {"chk020", 0, Place::MachineClient, "No Modify Accts", 1, 0, StateFromStored::Same},
    {"chk101", 1, Place::Identity, "Security Zone Locked", 1, 0, StateFromStored::Same},
    {"chk102", 1, Place::IdentityMail, "Safe Attachments Locked", 1, 0, StateFromStored::Same},
    {"chk103", 1, Place::MachineClient, "BlockExeAttachments", 1, 0, StateFromStored::Same},
    {"chk104", 1, Place::IdentityMail, "Warn on Mapi Send Locked", 1, 0, StateFromStored::Same},
    {"chk110", 1, Place::MachineClient, "Hide Messenger", 2, 1, StateFromStored::LessOne},
    {"chk120", 1, Place::IdentitiesPolicy, "Locked Down", 1, 0, StateFromStored::Same},
    {"chk200", 2, Place::Identity, "NoSplash", 1, 0, StateFromStored::Same},
    {"chk201", 2, Place::Identity, "ShowStatus", 0, 1, StateFromStored::Inverted},
    {"chk202", 2, Place::AddressBook, "UseOutlook", 1, 0, StateFromStored::Same},
    {"chk700", 7, Place::Identity, "RequestMDNLocked", 1, 0, StateFromStored::Same},
    {"chk701", 7, Place::ClientPolicy, "RequestMDNLocked", 1, kDeletes, StateFromStored::Same},
    {"chk710", 7, Place::Identity, "SendMDNLocked", 1, 0, StateFromStored::Same},
    {"chk711", 7, Place::ClientPolicy, "SendMDNLocked", 1, kDeletes, StateFromStored::Same},
    {"chk712", 7, Place::Identity, "SendReceiptToListLocked", 1, 0, StateFromStored::Same},
    {"chk713", 7, Place::ClientPolicy, "SendReceiptToListLocked", 1, kDeletes,
     StateFromStored::Same},
    {"chk800", 0, Place::Identity, "Legacy Background Compaction", 1, kDeletes,
     StateFromStored::Same},
    {"chk801", 0, Place::Identity, "Reply At End", 1, kDeletes, StateFromStored::Same},
};

const int kZones[] = {3, 4};
const int kRequest[] = {0, 1};
const int kReturn[] = {1, 2, 4};
const int kToList[] = {0, 1};

const OptionSetting kOptionGroups[] = {
    {"opt100", 1, Place::Identity, "Email Security Zone", true, kZones},
    {"opt700", 7, Place::Identity, "RequestMDN", false, kRequest},
    {"opt710", 7, Place::Identity, "SendReceiptToList", false, kToList},
    {"opt720", 7, Place::Identity, "SendMDN", false, kReturn},
};

const TextSetting kTextBoxes[] = {
    {"txt200", Place::Identity, "WindowTitle", true},
    {"txt201", Place::Identity, "FrontPagePath", true},
    {"txt202", Place::Identity, "BodyBarPath", true},
    {"txt203", Place::AddressBookFile, "", false},
};

const char* const kAttachmentLock[] = {"chk102"};
const char* const kAddressBookFile[] = {"txt203", "cmd202"};

const Dependency kDependencies[] = {
    {"chk103", kAttachmentLock},
    {"chk202", kAddressBookFile},
};

template <class Row> const Row& Find(std::span<const Row> rows, const std::string& control) {
    for (const Row& row : rows)
        if (std::string_view(row.control) == control)
            return row;
    throw std::logic_error("no setting " + control);
}

} // namespace

RegLocation Locate(const Program& program, Place place) {
    switch (place) {
    case Place::MachineClient:
        return {HKLM, "Software\\Microsoft\\Outlook Express"};
    case Place::ClientPolicy:
        return {HKLM, "SOFTWARE\\Policies\\Microsoft\\Outlook Express"};
    case Place::Identity:
        return {HKCU, program.IdentityKey()};
    case Place::IdentityMail:
        return {HKCU, program.IdentityKey() + "\\Mail"};
    case Place::IdentityNews:
        return {HKCU, program.IdentityKey() + "\\News"};
    case Place::IdentitiesPolicy:
        return {HKCU, "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities"};
    case Place::AddressBook:
        return {HKCU, "Software\\Microsoft\\WAB\\WAB4"};
    case Place::AddressBookFile:
        return {HKCU, "Software\\Microsoft\\WAB\\WAB4\\Wab File Name"};
    }
    throw std::logic_error("unknown place");
}

bool IsPerIdentity(Place place) {
    return place == Place::Identity || place == Place::IdentityMail || place == Place::IdentityNews;
}

bool CanWrite(const Program& program, Place place) {
    return !IsPerIdentity(place) || !program.CurrentIdentity.empty();
}

std::span<const CheckBoxSetting> CheckBoxes() {
    return kCheckBoxes;
}
std::span<const OptionSetting> OptionGroups() {
    return kOptionGroups;
}
std::span<const TextSetting> TextBoxes() {
    return kTextBoxes;
}
std::span<const Dependency> Dependencies() {
    return kDependencies;
}

const CheckBoxSetting& CheckBox(const std::string& control) {
    return Find(CheckBoxes(), control);
}
const OptionSetting& OptionGroup(const std::string& control) {
    return Find(OptionGroups(), control);
}
const TextSetting& TextBox(const std::string& control) {
    return Find(TextBoxes(), control);
}

long long StateFor(StateFromStored rule, long long stored) {
    switch (rule) {
    case StateFromStored::Same:
        return stored;
    case StateFromStored::Inverted:
        return stored ^ 1;
    case StateFromStored::DistanceTo2:
        return stored >= 2 ? stored - 2 : 2 - stored;
    case StateFromStored::LessOne:
        return stored - 1;
    }
    return stored;
}

void WriteNumber(Program& program, Place place, const char* valueName, long long number) {
    if (!CanWrite(program, place))
        return;
    const RegLocation where = Locate(program, place);
    program.reg.WriteRegValue(where.root, where.key, valueName, RegDword, number);
}

void WriteCheckBox(Program& program, const CheckBoxSetting& setting, int state) {
    const int stored = state == 0 ? setting.whenClear : setting.whenTicked;
    if (stored != kDeletes) {
        WriteNumber(program, setting.place, setting.valueName, stored);
    } else if (CanWrite(program, setting.place)) {
        const RegLocation where = Locate(program, setting.place);
        program.reg.DeleteRegValue(where.root, where.key, setting.valueName);
    }
}

void WriteOption(Program& program, const OptionSetting& setting, int index) {
    WriteNumber(program, setting.place, setting.valueName, index);
}

void WriteText(Program& program, const TextSetting& setting, const std::string& text) {
    if (!CanWrite(program, setting.place))
        return;
    const RegLocation where = Locate(program, setting.place);
    if (!text.empty())
        program.reg.WriteRegValue(where.root, where.key, setting.valueName, RegSz, text);
    else if (setting.emptyDeletes)
        program.reg.DeleteRegValue(where.root, where.key, setting.valueName);
}

void ApplyDependency(Program& program, const std::string& control, int state) {
    for (const Dependency& dependency : Dependencies())
        if (std::string_view(dependency.control) == control)
            for (const char* dependent : dependency.dependents)
                program.principal().control(dependent).setEnabled(state != 1);
}

} // namespace velmora::settings
