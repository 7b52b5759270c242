#include "support/TestProgram.h"

#include "app/frmPrincipal.h"

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
    program = std::make_unique<Program>(
        Services{registry, files, profile, shell, dialogs, system, ui}, frmPrincipal::Create);
}

void TestProgram::putFile(const std::string& windowsPath, const std::string& bytes) {
    const std::string prefix = "C:\\";
    if (windowsPath.rfind(prefix, 0) != 0)
        throw std::logic_error("test files live on drive C");
    fs::path host = scratch.path();
    std::string rest = windowsPath.substr(prefix.size());
    std::size_t start = 0;
    while (start <= rest.size()) {
        auto end = rest.find('\\', start);
        if (end == std::string::npos)
            end = rest.size();
        if (end > start)
            host /= rest.substr(start, end - start);
        start = end + 1;
    }
    fs::create_directories(host.parent_path());
    std::ofstream(host, std::ios::binary) << bytes;
}

} // namespace velmora::testing
