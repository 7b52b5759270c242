#pragma once
// A fresh folder under the system's temporary folder for one test, removed
// with everything in it (read-only or not) when the test is done.

#include <filesystem>

namespace velmora::testing {

class TempFolder {
public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

} // namespace velmora::testing
