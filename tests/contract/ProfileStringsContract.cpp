// The profile-string contract: what any reader of the program's INI files
// must answer, as Windows' GetPrivateProfileStringA does.

#include "contract/Backend.h"
#include "contract/ScratchDrive.h"
#include "platform/portable/IniProfileStrings.h"
#ifdef _WIN32
#include "platform/win32/Win32ProfileStrings.h"
#endif

#include <gtest/gtest.h>

#include <tuple>
#include <vector>

namespace velmora::testing {
namespace {

using Texts = std::vector<std::string>;
using Lookups = std::vector<std::tuple<std::string, std::string, std::string>>;

// A reader with a scratch folder of its own: under Wine the system's reader or
// the portable one over real files.
struct ProfileWorld : ScratchDrive {
    std::unique_ptr<platform::ProfileStrings> reader;
};

template <typename Reader> std::unique_ptr<ProfileWorld> world() {
    auto made = std::make_unique<ProfileWorld>();
    if constexpr (std::is_constructible_v<Reader, platform::FileSystem&>)
        made->reader = std::make_unique<Reader>(made->files);
    else
        made->reader = std::make_unique<Reader>();
    return made;
}

class ProfileStringsContract : public ::testing::TestWithParam<Backend<ProfileWorld>> {
protected:
    // Writes a file of its own for this case and answers its path: the system
    // keeps recently read files and would not see a rewrite within a second.
    std::string file(const std::string& bytes) {
        const std::string path = world_->at("case" + std::to_string(++files_) + ".lng");
        EXPECT_TRUE(world_->files.writeFile(path, bytes)) << path;
        return path;
    }
    // The rows (section, key, value) with each value as the program reads it:
    // 255-byte buffer, "default" when missing.
    Lookups read(const std::string& path, Lookups rows) {
        for (auto& [section, key, value] : rows)
            value = profile().getString(section, key, "default", path, 255);
        return rows;
    }
    platform::ProfileStrings& profile() { return *world_->reader; }

