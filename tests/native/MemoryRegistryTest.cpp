#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"

#include <gtest/gtest.h>

using velmora::kNotFound;
using velmora::LeadingNumber;
using velmora::modRegistre;
using namespace velmora::platform;
using velmora::platform::portable::MemoryRegistry;

TEST(MemoryRegistry, KeysTheUserMayNotModifyBehaveAsMissing) {
    MemoryRegistry store;
    const modRegistre reg(store);
    reg.WriteRegValue(HKLM, "Software\\Locked\\Below", "v", RegDword, 1LL);
    reg.WriteRegValue(HKLM, "Software\\Open", "v", RegDword, 2LL);
    store.denyFullAccess(HKLM, "SOFTWARE\\locked");
    EXPECT_EQ(reg.ReadRegValue(HKLM, "Software\\Locked\\Below", "v"), kNotFound);
    EXPECT_EQ(reg.EnumRegSubKey(HKLM, "Software\\Locked", 0), kNotFound);
    EXPECT_EQ(reg.WriteRegValue(HKLM, "Software\\Locked\\Below", "v", RegDword, 5LL),
              RegAccessDenied);
    EXPECT_EQ(reg.WriteRegValue(HKLM, "Software\\Locked\\New\\Key", "v", RegSz, std::string("x")),
              RegAccessDenied);
    EXPECT_EQ(reg.DeleteRegTree(HKLM, "Software", "Locked"), "5");
    EXPECT_EQ(reg.DeleteRegTree(HKLM, "Software\\Locked", "Below"), "5");
    reg.DeleteRegValue(HKLM, "Software\\Locked\\Below", "v");

    // The parent is still the user's: it lists the key, and its other
    // subkeys may be changed.
    EXPECT_EQ(reg.EnumRegSubKey(HKLM, "Software", 0), "Locked");
    EXPECT_EQ(reg.ReadRegValue(HKLM, "Software\\Open", "v"), "002");
    EXPECT_EQ(reg.DeleteRegTree(HKLM, "Software", "Open"), "0");
}

TEST(MemoryRegistry, UnknownRootsAreInvalidHandles) {
    MemoryRegistry store;
    const modRegistre reg(store);
    EXPECT_EQ(reg.WriteRegValue(0x80000003u, "x", "v", RegSz, std::string("a")), 6);
    EXPECT_EQ(reg.ReadRegValue(0, "x", "v"), kNotFound);
    EXPECT_EQ(reg.DeleteRegTree(0x12345678u, "", "x"), "6");
}

TEST(LeadingNumber, TakesTheLeadingDigitsOnly) {
    EXPECT_EQ(LeadingNumber("001"), 1);
    EXPECT_EQ(LeadingNumber("4294967295"), 4294967295LL);
    EXPECT_EQ(LeadingNumber("12abc34"), 12);
    EXPECT_EQ(LeadingNumber("Not Found"), 0);
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("-5"), 0);
    EXPECT_EQ(LeadingNumber(" 5"), 0);
    EXPECT_EQ(LeadingNumber("99999999999999999999999"), 9223372036854775807LL);
}
