#include "rules/BlockedSendersCommands.h"

#include "core/FileAPI.h"
#include "core/Program.h"
#include "core/modGetOpenFileName.h"
#include "rules/BlockedSendersImport.h"
#include "rules/BlockedSendersStore.h"
#include "rules/LoadBlockedList.h"
#include "rules/RuleStorage.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace velmora {

namespace {

using platform::RegDword;
using platform::RegSz;

// Addresses written (or sorted) between two looks at the window.
constexpr int kBatchSize = 100;

// The page's commands and switches, out of reach while a long command lets
// the window repaint: none of them may run in the middle of another.
const char* const kPageInputs[] = {"hsc300", "txt300", "lbl305", "cmd300",
                                   "cmd301", "cmd302", "cmd303", "cmd304"};

class PageLock {
public:
    explicit PageLock(ui::Form& form) {
        for (const char* name : kPageInputs)
            hold(form.control(name));
        for (ui::Control* option : form.elements("opt300"))
            hold(*option);
    }
    ~PageLock() {
        for (const auto& [control, enabled] : held_)
            control->setEnabled(enabled);
    }
    PageLock(const PageLock&) = delete;
    PageLock& operator=(const PageLock&) = delete;

private:
    // Each input gets back the state it had: a lock taken inside another (a
    // settings load while a long command breathes) leaves the page locked.
    void hold(ui::Control& input) {
        held_.emplace_back(&input, input.enabled());
        input.setEnabled(false);
    }
    std::vector<std::pair<ui::Control*, bool>> held_;
};

// Whether the main window, open when a command began, has been closed
// since: while the command let the window breathe, or during a modal window.
class WindowWatch {
public:
    explicit WindowWatch(Program& program)
        : program_(program), open_(program.principal().isLoaded()) {}
    bool closed() const { return open_ && !program_.principal().isLoaded(); }
    // Lets the window repaint and take a close; false once it is closed.
    bool breathe() const {
        program_.services.ui.doEvents();
        return !closed();
    }

private:
    Program& program_;
    bool open_;
};

// Refreshes the page, letting the window breathe while the addresses are
// read; false when that was abandoned: the window was closed, or a change of
// identity refreshed the page meanwhile. The caller holds the page lock.
bool RefreshPage(Program& program, const WindowWatch& window) {
    const std::string identity = program.CurrentIdentity;
    bool abandoned = false;
    LoadBlockedList(program, [&] {
        abandoned = !window.breathe() || program.CurrentIdentity != identity;
        return !abandoned;
    });
    return !abandoned;
}

std::string AskForFile(Program& program, const std::string& titleKey,
                       const std::string& filterKey) {
    std::string filter = BlockedText(program, filterKey);
    filter += '\0';
    filter += "*.txt";
    filter += '\0';
    return ShowOpenFileDialog(program.services.dialogs, BlockedText(program, titleKey), filter,
                              ofn::HideReadOnly, "", 0, 0);
}

int Message(Program& program, const std::string& key, int style) {
    return program.services.ui.msgBox(BlockedText(program, key), style,
                                      BlockedText(program, key + "T"));
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to) {
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
    return text;
}

// What an import could not store, told after the page shows the result.
void TellWhatWasLeft(Program& program, const ImportOutcome& outcome) {
    if (outcome.unstorable > 0)
        program.services.ui.msgBox(ReplaceAll(BlockedText(program, "msgbox305"), "%skipped",
                                              std::to_string(outcome.unstorable)),
                                   ui::MbExclamation, BlockedText(program, "msgbox305T"));
    if (outcome.leftOut > 0) {
        std::string text = BlockedText(program, "msgbox304");
        text = ReplaceAll(text, "%stored", std::to_string(outcome.stored));
        text = ReplaceAll(text, "%left", std::to_string(outcome.leftOut));
        program.services.ui.msgBox(text, ui::MbExclamation, BlockedText(program, "msgbox304T"));
    }
}

// Reads the file and stores its addresses in the page's branch. Nothing
// happens after a close of the window in the middle.
void ImportFile(Program& program, ImportRequest::Mode mode, const std::string& path) {
    ui::Form& form = program.principal();
    const bool merge = mode == ImportRequest::Mode::Merge;
    const auto text = ReadBlockedSendersFile(program.services.files, path);
    if (!text) {
        if (merge)
            Message(program, "msgbox303", ui::MbCritical);
        else
            Message(program, "msgbox301", ui::MbExclamation);
        return;
    }

    ImportRequest request;
    request.mode = mode;
    request.blockSendersKey = BlockSendersKey(program);
    request.branchKey = BranchKey(program, CurrentBranch(program));
    request.separator = CurrentSeparator(program);
    request.listedText = merge ? form.control("txt300").text() : std::string();
    request.batchSize = kBatchSize;
    const WindowWatch window(program);
    request.betweenBatches = [&](const std::string& listed) {
        // Past the last free name the box stays as it is: no redraw of it all.
        if (form.control("txt300").text() != listed)
            form.control("txt300").setText(listed);
        return window.breathe();
    };
    const std::string identity = program.CurrentIdentity;
    ImportOutcome outcome;
    {
        PageLock lock(form);
        outcome = ImportBlockedSenders(program.reg, request, SplitBlockedEntries(*text));
        if (outcome.stopped)
            return;
        if (!merge && outcome.stored == 0) {
            // Nothing written: an entry refused for its content is told as such.
            if (outcome.unstorable > 0)
                TellWhatWasLeft(program, outcome);
            else
                Message(program, "msgbox301", ui::MbExclamation);
            return;
        }
        // What was stored alone need not be read back, unless the page
        // has gone over to another identity meanwhile.
        if (outcome.storedAlone && program.CurrentIdentity == identity) {
            std::string& shown = outcome.listedText;
            shown.resize(shown.size() - request.separator.size());
            ShowStoredBlockedList(program, shown, outcome.stored);
        } else if (!RefreshPage(program, window)) {
            return;
        }
    }
    const std::string counts =
        std::to_string(outcome.stored) + " / " + std::to_string(outcome.entries);
    if (merge)
        form.control("lbl302").setCaption(
            counts + ReplaceAll(BlockedText(program, "lbl302.2"), "%numadr",
                                std::to_string(outcome.countBefore + outcome.stored)));
    else
        form.control("lbl302").setCaption(counts + " " + BlockedText(program, "lbl302.1"));
    TellWhatWasLeft(program, outcome);
}

std::vector<std::string> SplitAt(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    if (text.empty())
        return pieces;
    std::size_t at = 0;
    for (std::size_t found; (found = text.find(separator, at)) != std::string::npos;
         at = found + separator.size())
        pieces.push_back(text.substr(at, found - at));
    pieces.push_back(text.substr(at));
    return pieces;
}

} // namespace

