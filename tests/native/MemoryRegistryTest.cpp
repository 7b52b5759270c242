#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"

#include <gtest/gtest.h>

#include <stdexcept>

using velmora::kNotFound;
using velmora::LeadingNumber;
using velmora::modRegistre;
using namespace velmora::platform;
using velmora::platform::portable::MemoryRegistry;

TEST(MemoryRegistry, LoadsRegistryEditorText) {
    MemoryRegistry store;
    store.load("Windows Registry Editor Version 5.00\r\n"
               "\r\n"
               "; identities\r\n"
               "[HKEY_CURRENT_USER\\Identities\\{ABC}\\Software]\r\n"
               "\"Text\"=\"Fran\xE7"
               "ais \\\"cit\xE9\\\" C:\\\\dir\"\r\n"
               "@=dword:0000002a\r\n"
               "\"Bin\"=hex:01,0a,FF\r\n"
               "\"Multi\"=hex(7):61,00,62,00,\\\r\n"
               "  00\r\n"
               "\"Empty\"=hex:\r\n"
               "[HKLM\\Software\\Policies]\n"
               "\"Q\"=hex(b):01,00,00,00,00,00,00,00\n");
    const modRegistre reg(store);
    const std::string key = "identities\\{abc}\\SOFTWARE";
    EXPECT_EQ(reg.ReadRegValue(HKCU, key, "text"), "Fran\xE7"
                                                   "ais \"cit\xE9\" C:\\dir");
    EXPECT_EQ(reg.ReadRegValue(HKCU, key, ""), "042");
    EXPECT_EQ(reg.ReadRegValue(HKCU, key, "Bin"), "010AFF");
    EXPECT_EQ(reg.ReadRegValue(HKCU, key, "Multi"), std::string("a\0b\0", 4));
    EXPECT_EQ(reg.ReadRegValue(HKCU, key, "Empty"), "");
    RegData data;
    ASSERT_EQ(store.queryValue(HKLM, "Software\\Policies", "q", 64, data), RegOk);
    EXPECT_EQ(data.type, 11u);
    EXPECT_EQ(data.bytes.size(), 8u);
    EXPECT_EQ(reg.EnumRegSubKey(HKCU, "Identities", 0), "{ABC}");
}

TEST(MemoryRegistry, LoadRefusesTextItCannotRead) {
    const char* bad[] = {
        "\"v\"=\"x\"",                      // a value before any key
        "[HKEY_USERS\\x]",                  // a root the program never uses
        "[HKCU\\x",                         // unclosed key name
        "[HKCU\\x]\n\"v\"=dword:123456789", // nine digits
        "[HKCU\\x]\n\"v\"=hex:1,2g",        // not hex
        "[HKCU\\x]\n\"v\"=hex:100",         // not a byte
        "[HKCU\\x]\n\"v\"=\"open",          // unclosed text
        "[HKCU\\x]\n\"v\" \"x\"",           // no '='
        "[HKCU\\x]\n\"v\"=text",            // unknown data
    };
    for (const char* text : bad) {
        MemoryRegistry store;
        EXPECT_THROW(store.load(text), std::invalid_argument) << text;
    }
}

TEST(MemoryRegistry, KeysTheUserMayNotModifyBehaveAsMissing) {
    MemoryRegistry store;
    store.load("[HKLM\\Software\\Locked\\Below]\n\"v\"=dword:00000001\n"
               "[HKLM\\Software\\Open]\n\"v\"=dword:00000002\n");
    store.denyFullAccess(HKLM, "SOFTWARE\\locked");
    const modRegistre reg(store);
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
