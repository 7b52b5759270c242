#pragma once
// The registry store on the real Win32 registry, through the "A" functions
// of advapi32 and shlwapi. Every call opens its key with full access, does
// one thing and closes the key; writes are flushed before the key closes (a
// batch of writes: once, at the batch's end). A batch keeps its key open.

#include "platform/Registry.h"

namespace velmora::platform::win32 {

class Win32Registry final : public Registry {
public:
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
    std::unique_ptr<RegWriteBatch> beginWrites(std::uint32_t root, const std::string& key) override;
    std::unique_ptr<RegReadBatch> beginReads(std::uint32_t root, const std::string& key) override;
};

} // namespace velmora::platform::win32
