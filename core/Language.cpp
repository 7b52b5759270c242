#include "core/Language.h"

#include "core/Identities.h"
#include "core/Program.h"
#include "core/frmAbout.h"

namespace velmora {

namespace {

// Where a text of the language file goes.
enum class Target {
    Caption,      // caption of a control of the main window
    KeptCaption,  // the same, keeping the designed one when the file lacks the key
    Tab,          // a page of SSTab1: two blanks, then the text
    SubTab,       // a page of SSTab2, as it is
    ToolTip,      // tooltip of a control of the main window
    ListItem,     // an item of a list; item 0 empties the list first
    AboutCaption, // caption of a control of the about window
};

struct CaptionRow {
    const char* section;
    const char* key;
    Target target;
    const char* control; // "opt100(4)" for an element of a control array
    int item = -1;       // the page of a tab strip, the item of a list
};

// In the order the texts are applied. The option arrays of the read-receipt
// page are numbered by the settings they stand for, their keys by their
// place on the page: hence the crossed elements there.
const CaptionRow kCaptionRows[] = {
    {"Onglet0", "Titre", Target::Tab, "SSTab1", 0},
    {"Onglet0", "lbl000", Target::Caption, "lbl000"},
    {"Onglet0", "chk000", Target::Caption, "chk000"},
    {"Onglet0", "chk001", Target::Caption, "chk001"},
    {"Onglet0", "lbl010", Target::Caption, "lbl010"},
    {"Onglet0", "chk010", Target::Caption, "chk010"},
    {"Onglet0", "chk011", Target::Caption, "chk011"},
    {"Onglet0", "lbl011", Target::Caption, "lbl011"},
    {"Onglet0", "lbl020", Target::Caption, "lbl020"},
    {"Onglet0", "chk020", Target::Caption, "chk020"},
    {"Onglet0", "lbl030", Target::Caption, "lbl030"},
    {"Onglet0", "lbl801", Target::Caption, "lbl801"},
    {"Onglet0", "chk800", Target::Caption, "chk800"},
    {"Onglet0", "chk801", Target::Caption, "chk801"},
    {"Onglet1", "Titre", Target::Tab, "SSTab1", 1},
    {"Onglet1", "lbl100", Target::Caption, "lbl100"},
    {"Onglet1", "lbl101", Target::Caption, "lbl101"},
    {"Onglet1", "chk101", Target::Caption, "chk101"},
    {"Onglet1", "chk102", Target::Caption, "chk102"},
    {"Onglet1", "chk103", Target::Caption, "chk103"},
    {"Onglet1", "chk104", Target::Caption, "chk104"},
    {"Onglet1", "lbl110", Target::Caption, "lbl110"},
    {"Onglet1", "chk110", Target::Caption, "chk110"},
    {"Onglet1", "opt100.4", Target::Caption, "opt100(4)"},
    {"Onglet1", "opt100.3", Target::Caption, "opt100(3)"},
    {"Onglet1", "lbl120", Target::Caption, "lbl120"},
    {"Onglet1", "chk120", Target::Caption, "chk120"},
    {"Onglet2", "Titre", Target::Tab, "SSTab1", 2},
    {"Onglet2", "lbl200", Target::Caption, "lbl200"},
    {"Onglet2", "chk200", Target::Caption, "chk200"},
    {"Onglet2", "chk201", Target::Caption, "chk201"},
    {"Onglet2", "chk202", Target::Caption, "chk202"},
    {"Onglet2", "lbl201", Target::Caption, "lbl201"},
    {"Onglet2", "lbl202", Target::Caption, "lbl202"},
    {"Onglet2", "lbl203", Target::Caption, "lbl203"},
    {"Onglet2", "lbl204", Target::Caption, "lbl204"},
    {"Onglet2", "lbl205", Target::Caption, "lbl205"},
    {"Onglet2", "lbl206", Target::Caption, "lbl206"},
    {"Onglet3", "Titre", Target::Tab, "SSTab1", 3},
    {"Onglet3", "lbl300", Target::Caption, "lbl300"},
    {"Onglet3", "lbl301", Target::Caption, "lbl301"},
    {"Onglet3", "lbl302", Target::Caption, "lbl302"},
    {"Onglet3", "lbl303", Target::Caption, "lbl303"},
    {"Onglet3", "lbl304", Target::Caption, "lbl304"},
    {"Onglet3", "lbl305", Target::Caption, "lbl305"},
    {"Onglet3", "lbl306", Target::Caption, "lbl306"},
    {"Onglet3", "lbl307", Target::Caption, "lbl307"},
    {"Onglet3", "lbl308", Target::Caption, "lbl308"},
    {"Onglet3", "lbl309", Target::Caption, "lbl309"},
    {"Onglet3", "lbl310", Target::Caption, "lbl310"},
    {"Onglet3", "opt300.0", Target::Caption, "opt300(0)"},
    {"Onglet3", "opt300.1", Target::Caption, "opt300(1)"},
    {"Onglet3", "opt300.2", Target::Caption, "opt300(2)"},
    {"Onglet3", "opt300.3", Target::Caption, "opt300(3)"},
    {"Onglet3", "opt300.4", Target::Caption, "opt300(4)"},
    {"Onglet4", "Titre", Target::Tab, "SSTab1", 4},
    {"Onglet4", "chk400.0", Target::Caption, "chk400(0)"},
    {"Onglet4", "chk400.1", Target::Caption, "chk400(1)"},
    {"Onglet4", "chk400.2", Target::Caption, "chk400(2)"},
    {"Onglet4", "lbl400", Target::Caption, "lbl400"},
    {"Onglet4", "cmd400", Target::Caption, "cmd400"},
    {"Onglet4", "cmd401", Target::Caption, "cmd401"},
    {"Onglet5", "Titre", Target::Tab, "SSTab1", 5},
    {"Onglet5", "lbl500", Target::Caption, "lbl500"},
    {"Onglet5", "lbl501", Target::Caption, "lbl501"},
    {"Onglet5", "lbl501ttp", Target::ToolTip, "lbl501"},
    {"Onglet5", "lbl502", Target::Caption, "lbl502"},
    {"Onglet5", "lbl502ttp", Target::ToolTip, "lbl502"},
    {"Onglet5", "lbl503", Target::Caption, "lbl503"},
    {"Onglet5", "lbl503ttp", Target::ToolTip, "lbl503"},
    {"Onglet5", "lbl504", Target::Caption, "lbl504"},
    {"Onglet5", "lbl504ttp", Target::ToolTip, "lbl504"},
    {"Onglet5", "lbl505", Target::Caption, "lbl505"},
    {"Onglet5", "lbl505ttp", Target::ToolTip, "lbl505"},
    {"Onglet5", "lbl510", Target::Caption, "lbl510"},
    {"Onglet5", "lbl511", Target::Caption, "lbl511"},
    {"Onglet5", "lbl512", Target::Caption, "lbl512"},
    {"Onglet5", "lbl520", Target::Caption, "lbl520"},
    {"Onglet5", "txt520ttt", Target::ToolTip, "txt520"},
    {"Onglet5", "lbl521", Target::Caption, "lbl521"},
    {"Onglet5", "sstab2.0", Target::SubTab, "SSTab2", 0},
    {"Onglet5", "sstab2.1", Target::SubTab, "SSTab2", 1},
    {"Onglet5", "sstab2.2", Target::SubTab, "SSTab2", 2},
    {"Onglet5", "cmd524ttp", Target::ToolTip, "cmd524"},
    {"Onglet6", "Titre", Target::Tab, "SSTab1", 6},
    {"Onglet6", "lbl600", Target::Caption, "lbl600"},
    {"Onglet6", "lbl601", Target::Caption, "lbl601"},
    {"Onglet6", "lbl602", Target::Caption, "lbl602"},
    {"Onglet6", "lbl603", Target::Caption, "lbl603"},
    {"Onglet6", "lbl610", Target::Caption, "lbl610"},
    {"Onglet6", "lbl611", Target::Caption, "lbl611"},
    {"Onglet6", "lbl612", Target::Caption, "lbl612"},
    {"Onglet6", "lbl613", Target::Caption, "lbl613"},
    {"Onglet6", "lbl614", Target::Caption, "lbl614"},
    {"Onglet7", "Titre", Target::Tab, "SSTab1", 7},
    {"Onglet7", "lbl700", Target::Caption, "lbl700"},
    {"Onglet7", "chk700", Target::Caption, "chk700"},
    {"Onglet7", "chk701", Target::Caption, "chk701"},
    {"Onglet7", "opt700", Target::Caption, "opt700(1)"},
    {"Onglet7", "opt701", Target::Caption, "opt700(0)"},
    {"Onglet7", "lbl710", Target::Caption, "lbl710"},
    {"Onglet7", "chk710", Target::Caption, "chk710"},
    {"Onglet7", "chk711", Target::Caption, "chk711"},
    {"Onglet7", "chk712", Target::Caption, "chk712"},
    {"Onglet7", "chk713", Target::Caption, "chk713"},
    {"Onglet7", "opt710", Target::Caption, "opt710(1)"},
    {"Onglet7", "opt711", Target::Caption, "opt710(0)"},
    {"Onglet7", "opt720", Target::Caption, "opt720(2)"},
    {"Onglet7", "opt721", Target::Caption, "opt720(4)"},
    {"Onglet7", "opt722", Target::Caption, "opt720(1)"},
    {"Onglet2", "cbo200.0", Target::ListItem, "cbo200", 0},
    {"Onglet2", "cbo200.1", Target::ListItem, "cbo200", 1},
    {"Onglet2", "cbo200.2", Target::ListItem, "cbo200", 2},
    {"Onglet2", "cbo200.3", Target::ListItem, "cbo200", 3},
    {"Xtra", "cmdChangeIdentite", Target::KeptCaption, "cmdChangeIdentite"},
    {"Xtra", "cmdAbout", Target::KeptCaption, "cmdAbout"},
    {"ABOUT", "lblDescription", Target::AboutCaption, "lblDescription"},
    {"ABOUT", "lblDisclaimer", Target::AboutCaption, "lblDisclaimer"},
    {"ABOUT", "lblTranslator", Target::AboutCaption, "lblTranslator"},
    {"ABOUT", "chkRestaur", Target::AboutCaption, "chkRestaur"},
};

void SetPageCaption(ui::Control& strip, int page, const std::string& caption) {
    std::vector<std::string> pages = strip.items();
    if (page < 0 || page >= static_cast<int>(pages.size()))
        return;
    pages[static_cast<std::size_t>(page)] = caption;
    const int current = strip.value();
    strip.setItems(std::move(pages));
    strip.setValue(current);
}

// Windows-1252 lower case, as the recorded language name is written.
char LowerCase(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if ((byte >= 'A' && byte <= 'Z') || (byte >= 0xC0 && byte <= 0xDE && byte != 0xD7))
        return static_cast<char>(byte + 0x20);
    switch (byte) {
    case 0x8A: // S caron
    case 0x8C: // OE
    case 0x8E: // Z caron
        return static_cast<char>(byte + 0x10);
    case 0x9F: // Y diaeresis
        return static_cast<char>(0xFF);
    default:
        return c;
    }
}

const std::string kCriticalTitle = "Critical Error / Erreur critique";

} // namespace

FatalMessage MissingLanguageFolder(const std::string& lineBreak) {
    return {kCriticalTitle + "\"",
            "Missing folder LANGUAGE or missing file *.LNG in the LANGUAGE folder. This Program "
            "cannot continue" +
                lineBreak + lineBreak +
                "Dossier LANGUAGE absent ou fichier *.LNG absent dans le dossier LANGUAGE. Ce "
                "programme ne peut pas continuer."};
}

FatalMessage NoLanguageFile(const std::string& lineBreak) {
    return {kCriticalTitle + "\"",
            "No file *.LNG in the LANGUAGE folder. This Program cannot continue" + lineBreak +
                lineBreak +
                "Aucun fichier *.LNG dans le dossier LANGUAGE. Ce Programme ne peut pas "
                "continuer."};
}

FatalMessage MissingLanguageFile(const std::string& language, const std::string& lineBreak) {
    return {kCriticalTitle,
            "Missing file  '" + language +
                ".LNG'  in the LANGUAGE folder. This Program cannot continue" + lineBreak +
                lineBreak + "Fichier  '" + language +
                ".LNG'  absent dans le dossier LANGUAGE. Ce programme ne peut pas continuer."};
}

std::string GetLngText(platform::ProfileStrings& profile, const std::string& section,
                       const std::string& key, const std::string& file,
                       const std::string& missing) {
    return profile.getString(section, key, missing, file, 255);
}

void ApplyLngCaptions(Program& program) {
    ui::Form& main = program.principal();
    for (const CaptionRow& row : kCaptionRows) {
        // The about window's rows: loading it may choose another file, which
        // the rows then read (LanguageFile is read afresh for every row).
        ui::Form& form = row.target == Target::AboutCaption ? LoadedAboutWindow(program) : main;
        // A control a page has not got yet keeps its designed caption.
        ui::Control* control = form.find(row.control);
        if (!control)
            continue;
        // Files older than the buttons' keys must not blank them.
        const std::string text =
            GetLngText(program.services.profile, row.section, row.key, program.LanguageFile,
                       row.target == Target::KeptCaption ? control->designedCaption() : "");
        switch (row.target) {
        case Target::Caption:
        case Target::KeptCaption:
        case Target::AboutCaption:
            control->setCaption(text);
            break;
        case Target::Tab:
            SetPageCaption(*control, row.item, "  " + text);
            break;
        case Target::SubTab:
            SetPageCaption(*control, row.item, text);
            break;
        case Target::ToolTip:
            control->setToolTip(text);
            break;
        case Target::ListItem:
            if (row.item == 0)
                control->clearItems();
            control->addItem(text);
            break;
        }
    }
    // Without identities the identity labels say so in the chosen language.
    if (program.IdentityTable.empty())
        ShowCurrentIdentity(program);
}

void ChooseFirstLanguage(Program& program) {
    program.form(kAboutWindow).Show(true);
}

std::vector<std::string> LanguageFolderFiles(Program& program) {
    std::vector<std::string> names;
    if (auto entries = program.services.files.listFolder(program.LanguageFolder()))
        for (const auto& entry : *entries)
            if (!(entry.attributes &
                  (platform::AttrDirectory | platform::AttrHidden | platform::AttrSystem)))
                names.push_back(entry.name);
    return names;
}

void FillLanguageList(Program& program, ui::Form& about) {
    ui::Control& list = about.control("cboLanguage");
    list.setItems(LanguageFolderFiles(program));
    if (list.items().empty()) {
        const auto message = MissingLanguageFolder(program.LineBreak);
        program.services.ui.msgBox(message.text, ui::MbCritical, message.title);
    }
    const std::string recorded = program.reg.ReadRegValue(HKCU, kProgramKey, "LanguageNum");
    const long long position = recorded == kNotFound ? 1 : LeadingNumber(recorded);
    const auto count = static_cast<long long>(list.items().size());
    if (count == 0)
        return; // nothing to choose: the language stays as it is
    // A position the list has not got (a file removed since) takes the first.
    list.setListIndex(position >= 0 && position < count ? static_cast<int>(position) : 0);
    ChooseLanguage(program, about);
}

void ChooseLanguage(Program& program, ui::Form& about) {
    const ui::Control& list = about.control("cboLanguage");
    const int position = list.listIndex();
    if (position < 0 || position >= static_cast<int>(list.items().size()))
        return;
    ui::BusyPointer busy(program.services.ui);
    const std::string& fileName = list.items()[static_cast<std::size_t>(position)];
    program.reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", platform::RegDword,
                              static_cast<long long>(position));
    program.LanguageFile = program.LanguageFolder() + fileName;
    program.reg.WriteRegValue(HKCU, kProgramKey, "Language", platform::RegSz,
                              RecordedLanguageName(fileName));
    ApplyLngCaptions(program);
}

std::string RecordedLanguageName(const std::string& fileName) {
    std::string name;
    for (char c : fileName)
        name.push_back(LowerCase(c));
    for (auto at = name.find(".lng"); at != std::string::npos; at = name.find(".lng"))
        name.erase(at, 4);
    return name;
}

} // namespace velmora
