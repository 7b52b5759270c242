#include "contract/Contracts.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace velmora::testing {

// The portable reader over a scratch folder standing for drive C.
class IniWorld : public ProfileWorld {
public:
    platform::ProfileStrings& profile() override { return profile_; }
    platform::FileSystem& files() override { return files_; }
    std::string path(const std::string& name) override { return "C:\\" + name; }

private:
    TempFolder scratch_;
    platform::portable::PosixFileSystem files_{{{'C', scratch_.path().string()}}};
    platform::portable::IniProfileStrings profile_{files_};
};

INSTANTIATE_TEST_SUITE_P(Ini, ProfileStringsContract,
                         ::testing::Values(Backend<ProfileWorld>{
                             "Ini", [] { return std::make_unique<IniWorld>(); }}),
                         BackendName);

} // namespace velmora::testing
