// Cabinet extraction and the update records cleanup.
//
//   cabinet_bench [CABINET]   extracts CABINET (natively: a cabinet of 500
//                             files, 20 MB, made with gcab when none is given)
//                             with the cabinet class, then with cabextract on
//                             the same cabinet, and gives the ratio; then
//                             removes 200 update records.
//
// Natively the class reads the cabinet with libmspack over the portable
// files; in the Windows build with the setup engine over the real ones
// (cabextract is then not run).

#include "core/modRegistre.h"
#include "platform/portable/MemoryRegistry.h"
#include "reinstall/CabXTR.h"
#include "reinstall/ForgetClientUpdates.h"
#ifdef _WIN32
#include "platform/win32/Win32Cabinets.h"
#include "platform/win32/Win32FileSystem.h"
#else
#include "platform/portable/MspackCabinets.h"
#include "platform/portable/PosixFileSystem.h"
#endif

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

double SecondsSince(Clock::time_point start) {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

#ifndef _WIN32
// 500 files of 40 KB: text that compresses about as program files do.
std::string MakeCabinet(const fs::path& folder) {
    fs::create_directories(folder / "src");
    unsigned seed = 12345;
    for (int i = 0; i < 500; ++i) {
        std::string bytes;
        while (bytes.size() < 40 * 1024) {
            seed = seed * 1103515245u + 12345u;
            bytes += "line " + std::to_string(seed % 100000) + " of file " + std::to_string(i) +
                     (seed % 7 == 0 ? std::string(1, static_cast<char>(seed >> 16)) : "") + "\r\n";
        }
        bytes.resize(40 * 1024);
        std::ofstream(folder / "src" / ("file" + std::to_string(i) + ".dat"), std::ios::binary)
            << bytes;
    }
    const std::string command =
        "cd '" + (folder / "src").string() + "' && gcab -c -z ../bench.cab *.dat";
    if (std::system(command.c_str()) != 0)
        std::exit(1);
    return (folder / "bench.cab").string();
}

// A host path as the portable files name it on drive C, which stands for "/".
std::string OnDriveC(const std::string& host) {
    std::string path = "C:" + host;
    for (char& c : path)
        c = c == '/' ? '\\' : c;
    return path;
}
#endif

void MeasureCleanup() {
    velmora::platform::portable::MemoryRegistry store;
    const velmora::modRegistre reg(store);
    const std::string components = "SOFTWARE\\Microsoft\\Active Setup\\Installed Components\\";
    const char* ids[] = {
        "{2cc9d512-6db6-4f1c-8979-9a41fae88de0}", "{44BBA840-CC51-11CF-AAFA-00AA00B6015C}",
        "{7790769C-0471-11d2-AF11-00C04FA35D02}", "{f5173cf0-1dfb-4978-8e50-a90169ee7ca9}",
        "{F5776D81-AE53-4935-8E84-B0B283D8BCEF}", "{881dd1c5-3dcf-431b-b061-f3f88e8be88a}"};
    std::string hotfixes;
    for (int i = 0; i < 200; ++i) {
        // 200 records: keys under the components and the INF records, and
        // as many hotfix entries, one in five of them the client's.
        const std::string record = i < 180
                                       ? components + ids[i % 6] + "\\Sub" + std::to_string(i)
                                       : "SOFTWARE\\Microsoft\\Advanced INF Setup\\" +
                                             std::string(i % 2 ? "oeupdate" : "OutlookExpress") +
                                             "\\R" + std::to_string(i);
        reg.WriteRegValue(velmora::HKLM, record, "Version", 1, std::string("6,0,2900,2180"));
        hotfixes += i % 5 ? ";Q" : ";KB823353";
        if (i % 5)
            hotfixes += std::to_string(800000 + i);
    }
    reg.WriteRegValue(velmora::HKLM,
                      "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
                      "MinorVersion", 1, hotfixes + ";");
    const auto start = Clock::now();
    velmora::ForgetClientUpdates(reg);
    std::printf("ForgetClientUpdates, 200 records: %.3f ms\n", SecondsSince(start) * 1000);
}

} // namespace

int main(int argc, char** argv) {
    // The cabinet made natively stays for a run of the Windows build:
    //   cabinet_bench.exe Z:\tmp\velmora-cabinet-bench\bench.cab
    const fs::path work = fs::temp_directory_path() / "velmora-cabinet-bench";
    fs::remove_all(work / "out");
    fs::remove_all(work / "cabextract");
    fs::create_directories(work / "out");
#ifdef _WIN32
    if (argc < 2) {
        std::fprintf(stderr, "usage: cabinet_bench CABINET\n");
        return 2;
    }
    const std::string cabinet = argv[1];
    velmora::platform::win32::Win32FileSystem files;
    velmora::platform::win32::Win32Cabinets engine;
    const std::string out = (work / "out").string() + "\\";
    const std::string opened = cabinet;
#else
    const std::string cabinet = argc > 1 ? argv[1] : MakeCabinet(work);
    velmora::platform::portable::PosixFileSystem files({{'C', "/"}});
    velmora::platform::portable::MspackCabinets engine(files);
    const std::string out = OnDriveC((work / "out").string() + "/");
    const std::string opened = OnDriveC(cabinet);
#endif
    bool cabinetOk = true;
    velmora::CabXTR cab(engine, files, cabinetOk);
    int written = 0;
    cab.BeforeExtract = [&](velmora::CabFileRecord& file, std::string& path, bool&) {
        path = out + file.Filename;
        ++written;
    };
    auto start = Clock::now();
    cab.OpenAndParseCabFile(opened);
    const double ours = SecondsSince(start);
    std::printf("CabXTR: %d files, %s, %.3f s\n", written, cabinetOk ? "ok" : "FAILED", ours);
#ifndef _WIN32
    fs::create_directories(work / "cabextract");
    const std::string command =
        "cabextract -q -d '" + (work / "cabextract").string() + "' '" + cabinet + "'";
    start = Clock::now();
    const int status = std::system(command.c_str());
    const double theirs = SecondsSince(start);
    std::printf("cabextract: %.3f s (status %d); CabXTR / cabextract = %.2f\n", theirs, status,
                ours / theirs);
#endif
    MeasureCleanup();
    fs::remove_all(work / "out");
    fs::remove_all(work / "cabextract");
    return cabinetOk ? 0 : 1;
}
