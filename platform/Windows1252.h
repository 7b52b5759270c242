#pragma once
// The program's texts are Windows-1252 bytes. These convert them to and from
// the encodings found outside the program (UTF-8 file names on Linux, UTF-16
// files) and compare them the way Windows compares file names.

#include <optional>
#include <string>
#include <string_view>

namespace velmora::platform::cp1252 {

// The Unicode code point of a byte. The five bytes Windows-1252 leaves
// undefined (81 8D 8F 90 9D) stand for the control characters of the same
// number, as Windows converts them.
char32_t toUnicode(unsigned char byte);
// The byte of a code point, or nothing when Windows-1252 has none.
std::optional<unsigned char> fromUnicode(char32_t codePoint);

std::string toUtf8(std::string_view text);
// Characters without a byte, and malformed sequences, become '?'.
std::string fromUtf8(std::string_view utf8);
// Little-endian UTF-16 units, two bytes each (an odd last byte is ignored).
// A surrogate pair is one character; characters without a byte become '?'.
std::string fromUtf16le(std::string_view bytes);

// The capital form of a letter (a-z, the accented small letters, s/z caron,
// oe and y diaeresis); other bytes, and letters whose capital the code page
// lacks (sharp s, micro sign), are returned as they are.
unsigned char toUpper(unsigned char byte);
// The small form of a capital letter, the same pairs the other way round.
unsigned char toLower(unsigned char byte);
bool equalNoCase(std::string_view a, std::string_view b);
// Orders names as Windows and Wine list a folder: by their capital
// characters ("_" after the letters), then exactly. Negative, zero or
// positive.
int compareNames(std::string_view a, std::string_view b);

} // namespace velmora::platform::cp1252
