#include "core/Identities.h"

#include "core/Program.h"
#include "core/frmPrincipal.h"
#include "settings/LoadSettings.h"

namespace velmora {

namespace {

const std::string kIdentities = "Identities";

// The column of the current identity, or -1.
int CurrentColumn(const Program& program) {
    for (std::size_t i = 0; i < program.IdentityTable.size(); ++i)
        if (program.IdentityTable[i].userId == program.CurrentIdentity)
            return static_cast<int>(i);
    return -1;
}

void ShowIdentity(Program& program, int column) {
    const std::string name =
        column >= 0 ? program.IdentityTable[static_cast<std::size_t>(column)].userName : "";
    program.principal().control("lblChangeIdentite").setCaption(name + " ");
}

} // namespace

void SetUpIdentities(Program& program) {
    const modRegistre& reg = program.reg;
    program.IdentityTable.clear();
    for (int index = 0;; ++index) {
        const std::string subkey = reg.EnumRegSubKey(HKCU, kIdentities, index);
        if (subkey == kNotFound)
            break;
        const std::string key = kIdentities + "\\" + subkey;
        program.IdentityTable.push_back(
            {reg.ReadRegValue(HKCU, key, "UserName"), reg.ReadRegValue(HKCU, key, "User ID")});
    }
    program.principal().control("cmdChangeIdentite").setVisible(program.IdentityTable.size() != 1);

    program.CurrentIdentity = reg.ReadRegValue(HKCU, kIdentities, "Last User ID");
    int column = CurrentColumn(program);
    // The client's last identity may be the null GUID, missing, or gone:
    // the first identity is taken, so that no setting is ever written under
    // a key such as "Identities\Not Found".
    if (column < 0 && !program.IdentityTable.empty()) {
        column = 0;
        program.CurrentIdentity = program.IdentityTable.front().userId;
    }
    if (column < 0)
        program.CurrentIdentity.clear();
    ShowIdentity(program, column);
}

void ChangeIdentity(Program& program) {
    if (program.IdentityTable.empty())
        return;
    ui::BusyPointer busy(program.services.ui);
    const int count = static_cast<int>(program.IdentityTable.size());
    const int next = (CurrentColumn(program) + 1) % count;
    program.CurrentIdentity = program.IdentityTable[static_cast<std::size_t>(next)].userId;
    ShowIdentity(program, next);
    LoadSettings(program);
    program.principal().control("cmdFocus").setFocus();
}

} // namespace velmora
