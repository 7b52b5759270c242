#include "support/TestProgram.h"

#include "app/frmPrincipal.h"

#include <algorithm>
#include <fstream>
#include <stdexcept>

namespace velmora::testing {

namespace fs = std::filesystem;

TestProgram::TestProgram(Languages languages) : files({{'C', scratch.path().string()}}) {
    fs::create_directories(scratch.path() / "Program Files" / "Velmora");
    fs::create_directories(scratch.path() / "Temp");
    files.setProgramFolder(kTestProgramFolder);
    files.setTempFolder("C:\\Temp\\");
    files.setSpecialFolder(38, "C:\\Program Files");
    if (languages == Languages::Shipped) {
        const fs::path target = scratch.path() / "Program Files" / "Velmora" / "language";
        fs::create_directories(target);
        for (const auto& entry : fs::directory_iterator(fs::path(VELMORA_SOURCE_DIR) / "language"))
            fs::copy_file(entry.path(), target / entry.path().filename());
    }
    program = std::make_unique<Program>(services(registry), frmPrincipal::Create);
}

void TestProgram::putFile(const std::string& windowsPath, const std::string& bytes) {
    if (windowsPath.rfind("C:\\", 0) != 0)
        throw std::logic_error("test files live on drive C");
    std::string relative = windowsPath.substr(3);
    std::replace(relative.begin(), relative.end(), '\\', '/');
    const fs::path host = scratch.path() / relative;
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
}

void TestProgram::seedEnglish() {
    reg.WriteRegValue(HKCU, kProgramKey, "Language", platform::RegSz, std::string("english"));
    reg.WriteRegValue(HKCU, kProgramKey, "LanguageNum", platform::RegDword, 0LL);
    reg.WriteRegValue(HKCU, kProgramKey, "NoRestaure", platform::RegDword, 1LL);
}

void TestProgram::seedIdentity(const std::string& guid, const std::string& userName) {
    reg.WriteRegValue(HKCU, "Identities\\" + guid, "UserName", platform::RegSz, userName);
    reg.WriteRegValue(HKCU, "Identities\\" + guid, "User ID", platform::RegSz, guid);
    reg.WriteRegValue(HKCU, "Identities", "Last User ID", platform::RegSz, guid);
}

std::string TestProgram::stored(std::uint32_t root, const std::string& key,
                                const std::string& name) {
    platform::RegData data;
    data.type = 0;
    registry.queryValue(root, key, name, 1 << 20, data);
    return std::to_string(data.type) + " " + data.bytes;
}

std::vector<std::string> TestProgram::messages() const {
    std::vector<std::string> shown;
    for (const ShownMessage& m : ui.messages)
        shown.push_back(std::to_string(m.style) + " " + m.title + " | " + m.text);
    return shown;
}

} // namespace velmora::testing
