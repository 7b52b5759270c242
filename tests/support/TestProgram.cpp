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
    program = std::make_unique<Program>(Services{registry, files, profile, shell, dialogs, system,
                                                 ui, downloader, trust, versions, volumes},
                                        frmPrincipal::Create);
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

} // namespace velmora::testing