void RefreshBlockedList(Program& program) {
    const WindowWatch window(program);
    PageLock lock(program.principal());
    RefreshPage(program, window);
}

void SaveBlockedList(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    const std::string path = AskForFile(program, "OFD1_1", "OFD1_2");
    if (!path.empty())
        WriteTextFile(program.services.files, path, program.principal().control("txt300").text(),
                      false);
}

void LoadFirstBlockedList(Program& program) {
    const std::string path = AskForFile(program, "OFD2_1", "OFD2_2");
    if (path.empty())
        return;
    ui::BusyPointer busy(program.services.ui);
    ImportFile(program, ImportRequest::Mode::FirstLoad, path);
}

void MergeBlockedList(Program& program) {
    const std::string question =
        ReplaceAll(BlockedText(program, "msgbox302"), "%menu", CurrentBranch(program));
    if (program.services.ui.msgBox(question, ui::MbYesNoExclamationNoFirst,
                                   BlockedText(program, "msgbox302T")) != ui::ResultYes)
        return;
    const std::string path = AskForFile(program, "OFD3_1", "OFD3_2");
    if (path.empty())
        return;
    ui::BusyPointer busy(program.services.ui);
    ImportFile(program, ImportRequest::Mode::Merge, path);
}

void DeleteBlockedList(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    if (Message(program, "msgbox300", ui::MbYesNoExclamationNoFirst) != ui::ResultYes)
        return;
    program.reg.DeleteRegTree(HKCU, BlockSendersKey(program), CurrentBranch(program));
    RefreshBlockedList(program);
}

