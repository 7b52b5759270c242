#include "platform/win32/Win32Registry.h"

#include <windows.h>
#include <shlwapi.h>

#include <algorithm>
#include <cstring>
#include <vector>

namespace velmora::platform::win32 {

namespace {

// The predefined roots are handle values sign-extended from 32 bits.
HKEY rootHandle(std::uint32_t root) {
    return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(static_cast<LONG>(root)));
}

DWORD dwordSize(std::size_t size) {
    return static_cast<DWORD>(std::min<std::size_t>(size, MAXDWORD));
}

// A key opened (with full access unless told) for the length of one call.
class OpenKey {
public:
    OpenKey(std::uint32_t root, const std::string& path, REGSAM access = KEY_ALL_ACCESS)
        : OpenKey(rootHandle(root), path, access) {}
    OpenKey(HKEY parent, const std::string& path, REGSAM access = KEY_ALL_ACCESS)
        : status_(RegOpenKeyExA(parent, path.c_str(), 0, access, &key_)) {}
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    ~OpenKey() {
        if (status_ == ERROR_SUCCESS) {
            RegCloseKey(key_);
        }
    }
    LONG status() const { return status_; }
    HKEY get() const { return key_; }

private:
    HKEY key_ = nullptr;
    LONG status_;
};

bool isStringType(DWORD type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

LONG createKey(HKEY parent, const std::string& path, HKEY& key) {
    DWORD disposition = 0;
    return RegCreateKeyExA(parent, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                           KEY_ALL_ACCESS, nullptr, &key, &disposition);
}

LONG setOn(HKEY key, const std::string& value, std::uint32_t type, const std::string& bytes) {
    // For a string type whose counted bytes do not end in a zero, the set
    // call looks at the byte after them and counts it too when it is a zero.
    // A non-zero guard byte there keeps the stored length exactly as given.
    std::string data = bytes;
    data.push_back(isStringType(type) ? '\x01' : '\0');
    return RegSetValueExA(key, value.c_str(), 0, type, reinterpret_cast<const BYTE*>(data.data()),
                          dwordSize(bytes.size()));
}

// The batch's key stays open, and so does the subkey last written (the
// values of one subkey come together), until the batch ends.
class KeyBatch final : public RegWriteBatch {
public:
    KeyBatch(std::uint32_t root, const std::string& key)
        : status_(createKey(rootHandle(root), key, key_)) {}
    KeyBatch(const KeyBatch&) = delete;
    KeyBatch& operator=(const KeyBatch&) = delete;
    ~KeyBatch() override {
        closeSubKey();
        if (status_ == ERROR_SUCCESS) {
            // RegFlushKey writes the whole hive, the subkeys' values included.
            RegFlushKey(key_);
            RegCloseKey(key_);
        }
    }
    long set(const std::string& subKey, const std::string& value, std::uint32_t type,
             const std::string& bytes) override {
        if (status_ != ERROR_SUCCESS) {
            return status_;
        }
        if (subKey.empty()) {
            return setOn(key_, value, type, bytes);
        }
        if (!sub_ || subKey != subName_) {
            closeSubKey();
            const LONG status = createKey(key_, subKey, sub_);
            if (status != ERROR_SUCCESS) {
                sub_ = nullptr;
                return status;
            }
            subName_ = subKey;
        }
        return setOn(sub_, value, type, bytes);
    }

private:
    void closeSubKey() {
        if (sub_) {
            RegCloseKey(sub_);
            sub_ = nullptr;
        }
    }
    HKEY key_ = nullptr;
    LONG status_;
    HKEY sub_ = nullptr;
    std::string subName_;
};

LONG queryOn(const OpenKey& opened, const std::string& value, std::size_t bufferSize,
             RegData& out) {
    if (opened.status() != ERROR_SUCCESS) {
        return opened.status();
    }
    // One spare byte so that even an empty buffer is a real one: with no
    // buffer at all the call would only measure the data.
    const DWORD capacity = dwordSize(bufferSize);
    std::vector<BYTE> buffer(static_cast<std::size_t>(capacity) + 1, 0);
    DWORD type = REG_NONE;
    DWORD size = capacity;
    const LONG status =
        RegQueryValueExA(opened.get(), value.c_str(), nullptr, &type, buffer.data(), &size);
    if (status == ERROR_SUCCESS) {
        out.type = type;
        out.bytes.assign(reinterpret_cast<const char*>(buffer.data()), std::min(size, capacity));
    }
    return status;
}

LONG enumOn(const OpenKey& opened, std::uint32_t index, std::size_t bufferSize, std::string& name) {
    if (opened.status() != ERROR_SUCCESS) {
        return opened.status();
    }
    const DWORD capacity = dwordSize(bufferSize);
    std::vector<char> buffer(static_cast<std::size_t>(capacity) + 1, '\0');
    const LONG status = RegEnumKeyA(opened.get(), index, buffer.data(), capacity);
    if (status == ERROR_SUCCESS) {
        name.assign(buffer.data(), strnlen(buffer.data(), capacity));
    }
    return status;
}

// The batch's key stays open; each subkey opens from it, not from the root.
class KeyReads final : public RegReadBatch {
public:
    KeyReads(std::uint32_t root, const std::string& key) : key_(root, key) {}
    long enumSubKey(std::uint32_t index, std::size_t bufferSize, std::string& name) override {
        return enumOn(key_, index, bufferSize, name);
    }
    long queryValue(const std::string& subKey, const std::string& value, std::size_t bufferSize,
                    RegData& out) override {
        if (key_.status() != ERROR_SUCCESS) {
            return key_.status();
        }
        return queryOn(OpenKey(key_.get(), subKey), value, bufferSize, out);
    }

private:
    OpenKey key_;
};

} // namespace

long Win32Registry::queryValue(std::uint32_t root, const std::string& key, const std::string& value,
                               std::size_t bufferSize, RegData& out, std::uint32_t access) {
    const OpenKey opened(root, key, access);
    return queryOn(opened, value, bufferSize, out);
}

long Win32Registry::setValue(std::uint32_t root, const std::string& key, const std::string& value,
                             std::uint32_t type, const std::string& bytes) {
    HKEY handle = nullptr;
    LONG status = createKey(rootHandle(root), key, handle);
    if (status != ERROR_SUCCESS) {
        return status;
    }
    status = setOn(handle, value, type, bytes);
    RegFlushKey(handle);
    RegCloseKey(handle);
    return status;
}

long Win32Registry::enumSubKey(std::uint32_t root, const std::string& key, std::uint32_t index,
                               std::size_t bufferSize, std::string& name) {
    const OpenKey opened(root, key);
    return enumOn(opened, index, bufferSize, name);
}

long Win32Registry::deleteValue(std::uint32_t root, const std::string& key,
                                const std::string& value) {
    const OpenKey opened(root, key);
    if (opened.status() != ERROR_SUCCESS) {
        return opened.status();
    }
    return RegDeleteValueA(opened.get(), value.c_str());
}

long Win32Registry::deleteTree(std::uint32_t root, const std::string& parent,
                               const std::string& subKey) {
    // An empty name would have the parent's own subkeys deleted.
    if (subKey.empty()) {
        return ERROR_INVALID_PARAMETER;
    }
    const OpenKey opened(root, parent);
    if (opened.status() != ERROR_SUCCESS) {
        return opened.status();
    }
    return static_cast<long>(SHDeleteKeyA(opened.get(), subKey.c_str()));
}

std::unique_ptr<RegWriteBatch> Win32Registry::beginWrites(std::uint32_t root,
                                                          const std::string& key) {
    return std::make_unique<KeyBatch>(root, key);
}

std::unique_ptr<RegReadBatch> Win32Registry::beginReads(std::uint32_t root,
                                                        const std::string& key) {
    return std::make_unique<KeyReads>(root, key);
}

} // namespace velmora::platform::win32
