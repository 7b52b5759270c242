#include "rules/RuleDescription.h"

#include "core/Language.h"
#include "core/Program.h"
#include "core/frmCouleur.h"
#include "rules/RuleStorage.h"
#include "rules/WordList.h"

namespace velmora {

namespace {

// Appends pieces at the end of a box, each in the colour and weight set
// last, as a rich-text box takes its selection text.
class RichAppender {
public:
    void colour(ui::Colour colour) { colour_ = colour; }
    void bold(bool bold) { bold_ = bold; }
    void append(const std::string& text) { runs_.push_back({text, colour_, bold_}); }
    // The mark of what cannot be shown, in grey, leaving colour and weight as they were.
    void appendUnreadable() { runs_.push_back({kUnreadableMark, palette::Grey, false}); }
    std::vector<ui::RichRun> runs() && { return std::move(runs_); }

private:
    std::vector<ui::RichRun> runs_;
    ui::Colour colour_ = palette::Black;
    bool bold_ = false;
};

enum class Stored { Missing, TooLong, Read };

// A value's exact bytes, read as far as the registry layer reads a raw value.
Stored ReadRawValue(const modRegistre& reg, const std::string& key, const std::string& name,
                    platform::RegData& data) {
    const long status = reg.store().queryValue(HKCU, key, name, kRegBufferSize, data);
    if (status == platform::RegMoreData ||
        (status == platform::RegOk && data.bytes.size() > kRegBufferSize))
        return Stored::TooLong;
    return status == platform::RegOk ? Stored::Read : Stored::Missing;
}

std::string ActionText(Program& program, const std::string& key) {
    return GetLngText(program.services.profile, "Action", key, program.LanguageFile);
}

struct ActionRow {
    int type;
    const char* key;
    ui::Colour colour;
};

// The kinds this program writes in dark blue, the client's others in dark red.
const ActionRow kActionRows[] = {
    {1, "strLcc", palette::DarkRed},    {2, "strLta", palette::DarkRed},
    {5, "strReu", palette::DarkRed},    {6, "strDcc", palette::DarkRed},
    {7, "strSupp", palette::DarkBlue},  {8, "strSups", palette::DarkBlue},
    {9, "strNepa", palette::DarkBlue},  {11, "strMarq", palette::DarkBlue},
    {12, "strNepl", palette::DarkBlue}, {13, "strMarL", palette::DarkBlue},
    {14, "strMtl", palette::DarkRed},   {15, "strAmm", palette::DarkRed},
    {16, "strSei", palette::DarkRed},
};

// The number in an action's "Value", or -1 when it has none.
long long ActionValue(const modRegistre& reg, const std::string& actionKey) {
    const std::string value = reg.ReadRegValue(HKCU, actionKey, rulevalue::Value);
    return value == kNotFound ? -1 : LeadingNumber(value);
}

// The highlight colour as a bold pilcrow in that colour.
void AppendHighlight(Program& program, RichAppender& box, const std::string& actionKey) {
    box.colour(palette::DarkBlue);
    box.append(ActionText(program, "strSurb") + " ");
    const long long index = ActionValue(program.reg, actionKey);
    const ui::Colour colour = index > 0 && index <= 16
                                  ? ColourOfIndex(program, static_cast<int>(index))
                                  : ui::kDefaultColour;
    if (colour == ui::kDefaultColour) {
        box.appendUnreadable();
        return;
    }
    box.bold(true);
    box.colour(colour);
    box.append("\xB6");
    box.bold(false);
}

// Watch (1) or ignore (anything else) the conversation, the state in bold.
void AppendConversation(Program& program, RichAppender& box, const std::string& actionKey) {
    box.colour(palette::DarkBlue);
    box.append(ActionText(program, "strMcc") + " ");
    const long long state = ActionValue(program.reg, actionKey);
    if (state < 0) {
        box.appendUnreadable();
        return;
    }
    box.bold(true);
    box.append(ActionText(program, state == 1 ? "strMcc.1" : "strMcc.2"));
    box.bold(false);
}

} // namespace

StoredWordList ReadStoredWordList(const std::string& bytes) {
    StoredWordList list;
    std::size_t at = 0; // where the words' bytes end
    for (std::string& piece : SplitAtZeros(bytes)) {
        if (piece.empty() || at + piece.size() >= bytes.size())
            break; // the end of the list, or a last piece no zero ends
        at += piece.size() + 1;
        list.words.push_back(std::move(piece));
    }
    const std::size_t rest = bytes.size() - at;
    list.wellFormed = rest >= 2 && bytes.find_first_not_of('\0', at) == std::string::npos;
    return list;
}

int subRemplisRtf(Program& program, int position) {
    ui::BusyPointer busy(program.services.ui);
    ui::Control& box = program.principal().control("rtb400", position);
    box.setVisible(false);
    box.setRuns({});

    const std::string ruleKey = RuleKey(program, program.AntiSpamRuleKey);
    platform::RegData data;
    const Stored stored =
        ReadRawValue(program.reg, CriterionKey(ruleKey, program.CriterionKeys.at(position)),
                     rulevalue::Value, data);
    StoredWordList list;
    if (stored == Stored::Read && data.type == platform::RegBinary)
        list = ReadStoredWordList(data.bytes);

    RichAppender text;
    for (std::size_t i = 0; i < list.words.size(); ++i) {
        const std::string& word = list.words[i];
        text.append(" '");
        text.colour(PaletteColour(fncAttributsTexte(word)));
        text.append(word);
        text.colour(palette::Black);
        text.append("' ");
        if (i + 1 < list.words.size())
            text.append(",");
    }
    if (stored != Stored::Missing && !list.wellFormed)
        text.appendUnreadable();
    box.setRuns(std::move(text).runs());
    box.setVisible(true);
    return static_cast<int>(list.words.size());
}

void subRemplisAction(Program& program) {
    ui::Control& box = program.principal().control("rtb403");
    box.setRuns({});
    const std::string ruleKey = RuleKey(program, program.AntiSpamRuleKey);
    const std::string actionsKey = ActionsKey(ruleKey);
    RichAppender text;
    for (std::int32_t i = 0;; ++i) {
        const std::string name = program.reg.EnumRegSubKey(HKCU, actionsKey, i);
        if (name == kNotFound)
            break;
        const std::string actionKey = ActionKey(ruleKey, name);
        text.bold(false);
        if (i > 0) {
            text.colour(palette::Black);
            text.append(' ' + ActionText(program, "strEt") + ' ');
        }
        const long long type =
            LeadingNumber(program.reg.ReadRegValue(HKCU, actionKey, rulevalue::Type));
        if (type == action::Highlight) {
            AppendHighlight(program, text, actionKey);
            continue;
        }
        if (type == action::Conversation) {
            AppendConversation(program, text, actionKey);
            continue;
        }
        const ActionRow* row = nullptr;
        for (const ActionRow& candidate : kActionRows)
            if (candidate.type == type)
                row = &candidate;
        if (!row) {
            text.appendUnreadable();
            continue;
        }
        text.colour(row->colour);
        text.append(ActionText(program, row->key));
    }
    box.setRuns(std::move(text).runs());
}

} // namespace velmora
