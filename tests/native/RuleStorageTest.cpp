// The shared operations on the mail client's rule storage: subkey names,
// Order lists, word lists, long Order values, and the entries of a
// blocked-senders text file.

#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PosixFileSystem.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <set>

namespace velmora::testing {
namespace {

using Words = std::vector<std::string>;

TEST(SubkeyNames, ThreeUpperCaseHexDigitsBothWays) {
    EXPECT_EQ(FormatSubkeyName(0), "000");
    EXPECT_EQ(FormatSubkeyName(10), "00A");
    EXPECT_EQ(FormatSubkeyName(255), "0FF");
    EXPECT_EQ(FormatSubkeyName(4095), "FFF");
    for (int n : {0, 10, 255, 2748, 4095})
        EXPECT_EQ(ParseSubkeyName(FormatSubkeyName(n)), n);
    EXPECT_EQ(ParseSubkeyName("00a"), 10); // registry names ignore case
    for (const char* outside : {"1000", "0A", "", "00G", "Rul", " 00"})
        EXPECT_EQ(ParseSubkeyName(outside), -1) << outside;
}

TEST(OrderLists, CountFirstFreeAndRemove) {
    EXPECT_EQ(CountOrderEntries("000 001 002"), 3);
    EXPECT_EQ(CountOrderEntries(""), 0);
    EXPECT_EQ(CountOrderEntries("000"), 1);

    EXPECT_EQ(FirstFreeSubkeyName("000 002"), "001");
    EXPECT_EQ(FirstFreeSubkeyName("000 001"), "002");
    EXPECT_EQ(FirstFreeSubkeyName("00A"), "000");
    EXPECT_EQ(FirstFreeSubkeyName(""), "000");
    EXPECT_EQ(FirstFreeSubkeyName("00a 000"), "001"); // letters without case
    // Every name of the scheme taken: no name past FFF.
    std::string full;
    for (int i = 0; i < 4096; ++i)
        full += (i ? " " : "") + FormatSubkeyName(i);
    EXPECT_EQ(FirstFreeSubkeyName(full), "");
    full.replace(full.find("7FF"), 3, "XYZ");
    EXPECT_EQ(FirstFreeSubkeyName(full), "7FF");

    EXPECT_EQ(RemoveFromOrder("001 000 002", "000"), "001 002");
    EXPECT_EQ(RemoveFromOrder("000", "000"), "");
    EXPECT_EQ(RemoveFromOrder("000 001 002", "000"), "001 002");
    EXPECT_EQ(RemoveFromOrder("000 001 002", "002"), "000 001");
    EXPECT_EQ(RemoveFromOrder("000 001", "003"), "000 001");
    // One pass over the doubled spaces, as the client's own lists never hold
    // more than one between two names.
    EXPECT_EQ(RemoveFromOrder("001 000  002", "000"), "001  002");

    EXPECT_EQ(OrderNames(" 000  001 00A "), (Words{"000", "001", "00A"}));
    EXPECT_TRUE(OrderNames("").empty());
}

TEST(WordLists, BytesAsStoredAndBack) {
    const std::string encoded = EncodeWordList({"cash", "free"});
    EXPECT_EQ(encoded, std::string("cash\0free\0\0", 11));
    // The REG_BINARY write adds the last zero: 12 bytes in the registry.
    platform::portable::MemoryRegistry store;
    modRegistre reg(store);
    reg.WriteRegValue(HKCU, "R", "Value", platform::RegBinary, encoded);
    platform::RegData data;
    ASSERT_EQ(store.queryValue(HKCU, "R", "Value", 2048, data), platform::RegOk);
    EXPECT_EQ(data.type, platform::RegBinary);
    EXPECT_EQ(data.bytes, std::string("cash\0free\0\0\0", 12));

    EXPECT_EQ(DecodeWordList(data.bytes), (Words{"cash", "free"}));
    // The raw read pads the buffer with spaces: the same words.
    EXPECT_EQ(DecodeWordList(reg.ReadRegValueRaw(HKCU, "R", "Value")), (Words{"cash", "free"}));
    EXPECT_EQ(DecodeWordList(EncodeWordList({" win ", "x"}) + '\0'), (Words{" win ", "x"}));
    EXPECT_TRUE(DecodeWordList(kNotFound).empty());
    EXPECT_TRUE(DecodeWordList(EncodeWordList({}) + '\0').empty());
}

TEST(LongOrder, ReadPastTheRegistryLayersBuffer) {
    platform::portable::MemoryRegistry store;
    modRegistre reg(store);
    std::string order;
    for (int i = 0; i < 4096; ++i)
        order += (i ? " " : "") + FormatSubkeyName(i);
    reg.WriteRegValue(HKCU, "B\\Criteria", "Order", platform::RegSz, order);
    EXPECT_EQ(reg.ReadRegValue(HKCU, "B\\Criteria", "Order"), kNotFound);
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), order);
    reg.WriteRegValue(HKCU, "B\\Criteria", "Order", platform::RegSz, std::string());
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), "");
    EXPECT_EQ(ReadOrder(reg, "Missing\\Criteria"), kNotFound);
    reg.WriteRegValue(HKCU, "B\\Criteria", "Order", platform::RegDword, 5LL);
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), "005");
}

