// What the kit search and the pack's run ask of the system: version
// records built by windres, Authenticode verdicts of wintrust, drives and
// folder identities.

#include "platform/win32/Win32FileVersions.h"
#include "platform/win32/Win32Trust.h"
#include "platform/win32/Win32Volumes.h"
#include "wine/KitFiles.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>

namespace velmora::testing {
namespace {

using platform::FileVersion;
using platform::TrustVerdict;

TEST(Win32FileVersions, VersionRecordsAsWindresWroteThem) {
    Win32ScratchFolder folder;
    writeAll(folder.at("truncated.exe"), readAll(kitFile("kit_setup_60.exe")).substr(0, 1024));
    writeAll(folder.at("text.exe"), "not a program at all");
    const std::pair<std::string, std::optional<FileVersion>> rows[] = {
        {kitFile("kit_setup_60.exe"), FileVersion{6, 0, 2800, 1106}},
        {kitFile("kit_setup_55.exe"), FileVersion{5, 50, 4807, 2300}},
        {kitFile("kit_setup_70.exe"), FileVersion{7, 0, 5730, 13}},
        {kitFile("kit_setup_none.exe"), std::nullopt},
        {folder.at("truncated.exe"), std::nullopt},
        {folder.at("text.exe"), std::nullopt},
        {folder.at("missing.exe"), std::nullopt},
    };
    platform::win32::Win32FileVersions versions;
    for (const auto& [path, version] : rows)
        EXPECT_EQ(versions.fileVersion(path), version) << path;
}

// Wine's wintrust checks the signature against the file's bytes but takes
// any signer's certificate, a self-made one too; Windows refuses a signer
// whose root it does not trust.
TEST(Win32Trust, UnsignedAndChangedFilesAreNeverTrusted) {
    Win32ScratchFolder folder;
    writeAll(folder.at("page.exe"), "<html><body>Not here</body></html>");
    const std::pair<std::string, TrustVerdict> rows[] = {
        {kitFile("kit_setup_none.exe"), TrustVerdict::Unsigned},
        {folder.at("page.exe"), TrustVerdict::Unsigned},
        {folder.at("missing.exe"), TrustVerdict::Rejected},
        {kitFile("signed/tampered.exe"), TrustVerdict::Rejected},
    };
    platform::win32::Win32Trust trust;
    for (const auto& [path, verdict] : rows)
        EXPECT_EQ(trust.verifyFile(path), verdict) << path;
    const bool wine = GetProcAddress(GetModuleHandleA("ntdll.dll"), "wine_get_version") != nullptr;
    EXPECT_EQ(trust.verifyFile(kitFile("signed/signed.exe")),
              wine ? TrustVerdict::Trusted : TrustVerdict::Rejected);
}

TEST(Win32Volumes, DrivesAndFolderIdentities) {
    platform::win32::Win32Volumes volumes;
    const auto roots = volumes.driveRoots(255);
    ASSERT_NE(std::find(roots.begin(), roots.end(), "C:\\"), roots.end());
    EXPECT_EQ(volumes.driveType("C:\\"), platform::DriveFixed);
    EXPECT_GT(volumes.usedSpace("C:\\").value_or(0), 0u);
    EXPECT_TRUE(volumes.driveRoots(4).empty()) << "a list that does not fit gives nothing";
    // Under Wine, Z: is the host's whole tree.
    if (std::find(roots.begin(), roots.end(), "Z:\\") != roots.end()) {
        EXPECT_TRUE(volumes.isHostRoot("Z:\\"));
    }
    EXPECT_FALSE(volumes.isHostRoot("C:\\"));
    // Drive C's root seen again on the host-tree drive: the same folder.
    if (volumes.isHostRoot("Z:\\")) {
        const std::string alias = volumes.rootOnHostDrive("C:\\");
        ASSERT_EQ(alias.rfind("Z:\\", 0), 0u) << alias;
        const auto viaC = volumes.folderIdentity("C:\\windows");
        const auto viaZ = volumes.folderIdentity(alias + "windows");
        ASSERT_TRUE(viaC && viaZ) << alias;
        EXPECT_EQ(viaC->index, viaZ->index) << alias;
        EXPECT_EQ(volumes.rootOnHostDrive("Z:\\"), "");
    }

    Win32ScratchFolder folder;
    CreateDirectoryA(folder.at("a").c_str(), nullptr);
    CreateDirectoryA(folder.at("b").c_str(), nullptr);
    const auto a = volumes.folderIdentity(folder.at("a"));
    const auto again = volumes.folderIdentity(folder.at("b\\..\\a\\"));
    const auto b = volumes.folderIdentity(folder.at("b"));
    ASSERT_TRUE(a && again && b);
    EXPECT_FALSE(*a < *again || *again < *a) << "one folder, two paths";
    EXPECT_TRUE(*a < *b || *b < *a);
    EXPECT_FALSE(a->link);
    EXPECT_FALSE(volumes.folderIdentity(folder.at("none")));
}

} // namespace
} // namespace velmora::testing
