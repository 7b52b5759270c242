#include "repair/TroubleshootingPage.h"

#include "core/ModuleDuProjet.h"
#include "core/Program.h"
#include "repair/ClientFolders.h"
#include "repair/RecommendedSettings.h"
#include "repair/modRepareOE.h"

namespace velmora {

namespace {

constexpr ui::ControlKind Lbl = ui::ControlKind::Label;
constexpr ui::ControlKind Txt = ui::ControlKind::TextBox;
constexpr ui::ControlKind Cmd = ui::ControlKind::CommandButton;

// The three sub-pages in their own tab strip; their controls are placed
// from its corner.
const ui::ControlSpec kLayout[] = {
    {ui::ControlKind::TabStrip, "SSTab2", -1, "SSTab1", 5, {240, 540, 9375, 5820}, ""},

    // Registration: one button a repair, its label beside it.
    {Lbl,
     "lbl500",
     -1,
     "SSTab2",
     0,
     {240, 540, 8895, 495},
     "Faire retrouver et d\xE9marrer Outlook Express par Windows"},
    {Cmd, "cmd500", -1, "SSTab2", 0, {240, 1200, 1200, 375}, "OK"},
    {Lbl, "lbl501", -1, "SSTab2", 0, {1560, 1260, 7575, 255}, "R\xE9parer les liens mailto"},
    {Cmd, "cmd501", -1, "SSTab2", 0, {240, 1800, 1200, 375}, "OK"},
    {Lbl,
     "lbl502",
     -1,
     "SSTab2",
     0,
     {1560, 1860, 7575, 255},
     "Outlook Express, programme de messagerie par d\xE9"
     "faut"},
    {Cmd, "cmd502", -1, "SSTab2", 0, {240, 2400, 1200, 375}, "OK"},
    {Lbl,
     "lbl503",
     -1,
     "SSTab2",
     0,
     {1560, 2460, 7575, 255},
     "Ouvrir les liens Web avec Internet Explorer"},
    {Cmd, "cmd503", -1, "SSTab2", 0, {240, 3000, 1200, 375}, "OK"},
    {Lbl,
     "lbl504",
     -1,
     "SSTab2",
     0,
     {1560, 3060, 7575, 255},
     "Inscrire \xE0 nouveau les biblioth\xE8ques"},
    {Cmd, "cmd504", -1, "SSTab2", 0, {240, 3600, 1200, 375}, "OK"},
    {Lbl,
     "lbl505",
     -1,
     "SSTab2",
     0,
     {1560, 3660, 7575, 255},
     "Destinataire dans le menu Envoyer vers"},

    // Settings: recommended values and the window layout.
    {Lbl,
     "lbl510",
     -1,
     "SSTab2",
     1,
     {240, 540, 8895, 255},
     "Valeurs recommand\xE9"
     "es pour l'identit\xE9 en cours"},
    {Cmd, "cmd510", -1, "SSTab2", 1, {240, 1020, 1200, 375}, "OK"},
    {Lbl,
     "lbl511",
     -1,
     "SSTab2",
     1,
     {1560, 1080, 7575, 255},
     "Configuration automatique pour le fran\xE7"
     "ais"},
    {Cmd, "cmd511", -1, "SSTab2", 1, {240, 1620, 1200, 375}, "OK"},
    {Lbl,
     "lbl512",
     -1,
     "SSTab2",
     1,
     {1560, 1680, 7575, 255},
     "Configuration initiale de la fen\xEAtre"},

    // Folders: stationery and attachments, the store.
    {Lbl, "lbl520", -1, "SSTab2", 2, {240, 540, 8895, 255}, "Dossier du papier \xE0 lettres :"},
    {Txt, "txt520", -1, "SSTab2", 2, {240, 840, 6855, 315}, ""},
    {Cmd, "cmd522", -1, "SSTab2", 2, {7215, 825, 495, 345}, "..."},
    {Cmd, "cmd524", -1, "SSTab2", 2, {7830, 825, 1305, 345}, "Explorer"},
    {Cmd, "cmd525", -1, "SSTab2", 2, {240, 1275, 3000, 375}, "Dossier standard"},
    {Cmd, "cmd526", -1, "SSTab2", 2, {3360, 1275, 3000, 375}, "Papier \xE0 lettres sur le Web"},
    {Lbl,
     "lbl521",
     -1,
     "SSTab2",
     2,
     {240, 1980, 8895, 255},
     "Dossier propos\xE9 pour enregistrer les pi\xE8"
     "ces jointes :"},
    {Txt, "txt521", -1, "SSTab2", 2, {240, 2280, 6855, 315}, ""},
    {Cmd, "cmd523", -1, "SSTab2", 2, {7215, 2265, 495, 345}, "..."},
    {Cmd, "cmd521", -1, "SSTab2", 2, {240, 2880, 3000, 375}, "Dossier des messages"},
};

// The designed captions of the three sub-pages.
const char* const kPages[] = {"Inscription", "Param\xE8tres", "Dossiers"};

// The vendor's page of stationery to download.
const std::string kStationeryPage = "http://office.microsoft.com/clipart/";

void OpenStationeryPage(Program& program) {
    OpenWithShell(program.services.shell, kStationeryPage);
}

// A chosen folder goes into the box and is stored as the box stores what is
// typed in it; a cancelled browse changes nothing.
void BrowseInto(Program& program, const char* box, void (*store)(Program&)) {
    const std::string folder = BrowseForFolder(program.services.dialogs, "");
    if (folder.empty())
        return;
    program.principal().control(box).setText(folder);
    store(program);
}

void BrowseStationery(Program& program) {
    BrowseInto(program, "txt520", StoreStationeryFolder);
}

void BrowseAttachments(Program& program) {
    BrowseInto(program, "txt521", StoreAttachmentFolder);
}

struct Handler {
    const char* control;
    ui::Event event;
    void (*run)(Program&);
};

const Handler kHandlers[] = {
    {"cmd500", ui::Event::Click, RepairMailtoLink},
    {"cmd501", ui::Event::Click, DeclareDefaultMailClient},
    {"cmd502", ui::Event::Click, AssociateWebLinks},
    {"cmd503", ui::Event::Click, RegisterClientLibraries},
    {"cmd504", ui::Event::Click, RestoreSendToRecipient},
    {"cmd510", ui::Event::Click, WriteRecommendedEncodings},
    {"cmd511", ui::Event::Click, ResetWindowLayout},
    {"txt520", ui::Event::LostFocus, StoreStationeryFolder},
    {"txt521", ui::Event::LostFocus, StoreAttachmentFolder},
    {"cmd521", ui::Event::Click, ShowStoreFolder},
    {"cmd522", ui::Event::Click, BrowseStationery},
    {"cmd523", ui::Event::Click, BrowseAttachments},
    {"cmd524", ui::Event::Click, ShowStationeryFolder},
    {"cmd525", ui::Event::Click, MoveStationery},
    {"cmd526", ui::Event::Click, OpenStationeryPage},
};

} // namespace

void BuildTroubleshootingPage(ui::Form& form, Program& program) {
    form.addFromTable(kLayout);
    form.control("SSTab2").setItems({std::begin(kPages), std::end(kPages)});
    form.control("SSTab2").setValue(0);
    // Shown only when the stationery has been moved away from its place.
    form.control("cmd525").setVisible(false);

    for (const Handler& handler : kHandlers)
        form.on(handler.control, handler.event, [&program, run = handler.run](ui::EventArgs&) {
            ui::BusyPointer busy(program.services.ui);
            run(program);
        });
}

} // namespace velmora
