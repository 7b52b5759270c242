#include "rules/frmAction.h"

#include "core/Language.h"
#include "core/Program.h"
#include "core/frmCouleur.h"
#include "rules/AntiSpamPage.h"
#include "rules/RuleStorage.h"

#include <algorithm>
#include <iterator>

namespace velmora {

namespace {

using platform::RegDword;
using platform::RegSz;
using ui::ControlKind;

// Twips.
const ui::ControlSpec kLayout[] = {
    {ControlKind::TreeView, "tvc01", -1, "", -1, {120, 120, 4680, 4815}, ""},
    {ControlKind::Label, "lbl01", -1, "", -1, {4920, 120, 3600, 2775}, ""},
    {ControlKind::Label, "lbl02", -1, "", -1, {4920, 3060, 3600, 255}, "Couleur"},
    {ControlKind::Picture, "img01", -1, "", -1, {4920, 3375, 480, 480}, ""},
    {ControlKind::Shape, "shp01", -1, "", -1, {5520, 3435, 1335, 375}, ""},
    {ControlKind::CommandButton, "cmd01", -1, "", -1, {5640, 4560, 1335, 375}, "Ok"},
    {ControlKind::CommandButton, "cmd02", -1, "", -1, {7185, 4560, 1335, 375}, "Annuler"},
};

// The colour a highlight takes unless the user picks another.
constexpr int kDefaultHighlight = 10;
// Deeper than any chain of the tree (five actions): the walk up stops there.
constexpr int kMaxChain = 10;
// A node without key stands for this action.
const std::string kStop = "Neplus";

// What a node's key (its first seven characters) writes, and its text.
enum class Operand { None, Colour, Watch, Ignore };
struct ActionKind {
    const char* prefix;
    const char* textKey;
    int type;
    Operand operand;
};
const ActionKind kKinds[] = {
    {"Neplus", "strNepl", action::StopProcessing, Operand::None},
    {"SuppriS", "strSups", action::DeleteFromServer, Operand::None},
    {"Supprim", "strSupp", action::Delete, Operand::None},
    {"marquer", "strMarq", action::Flag, Operand::None},
    {"Nepasle", "strNepa", action::DoNotDownload, Operand::None},
    {"couleur", "strSurb", action::Highlight, Operand::Colour},
    {"commelu", "strMarL", action::MarkRead, Operand::None},
    {"cmsuivi", "strMarS", action::Conversation, Operand::Watch},
    {"cignore", "strMarI", action::Conversation, Operand::Ignore},
};

const ActionKind* KindOf(const std::string& key) {
    const std::string prefix = key.substr(0, 7);
    for (const ActionKind& kind : kKinds)
        if (prefix == kind.prefix)
            return &kind;
    return nullptr;
}

// The tree in the order its nodes are added: the roots, then each node's
// children under it. An empty key is a stop node.
struct Node {
    const char* parent;
    const char* key;
};
const Node kTree[] = {
    {"", "SuppriSe"},
    {"", "Supprime"},
    {"", "Nepaslet"},
    {"", "couleur6"},
    {"", "marquer7"},
    {"", "commelu8"},
    {"", "cmsuivi9"},
    {"", "cignore10"},
    {"Supprime", ""},
    {"couleur6", "marquer61"},
    {"couleur6", ""},
    {"couleur6", "commelu63"},
    {"couleur6", "cmsuivi64"},
    {"couleur6", "cignore65"},
    {"marquer61", ""},
    {"marquer61", "commelu611"},
    {"marquer61", "cmsuivi612"},
    {"marquer61", "cignore613"},
    {"commelu611", "cmsuivi6111"},
    {"commelu611", "cignore6112"},
    {"commelu611", ""},
    {"cmsuivi6111", ""},
    {"cignore6112", ""},
    {"cmsuivi612", ""},
    {"cignore613", ""},
    {"commelu63", ""},
    {"commelu63", "cmsuivi632"},
    {"commelu63", "cignore633"},
    {"cmsuivi632", ""},
    {"cignore633", ""},
    {"cmsuivi64", ""},
    {"cignore65", ""},
    {"marquer7", ""},
    {"marquer7", "commelu711"},
    {"marquer7", "cmsuivi712"},
    {"marquer7", "cignore713"},
    {"commelu711", "cmsuivi7111"},
    {"commelu711", "cignore7112"},
    {"commelu711", ""},
    {"cmsuivi7111", ""},
    {"cignore7112", ""},
    {"cmsuivi712", ""},
    {"cignore713", ""},
    {"commelu8", "cmsuivi8111"},
    {"commelu8", "cignore8112"},
    {"commelu8", ""},
    {"cmsuivi8111", ""},
    {"cignore8112", ""},
    {"cmsuivi9", ""},
    {"cignore10", ""},
};

// The key a node has in the window: a stop node is named after its parent,
// the only stop node under it.
std::string WindowKey(const Node& node) {
    return *node.key ? node.key : kStop + node.parent;
}

const Node* NodeOfKey(const std::string& windowKey) {
    for (const Node& node : kTree)
        if (WindowKey(node) == windowKey)
            return &node;
    return nullptr;
}

int PassageNumber(Program& program) {
    const long long number = LeadingNumber(program.principal().control("lblPassage").caption());
    return static_cast<int>(std::min(number, 0x7FFFFFFFLL));
}

} // namespace

frmAction::frmAction(Program& program)
    : ui::Form(kActionWindow, program.services.ui), program_(program) {
    setSize(8760, 5475);
    setIconResource(1);
    addFromTable(kLayout);
    control("img01").setValue(1);
    control("cmd01").setDefault(true);
    control("cmd02").setCancel(true);

    on("tvc01", ui::Event::NodeClick, [this](ui::EventArgs& args) { NodeClick(args.text); });
    on("img01", ui::Event::Click, [this](ui::EventArgs&) { ChooseColour(); });
    on("cmd01", ui::Event::Click, [this](ui::EventArgs&) { StoreChain(); });
    on("cmd02", ui::Event::Click, [this](ui::EventArgs&) { Unload(); });
}

std::string frmAction::ActionText(const std::string& key, const std::string& missing) const {
    return GetLngText(program_.services.profile, "Action", key, program_.LanguageFile, missing);
}

void frmAction::Form_Load() {
    ui::BusyPointer busy(host());
    setCaption(ActionText("Titre"));
    for (const char* name : {"lbl02", "cmd01", "cmd02"}) {
        ui::Control& captioned = control(name);
        captioned.setCaption(ActionText(name, captioned.designedCaption()));
    }
    joining_ = ActionText("strEt") + " ";

    std::vector<ui::TreeNode> nodes;
    for (const Node& node : kTree) {
        const ActionKind* kind = KindOf(*node.key ? node.key : kStop);
        nodes.push_back({WindowKey(node), ActionText(kind->textKey), node.parent, false});
    }
    ui::Control& tree = control("tvc01");
    tree.setSelectedNode("");
    tree.setNodes(std::move(nodes));

    // No chain chosen yet.
    chain_.clear();
    control("lbl01").setCaption("");
    control("cmd01").setEnabled(false);
    for (const char* name : {"shp01", "img01", "lbl02"})
        control(name).setVisible(false);

    program_.principal().control("lblPassage").setCaption(std::to_string(kDefaultHighlight));
    control("shp01").setBackColor(ColourOfIndex(program_, kDefaultHighlight));
}

void frmAction::NodeClick(const std::string& nodeKey) {
    const Node* node = NodeOfKey(nodeKey);
    if (!node)
        return;
    control("cmd01").setEnabled(true);
    chain_.clear();
    std::string description;
    bool colour = false;
    for (int depth = 0; node && depth < kMaxChain; ++depth) {
        const std::string key = *node->key ? node->key : kStop;
        chain_.push_back(key);
        colour = colour || key == "couleur6";
        const std::string text = ActionText(KindOf(key)->textKey);
        description = text + "'" + description;
        node = *node->parent ? NodeOfKey(node->parent) : nullptr;
        description = (node ? joining_ + "\r\n '" : "'") + description;
    }
    control("lbl01").setCaption(description);
    for (const char* name : {"shp01", "img01", "lbl02"})
        control(name).setVisible(colour);
}

void frmAction::ChooseColour() {
    ui::Control& passage = program_.principal().control("lblPassage");
    passage.setCaption("0");
    program_.form(kColourWindow).Show(true);
    control("shp01").setBackColor(ColourOfIndex(program_, PassageNumber(program_)));
}

void frmAction::StoreChain() {
    if (chain_.empty() || program_.AntiSpamRuleKey.empty())
        return;
    {
        ui::BusyPointer busy(host());
        const modRegistre& reg = program_.reg;
        const std::string ruleKey = RuleKey(program_, program_.AntiSpamRuleKey);
        const long long colour = PassageNumber(program_);
        reg.DeleteRegTree(HKCU, ruleKey, "Actions");
        // The whole chain under one open key, flushed once.
        const RegWriteBatch actions(reg, HKCU, ActionsKey(ruleKey));
        std::string order;
        int k = 0;
        for (auto element = chain_.rbegin(); element != chain_.rend(); ++element, ++k) {
            const ActionKind* kind = KindOf(*element);
            const std::string name = FormatSubkeyName(k);
            order += name + " ";
            actions.WriteRegValue(name, rulevalue::Flags, RegDword, 0LL);
            actions.WriteRegValue(name, rulevalue::Type, RegDword,
                                  static_cast<long long>(kind->type));
            if (kind->operand == Operand::None)
                continue;
            const long long value = kind->operand == Operand::Colour  ? colour
                                    : kind->operand == Operand::Watch ? 1LL
                                                                      : 2LL;
            actions.WriteRegValue(name, rulevalue::Value, RegDword, value);
            actions.WriteRegValue(name, rulevalue::ValueType, RegDword,
                                  static_cast<long long>(valuetype::UI4));
        }
        program_.principal().control("lblPassage").setCaption("Ok");
        order.pop_back();
        actions.WriteRegValue("", rulevalue::Order, RegSz, order);
    }
    Unload();
}

} // namespace velmora
