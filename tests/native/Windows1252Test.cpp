// Case pairs of the program's code page: the registry stand-in folds names
// to small letters, file names compare by capitals; both must pair the same
// letters.

#include "platform/Windows1252.h"

#include <gtest/gtest.h>

namespace velmora::platform::cp1252 {
namespace {

TEST(Windows1252Case, SmallAndCapitalLettersPairBothWays) {
    int pairs = 0;
    for (int b = 0; b < 256; ++b) {
        const auto byte = static_cast<unsigned char>(b);
        if (toLower(byte) != byte) {
            EXPECT_EQ(toUpper(toLower(byte)), byte) << "byte " << b;
            ++pairs;
        }
        if (toUpper(byte) != byte) {
            EXPECT_EQ(toLower(toUpper(byte)), byte) << "byte " << b;
        }
    }
    // A-Z, the 30 accented capitals, S and Z caron, OE, Y diaeresis.
    EXPECT_EQ(pairs, 26 + 30 + 4);
    EXPECT_EQ(toLower(0xC9), 0xE9); // E acute
    EXPECT_EQ(toLower(0x8C), 0x9C); // OE
    EXPECT_EQ(toLower(0x9F), 0xFF); // Y diaeresis
    EXPECT_EQ(toLower(0xD7), 0xD7); // the multiplication sign is no letter
    EXPECT_EQ(toLower(0xDF), 0xDF); // sharp s has no capital here
    EXPECT_EQ(toLower('_'), '_');
}

} // namespace
} // namespace velmora::platform::cp1252
