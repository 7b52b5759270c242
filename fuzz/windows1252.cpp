// The Windows-1252 conversions: UTF-8 and UTF-16 text from outside the
// program, and the case rules names are compared with.

#include "FuzzCheck.h"
#include "platform/Windows1252.h"

#include <cstdint>
#include <string>

namespace cp1252 = velmora::platform::cp1252;
using velmora::fuzz::Require;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    // Every byte has a character, so program text survives a trip through UTF-8.
    Require(cp1252::fromUtf8(cp1252::toUtf8(bytes)) == bytes, "fromUtf8(toUtf8(x)) == x");
    // Text from outside: one byte per character at most, and stable once converted.
    const std::string fromUtf8 = cp1252::fromUtf8(bytes);
    Require(fromUtf8.size() <= bytes.size(), "fromUtf8 gives a byte per character at most");
    Require(cp1252::fromUtf8(cp1252::toUtf8(fromUtf8)) == fromUtf8, "converted text is stable");
    const std::string fromUtf16 = cp1252::fromUtf16le(bytes);
    Require(fromUtf16.size() <= bytes.size() / 2, "fromUtf16le gives a byte per unit at most");

    for (char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        const auto back = cp1252::fromUnicode(cp1252::toUnicode(byte));
        Require(back && *back == byte, "fromUnicode(toUnicode(b)) == b");
        const unsigned char upper = cp1252::toUpper(byte);
        const unsigned char lower = cp1252::toLower(byte);
        Require(cp1252::toUpper(upper) == upper && cp1252::toLower(lower) == lower,
                "case mapping is idempotent");
        Require(upper == byte || cp1252::toLower(upper) == byte, "toLower undoes toUpper");
        Require(lower == byte || cp1252::toUpper(lower) == byte, "toUpper undoes toLower");
    }
    if (size >= 4) {
        const char32_t codePoint = static_cast<char32_t>(data[0] | data[1] << 8 | data[2] << 16 |
                                                         static_cast<std::uint32_t>(data[3]) << 24);
        if (const auto byte = cp1252::fromUnicode(codePoint))
            Require(cp1252::toUnicode(*byte) == codePoint, "toUnicode(fromUnicode(c)) == c");
    }

    // Two names from the input: comparison is an order, equality without case
    // an equivalence that the order agrees with.
    const std::string a = bytes.substr(0, size / 2);
    const std::string b = bytes.substr(size / 2);
    Require(cp1252::equalNoCase(a, a) && cp1252::compareNames(a, a) == 0, "reflexive");
    Require(cp1252::equalNoCase(a, b) == cp1252::equalNoCase(b, a), "equalNoCase symmetric");
    const int ab = cp1252::compareNames(a, b), ba = cp1252::compareNames(b, a);
    Require((ab < 0) == (ba > 0) && (ab == 0) == (ba == 0), "compareNames antisymmetric");
    Require(ab != 0 || a == b, "compareNames is 0 only for the same name");
    return 0;
}
