#include "contract/Contracts.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "wine/WineFolders.h"

namespace velmora::testing {

// A scratch folder of the real file system, read by the system's own
// functions or by the portable reader: the same cases on the same files.
template <typename Reader> class Win32World : public ProfileWorld {
public:
    platform::ProfileStrings& profile() override { return profile_; }
    platform::FileSystem& files() override { return files_; }
    std::string path(const std::string& name) override { return scratch_.at(name); }

private:
    Win32ScratchFolder scratch_;
    platform::win32::Win32FileSystem files_;
    Reader profile_ = [this] {
        if constexpr (std::is_constructible_v<Reader, platform::FileSystem&>)
            return Reader(files_);
        else
            return Reader();
    }();
};

INSTANTIATE_TEST_SUITE_P(
    Backends, ProfileStringsContract,
    ::testing::Values(
        Backend<ProfileWorld>{
            "Win32",
            [] { return std::make_unique<Win32World<platform::win32::Win32ProfileStrings>>(); }},
        Backend<ProfileWorld>{
            "Ini",
            [] { return std::make_unique<Win32World<platform::portable::IniProfileStrings>>(); }}),
    BackendName);

} // namespace velmora::testing
