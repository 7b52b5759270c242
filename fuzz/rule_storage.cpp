// The word-list and Order helpers of rule storage, on registry bytes that
// another program (or a damaged store) may have left.

#include "FuzzCheck.h"
#include "rules/RuleStorage.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <set>

using velmora::fuzz::Require;

namespace {

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names)
        text += (text.empty() ? "" : " ") + name;
    return text;
}

// The names of the scheme among the pieces, in capitals, each once: an
// Order as the client and this program write it.
std::vector<std::string> WellFormedNames(const std::string& text) {
    std::vector<std::string> names;
    std::set<int> seen;
    for (const std::string& piece : velmora::OrderNames(text)) {
        const int n = velmora::ParseSubkeyName(piece);
        if (n >= 0 && seen.insert(n).second)
            names.push_back(velmora::FormatSubkeyName(n));
    }
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString(8);
    const std::string bytes = input.ConsumeRemainingBytesAsString();

    // Word lists: what is decoded encodes back to the same list, and the
    // blanks a raw read pads the value with change nothing.
    const std::vector<std::string> words = velmora::DecodeWordList(bytes);
    Require(velmora::DecodeWordList(velmora::EncodeWordList(words) + '\0') == words,
            "decode(encode(decode(x))) == decode(x)");
    if (bytes.size() <= 2048) {
        std::string padded = bytes;
        padded.resize(2048, ' ');
        Require(velmora::DecodeWordList(padded) == words,
                "padding to 2048 blanks decodes the same");
    }

    // Subkey names.
    const int number = velmora::ParseSubkeyName(name);
    Require(number >= -1 && number < velmora::kSubkeyNameCount, "a parsed name is in the scheme");
    if (number >= 0)
        Require(velmora::ParseSubkeyName(velmora::FormatSubkeyName(number)) == number,
                "parse(format(n)) == n");

    // Any Order text: the first free name is a name of the scheme the text
    // does not hold, no further than its count.
    const int count = velmora::CountOrderEntries(bytes);
    const std::string free = velmora::FirstFreeSubkeyName(bytes);
    if (!free.empty()) {
        const int n = velmora::ParseSubkeyName(free);
        Require(n >= 0 && n <= count, "the free name is within the count");
        std::string upper = bytes;
        std::transform(upper.begin(), upper.end(), upper.begin(),
                       [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
        Require(upper.find(free) == std::string::npos, "the free name is not in the Order");
    }
    const std::string removed = velmora::RemoveFromOrder(bytes, name);
    Require(removed.empty() || (removed.front() != ' ' && removed.back() != ' '),
            "a removal leaves the text trimmed");

    // A well-formed Order: counted exactly, a free name while the scheme has
    // one, and a removal that takes out exactly that name.
    const std::vector<std::string> names = WellFormedNames(bytes);
    const std::string order = Joined(names);
    Require(velmora::CountOrderEntries(order) == static_cast<int>(names.size()),
            "a well-formed Order is counted exactly");
    Require(velmora::OrderNames(order) == names, "the names of a well-formed Order");
    Require(!velmora::FirstFreeSubkeyName(order).empty() ||
                names.size() >= static_cast<std::size_t>(velmora::kSubkeyNameCount),
            "a free name while the scheme has one");
    if (number >= 0) {
        const std::string target = velmora::FormatSubkeyName(number);
        std::vector<std::string> rest = names;
        std::erase(rest, target);
        Require(velmora::RemoveFromOrder(order, target) == Joined(rest),
                "removing a name from a well-formed Order");
    }
    return 0;
}
