#include "rules/frmCriteria.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/modGetOpenFileName.h"
#include "rules/RuleStorage.h"
#include "rules/WordList.h"

#include <algorithm>

namespace velmora {

namespace {

using ui::ControlKind;
constexpr ControlKind Cmd = ControlKind::CommandButton;

const std::string kSection = "Criteria";
const std::string kName = "frmCriteria";

// Twips: the list on the left, the buttons in a column on its right.
const ui::ControlSpec kLayout[] = {
    {ControlKind::ListView, "lvw1", -1, "", -1, {120, 120, 5760, 5640}, ""},
    {Cmd, "cmd05", -1, "", -1, {6000, 120, 1935, 375}, "Ajouter un mot"},
    {Cmd, "cmd01", -1, "", -1, {6000, 540, 1935, 375}, "Supprimer"},
    {Cmd, "cmd02", 0, "", -1, {6000, 960, 1935, 375}, "<- Mot ->"},
    {Cmd, "cmd02", 1, "", -1, {6000, 1380, 1935, 375}, "-> Mot <-"},
    {Cmd, "cmd02", 2, "", -1, {6000, 1800, 1935, 375}, "<-  Mot"},
    {Cmd, "cmd02", 3, "", -1, {6000, 2220, 1935, 375}, "Mot ->"},
    {Cmd,
     "cmd00",
     -1,
     "",
     -1,
     {6000, 2640, 1935, 375},
     "Formes espac\xE9"
     "es"},
    {Cmd, "cmd07", -1, "", -1, {6000, 3180, 1935, 375}, "Importer une liste"},
    {Cmd, "cmd06", -1, "", -1, {6000, 3600, 1935, 375}, "Enregistrer en texte"},
    {Cmd, "cmd08", -1, "", -1, {6000, 4020, 1935, 375}, "Enregistrer en CSV"},
    {Cmd, "cmd09", -1, "", -1, {6000, 4440, 1935, 375}, "Enregistrer en codes"},
    {Cmd, "cmd03", -1, "", -1, {6000, 4980, 1935, 375}, "Enregistrer et fermer"},
    {Cmd, "cmd04", -1, "", -1, {6000, 5400, 1935, 375}, "Annuler"},
};

// Menu entries: name, designed caption, parent.
struct MenuSpec {
    const char* name;
    const char* caption;
    const char* parent;
};
const MenuSpec kMenus[] = {
    {"mnuFich", "&Fichier", ""},
    {"mnuFichChar", "&Importer une liste de mots...", "mnuFich"},
    {"mnuFichSauv", "&Enregistrer la liste", "mnuFich"},
    {"mnuFichSauvText", "En &texte...", "mnuFichSauv"},
    {"mnuFichSauvTextVirg", "En liste &CSV...", "mnuFichSauv"},
    {"mnuFichSauvTextAsci", "En c&odes...", "mnuFichSauv"},
    {"mnuSele", "&S\xE9lection", ""},
    {"mnuSelcSupp", "&Supprimer", "mnuSele"},
    {"mnuSepar", "-", "mnuSele"},
    {"mnuSeleAjAA", "Espace &avant et apr\xE8s", "mnuSele"},
    {"mnuSeleAjAv", "Espace a&vant", "mnuSele"},
    {"mnuSeleAjAp", "Espace a&pr\xE8s", "mnuSele"},
    {"mnuSeleSupp", "&Retirer les espaces", "mnuSele"},
    {"mnuSeleConv",
     "&Formes espac\xE9"
     "es",
     "mnuSele"},
    {"mnuFina", "&Terminer", ""},
    {"mnuFinaEnre", "&Enregistrer", "mnuFina"},
    {"mnuFinaQuit", "&Quitter", "mnuFina"},
    {"mnuExpr", "(Expressions)", ""},
};

// The language key of each menu's caption.
std::string MenuKey(const std::string& name) {
    return name == "mnuFich" ? "mnufich" : name;
}

ui::ListRow MakeRow(const std::string& word) {
    ui::ListRow row;
    row.text = word;
    row.subItems = {fncHashmot(word)};
    row.colour = PaletteColour(fncAttributsTexte(word));
    return row;
}

std::vector<ui::ListRow> MakeRows(const std::vector<std::string>& words) {
    std::vector<ui::ListRow> rows;
    rows.reserve(words.size());
    for (const std::string& word : words)
        rows.push_back(MakeRow(word));
    return rows;
}

std::string ReplaceFirst(std::string text, const std::string& from, const std::string& to) {
    const std::size_t at = from.empty() ? std::string::npos : text.find(from);
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

} // namespace

frmCriteria::frmCriteria(Program& program)
    : ui::Form(kName, program.services.ui), program_(program),
      list_((addFromTable(kLayout), control("lvw1"))) {
    setCaption("Crit\xE8res");
    setSize(8175, 6870);
    for (const MenuSpec& menu : kMenus)
        addMenu(menu.name, menu.caption, menu.parent);
    list_.setColumns({{"Expression", 2880}, {"caract\xE8res Hexa", 2700}});

    auto run = [this](void (frmCriteria::*operation)()) {
        return [this, operation](ui::EventArgs&) { (this->*operation)(); };
    };
    on("cmd00", ui::Event::MouseDown, run(&frmCriteria::subMultiplie));
    on("cmd01", ui::Event::MouseDown, run(&frmCriteria::subSuppression));
    on("cmd02", ui::Event::MouseDown,
       [this](ui::EventArgs& args) { subRajoutEspacesDrGa(args.index); });
    on("cmd03", ui::Event::Click, run(&frmCriteria::subEnregistreRegistre));
    on("cmd04", ui::Event::Click, [this](ui::EventArgs&) { Unload(); });
    on("cmd05", ui::Event::MouseDown, run(&frmCriteria::subAjouterUnMot));
    on("cmd06", ui::Event::MouseDown, run(&frmCriteria::subSauveListe));
    on("cmd07", ui::Event::Click, run(&frmCriteria::subInsereListe));
    on("cmd08", ui::Event::Click, run(&frmCriteria::subSauveCSV));
    on("cmd09", ui::Event::Click, run(&frmCriteria::subSauveASCII));
    on("mnuFichChar", ui::Event::Click, run(&frmCriteria::subInsereListe));
    on("mnuFichSauvText", ui::Event::Click, run(&frmCriteria::subSauveListe));
    on("mnuFichSauvTextVirg", ui::Event::Click, run(&frmCriteria::subSauveCSV));
    on("mnuFichSauvTextAsci", ui::Event::Click, run(&frmCriteria::subSauveASCII));
    on("mnuSelcSupp", ui::Event::Click, run(&frmCriteria::subSuppression));
    const std::pair<const char*, int> spaceMenus[] = {
        {"mnuSeleAjAA", 0}, {"mnuSeleSupp", 1}, {"mnuSeleAjAv", 2}, {"mnuSeleAjAp", 3}};
    for (const auto& [name, mode] : spaceMenus)
        on(name, ui::Event::Click,
           [this, mode = mode](ui::EventArgs&) { subRajoutEspacesDrGa(mode); });
    on("mnuSeleConv", ui::Event::Click, run(&frmCriteria::subMultiplie));
    on("mnuFinaEnre", ui::Event::Click, run(&frmCriteria::subEnregistreRegistre));
    on("mnuFinaQuit", ui::Event::Click, [this](ui::EventArgs&) { Unload(); });
    on("lvw1", ui::Event::KeyDown, [this](ui::EventArgs& args) {
        if (args.keyCode == 46)
            subSuppression();
    });
    on("lvw1", ui::Event::MouseDown, [this](ui::EventArgs& args) {
        if (args.button == 2)
            subAjouterUnMot();
    });
    on("lvw1", ui::Event::AfterLabelEdit, [this](ui::EventArgs& args) { EndLabelEdit(args); });
    on("lvw1", ui::Event::ColumnClick, [this](ui::EventArgs& args) { SortBy(args.column); });
}

std::vector<std::string> frmCriteria::words() const {
    std::vector<std::string> result;
    result.reserve(list_.rows().size());
    for (const ui::ListRow& row : list_.rows())
        result.push_back(row.text);
    return result;
}

std::string frmCriteria::Lng(const std::string& key, const std::string& missing) const {
    return GetLngText(program_.services.profile, kSection, key, program_.LanguageFile, missing);
}

void frmCriteria::Notice(const std::string& key, const std::string& from, const std::string& to) {
    host().msgBox(ReplaceFirst(Lng(key), from, to), ui::MbExclamation, Lng("msgboxT"));
}

int frmCriteria::Position() const {
    const std::string& text = program_.principal().control("lblPassage").caption();
    if (text.size() != 1 || text[0] < '0' || text[0] > '2')
        return -1;
    return text[0] - '0';
}

void frmCriteria::Form_Load() {
    ui::BusyPointer busy(host());
    sortColumn_ = 0;
    descending_ = false;
    sorted_ = false;
    criterionKey_.clear();
    const int position = position_ = Position();
    if (position >= 0 && static_cast<std::size_t>(position) < program_.CriterionKeys.size() &&
        !program_.AntiSpamRuleKey.empty() && !program_.CriterionKeys[position].empty())
        criterionKey_ = CriterionKey(RuleKey(program_, program_.AntiSpamRuleKey),
                                     program_.CriterionKeys[position]);
    // The whole value, of whatever length or shape: what can be read of it
    // is shown, and nothing is written unless the user saves.
    StoredWords stored;
    if (!criterionKey_.empty())
        stored = ReadStoredWords(ReadWholeValue(program_.reg, criterionKey_, rulevalue::Value));
    list_.setRows(MakeRows(stored.words));
    Compteur();
    ApplyCaptions();
    if (!stored.whole)
        Notice("msgbox01");
}

void frmCriteria::ApplyCaptions() {
    setCaption(Lng("Titre", caption()));
    for (const auto& control : controls()) {
        if (control->kind() != ui::ControlKind::CommandButton)
            continue;
        const std::string key = control->index() < 0
                                    ? control->baseName()
                                    : control->baseName() + "." + std::to_string(control->index());
        control->setCaption(Lng(key, control->caption()));
    }
    for (const MenuSpec& menu : kMenus) {
        const ui::MenuEntry* entry = findMenu(menu.name);
        if (entry && !entry->separator)
            setMenuCaption(menu.name, Lng(MenuKey(menu.name), entry->caption));
    }
}

void frmCriteria::Compteur() {
    // Built by appending: a literal before a temporary text trips GCC's
    // restrict warning in the cross build.
    std::string counter = "(";
    counter += std::to_string(list_.rows().size());
    counter += " Expressions)";
    setMenuCaption("mnuExpr", counter);
}

void frmCriteria::ShowRows(std::vector<ui::ListRow> rows) {
    if (sorted_) {
        const auto key = [this](const ui::ListRow& row) -> const std::string& {
            return sortColumn_ == 0 || row.subItems.empty() ? row.text : row.subItems[0];
        };
        std::stable_sort(rows.begin(), rows.end(), [&](const ui::ListRow& a, const ui::ListRow& b) {
            return descending_ ? SortsBefore(key(b), key(a)) : SortsBefore(key(a), key(b));
        });
    }
    list_.setRows(std::move(rows));
}

void frmCriteria::subGrillCouleur(const std::vector<std::string>& words) {
    std::vector<ui::ListRow> rows = list_.rows();
    rows.reserve(rows.size() + words.size());
    for (const std::string& word : words)
        rows.push_back(MakeRow(word));
    ShowRows(std::move(rows));
    Compteur();
}

void frmCriteria::subModifieLigne(const std::string& word, int row) {
    std::vector<ui::ListRow> rows = list_.rows();
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    const bool selected = rows[row].selected;
    rows[row] = MakeRow(word);
    rows[row].selected = selected;
    list_.setRows(std::move(rows));
}

void frmCriteria::subSuppDoublons() {
    const std::vector<bool> kept = KeptWords(words());
    std::vector<ui::ListRow> rows;
    rows.reserve(kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i)
        if (kept[i])
            rows.push_back(list_.rows()[i]);
    if (rows.size() != kept.size())
        list_.setRows(std::move(rows));
    Compteur();
}

bool frmCriteria::Acceptable(const std::string& word, bool representable) {
    if (!representable) {
        Notice("msgbox02");
        return false;
    }
    if (word.size() > kLongestWord) {
        Notice("msgbox03", "%max", std::to_string(kLongestWord));
        return false;
    }
    return true;
}

void frmCriteria::subAjouterUnMot() {
    const ui::InputAnswer answer = host().inputBox(Lng("InputBox1_1"), Lng("InputBox1_2"));
    if (answer.cancelled || answer.text.empty() || !Acceptable(answer.text, answer.representable))
        return;
    subGrillCouleur({answer.text});
    subSuppDoublons();
}

void frmCriteria::subSuppression() {
    ui::BusyPointer busy(host());
    std::vector<ui::ListRow> rows;
    for (const ui::ListRow& row : list_.rows())
        if (!row.selected)
            rows.push_back(row);
    list_.setRows(std::move(rows));
    Compteur();
}

void frmCriteria::subRajoutEspacesDrGa(int mode) {
    ui::BusyPointer busy(host());
    std::vector<ui::ListRow> rows = list_.rows();
    for (ui::ListRow& row : rows) {
        const auto word = row.selected ? SpacedWord(row.text, mode) : std::nullopt;
        if (word) {
            row = MakeRow(*word);
            row.selected = true;
        }
    }
    list_.setRows(std::move(rows));
    subSuppDoublons();
}

void frmCriteria::subMultiplie() {
    ui::BusyPointer busy(host());
    std::vector<ui::ListRow> rows = list_.rows();
    std::vector<std::string> added;
    // From the last row to the first, as the rows appended are.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        if (!row->selected)
            continue;
        const std::string t = TrimSpaces(row->text);
        *row = MakeRow(t + " ");
        row->selected = true;
        added.push_back(" " + t);
        added.push_back(" " + t + " ");
    }
    list_.setRows(std::move(rows));
    subGrillCouleur(added);
    subSuppDoublons();
}

void frmCriteria::EndLabelEdit(ui::EventArgs& args) {
    if (args.row < 0 || args.row >= static_cast<int>(list_.rows().size()))
        return;
    if (!Acceptable(args.text, !args.unrepresentable)) {
        args.cancel = true;
        return;
    }
    if (args.text.empty()) {
        std::vector<ui::ListRow> rows = list_.rows();
        rows.erase(rows.begin() + args.row);
        list_.setRows(std::move(rows));
    } else {
        subModifieLigne(args.text, args.row);
    }
    subSuppDoublons();
}

void frmCriteria::SortBy(int column) {
    sortColumn_ = column == 1 ? 1 : 0;
    descending_ = !descending_;
    sorted_ = true;
    ShowRows(list_.rows());
}

void frmCriteria::subEnregistreRegistre() {
    ui::BusyPointer busy(host());
    const std::vector<std::string> list = words();
    if (!list.empty() && !criterionKey_.empty()) {
        // The anti-spam page reads a list through the 2048-byte buffer: a
        // longer one would be stored but never shown again.
        const std::size_t size = StoredListSize(list);
        if (size > kLongestStoredList) {
            Notice("msgbox04", "%size", std::to_string(size));
            return;
        }
        const modRegistre& reg = program_.reg;
        reg.WriteRegValue(HKCU, criterionKey_, rulevalue::Value, platform::RegBinary,
                          EncodeWordList(list));
        const int position = Position() >= 0 ? Position() : position_;
        reg.WriteRegValue(HKCU, criterionKey_, rulevalue::Type, platform::RegDword,
                          static_cast<long long>(program_.CriterionTypes[position]));
        reg.WriteRegValue(HKCU, criterionKey_, rulevalue::ValueType, platform::RegDword,
                          static_cast<long long>(valuetype::Blob));
        reg.WriteRegValue(HKCU, criterionKey_, rulevalue::Flags, platform::RegDword, 0LL);
        reg.WriteRegValue(HKCU, criterionKey_, rulevalue::Logic, platform::RegDword, 1LL);
        program_.principal().control("lblPassage").setCaption("True");
    }
    Unload();
}

std::string frmCriteria::AskFile(const std::string& titleKey, const std::string& filterKey,
                                 const std::string& pattern) {
    const std::string filter = Lng(filterKey) + '\0' + pattern + '\0';
    return ShowOpenFileDialog(program_.services.dialogs, Lng(titleKey), filter, ofn::HideReadOnly,
                              "", 0, 0);
}

void frmCriteria::SaveFile(const std::string& titleKey, const std::string& filterKey,
                           const std::string& pattern, const std::string& text) {
    const std::string path = AskFile(titleKey, filterKey, pattern);
    if (!path.empty())
        WriteTextFile(program_.services.files, path, text, false);
}

void frmCriteria::subSauveListe() {
    SaveFile("OFD1_1", "OFD1_2", "*.txt", WordListText(words()));
}

void frmCriteria::subSauveCSV() {
    SaveFile("OFD2_1", "OFD2_2", "*.csv", WordListCsv(words()));
}

void frmCriteria::subSauveASCII() {
    SaveFile("OFD3_1", "OFD3_2", "*.txt", WordListCodes(words()));
}

void frmCriteria::subInsereListe() {
    const std::string path = AskFile("OFD4_1", "OFD4_2", "*.txt");
    if (path.empty())
        return;
    const auto bytes = program_.services.files.readFile(path);
    if (!bytes)
        return;
    const WordFile file = ReadWordFile(*bytes);
    if (file.problem != WordFile::Problem::None) {
        Notice(file.problem == WordFile::Problem::NotText ? "msgbox05" : "msgbox06");
        return;
    }
    subGrillCouleur(file.words);
    subSuppDoublons();
    if (file.tooLong > 0)
        Notice("msgbox07", "%count", std::to_string(file.tooLong));
}

void RegisterCriteriaEditor(Program& program) {
    program.registerForm(kName, [](Program& p) { return std::make_unique<frmCriteria>(p); });
}

} // namespace velmora
