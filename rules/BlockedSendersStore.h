#pragma once
// The blocked-senders branches in the registry: their criteria, the values
// of one blocked address and of a new branch, the names new addresses take,
// and the entries of a blocked-senders text file.

#include <bitset>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace velmora {

class Program;
class modRegistre;
class RegWriteBatch;

namespace platform {
class FileSystem;
}

// ---------------------------------------------------------------- the branch

// The names of the branch's criteria subkeys, in the registry's order.
std::vector<std::string> CriteriaSubkeys(const modRegistre& reg, const std::string& branchKey);

// The five values of one blocked address, in this order: Flags 0, Logic 1,
// Type 23, ValueType 30 (REG_DWORD), then the address as "Value" (REG_SZ);
// criteria is a batch of writes under the branch's Criteria key. False when
// one of the writes failed.
bool WriteBlockedAddress(const RegWriteBatch& criteria, const std::string& name,
                         const std::string& address);

// What makes a branch a complete rule, written once after its first Order:
// the Block Senders "Version", the rule's Enabled, Version and Name, and the
// default action (delete) as its only action. branchKey lies below
// blockSendersKey.
void WriteNewBranchRule(const modRegistre& reg, const std::string& blockSendersKey,
                        const std::string& branchKey);

// The option opt300 of an action type (7 -> 0, 8 -> 1, 9 -> 2, 11 -> 3,
// 10 -> 4), or -1 for a type the page has no option for; and back.
int OptionOfActionType(int type);
int ActionTypeOfOption(int option);

// ---------------------------------------------------------------- new names

// Hands out the names of new addresses: by count ("003" after three names)
// where that name is free, otherwise the next name not in use, so that no
// stored address is ever written over. Past "FFF" it comes back to the free
// names below the count; when every name of the scheme is in use it answers
// the empty text.
class SubkeyNamer {
public:
    // Whether an address is stored under a name the Order does not list.
    using StoredAt = std::function<bool(const std::string& name)>;
    // count: the entries of the Order; listed: its names (names outside the
    // scheme are ignored); storedAt is asked only about names not listed.
    SubkeyNamer(int count, const std::vector<std::string>& listed, StoredAt storedAt);
    std::string next();

private:
    std::bitset<4096> used_;
    StoredAt storedAt_;
    int start_;
    int scanned_ = 0;
};

// Whether the criterion key holds a "Value", readable or not.
bool AddressStoredAt(const modRegistre& reg, const std::string& branchKey, const std::string& name);

// ---------------------------------------------------------------- text files

// The longest address the registry layer can read back: its buffer holds
// 2048 bytes, the terminating zero included.
inline constexpr std::size_t kLongestAddress = 2047;

// The file's bytes; nothing when it cannot be read. Zero bytes stay, so that
// the entries holding one can be refused (a UTF-16 registry export is
// converted as the program's text reader does).
std::optional<std::string> ReadBlockedSendersFile(platform::FileSystem& files,
                                                  const std::string& path);

// Carriage return + line feed pairs become ";", then the text is split at
// every ";". An empty text gives one empty entry.
std::vector<std::string> SplitBlockedEntries(const std::string& text);

enum class EntryKind {
    Address,    // holds "@": stored as it stands
    NotAddress, // no "@": skipped as the client's lists have none
    Unstorable, // holds "@" but also a zero byte, or is too long to read back
};
EntryKind ClassifyEntry(const std::string& entry);

} // namespace velmora
