#include "app/LoadSettings.h"

#include "repair/TroubleshootingPage.h"
#include "rules/AntiSpamPage.h"
#include "rules/BlockedSendersCommands.h"
#include "settings/SettingsLoad.h"

namespace velmora {

void LoadSettings(Program& program) {
    LoadAccountAndPreferencePages(program);
    LoadTroubleshootingFolders(program);
    LoadReceiptAndCompactionPages(program);
    // A list of thousands of addresses takes seconds to read from the real
    // registry: the window keeps answering meanwhile.
    RefreshBlockedList(program);
    LoadAntiSpamRule(program);
}

} // namespace velmora
