// The registry contract: what the program's registry layer and any store
// behind it must do, byte for byte, as Windows' registry does it.

#include "contract/Backend.h"
#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"
#include "rules/RuleStorage.h"
#ifdef _WIN32
#include "platform/win32/Win32Registry.h"

#include <windows.h>
#endif

#include <gtest/gtest.h>

#include <cctype>
#include <tuple>

namespace velmora::testing {

using namespace platform;
using namespace std::string_literals;
using Texts = std::vector<std::string>;
using Stored = std::pair<std::uint32_t, std::string>;

namespace {

// The folder under each root that holds the scratch keys.
std::string scratchFolder(std::uint32_t root) {
    return root == HKCR ? "VelmoraContract" : "Software\\VelmoraContract";
}

std::string dword(std::uint32_t n) {
    return {char(n & 0xFF), char(n >> 8 & 0xFF), char(n >> 16 & 0xFF), char(n >> 24)};
}

// Each case works under <root>\...\VelmoraContract\<tag>, the tag unique to
// the process, so that runs side by side on one registry do not meet.
std::string scratch(std::uint32_t root) {
#ifdef _WIN32
    return scratchFolder(root) + "\\p" + std::to_string(GetCurrentProcessId());
#else
    return scratchFolder(root) + "\\run";
#endif
}

class RegistryContract : public ::testing::TestWithParam<Backend<Registry>> {
protected:
    void SetUp() override { TearDown(); } // what a run that did not finish left
    void TearDown() override {
        for (std::uint32_t root : {HKCU, HKLM, HKCR}) {
            const std::string folder = scratchFolder(root);
            store->deleteTree(root, folder, scratch(root).substr(folder.size() + 1));
            std::string first;
            if (store->enumSubKey(root, folder, 0, 256, first) != RegOk)
                store->deleteTree(root, root == HKCR ? "" : "Software", "VelmoraContract");
        }
    }
    // Type and bytes of a value, read with a buffer big enough for any.
    Stored stored(const std::string& value, const std::string& sub = "") const {
        RegData data;
        EXPECT_EQ(store->queryValue(HKCU, key + sub, value, 1 << 16, data), RegOk) << value;
        return {data.type, data.bytes};
    }
    void put(const std::string& sub, const std::string& value, std::uint32_t type,
             const std::string& bytes) const {
        ASSERT_EQ(store->setValue(HKCU, key + sub, value, type, bytes), RegOk) << sub << value;
    }
    // The program's reads and writes under the scratch key.
    std::string read(const std::string& sub, const std::string& value) const {
        return reg.ReadRegValue(HKCU, key + sub, value);
    }
    long write(const std::string& sub, const std::string& value, std::int32_t type,
               const RegInput& input) const {
        return reg.WriteRegValue(HKCU, key + sub, value, type, input);
    }
    // "a|b|c": the subkeys in enumeration order.
    std::string subkeys(const std::string& k, std::uint32_t root = HKCU) const {
        std::string names;
        for (std::int32_t index = 0; index < 1000; ++index) {
            const std::string name = reg.EnumRegSubKey(root, k, index);
            if (name == kNotFound)
                break;
            names += (index ? "|" : "") + name;
        }
        return names;
    }

