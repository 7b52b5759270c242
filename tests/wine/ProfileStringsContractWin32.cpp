#include "contract/ProfileStringsContract.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "wine/WineFolders.h"

namespace velmora::testing {

namespace {

// A scratch folder of the real file system, read through `Reader`: the
// system's own functions, or the portable reader over the real files.
template <typename Reader> class Win32World : public ProfileWorld {
public:
    platform::ProfileStrings& profile() override { return profile_; }
    std::string path(const std::string& name) override { return scratch_.at(name); }
    bool write(const std::string& name, const std::string& bytes) override {
        return files_.writeFile(path(name), bytes);
    }
    std::optional<std::string> read(const std::string& name) override {
        return files_.readFile(path(name));
    }

private:
    Win32ScratchFolder scratch_;
    platform::win32::Win32FileSystem files_;
    Reader profile_ = make();

    Reader make() {
        if constexpr (std::is_same_v<Reader, platform::portable::IniProfileStrings>)
            return Reader(files_);
        else
            return Reader();
    }
};

} // namespace

// The same cases on the same kind of files: the portable reader is held to
// what the system's reader does.
INSTANTIATE_TEST_SUITE_P(
    Backends, ProfileStringsContract,
    ::testing::Values(
        ProfileBackend{
            "Win32",
            [] { return std::make_unique<Win32World<platform::win32::Win32ProfileStrings>>(); }},
        ProfileBackend{
            "Ini",
            [] { return std::make_unique<Win32World<platform::portable::IniProfileStrings>>(); }}),
    ProfileBackendName);

} // namespace velmora::testing
