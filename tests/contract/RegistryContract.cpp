#include "contract/RegistryContract.h"

#include <algorithm>
#include <cctype>

namespace velmora::testing {

using platform::HKCR;
using platform::HKCU;
using platform::HKLM;
using platform::RegBinary;
using platform::RegData;
using platform::RegDword;
using platform::RegExpandSz;
using platform::RegMoreData;
using platform::RegMultiSz;
using platform::RegNone;
using platform::RegOk;
using platform::RegSz;

namespace {

constexpr std::uint32_t kRegQword = 11;

// The folder under each root that holds the scratch keys, and its parent.
std::string scratchFolder(std::uint32_t root) {
    return root == HKCR ? "VelmoraContract" : "Software\\VelmoraContract";
}
std::string scratchFolderParent(std::uint32_t root) {
    return root == HKCR ? "" : "Software";
}

std::string upper(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return text;
}

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

std::string dwordBytes(std::uint32_t number) {
    std::string bytes;
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<char>((number >> (8 * i)) & 0xFF));
    }
    return bytes;
}

// Text as bytes, zero bytes included: "a\0b"s would need the literal suffix.
template <std::size_t N> std::string bytesOf(const char (&text)[N]) {
    return std::string(text, N - 1);
}

} // namespace

std::string RegistryBackendName(const ::testing::TestParamInfo<RegistryBackend>& info) {
    return info.param.name;
}

void RegistryContract::SetUp() {
    store_ = GetParam().make();
    reg_ = std::make_unique<modRegistre>(*store_);
    for (std::uint32_t root : {HKCU, HKLM, HKCR}) {
        removeScratch(root); // left over from a run that did not finish
    }
}

void RegistryContract::TearDown() {
    for (std::uint32_t root : {HKCU, HKLM, HKCR}) {
        removeScratch(root);
    }
}

std::string RegistryContract::scratch(std::uint32_t root) const {
    return scratchFolder(root) + "\\" + GetParam().tag;
}

void RegistryContract::removeScratch(std::uint32_t root) const {
    store_->deleteTree(root, scratchFolder(root), GetParam().tag);
    std::string first;
    if (store_->enumSubKey(root, scratchFolder(root), 0, 256, first) != RegOk) {
        store_->deleteTree(root, scratchFolderParent(root), "VelmoraContract");
    }
}

RegData RegistryContract::stored(std::uint32_t root, const std::string& key,
                                 const std::string& value) const {
    RegData data;
    EXPECT_EQ(store_->queryValue(root, key, value, 1 << 16, data), RegOk)
        << "reading " << key << " / " << value;
    return data;
}

void RegistryContract::put(std::uint32_t root, const std::string& key, const std::string& value,
                           std::uint32_t type, const std::string& bytes) const {
    ASSERT_EQ(store_->setValue(root, key, value, type, bytes), RegOk)
        << "writing " << key << " / " << value;
}

std::vector<std::string> RegistryContract::subkeys(std::uint32_t root,
                                                   const std::string& key) const {
    std::vector<std::string> names;
    for (std::int32_t index = 0;; ++index) {
        const std::string name = reg_->EnumRegSubKey(root, key, index);
        if (name == kNotFound || index > 1000) {
            return names;
        }
        names.push_back(name);
    }
}

// ---- reading ----

