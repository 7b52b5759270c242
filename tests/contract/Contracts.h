#pragma once
// The contract suites: what each back-end of the registry, the profile
// strings and the file system must do, byte for byte, as Windows (as Wine
// implements it) does. Each back-end instantiates a suite with a Backend
// that makes it; under Wine the real back-end and the stand-in run together.

#include "core/modRegistre.h"
#include "platform/FileSystem.h"
#include "platform/ProfileStrings.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <tuple>
#include <vector>

namespace velmora::testing {

template <typename T> struct Backend {
    std::string name; // shown in the test names
    std::function<std::unique_ptr<T>()> make;
};
template <typename T> void PrintTo(const Backend<T>& backend, std::ostream* out) {
    *out << backend.name;
}
inline constexpr auto BackendName = [](const auto& info) { return info.param.name; };

// The store, and a tag unique to this run so that runs side by side on one
// registry do not meet: each case works under <root>\...\VelmoraContract\<tag>.
struct RegistryWorld {
    std::unique_ptr<platform::Registry> store;
    std::string tag;
};

class RegistryContract : public ::testing::TestWithParam<Backend<RegistryWorld>> {
protected:
    void SetUp() override;
    void TearDown() override;
    std::string scratch(std::uint32_t root) const; // removed after the case
    // Type and bytes of a value, read with a buffer big enough for any.
    std::pair<std::uint32_t, std::string> stored(const std::string& key,
                                                 const std::string& value) const;
    void put(const std::string& key, const std::string& value, std::uint32_t type,
             const std::string& bytes) const;
    std::string subkeys(const std::string& key) const; // "a|b|c" in enumeration order
    // The program's reads and writes under HKCU\<scratch key><sub>.
    std::string read(const std::string& sub, const std::string& value) const {
        return reg_->ReadRegValue(platform::HKCU, key + sub, value);
    }
    long write(const std::string& sub, const std::string& value, std::int32_t type,
               const RegInput& input) const {
        return reg_->WriteRegValue(platform::HKCU, key + sub, value, type, input);
    }

    std::unique_ptr<RegistryWorld> world_;
    std::unique_ptr<modRegistre> reg_;
    std::string key; // the scratch key under HKCU
};

// A profile-string reader with a folder of its own to put files in.
class ProfileWorld {
public:
    virtual ~ProfileWorld() = default;
    virtual platform::ProfileStrings& profile() = 0;
    virtual platform::FileSystem& files() = 0;
    // The path, as the program passes it, of a file named `name` in the folder.
    virtual std::string path(const std::string& name) = 0;
};

class ProfileStringsContract : public ::testing::TestWithParam<Backend<ProfileWorld>> {
public:
    using Lookup = std::tuple<std::string, std::string, std::string>; // section, key, value

protected:
    void SetUp() override { world_ = GetParam().make(); }
    // Writes a file of its own for this case and answers its path.
    std::string file(const std::string& bytes);
    // The rows (section, key, value) with each value as the program reads it
    // from path: 255-byte buffer, "default" when missing.
    std::vector<Lookup> read(const std::string& path, std::vector<Lookup> rows);

    std::unique_ptr<ProfileWorld> world_;
    int files_ = 0;
};

// A file system over a fresh, empty scratch folder; destroying it removes the
// folder with everything in it.
class FileSystemHarness {
public:
    virtual ~FileSystemHarness() = default;
    virtual platform::FileSystem& files() = 0;
    virtual std::string scratch() const = 0; // Windows path, no trailing backslash
    // Takes the write permission away from a folder as the system stores it
    // (the FileSystem itself cannot make an ordinary folder read-only).
    virtual void makeFolderReadOnly(const std::string& path) = 0;
};

class FileSystemContract : public ::testing::TestWithParam<Backend<FileSystemHarness>> {
protected:
    void SetUp() override;

    platform::FileSystem& files() { return harness_->files(); }
    std::string at(const std::string& name) const { return harness_->scratch() + "\\" + name; }
    std::optional<std::uint32_t> attr(const std::string& name) {
        return files().attributes(at(name));
    }
    std::optional<std::string> text(const std::string& name) { return files().readFile(at(name)); }
    void put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(files().writeFile(at(name), bytes)) << name;
    }
    // "-" when scratch\name is missing, else its attributes as letters (RHSDAN)
    // and, for a file, ":" and its bytes.
    std::string show(const std::string& name);
    // "name attributes size" of each entry of the folder at path, in listing order.
    std::vector<std::string> list(const std::string& path);

    std::unique_ptr<FileSystemHarness> harness_;
};

} // namespace velmora::testing
