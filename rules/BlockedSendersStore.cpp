#include "rules/BlockedSendersStore.h"

#include "core/FileAPI.h"
#include "core/Program.h"
#include "core/modRegistre.h"
#include "rules/RuleStorage.h"

#include <algorithm>
#include <iterator>

namespace velmora {

using platform::RegDword;
using platform::RegSz;

std::vector<std::string> CriteriaSubkeys(const modRegistre& reg, const std::string& branchKey) {
    std::vector<std::string> names;
    const std::string key = CriteriaKey(branchKey);
    for (std::int32_t i = 0;; ++i) {
        std::string name = reg.EnumRegSubKey(HKCU, key, i);
        if (name == kNotFound)
            break;
        names.push_back(std::move(name));
    }
    return names;
}

bool WriteBlockedAddress(const RegWriteBatch& criteria, const std::string& name,
                         const std::string& address) {
    const long statuses[] = {
        criteria.WriteRegValue(name, rulevalue::Flags, RegDword, 0LL),
        criteria.WriteRegValue(name, rulevalue::Logic, RegDword, 1LL),
        criteria.WriteRegValue(name, rulevalue::Type, RegDword,
                               static_cast<long long>(criterion::BlockedAddress)),
        criteria.WriteRegValue(name, rulevalue::ValueType, RegDword,
                               static_cast<long long>(valuetype::LPSTR)),
        criteria.WriteRegValue(name, rulevalue::Value, RegSz, address),
    };
    return std::all_of(std::begin(statuses), std::end(statuses),
                       [](long status) { return status == platform::RegOk; });
}

void WriteNewBranchRule(const modRegistre& reg, const std::string& blockSendersKey,
                        const std::string& branchKey) {
    // One key open and one flush for the seven values, written in this order.
    const RegWriteBatch rule(reg, HKCU, blockSendersKey);
    const std::string branch = branchKey.substr(blockSendersKey.size() + 1);
    rule.WriteRegValue("", rulevalue::Version, RegDword, kBlockSendersVersion);
    rule.WriteRegValue(branch, rulevalue::Enabled, RegDword, 1LL);
    rule.WriteRegValue(branch, rulevalue::Version, RegDword, 1LL);
    rule.WriteRegValue(branch, rulevalue::Name, RegSz, kBranchRuleName);
    rule.WriteRegValue(ActionsKey(branch), rulevalue::Order, RegSz, std::string("000"));
    const std::string action = ActionKey(branch, "000");
    rule.WriteRegValue(action, rulevalue::Type, RegDword, static_cast<long long>(action::Delete));
    rule.WriteRegValue(action, rulevalue::Flags, RegDword, 0LL);
}

namespace {

// The action of each option opt300, by index.
constexpr int kOptionActions[] = {action::Delete, action::DeleteFromServer, action::DoNotDownload,
                                  action::Flag, action::Highlight};

} // namespace

int OptionOfActionType(int type) {
    for (int option = 0; option < 5; ++option)
        if (kOptionActions[option] == type)
            return option;
    return -1;
}

int ActionTypeOfOption(int option) {
    return option >= 0 && option < 5 ? kOptionActions[option] : 0;
}

SubkeyNamer::SubkeyNamer(int count, const std::vector<std::string>& listed, StoredAt storedAt)
    : storedAt_(std::move(storedAt)), start_(count >= 0 && count < kSubkeyNameCount ? count : 0) {
    for (const std::string& name : listed) {
        const int number = ParseSubkeyName(name);
        if (number >= 0)
            used_.set(static_cast<std::size_t>(number));
    }
}

std::string SubkeyNamer::next() {
    while (scanned_ < kSubkeyNameCount) {
        const int number = (start_ + scanned_++) % kSubkeyNameCount;
        if (used_.test(static_cast<std::size_t>(number)))
            continue;
        used_.set(static_cast<std::size_t>(number));
        std::string name = FormatSubkeyName(number);
        if (!storedAt_ || !storedAt_(name))
            return name;
    }
    return {};
}

bool AddressStoredAt(const modRegistre& reg, const std::string& branchKey,
                     const std::string& name) {
    // A value too long for the buffer is there all the same.
    platform::RegData data;
    const long status = reg.store().queryValue(HKCU, CriterionKey(branchKey, name),
                                               rulevalue::Value, kRegBufferSize, data);
    return status == platform::RegOk || status == platform::RegMoreData;
}

std::optional<std::string> ReadBlockedSendersFile(platform::FileSystem& files,
                                                  const std::string& path) {
    auto bytes = files.readFile(path);
    if (!bytes)
        return std::nullopt;
    // The same test as the text reader's: FF FE 57 before the first zero.
    if (bytes->compare(0, bytes->find('\0'), "\xFF\xFE\x57") == 0)
        return BytesToText(*bytes);
    return bytes;
}

std::vector<std::string> SplitBlockedEntries(const std::string& text) {
    std::vector<std::string> entries(1);
    std::size_t at = 0;
    for (;;) {
        std::size_t stop = text.find_first_of(";\r", at);
        // A carriage return separates only when a line feed follows it.
        while (stop != std::string::npos && text[stop] == '\r' &&
               (stop + 1 >= text.size() || text[stop + 1] != '\n'))
            stop = text.find_first_of(";\r", stop + 1);
        entries.back().append(text, at, stop == std::string::npos ? std::string::npos : stop - at);
        if (stop == std::string::npos)
            return entries;
        entries.emplace_back();
        at = stop + (text[stop] == ';' ? 1 : 2);
    }
}

EntryKind ClassifyEntry(const std::string& entry) {
    if (entry.find('@') == std::string::npos)
        return EntryKind::NotAddress;
    if (entry.find('\0') != std::string::npos || entry.size() > kLongestAddress)
        return EntryKind::Unstorable;
    return EntryKind::Address;
}

} // namespace velmora
