// Cost of the blocked-senders commands on large lists, on the in-memory
// store and (in the Windows build) on the real registry, through the page's
// own handlers: a first load of 4000 addresses from a text file into an
// empty list, a merge of 1000 new addresses (in a file of 1000) into a list
// of 3000, merges of files of 0.25 to 2 MB (published spam lists, far past
// the 4096 names) into that list, and the page's refresh and sort of 4000.
// "longest pause" is the longest time the window went without handling its
// messages. In the Windows build the first load into the real registry is
// set beside the system's registry editor importing the same 4000 keys with
// their five values from a .reg file (regedit /s, process start included).
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
#include <utility>

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

// A list of at least bytes bytes, as a published one: an address a line.
std::string SpamList(std::size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += "spammer" + std::to_string(i) + "@junk" + std::to_string(i % 97) + ".example\r\n";
    return text;
}

// The time of the first load of 4000 into this store.
double Measure(const char* storeName, platform::Registry& registry, platform::FileSystem& files,
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

    const std::string spamFile = folder + "\\spam.txt";
    for (const auto& [what, bytes] : {std::pair{"merge of a 0.25 MB file into 3000", 1u << 18},
                                      std::pair{"merge of a 0.5 MB file into 3000", 1u << 19},
                                      std::pair{"merge of a 1 MB file into 3000", 1u << 20},
                                      std::pair{"merge of a 2 MB file into 3000", 1u << 21}}) {
        const std::string list = SpamList(bytes);
        Row big{what, static_cast<int>(std::count(list.begin(), list.end(), '\n'))};
        timed(
            big,
            [&] {
                clear();
                LoadBlockedList(program);
                dialogs.answerOpenFile(file3000);
                page.raise("cmd301", ui::Event::MouseDown);
                files.writeFile(spamFile, list);
                dialogs.answerOpenFile(spamFile);
            },
            [&] { page.raise("cmd304", ui::Event::MouseDown); });
    }

    Row refresh{"refresh of the page with 4000", 4000};
    timed(
        refresh, [] {}, [&] { RefreshBlockedList(program); });

    Row sort{"sort of 4000", 4000};
    timed(
        sort, [] {}, [&] { page.raise("cmd303", ui::Event::Click); });

    clear();
    return load.ms;
}

#ifdef _WIN32
// The system's registry editor importing the keys and values a first load
// of 4000 writes into the criteria, from a .reg file: the best of runs.
double RegistryEditorImport(platform::Registry& registry, const std::string& folder, int runs) {
    const std::string identity = "{B1A2C3D4-0000-4000-8000-0000000BE4C4}";
    const std::string criteria = "HKEY_CURRENT_USER\\Identities\\" + identity +
                                 "\\Software\\Microsoft\\Outlook Express\\5.0\\"
                                 "Block Senders\\Mail\\Criteria\\";
    std::string reg = "REGEDIT4\r\n";
    for (int i = 0; i < 4000; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "%03X", i);
        reg += "\r\n[" + criteria + name + "]\r\n\"Flags\"=dword:00000000\r\n" +
               "\"Logic\"=dword:00000001\r\n\"Type\"=dword:00000017\r\n" +
               "\"ValueType\"=dword:0000001e\r\n\"Value\"=\"sender" + std::to_string(i) +
               "@bulk-mail.example\"\r\n";
    }
    const std::string path = folder + "\\4000.reg";
    platform::win32::Win32FileSystem().writeFile(path, reg);
    char windows[MAX_PATH + 1];
    const std::string editor =
        std::string(windows, GetWindowsDirectoryA(windows, sizeof windows)) + "\\regedit.exe";
    double best = 1e30;
    for (int run = 0; run < runs; ++run) {
        registry.deleteTree(HKCU, "Identities", identity);
        std::string command = "\"" + editor + "\" /s \"" + path + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process{};
        const auto start = Clock::now();
        if (!CreateProcessA(editor.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            nullptr, &startup, &process)) {
            std::printf("cannot start %s\n", editor.c_str());
            return 0;
        }
        WaitForSingleObject(process.hProcess, INFINITE);
        best = std::min(best, Milliseconds(Clock::now() - start));
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    platform::RegData imported;
    if (registry.queryValue(HKCU, criteria.substr(18) + "F9F", "Value", 64, imported) !=
            platform::RegOk ||
        imported.bytes != std::string("sender3999@bulk-mail.example") + '\0')
        std::printf("the registry editor did not import %s\n", path.c_str());
    registry.deleteTree(HKCU, "Identities", identity);
    DeleteFileA(path.c_str());
    return best;
}
#endif

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("| store  | command                                | addresses |  total ms "
                "| us/addr  | longest pause ms |\n");
    std::printf("|--------|----------------------------------------|-----------|-----------|"
                "----------|------------------|\n");
#ifdef _WIN32
    const std::string folder = bench::TempFolder("velmora-blocked-bench");
    platform::win32::Win32FileSystem files;
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, folder, runs);
    platform::win32::Win32Registry real;
    const double load = Measure("win32", real, files, folder, runs);
    const double editor = RegistryEditorImport(real, folder, runs);
    std::printf("\nfirst load of 4000 into the registry: %.1f ms; regedit /s of the same 4000 "
                "keys x 5 values: %.1f ms; ratio %.2f\n",
                load, editor, load / editor);
    for (const char* name : {"4000.txt", "3000.txt", "1000.txt", "spam.txt"})
        DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
#else
    const auto scratch = std::filesystem::temp_directory_path() / "velmora-blocked-bench";
    std::filesystem::create_directories(scratch);
    platform::portable::PosixFileSystem files({{'C', scratch.string()}});
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, "C:", runs);
    std::filesystem::remove(scratch / "spam.txt");
    std::filesystem::remove_all(scratch);
#endif
    return 0;
}
