// The update records removed from the real registry.

#include "platform/win32/Win32Registry.h"
#include "reinstall/ForgetClientUpdates.h"

#include <gtest/gtest.h>

#include <windows.h>

namespace velmora::testing {
namespace {

const std::string kComponents = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\";
const std::string kSettings = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

bool KeyExists(const std::string& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

TEST(ForgetClientUpdates, RecordsLeaveTheRealRegistryAndTheHotfixListKeepsTheOthers) {
    platform::win32::Win32Registry store;
    modRegistre reg(store);
    const std::string component = kComponents + "{7790769C-0471-11d2-AF11-00C04FA35D02}";
    const std::string other = kComponents + "{velmora-test-kept}";
    const std::string inf = "SOFTWARE\\Microsoft\\Advanced INF Setup\\OutlookExpress";
    for (const std::string& key : {component + "\\A\\B", component + "\\C", other, inf + "\\X"})
        reg.WriteRegValue(HKLM, key, "v", 1, std::string("x"));
    const std::string before = reg.ReadRegValue(HKLM, kSettings, "MinorVersion");
    reg.WriteRegValue(HKLM, kSettings, "MinorVersion", 1, std::string(";SP2;KB823353;q330994;"));

    ForgetClientUpdates(reg);
    EXPECT_FALSE(KeyExists(component));
    EXPECT_FALSE(KeyExists(inf));
    EXPECT_TRUE(KeyExists(other));
    EXPECT_EQ(reg.ReadRegValue(HKLM, kSettings, "MinorVersion"), ";SP2;");

    RegDeleteKeyA(HKEY_LOCAL_MACHINE, other.c_str());
    if (before == kNotFound)
        reg.DeleteRegValue(HKLM, kSettings, "MinorVersion");
    else
        reg.WriteRegValue(HKLM, kSettings, "MinorVersion", 1, before);
}

} // namespace
} // namespace velmora::testing
