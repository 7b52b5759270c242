#pragma once
// A registry store that passes every call on to another store and records
// each change made through it (writes, value and tree deletions), in order,
// so that a test can tell what an operation wrote and how many times.

#include "platform/Registry.h"

#include <cstdint>
#include <string>
#include <vector>

namespace velmora::testing {

struct RegistryChange {
    enum Kind { Set, DeleteValue, DeleteTree } kind;
    std::uint32_t root;
    std::string key;    // the parent key for DeleteTree
    std::string name;   // the value name, or the subkey for DeleteTree
    std::uint32_t type; // Set only
};

class RecordingRegistry : public platform::Registry {
public:
    explicit RecordingRegistry(platform::Registry& inner) : inner_(inner) {}

    long queryValue(std::uint32_t root, const std::string& key, const std::string& value,
                    std::size_t size, platform::RegData& out,
                    std::uint32_t access = platform::RegAllAccess) override {
        return inner_.queryValue(root, key, value, size, out, access);
    }
    long enumSubKey(std::uint32_t root, const std::string& key, std::uint32_t index,
                    std::size_t size, std::string& name) override {
        return inner_.enumSubKey(root, key, index, size, name);
    }
    long setValue(std::uint32_t root, const std::string& key, const std::string& value,
                  std::uint32_t type, const std::string& bytes) override {
        changes.push_back({RegistryChange::Set, root, key, value, type});
        if (bytes == refusedBytes)
            return platform::RegAccessDenied;
        return inner_.setValue(root, key, value, type, bytes);
    }
    long deleteValue(std::uint32_t root, const std::string& key,
                     const std::string& value) override {
        changes.push_back({RegistryChange::DeleteValue, root, key, value, 0});
        return inner_.deleteValue(root, key, value);
    }
    long deleteTree(std::uint32_t root, const std::string& parent,
                    const std::string& subKey) override {
        changes.push_back({RegistryChange::DeleteTree, root, parent, subKey, 0});
        return inner_.deleteTree(root, parent, subKey);
    }

    // "set NAME" or "delete NAME" for each change, in order.
    std::vector<std::string> names() const {
        std::vector<std::string> result;
        for (const RegistryChange& change : changes)
            result.push_back((change.kind == RegistryChange::Set ? "set " : "delete ") +
                             change.name);
        return result;
    }

    std::vector<RegistryChange> changes;
    // Data whose writes are refused, as a key the user may not write.
    std::string refusedBytes = "\xFF(none)";

private:
    platform::Registry& inner_;
};

} // namespace velmora::testing
