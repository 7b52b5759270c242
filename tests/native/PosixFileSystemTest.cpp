// The portable file system: the shared contract over a host folder standing
// for drive C, and what is its own (the drive mapping, names of other cases
// on the host, read-only files, the environment it expands).

#include "contract/FileSystemContract.h"
#include "platform/portable/PosixFileSystem.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using platform::AttrArchive;
using platform::AttrHidden;
using platform::AttrReadOnly;
using platform::portable::PosixFileSystem;

std::string utf8(const fs::path& path) {
    const auto text = path.u8string();
    return std::string(text.begin(), text.end());
}

// Drive C is <temp>/c, drive D is <temp>/d; the scratch folder is C:\Work.
class PosixDrives {
public:
    PosixDrives() : files({{'C', utf8(temp.path() / "c")}, {'d', utf8(temp.path() / "d")}}) {
        fs::create_directories(temp.path() / "c" / "Work");
        fs::create_directories(temp.path() / "d");
    }
    fs::path host(const std::string& relative) const { return temp.path() / relative; }
    std::string contents(const std::string& relative) const {
        std::ifstream in(host(relative), std::ios::binary);
        std::ostringstream out;
        out << in.rdbuf();
        return out.str();
    }

    TempFolder temp;
    PosixFileSystem files;
};

class PosixHarness : public FileSystemHarness {
public:
    platform::FileSystem& files() override { return drives_.files; }
    std::string scratch() const override { return "C:\\Work"; }
    void makeFolderReadOnly(const std::string& path) override {
        fs::permissions(*drives_.files.hostPath(path),
                        fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                        fs::perm_options::remove);
    }

private:
    PosixDrives drives_;
};

INSTANTIATE_TEST_SUITE_P(Posix, FileSystemContract,
                         ::testing::Values(NamedFileSystemFactory{
                             "Posix", [] { return std::make_unique<PosixHarness>(); }}),
                         FileSystemContractName);

TEST(PosixFileSystem, DriveLettersMapToHostFolders) {
    PosixDrives d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\a.txt", "on c"));
    ASSERT_TRUE(d.files.writeFile("d:/b.txt", "on d"));
    EXPECT_EQ(d.contents("c/Work/a.txt"), "on c");
    EXPECT_EQ(d.contents("d/b.txt"), "on d");
    EXPECT_EQ(d.files.hostPath("c:\\work\\A.TXT"), d.host("c/Work/a.txt"));
    EXPECT_EQ(d.files.readFile("C:/Work\\a.txt"), std::optional<std::string>("on c"));

    // Drives without a folder, relative and malformed paths lead nowhere.
    EXPECT_EQ(d.files.attributes("E:\\"), std::nullopt);
    EXPECT_FALSE(d.files.writeFile("E:\\x.txt", "x"));
    EXPECT_EQ(d.files.attributes("Work\\a.txt"), std::nullopt);
    EXPECT_EQ(d.files.attributes(""), std::nullopt);
    EXPECT_EQ(d.files.hostPath("C:\\Work\\a|b"), std::nullopt);
    // ".." never climbs above the drive's folder.
    EXPECT_EQ(d.files.hostPath("C:\\..\\..\\Work"), d.host("c/Work"));
    // Trailing dots and blanks are not part of a name.
    EXPECT_EQ(d.files.readFile("C:\\Work\\a.txt. "), std::optional<std::string>("on c"));
}

TEST(PosixFileSystem, ReadOnlyFilesStayUnchangedEvenForRoot) {
    PosixDrives d;
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\r.txt", "kept"));
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\other.txt", "other"));
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\r.txt", AttrReadOnly));
    EXPECT_FALSE(d.files.writeFile("C:\\Work\\r.txt", "new"));
    EXPECT_FALSE(d.files.copyFile("C:\\Work\\other.txt", "C:\\Work\\r.txt", true));
    EXPECT_EQ(d.contents("c/Work/r.txt"), "kept");
    // Moving is allowed, as on Windows.
    EXPECT_TRUE(d.files.moveFile("C:\\Work\\r.txt", "C:\\Work\\moved.txt"));
    EXPECT_EQ(d.files.attributes("C:\\Work\\moved.txt"),
              std::optional<std::uint32_t>(AttrArchive | AttrReadOnly));
}

TEST(PosixFileSystem, StoredAttributesFollowTheirFiles) {
    PosixDrives d;
    ASSERT_TRUE(d.files.createFolder("C:\\Work\\Box"));
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\Box\\h.txt", "h"));
    ASSERT_TRUE(d.files.setAttributes("C:\\Work\\BOX\\H.TXT", AttrHidden));
    ASSERT_TRUE(d.files.moveFile("C:\\Work\\Box", "C:\\Work\\Crate"));
    EXPECT_EQ(d.files.attributes("C:\\Work\\Crate\\h.txt"),
              std::optional<std::uint32_t>(AttrArchive | AttrHidden));

    // A file made anew where a hidden one was deleted is not hidden.
    ASSERT_TRUE(d.files.deleteFile("C:\\Work\\Crate\\h.txt"));
    ASSERT_TRUE(d.files.writeFile("C:\\Work\\Crate\\h.txt", "new"));
    EXPECT_EQ(d.files.attributes("C:\\Work\\Crate\\h.txt"),
              std::optional<std::uint32_t>(AttrArchive));

    // Renaming to another case keeps the file and takes the new name.
    ASSERT_TRUE(d.files.moveFile("C:\\Work\\Crate\\h.txt", "C:\\Work\\Crate\\H.TXT"));
    EXPECT_TRUE(fs::exists(d.host("c/Work/Crate/H.TXT")));
    EXPECT_FALSE(fs::exists(d.host("c/Work/Crate/h.txt")));
}

TEST(PosixFileSystem, ExpandsEnvironmentAsWindowsDoes) {
    PosixDrives d;
    auto& f = d.files;
    EXPECT_EQ(f.expandEnvironment("%SystemRoot%\\system32"), "C:\\WINDOWS\\system32");
    EXPECT_EQ(f.expandEnvironment("%systemroot%"), "C:\\WINDOWS");
    EXPECT_EQ(f.expandEnvironment("no reference"), "no reference");
    EXPECT_EQ(f.expandEnvironment("%NOPE%\\x"), "%NOPE%\\x");
    // An unknown name's closing % does not open the next reference.
    EXPECT_EQ(f.expandEnvironment("%NOPE%SystemDrive%"), "%NOPE%SystemDrive%");
    EXPECT_EQ(f.expandEnvironment("%NOPE%%SystemDrive%"), "%NOPE%C:");
    EXPECT_EQ(f.expandEnvironment("100%"), "100%");
    EXPECT_EQ(f.expandEnvironment("%%"), "%%");
    EXPECT_EQ(f.expandEnvironment("%SystemDrive%%"), "C:%");
    EXPECT_EQ(f.expandEnvironment(""), "");

    f.setEnvironment("Empty", "");
    EXPECT_EQ(f.expandEnvironment("[%EMPTY%]"), "[]");
    f.unsetEnvironment("empty");
    EXPECT_EQ(f.expandEnvironment("[%EMPTY%]"), "[%EMPTY%]");
}

} // namespace
} // namespace velmora::testing
