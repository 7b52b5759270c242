// The kit folder search over a tree of 100 000 files beside `find` looking
// for the same name over the same tree, in the same run.
//
// Usage: kit_search_bench [files]   (native build; 100000 by default)
// Builds the tree under the system's temporary folder (1000 folders of
// `files`/1000 files, the kit in the last one), times the search window's
// whole walk (program start excluded), then `find TREE -iname ie6setup.exe`,
// and prints both with their ratio and the longest pause between two
// DoEvents (how long the window would have gone without answering).

#ifdef _WIN32

#include <cstdio>

int main() {
    std::puts("kit_search_bench compares with find: run it from the native build.");
    return 0;
}

#else

#include "BenchProgram.h"
#include "platform/portable/MemoryRegistry.h"
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/PosixVolumes.h"
#include "reinstall/frmBrowse.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

using namespace velmora;
namespace fs = std::filesystem;

int main(int argc, char** argv) {
    const long files = argc > 1 ? std::atol(argv[1]) : 100000;
    const fs::path root = fs::temp_directory_path() / "velmora-kit-bench";
    fs::remove_all(root);
    const long perFolder = files / 1000;
    for (int folder = 0; folder < 1000; ++folder) {
        const fs::path dir =
            root / ("d" + std::to_string(folder / 100)) / ("f" + std::to_string(folder));
        fs::create_directories(dir);
        for (long file = 0; file < perFolder; ++file)
            std::ofstream(dir / ("file" + std::to_string(file) + ".dat")) << "x";
    }
    const fs::path kit = root / "d9" / "f999";
    for (const char* name : {"ie6setup.exe", "mailnews.cab", "wab.cab"})
        std::ofstream(kit / name) << "MZ";

    platform::portable::MemoryRegistry registry;
    platform::portable::PosixFileSystem fileSystem({{'C', root.string()}});
    fileSystem.setProgramFolder("C:\\velmora");
    fs::create_directories(root / "velmora" / "language");
    fs::copy_file(fs::path(VELMORA_SOURCE_DIR) / "language" / "English.lng",
                  root / "velmora" / "language" / "English.lng");
    platform::portable::PosixVolumes volumes(fileSystem, "C");
    bench::BenchProgram bench(registry, fileSystem, ui::ResultOk, volumes);
    bench.program.reg.WriteRegValue(platform::HKCU, kProgramKey, "Language", platform::RegSz,
                                    std::string("english"));
    bench.program.reg.WriteRegValue(platform::HKCU, kProgramKey, "NoRestaure", platform::RegDword,
                                    1LL);
    bench.program.Start();
    bench.versions.set("C:\\d9\\f999\\ie6setup.exe", platform::FileVersion{6, 0, 2800, 1106});

    bench.host.startWatch();
    const auto start = bench::Clock::now();
    bench.program.principal().raise("cmd612", ui::Event::Click);
    const double searchMs = bench::Milliseconds(bench::Clock::now() - start);
    const double pauseMs = bench.host.longestPause();
    const auto& found = bench.program.form(kBrowseWindow).control("lBox641").items();

    const auto findStart = bench::Clock::now();
    const std::string command = "find '" + root.string() + "' -iname ie6setup.exe > /dev/null";
    const int findResult = std::system(command.c_str());
    const double findMs = bench::Milliseconds(bench::Clock::now() - findStart);

    std::printf("tree: %ld files in 1000 folders\n", perFolder * 1000);
    std::printf("kit search: %.1f ms, %zu kit folder(s) found, longest pause %.2f ms\n", searchMs,
                found.size(), pauseMs);
    std::printf("find:       %.1f ms (exit %d)\n", findMs, findResult);
    std::printf("ratio search / find: %.1f\n", searchMs / findMs);
    fs::remove_all(root);
    return found.size() == 1 ? 0 : 1;
}

#endif
