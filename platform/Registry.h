#pragma once
// The registry store. Each call opens what it needs, does one thing and
// closes it again, as the Win32 registry API is used by the program; a batch
// of writes keeps one key open for many values.

#include <cstdint>
#include <memory>
#include <string>
#include <utility>

namespace velmora::platform {

// Predefined roots by their 32-bit handle values.
enum RegRoot : std::uint32_t {
    HKCR = 0x80000000u,
    HKCU = 0x80000001u,
    HKLM = 0x80000002u,
};

// Access rights of a key open.
enum RegAccess : std::uint32_t {
    RegAllAccess = 0xF003F,    // KEY_ALL_ACCESS
    RegReadAndWrite = 0x2003F, // the same without DELETE, WRITE_DAC and WRITE_OWNER
};

// Value type codes.
enum RegType : std::uint32_t {
    RegNone = 0,
    RegSz = 1,
    RegExpandSz = 2,
    RegBinary = 3,
    RegDword = 4,
    RegMultiSz = 7,
};

// Win32 status codes the stores answer with.
enum RegStatus : long {
    RegOk = 0,
    RegFileNotFound = 2,
    RegAccessDenied = 5,
    RegInvalidParameter = 87,
    RegMoreData = 234,
    RegNoMoreItems = 259,
};

// Values set under one key opened once (see Registry::beginWrites).
class RegWriteBatch {
public:
    virtual ~RegWriteBatch() = default;
    // As setValue of the batch's key + "\\" + subKey (the key itself for an
    // empty subKey), without its flush: the batch flushes once at its end.
    virtual long set(const std::string& subKey, const std::string& value, std::uint32_t type,
                     const std::string& bytes) = 0;
};

struct RegData {
    std::uint32_t type = RegNone;
    std::string bytes; // the value's data as stored, byte for byte
};

// Reads under one key opened once (see Registry::beginReads).
class RegReadBatch {
public:
    virtual ~RegReadBatch() = default;
    // As enumSubKey of the batch's key.
    virtual long enumSubKey(std::uint32_t index, std::size_t bufferSize, std::string& name) = 0;
    // As queryValue of the batch's key + "\\" + subKey, with full access.
    virtual long queryValue(const std::string& subKey, const std::string& value,
                            std::size_t bufferSize, RegData& out) = 0;
};

class Registry {
public:
    virtual ~Registry() = default;

    // Opens key with the access rights given (full access unless told) and
    // queries value into a buffer of bufferSize bytes. RegMoreData when the
    // data does not fit.
    virtual long queryValue(std::uint32_t root, const std::string& key, const std::string& value,
                            std::size_t bufferSize, RegData& out,
                            std::uint32_t access = RegAllAccess) = 0;

    // Creates (or opens) every key along the path, sets the value, flushes
    // the key and closes it. Answers the status of the set.
    virtual long setValue(std::uint32_t root, const std::string& key, const std::string& value,
                          std::uint32_t type, const std::string& bytes) = 0;

    // Name of subkey number index, read into a buffer of bufferSize bytes.
    virtual long enumSubKey(std::uint32_t root, const std::string& key, std::uint32_t index,
                            std::size_t bufferSize, std::string& name) = 0;

    virtual long deleteValue(std::uint32_t root, const std::string& key,
                             const std::string& value) = 0;

    // Deletes parent\subKey with everything below it; the parent stays.
    virtual long deleteTree(std::uint32_t root, const std::string& parent,
                            const std::string& subKey) = 0;

    // A batch of writes under key, which ends (flushed and closed) when the
    // batch is destroyed. The values written, their order and bytes are those
    // of the same setValue calls; this one makes exactly those calls.
    virtual std::unique_ptr<RegWriteBatch> beginWrites(std::uint32_t root, const std::string& key);

    // Reads of key's subkeys and their values while the batch lives,
    // answering what the same enumSubKey and queryValue calls would.
    virtual std::unique_ptr<RegReadBatch> beginReads(std::uint32_t root, const std::string& key);
};

namespace detail {
// The batch of a store without one of its own (the in-memory tree, a store
// recording each write): one setValue a value.
class ValueByValueBatch final : public RegWriteBatch {
public:
    ValueByValueBatch(Registry& store, std::uint32_t root, std::string key)
        : store_(store), root_(root), key_(std::move(key)) {}
    long set(const std::string& subKey, const std::string& value, std::uint32_t type,
             const std::string& bytes) override {
        return store_.setValue(root_, subKey.empty() ? key_ : key_ + "\\" + subKey, value, type,
                               bytes);
    }

private:
    Registry& store_;
    std::uint32_t root_;
    std::string key_;
};

// The reads of a store without a batch of its own: one call each.
class CallByCallReads final : public RegReadBatch {
public:
    CallByCallReads(Registry& store, std::uint32_t root, std::string key)
        : store_(store), root_(root), key_(std::move(key)) {}
    long enumSubKey(std::uint32_t index, std::size_t bufferSize, std::string& name) override {
        return store_.enumSubKey(root_, key_, index, bufferSize, name);
    }
    long queryValue(const std::string& subKey, const std::string& value, std::size_t bufferSize,
                    RegData& out) override {
        return store_.queryValue(root_, key_ + "\\" + subKey, value, bufferSize, out);
    }

private:
    Registry& store_;
    std::uint32_t root_;
    std::string key_;
};
} // namespace detail

inline std::unique_ptr<RegWriteBatch> Registry::beginWrites(std::uint32_t root,
                                                            const std::string& key) {
    return std::make_unique<detail::ValueByValueBatch>(*this, root, key);
}

inline std::unique_ptr<RegReadBatch> Registry::beginReads(std::uint32_t root,
                                                          const std::string& key) {
    return std::make_unique<detail::CallByCallReads>(*this, root, key);
}

} // namespace velmora::platform
