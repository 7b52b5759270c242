#pragma once
// What every FileSystem back-end must do as Windows (as Wine implements it)
// does. Each back-end's test file instantiates the suite with a factory:
//
//   INSTANTIATE_TEST_SUITE_P(Posix, FileSystemContract,
//                            ::testing::Values(NamedFileSystemFactory{"Posix", make}),
//                            FileSystemContractName);

#include "platform/FileSystem.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace velmora::testing {

// One back-end over a fresh, empty scratch folder; destroying it removes the
// folder with everything in it.
class FileSystemHarness {
public:
    virtual ~FileSystemHarness() = default;
    virtual platform::FileSystem& files() = 0;
    // Windows path of the scratch folder, without trailing backslash.
    virtual std::string scratch() const = 0;
    // Takes the write permission away from an existing folder, as the
    // system stores it (an ordinary folder cannot be given the read-only
    // attribute through the FileSystem itself).
    virtual void makeFolderReadOnly(const std::string& path) = 0;
};

struct NamedFileSystemFactory {
    std::string name;
    std::function<std::unique_ptr<FileSystemHarness>()> make;
};

std::string FileSystemContractName(const ::testing::TestParamInfo<NamedFileSystemFactory>& info);

class FileSystemContract : public ::testing::TestWithParam<NamedFileSystemFactory> {
protected:
    void SetUp() override;
    void TearDown() override;

    platform::FileSystem& files() { return harness_->files(); }
    // scratch + "\" + name
    std::string at(const std::string& name) const;
    // The attributes and the bytes of scratch\name, when there is such a file.
    std::optional<std::uint32_t> attr(const std::string& name);
    std::optional<std::string> text(const std::string& name);
    // Writes bytes and fails the test when that does not work.
    void put(const std::string& name, const std::string& bytes);

    std::unique_ptr<FileSystemHarness> harness_;
};

} // namespace velmora::testing