TEST_P(RegistryContract, ValuesReadAsTextByTheirType) {
    const std::string key = scratch(HKCU);
    const struct {
        std::uint32_t type;
        std::string bytes;
        std::string text;
    } cases[] = {
        // REG_DWORD: unsigned decimal with at least three digits.
        {RegDword, dwordBytes(0), "000"},
        {RegDword, dwordBytes(5), "005"},
        {RegDword, dwordBytes(42), "042"},
        {RegDword, dwordBytes(999), "999"},
        {RegDword, dwordBytes(1000), "1000"},
        {RegDword, dwordBytes(327680), "327680"},
        {RegDword, dwordBytes(0x7FFFFFFF), "2147483647"},
        {RegDword, dwordBytes(0x80000000u), "2147483648"},
        {RegDword, dwordBytes(0xFFFFFFFFu), "4294967295"},
        // Another length than four: the first four bytes count, missing
        // ones count as zero.
        {RegDword, bytesOf("\x05\x01"), "261"},
        {RegDword, "", "000"},
        {RegDword, bytesOf("\x01\x00\x00\x00\xFF\xFF"), "001"},
        // REG_BINARY: upper-case hex, two digits a byte.
        {RegBinary, bytesOf("\x02\x00\x00\x00"), "02000000"},
        {RegBinary, bytesOf("\x01\x0A\xFF\xab"), "010AFFAB"},
        {RegBinary, "", ""},
        // Strings: the data less its last character, the terminating zero;
        // stored without one, the last real character is the one dropped.
        {RegSz, bytesOf("abc\0"), "abc"},
        {RegSz, bytesOf("\0"), ""},
        {RegSz, "", ""},
        {RegSz, "ab", "a"},
        {RegExpandSz, bytesOf("%SystemRoot%\\x\0"), "%SystemRoot%\\x"},
        {RegMultiSz, bytesOf("one\0two\0\0"), bytesOf("one\0two\0")},
        // Any other type reads as a string does.
        {kRegQword, bytesOf("\x41\x42\x43\x44\x00\x00\x00\x00"), bytesOf("ABCD\0\0\0")},
        {RegNone, "", ""},
        {RegNone, "xyz", "xy"},
        {0x12345, "ab", "a"},
    };
    for (const auto& c : cases) {
        put(HKCU, key, "v", c.type, c.bytes);
        const RegData data = stored(HKCU, key, "v");
        EXPECT_EQ(data.type, c.type);
        EXPECT_EQ(data.bytes, c.bytes) << "stored as given";
        EXPECT_EQ(reg().ReadRegValue(HKCU, key, "v"), c.text)
            << "type " << c.type << ", " << c.bytes.size() << " bytes";
    }
}

TEST_P(RegistryContract, MissingKeysAndValuesReadAsNotFound) {
    const std::string key = scratch(HKCU);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\missing", "x"), kNotFound);
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key + "\\missing", "x"), kNotFound);
    put(HKCU, key, "present", RegSz, bytesOf("here\0"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "absent"), kNotFound);
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "absent"), kNotFound);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, ""), kNotFound) << "no default value was set";
    EXPECT_EQ(LeadingNumber(reg().ReadRegValue(HKCU, key, "absent")), 0);
}

TEST_P(RegistryContract, DataBeyondTheReadBufferReadsAsNotFound) {
    const std::string key = scratch(HKCU);
    const std::string bin(2048, '\xA5'), text(2048, 's');
    std::string hex; // of the 2048 binary bytes
    for (int i = 0; i < 2048; ++i)
        hex += "A5";
    const struct {
        std::uint32_t type;
        std::string bytes, read, raw;
    } cases[] = {
        {RegBinary, bin.substr(1), hex.substr(2), bin.substr(1) + ' '},
        {RegBinary, bin, hex, bin},
        {RegBinary, bin + 'x', kNotFound, kNotFound},
        // Strings by their characters; the zero makes one byte more.
        {RegSz, text.substr(2) + '\0', text.substr(2), text.substr(2)},
        {RegSz, text.substr(1) + '\0', text.substr(1), text.substr(1)},
        {RegSz, text + '\0', kNotFound, kNotFound},
        {RegSz, std::string(3000, 't') + '\0', kNotFound, kNotFound},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.bytes.size()) + " bytes of type " + std::to_string(c.type));
        put(HKCU, key, "v", c.type, c.bytes);
        EXPECT_EQ(reg().ReadRegValue(HKCU, key, "v"), c.read);
        EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "v"), c.raw);
        EXPECT_EQ(stored(HKCU, key, "v").bytes, c.bytes) << "the value itself is whole";
    }
}

TEST_P(RegistryContract, RawReadGivesTheWholeBufferForBinaries) {
    const std::string key = scratch(HKCU);
    // A criteria word list: texts separated by zero bytes.
    const std::string words = bytesOf("viagra\0casino\0");
    put(HKCU, key, "words", RegBinary, words);
    const std::string raw = reg().ReadRegValueRaw(HKCU, key, "words");
    ASSERT_EQ(raw.size(), 2048u);
    EXPECT_EQ(raw.substr(0, words.size()), words);
    EXPECT_EQ(raw.find_first_not_of(' ', words.size()), std::string::npos);

    put(HKCU, key, "empty", RegBinary, "");
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "empty"), std::string(2048, ' '));
    put(HKCU, key, "text", RegSz, bytesOf("a\0b\0"));
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "text"), bytesOf("a\0b"));
    put(HKCU, key, "multi", RegMultiSz, bytesOf("a\0b\0\0"));
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "multi"), bytesOf("a\0b\0"));
    put(HKCU, key, "number", RegDword, dwordBytes(7));
    EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "number"), "007");
}

