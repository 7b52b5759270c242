#include "core/Identities.h"

#include "core/Language.h"
#include "core/Program.h"

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

// Shows the identity of a column (-1 for none).
void ShowIdentity(Program& program, int column) {
    ui::Form& main = program.principal();
    std::string name;
    if (column >= 0)
        name = program.IdentityTable[static_cast<std::size_t>(column)].userName;
    else if (program.IdentityTable.empty())
        name = GetLngText(program.services.profile, "Xtra", "NoIdentity", program.LanguageFile);
    main.control("lblChangeIdentite").setCaption(name + " ");
    // The reinstallation page shows it too, once that page has its controls.
    if (ui::Control* label = main.find("lbl621"))
        label->setCaption(name + " ");
    if (ui::Control* text = main.find("txt620"))
        text->setText(column >= 0 ? program.CurrentIdentity : "");
}

} // namespace

void ShowCurrentIdentity(Program& program) {
    ShowIdentity(program, CurrentColumn(program));
}

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
    const std::size_t count = program.IdentityTable.size();
    ui::Control& change = program.principal().control("cmdChangeIdentite");
    change.setVisible(count != 1);
    // With no identity there is nothing to change to.
    change.setEnabled(count != 0);

    program.CurrentIdentity = reg.ReadRegValue(HKCU, kIdentities, "Last User ID");
    // The client's last identity may be the null GUID, missing, or gone:
    // the first identity is taken, so that no setting is ever written under
    // a key such as "Identities\Not Found". With no identity at all there is
    // no current one, and the identity key leads nowhere.
    if (CurrentColumn(program) < 0)
        program.CurrentIdentity = count ? program.IdentityTable.front().userId : "";
    ShowCurrentIdentity(program);
}

void SelectNextIdentity(Program& program) {
    if (program.IdentityTable.empty())
        return;
    const int count = static_cast<int>(program.IdentityTable.size());
    const int next = (CurrentColumn(program) + 1) % count;
    program.CurrentIdentity = program.IdentityTable[static_cast<std::size_t>(next)].userId;
    ShowIdentity(program, next);
}

} // namespace velmora
