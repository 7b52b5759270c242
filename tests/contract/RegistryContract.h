#pragma once
// The registry contract: what the program's registry layer and any store
// behind it must do, byte for byte, as Windows' registry does it. Each back
// end instantiates the suite with its own RegistryBackend.

#include "core/modRegistre.h"
#include "platform/Registry.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <ostream>
#include <string>

namespace velmora::testing {

struct RegistryBackend {
    std::string name; // shown in the test names
    std::function<std::unique_ptr<platform::Registry>()> make;
    // Unique to this run, so that runs side by side on one registry do not
    // meet: each case works under <root scratch folder>\<tag>.
    std::string tag;
};

class RegistryContract : public ::testing::TestWithParam<RegistryBackend> {
protected:
    void SetUp() override;
    void TearDown() override;

    // The scratch key of this case under root; removed after the case.
    std::string scratch(std::uint32_t root) const;

    platform::Registry& store() const { return *store_; }
    const modRegistre& reg() const { return *reg_; }

    // The stored type and bytes of a value, asked with a buffer big enough
    // for any of them; fails the case when the value cannot be read.
    platform::RegData stored(std::uint32_t root, const std::string& key,
                             const std::string& value) const;
    void put(std::uint32_t root, const std::string& key, const std::string& value,
             std::uint32_t type, const std::string& bytes) const;
    // Every subkey name of key, in enumeration order.
    std::vector<std::string> subkeys(std::uint32_t root, const std::string& key) const;

private:
    void removeScratch(std::uint32_t root) const;

    std::unique_ptr<platform::Registry> store_;
    std::unique_ptr<modRegistre> reg_;
};

inline void PrintTo(const RegistryBackend& backend, std::ostream* out) {
    *out << backend.name;
}

std::string RegistryBackendName(const ::testing::TestParamInfo<RegistryBackend>& info);

} // namespace velmora::testing