// ---- the store's buffer rules ----

TEST_P(RegistryContract, StoreAnswersMoreDataWhenTheBufferIsTooSmall) {
    const std::string key = scratch(HKCU);
    put(HKCU, key, "sz", RegSz, bytesOf("abc\0"));
    put(HKCU, key, "bare", RegSz, "abc");
    put(HKCU, key, "bin", RegBinary, "abcd");
    put(HKCU, key, "dword", RegDword, dwordBytes(9));
    put(HKCU, key, "empty", RegSz, "");
    RegData data;
    EXPECT_EQ(store().queryValue(HKCU, key, "sz", 3, data), RegMoreData);
    EXPECT_EQ(store().queryValue(HKCU, key, "sz", 4, data), RegOk);
    EXPECT_EQ(data.type, static_cast<std::uint32_t>(RegSz));
    EXPECT_EQ(data.bytes, bytesOf("abc\0"));
    EXPECT_EQ(store().queryValue(HKCU, key, "bare", 2, data), RegMoreData);
    EXPECT_EQ(store().queryValue(HKCU, key, "bare", 3, data), RegOk);
    EXPECT_EQ(data.bytes, "abc");
    EXPECT_EQ(store().queryValue(HKCU, key, "bin", 3, data), RegMoreData);
    EXPECT_EQ(store().queryValue(HKCU, key, "dword", 3, data), RegMoreData);
    EXPECT_EQ(store().queryValue(HKCU, key, "dword", 4, data), RegOk);
    EXPECT_EQ(store().queryValue(HKCU, key, "empty", 0, data), RegOk);
    EXPECT_EQ(data.bytes, "");
    EXPECT_EQ(store().queryValue(HKCU, key, "sz", 0, data), RegMoreData);

    put(HKCU, key + "\\abcd", "", RegSz, "");
    std::string name;
    EXPECT_EQ(store().enumSubKey(HKCU, key, 0, 4, name), RegMoreData) << "no room for the zero";
    EXPECT_EQ(store().enumSubKey(HKCU, key, 0, 5, name), RegOk);
    EXPECT_EQ(name, "abcd");
}

// ---- writing ----

TEST_P(RegistryContract, DwordWritesStoreSignedLongsLeastSignificantByteFirst) {
    const std::string key = scratch(HKCU);
    const std::pair<RegInput, std::uint32_t> cases[] = {
        {std::string("1"), 1u},
        {0x50000LL, 327680u},
        {std::string("007"), 7u},
        {std::string(" 12 "), 12u},
        {std::string("-3"), 0xFFFFFFFDu},
        {-1LL, 0xFFFFFFFFu},
        {2147483647LL, 0x7FFFFFFFu},
        {-2147483648LL, 0x80000000u},
        {2.5, 2u},
        {3.5, 4u},
        {-2.5, 0xFFFFFFFEu},
        {2.4999, 2u},
        {2.5000001, 3u},
        {std::string("2.5"), 2u},
        {std::string("3.5"), 4u},
        {std::string("2.51"), 3u},
        {std::string("-0.5"), 0u},
        {std::string("-1.5"), 0xFFFFFFFEu},
    };
    for (const auto& [input, expected] : cases) {
        ASSERT_EQ(reg().WriteRegValue(HKCU, key, "d", RegDword, input), 0);
        const RegData data = stored(HKCU, key, "d");
        EXPECT_EQ(data.type, static_cast<std::uint32_t>(RegDword));
        EXPECT_EQ(data.bytes, dwordBytes(expected)) << "expected " << expected;
    }
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "d"), "4294967294");
}

TEST_P(RegistryContract, DwordWritesOfValuesThatAreNoLongWriteNothing) {
    const std::string key = scratch(HKCU);
    const RegInput refused[] = {std::string("abc"),
                                std::string(""),
                                std::string("12abc"),
                                std::string("1 2"),
                                std::string("."),
                                std::string("--1"),
                                2147483648LL,
                                -2147483649LL,
                                2147483647.5,
                                -2147483648.6,
                                1e300,
                                std::string("99999999999")};
    for (const RegInput& input : refused) {
        EXPECT_EQ(reg().WriteRegValue(HKCU, key + "\\never", "d", RegDword, input), 87);
    }
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, key, 0), kNotFound) << "not even the key was made";
    EXPECT_EQ(reg().WriteRegValue(HKCU, key, "d", RegDword, -2147483648.5), 0);
    EXPECT_EQ(stored(HKCU, key, "d").bytes, dwordBytes(0x80000000u)) << "half to even";
}

