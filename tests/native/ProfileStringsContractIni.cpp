#include "contract/ProfileStringsContract.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TestProgram.h"

namespace velmora::testing {

namespace {

// The portable reader over a scratch folder standing for drive C.
class IniWorld : public ProfileWorld {
public:
    platform::ProfileStrings& profile() override { return profile_; }
    std::string path(const std::string& name) override { return "C:\\" + name; }
    bool write(const std::string& name, const std::string& bytes) override {
        return files_.writeFile(path(name), bytes);
    }
    std::optional<std::string> read(const std::string& name) override {
        return files_.readFile(path(name));
    }

private:
    ScratchFolder scratch_;
    platform::portable::PosixFileSystem files_{{{'C', scratch_.path().string()}}};
    platform::portable::IniProfileStrings profile_{files_};
};

} // namespace

INSTANTIATE_TEST_SUITE_P(Ini, ProfileStringsContract,
                         ::testing::Values(ProfileBackend{
                             "Ini", [] { return std::make_unique<IniWorld>(); }}),
                         ProfileBackendName);

} // namespace velmora::testing
