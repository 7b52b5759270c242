#pragma once
// The program's registry layer: every value comes back as text and goes in
// as text (or a number) with a type code. Reads that cannot be answered
// give "Not Found"; writes and deletions fail silently.

#include "platform/Registry.h"

#include <cstdint>
#include <memory>
#include <string>
#include <variant>

namespace velmora {

using platform::HKCR;
using platform::HKCU;
using platform::HKLM;

inline const std::string kNotFound = "Not Found";
inline constexpr std::size_t kRegBufferSize = 2048;

// A value to write: a text, or a number (whole or fractional).
using RegInput = std::variant<std::string, long long, double>;

class modRegistre {
public:
    explicit modRegistre(platform::Registry& store) : store_(store) {}

    std::string ReadRegValue(std::uint32_t root, const std::string& keyPath,
                             const std::string& valueName) const;
    std::string ReadRegValueRaw(std::uint32_t root, const std::string& keyPath,
                                const std::string& valueName) const;
    long WriteRegValue(std::uint32_t root, const std::string& keyPath, const std::string& valueName,
                       std::int32_t valueType, const RegInput& value) const;
    std::string EnumRegSubKey(std::uint32_t root, const std::string& keyPath,
                              std::int32_t index) const;
    void DeleteRegValue(std::uint32_t root, const std::string& keyPath,
                        const std::string& valueName) const;
    std::string DeleteRegTree(std::uint32_t root, const std::string& parentKeyPath,
                              const std::string& subKeyName) const;

    platform::Registry& store() const { return store_; }

private:
    platform::Registry& store_;
};

// A text value's data less its terminating zero. Data that does not end in
// one (another tool may store it so) is the whole text.
std::string TextOfData(const std::string& bytes);

// Many writes under one key opened once: each as modRegistre::WriteRegValue
// of keyPath + "\\" + subKey (keyPath itself for an empty subKey) would
// write it, in the same order; the key is flushed once, when the batch ends.
class RegWriteBatch {
public:
    RegWriteBatch(const modRegistre& reg, std::uint32_t root, const std::string& keyPath);
    ~RegWriteBatch();
    RegWriteBatch(const RegWriteBatch&) = delete;
    RegWriteBatch& operator=(const RegWriteBatch&) = delete;

    long WriteRegValue(const std::string& subKey, const std::string& valueName,
                       std::int32_t valueType, const RegInput& value) const;

private:
    std::unique_ptr<platform::RegWriteBatch> batch_;
};

// Many reads of one key's subkeys, the key opened once: each answers what
// modRegistre's call of the same name would for keyPath + "\\" + subKey.
class RegReadBatch {
public:
    RegReadBatch(const modRegistre& reg, std::uint32_t root, const std::string& keyPath);
    ~RegReadBatch();
    RegReadBatch(const RegReadBatch&) = delete;
    RegReadBatch& operator=(const RegReadBatch&) = delete;

    std::string EnumRegSubKey(std::int32_t index) const;
    std::string ReadRegValue(const std::string& subKey, const std::string& valueName) const;

private:
    std::unique_ptr<platform::RegReadBatch> batch_;
};

// The leading decimal number of a text: "001" gives 1, "Not Found" gives 0.
long long LeadingNumber(const std::string& text);

} // namespace velmora
