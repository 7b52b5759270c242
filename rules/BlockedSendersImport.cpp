#include "rules/BlockedSendersImport.h"

#include "core/modRegistre.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"

namespace velmora {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

} // namespace

ImportOutcome ImportBlockedSenders(const modRegistre& reg, const ImportRequest& request,
                                   const std::vector<std::string>& entries) {
    const bool merge = request.mode == ImportRequest::Mode::Merge;
    const std::string criteriaKey = CriteriaKey(request.branchKey);
    ImportOutcome outcome;
    outcome.entries = static_cast<int>(entries.size());
    outcome.listedText = request.listedText;

    std::string order;
    // A merge into a branch without a list makes the rule as a first load does.
    bool ruleWritten = false;
    if (merge) {
        order = ReadOrder(reg, criteriaKey);
        ruleWritten = order != kNotFound;
        if (!ruleWritten)
            order.clear();
        outcome.countBefore = CountOrderEntries(order);
    }
    // A name the Order does not list may still hold an address: one the
    // client left out of its list, or one a killed run stored.
    SubkeyNamer names(outcome.countBefore, OrderNames(order), [&](const std::string& name) {
        return AddressStoredAt(reg, request.branchKey, name);
    });
    // Entries that found no name, so that a later copy is not counted twice.
    std::string leftOutText;

    int inBatch = 0;
    // Makes the stored addresses count: the Order, and once the rule itself.
    const auto commit = [&] {
        reg.WriteRegValue(HKCU, criteriaKey, rulevalue::Order, platform::RegSz, Trimmed(order));
        if (!ruleWritten)
            WriteNewBranchRule(reg, request.blockSendersKey, request.branchKey);
        ruleWritten = true;
        inBatch = 0;
    };

    for (std::size_t i = 0; i < entries.size(); ++i) {
        const std::string& entry = entries[i];
        const EntryKind kind = ClassifyEntry(entry);
        if (kind == EntryKind::Unstorable)
            ++outcome.unstorable;
        if (kind != EntryKind::Address)
            continue;
        if (merge && (outcome.listedText.find(entry) != std::string::npos ||
                      leftOutText.find(entry) != std::string::npos))
            continue;
        const std::string name = outcome.leftOut > 0 ? std::string() : names.next();
        if (name.empty()) {
            ++outcome.leftOut;
            leftOutText += entry + request.separator;
            continue;
        }
        WriteBlockedAddress(reg, request.branchKey, name, entry);
        order += " " + name;
        outcome.listedText += entry + request.separator;
        ++outcome.stored;
        if (++inBatch >= request.batchSize && i + 1 < entries.size()) {
            commit();
            if (request.betweenBatches && !request.betweenBatches(outcome.listedText)) {
                outcome.stopped = true;
                return outcome;
            }
        }
    }
    // A first load with nothing stored writes nothing; a merge into a list
    // always writes its Order back.
    if ((merge && ruleWritten) || outcome.stored > 0)
        commit();
    return outcome;
}

} // namespace velmora