TEST(SubkeyNamer, CountFirstThenFreeNamesNeverOnesInUse) {
    // No gap: numbered by count.
    SubkeyNamer plain(3, {"000", "001", "002"}, nullptr);
    EXPECT_EQ(plain.next(), "003");
    EXPECT_EQ(plain.next(), "004");
    // A gap the client left (001 deleted): by count would write over 003.
    SubkeyNamer gap(3, {"000", "002", "003"}, nullptr);
    EXPECT_EQ(gap.next(), "004");
    EXPECT_EQ(gap.next(), "005");
    // An address stored under a name the Order does not list is not written
    // over either; only such names are asked about.
    Words asked;
    SubkeyNamer stray(1, {"000"}, [&](const std::string& name) {
        asked.push_back(name);
        return name == "001" || name == "003";
    });
    EXPECT_EQ(stray.next(), "002");
    EXPECT_EQ(stray.next(), "004");
    EXPECT_EQ(asked, (Words{"001", "002", "003", "004"}));

    // Past FFF: the free names below the count, then nothing.
    std::vector<std::string> names;
    for (int i = 0; i < 4095; ++i)
        if (i != 5)
            names.push_back(FormatSubkeyName(i));
    SubkeyNamer nearlyFull(4094, names, nullptr);
    EXPECT_EQ(nearlyFull.next(), "FFF");
    EXPECT_EQ(nearlyFull.next(), "005");
    EXPECT_EQ(nearlyFull.next(), "");
    EXPECT_EQ(nearlyFull.next(), "");
    // A count past the scheme (a list the client made) starts from 000.
    SubkeyNamer over(5000, {"000"}, nullptr);
    EXPECT_EQ(over.next(), "001");
    // Names the Order lists in lower case are taken too.
    SubkeyNamer lower(0, {"00a", "000"}, [](const std::string&) { return false; });
    for (int i = 1; i < 10; ++i)
        lower.next();
    EXPECT_EQ(lower.next(), "00B");
}

TEST(BlockedEntries, SplitAtLineBreakPairsAndSemicolons) {
    EXPECT_EQ(SplitBlockedEntries("a@x\r\n\r\nb@y\r\n"), (Words{"a@x", "", "b@y", ""}));
    EXPECT_EQ(SplitBlockedEntries("a@x;b@y"), (Words{"a@x", "b@y"}));
    EXPECT_EQ(SplitBlockedEntries("a@x;\r\nb@y"), (Words{"a@x", "", "b@y"}));
    // A lone line feed or carriage return separates nothing.
    EXPECT_EQ(SplitBlockedEntries("a@x\nb@y\rc@z\r"), (Words{"a@x\nb@y\rc@z\r"}));
    EXPECT_EQ(SplitBlockedEntries("\r\r\n"), (Words{"\r", ""}));
    EXPECT_EQ(SplitBlockedEntries(""), (Words{""}));
    EXPECT_EQ(SplitBlockedEntries(std::string("a\0@x;b@y", 8)),
              (Words{std::string("a\0@x", 4), "b@y"}));
}

TEST(BlockedEntries, OnlyAddressesTheRegistryLayerReadsBack) {
    EXPECT_EQ(ClassifyEntry(" Jo@Example.COM "), EntryKind::Address);
    EXPECT_EQ(ClassifyEntry("no at sign"), EntryKind::NotAddress);
    EXPECT_EQ(ClassifyEntry(""), EntryKind::NotAddress);
    EXPECT_EQ(ClassifyEntry(std::string("a@b\0c", 5)), EntryKind::Unstorable);
    EXPECT_EQ(ClassifyEntry(std::string("ab\0c", 4)), EntryKind::NotAddress);
    // 2047 characters and the terminating zero fill the 2048-byte buffer.
    const std::string longest = std::string(2045, 'x') + "@y";
    ASSERT_EQ(longest.size(), 2047u);
    EXPECT_EQ(ClassifyEntry(longest), EntryKind::Address);
    EXPECT_EQ(ClassifyEntry(longest + "z"), EntryKind::Unstorable);
}

TEST(BlockedSendersFile, KeepsZeroBytesAndReadsRegistryExports) {
    TestProgram t;
    t.putFile("C:\\lists\\zeros.txt", std::string("a@x\0junk;b@y\r\nc@z", 18));
    EXPECT_EQ(ReadBlockedSendersFile(t.files, "C:\\lists\\zeros.txt"),
              std::string("a@x\0junk;b@y\r\nc@z", 18));
    // A UTF-16 registry export becomes single-byte text as the text reader makes it.
    const std::string utf16("\xFF\xFEW\0a\0@\0b\0", 10);
    t.putFile("C:\\lists\\export.txt", utf16);
    const auto text = ReadBlockedSendersFile(t.files, "C:\\lists\\export.txt");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(1), "Wa@b");
    EXPECT_FALSE(ReadBlockedSendersFile(t.files, "C:\\lists\\missing.txt"));
    EXPECT_FALSE(ReadBlockedSendersFile(t.files, "C:\\lists"));
}

} // namespace
} // namespace velmora::testing