    std::unique_ptr<ProfileWorld> world_ = GetParam().make();
    int files_ = 0;
};

} // namespace

// Blanks around names and values go, quoted ones stay; one matching pair of
// enclosing quotes goes. Plain letters match whatever their case, accented
// ones as written ("\307" is C cedilla); the first matching entry of the
// first matching section counts. Entries before the first header belong to
// a section without a name; a line without a closing bracket starts no
// section; junk hides nothing.
TEST_P(ProfileStringsContract, ValuesAsTheSystemReadsThem) {
    const std::string accented = "Exp\351diteurs bloqu\351s \253 guillemets \273 \200 \234\377";
    const Lookups lineEnds = {{"S", "first", "1"}, {"S", "second", "2"}};
    const struct {
        const char* name;
        std::string text;
        Lookups rows;
    } cases[] = {
        {"blanks",
         "[Blanks]\r\nplain=   three blanks before, two after  \r\n"
         "\ttabbed\t=\tvalue\t\r\ndouble=\"  kept blanks  \"\r\n"
         "single='  kept too '\r\nouter=   \"inner\"   \r\n  spaced key  = x\r\n",
         {{"Blanks", "plain", "three blanks before, two after"},
          {"Blanks", "tabbed", "value"},
          {"Blanks", "double", "  kept blanks  "},
          {"Blanks", "single", "  kept too "},
          {"Blanks", "outer", "inner"},
          {"Blanks", "spaced key", "x"}}},
        {"quotes",
         "[Q]\r\ntwice=\"\"two pairs\"\"\r\nmixed=\"mixed'\r\nopen=\"open only\r\n"
         "close=close only\"\r\ninside=an \"inner\" word\r\n"
         "ends=\"a\" and \"b\"\r\nempty=\"\"\r\nlone=\"\r\n",
         {{"Q", "twice", "\"two pairs\""},
          {"Q", "mixed", "\"mixed'"},
          {"Q", "open", "\"open only"},
          {"Q", "close", "close only\""},
          {"Q", "inside", "an \"inner\" word"},
          {"Q", "ends", "a\" and \"b"},
          {"Q", "empty", ""},
          {"Q", "lone", "\""}}},
        {"names",
         "[onglet0]\r\nTITRE=Messagerie\r\n[Fran\307ais]\r\nCL\311=accent\r\n[A]\r\nkey="
         "first\r\nKEY=second\r\n"
         "[B]\r\nkey=in B\r\n[a]\r\nkey=in the second A\r\nlater=only there\r\n",
         {{"Onglet0", "Titre", "Messagerie"},
          {"fRAN\307AIS", "Cl\311", "accent"},
          {"Fran\347ais", "cl\351", "default"},
          {"A", "key", "first"},
          {"B", "key", "in B"},
          {"A", "later", "default"}}},
        {"empty and missing",
         "[S]\r\nempty=\r\nblank=    \r\nno equals sign\r\n=no name\r\n",
         {{"S", "empty", ""},
          {"S", "blank", ""},
          {"S", "absent", "default"},
          {"Missing", "empty", "default"},
          {"S", "no equals sign", "default"}}},
        {"headers and junk",
         "outside=before any section\r\n[Spaced ]\r\na=1\r\n[Bracket]ed]\r\nb=2\r\n"
         "[Open\r\nc=3\r\n\x01\x02\x7F junk \x1B\r\nafter=4\r\n",
         {{"", "outside", "before any section"},
          {"Spaced", "a", "1"},
          {"Bracket]ed", "b", "2"},
          {"Spaced", "c", "default"},
          {"Bracket]ed", "c", "3"},
          {"Open", "c", "default"},
          {"Bracket]ed", "after", "4"}}},
        {"LF", "[S]\nfirst=1\nsecond=2\n", lineEnds},
        {"CR", "[S]\rfirst=1\rsecond=2\r", lineEnds},
        {"mixed line ends", "\r\n\r\n  [S]  \r\n\r\nfirst=1\n\r\nsecond=2", lineEnds},
        {"Windows-1252",
         "[Onglet3]\r\nTitre=" + accented + "\r\n",
         {{"Onglet3", "Titre", accented}}},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(read(file(row.text), row.rows), row.rows);
    }
}

TEST_P(ProfileStringsContract, LongValuesAreCutToTheBuffer) {
    const std::string value(300, 'v'), huge = std::string(99'990, 'w') + "end";
    const std::string path =
        file("[S]\r\nlong=" + value + "\r\nhuge=" + huge + "\r\nafter=still read\r\n");
    const Lookups rows = {{"S", "long", value.substr(0, 254)},
                          {"S", "huge", huge.substr(0, 254)},
                          {"S", "after", "still read"}};
    EXPECT_EQ(read(path, rows), rows);
    EXPECT_EQ((Texts{profile().getString("S", "long", "", path, 301),
                     profile().getString("S", "long", "", path, 2),
                     profile().getString("S", "absent", "a long default", path, 7),
                     profile().getString("S", "absent", "", path, 255),
                     profile().getString("S", "long", "default", world_->at("none.lng"), 255)}),
              (Texts{value, "v", "a long", "", "default"}));
}

// What a setup file looks like after the writer's edits: the value of a key
// that is there changes in place, a missing key joins the end of its
// section, a missing section the end of the file, a missing file is made.
// The other lines stay, in their order, without their surrounding blanks;
// blank lines go.
TEST_P(ProfileStringsContract, WritesLeaveEveryOtherLineAsItWas) {
    const struct {
        const char* before; // no file when null
        Lookups writes;
        const char* after;
    } cases[] = {
        {"; head\r\n[Version]\r\nSignature=\"$CHICAGO$\"\r\n  LayoutFile = layout.inf ; old\r\n\r\n"
         "[Other]\r\njunk line\r\n\tk=v\r\n",
         {{"version", "layoutfile", ""},
          {"Version", "AdvancedINF", "2.5"},
          {"Other", "k", "w"},
          {"New", "a", "1"}},
         "; head\r\n[Version]\r\nSignature=\"$CHICAGO$\"\r\nLayoutFile=\r\nAdvancedINF=2.5\r\n"
         "[Other]\r\njunk line\r\nk=w\r\n[New]\r\na=1\r\n"},
        {"[A]\r\nx=1\r\n; comment\r\n\r\n\r\n[B]\r\ny=2",
         {{"A", "z", "3"}, {"B", "y", "4"}},
         "[A]\r\nx=1\r\n; comment\r\nz=3\r\n[B]\r\ny=4\r\n"},
        {"[A]\nx=1\n[A]\nx=2\n", {{"A", "x", "9"}}, "[A]\r\nx=9\r\n[A]\r\nx=2\r\n"},
        {"", {{"S", "k", "v"}}, "[S]\r\nk=v\r\n"},
        {"  ; indented\r\n[S] tail\r\n a = b \r\n[Open\r\nbare\r\n[T]\r\n",
         {{"S", "c", "d"}, {"S", "BARE", "e"}},
         "; indented\r\n[S]\r\na=b\r\n[Open\r\nbare=e\r\nc=d\r\n[T]\r\n"},
        {nullptr,
         {{"Version", "LayoutFile", ""},
          {"Setup", "First", "one"},
          {"Setup", "Second", "two words"},
          {"setup", "FIRST", "replaced"}},
         "[Version]\r\nLayoutFile=\r\n[Setup]\r\nFirst=replaced\r\nSecond=two words\r\n"},
    };
    for (const auto& row : cases) {
        SCOPED_TRACE(row.before ? row.before : "(no file)");
        const std::string path = row.before ? file(row.before) : world_->at("missing.inf");
        for (const auto& [section, key, value] : row.writes)
            EXPECT_TRUE(profile().writeString(section, key, value, path)) << key;
        EXPECT_EQ(world_->files.readFile(path).value_or("(missing)"), row.after);
    }
}

#ifdef _WIN32
INSTANTIATE_TEST_SUITE_P(
    Backends, ProfileStringsContract,
    ::testing::Values(Backend<ProfileWorld>{"Win32", world<platform::win32::Win32ProfileStrings>},
                      Backend<ProfileWorld>{"Ini", world<platform::portable::IniProfileStrings>}),
    BackendName);
#else
INSTANTIATE_TEST_SUITE_P(Ini, ProfileStringsContract,
                         ::testing::Values(Backend<ProfileWorld>{
                             "Ini", world<platform::portable::IniProfileStrings>}),
                         BackendName);
#endif

} // namespace velmora::testing
