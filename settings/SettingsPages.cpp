#include "settings/SettingsPages.h"

#include "core/Language.h"
#include "core/Program.h"
#include "core/modGetOpenFileName.h"
#include "settings/CompactionCounter.h"
#include "settings/SettingsCatalogue.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <vector>

namespace velmora {

using settings::CheckBoxSetting;
using settings::OptionSetting;
using settings::TextSetting;
using ui::ControlKind;
using ui::Event;
using ui::EventArgs;

namespace {

constexpr ControlKind Chk = ControlKind::CheckBox;
constexpr ControlKind Opt = ControlKind::OptionButton;
constexpr ControlKind Lbl = ControlKind::Label;
constexpr ControlKind Txt = ControlKind::TextBox;
constexpr ControlKind Cmd = ControlKind::CommandButton;
constexpr ControlKind Fra = ControlKind::Frame;

// Bounds in twips from the page frame's corner. Headings sit at 120, their
// settings at 240 and dependent ones at 600.
// Every caption gets the page's whole width, so no language is cut short.
const ui::ControlSpec kLayout[] = {
    // Each page sits on a frame of its own, as the other pages do.
    {Fra, "Frame1", 0, "SSTab1", 0, {120, 480, 9615, 6000}, ""},
    {Fra, "Frame1", 1, "SSTab1", 1, {120, 480, 9615, 6000}, ""},
    {Fra, "Frame1", 2, "SSTab1", 2, {120, 480, 9615, 6000}, ""},
    {Fra, "Frame1", 7, "SSTab1", 7, {120, 480, 9615, 6000}, ""},
    // Mail: accounts, newsgroups, the accounts menu, compaction.
    {Lbl, "lbl000", -1, "Frame1(0)", -1, {120, 180, 9360, 255}, "Comptes"},
    {Chk,
     "chk000",
     -1,
     "Frame1(0)",
     -1,
     {240, 450, 9240, 255},
     "Emp\xEA"
     "cher la cr\xE9"
     "ation de comptes de messagerie HTTP"},
    {Chk,
     "chk001",
     -1,
     "Frame1(0)",
     -1,
     {240, 720, 9240, 255},
     "Emp\xEA"
     "cher la cr\xE9"
     "ation de comptes Hotmail"},
    {Lbl, "lbl010", -1, "Frame1(0)", -1, {120, 1200, 9360, 255}, "Groupes de discussion"},
    {Chk,
     "chk010",
     -1,
     "Frame1(0)",
     -1,
     {240, 1470, 9240, 255},
     "Mode administrateur (\xAB Annuler le message \xBB toujours actif)"},
    {Chk, "chk011", -1, "Frame1(0)", -1, {240, 1740, 9240, 255}, "Mode mod\xE9rateur"},
    {Lbl,
     "lbl011",
     -1,
     "Frame1(0)",
     -1,
     {240, 2010, 9240, 420},
     "Ces modes ajoutent des commandes pour les groupes que vous g\xE9rez ou mod\xE9rez ; ils "
     "valent pour l'identit\xE9 en cours."},
    {Lbl, "lbl020", -1, "Frame1(0)", -1, {120, 2670, 9360, 255}, "Menu Comptes"},
    {Chk,
     "chk020",
     -1,
     "Frame1(0)",
     -1,
     {240, 2940, 9240, 255},
     "Verrouiller le menu Outils > Comptes (messagerie et news)"},
    {Lbl,
     "lbl030",
     -1,
     "Frame1(0)",
     -1,
     {120, 3420, 9360, 255},
     "Windows XP SP2 uniquement (gris\xE9 sur les autres syst\xE8mes)"},
    {Lbl,
     "lbl801",
     -1,
     "Frame1(0)",
     -1,
     {240, 3735, 5520, 255},
     "Fermetures d'Outlook Express depuis le dernier compactage :"},
    {Txt, "txt800", -1, "Frame1(0)", -1, {5820, 3690, 900, 300}, ""},
    {Lbl, "lbl800", -1, "Frame1(0)", -1, {240, 4080, 9240, 255}, ""},
    {Chk,
     "chk800",
     -1,
     "Frame1(0)",
     -1,
     {240, 4380, 9240, 255},
     "Compacter aussi selon l'espace perdu (ancienne m\xE9thode)"},
    {Chk,
     "chk801",
     -1,
     "Frame1(0)",
     -1,
     {240, 4650, 9240, 255},
     "En r\xE9ponse, placer la signature \xE0 la fin du message"},

    // Restrictions: security zone, attachments, Messenger, identities.
    {Lbl,
     "lbl100",
     -1,
     "Frame1(1)",
     -1,
     {120, 180, 9360, 420},
     "Options de s\xE9"
     "curit\xE9 d'Outlook Express, verrouill\xE9"
     "es pour ne plus pouvoir \xEAtre chang\xE9"
     "es dans ses Options."},
    {Lbl,
     "lbl101",
     -1,
     "Frame1(1)",
     -1,
     {120, 720, 9360, 255},
     "Zone de s\xE9"
     "curit\xE9 pour le courrier"},
    {Opt, "opt100", 3, "Frame1(1)", -1, {240, 990, 9240, 255}, "Zone Internet (moins s\xFBre)"},
    {Opt,
     "opt100",
     4,
     "Frame1(1)",
     -1,
     {240, 1260, 9240, 255},
     "Zone des sites sensibles (plus s\xFBre)"},
    {Chk,
     "chk101",
     -1,
     "Frame1(1)",
     -1,
     {240, 1530, 9240, 255},
     "Verrouiller l'option de zone de s\xE9"
     "curit\xE9"},
    {Chk,
     "chk102",
     -1,
     "Frame1(1)",
     -1,
     {240, 1980, 9240, 255},
     "Verrouiller l'option bloquant les pi\xE8"
     "ces jointes dangereuses"},
    {Chk,
     "chk103",
     -1,
     "Frame1(1)",
     -1,
     {240, 2250, 9240, 255},
     "Bloquer les pi\xE8"
     "ces jointes dangereuses pour tous les utilisateurs"},
    {Chk,
     "chk104",
     -1,
     "Frame1(1)",
     -1,
     {240, 2520, 9240, 255},
     "Verrouiller l'avertissement d'envoi de courrier en mon nom"},
    {Lbl, "lbl110", -1, "Frame1(1)", -1, {120, 2970, 9360, 255}, "Windows Messenger"},
    {Chk,
     "chk110",
     -1,
     "Frame1(1)",
     -1,
     {240, 3240, 9240, 255},
     "D\xE9tacher Windows Messenger d'Outlook Express"},
    {Lbl, "lbl120", -1, "Frame1(1)", -1, {120, 3690, 9360, 255}, "Identit\xE9s"},
    {Chk,
     "chk120",
     -1,
     "Frame1(1)",
     -1,
     {240, 3960, 9240, 255},
     "Verrouiller le menu des identit\xE9s d'Outlook Express"},

    // Preferences: window, address book, contacts pane.
    {Lbl,
     "lbl200",
     -1,
     "Frame1(2)",
     -1,
     {120, 180, 9360, 255},
     "Fen\xEAtre d'Outlook Express et carnet d'adresses"},
    {Chk,
     "chk200",
     -1,
     "Frame1(2)",
     -1,
     {240, 450, 9240, 255},
     "Ne pas afficher l'\xE9"
     "cran d'accueil au d\xE9marrage"},
    {Chk, "chk201", -1, "Frame1(2)", -1, {240, 720, 9240, 255}, "Masquer la barre d'\xE9tat"},
    {Chk,
     "chk202",
     -1,
     "Frame1(2)",
     -1,
     {240, 990, 9240, 255},
     "Utiliser le carnet d'Outlook plut\xF4t que celui de Windows"},
    {Lbl, "lbl201", -1, "Frame1(2)", -1, {240, 1380, 9240, 255}, "Titre de la fen\xEAtre :"},
    {Txt, "txt200", -1, "Frame1(2)", -1, {240, 1620, 8700, 300}, ""},
    {Lbl,
     "lbl202",
     -1,
     "Frame1(2)",
     -1,
     {240, 2040, 9240, 255},
     "Page de d\xE9marrage personnalis\xE9"
     "e (fichier HTML) :"},
    {Txt, "txt201", -1, "Frame1(2)", -1, {240, 2280, 8700, 300}, ""},
    {Cmd, "cmd200", -1, "Frame1(2)", -1, {9000, 2265, 480, 330}, "..."},
    {Lbl,
     "lbl203",
     -1,
     "Frame1(2)",
     -1,
     {240, 2700, 9240, 255},
     "Volet d'informations personnalis\xE9 (fichier HTML) :"},
    {Txt, "txt202", -1, "Frame1(2)", -1, {240, 2940, 8700, 300}, ""},
    {Cmd, "cmd201", -1, "Frame1(2)", -1, {9000, 2925, 480, 330}, "..."},
    {Lbl,
     "lbl204",
     -1,
     "Frame1(2)",
     -1,
     {240, 3360, 9240, 255},
     "Fichier du carnet d'adresses (.wab) :"},
    {Txt, "txt203", -1, "Frame1(2)", -1, {240, 3600, 8700, 300}, ""},
    {Cmd, "cmd202", -1, "Frame1(2)", -1, {9000, 3585, 480, 330}, "..."},
    {Lbl, "lbl205", -1, "Frame1(2)", -1, {240, 4110, 2700, 255}, "Trier le volet Contacts :"},
    {ControlKind::ComboBox, "cbo200", -1, "Frame1(2)", -1, {3000, 4065, 3600, 315}, ""},
    {Lbl,
     "lbl206",
     -1,
     "Frame1(2)",
     -1,
     {240, 4620, 9240, 255},
     "Les changements prennent effet au prochain d\xE9marrage d'Outlook Express."},

    // Read receipts: each option group in a frame of its own, so that the
    // three groups of the page are told apart.
    {Lbl,
     "lbl700",
     -1,
     "Frame1(7)",
     -1,
     {120, 180, 9360, 255},
     "Demande de confirmations de lecture"},
    {Fra, "fra700", -1, "Frame1(7)", -1, {240, 420, 9240, 780}, ""},
    {Opt,
     "opt700",
     1,
     "fra700",
     -1,
     {120, 180, 9000, 255},
     "Demander une confirmation de lecture pour tout message envoy\xE9"},
    {Opt,
     "opt700",
     0,
     "fra700",
     -1,
     {120, 450, 9000, 255},
     "Ne pas demander de confirmation de lecture"},
    {Chk,
     "chk700",
     -1,
     "Frame1(7)",
     -1,
     {240, 1290, 9240, 255},
     "Verrouiller l'option de demande de confirmation de lecture"},
    {Chk,
     "chk701",
     -1,
     "Frame1(7)",
     -1,
     {600, 1560, 8880, 255},
     "Appliquer ce verrouillage \xE0 tous les utilisateurs"},
    {Lbl,
     "lbl710",
     -1,
     "Frame1(7)",
     -1,
     {120, 2070, 9360, 255},
     "Renvoi des confirmations de lecture"},
    {Fra, "fra720", -1, "Frame1(7)", -1, {240, 2310, 9240, 1050}, ""},
    {Opt,
     "opt720",
     2,
     "fra720",
     -1,
     {120, 180, 9000, 255},
     "Ne jamais envoyer de confirmation de lecture"},
    {Opt,
     "opt720",
     4,
     "fra720",
     -1,
     {120, 450, 9000, 255},
     "M'avertir pour chaque demande de confirmation de lecture"},
    {Opt,
     "opt720",
     1,
     "fra720",
     -1,
     {120, 720, 9000, 255},
     "Toujours envoyer une confirmation de lecture"},
    {Chk,
     "chk710",
     -1,
     "Frame1(7)",
     -1,
     {240, 3450, 9240, 255},
     "Verrouiller les options de renvoi des confirmations de lecture"},
    {Chk,
     "chk711",
     -1,
     "Frame1(7)",
     -1,
     {600, 3720, 8880, 255},
     "Appliquer ce verrouillage \xE0 tous les utilisateurs"},
    {Fra, "fra710", -1, "Frame1(7)", -1, {240, 4140, 9240, 780}, ""},
    {Opt,
     "opt710",
     1,
     "fra710",
     -1,
     {120, 180, 9000, 255},
     "Confirmer aussi les messages envoy\xE9s \xE0 une liste de diffusion"},
    {Opt,
     "opt710",
     0,
     "fra710",
     -1,
     {120, 450, 9000, 255},
     "Ne pas confirmer les messages envoy\xE9s \xE0 une liste de diffusion"},
    {Chk,
     "chk712",
     -1,
     "Frame1(7)",
     -1,
     {240, 5010, 9240, 255},
     "Verrouiller l'option des messages \xE0 une liste de diffusion"},
    {Chk,
     "chk713",
     -1,
     "Frame1(7)",
     -1,
     {600, 5280, 8880, 255},
     "Appliquer ce verrouillage \xE0 tous les utilisateurs"},
};

const char* const kHeadings[] = {"lbl000", "lbl010", "lbl020", "lbl030", "lbl101",
                                 "lbl110", "lbl120", "lbl200", "lbl700", "lbl710"};

// The designed entries of the contact-sort list, replaced by the language's.
const char* const kContactSorting[] = {
    "Par pr\xE9nom, de A \xE0 Z",
    "Par pr\xE9nom, de Z \xE0 A",
    "Par nom, de A \xE0 Z",
    "Par nom, de Z \xE0 A",
};

// An open-file filter: description and pattern pairs, each ended by a zero.
std::string Filter(std::initializer_list<const char*> parts) {
    std::string filter;
    for (const char* part : parts) {
        filter += part;
        filter += '\0';
    }
    return filter;
}

struct BrowseButton {
    const char* button;
    const char* box;
    std::string filter;
};

const std::vector<BrowseButton>& BrowseButtons() {
    static const std::vector<BrowseButton> kButtons = {
        {"cmd200", "txt201",
         Filter({"Fichiers HTML (htm/html)", "*.htm;*.html", "Images (jpg/gif/bmp)",
                 "*.jpg;*.gif;*.bmp", "Web Application (hta)", "*.hta", "Tous type de fichiers",
                 "*.*"})},
        {"cmd201", "txt202",
         Filter({"Fichiers HTML Files (htm/html)", "*.htm;*.html", "Images (jpg/gif/bmp)",
                 "*.jpg;*.gif;*.bmp", "Web Application (hta)", "*.hta",
                 "Tous type de fichiers / All ", "*.*"})},
        {"cmd202", "txt203", Filter({"Fichiers WAB (wab)", "*.wab"})},
    };
    return kButtons;
}

// A change made with the mouse raises MouseDown, Click and MouseUp; one
// made from the keyboard (space bar, arrow keys) raises Click alone. The
// mouse release writes, and a click writes only when no mouse press of the
// same control is under way, so that every change writes exactly once.
struct MousePress {
    std::string control; // the control pressed and not yet released
};

void OnUserChange(ui::Form& form, const std::string& baseName,
                  const std::shared_ptr<MousePress>& press, std::function<void(int)> write) {
    form.on(baseName, Event::MouseDown, [baseName, press](EventArgs& args) {
        press->control = ui::elementName(baseName, args.index);
    });
    form.on(baseName, Event::Click, [baseName, press, write](EventArgs& args) {
        if (press->control != ui::elementName(baseName, args.index))
            write(args.index);
    });
    form.on(baseName, Event::MouseUp, [press, write](EventArgs& args) {
        press->control.clear();
        write(args.index);
    });
}

void BindCheckBox(ui::Form& form, Program& program, const CheckBoxSetting& setting,
                  const std::shared_ptr<MousePress>& press) {
    OnUserChange(form, setting.control, press, [&form, &program, &setting](int) {
        ui::BusyPointer busy(program.services.ui);
        const int state = form.control(setting.control).value();
        settings::WriteCheckBox(program, setting, state);
        settings::ApplyDependency(program, setting.control, state);
    });
}

void BindOptionGroup(ui::Form& form, Program& program, const OptionSetting& setting,
                     const std::shared_ptr<MousePress>& press) {
    auto write = [&form, &program, &setting](int index) {
        // A press let go outside the option changes nothing.
        if (form.control(setting.control, index).value() != 1)
            return;
        ui::BusyPointer busy(program.services.ui);
        settings::WriteOption(program, setting, index);
    };
    if (setting.writesOnClick)
        form.on(setting.control, Event::Click, [write](EventArgs& args) { write(args.index); });
    else
        OnUserChange(form, setting.control, press, write);
}

void BindTextBox(ui::Form& form, Program& program, const TextSetting& setting) {
    form.on(setting.control, Event::LostFocus, [&form, &program, &setting](EventArgs&) {
        settings::WriteText(program, setting, form.control(setting.control).text());
    });
}

// The chosen file goes into the button's box and is stored by the box's
// own rule; a cancelled dialog changes nothing.
void Browse(ui::Form& form, Program& program, const BrowseButton& browse) {
    const std::string title =
        GetLngText(program.services.profile, "Onglet2", "ofd200", program.LanguageFile);
    const std::string chosen = ShowOpenFileDialog(
        program.services.dialogs, title, browse.filter, ofn::HideReadOnly,
        program.services.files.currentFolder(), program.services.ui.windowHandle(form), 0);
    if (chosen.empty())
        return;
    form.control(browse.box).setText(chosen);
    form.raise(browse.box, Event::LostFocus);
}

} // namespace

void BuildSettingsPages(ui::Form& form, Program& program) {
    form.addFromTable(kLayout);
    for (const char* heading : kHeadings)
        form.control(heading).setBold(true);
    form.control("cbo200").setItems({std::begin(kContactSorting), std::end(kContactSorting)});

    auto press = std::make_shared<MousePress>();
    for (const CheckBoxSetting& setting : settings::CheckBoxes())
        BindCheckBox(form, program, setting, press);
    for (const OptionSetting& setting : settings::OptionGroups())
        BindOptionGroup(form, program, setting, press);
    for (const TextSetting& setting : settings::TextBoxes())
        BindTextBox(form, program, setting);

    form.on("cbo200", Event::Click, [&form, &program](EventArgs&) {
        const int index = form.control("cbo200").listIndex();
        if (index < 0)
            return;
        ui::BusyPointer busy(program.services.ui);
        settings::WriteNumber(program, settings::kContactSortPlace, settings::kContactSortValue,
                              index);
    });
    form.on("txt800", Event::Change, [&program](EventArgs&) {
        ui::BusyPointer busy(program.services.ui);
        settings::CounterChanged(program);
    });
    for (const BrowseButton& browse : BrowseButtons())
        form.on(browse.button, Event::Click,
                [&form, &program, &browse](EventArgs&) { Browse(form, program, browse); });
}

} // namespace velmora