    std::unique_ptr<Registry> store = GetParam().make();
    modRegistre reg{*store};
    const std::string key = scratch(HKCU);
};

} // namespace

// ---- reading: type, stored bytes, text the program reads ----

// REG_DWORD: unsigned decimal with at least three digits; of another length
// than four, the first four bytes count, missing ones as zero. REG_BINARY:
// upper-case hex, two digits a byte. Strings and any other type: the data
// less its terminating zero; data another tool stored without one (written
// here with the raw API) reads whole, its last character kept. The program
// reads with a buffer of 2048 bytes; a raw read gives all of it for binaries
// (blank-filled), the text otherwise (an empty raw column: the text).
TEST_P(RegistryContract, ValuesReadAsTextByTheirType) {
    const std::string bin(2048, '\xA5'), text(2048, 's'), blanks(2048, ' ');
    std::string hex;
    for (int i = 0; i < 2048; ++i)
        hex += "A5";
    using Row = std::tuple<std::uint32_t, std::string, std::string, std::string>;
    const std::vector<Row> rows = {
        {RegDword, dword(0), "000", ""},
        {RegDword, dword(42), "042", ""},
        {RegDword, dword(1000), "1000", ""},
        {RegDword, dword(0x80000000u), "2147483648", ""},
        {RegDword, dword(0xFFFFFFFFu), "4294967295", ""},
        {RegDword, "\x05\x01", "261", ""},
        {RegDword, "", "000", ""},
        {RegDword, "\x01\x00\x00\x00\xFF\xFF"s, "001", ""},
        {RegBinary, "\x01\x0A\xFF\xab", "010AFFAB", "\x01\x0A\xFF\xab" + blanks.substr(4)},
        {RegBinary, "", "", blanks},
        {RegBinary, bin.substr(1), hex.substr(2), bin.substr(1) + ' '},
        {RegBinary, bin, hex, bin},
        {RegBinary, bin + 'x', kNotFound, kNotFound},
        // A criteria word list: texts separated by zero bytes.
        {RegBinary, "viagra\0casino\0"s, "76696167726100636173696E6F00",
         "viagra\0casino\0"s + blanks.substr(14)},
        {RegSz, "abc\0"s, "abc", ""},
        {RegSz, "\0"s, "", ""},
        {RegSz, "", "", ""},
        {RegSz, "a\0b"s, "a\0b"s, ""},
        {RegSz, text.substr(1) + '\0', text.substr(1), ""},
        {RegSz, text + '\0', kNotFound, ""}, // the zero makes one byte more
        {RegSz, text, text, ""},             // without it the text fits
        {RegSz, text + 's', kNotFound, ""},
        {RegExpandSz, "%SystemRoot%\\x\0"s, "%SystemRoot%\\x", ""},
        {RegMultiSz, "one\0two\0\0"s, "one\0two\0"s, ""},
        {RegMultiSz, "one\0two"s, "one\0two"s, ""},
        {11 /* REG_QWORD */, "ABCD\0\0\0\0"s, "ABCD\0\0\0"s, ""},
        {0x12345, "ab", "ab", ""},
    };
    std::vector<Row> got;
    for (const auto& [type, bytes, asText, asRaw] : rows) {
        put("", "v", type, bytes);
        const auto [storedType, storedBytes] = stored("v");
        const std::string asRead = read("", "v"), raw = reg.ReadRegValueRaw(HKCU, key, "v");
        got.emplace_back(storedType, storedBytes, asRead,
                         asRaw.empty() && raw == asRead ? "" : raw);
    }
    EXPECT_EQ(got, rows);
}

// The rule storage reads an Order of any length (1000 names: 3999 bytes),
// with its terminating zero or without one, whole.
TEST_P(RegistryContract, OrdersReadWholeWithOrWithoutTheirZero) {
    std::string longOrder = "000";
    for (int i = 1; i < 1000; ++i)
        longOrder += ' ' + FormatSubkeyName(i);
    Texts got, want;
    for (const std::string& order : {"000 001"s, ""s, longOrder})
        for (const std::string& zero : {""s, "\0"s}) {
            put("", "Order", RegSz, order + zero);
            got.push_back(ReadOrder(reg, key));
            want.push_back(order);
        }
    EXPECT_EQ(got, want);
}

TEST_P(RegistryContract, StoreAnswersMoreDataWhenTheBufferIsTooSmall) {
    put("", "sz", RegSz, "abc\0"s);
    put("", "bare", RegSz, "abc");
    put("", "bin", RegBinary, "abcd");
    put("", "dword", RegDword, dword(9));
    put("", "empty", RegSz, "");
    put("\\abcd", "", RegSz, "");
    using Row = std::tuple<std::string, std::size_t, long, std::string>; // bytes when read
    const std::vector<Row> rows = {
        {"sz", 3, RegMoreData, ""},     {"sz", 4, RegOk, "abc\0"s},    {"sz", 0, RegMoreData, ""},
        {"bare", 2, RegMoreData, ""},   {"bare", 3, RegOk, "abc"},     {"bin", 3, RegMoreData, ""},
        {"dword", 3, RegMoreData, ""},  {"dword", 4, RegOk, dword(9)}, {"empty", 0, RegOk, ""},
        {"subkey", 4, RegMoreData, ""}, {"subkey", 5, RegOk, "abcd"}, // no room for the zero
    };
    std::vector<Row> got;
    for (const auto& [name, size, status, bytes] : rows) {
        RegData data;
        std::string& out = data.bytes;
        const long answer = name == "subkey" ? store->enumSubKey(HKCU, key, 0, size, out)
                                             : store->queryValue(HKCU, key, name, size, data);
        got.emplace_back(name, size, answer, answer == RegOk ? out : "");
    }
    EXPECT_EQ(got, rows);
}

// ---- writing ----

TEST_P(RegistryContract, DwordWritesOfValuesThatAreNoLongWriteNothing) {
    const RegInput refused[] = {"abc"s,       ""s,           "12abc"s,     "1 2"s,
                                "."s,         "--1"s,        2147483648LL, -2147483649LL,
                                2147483647.5, -2147483648.6, 1e300,        "99999999999"s};
    std::vector<long> got;
    for (const RegInput& input : refused)
        got.push_back(write("\\never", "d", RegDword, input));
    EXPECT_EQ(got, std::vector<long>(std::size(refused), RegInvalidParameter));
    EXPECT_EQ(subkeys(key), "") << "not even the key was made";
}

// DWORDs store signed longs, least significant byte first, halves rounded
// to even. Texts append one zero and keep their type; types the program does
// not know write a string without its zero.
TEST_P(RegistryContract, WritesStoreTheTypeAndBytesOfTheirInput) {
    const std::vector<std::tuple<std::int32_t, RegInput, Stored>> rows = {
        {RegDword, 0x50000LL, {RegDword, dword(327680)}},
        {RegDword, "007"s, {RegDword, dword(7)}},
        {RegDword, " 12 "s, {RegDword, dword(12)}},
        {RegDword, "-3"s, {RegDword, dword(0xFFFFFFFDu)}},
        {RegDword, 2147483647LL, {RegDword, dword(0x7FFFFFFFu)}},
        {RegDword, -2147483648LL, {RegDword, dword(0x80000000u)}},
        {RegDword, 2.5, {RegDword, dword(2)}},
        {RegDword, 3.5, {RegDword, dword(4)}},
        {RegDword, -2.5, {RegDword, dword(0xFFFFFFFEu)}},
        {RegDword, 2.5000001, {RegDword, dword(3)}},
        {RegDword, -2147483648.5, {RegDword, dword(0x80000000u)}},
        {RegDword, "2.5"s, {RegDword, dword(2)}},
        {RegDword, "-0.5"s, {RegDword, dword(0)}},
        {RegSz, "000"s, {RegSz, "000\0"s}},
        {RegBinary, "abc"s, {RegBinary, "abc\0"s}},
        {RegExpandSz, "%TEMP%\\x"s, {RegExpandSz, "%TEMP%\\x\0"s}},
        {RegMultiSz, "a\0b\0"s, {RegMultiSz, "a\0b\0\0"s}},
        {RegSz, ""s, {RegSz, "\0"s}},
        {RegSz, 42LL, {RegSz, "42\0"s}},
        {RegSz, 1.5, {RegSz, "1.5\0"s}},
        {RegSz, 1e20, {RegSz, "1E+20\0"s}},
        {0, "abc"s, {RegSz, "abc"}},
        {-1, ""s, {RegSz, ""}}};
    std::vector<Stored> got, want;
    for (const auto& [type, input, result] : rows) {
        EXPECT_EQ(write("", "v", type, input), 0);
        got.push_back(stored("v"));
        want.push_back(result);
    }
    EXPECT_EQ(got, want);

    // A batch stores the same, in its key or below it, alternating.
    {
        const velmora::RegWriteBatch batch(reg, HKCU, key);
        for (std::size_t i = 0; i < rows.size(); ++i)
            EXPECT_EQ(batch.WriteRegValue(i % 2 ? "b\\c" : "", std::to_string(i),
                                          std::get<0>(rows[i]), std::get<1>(rows[i])),
                      0);
    }
    got.clear();
    for (std::size_t i = 0; i < rows.size(); ++i)
        got.push_back(stored(std::to_string(i), i % 2 ? "\\b\\c" : ""));
    EXPECT_EQ(got, want);
}

// Octal escapes: "\347" is c with cedilla (0xE7), "\307" its capital. Under
// Windows the round trip needs code page 1252, that of the language files.
TEST_P(RegistryContract, Windows1252TextRoundTripsByteForByte) {
    std::string every;
    for (int byte = 1; byte < 256; ++byte)
        every.push_back(static_cast<char>(byte));
    for (const std::string& text : {"Fran\347ais"s, "\x80"s, "\x81\x8D\x8F\x90\x9D"s, every}) {
        write("", "\xC9t\xE9", RegSz, text);
        write("", "raw", RegBinary, text);
        EXPECT_EQ((Texts{stored("\xC9t\xE9").second, read("", "\xC9t\xE9"),
                         reg.ReadRegValueRaw(HKCU, key, "raw").substr(0, text.size() + 1)}),
                  (Texts{text + '\0', text, text + '\0'}));
    }
    // Accented names fold their case too: 0xE9 and 0xC9 are one letter, and
    // so are 0xFF and 0x9F, 0x9C and 0x8C.
    write("\\Fran\347ais", "\xFF\x9C", RegSz, "1"s);
    write("\\fran\347AIS", "", RegSz, "2"s);
    EXPECT_EQ((Texts{read("", "\xE9T\xC9"), read("\\FRAN\307AIS", "\x9F\x8C"), subkeys(key)}),
              (Texts{every, "1", "Fran\347ais"}));
}

TEST_P(RegistryContract, WritesCreateTheWholePathSkippingEmptyNames) {
    // Writes create the whole missing path; a leading backslash is a bad path
    // name (161), not the root.
    write("\\a\\\\b\\c\\", "v", RegSz, "x"s);
    EXPECT_EQ((Texts{subkeys(key), subkeys(key + "\\a"), subkeys(key + "\\a\\b"),
                     read("\\a\\b", "v"), read("\\a\\b\\c", "v"), read("\\a\\b\\c\\", "v"),
                     reg.ReadRegValue(HKCU, "\\" + key + "\\a\\b\\c", "v"),
                     std::to_string(reg.WriteRegValue(HKCU, "\\" + key + "\\c", "v", RegSz, "x"s)),
                     reg.EnumRegSubKey(HKCU, "\\" + key, 0), subkeys(key)}),
              (Texts{"a", "b", "c", kNotFound, "x", "x", kNotFound, "161", kNotFound, "a"}));
}

// ---- enumerating ----

TEST_P(RegistryContract, SubkeysEnumerateInTheRegistrysSortedOrder) {
    for (const char* name : {"beta", "Alpha", "_under", "Zeta", "alpha2", "10",        "9",
                             "~",    "a b",   "Alph",   "ZZZ",  "zz",     "[x]",       "@",
                             "{",    "\x80",  "\xB5",   "\x8A", "\347a",  "\xC9t\xE9", "\xFF"})
        put("\\"s + name, "", RegSz, "");
    // By lower-cased Unicode characters, as Wine orders them: punctuation
    // between 'Z' and 'a' comes before the letters; "\x8A" is U+0160 and
    // "\x80" U+20AC.
    EXPECT_EQ(subkeys(key), "10|9|@|[x]|_under|a b|Alph|Alpha|alpha2|beta|Zeta|zz|ZZZ|{|~|"
                            "\xB5|\347a|\xC9t\xE9|\xFF|\x8A|\x80");
    EXPECT_EQ((Texts{reg.EnumRegSubKey(HKCU, key, 21), reg.EnumRegSubKey(HKCU, key, -1),
                     reg.EnumRegSubKey(HKCU, key + "\\Alpha", 0),
                     reg.EnumRegSubKey(HKCU, key + "\\Missing", 0)}),
              Texts(4, kNotFound));
}

// A read batch holds its key open; it answers what the calls one by one do.
TEST_P(RegistryContract, ReadBatchAnswersAsTheCallsOneByOne) {
    put("\\b", "v", RegSz, "two"s + '\0');
    put("\\A", "v", RegDword, dword(7));
    put("\\c", "v", RegSz, "no zero");
    put("\\c", "big", RegBinary, std::string(2049, 'x'));
    put("\\A\\deep", "v", RegSz, "below"s + '\0');
    const velmora::RegReadBatch batch(reg, HKCU, key);
    Texts got;
    for (std::int32_t index = 0; index < 4; ++index) {
        const std::string name = batch.EnumRegSubKey(index);
        got.push_back(name + "=" + batch.ReadRegValue(name, "v"));
    }
    got.push_back(batch.ReadRegValue("c", "big"));
    got.push_back(batch.ReadRegValue("A\\deep", "v"));
    got.push_back(batch.ReadRegValue("missing", "v"));
    EXPECT_EQ(got, (Texts{"A=007", "b=two", "c=no zero", kNotFound + "=" + kNotFound, kNotFound,
                          "below", kNotFound}));
    const velmora::RegReadBatch missing(reg, HKCU, key + "\\missing");
    EXPECT_EQ((Texts{missing.EnumRegSubKey(0), missing.ReadRegValue("", "v")}),
              Texts(2, kNotFound));
}

// ---- deleting ----

TEST_P(RegistryContract, DeleteRegTreeRemovesTheSubkeyAndAllBelowIt) {
    write("", "keep", RegSz, "parent value"s);
    write("\\Victim", "v", RegSz, "1"s);
    write("\\Victim\\Deep\\Deeper", "v", RegDword, 1LL);
    write("\\Victim\\Other", "v", RegBinary, "b"s);
    write("\\Sibling\\Child", "v", RegSz, "2"s);
    write("\\Victims", "v", RegSz, "3"s);
    // Gone already, or no parent: 2. A path below the parent names the key to
    // delete; never the parent itself: no name (87), a bad path name (161).
    Texts got;
    for (const auto& [parent, name] :
         std::vector<std::pair<std::string, std::string>>{{"", "VICTIM"},
                                                          {"", "Victim"},
                                                          {"\\NoParent", "Victim"},
                                                          {"", "Sibling\\Child"},
                                                          {"\\Victims", ""},
                                                          {"", "\\"},
                                                          {"", "\\Victims"}})
        got.push_back(reg.DeleteRegTree(HKCU, key + parent, name));
    EXPECT_EQ(got, (Texts{"0", "2", "2", "0", "87", "161", "161"}));
    EXPECT_EQ((Texts{subkeys(key), subkeys(key + "\\Sibling"), read("", "keep"),
                     read("\\Victim\\Deep\\Deeper", "v"), read("\\Victims", "v")}),
              (Texts{"Sibling|Victims", "", "parent value", kNotFound, "3"}));
}

// The default value is the empty name. Missing keys and values read as not
// found; deleting a value leaves the others and creates nothing.
TEST_P(RegistryContract, DeleteRegValueRemovesOnlyThatValue) {
    write("", "", RegSz, "default"s);
    write("", "named", RegSz, "other"s);
    Texts got{read("", ""), read("", "named")};
    write("", "", RegDword, 5LL);
    got.push_back(read("", ""));
    EXPECT_EQ(got, (Texts{"default", "other", "005"}));
    write("", "gone", RegSz, "1"s);
    reg.DeleteRegValue(HKCU, key, "");
    reg.DeleteRegValue(HKCU, key, "gone");
    reg.DeleteRegValue(HKCU, key, "gone");
    reg.DeleteRegValue(HKCU, key + "\\missing", "gone");
    EXPECT_EQ(
        (Texts{read("\\missing", "x"), reg.ReadRegValueRaw(HKCU, key + "\\missing", "x"),
               reg.ReadRegValueRaw(HKCU, key, "gone"), read("", ""), read("", "gone"),
               read("", "named"), std::to_string(store->deleteValue(HKCU, key, "gone")),
               std::to_string(store->deleteValue(HKCU, key + "\\missing", "x")), subkeys(key)}),
        (Texts{kNotFound, kNotFound, kNotFound, kNotFound, kNotFound, "other", "2", "2", ""}));
}

// ---- the roots: each a tree of its own, its names compared without case ----

TEST_P(RegistryContract, NamesCompareWithoutCaseAndKeepTheirSpellingInEachRoot) {
    for (std::uint32_t root : {HKCU, HKLM, HKCR}) {
        const std::string k = scratch(root), oe = k + "\\Microsoft\\Outlook Express";
        std::string upper = k, lower = k;
        for (std::size_t i = 0; i < k.size(); ++i)
            upper[i] = char(std::toupper(k[i])), lower[i] = char(std::tolower(k[i]));
        ASSERT_EQ(reg.WriteRegValue(root, oe, "MixedCase", RegDword, 1LL), 0);
        Texts got{reg.ReadRegValue(root, upper + "\\MICROSOFT\\outlook express", "MIXEDCASE")};
        reg.WriteRegValue(root, lower + "\\microsoft\\OUTLOOK EXPRESS", "mixedcase", RegDword, 2LL);
        reg.WriteRegValue(root, oe + "\\Deeper", "", RegSz, "x"s);
        got.push_back(reg.ReadRegValue(root, oe, "MixedCase"));
        got.push_back(subkeys(k, root) + "/" + subkeys(k + "\\Microsoft", root));
        got.push_back(reg.ReadRegValue(root == HKCU ? HKLM : HKCU, oe, "MixedCase"));
        reg.DeleteRegValue(root, k + "\\MICROSOFT\\Outlook Express", "MIXEDcase");
        got.push_back(reg.ReadRegValue(root, oe, "MixedCase"));
        got.push_back(reg.ReadRegValue(root, oe + "\\Deeper", ""));
        got.push_back(reg.DeleteRegTree(root, k, "Microsoft"));
        got.push_back(reg.ReadRegValue(root, oe + "\\Deeper", ""));
        EXPECT_EQ(got, (Texts{"001", "002", "Microsoft/Outlook Express", kNotFound, kNotFound, "x",
                              "0", kNotFound}))
            << root;
    }
}

const auto memory = [] { return std::make_unique<portable::MemoryRegistry>(); };
#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Backends, RegistryContract,
    ::testing::Values(Backend<Registry>{"Win32",
                                        [] { return std::make_unique<win32::Win32Registry>(); }},
                      Backend<Registry>{"Memory", memory}),
    BackendName);
#else
INSTANTIATE_TEST_SUITE_P(Memory, RegistryContract,
                         ::testing::Values(Backend<Registry>{"Memory", memory}), BackendName);
#endif

} // namespace velmora::testing

namespace velmora {

// How the program takes a number from a value's text.
TEST(LeadingNumber, TakesTheLeadingDigitsOnly) {
    const std::vector<std::pair<std::string, long long>> rows = {
        {"001", 1},      {"4294967295", 4294967295LL},
        {"12abc34", 12}, {kNotFound, 0},
        {"", 0},         {"-5", 0},
        {" 5", 0},       {"99999999999999999999999", 9223372036854775807LL}};
    std::vector<std::pair<std::string, long long>> got;
    for (const auto& [text, number] : rows)
        got.emplace_back(text, LeadingNumber(text));
    EXPECT_EQ(got, rows);
}

} // namespace velmora
