// Cost of one full settings load (every control of the account, security,
// preference and read-receipt pages read from the registry, the counter
// stored again), on the in-memory store and, in the Windows build, on the
// real registry. The load runs at start-up and after every identity change.
//
//   settings_bench [runs]    loads per store (default 200; mean, median and best shown)

#include "bench/BenchProgram.h"
#include "platform/portable/MemoryRegistry.h"
#include "app/LoadSettings.h"
#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include <windows.h>
#else
#include "platform/portable/PosixFileSystem.h"
#include <filesystem>
#endif

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace velmora;
using bench::Clock;
using bench::Milliseconds;

const std::string kIdentity = "{BE0C4A5E-0000-4000-8000-00000000BE0C}";

// An identity with a value for each of its settings, as a configured client has.
void Seed(const modRegistre& reg, const std::string& identityKey) {
    const std::string mail = identityKey + "\\Mail";
    const std::string news = identityKey + "\\News";
    for (const char* name : {"Security Zone Locked", "NoSplash", "ShowStatus", "RequestMDNLocked",
                             "SendMDNLocked", "SendReceiptToListLocked", "RequestMDN",
                             "SendReceiptToList", "Legacy Background Compaction", "Reply At End"})
        reg.WriteRegValue(HKCU, identityKey, name, 4, 1LL);
    reg.WriteRegValue(HKCU, identityKey, "Email Security Zone", 4, 4LL);
    reg.WriteRegValue(HKCU, identityKey, "SendMDN", 4, 4LL);
    reg.WriteRegValue(HKCU, identityKey, "Contact Pane Sorting", 4, 2LL);
    reg.WriteRegValue(HKCU, identityKey, "Compact Check Count", 4, 42LL);
    reg.WriteRegValue(HKCU, identityKey, "WindowTitle", 1, std::string("Outlook Express - Bench"));
    reg.WriteRegValue(HKCU, identityKey, "FrontPagePath", 1, std::string("C:\\Pages\\start.htm"));
    reg.WriteRegValue(HKCU, identityKey, "BodyBarPath", 1, std::string("C:\\Pages\\pane.htm"));
    reg.WriteRegValue(HKCU, mail, "Safe Attachments Locked", 4, 1LL);
    reg.WriteRegValue(HKCU, mail, "Warn on Mapi Send Locked", 4, 1LL);
    reg.WriteRegValue(HKCU, news, "GodMode", 4, 1LL);
    reg.WriteRegValue(HKCU, news, "Moderator", 4, 0LL);
}

struct Timing {
    double meanMs = 0;
    double medianMs = 0;
    double bestMs = 0;
};

Timing Measure(platform::Registry& registry, platform::FileSystem& files, int runs) {
    bench::BenchProgram bench(registry, files, ui::ResultNo);
    Program& program = bench.program;
    program.CurrentIdentity = kIdentity;
    Seed(program.reg, program.IdentityKey());

    LoadSettings(program); // the first load creates the windows it touches
    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        LoadSettings(program);
        times.push_back(Milliseconds(Clock::now() - start));
    }
    std::sort(times.begin(), times.end());
    Timing timing;
    for (double ms : times)
        timing.meanMs += ms / runs;
    timing.medianMs = times[times.size() / 2];
    timing.bestMs = times.front();
    program.reg.DeleteRegTree(HKCU, "Identities", kIdentity);
    return timing;
}

void Row(const char* store, int runs, const Timing& timing) {
    std::printf("| %-15s | %5d | %9.3f | %11.3f | %9.3f |\n", store, runs, timing.meanMs,
                timing.medianMs, timing.bestMs);
}

} // namespace

int main(int argc, char** argv) {
    const int requested = argc > 1 ? std::atoi(argv[1]) : 0;
    const int runs = requested > 0 ? requested : 200;
    std::printf("| store           |  runs | mean (ms) | median (ms) | best (ms) |\n");
    std::printf("|-----------------|-------|-----------|-------------|-----------|\n");
#ifdef _WIN32
    platform::win32::Win32FileSystem files;
#else
    const std::string root = std::filesystem::temp_directory_path().string();
    platform::portable::PosixFileSystem files({{'C', root}});
#endif
    platform::portable::MemoryRegistry memory;
    Row("memory", runs, Measure(memory, files, runs));
#ifdef _WIN32
    platform::win32::Win32Registry real;
    Row("win32 registry", runs, Measure(real, files, runs));
#endif
    return 0;
}
