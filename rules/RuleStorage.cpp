#include "rules/RuleStorage.h"

#include "core/Program.h"
#include "core/modRegistre.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace velmora {

std::string MailRulesKey(const Program& program) {
    return program.IdentityKey() + "\\Rules\\Mail";
}

std::string RuleKey(const Program& program, const std::string& ruleName) {
    return MailRulesKey(program) + "\\" + ruleName;
}

std::string BlockSendersKey(const Program& program) {
    return program.IdentityKey() + "\\Block Senders";
}

std::string BranchKey(const Program& program, const std::string& branch) {
    return BlockSendersKey(program) + "\\" + branch;
}

std::string CriteriaKey(const std::string& ruleKey) {
    return ruleKey + "\\Criteria";
}

std::string CriterionKey(const std::string& ruleKey, const std::string& name) {
    return CriteriaKey(ruleKey) + "\\" + name;
}

std::string ActionsKey(const std::string& ruleKey) {
    return ruleKey + "\\Actions";
}

std::string ActionKey(const std::string& ruleKey, const std::string& name) {
    return ActionsKey(ruleKey) + "\\" + name;
}

std::string FormatSubkeyName(int n) {
    char name[16];
    std::snprintf(name, sizeof name, "%03X", static_cast<unsigned>(n));
    return name;
}

int ParseSubkeyName(const std::string& name) {
    if (name.size() != 3)
        return -1;
    int number = 0;
    for (char c : name) {
        const int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                          : (c >= 'A' && c <= 'F')                    ? c - 'A' + 10
                          : (c >= 'a' && c <= 'f')                    ? c - 'a' + 10
                                                                      : -1;
        if (digit < 0)
            return -1;
        number = number * 16 + digit;
    }
    return number;
}

int CountOrderEntries(const std::string& order) {
    return order.empty() ? 0 : static_cast<int>((order.size() + 1) / 4);
}

namespace {

std::string Upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

} // namespace

std::string FirstFreeSubkeyName(const std::string& order) {
    const std::string upper = Upper(order);
    const int last = std::min(CountOrderEntries(order), kSubkeyNameCount - 1);
    for (int i = 0; i <= last; ++i) {
        const std::string name = FormatSubkeyName(i);
        if (upper.find(name) == std::string::npos)
            return name;
    }
    return {};
}

std::string RemoveFromOrder(const std::string& order, const std::string& name) {
    std::string text;
    if (name.empty()) {
        text = order;
    } else {
        for (std::size_t at = 0;;) {
            const std::size_t found = order.find(name, at);
            text += order.substr(at, found - at);
            if (found == std::string::npos)
                break;
            at = found + name.size();
        }
    }
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
    std::string result;
    for (std::size_t i = 0; i < text.size(); ++i) {
        result += text[i];
        if (text[i] == ' ' && i + 1 < text.size() && text[i + 1] == ' ')
            ++i; // the pair becomes one space; the search goes on after it
    }
    return result;
}

std::vector<std::string> OrderNames(const std::string& order) {
    std::vector<std::string> names;
    std::size_t at = 0;
    while (at < order.size()) {
        std::size_t end = order.find(' ', at);
        if (end == std::string::npos)
            end = order.size();
        if (end > at)
            names.push_back(order.substr(at, end - at));
        at = end + 1;
    }
    return names;
}

std::optional<platform::RegData> ReadWholeValue(const modRegistre& reg, const std::string& keyPath,
                                                const std::string& valueName) {
    platform::RegData data;
    long status = platform::RegMoreData;
    // 64 KiB holds every list of the naming scheme (4096 names: 16383 bytes).
    for (std::size_t size = 1 << 16; status == platform::RegMoreData && size <= (1u << 24);
         size <<= 4)
        status = reg.store().queryValue(HKCU, keyPath, valueName, size, data);
    if (status != platform::RegOk)
        return std::nullopt;
    return data;
}

std::string ReadOrder(const modRegistre& reg, const std::string& collectionKey) {
    const auto data = ReadWholeValue(reg, collectionKey, rulevalue::Order);
    if (!data)
        return kNotFound;
    if (data->type == platform::RegDword || data->type == platform::RegBinary)
        return reg.ReadRegValue(HKCU, collectionKey, rulevalue::Order);
    return TextOfData(data->bytes);
}

std::string EncodeWordList(const std::vector<std::string>& words) {
    std::string bytes;
    for (const std::string& word : words) {
        bytes += word;
        bytes += '\0';
    }
    bytes += '\0';
    return bytes;
}

std::vector<std::string> SplitAtZeros(const std::string& bytes) {
    std::vector<std::string> pieces;
    std::size_t at = 0;
    for (;;) {
        const std::size_t zero = bytes.find('\0', at);
        pieces.push_back(
            bytes.substr(at, zero == std::string::npos ? std::string::npos : zero - at));
        if (zero == std::string::npos)
            break;
        at = zero + 1;
    }
    return pieces;
}

std::vector<std::string> DecodeWordList(const std::string& bytes) {
    std::vector<std::string> pieces = SplitAtZeros(bytes);
    if (pieces.size() <= 3)
        return {};
    pieces.resize(pieces.size() - 3);
    return pieces;
}

} // namespace velmora