void SortBlockedList(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    ui::Form& form = program.principal();
    std::vector<std::string> pieces =
        SplitAt(form.control("txt300").text(), CurrentSeparator(program));
    // A line typed too long to be read back is not stored.
    pieces.erase(
        std::remove_if(pieces.begin(), pieces.end(),
                       [](const std::string& piece) { return piece.size() > kLongestAddress; }),
        pieces.end());
    std::sort(pieces.begin(), pieces.end());

    const std::string branchKey = BranchKey(program, CurrentBranch(program));
    const std::string criteriaKey = CriteriaKey(branchKey);
    const WindowWatch window(program);
    PageLock lock(form);
    bool open = true;
    // One batch for the whole sort, flushed once at its end; the window
    // breathes between groups of writes.
    const RegReadBatch names(program.reg, HKCU, criteriaKey);
    std::optional<RegWriteBatch> criteria;
    for (std::size_t i = 0; i < pieces.size(); ++i) {
        const std::string name = names.EnumRegSubKey(static_cast<std::int32_t>(i));
        if (name == kNotFound)
            break;
        if (!criteria)
            criteria.emplace(program.reg, HKCU, criteriaKey);
        criteria->WriteRegValue(name, rulevalue::Value, RegSz, pieces[i]);
        // A close in the middle waits for the end: half a sort would leave
        // some addresses twice and others not at all.
        if ((i + 1) % kBatchSize == 0 && open)
            open = window.breathe();
    }
    criteria.reset();
    if (open)
        RefreshPage(program, window);
}

void ChooseBlockedAction(Program& program, int option) {
    ui::BusyPointer busy(program.services.ui);
    const WindowWatch window(program);
    PageLock lock(program.principal());
    const std::string actionKey = ActionKey(BranchKey(program, CurrentBranch(program)), "000");
    const modRegistre& reg = program.reg;
    const int type = ActionTypeOfOption(option);
    if (type == action::Highlight) {
        ui::Control& passage = program.principal().control("lblPassage");
        passage.setCaption("0");
        // The colour is picked with the ordinary pointer.
        program.services.ui.setMousePointer(ui::PointerDefault);
        program.form("frmCouleur").Show(true);
        program.services.ui.setMousePointer(ui::PointerBusy);
        reg.WriteRegValue(HKCU, actionKey, rulevalue::Type, RegDword, static_cast<long long>(type));
        reg.WriteRegValue(HKCU, actionKey, rulevalue::Value, RegDword,
                          LeadingNumber(passage.caption()));
        reg.WriteRegValue(HKCU, actionKey, rulevalue::ValueType, RegDword,
                          static_cast<long long>(valuetype::UI4));
    } else if (type != 0) {
        reg.WriteRegValue(HKCU, actionKey, rulevalue::Type, RegDword, static_cast<long long>(type));
        reg.DeleteRegValue(HKCU, actionKey, rulevalue::Value);
        reg.DeleteRegValue(HKCU, actionKey, rulevalue::ValueType);
    }
    if (!window.closed())
        RefreshPage(program, window);
}

void ChooseBlockedActionIfChanged(Program& program, int option) {
    const std::string actionKey = ActionKey(BranchKey(program, CurrentBranch(program)), "000");
    const auto stored = LeadingNumber(program.reg.ReadRegValue(HKCU, actionKey, rulevalue::Type));
    if (stored != ActionTypeOfOption(option))
        ChooseBlockedAction(program, option);
}

void SwitchBlockedSeparator(Program& program) {
    ui::Control& label = program.principal().control("lbl305");
    {
        ui::BusyPointer busy(program.services.ui);
        const std::string lineBreakCaption = BlockedText(program, "lbl305");
        label.setCaption(label.caption() != lineBreakCaption ? lineBreakCaption
                                                             : BlockedText(program, "lbl305.1"));
    }
    RefreshBlockedList(program);
}

void SwitchBlockedBranch(Program& program) {
    RefreshBlockedList(program);
}

void EnlargeBlockedList(Program& program) {
    ui::Form& form = program.principal();
    ui::Control& list = form.control("txt300");
    if (list.bounds().width != 2415) {
        list.setBounds({240, 600, 2415, 3195});
    } else {
        const ui::Twips& frame = form.control("Frame1", 3).bounds();
        list.setBounds({0, 0, frame.width, frame.height});
    }
}

} // namespace velmora
