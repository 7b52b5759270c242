#include "rules/BlockedSendersImport.h"

#include "core/modRegistre.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace velmora {

namespace {

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool IsAscii(const std::string& text) {
    return std::all_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Entries looked at between two breaths while few or none are stored (a
// merge of addresses already listed, or past the last free name).
constexpr int kLooksPerBreath = 1000;

// Whether a growing text holds a piece anywhere in it (what std::string::find
// answers), in time proportional to the piece rather than to the text: a
// suffix automaton of the text, whose transitions are kept in lists, as most
// states have one or two.
class SubstringIndex {
public:
    SubstringIndex() { states_.push_back({0, -1, -1}); }

    void append(std::string_view text) {
        for (const char byte : text)
            extend(static_cast<unsigned char>(byte));
    }

    bool contains(std::string_view piece) const {
        int state = 0;
        for (const char byte : piece)
            if ((state = target(state, static_cast<unsigned char>(byte))) < 0)
                return false;
        return true;
    }

private:
    struct State {
        int length;
        int link;
        int firstEdge;
    };
    struct Edge {
        int to;
        int next;
        unsigned char byte;
    };

    int target(int state, unsigned char byte) const {
        for (int e = states_[state].firstEdge; e >= 0; e = edges_[e].next)
            if (edges_[e].byte == byte)
                return edges_[e].to;
        return -1;
    }

    void addEdge(int state, unsigned char byte, int to) {
        edges_.push_back({to, states_[state].firstEdge, byte});
        states_[state].firstEdge = static_cast<int>(edges_.size()) - 1;
    }

    void redirect(int state, unsigned char byte, int to) {
        for (int e = states_[state].firstEdge; e >= 0; e = edges_[e].next)
            if (edges_[e].byte == byte)
                edges_[e].to = to;
    }

    void extend(unsigned char byte) {
        const int added = static_cast<int>(states_.size());
        states_.push_back({states_[last_].length + 1, 0, -1});
        int p = last_;
        for (; p >= 0 && target(p, byte) < 0; p = states_[p].link)
            addEdge(p, byte, added);
        if (p >= 0) {
            const int q = target(p, byte);
            if (states_[p].length + 1 == states_[q].length) {
                states_[added].link = q;
            } else {
                const int clone = static_cast<int>(states_.size());
                states_.push_back({states_[p].length + 1, states_[q].link, -1});
                for (int e = states_[q].firstEdge; e >= 0;) {
                    const Edge copied = edges_[e];
                    addEdge(clone, copied.byte, copied.to);
                    e = copied.next;
                }
                for (; p >= 0 && target(p, byte) == q; p = states_[p].link)
                    redirect(p, byte, clone);
                states_[q].link = clone;
                states_[added].link = clone;
            }
        }
        last_ = added;
    }

    std::vector<State> states_;
    std::vector<Edge> edges_;
    int last_ = 0;
};

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
    // client left out of its list, or one a killed run stored. Criteria
    // without any subkey (the usual first load) spare a look at each name.
    std::string firstSubkey;
    const long firstStatus =
        reg.store().enumSubKey(HKCU, criteriaKey, 0, kRegBufferSize, firstSubkey);
    const bool anySubkey =
        firstStatus != platform::RegFileNotFound && firstStatus != platform::RegNoMoreItems;
    SubkeyNamer names(outcome.countBefore, OrderNames(order), [&](const std::string& name) {
        return anySubkey && AddressStoredAt(reg, request.branchKey, name);
    });
    // Names come in rising order from "000", as the registry lists them.
    bool storedAlone = !merge && !anySubkey;
    // A merge skips an entry found anywhere in the listed text, or in the
    // text of entries that found no name (so that a later copy is not
    // counted twice).
    SubstringIndex listed, leftOut;
    if (merge)
        listed.append(outcome.listedText);

    // The addresses and each Order that counts them go through one batch:
    // the key stays open for the whole import and is flushed once, at its
    // end (a flush writes the whole hive, so one a batch made a long import
    // quadratic). An Order is always written after the addresses it counts.
    std::optional<RegWriteBatch> criteria;
    const auto batch = [&]() -> const RegWriteBatch& {
        if (!criteria)
            criteria.emplace(reg, HKCU, criteriaKey);
        return *criteria;
    };
    int inBatch = 0;
    int looked = 0;
    // Makes the stored addresses count: the Order, and once the rule itself.
    const auto commit = [&] {
        batch().WriteRegValue("", rulevalue::Order, platform::RegSz, Trimmed(order));
        if (!ruleWritten)
            WriteNewBranchRule(reg, request.blockSendersKey, request.branchKey);
        ruleWritten = true;
        inBatch = 0;
    };
    // Whether the entry was stored; false for one skipped or left out.
    const auto take = [&](const std::string& entry) {
        const EntryKind kind = ClassifyEntry(entry);
        if (kind == EntryKind::Unstorable)
            ++outcome.unstorable;
        if (kind != EntryKind::Address)
            return false;
        if (merge && (listed.contains(entry) || leftOut.contains(entry)))
            return false;
        const std::string name = outcome.leftOut > 0 ? std::string() : names.next();
        if (name.empty()) {
            ++outcome.leftOut;
            if (merge) {
                leftOut.append(entry);
                leftOut.append(request.separator);
            }
            return false;
        }
        const bool written = WriteBlockedAddress(batch(), name, entry);
        storedAlone = storedAlone && written && IsAscii(entry);
        order += " " + name;
        const std::size_t end = outcome.listedText.size();
        outcome.listedText += entry + request.separator;
        if (merge)
            listed.append(std::string_view(outcome.listedText).substr(end));
        ++outcome.stored;
        return true;
    };

    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (take(entries[i]))
            ++inBatch;
        // The window breathes after each batch of stored addresses, and
        // after a run of entries storing few, so that it never freezes.
        if ((inBatch >= request.batchSize || ++looked >= kLooksPerBreath) &&
            i + 1 < entries.size()) {
            if (inBatch > 0)
                commit();
            looked = 0;
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
    outcome.storedAlone = storedAlone && outcome.stored > 0;
    return outcome;
}

} // namespace velmora
