// The blocked-senders file import: a text file's bytes split into entries
// and stored in a branch, as a first list or merged into one already there.

#include "FuzzCheck.h"
#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"
#include "rules/BlockedSendersImport.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <set>

using velmora::fuzz::Require;

namespace {

const std::string kBlockSenders = "Identities\\{1}\\Block Senders";
const std::string kBranch = kBlockSenders + "\\Mail";

// Imports the file's text and checks what the branch holds afterwards.
velmora::ImportOutcome Import(const velmora::modRegistre& reg, velmora::ImportRequest::Mode mode,
                              const std::string& text, int batchSize, int stopAfter) {
    velmora::ImportRequest request;
    request.mode = mode;
    request.blockSendersKey = kBlockSenders;
    request.branchKey = kBranch;
    request.batchSize = batchSize;
    int batches = 0;
    request.betweenBatches = [&](const std::string&) { return ++batches != stopAfter; };
    const std::vector<std::string> entries = velmora::SplitBlockedEntries(text);
    Require(!entries.empty(), "a text splits into one entry at least");
    const std::string orderBefore = velmora::ReadOrder(reg, velmora::CriteriaKey(kBranch));
    const int before =
        mode == velmora::ImportRequest::Mode::Merge && orderBefore != velmora::kNotFound
            ? velmora::CountOrderEntries(orderBefore)
            : 0;
    const velmora::ImportOutcome outcome = velmora::ImportBlockedSenders(reg, request, entries);

    Require(outcome.entries == static_cast<int>(entries.size()), "every entry is counted");
    Require(outcome.stored + outcome.unstorable + outcome.leftOut <= outcome.entries,
            "no entry is counted twice");
    const std::string order = velmora::ReadOrder(reg, velmora::CriteriaKey(kBranch));
    if (order == velmora::kNotFound) {
        Require(outcome.stored == 0, "stored addresses are listed in an Order");
        return outcome;
    }
    // Every name listed is a name of the scheme, once, and holds its address.
    std::set<int> seen;
    for (const std::string& name : velmora::OrderNames(order)) {
        const int n = velmora::ParseSubkeyName(name);
        Require(n >= 0 && seen.insert(n).second, "the Order lists names of the scheme, once each");
        Require(velmora::AddressStoredAt(reg, kBranch, name), "a listed name holds an address");
    }
    if (!outcome.stopped)
        Require(static_cast<int>(seen.size()) == before + outcome.stored,
                "the Order counts what was there and what was stored");
    Require(velmora::CountOrderEntries(order) == static_cast<int>(seen.size()),
            "the Order is counted as it is listed");
    return outcome;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const int batchSize = input.ConsumeIntegralInRange(1, 8);
    const int stopAfter = input.ConsumeIntegralInRange(0, 4);
    const bool merge = input.ConsumeBool();
    const std::string first = input.ConsumeRandomLengthString(2048);
    const std::string second = input.ConsumeRemainingBytesAsString();

    velmora::platform::portable::MemoryRegistry store;
    const velmora::modRegistre reg(store);
    const auto outcome = Import(reg, velmora::ImportRequest::Mode::FirstLoad, first, batchSize,
                                merge ? 0 : stopAfter);
    if (merge)
        Import(reg, velmora::ImportRequest::Mode::Merge, second, batchSize, stopAfter);
    else
        Require(outcome.stopped || outcome.leftOut == 0, "a first list finds a name for each");
    return 0;
}