TEST_P(RegistryContract, TextWritesAppendOneZeroAndKeepTheirType) {
    const std::string key = scratch(HKCU);
    const struct {
        std::int32_t type;
        RegInput value;
        std::uint32_t storedType;
        std::string bytes;
    } cases[] = {
        {RegSz, std::string("000"), RegSz, bytesOf("000\0")},
        {RegBinary, std::string("abc"), RegBinary, bytesOf("abc\0")},
        {RegBinary, std::string("2"), RegBinary, bytesOf("2\0")},
        {RegExpandSz, std::string("%TEMP%\\x"), RegExpandSz, bytesOf("%TEMP%\\x\0")},
        {RegMultiSz, bytesOf("a\0b\0"), RegMultiSz, bytesOf("a\0b\0\0")},
        {RegSz, std::string(), RegSz, bytesOf("\0")},
        {RegSz, 42LL, RegSz, bytesOf("42\0")},
        {RegSz, 1.5, RegSz, bytesOf("1.5\0")},
        {RegSz, 1e20, RegSz, bytesOf("1E+20\0")},
        {0, std::string("abc"), RegSz, "abc"},
        {99, std::string("xyz"), RegSz, "xyz"},
        {-1, std::string(), RegSz, ""},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(reg().WriteRegValue(HKCU, key, "v", c.type, c.value), 0);
        const RegData data = stored(HKCU, key, "v");
        EXPECT_EQ(data.type, c.storedType) << "written with type " << c.type;
        EXPECT_EQ(data.bytes, c.bytes) << "written with type " << c.type;
    }
    reg().WriteRegValue(HKCU, key, "bin", RegBinary, std::string("2"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "bin"), "3200");
    reg().WriteRegValue(HKCU, key, "multi", RegMultiSz, bytesOf("a\0b\0"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "multi"), bytesOf("a\0b\0"));
    reg().WriteRegValue(HKCU, key, "expand", RegExpandSz, std::string("%WINDIR%"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "expand"), "%WINDIR%");
}

TEST_P(RegistryContract, WritesCreateTheWholeMissingPath) {
    const std::string key = scratch(HKCU);
    EXPECT_EQ(reg().WriteRegValue(HKCU, key + "\\One\\Two\\Three", "v", RegSz, std::string("x")),
              0);
    EXPECT_EQ(subkeys(HKCU, key), std::vector<std::string>{"One"});
    EXPECT_EQ(subkeys(HKCU, key + "\\One"), std::vector<std::string>{"Two"});
    EXPECT_EQ(subkeys(HKCU, key + "\\One\\Two"), std::vector<std::string>{"Three"});
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\One\\Two\\Three", "v"), "x");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\One\\Two", "v"), kNotFound);
}

TEST_P(RegistryContract, DefaultValueIsTheEmptyName) {
    const std::string key = scratch(HKCU);
    reg().WriteRegValue(HKCU, key, "", RegSz, std::string("default"));
    reg().WriteRegValue(HKCU, key, "named", RegSz, std::string("other"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, ""), "default");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "named"), "other");
    reg().WriteRegValue(HKCU, key, "", RegDword, 5LL);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, ""), "005");
    reg().DeleteRegValue(HKCU, key, "");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, ""), kNotFound);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "named"), "other");
}

