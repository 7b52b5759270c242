#include "rules/BlockedSendersPage.h"

#include "core/Program.h"
#include "rules/BlockedSendersCommands.h"
#include "rules/LoadBlockedList.h"

namespace velmora {

using ui::ControlKind;

namespace {

constexpr int kPage = 3;
const char* const kFrame = "Frame1(3)";

// The frame covers the page; everything else sits in it, so that the
// enlarged list box can cover the frame from its corner.
const ui::ControlSpec kLayout[] = {
    {ControlKind::Frame, "Frame1", 3, "SSTab1", kPage, {120, 480, 9615, 6000}, ""},
    // First in the frame, so that once enlarged it lies above the others.
    {ControlKind::TextBox, "txt300", -1, kFrame, -1, {240, 600, 2415, 3195}, ""},
    {ControlKind::Label,
     "lbl300",
     -1,
     kFrame,
     -1,
     {240, 180, 9135, 375},
     "Exp\xE9"
     "diteurs bloqu\xE9s de l'identit\xE9 en cours"},
    {ControlKind::HScrollBar, "hsc300", -1, kFrame, -1, {240, 3900, 2415, 255}, ""},
    {ControlKind::Label, "lbl303", -1, kFrame, -1, {240, 4200, 1095, 255}, "Mail"},
    {ControlKind::Label, "lbl304", -1, kFrame, -1, {1560, 4200, 1095, 255}, "News"},
    {ControlKind::Label, "lbl302", -1, kFrame, -1, {240, 4560, 2415, 1215}, ""},
    // The commands: one button and its label per row; loading a first list
    // takes the save's row, as the two are never offered together.
    {ControlKind::CommandButton, "cmd300", -1, kFrame, -1, {2880, 600, 495, 375}, ">"},
    {ControlKind::Label,
     "lbl305",
     -1,
     kFrame,
     -1,
     {3480, 660, 5895, 255},
     "Sauvegarder la liste (fichier txt retour ligne)"},
    {ControlKind::CommandButton, "cmd301", -1, kFrame, -1, {2880, 600, 495, 375}, ">"},
    {ControlKind::Label,
     "lbl306",
     -1,
     kFrame,
     -1,
     {3480, 660, 5895, 255},
     "Charger une liste (fichier texte *.txt)"},
    {ControlKind::CommandButton, "cmd304", -1, kFrame, -1, {2880, 1080, 495, 375}, ">"},
    {ControlKind::Label,
     "lbl309",
     -1,
     kFrame,
     -1,
     {3480, 1140, 5895, 255},
     "Inserer une liste \xE0 la liste existante (merge)"},
    {ControlKind::CommandButton, "cmd303", -1, kFrame, -1, {2880, 1560, 495, 375}, ">"},
    {ControlKind::Label,
     "lbl308",
     -1,
     kFrame,
     -1,
     {3480, 1620, 5895, 255},
     "Trier la liste dans Outlook Express"},
    {ControlKind::CommandButton, "cmd302", -1, kFrame, -1, {2880, 2040, 495, 375}, ">"},
    {ControlKind::Label,
     "lbl307",
     -1,
     kFrame,
     -1,
     {3480, 2100, 5895, 255},
     "Supprimer tous les exp\xE9"
     "diteurs bloqu\xE9s"},
    {ControlKind::Line, "Line10", -1, kFrame, -1, {2880, 2640, 6495, 0}, ""},
    {ControlKind::Label, "lbl301", -1, kFrame, -1, {2880, 2760, 6495, 255}, "Action"},
    {ControlKind::OptionButton,
     "opt300",
     0,
     kFrame,
     -1,
     {3120, 3120, 5055, 300},
     "L'\xE9"
     "ffacer (par d\xE9"
     "faut)"},
    {ControlKind::OptionButton,
     "opt300",
     1,
     kFrame,
     -1,
     {3120, 3480, 5055, 300},
     "Le supprimer du serveur"},
    {ControlKind::OptionButton,
     "opt300",
     2,
     kFrame,
     -1,
     {3120, 3840, 5055, 300},
     "Ne pas le t\xE9l\xE9"
     "charger"},
    {ControlKind::OptionButton, "opt300", 3, kFrame, -1, {3120, 4200, 5055, 300}, "Le marquer"},
    {ControlKind::OptionButton,
     "opt300",
     4,
     kFrame,
     -1,
     {3120, 4560, 5055, 300},
     "Le mettre en surbrillance et en couleur"},
    {ControlKind::Shape, "shp300", -1, kFrame, -1, {8280, 4560, 855, 300}, ""},
    {ControlKind::Label,
     "lbl310",
     -1,
     kFrame,
     -1,
     {2880, 5040, 6495, 615},
     "Double-cliquez sur la liste pour l'agrandir, sur \xABSauvegarder\xBB pour changer de "
     "s\xE9parateur."},
};

} // namespace

void BuildBlockedSendersPage(ui::Form& form, Program& program) {
    form.addFromTable(kLayout);
    ui::Control& list = form.control("txt300");
    list.setMultiLine(true);
    form.control("hsc300").setRange(0, 1);
    form.control("lbl304").setAlignment(ui::Alignment::Right);

    Program* p = &program;
    form.on("hsc300", ui::Event::Change, [p](ui::EventArgs&) { SwitchBlockedBranch(*p); });
    form.on("lbl305", ui::Event::DblClick, [p](ui::EventArgs&) { SwitchBlockedSeparator(*p); });
    form.on("txt300", ui::Event::DblClick, [p](ui::EventArgs&) { EnlargeBlockedList(*p); });
    form.on("cmd300", ui::Event::MouseDown, [p](ui::EventArgs&) { SaveBlockedList(*p); });
    form.on("cmd301", ui::Event::MouseDown, [p](ui::EventArgs&) { LoadFirstBlockedList(*p); });
    form.on("cmd304", ui::Event::MouseDown, [p](ui::EventArgs&) { MergeBlockedList(*p); });
    form.on("cmd302", ui::Event::MouseDown, [p](ui::EventArgs&) { DeleteBlockedList(*p); });
    form.on("cmd303", ui::Event::Click, [p](ui::EventArgs&) { SortBlockedList(*p); });
    form.on("opt300", ui::Event::MouseDown,
            [p](ui::EventArgs& args) { ChooseBlockedAction(*p, args.index); });
    // The arrow keys pick an option with a Click alone; after a mouse press
    // the action is stored already and the Click changes nothing.
    form.on("opt300", ui::Event::Click,
            [p](ui::EventArgs& args) { ChooseBlockedActionIfChanged(*p, args.index); });
}

} // namespace velmora
