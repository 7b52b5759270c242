// Which names stored in a cabinet may be joined to the extraction folder.

#include "reinstall/CabXTR.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

TEST(CabinetEntryNames, OnlyNamesThatStayInTheFolderAreSafe) {
    const struct {
        const char* name;
        bool safe;
    } cases[] = {
        {"msoe.dll", true},
        {"sub\\deeper\\data.bin", true},
        {"caf\xE9.txt", true},
        {"..a\\b..\\.c", true},
        {"a.b.c", true},
        {"", false},
        {"..", false},
        {"..\\..\\evil.txt", false},
        {"sub\\..\\..\\evil.txt", false},
        {"sub/../evil.txt", false},
        {"...\\evil.txt", false},
        {". .\\evil.txt", false},
        {"sub\\.. \\evil.txt", false},
        {".\\file.txt", false},
        {"\\evil.txt", false},
        {"/evil.txt", false},
        {"\\\\server\\share\\evil.txt", false},
        {"C:\\evil.txt", false},
        {"C:evil.txt", false},
        {"file.txt:stream", false},
        {"sub\\\\file.txt", false},
        {"sub\\", false},
        {"a?b", false},
        {"a*b", false},
        {"a\x01"
         "b",
         false},
        {"con", false},
        {"sub\\AUX.txt", false},
        {"lpt1", false},
        {"COM9.dll", false},
        {"com10", true},
        {"console", true},
    };
    for (const auto& row : cases)
        EXPECT_EQ(IsSafeEntryName(row.name), row.safe) << row.name;
}

} // namespace
} // namespace velmora::testing