// Octal escapes below: "\347" is c with cedilla (0xE7), "\307" its capital.
TEST_P(RegistryContract, Windows1252TextRoundTripsByteForByte) {
    const std::string key = scratch(HKCU);
    std::string every;
    for (int byte = 1; byte < 256; ++byte) {
        every.push_back(static_cast<char>(byte));
    }
    const std::string texts[] = {"Fran\347ais", "\x80", "\x81\x8D\x8F\x90\x9D", every};
    for (const std::string& text : texts) {
        reg().WriteRegValue(HKCU, key, "\xC9t\xE9", RegSz, text);
        EXPECT_EQ(stored(HKCU, key, "\xC9t\xE9").bytes, text + '\0');
        EXPECT_EQ(reg().ReadRegValue(HKCU, key, "\xC9t\xE9"), text);
        reg().WriteRegValue(HKCU, key, "raw", RegBinary, text);
        EXPECT_EQ(reg().ReadRegValueRaw(HKCU, key, "raw").substr(0, text.size() + 1), text + '\0');
    }
    // Accented names fold their case too: 0xE9 and 0xC9 are one letter, and
    // so are 0xFF and 0x9F, 0x9C and 0x8C.
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "\xE9T\xC9"), every);
    reg().WriteRegValue(HKCU, key + "\\Fran\347ais", "\xFF\x9C", RegSz, std::string("1"));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\FRAN\307AIS", "\x9F\x8C"), "1");
    reg().WriteRegValue(HKCU, key + "\\fran\347AIS", "", RegSz, std::string("2"));
    EXPECT_EQ(subkeys(HKCU, key), std::vector<std::string>{"Fran\347ais"});
}

TEST_P(RegistryContract, NamesCompareWithoutCaseAndKeepTheirSpelling) {
    const std::string key = scratch(HKCU);
    reg().WriteRegValue(HKCU, key + "\\Microsoft\\Outlook Express", "MixedCase", RegDword, 1LL);
    EXPECT_EQ(reg().ReadRegValue(HKCU, upper(key) + "\\MICROSOFT\\outlook express", "MIXEDCASE"),
              "001");
    reg().WriteRegValue(HKCU, lower(key) + "\\microsoft\\OUTLOOK EXPRESS", "mixedcase", RegDword,
                        2LL);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Microsoft\\Outlook Express", "MixedCase"), "002");
    EXPECT_EQ(subkeys(HKCU, key), std::vector<std::string>{"Microsoft"});
    EXPECT_EQ(subkeys(HKCU, key + "\\Microsoft"), std::vector<std::string>{"Outlook Express"});
    reg().DeleteRegValue(HKCU, key + "\\MICROSOFT\\Outlook Express", "MIXEDcase");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Microsoft\\Outlook Express", "MixedCase"),
              kNotFound);
}

TEST_P(RegistryContract, EmptyNamesInsideAPathAreSkipped) {
    const std::string key = scratch(HKCU);
    reg().WriteRegValue(HKCU, key + "\\a\\\\b\\", "v", RegSz, std::string("x"));
    EXPECT_EQ(subkeys(HKCU, key), std::vector<std::string>{"a"});
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\a\\b", "v"), "x");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\a\\b\\", "v"), "x");
    // A leading backslash is a bad path name (161), not the root.
    EXPECT_EQ(reg().ReadRegValue(HKCU, "\\" + key + "\\a\\b", "v"), kNotFound);
    EXPECT_EQ(reg().WriteRegValue(HKCU, "\\" + key + "\\c", "v", RegSz, std::string("x")), 161);
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, "\\" + key, 0), kNotFound);
}

// ---- enumerating ----

TEST_P(RegistryContract, SubkeysEnumerateInTheRegistrysSortedOrder) {
    const std::string key = scratch(HKCU);
    const char* created[] = {"beta", "Alpha", "_under", "Zeta", "alpha2", "10",        "9",
                             "~",    "a b",   "Alph",   "ZZZ",  "zz",     "[x]",       "@",
                             "{",    "\x80",  "\xB5",   "\x8A", "\347a",  "\xC9t\xE9", "\xFF"};
    for (const char* name : created) {
        put(HKCU, key + "\\" + name, "", RegSz, "");
    }
    // By lower-cased Unicode characters, as Wine orders them: punctuation
    // between 'Z' and 'a' comes before the letters; "\x8A" is U+0160 and
    // "\x80" U+20AC.
    const std::vector<std::string> expected = {
        "10", "9",   "@", "[x]", "_under", "a b",   "Alph",      "Alpha", "alpha2", "beta", "Zeta",
        "zz", "ZZZ", "{", "~",   "\xB5",   "\347a", "\xC9t\xE9", "\xFF",  "\x8A",   "\x80"};
    EXPECT_EQ(subkeys(HKCU, key), expected);
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, key, static_cast<std::int32_t>(expected.size())),
              kNotFound);
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, key, -1), kNotFound);
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, key + "\\Alpha", 0), kNotFound) << "no subkeys";
    EXPECT_EQ(reg().EnumRegSubKey(HKCU, key + "\\Missing", 0), kNotFound);
}

