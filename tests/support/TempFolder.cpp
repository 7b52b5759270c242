#include "support/TempFolder.h"

#include <chrono>
#include <string>
#include <system_error>

namespace velmora::testing {

namespace fs = std::filesystem;

TempFolder::TempFolder() {
    static unsigned counter = 0;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    std::error_code ec;
    for (;;) {
        path_ = fs::temp_directory_path(ec) /
                ("velmora-test-" + std::to_string(stamp) + "-" + std::to_string(++counter));
        if (fs::create_directory(path_, ec) || ec)
            break;
    }
}

TempFolder::~TempFolder() {
    // Give everything its write permission back first, so that removing it
    // works for any user on any system.
    std::error_code ec;
    std::error_code ignored;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ignored);
    for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
    fs::remove_all(path_, ignored);
}

} // namespace velmora::testing
