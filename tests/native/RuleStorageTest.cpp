// The shared operations on the mail client's rule storage: subkey names,
// Order lists, long Order values, and the entries of a blocked-senders text
// file. A word list's bytes are the criteria editor's and anti-spam tests'.

#include "rules/BlockedSendersImport.h"
#include "rules/BlockedSendersStore.h"
#include "rules/RuleStorage.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

// An Order naming all of 000 to FFF but `skip`.
std::string FullOrder(int skip = -1) {
    std::string order;
    for (int i = 0; i < 4096; ++i)
        order += (i ? " " : "") + (i == skip ? "XYZ" : FormatSubkeyName(i));
    return order;
}

// The names written (000 to FFF, in upper case) are held by the page tests.
TEST(SubkeyNames, NamesOutsideTheSchemeAreNoNumber) {
    EXPECT_EQ(ParseSubkeyName("00a"), 10); // registry names ignore case
    for (const char* outside : {"1000", "0A", "", "00G", "Rul", " 00"})
        EXPECT_EQ(ParseSubkeyName(outside), -1) << outside;
}

TEST(OrderLists, CountFirstFreeAndRemove) {
    for (const auto& [order, count] : {std::pair{"000 001 002", 3}, {"", 0}, {"000", 1}})
        EXPECT_EQ(CountOrderEntries(order), count) << order;
    // Letters without case; every name of the scheme taken: no name past FFF.
    const std::pair<std::string, std::string> free[] = {
        {"000 002", "001"},
        {"000 001", "002"},
        {"00A", "000"},
        {"", "000"},
        {"00a 000", "001"},
        {FullOrder(), ""},
        {FullOrder(0x7FF), "7FF"},
    };
    for (const auto& [order, first] : free)
        EXPECT_EQ(FirstFreeSubkeyName(order), first) << order.substr(0, 20);
    // One pass over the doubled spaces, as the client's own lists never hold
    // more than one between two names.
    const char* const removals[][3] = {
        {"001 000 002", "000", "001 002"}, {"000", "000", ""},
        {"000 001 002", "000", "001 002"}, {"000 001 002", "002", "000 001"},
        {"000 001", "003", "000 001"},     {"001 000  002", "000", "001  002"},
    };
    for (const auto& r : removals)
        EXPECT_EQ(RemoveFromOrder(r[0], r[1]), r[2]) << r[0] << " - " << r[1];
    EXPECT_EQ(OrderNames(" 000  001 00A "), (Strings{"000", "001", "00A"}));
    EXPECT_TRUE(OrderNames("").empty());
}

// Long Orders, gaps, stray names and the end of the scheme are held by the
// blocked-senders page tests; here the rest.
TEST(LongOrder, EmptyMissingOrANumberAsTheRegistryLayerReadsThem) {
    platform::portable::MemoryRegistry store;
    modRegistre reg(store);
    reg.WriteRegValue(HKCU, "B\\Criteria", "Order", platform::RegSz, std::string());
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), "");
    EXPECT_EQ(ReadOrder(reg, "Missing\\Criteria"), kNotFound);
    reg.WriteRegValue(HKCU, "B\\Criteria", "Order", platform::RegDword, 5LL);
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), "005");
}

// Another tool stored the Order without its zero: a merge still lists 001.
TEST(LongOrder, AMergeKeepsTheLastNameOfAnOrderStoredWithoutItsZero) {
    platform::portable::MemoryRegistry store;
    modRegistre reg(store);
    store.setValue(HKCU, "B\\Criteria", "Order", platform::RegSz, "000 001");
    ImportRequest merge;
    merge.mode = ImportRequest::Mode::Merge;
    merge.branchKey = "B";
    ImportBlockedSenders(reg, merge, {"new@x"});
    EXPECT_EQ(ReadOrder(reg, "B\\Criteria"), "000 001 002");
}

TEST(SubkeyNamer, AsksOnlyAboutUnlistedNamesStartsOverPastTheSchemeAndIgnoresCase) {
    Strings asked;
    SubkeyNamer stray(1, {"000"}, [&](const std::string& name) {
        asked.push_back(name);
        return name == "001" || name == "003";
    });
    EXPECT_EQ((Strings{stray.next(), stray.next()}), (Strings{"002", "004"}));
    EXPECT_EQ(asked, (Strings{"001", "002", "003", "004"}));
    // A count past the scheme (a list the client made) starts from 000.
    SubkeyNamer over(5000, {"000"}, nullptr);
    EXPECT_EQ(over.next(), "001");
    // Names the Order lists in lower case are taken too.
    SubkeyNamer lower(0, {"00a", "000"}, [](const std::string&) { return false; });
    for (int i = 1; i < 10; ++i)
        lower.next();
    EXPECT_EQ(lower.next(), "00B");
}

TEST(BlockedEntries, SplitAtLineBreakPairsAndSemicolonsOnly) {
    // A lone line feed or carriage return separates nothing.
    const std::pair<std::string, Strings> splits[] = {
        {"a@x\r\n\r\nb@y\r\n", {"a@x", "", "b@y", ""}},
        {"a@x;\r\nb@y", {"a@x", "", "b@y"}},
        {"a@x\nb@y\rc@z\r", {"a@x\nb@y\rc@z\r"}},
        {"\r\r\n", {"\r", ""}},
        {"", {""}},
        {"a\0@x;b@y"s, {"a\0@x"s, "b@y"}},
    };
    for (const auto& [text, entries] : splits)
        EXPECT_EQ(SplitBlockedEntries(text), entries) << text;
    // A zero byte outside an address makes no unstorable address.
    EXPECT_EQ(ClassifyEntry("ab\0c"s), EntryKind::NotAddress);
    EXPECT_EQ(ClassifyEntry(""), EntryKind::NotAddress);
}

TEST(BlockedSendersFile, ReadsRegistryExportsAndNoFolder) {
    // Zero bytes kept and unreadable files are held by the page tests.
    TestProgram t;
    // A UTF-16 registry export becomes single-byte text as the text reader makes it.
    t.putFile("C:\\lists\\export.txt", "\xFF\xFEW\0a\0@\0b\0"s);
    const auto text = ReadBlockedSendersFile(t.files, "C:\\lists\\export.txt");
    ASSERT_TRUE(text);
    EXPECT_EQ(text->substr(1), "Wa@b");
    EXPECT_FALSE(ReadBlockedSendersFile(t.files, "C:\\lists"));
}

} // namespace
} // namespace velmora::testing
