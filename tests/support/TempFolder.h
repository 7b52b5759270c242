#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it (read-only or not) when the test is done.

#include <chrono>
#include <filesystem>
#include <string>

namespace velmora::testing {

class TempFolder {
public:
    TempFolder() {
        static unsigned counter = 0;
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        std::error_code ec;
        do
            path_ = std::filesystem::temp_directory_path(ec) /
                    ("velmora-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        while (!std::filesystem::create_directory(path_, ec) && !ec);
    }
    ~TempFolder() {
        // Write permission back first, so that removing works for any user.
        namespace fs = std::filesystem;
        std::error_code ec, ignored;
        fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
        for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end;
             it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        fs::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace velmora::testing
