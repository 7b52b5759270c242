// Removing the client's update records, on the in-memory registry.

#include "platform/portable/MemoryRegistry.h"
#include "reinstall/ForgetClientUpdates.h"
#include "support/RecordingRegistry.h"

#include <gtest/gtest.h>

#include <optional>

namespace velmora::testing {
namespace {

const std::string kSettings = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kComponents = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\";
const std::string kInf = "SOFTWARE\\Microsoft\\Advanced INF Setup\\";

// A store in which one key opens with full access but is never deleted.
class StuckKeyRegistry : public RecordingRegistry {
public:
    StuckKeyRegistry(platform::Registry& inner, std::string stuck)
        : RecordingRegistry(inner), stuck_(std::move(stuck)) {}
    long deleteTree(std::uint32_t root, const std::string& parent,
                    const std::string& subKey) override {
        if (parent + "\\" + subKey == stuck_)
            return platform::RegAccessDenied;
        return RecordingRegistry::deleteTree(root, parent, subKey);
    }

private:
    std::string stuck_;
};

struct Store {
    platform::portable::MemoryRegistry memory;
    modRegistre reg{memory};
    void key(const std::string& path) { reg.WriteRegValue(HKLM, path, "v", 1, "x"); }
    bool exists(const std::string& path) {
        std::string name;
        return memory.enumSubKey(HKLM, path, 0, 255, name) != platform::RegFileNotFound;
    }
};

TEST(ForgetClientUpdates, HotfixListLosesTheClientsUpdatesAndEmptyEntries) {
    const struct {
        std::optional<std::string> before;
        std::optional<std::string> after;
    } cases[] = {
        {";SP2;Q823353;KB823353;", ";SP2;Q823353;"},
        {";kb823353;Q330994;q820223;", ";"},
        {"SP1", ";SP1;"},
        {"", ";"},
        {";;SP2;;;", ";SP2;"},
        {";xKB837009-v2;Q331923b;KB83700;", ";KB83700;"},
        {std::nullopt, std::nullopt}, // no list: none is made
    };
    for (const auto& row : cases) {
        Store store;
        if (row.before)
            store.reg.WriteRegValue(HKLM, kSettings, "MinorVersion", 1, *row.before);
        ForgetClientUpdates(store.reg);
        platform::RegData data;
        const long status = store.memory.queryValue(HKLM, kSettings, "MinorVersion", 2048, data);
        if (!row.after) {
            EXPECT_EQ(status, platform::RegFileNotFound) << data.bytes;
            continue;
        }
        ASSERT_EQ(status, platform::RegOk) << *row.before;
        EXPECT_EQ(data.type, platform::RegSz);
        EXPECT_EQ(data.bytes, *row.after + '\0') << *row.before;
    }
}

TEST(ForgetClientUpdates, RemovesTheSixComponentsAndBothInfRecordsOnly) {
    Store store;
    // Each record, and a key made below it.
    const std::pair<std::string, std::string> removed[] = {
        {kComponents + "{2cc9d512-6db6-4f1c-8979-9a41fae88de0}", ""},
        {kComponents + "{44bba840-cc51-11cf-aafa-00aa00b6015c}", "\\Deep\\Deeper"},
        {kComponents + "{7790769C-0471-11d2-AF11-00C04FA35D02}", ""},
        {kComponents + "{f5173cf0-1dfb-4978-8e50-a90169ee7ca9}", ""},
        {kComponents + "{F5776D81-AE53-4935-8E84-B0B283D8BCEF}", "\\A"},
        {kComponents + "{F5776D81-AE53-4935-8E84-B0B283D8BCEF}", "\\B"},
        {kComponents + "{881dd1c5-3dcf-431b-b061-f3f88e8be88a}", ""},
        {kInf + "oeupdate", "\\Sub"},
        {kInf + "OutlookExpress", ""},
    };
    const std::string kept[] = {kComponents + "{89820200-ECBD-11cf-8B85-00AA005B4383}",
                                kInf + "IE40", kInf + "oeupdate2"};
    for (const auto& [top, below] : removed)
        store.key(top + below);
    for (const auto& path : kept)
        store.key(path);
    ForgetClientUpdates(store.reg);
    for (const auto& [top, below] : removed)
        EXPECT_FALSE(store.exists(top)) << top;
    for (const auto& path : kept)
        EXPECT_TRUE(store.exists(path)) << path;
}

TEST(DeleteKeyTree, DeletesLeavesFirstAndStopsAtAKeyThatStays) {
    const struct {
        const char* stuck; // the key that cannot be deleted, or none
        std::vector<std::string> left;
    } cases[] = {
        {"", {"Top"}},
        {"Top\\Tree\\B\\Leaf", {"Top", "Top\\Tree", "Top\\Tree\\B", "Top\\Tree\\B\\Leaf"}},
        {"Top\\Tree", {"Top", "Top\\Tree"}},
    };
    for (const auto& row : cases) {
        Store store;
        store.key("Top\\Tree\\A\\Leaf");
        store.key("Top\\Tree\\B\\Leaf");
        store.key("Top\\Treetop");
        StuckKeyRegistry stuck(store.memory, row.stuck);
        DeleteKeyTree(modRegistre(stuck), HKLM, "Top\\Tree");
        EXPECT_TRUE(store.exists("Top\\Treetop")) << row.stuck;
        for (const auto& path : row.left)
            EXPECT_TRUE(store.exists(path)) << row.stuck << ": " << path;
        EXPECT_EQ(store.exists("Top\\Tree\\A"), false) << row.stuck;
        // Each leaf is deleted once: nothing is tried again.
        EXPECT_LE(stuck.changes.size(), 5u) << row.stuck;
    }
}

} // namespace
} // namespace velmora::testing
