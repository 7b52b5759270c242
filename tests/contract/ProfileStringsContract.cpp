#include "contract/ProfileStringsContract.h"

namespace velmora::testing {

std::string ProfileBackendName(const ::testing::TestParamInfo<ProfileBackend>& info) {
    return info.param.name;
}

std::string ProfileStringsContract::file(const std::string& bytes) {
    // A new name for every file: the system keeps recently read files and
    // would not see a rewrite within the same second.
    const std::string name = "case" + std::to_string(++files_) + ".lng";
    EXPECT_TRUE(world_->write(name, bytes)) << name;
    return world_->path(name);
}

std::string ProfileStringsContract::get(const std::string& path, const std::string& section,
                                        const std::string& key, const std::string& defaultValue) {
    return world_->profile().getString(section, key, defaultValue, path, 255);
}

namespace {

// Bytes with zeros in them.
template <std::size_t N> std::string bytesOf(const char (&text)[N]) {
    return std::string(text, N - 1);
}

} // namespace

TEST_P(ProfileStringsContract, BlanksAroundNamesAndValuesGoQuotedBlanksStay) {
    const std::string path = file("[Blanks]\r\n"
                                  "plain=   three blanks before, two after  \r\n"
                                  "\ttabbed\t=\tvalue\t\r\n"
                                  "double=\"  kept blanks  \"\r\n"
                                  "single='  kept too '\r\n"
                                  "outer=   \"inner\"   \r\n"
                                  "  spaced key  = x\r\n");
    EXPECT_EQ(get(path, "Blanks", "plain"), "three blanks before, two after");
    EXPECT_EQ(get(path, "Blanks", "tabbed"), "value");
    EXPECT_EQ(get(path, "Blanks", "double"), "  kept blanks  ");
    EXPECT_EQ(get(path, "Blanks", "single"), "  kept too ");
    EXPECT_EQ(get(path, "Blanks", "outer"), "inner");
    EXPECT_EQ(get(path, "Blanks", "spaced key"), "x");
}

TEST_P(ProfileStringsContract, OnlyOneMatchingPairOfEnclosingQuotesGoes) {
    const std::string path = file("[Quotes]\r\n"
                                  "twice=\"\"two pairs\"\"\r\n"
                                  "mixed=\"mixed'\r\n"
                                  "open=\"open only\r\n"
                                  "close=close only\"\r\n"
                                  "inside=an \"inner\" word\r\n"
                                  "ends=\"a\" and \"b\"\r\n"
                                  "empty=\"\"\r\n"
                                  "lone=\"\r\n");
    EXPECT_EQ(get(path, "Quotes", "twice"), "\"two pairs\"");
    EXPECT_EQ(get(path, "Quotes", "mixed"), "\"mixed'");
    EXPECT_EQ(get(path, "Quotes", "open"), "\"open only");
    EXPECT_EQ(get(path, "Quotes", "close"), "close only\"");
    EXPECT_EQ(get(path, "Quotes", "inside"), "an \"inner\" word");
    EXPECT_EQ(get(path, "Quotes", "ends"), "a\" and \"b");
    EXPECT_EQ(get(path, "Quotes", "empty", "default"), "");
    EXPECT_EQ(get(path, "Quotes", "lone"), "\"");
}

TEST_P(ProfileStringsContract, NamesMatchWhateverTheCaseOfTheirPlainLetters) {
    const std::string path = file("[onglet0]\r\n"
                                  "TITRE=Messagerie\r\n"
                                  "[Fran\xC7" // C cedilla
                                  "ais]\r\n"
                                  "CL\xC9=accent\r\n");
    EXPECT_EQ(get(path, "Onglet0", "Titre"), "Messagerie");
    EXPECT_EQ(get(path, "ONGLET0", "titre"), "Messagerie");
    EXPECT_EQ(get(path,
                  "fRAN\xC7"
                  "AIS",
                  "Cl\xC9"),
              "accent");
    // Accented letters are compared as they are written.
    EXPECT_EQ(get(path,
                  "Fran\xE7"
                  "ais",
                  "cl\xE9"),
              "");
}

TEST_P(ProfileStringsContract, FirstMatchingEntryOfFirstMatchingSectionCounts) {
    const std::string path = file("[A]\r\n"
                                  "key=first\r\n"
                                  "KEY=second\r\n"
                                  "[B]\r\n"
                                  "key=in B\r\n"
                                  "[a]\r\n"
                                  "key=in the second A\r\n"
                                  "later=only in the second A\r\n");
    EXPECT_EQ(get(path, "A", "key"), "first");
    EXPECT_EQ(get(path, "B", "key"), "in B");
    EXPECT_EQ(get(path, "A", "later", "default"), "default");
}

TEST_P(ProfileStringsContract, EmptyValueIsEmptyMissingOnesGiveTheDefault) {
    const std::string path = file("[S]\r\n"
                                  "empty=\r\n"
                                  "blank=    \r\n"
                                  "no equals sign\r\n"
                                  "=no name\r\n");
    EXPECT_EQ(get(path, "S", "empty", "default"), "");
    EXPECT_EQ(get(path, "S", "blank", "default"), "");
    EXPECT_EQ(get(path, "S", "absent", "default"), "default");
    EXPECT_EQ(get(path, "S", "absent"), "");
    EXPECT_EQ(get(path, "Missing", "empty", "default"), "default");
    EXPECT_EQ(get(path, "S", "no equals sign", "default"), "default");
    EXPECT_EQ(get(world().path("not there.lng"), "S", "empty", "default"), "default");
    EXPECT_EQ(get(world().path("not there.lng"), "S", "empty"), "");
}

TEST_P(ProfileStringsContract, LongValuesAreCutToTheBuffer) {
    const std::string value(300, 'v');
    const std::string huge = std::string(99'990, 'w') + "end";
    const std::string path =
        file("[S]\r\nlong=" + value + "\r\nhuge=" + huge + "\r\nafter=still read\r\n");
    EXPECT_EQ(get(path, "S", "long"), value.substr(0, 254));
    EXPECT_EQ(get(path, "S", "huge"), huge.substr(0, 254));
    EXPECT_EQ(get(path, "S", "after"), "still read");
    EXPECT_EQ(world().profile().getString("S", "long", "", path, 301), value);
    EXPECT_EQ(world().profile().getString("S", "long", "", path, 2), "v");
    EXPECT_EQ(world().profile().getString("S", "absent", "a long default", path, 7), "a long");
}

TEST_P(ProfileStringsContract, LineEndsOfEveryKindAndWindows1252Text) {
    for (const char* bytes : {"[S]\nfirst=1\nsecond=2\n", "[S]\rfirst=1\rsecond=2\r",
                              "\r\n\r\n  [S]  \r\n\r\nfirst=1\n\r\nsecond=2"}) {
        const std::string path = file(bytes);
        EXPECT_EQ(get(path, "S", "first"), "1") << bytes;
        EXPECT_EQ(get(path, "S", "second"), "2") << bytes;
    }
    const std::string noFinal = file("[S]\r\nfirst=1\r\nlast=no line end");
    EXPECT_EQ(get(noFinal, "S", "last"), "no line end");

    const std::string accented = "Exp\xE9"
                                 "diteurs bloqu\xE9s \xAB guillemets \xBB \x80 \x9C\xFF";
    const std::string path = file("[Onglet3]\r\nTitre=" + accented + "\r\n");
    EXPECT_EQ(get(path, "Onglet3", "Titre"), accented);
}

TEST_P(ProfileStringsContract, SectionHeadersAsTheSystemReadsThem) {
    const std::string path = file("outside=before any section\r\n"
                                  "[Spaced ]\r\n"
                                  "a=1\r\n"
                                  "[Bracket]ed]\r\n"
                                  "b=2\r\n"
                                  "[Open\r\n"
                                  "c=3\r\n");
    // Entries before the first header belong to a section without a name.
    EXPECT_EQ(get(path, "", "outside", "default"), "before any section");
    EXPECT_EQ(get(path, "Spaced", "a", "default"), "1");
    EXPECT_EQ(get(path, "Bracket]ed", "b", "default"), "2");
    EXPECT_EQ(get(path, "Spaced", "c", "default"), "default");
    // A line without a closing bracket starts no section.
    EXPECT_EQ(get(path, "Bracket]ed", "c", "default"), "3");
    EXPECT_EQ(get(path, "Open", "c", "default"), "default");
}

TEST_P(ProfileStringsContract, JunkAroundTheEntriesDoesNotHideThem) {
    const std::string path = file(bytesOf("[S]\r\n"
                                          "before=1\r\n"
                                          "\x01\x02\x7F junk \x1B\r\n"
                                          "after=2\r\n"));
    EXPECT_EQ(get(path, "S", "before"), "1");
    EXPECT_EQ(get(path, "S", "after"), "2");
    EXPECT_EQ(get(path, "S", "missing"), "");
}

TEST_P(ProfileStringsContract, WrittenValuesReadBack) {
    const std::string path = world().path("written.ini");
    ASSERT_TRUE(world().profile().writeString("Setup", "First", "one", path));
    ASSERT_TRUE(world().profile().writeString("Setup", "Second", "two words", path));
    ASSERT_TRUE(world().profile().writeString("Other", "Third", "3", path));
    ASSERT_TRUE(world().profile().writeString("setup", "FIRST", "replaced", path));
    EXPECT_EQ(world().read("written.ini").value_or("(missing)"),
              "[Setup]\r\nFirst=replaced\r\nSecond=two words\r\n[Other]\r\nThird=3\r\n");
    EXPECT_EQ(get(path, "Setup", "First"), "replaced");
    EXPECT_EQ(get(path, "Other", "Third"), "3");
}

} // namespace velmora::testing
