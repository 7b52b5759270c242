#include "reinstall/ReinstallPage.h"

#include "core/Program.h"
#include "reinstall/BrowserRepairs.h"
#include "reinstall/SetupInfReinstall.h"
#include "reinstall/PackDownload.h"
#include "reinstall/frmBrowse.h"
#include "reinstall/SetupOE.h"

namespace velmora {

namespace {

constexpr ui::ControlKind Lbl = ui::ControlKind::Label;
constexpr ui::ControlKind Cmd = ui::ControlKind::CommandButton;

// Twips from the tab strip's corner: two groups of one button a remedy,
// its label beside it, and the identity the page works for.
const ui::ControlSpec kLayout[] = {
    {Lbl, "lbl600", -1, "SSTab1", 6, {240, 540, 9360, 255}, "R\xE9parer Outlook Express"},
    {Cmd, "cmd601", -1, "SSTab1", 6, {360, 900, 1200, 375}, "OK"},
    {Lbl, "lbl601", -1, "SSTab1", 6, {1680, 960, 7920, 255}, "En r\xE9parant Internet Explorer "},
    {Cmd, "cmd602", -1, "SSTab1", 6, {360, 1440, 1200, 375}, "OK"},
    {Lbl,
     "lbl602",
     -1,
     "SSTab1",
     6,
     {1680, 1500, 7920, 255},
     "En r\xE9parant Internet Explorer ( Avanc\xE9 )"},
    {Cmd, "cmd603", -1, "SSTab1", 6, {360, 1980, 1200, 375}, "OK"},
    {Lbl,
     "lbl603",
     -1,
     "SSTab1",
     6,
     {1680, 2040, 7920, 255},
     "En r\xE9installant le fichier msoe50.inf  "},

    {Lbl, "lbl610", -1, "SSTab1", 6, {240, 2700, 9360, 255}, "R\xE9installer Outlook Express"},
    {Cmd, "cmd611", -1, "SSTab1", 6, {360, 3060, 1200, 375}, "OK"},
    {Lbl, "lbl611", -1, "SSTab1", 6, {1680, 3120, 7920, 255}, "Recherche Manuelle"},
    {Cmd, "cmd612", -1, "SSTab1", 6, {360, 3600, 1200, 375}, "OK"},
    {Lbl, "lbl612", -1, "SSTab1", 6, {1680, 3660, 7920, 255}, "Recherche Automatique"},
    {Cmd, "cmd613", -1, "SSTab1", 6, {360, 4140, 1200, 375}, "OK"},
    {Lbl,
     "lbl613",
     -1,
     "SSTab1",
     6,
     {1680, 4200, 7920, 255},
     "T\xE9l\xE9"
     "charger les fichiers manquants"},
    {Lbl,
     "lbl614",
     -1,
     "SSTab1",
     6,
     {360, 4740, 9240, 495},
     "Localiser ie6setup.exe du kit d'installation d'Internet Explorer 6"},

    // The identity whose files and settings the page repairs.
    {Lbl, "lbl621", -1, "SSTab1", 6, {240, 5760, 4320, 255}, ""},
    {ui::ControlKind::TextBox, "txt620", -1, "SSTab1", 6, {4680, 5715, 4920, 315}, ""},
};

} // namespace

void BuildReinstallPage(ui::Form& form, Program& program) {
    form.addFromTable(kLayout);
    form.control("lbl600").setBold(true);
    form.control("lbl610").setBold(true);
    // The identity's GUID can be read and copied, not changed.
    form.control("txt620").setReadOnly(true);
    Program* p = &program;
    form.on("cmd601", ui::Event::Click, [p](ui::EventArgs&) { RepairBrowser(*p); });
    form.on("cmd602", ui::Event::Click, [p](ui::EventArgs&) { MaintainBrowser(*p); });
    form.on("cmd603", ui::Event::Click, [p](ui::EventArgs&) { ReinstallFromSetupFile(*p); });
    form.on("cmd611", ui::Event::Click, [p](ui::EventArgs&) { ManualSearch(*p); });
    form.on("cmd612", ui::Event::Click, [p](ui::EventArgs&) { AutomaticSearch(*p); });
    form.on("cmd613", ui::Event::Click, [p](ui::EventArgs&) { DownloadPack(*p); });
}

} // namespace velmora
