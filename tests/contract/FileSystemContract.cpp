#include "contract/FileSystemContract.h"

#include "core/FileAPI.h"

#include <algorithm>
#include <vector>

namespace velmora::testing {

using namespace platform;

std::string FileSystemContractName(const ::testing::TestParamInfo<NamedFileSystemFactory>& info) {
    return info.param.name;
}

void FileSystemContract::SetUp() {
    harness_ = GetParam().make();
    ASSERT_TRUE(harness_);
    auto entries = files().listFolder(harness_->scratch());
    ASSERT_TRUE(entries.has_value()) << harness_->scratch();
    ASSERT_TRUE(entries->empty()) << "scratch folder not empty: " << harness_->scratch();
}

void FileSystemContract::TearDown() {
    harness_.reset();
}

std::string FileSystemContract::at(const std::string& name) const {
    return harness_->scratch() + "\\" + name;
}

std::optional<std::uint32_t> FileSystemContract::attr(const std::string& name) {
    return files().attributes(at(name));
}

std::optional<std::string> FileSystemContract::text(const std::string& name) {
    return files().readFile(at(name));
}

void FileSystemContract::put(const std::string& name, const std::string& bytes) {
    ASSERT_TRUE(files().writeFile(at(name), bytes)) << name;
}

namespace {

std::vector<std::string> namesOf(const std::vector<FolderEntry>& entries) {
    std::vector<std::string> names;
    for (const auto& entry : entries)
        names.push_back(entry.name);
    return names;
}

const FolderEntry* entryNamed(const std::vector<FolderEntry>& entries, const std::string& name) {
    auto found = std::find_if(entries.begin(), entries.end(),
                              [&](const FolderEntry& entry) { return entry.name == name; });
    return found == entries.end() ? nullptr : &*found;
}

} // namespace

TEST_P(FileSystemContract, AttributesOfFilesAndFolders) {
    put("a.txt", "x");
    ASSERT_TRUE(files().createFolder(at("Sub")));

    EXPECT_EQ(attr("a.txt"), AttrArchive);
    EXPECT_EQ(attr("Sub"), AttrDirectory);
    EXPECT_EQ(attr("Sub\\"), AttrDirectory);
    EXPECT_EQ(files().attributes(harness_->scratch() + "\\"), AttrDirectory);
    EXPECT_EQ(attr("missing.txt"), std::nullopt);
    EXPECT_EQ(attr("missing\\a.txt"), std::nullopt);
    EXPECT_EQ(attr("a.txt\\inside"), std::nullopt);
    EXPECT_EQ(attr("a.txt\\"), std::nullopt);
    EXPECT_EQ(attr("a?.txt"), std::nullopt);
    // Names starting with a dot are hidden.
    put(".profile", "p");
    EXPECT_EQ(attr(".profile"), AttrArchive | AttrHidden);
}

TEST_P(FileSystemContract, FileExistsCountsFoldersWithFurtherAttributes) {
    put("a.txt", "x");
    ASSERT_TRUE(files().createFolder(at("Plain")));
    ASSERT_TRUE(files().createFolder(at("Hidden")));
    ASSERT_TRUE(files().setAttributes(at("Hidden"), AttrHidden));
    ASSERT_TRUE(files().createFolder(at("Locked")));
    harness_->makeFolderReadOnly(at("Locked"));

    EXPECT_TRUE(FileExists(files(), at("a.txt")));
    EXPECT_FALSE(FileExists(files(), at("missing.txt")));
    EXPECT_FALSE(FileExists(files(), at("Plain")));
    EXPECT_EQ(attr("Hidden"), AttrDirectory | AttrHidden);
    EXPECT_TRUE(FileExists(files(), at("Hidden")));
    EXPECT_EQ(attr("Locked"), AttrDirectory | AttrReadOnly);
    EXPECT_TRUE(FileExists(files(), at("Locked")));
}

TEST_P(FileSystemContract, WholeFilesReadBackByteForByte) {
    std::string bytes;
    for (int round = 0; round < 2; ++round) {
        for (int value = 0; value < 256; ++value)
            bytes += static_cast<char>(value);
    }
    bytes += "line\r\nnext\nlast\r";
    put("all.bin", bytes);
    EXPECT_EQ(text("all.bin"), bytes);
    EXPECT_EQ(files().fileSize(at("all.bin")), bytes.size());

    // A rewrite truncates.
    put("all.bin", "abc");
    EXPECT_EQ(text("all.bin"), "abc");
    EXPECT_EQ(files().fileSize(at("all.bin")), 3u);
    put("empty.txt", "");
    EXPECT_EQ(text("empty.txt"), "");
    EXPECT_EQ(files().fileSize(at("empty.txt")), 0u);
}

TEST_P(FileSystemContract, ReadAndWriteFailures) {
    EXPECT_EQ(text("missing.txt"), std::nullopt);
    EXPECT_EQ(files().fileSize(at("missing.txt")), std::nullopt);
    EXPECT_EQ(attr("missing.txt"), std::nullopt) << "a read created the file";

    ASSERT_TRUE(files().createFolder(at("Sub")));
    EXPECT_EQ(text("Sub"), std::nullopt);
    EXPECT_EQ(files().fileSize(at("Sub")), std::nullopt);
    EXPECT_FALSE(files().writeFile(at("Sub"), "x"));
    EXPECT_EQ(attr("Sub"), AttrDirectory);
    EXPECT_FALSE(files().writeFile(at("missing\\a.txt"), "x"));
    EXPECT_EQ(attr("missing"), std::nullopt);
}

TEST_P(FileSystemContract, ReadOnlyFilesReadButNotDeleted) {
    put("r.txt", "kept");
    ASSERT_TRUE(files().setAttributes(at("r.txt"), AttrReadOnly));
    EXPECT_EQ(attr("r.txt"), AttrArchive | AttrReadOnly);
    EXPECT_EQ(text("r.txt"), "kept");
    EXPECT_FALSE(files().deleteFile(at("r.txt")));
    EXPECT_EQ(text("r.txt"), "kept");

    // A copy carries the attribute.
    ASSERT_TRUE(files().copyFile(at("r.txt"), at("copy.txt"), false));
    EXPECT_EQ(attr("copy.txt"), AttrArchive | AttrReadOnly);

    ASSERT_TRUE(files().setAttributes(at("r.txt"), AttrNormal));
    EXPECT_EQ(attr("r.txt"), AttrArchive);
    EXPECT_TRUE(files().deleteFile(at("r.txt")));
    EXPECT_EQ(attr("r.txt"), std::nullopt);
}

TEST_P(FileSystemContract, ListsByNameWithAttributes) {
    put("zeta.txt", "zzz");
    put("Alpha.txt", "a");
    put("beta.txt", "");
    put("_under.txt", "");
    put(".dot", "");
    put("Hidden.sys", "h");
    ASSERT_TRUE(files().setAttributes(at("Hidden.sys"), AttrHidden | AttrSystem));
    ASSERT_TRUE(files().createFolder(at("Mid")));

    auto entries = files().listFolder(harness_->scratch());
    ASSERT_TRUE(entries.has_value());
    // Without regard to case, as capitals: "_" comes after the letters.
    EXPECT_EQ(namesOf(*entries),
              (std::vector<std::string>{".dot", "Alpha.txt", "beta.txt", "Hidden.sys", "Mid",
                                        "zeta.txt", "_under.txt"}));
    EXPECT_EQ(entryNamed(*entries, ".dot")->attributes, AttrArchive | AttrHidden);
    EXPECT_EQ(entryNamed(*entries, "Hidden.sys")->attributes,
              AttrArchive | AttrHidden | AttrSystem);
    EXPECT_EQ(entryNamed(*entries, "Mid")->attributes, AttrDirectory);
    EXPECT_EQ(entryNamed(*entries, "Alpha.txt")->attributes, AttrArchive);
    EXPECT_EQ(entryNamed(*entries, "zeta.txt")->size, 3u);

    auto again = files().listFolder(harness_->scratch() + "\\");
    ASSERT_TRUE(again.has_value());
    EXPECT_EQ(namesOf(*again), namesOf(*entries));

    auto empty = files().listFolder(at("Mid"));
    ASSERT_TRUE(empty.has_value());
    EXPECT_TRUE(empty->empty());
    EXPECT_EQ(files().listFolder(at("missing")), std::nullopt);
    EXPECT_EQ(files().listFolder(at("zeta.txt")), std::nullopt);
}

TEST_P(FileSystemContract, AccentedNamesEndToEnd) {
    const std::string french = "Fran\xE7"
                               "ais.lng";
    put(french, "fr");
    put("\x9C"
        "uvre.txt",
        "oe"); // oe ligature, 0x9C
    put("\x80"
        "uro.txt",
        "euro"); // euro sign, 0x80

    auto entries = files().listFolder(harness_->scratch());
    ASSERT_TRUE(entries.has_value());
    // As capitals: F (U+0046) before OE (U+0152) before the euro sign (U+20AC).
    EXPECT_EQ(namesOf(*entries), (std::vector<std::string>{french,
                                                           "\x9C"
                                                           "uvre.txt",
                                                           "\x80"
                                                           "uro.txt"}));
    EXPECT_EQ(text(french), "fr");
    EXPECT_EQ(text("FRAN\xC7"
                   "AIS.LNG"),
              "fr");
    EXPECT_EQ(text("\x8C"
                   "UVRE.TXT"),
              "oe");
    EXPECT_TRUE(FileExists(files(), at("fran\xE7"
                                       "ais.LNG")));
}

TEST_P(FileSystemContract, NamesCompareWithoutRegardToCase) {
    put("English.lng", "en");
    ASSERT_TRUE(files().createFolder(at("Sub")));
    put("Sub\\Inner.txt", "in");

    EXPECT_EQ(text("ENGLISH.LNG"), "en");
    EXPECT_EQ(attr("english.LNG"), AttrArchive);
    EXPECT_EQ(text("SUB\\INNER.TXT"), "in");
    EXPECT_EQ(text("sub\\..\\English.lng"), "en");
    EXPECT_FALSE(files().createFolder(at("SUB")));

    // Writing under another case rewrites the same file, whose name stays.
    put("ENGLISH.LNG", "EN2");
    auto entries = files().listFolder(harness_->scratch());
    ASSERT_TRUE(entries.has_value());
    EXPECT_EQ(namesOf(*entries), (std::vector<std::string>{"English.lng", "Sub"}));
    EXPECT_EQ(text("English.lng"), "EN2");
}

TEST_P(FileSystemContract, CopyFiles) {
    put("a.txt", "first");
    put("b.txt", "second");
    ASSERT_TRUE(files().createFolder(at("Sub")));

    EXPECT_TRUE(files().copyFile(at("a.txt"), at("c.txt"), false));
    EXPECT_EQ(text("c.txt"), "first");
    EXPECT_FALSE(files().copyFile(at("a.txt"), at("b.txt"), false));
    EXPECT_EQ(text("b.txt"), "second");
    EXPECT_TRUE(files().copyFile(at("a.txt"), at("B.TXT"), true));
    EXPECT_EQ(text("b.txt"), "first");

    EXPECT_FALSE(files().copyFile(at("missing.txt"), at("d.txt"), true));
    EXPECT_EQ(attr("d.txt"), std::nullopt);
    EXPECT_FALSE(files().copyFile(at("a.txt"), at("Sub"), true));
    EXPECT_FALSE(files().copyFile(at("a.txt"), at("missing\\a.txt"), true));
    EXPECT_FALSE(files().copyFile(at("Sub"), at("e.txt"), true));

    ASSERT_TRUE(files().setAttributes(at("a.txt"), AttrHidden));
    ASSERT_TRUE(files().copyFile(at("a.txt"), at("f.txt"), false));
    EXPECT_EQ(attr("f.txt"), AttrArchive | AttrHidden);
}

TEST_P(FileSystemContract, MoveFilesAndFolders) {
    put("a.txt", "first");
    put("b.txt", "second");
    ASSERT_TRUE(files().setAttributes(at("a.txt"), AttrSystem));

    EXPECT_TRUE(files().moveFile(at("a.txt"), at("c.txt")));
    EXPECT_EQ(attr("a.txt"), std::nullopt);
    EXPECT_EQ(text("c.txt"), "first");
    EXPECT_EQ(attr("c.txt"), AttrArchive | AttrSystem);

    EXPECT_FALSE(files().moveFile(at("c.txt"), at("b.txt")));
    EXPECT_EQ(text("c.txt"), "first");
    EXPECT_EQ(text("b.txt"), "second");
    EXPECT_FALSE(files().moveFile(at("missing.txt"), at("d.txt")));
    EXPECT_FALSE(files().moveFile(at("c.txt"), at("missing\\c.txt")));

    ASSERT_TRUE(files().createFolder(at("Folder")));
    put("Folder\\inside.txt", "in");
    EXPECT_TRUE(files().moveFile(at("Folder"), at("Moved")));
    EXPECT_EQ(attr("Folder"), std::nullopt);
    EXPECT_EQ(text("Moved\\inside.txt"), "in");
}

TEST_P(FileSystemContract, DeleteFilesAndCreateFolders) {
    put("a.txt", "x");
    EXPECT_TRUE(files().deleteFile(at("a.txt")));
    EXPECT_EQ(attr("a.txt"), std::nullopt);
    EXPECT_FALSE(files().deleteFile(at("a.txt")));

    EXPECT_TRUE(files().createFolder(at("New")));
    EXPECT_EQ(attr("New"), AttrDirectory);
    EXPECT_FALSE(files().createFolder(at("New")));
    EXPECT_FALSE(files().deleteFile(at("New")));
    EXPECT_EQ(attr("New"), AttrDirectory);
    EXPECT_FALSE(files().createFolder(at("missing\\New")));
    EXPECT_EQ(attr("missing"), std::nullopt);
    EXPECT_TRUE(files().createFolder(at("Trailing\\")));
    EXPECT_EQ(attr("Trailing"), AttrDirectory);

    put("file", "x");
    EXPECT_FALSE(files().createFolder(at("file")));
    EXPECT_EQ(text("file"), "x");
}

} // namespace velmora::testing
