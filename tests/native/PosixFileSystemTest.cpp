// The portable file system held to the file system contract, over a host
// folder standing for drive C; the scratch folder is C:\Work.

#include "contract/Contracts.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TempFolder.h"

namespace velmora::testing {

class PosixHarness : public FileSystemHarness {
public:
    PosixHarness() { std::filesystem::create_directories(temp_.path() / "Work"); }
    platform::FileSystem& files() override { return files_; }
    std::string scratch() const override { return "C:\\Work"; }
    void makeFolderReadOnly(const std::string& path) override {
        using std::filesystem::perms;
        std::filesystem::permissions(*files_.hostPath(path),
                                     perms::owner_write | perms::group_write | perms::others_write,
                                     std::filesystem::perm_options::remove);
    }

private:
    TempFolder temp_;
    platform::portable::PosixFileSystem files_{{{'C', temp_.path().string()}}};
};

INSTANTIATE_TEST_SUITE_P(Posix, FileSystemContract,
                         ::testing::Values(Backend<FileSystemHarness>{
                             "Posix", [] { return std::make_unique<PosixHarness>(); }}),
                         BackendName);

} // namespace velmora::testing
