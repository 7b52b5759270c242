// Which names stored in a cabinet may be joined to the extraction folder.

#include "reinstall/CabXTR.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

TEST(CabinetEntryNames, OnlyNamesThatStayInTheFolderAreSafe) {
    for (const char* name : {"msoe.dll", "sub\\deeper\\data.bin", "caf\xE9.txt", "..a\\b..\\.c",
                             "a.b.c", "com10", "console"})
        EXPECT_TRUE(IsSafeEntryName(name)) << name;
    // Steps out of the folder or onto itself, whatever the dots and blanks.
    for (const char* name :
         {"", "..", "..\\..\\evil.txt", "sub\\..\\..\\evil.txt", "sub/../evil.txt", "...\\evil.txt",
          ". .\\evil.txt", "sub\\.. \\evil.txt", ".\\file.txt"})
        EXPECT_FALSE(IsSafeEntryName(name)) << name;
    // Rooted, on a drive or a share, a stream, an empty part.
    for (const char* name :
         {"\\evil.txt", "/evil.txt", "\\\\server\\share\\evil.txt", "C:\\evil.txt", "C:evil.txt",
          "file.txt:stream", "sub\\\\file.txt", "sub\\"})
        EXPECT_FALSE(IsSafeEntryName(name)) << name;
    // Wildcards, control characters and device names.
    for (const char* name : {"a?b", "a*b", "a\x01z", "con", "sub\\AUX.txt", "lpt1", "COM9.dll"})
        EXPECT_FALSE(IsSafeEntryName(name)) << name;
}

} // namespace
} // namespace velmora::testing