// ---- deleting ----

TEST_P(RegistryContract, DeleteRegTreeRemovesTheSubkeyAndAllBelowIt) {
    const std::string key = scratch(HKCU);
    reg().WriteRegValue(HKCU, key, "keep", RegSz, std::string("parent value"));
    reg().WriteRegValue(HKCU, key + "\\Victim", "v", RegSz, std::string("1"));
    reg().WriteRegValue(HKCU, key + "\\Victim\\Deep\\Deeper", "v", RegDword, 1LL);
    reg().WriteRegValue(HKCU, key + "\\Victim\\Other", "v", RegBinary, std::string("b"));
    reg().WriteRegValue(HKCU, key + "\\Sibling\\Child", "v", RegSz, std::string("2"));
    reg().WriteRegValue(HKCU, key + "\\Victims", "v", RegSz, std::string("3"));

    EXPECT_EQ(reg().DeleteRegTree(HKCU, key, "VICTIM"), "0");
    EXPECT_EQ(subkeys(HKCU, key), (std::vector<std::string>{"Sibling", "Victims"}));
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "keep"), "parent value");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Victim\\Deep\\Deeper", "v"), kNotFound);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Sibling\\Child", "v"), "2");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Victims", "v"), "3");

    EXPECT_EQ(reg().DeleteRegTree(HKCU, key, "Victim"), "2") << "already gone";
    EXPECT_EQ(reg().DeleteRegTree(HKCU, key + "\\NoParent", "Victim"), "2");
    // A path below the parent names the key to delete.
    EXPECT_EQ(reg().DeleteRegTree(HKCU, key, "Sibling\\Child"), "0");
    EXPECT_EQ(subkeys(HKCU, key + "\\Sibling"), std::vector<std::string>{});
    // Never the parent itself: no name, or a bad path name (161).
    EXPECT_EQ(reg().DeleteRegTree(HKCU, key + "\\Victims", ""), "87");
    EXPECT_EQ(reg().DeleteRegTree(HKCU, key, "\\"), "161");
    EXPECT_EQ(reg().DeleteRegTree(HKCU, key, "\\Victims"), "161");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key + "\\Victims", "v"), "3");
}

TEST_P(RegistryContract, DeleteRegValueRemovesOnlyThatValue) {
    const std::string key = scratch(HKCU);
    reg().WriteRegValue(HKCU, key, "gone", RegSz, std::string("1"));
    reg().WriteRegValue(HKCU, key, "stays", RegSz, std::string("2"));
    reg().DeleteRegValue(HKCU, key, "gone");
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "gone"), kNotFound);
    EXPECT_EQ(reg().ReadRegValue(HKCU, key, "stays"), "2");
    reg().DeleteRegValue(HKCU, key, "gone");
    reg().DeleteRegValue(HKCU, key + "\\missing", "gone");
    EXPECT_EQ(store().deleteValue(HKCU, key, "gone"), platform::RegFileNotFound);
    EXPECT_EQ(store().deleteValue(HKCU, key + "\\missing", "x"), platform::RegFileNotFound);
    EXPECT_EQ(subkeys(HKCU, key), std::vector<std::string>{}) << "deleting creates nothing";
}

// ---- the other roots ----

TEST_P(RegistryContract, MachineAndClassesRootsWorkAlike) {
    for (std::uint32_t root : {HKLM, HKCR}) {
        const std::string key = scratch(root);
        ASSERT_EQ(reg().WriteRegValue(root, key + "\\Sub", "n", RegDword, 7LL), 0);
        reg().WriteRegValue(root, key + "\\Sub\\Deeper", "", RegSz, std::string("x"));
        EXPECT_EQ(reg().ReadRegValue(root, upper(key) + "\\SUB", "N"), "007");
        EXPECT_EQ(reg().EnumRegSubKey(root, key, 0), "Sub");
        EXPECT_EQ(reg().ReadRegValue(root, key + "\\Sub\\Deeper", ""), "x");
        EXPECT_EQ(reg().DeleteRegTree(root, key, "Sub"), "0");
        EXPECT_EQ(reg().ReadRegValue(root, key + "\\Sub", "n"), kNotFound);
        EXPECT_EQ(reg().ReadRegValue(HKCU, scratch(HKCU) + "\\Sub", "n"), kNotFound)
            << "each root is a tree of its own";
    }
}

} // namespace velmora::testing
