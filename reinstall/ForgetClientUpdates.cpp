#include "reinstall/ForgetClientUpdates.h"

#include "reinstall/TextList.h"

namespace velmora {

namespace {

const std::string kComponentsKey = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\";
const std::string kComponents =
    "{2cc9d512-6db6-4f1c-8979-9a41fae88de0},{44BBA840-CC51-11CF-AAFA-00AA00B6015C},"
    "{7790769C-0471-11d2-AF11-00C04FA35D02},{f5173cf0-1dfb-4978-8e50-a90169ee7ca9},"
    "{F5776D81-AE53-4935-8E84-B0B283D8BCEF},{881dd1c5-3dcf-431b-b061-f3f88e8be88a}";
const std::string kInternetSettings =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
const std::string kClientUpdates = "KB823353;Q820223;KB837009;Q331923;Q330994";
const std::string kAdvancedInf = "SOFTWARE\\Microsoft\\Advanced INF Setup\\";
constexpr std::size_t kNameBuffer = 255;

// The hotfix list less the client's updates and empty entries, between
// semicolons.
std::string KeptHotfixes(const std::string& list) {
    const std::vector<std::string> updates = SplitText(kClientUpdates, ';');
    std::string kept;
    for (const std::string& entry : SplitText(list, ';')) {
        bool dropped = entry.empty();
        for (const std::string& update : updates)
            dropped = dropped || ContainsNoCase(entry, update);
        if (!dropped)
            kept += ";" + entry;
    }
    return kept + ";";
}

} // namespace

void DeleteKeyTree(const modRegistre& reg, std::uint32_t root, const std::string& path) {
    if (path.empty()) // would name the root itself
        return;
    platform::Registry& store = reg.store();
    std::string current = path;
    std::string name;
    // Listing the first subkey opens the key with full access: any answer
    // but "a subkey" or "no more subkeys" means it cannot be opened.
    for (;;) {
        const long first = store.enumSubKey(root, current, 0, kNameBuffer, name);
        if (first == platform::RegOk) {
            current += "\\" + name;
            continue;
        }
        if (first != platform::RegNoMoreItems)
            return;
        const auto slash = current.rfind('\\');
        const std::string parent = slash == std::string::npos ? "" : current.substr(0, slash);
        const std::string leaf = slash == std::string::npos ? current : current.substr(slash + 1);
        // A leaf that stays would be found again at once.
        if (store.deleteTree(root, parent, leaf) != platform::RegOk)
            return;
        current = parent;
        const long again = store.enumSubKey(root, path, 0, kNameBuffer, name);
        if (again != platform::RegOk && again != platform::RegNoMoreItems)
            return;
    }
}

void ForgetClientUpdates(const modRegistre& reg) {
    for (const std::string& component : SplitText(kComponents, ','))
        DeleteKeyTree(reg, HKLM, kComponentsKey + component);

    // With no list at all there is nothing to take out, and no list is made.
    const std::string hotfixes = reg.ReadRegValue(HKLM, kInternetSettings, "MinorVersion");
    if (hotfixes != kNotFound)
        reg.WriteRegValue(HKLM, kInternetSettings, "MinorVersion", platform::RegSz,
                          KeptHotfixes(hotfixes));

    DeleteKeyTree(reg, HKLM, kAdvancedInf + "oeupdate");
    DeleteKeyTree(reg, HKLM, kAdvancedInf + "OutlookExpress");
}

} // namespace velmora
