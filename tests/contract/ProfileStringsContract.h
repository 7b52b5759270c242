#pragma once
// The profile-string contract: what any reader and writer of the program's
// INI files must answer, as Windows' GetPrivateProfileStringA does. Each
// back end instantiates the suite with its own ProfileBackend; under Wine the
// real functions and the portable reader run it on the same files.

#include "platform/ProfileStrings.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

namespace velmora::testing {

// A reader with a folder of its own to put files in.
class ProfileWorld {
public:
    virtual ~ProfileWorld() = default;
    virtual platform::ProfileStrings& profile() = 0;
    // The path, as the program passes it, of a file named `name` in the folder.
    virtual std::string path(const std::string& name) = 0;
    // Writes the bytes as the whole file; false when it could not.
    virtual bool write(const std::string& name, const std::string& bytes) = 0;
    virtual std::optional<std::string> read(const std::string& name) = 0;
};

struct ProfileBackend {
    std::string name; // shown in the test names
    std::function<std::unique_ptr<ProfileWorld>()> make;
};

class ProfileStringsContract : public ::testing::TestWithParam<ProfileBackend> {
protected:
    void SetUp() override { world_ = GetParam().make(); }

    // Writes a file of its own for this case and answers its path.
    std::string file(const std::string& bytes);
    // The value as the program's lookup asks for it: 255-character buffer.
    std::string get(const std::string& file, const std::string& section, const std::string& key,
                    const std::string& defaultValue = "");

    ProfileWorld& world() const { return *world_; }

private:
    std::unique_ptr<ProfileWorld> world_;
    int files_ = 0;
};

inline void PrintTo(const ProfileBackend& backend, std::ostream* out) {
    *out << backend.name;
}

std::string ProfileBackendName(const ::testing::TestParamInfo<ProfileBackend>& info);

} // namespace velmora::testing
