// Cost of the blocked-senders commands on large lists, on the in-memory
// store and (in the Windows build) on the real registry, through the page's
// own handlers: a first load of 4000 addresses from a text file into an
// empty list, a merge of 1000 new addresses (in a file of 1000) into a list
// of 3000, and the page's refresh and sort of 4000. "longest pause" is the
// longest time the window went without handling its messages.
//
//   blocked_bench [runs]    runs of each row (default 3; the best is shown)

#include "bench/BenchProgram.h"
#include "platform/portable/MemoryRegistry.h"
#include "rules/BlockedSendersCommands.h"
#include "rules/LoadBlockedList.h"
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

namespace {

using namespace velmora;
using bench::Clock;
using bench::Milliseconds;

struct Row {
    const char* what;
    int addresses;
    double ms = 1e30;
    double pause = 0;
};

void Print(const char* store, const Row& row) {
    std::printf("| %-6s | %-38s | %9d | %9.1f | %8.1f | %10.1f |\n", store, row.what, row.addresses,
                row.ms, 1000.0 * row.ms / row.addresses, row.pause);
}

std::string Addresses(int from, int to, const char* separator) {
    std::string text;
    for (int i = from; i < to; ++i)
        text += "sender" + std::to_string(i) + "@bulk-mail.example" + separator;
    return text;
}

void Measure(const char* storeName, platform::Registry& registry, platform::FileSystem& files,
             const std::string& folder, int runs) {
    bench::BenchProgram bench(registry, files, ui::ResultYes);
    Program& program = bench.program;
    bench::BenchHost& host = bench.host;
    platform::portable::ScriptedDialogs& dialogs = bench.dialogs;
    program.CurrentIdentity = "{B1A2C3D4-0000-4000-8000-0000000BE4C4}";
    ui::Form& page = program.principal();
    const auto clear = [&] {
        program.reg.DeleteRegTree(HKCU, "Identities", program.CurrentIdentity);
    };
    const std::string file4000 = folder + "\\4000.txt", file3000 = folder + "\\3000.txt",
                      file1000 = folder + "\\1000.txt";
    files.writeFile(file4000, Addresses(0, 4000, "\r\n"));
    files.writeFile(file3000, Addresses(0, 3000, "\r\n"));
    files.writeFile(file1000, Addresses(3000, 4000, "\r\n"));

    const auto timed = [&](Row& row, auto&& before, auto&& action) {
        for (int run = 0; run < runs; ++run) {
            before();
            host.startWatch();
            const auto start = Clock::now();
            action();
            const double ms = Milliseconds(Clock::now() - start);
            if (ms < row.ms) {
                row.ms = ms;
                row.pause = host.longestPause();
            }
        }
        Print(storeName, row);
    };

    Row load{"first load of 4000 from a file", 4000};
    timed(
        load,
        [&] {
            clear();
            LoadBlockedList(program);
            dialogs.answerOpenFile(file4000);
        },
        [&] { page.raise("cmd301", ui::Event::MouseDown); });

    Row merge{"merge of 1000 into a list of 3000", 1000};
    timed(
        merge,
        [&] {
            clear();
            LoadBlockedList(program);
            dialogs.answerOpenFile(file3000);
            page.raise("cmd301", ui::Event::MouseDown);
            dialogs.answerOpenFile(file1000);
        },
        [&] { page.raise("cmd304", ui::Event::MouseDown); });
    const std::string label = page.control("lbl302").caption();
    if (label.rfind("1000 / 1001", 0) != 0)
        std::printf("unexpected result of the merge: %s\n", label.c_str());

    Row refresh{"refresh of the page with 4000", 4000};
    timed(
        refresh, [] {}, [&] { RefreshBlockedList(program); });

    Row sort{"sort of 4000", 4000};
    timed(
        sort, [] {}, [&] { page.raise("cmd303", ui::Event::Click); });

    clear();
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("| store  | command                                | addresses |  total ms "
                "| us/addr  | longest pause ms |\n");
    std::printf("|--------|----------------------------------------|-----------|-----------|"
                "----------|------------------|\n");
#ifdef _WIN32
    char temp[MAX_PATH + 1];
    std::string folder(temp, GetTempPathA(sizeof temp, temp));
    folder += "velmora-blocked-bench";
    CreateDirectoryA(folder.c_str(), nullptr);
    platform::win32::Win32FileSystem files;
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, folder, runs);
    platform::win32::Win32Registry real;
    Measure("win32", real, files, folder, runs);
    for (const char* name : {"4000.txt", "3000.txt", "1000.txt"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
#else
    const auto scratch = std::filesystem::temp_directory_path() / "velmora-blocked-bench";
    std::filesystem::create_directories(scratch);
    platform::portable::PosixFileSystem files({{'C', scratch.string()}});
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, "C:", runs);
    std::filesystem::remove_all(scratch);
#endif
    return 0;
}
