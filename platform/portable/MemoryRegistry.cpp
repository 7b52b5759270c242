#include "platform/portable/MemoryRegistry.h"

#include "platform/Windows1252.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

namespace velmora::platform::portable {

namespace {

constexpr long kInvalidHandle = 6; // ERROR_INVALID_HANDLE
constexpr long kBadPathName = 161; // ERROR_BAD_PATHNAME

// Names compare and order by their lower-cased Unicode characters, a
// shorter name before a longer one it begins. (Wine orders by lower case:
// "_x" comes before "a"; Windows itself orders by upper case.)
std::u32string foldName(std::string_view name) {
    std::u32string folded;
    folded.reserve(name.size());
    for (char ch : name) {
        folded.push_back(cp1252::toUnicode(cp1252::toLower(static_cast<unsigned char>(ch))));
    }
    return folded;
}

// A path's key names; empty names (doubled or trailing backslashes) are
// skipped, as the registry's own path parser does. A path may not start
// with a backslash.
std::vector<std::string_view> splitPath(std::string_view path) {
    std::vector<std::string_view> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find('\\', start), path.size());
        if (end > start) {
            names.push_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

} // namespace

struct MemoryRegistry::Key {
    struct Value {
        std::string name;
        RegData data;
    };

    std::string name;
    bool denied = false;
    std::map<std::u32string, std::unique_ptr<Key>> subkeys; // in enumeration order
    std::map<std::u32string, Value> values;

    bool deniedBelow() const {
        return denied || std::any_of(subkeys.begin(), subkeys.end(),
                                     [](const auto& entry) { return entry.second->deniedBelow(); });
    }
};

namespace {

using Key = MemoryRegistry::Key;

struct Lookup {
    long status = RegOk;
    Key* key = nullptr;
};

// Walks path from the root the way an open with full access does: a
// missing key answers RegFileNotFound, a key the user may not modify (or
// one below it) RegAccessDenied, unless the open asks for no right to
// modify. With create, missing keys are made.
Lookup walk(Key* root, std::string_view path, bool create, bool modify = true) {
    if (root == nullptr) {
        return {kInvalidHandle, nullptr};
    }
    if (!path.empty() && path.front() == '\\') {
        return {kBadPathName, nullptr};
    }
    Key* key = root;
    for (std::string_view name : splitPath(path)) {
        if (key->denied && modify) {
            return {RegAccessDenied, nullptr};
        }
        auto found = key->subkeys.find(foldName(name));
        if (found == key->subkeys.end()) {
            if (!create) {
                return {RegFileNotFound, nullptr};
            }
            auto child = std::make_unique<Key>();
            child->name = std::string(name);
            found = key->subkeys.emplace(foldName(name), std::move(child)).first;
        }
        key = found->second.get();
    }
    if (key->denied && modify) {
        return {RegAccessDenied, nullptr};
    }
    return {RegOk, key};
}

} // namespace

MemoryRegistry::MemoryRegistry() {
    for (std::uint32_t root : {HKCR, HKCU, HKLM}) {
        roots_.emplace(root, std::make_unique<Key>());
    }
}

MemoryRegistry::~MemoryRegistry() = default;

namespace {

Key* rootKey(const std::map<std::uint32_t, std::unique_ptr<Key>>& roots, std::uint32_t root) {
    const auto found = roots.find(root);
    return found == roots.end() ? nullptr : found->second.get();
}

} // namespace

long MemoryRegistry::queryValue(std::uint32_t root, const std::string& key,
                                const std::string& value, std::size_t bufferSize, RegData& out,
                                std::uint32_t access) {
    // Rights that modify: set value, create subkey, create link, delete,
    // write DAC, write owner.
    constexpr std::uint32_t kModifyRights = 0x2 | 0x4 | 0x20 | 0x10000 | 0x40000 | 0x80000;
    const Lookup at = walk(rootKey(roots_, root), key, false, (access & kModifyRights) != 0);
    if (at.status != RegOk) {
        return at.status;
    }
    const auto found = at.key->values.find(foldName(value));
    if (found == at.key->values.end()) {
        return RegFileNotFound;
    }
    const RegData& data = found->second.data;
    if (data.bytes.size() > bufferSize) {
        return RegMoreData;
    }
    out = data;
    return RegOk;
}

long MemoryRegistry::setValue(std::uint32_t root, const std::string& key, const std::string& value,
                              std::uint32_t type, const std::string& bytes) {
    const Lookup at = walk(rootKey(roots_, root), key, true);
    if (at.status != RegOk) {
        return at.status;
    }
    auto& slot = at.key->values[foldName(value)];
    if (slot.name.empty()) {
        slot.name = value;
    }
    slot.data = RegData{type, bytes};
    return RegOk;
}

long MemoryRegistry::enumSubKey(std::uint32_t root, const std::string& key, std::uint32_t index,
                                std::size_t bufferSize, std::string& name) {
    const Lookup at = walk(rootKey(roots_, root), key, false);
    if (at.status != RegOk) {
        return at.status;
    }
    if (index >= at.key->subkeys.size()) {
        return RegNoMoreItems;
    }
    const std::string& found = std::next(at.key->subkeys.begin(), index)->second->name;
    if (found.size() >= bufferSize) { // the name and its terminating zero must fit
        return RegMoreData;
    }
    name = found;
    return RegOk;
}

long MemoryRegistry::deleteValue(std::uint32_t root, const std::string& key,
                                 const std::string& value) {
    const Lookup at = walk(rootKey(roots_, root), key, false);
    if (at.status != RegOk) {
        return at.status;
    }
    return at.key->values.erase(foldName(value)) == 1 ? RegOk : RegFileNotFound;
}

long MemoryRegistry::deleteTree(std::uint32_t root, const std::string& parent,
                                const std::string& subKey) {
    const Lookup at = walk(rootKey(roots_, root), parent, false);
    if (at.status != RegOk) {
        return at.status;
    }
    if (subKey.empty()) { // would name the parent itself
        return RegInvalidParameter;
    }
    if (subKey.front() == '\\') {
        return kBadPathName;
    }
    std::vector<std::string_view> names = splitPath(subKey);
    if (names.empty()) {
        return RegInvalidParameter;
    }
    const std::string_view leaf = names.back();
    names.pop_back();
    Key* holder = at.key;
    for (std::string_view name : names) {
        const auto found = holder->subkeys.find(foldName(name));
        if (found == holder->subkeys.end()) {
            return RegFileNotFound;
        }
        holder = found->second.get();
    }
    const auto victim = holder->subkeys.find(foldName(leaf));
    if (victim == holder->subkeys.end()) {
        return RegFileNotFound;
    }
    if (victim->second->deniedBelow()) {
        return RegAccessDenied;
    }
    holder->subkeys.erase(victim);
    return RegOk;
}

void MemoryRegistry::denyFullAccess(std::uint32_t root, const std::string& key) {
    Key* top = rootKey(roots_, root);
    if (top == nullptr) {
        throw std::invalid_argument("unknown registry root");
    }
    Key* at = top;
    for (std::string_view name : splitPath(key)) {
        auto& child = at->subkeys[foldName(name)];
        if (!child) {
            child = std::make_unique<Key>();
            child->name = std::string(name);
        }
        at = child.get();
    }
    at->denied = true;
}

} // namespace velmora::platform::portable
