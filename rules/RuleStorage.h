#pragma once
// Where the mail client keeps its mail rules and blocked-senders lists in
// the registry (all under HKEY_CURRENT_USER, per identity), the codes stored
// there, and the small operations on "Order" lists, subkey names and word
// lists that every rule-writing page shares.

#include "platform/Registry.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class Program;
class modRegistre;

// ---------------------------------------------------------------- keys

// Identity key + "\Rules\Mail": the collection of mail rules.
std::string MailRulesKey(const Program& program);
// One mail rule: mail rules key + "\" + rule name.
std::string RuleKey(const Program& program, const std::string& ruleName);
// Identity key + "\Block Senders": the root of the blocked-senders lists.
std::string BlockSendersKey(const Program& program);
// Block Senders key + "\" + branch ("Mail" or "News"); laid out as a rule key.
std::string BranchKey(const Program& program, const std::string& branch);

// Below a rule key (a mail rule or a branch).
std::string CriteriaKey(const std::string& ruleKey);
std::string CriterionKey(const std::string& ruleKey, const std::string& name);
std::string ActionsKey(const std::string& ruleKey);
std::string ActionKey(const std::string& ruleKey, const std::string& name);

// ---------------------------------------------------------------- names and codes

namespace rulevalue {
inline const std::string Order = "Order";
inline const std::string Name = "Name";
inline const std::string Enabled = "Enabled";
inline const std::string Version = "Version";
inline const std::string Type = "Type";
inline const std::string Value = "Value";
inline const std::string ValueType = "ValueType";
inline const std::string Flags = "Flags";
inline const std::string Logic = "Logic";
} // namespace rulevalue

namespace criterion {
inline constexpr int Subject = 8;
inline constexpr int Body = 9;
inline constexpr int Sender = 12;
inline constexpr int BlockedAddress = 23;
} // namespace criterion

// How a criterion's or action's "Value" is stored (OLE variant numbers).
namespace valuetype {
inline constexpr int UI4 = 19;   // REG_DWORD
inline constexpr int LPSTR = 30; // REG_SZ
inline constexpr int Blob = 65;  // REG_BINARY word list
} // namespace valuetype

namespace action {
inline constexpr int Delete = 7;
inline constexpr int DeleteFromServer = 8;
inline constexpr int DoNotDownload = 9;
inline constexpr int Highlight = 10; // "Value": colour index
inline constexpr int Flag = 11;
inline constexpr int StopProcessing = 12;
inline constexpr int MarkRead = 13;
inline constexpr int Conversation = 17; // "Value": 1 watch, 2 ignore
} // namespace action

// "Version" of the Block Senders key itself.
inline constexpr long long kBlockSendersVersion = 0x50000;
// The display name of a branch this program creates.
inline const std::string kBranchRuleName = "Bloquer l'exp\xE9"
                                           "diteur";

// ---------------------------------------------------------------- subkey names

// New subkeys are named by three upper-case hexadecimal digits, "000" to
// "FFF": 4096 names in all.
inline constexpr int kSubkeyNameCount = 4096;

// The name of number n, 0 <= n <= 4095: 10 gives "00A".
std::string FormatSubkeyName(int n);
// The number a name of the scheme stands for (letters in either case), or
// -1 for a name the scheme never makes ("1000", "Rule", "0A").
int ParseSubkeyName(const std::string& name);

// Names in a well-formed Order: (length + 1) / 4; 0 for the empty text.
int CountOrderEntries(const std::string& order);
// The lowest name from "000" to the count's own that does not occur in the
// order text (compared without case). Empty when even that would pass "FFF",
// which only a collection holding every name of the scheme can make happen.
std::string FirstFreeSubkeyName(const std::string& order);
// The order text less every occurrence of name, trimmed, double spaces made
// single (one pass).
std::string RemoveFromOrder(const std::string& order, const std::string& name);

// The names of an Order text: split at spaces, empty pieces dropped.
std::vector<std::string> OrderNames(const std::string& order);

// A value under HKEY_CURRENT_USER as stored, past the 2048-byte buffer of
// the registry layer (up to 16 MiB); nothing when it cannot be read.
std::optional<platform::RegData> ReadWholeValue(const modRegistre& reg, const std::string& keyPath,
                                                const std::string& valueName);

// A collection's "Order" value, or "Not Found". Unlike ReadRegValue it reads
// values past 2048 bytes: a list of more than 512 names is that long.
std::string ReadOrder(const modRegistre& reg, const std::string& collectionKey);

// ---------------------------------------------------------------- word lists

// Each word's bytes and a zero byte, then one more zero byte; the REG_BINARY
// write adds the last of the three closing zeros.
std::string EncodeWordList(const std::vector<std::string>& words);
// The pieces of bytes between its zero bytes, in order: "a\0b" gives "a",
// "b"; a final zero gives an empty last piece.
std::vector<std::string> SplitAtZeros(const std::string& bytes);
// The pieces between zero bytes, less the last three. A raw read of 2048
// characters padded with spaces decodes the same as the exact bytes.
std::vector<std::string> DecodeWordList(const std::string& bytes);

} // namespace velmora
