// Removing the client's update records, on the in-memory registry.

#include "platform/portable/MemoryRegistry.h"
#include "reinstall/ForgetClientUpdates.h"
#include "support/RecordingRegistry.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const std::string kSettings = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kComponents = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\";
const std::string kInf = "SOFTWARE\\Microsoft\\Advanced INF Setup\\";

// A store in which one key opens with full access but is never deleted.
class StuckKeyRegistry : public RecordingRegistry {
public:
    using RecordingRegistry::RecordingRegistry;
    long deleteTree(std::uint32_t root, const std::string& parent,
                    const std::string& subKey) override {
        if (parent + "\\" + subKey == stuck)
            return platform::RegAccessDenied;
        return RecordingRegistry::deleteTree(root, parent, subKey);
    }
    std::string stuck;
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

TEST(ForgetClientUpdates, RecordsGoTheHotfixListKeepsOnlyOtherEntries) {
    // "-" for no list at all, which stays missing.
    const std::pair<std::string, std::string> lists[] = {
        {";SP2;Q823353;KB823353;", ";SP2;Q823353;"},
        {";kb823353;Q330994;q820223;", ";"},
        {"SP1", ";SP1;"},
        {"", ";"},
        {";;SP2;;;", ";SP2;"},
        {";xKB837009-v2;Q331923b;KB83700;", ";KB83700;"},
        {"-", "-"}};
    for (const auto& [before, after] : lists) {
        Store store;
        const std::string records[] = {kComponents + "{44bba840-cc51-11cf-aafa-00aa00b6015c}\\A\\B",
                                       kComponents + "{881dd1c5-3dcf-431b-b061-f3f88e8be88a}",
                                       kInf + "oeupdate\\Sub", kInf + "OutlookExpress"};
        const std::string kept[] = {kComponents + "{89820200-ECBD-11cf-8B85-00AA005B4383}",
                                    kInf + "oeupdate2"};
        for (const auto& path : records)
            store.key(path);
        for (const auto& path : kept)
            store.key(path);
        if (before != "-")
            store.reg.WriteRegValue(HKLM, kSettings, "MinorVersion", 1, before);
        ForgetClientUpdates(store.reg);
        for (const auto& path : records)
            EXPECT_FALSE(store.exists(path.substr(0, path.find('\\', kComponents.size())))) << path;
        EXPECT_FALSE(store.exists(kInf + "oeupdate"));
        for (const auto& path : kept)
            EXPECT_TRUE(store.exists(path)) << path;
        platform::RegData data{platform::RegSz, "-"};
        store.memory.queryValue(HKLM, kSettings, "MinorVersion", 2048, data);
        EXPECT_EQ(data.bytes, after == "-" ? after : after + '\0') << before;
        EXPECT_EQ(data.type, platform::RegSz);
    }
}

TEST(DeleteKeyTree, DeletesLeavesFirstAndStopsAtAKeyThatStays) {
    // The key that cannot be deleted, and what is left of Top\Tree.
    const std::pair<std::string, std::vector<std::string>> cases[] = {
        {"", {}},
        {"Top\\Tree\\B\\Leaf", {"Top\\Tree", "Top\\Tree\\B", "Top\\Tree\\B\\Leaf"}},
        {"Top\\Tree", {"Top\\Tree"}},
    };
    for (const auto& [stuck, left] : cases) {
        Store store;
        for (const char* path : {"Top\\Tree\\A\\Leaf", "Top\\Tree\\B\\Leaf", "Top\\Treetop"})
            store.key(path);
        StuckKeyRegistry registry(store.memory);
        registry.stuck = stuck;
        DeleteKeyTree(modRegistre(registry), HKLM, "Top\\Tree");
        EXPECT_TRUE(store.exists("Top\\Treetop")) << stuck;
        EXPECT_FALSE(store.exists("Top\\Tree\\A")) << stuck;
        EXPECT_EQ(store.exists("Top\\Tree"), !left.empty()) << stuck;
        for (const auto& path : left)
            EXPECT_TRUE(store.exists(path)) << stuck << ": " << path;
        EXPECT_LE(registry.changes.size(), 5u) << stuck; // no leaf is tried twice
    }
}

} // namespace
} // namespace velmora::testing
