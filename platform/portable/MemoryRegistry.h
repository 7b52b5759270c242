#pragma once
// An in-memory registry: one tree per root, held to what the Win32 "A"
// registry functions do under Windows: key and value names compare without
// regard to case (after the Windows-1252 text is read as Unicode) and keep
// the spelling they were created with, subkeys enumerate in the registry's
// own sorted order, and a value that does not fit the caller's buffer
// answers RegMoreData.

#include "platform/Registry.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace velmora::platform::portable {

class MemoryRegistry final : public Registry {
public:
    MemoryRegistry();
    ~MemoryRegistry() override;

    long queryValue(std::uint32_t root, const std::string& key, const std::string& value,
                    std::size_t bufferSize, RegData& out,
                    std::uint32_t access = RegAllAccess) override;
    long setValue(std::uint32_t root, const std::string& key, const std::string& value,
                  std::uint32_t type, const std::string& bytes) override;
    long enumSubKey(std::uint32_t root, const std::string& key, std::uint32_t index,
                    std::size_t bufferSize, std::string& name) override;
    long deleteValue(std::uint32_t root, const std::string& key, const std::string& value) override;
    long deleteTree(std::uint32_t root, const std::string& parent,
                    const std::string& subKey) override;

    // The key (created if missing) and everything below it may be read by the
    // user but not modified: every open with full access is refused, so all
    // operations on it answer RegAccessDenied and reads see it as missing.
    void denyFullAccess(std::uint32_t root, const std::string& key);

    struct Key;

private:
    std::map<std::uint32_t, std::unique_ptr<Key>> roots_;
};

} // namespace velmora::platform::portable
