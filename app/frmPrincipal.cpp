#include "app/frmPrincipal.h"

#include "app/LoadSettings.h"
#include "core/CRestorePoint.h"
#include "core/Environment.h"
#include "core/FileAPI.h"
#include "core/Identities.h"
#include "core/frmAbout.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/modFermeOE.h"
#include "reinstall/ReinstallPage.h"
#include "repair/TroubleshootingPage.h"
#include "rules/AntiSpamPage.h"
#include "rules/BlockedSendersPage.h"
#include "rules/frmCriteria.h"
#include "settings/SettingsPages.h"

#include <algorithm>
#include <cctype>

namespace velmora {

using ui::ControlKind;

namespace {

// Twips; the pages' own controls are placed relative to the tab strip.
const ui::ControlSpec kLayout[] = {
    {ControlKind::TabStrip, "SSTab1", -1, "", -1, {120, 120, 9855, 6600}, ""},
    {ControlKind::Label, "lblChangeIdentite", -1, "", -1, {180, 6870, 4800, 255}, ""},
    {ControlKind::CommandButton,
     "cmdChangeIdentite",
     -1,
     "",
     -1,
     {5100, 6810, 2295, 375},
     "Changer d'identit\xE9"},
    {ControlKind::CommandButton, "cmdAbout", -1, "", -1, {8415, 6810, 1560, 375}, "\xC0 propos..."},
    // Holds the focus after start-up and refreshes; a real button of no size.
    {ControlKind::CommandButton, "cmdFocus", -1, "", -1, {0, 0, 0, 0}, ""},
    {ControlKind::Label, "lblPassage", -1, "", -1, {120, 7200, 1200, 255}, ""},
};

// The designed captions of the eight pages, before the language file's.
const char* const kTabCaptions[] = {
    "Messagerie",
    "  Restrictions",
    "  Preferences",
    "&Exp\xE9"
    "diteurs Bloqu\xE9s",
    "  AntiSpam",
    "  Depannage",
    "R\xE9parations",
    "Confirmations de lecture",
};

// Secondary windows, in the order the shutdown unloads them.
const char* const kUnloadOrder[] = {"frmAction", "frmCouleur", "frmProgress",
                                    "frmAbout",  "frmBrowse",  "frmCriteria"};

bool EndsWithLng(const std::string& name) {
    if (name.size() < 4)
        return false;
    std::string tail = name.substr(name.size() - 4);
    std::transform(tail.begin(), tail.end(), tail.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return tail == ".lng";
}

} // namespace

frmPrincipal::frmPrincipal(Program& program)
    : ui::Form("frmPrincipal", program.services.ui), program_(program) {
    setCaption(kApplicationTitle);
    setSize(10215, 7800);
    setIconResource(1);
    addFromTable(kLayout);
    control("SSTab1").setItems({std::begin(kTabCaptions), std::end(kTabCaptions)});
    control("SSTab1").setValue(0);
    control("lblPassage").setVisible(false);
    BuildSettingsPages(*this, program);
    BuildBlockedSendersPage(*this, program);
    BuildAntiSpamPage(*this, program);
    RegisterCriteriaEditor(program);
    BuildTroubleshootingPage(*this, program);
    BuildReinstallPage(*this, program);
    on("cmdChangeIdentite", ui::Event::Click, [this](ui::EventArgs&) { ChangeIdentity(program_); });
    on("cmdAbout", ui::Event::Click, [this](ui::EventArgs&) { ShowAboutWindow(program_); });
}

std::unique_ptr<ui::Form> frmPrincipal::Create(Program& program) {
    return std::make_unique<frmPrincipal>(program);
}

void ChangeIdentity(Program& program) {
    if (program.IdentityTable.empty())
        return;
    ui::BusyPointer busy(program.services.ui);
    SelectNextIdentity(program);
    LoadSettings(program);
    program.principal().control("cmdFocus").setFocus();
}

void frmPrincipal::FatalStop(const FatalMessage& message) {
    host().msgBox(message.text, ui::MbCritical, message.title);
    Unload();
}

void frmPrincipal::Form_Load() {
    Program& p = program_;
    platform::FileSystem& files = p.services.files;

    // 1. Busy, and invisible until the pages are filled.
    host().setMousePointer(ui::PointerBusy);
    markShown(false);

    // 2. Fixed program-wide values.
    p.RuleKind = "Mail";
    p.LineBreak = "\r\n";
    p.CriterionTypes = {8, 9, 12};

    // 3, 4. Working folder and the client's folder.
    p.WorkFolder = GetTempFolder(files) + "Velmora_XPSP2\\";
    p.ClientFolder = GetSpecialFolderPath(files, csidl::ProgramFiles) + "Outlook Express\\";

    // 5, 6. Browser version and Windows family.
    p.BrowserVersion = DetectBrowserVersion(p.reg);
    p.WindowsFamily = DetectWindowsFamily(p.reg);

    // 7. A running client is asked to close; start-up goes on at once.
    CloseMailClient(p);

    // 8. Where the language files are.
    p.reg.WriteRegValue(HKCU, kProgramKey, "Directory", platform::RegSz, p.LanguageFolder());

    // 9. Identities.
    SetUpIdentities(p);

    // 10. The language folder must hold at least one ordinary file...
    const std::vector<std::string> listed = LanguageFolderFiles(p);
    if (listed.empty()) {
        FatalStop(MissingLanguageFolder(p.LineBreak));
        return;
    }
    // 11. ...and one of them must be a language file.
    auto firstLng = std::find_if(listed.begin(), listed.end(), EndsWithLng);
    if (firstLng == listed.end()) {
        FatalStop(NoLanguageFile(p.LineBreak));
        return;
    }

    // 12. The recorded language, or the user's choice on a first start.
    const std::string language = p.reg.ReadRegValue(HKCU, kProgramKey, "Language");
    if (language == kNotFound) {
        ChooseFirstLanguage(p);
    } else {
        p.LanguageFile = p.LanguageFolder() + language + ".lng";
        if (!FileExists(files, p.LanguageFile)) {
            FatalStop(MissingLanguageFile(language, p.LineBreak));
            return;
        }
        ApplyLngCaptions(p);
    }
    if (!isLoaded()) // the first-start window may have ended the program
        return;

    // 13. Every page shows the stored values.
    LoadSettings(p);

    // 14. Show the window.
    Show();

    // 15. Offer a restore point where the system has the service.
    const bool offer = LeadingNumber(p.reg.ReadRegValue(HKCU, kProgramKey, "NoRestaure")) != 1;
    const std::string windows = GetWindowsName(p.services.system);
    if (offer && (windows == "Windows Millennium" || windows == "Windows XP")) {
        const std::string question =
            GetLngText(p.services.profile, "RESTAURATION", "msgbox0", p.LanguageFile);
        if (host().msgBox(question, ui::MbYesNo, kApplicationTitle) == ui::ResultYes)
            CreateRestorePoint(p);
    }

    // 16, 17.
    control("cmdFocus").setFocus();
    host().setMousePointer(ui::PointerDefault);
}

void frmPrincipal::Form_Unload() {
    for (const char* name : kUnloadOrder)
        if (ui::Form* form = program_.existingForm(name))
            form->Unload();
    // Any other window still loaded would keep the program running.
    for (ui::Form* form : program_.existingForms())
        form->Unload();
}

} // namespace velmora
