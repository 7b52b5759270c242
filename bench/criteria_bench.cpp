// Cost of the criteria editor on large lists, through its own handlers, on
// the in-memory store and (in the Windows build) on the real registry:
// opening the editor on a stored list of 1000 words, and the duplicate
// removal that ends every edit on 5000 and 20 000 rows (half of them
// repeats in another letter case), alone and as part of a space command on
// every row and of a file import. Per-row times that stay flat from 5000 to
// 20 000 rows show passes linear in the rows.
//
//   criteria_bench [runs]    runs of each row (default 3; the best is shown)

#include "bench/BenchProgram.h"
#include "platform/portable/MemoryRegistry.h"
#include "rules/RuleStorage.h"
#include "rules/WordList.h"
#include "rules/frmCriteria.h"
#ifdef _WIN32
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32Registry.h"
#include <windows.h>
#else
#include "platform/portable/PosixFileSystem.h"
#include <filesystem>
#endif

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

const std::string kEditor = "frmCriteria";

using namespace velmora;
using bench::Clock;
using bench::Milliseconds;

const std::string kIdentity = "{C1A2C3D4-0000-4000-8000-00000000C417}";

// n words, every second one a repeat of the one before in capitals.
std::vector<std::string> Words(int n) {
    std::vector<std::string> words;
    for (int i = 0; (int)words.size() < n; ++i) {
        words.push_back("offer" + std::to_string(i));
        words.push_back("OFFER" + std::to_string(i));
    }
    words.resize(static_cast<std::size_t>(n));
    return words;
}

void Measure(const char* store, platform::Registry& registry, platform::FileSystem& files,
             const std::string& folder, const std::string& language, int runs) {
    bench::BenchProgram bench(registry, files, ui::ResultOk);
    Program& program = bench.program;
    program.CurrentIdentity = kIdentity;
    program.LanguageFile = language;
    program.AntiSpamRuleKey = "000";
    program.CriterionKeys = {"000", "001", "002"};
    program.CriterionTypes = {8, 9, 12};
    program.principal().control("lblPassage").setCaption("0");
    ui::Form& editor = program.form(kEditor);
    ui::Control& list = editor.control("lvw1");
    const std::string criterion =
        CriterionKey(RuleKey(program, program.AntiSpamRuleKey), program.CriterionKeys[0]);

    const auto timed = [&](const char* what, int rows, const std::function<void()>& before,
                           const std::function<void()>& action) {
        double best = 1e30;
        for (int run = 0; run < runs; ++run) {
            before();
            const auto start = Clock::now();
            action();
            best = std::min(best, Milliseconds(Clock::now() - start));
        }
        std::printf("| %-6s | %-44s | %6d | %9.2f | %7.2f |\n", store, what, rows, best,
                    1000.0 * best / rows);
    };

    std::vector<std::string> stored;
    for (int i = 0; i < 1000; ++i)
        stored.push_back("word" + std::to_string(i));
    program.reg.WriteRegValue(HKCU, criterion, rulevalue::Value, platform::RegBinary,
                              EncodeWordList(stored));
    timed(
        "open on a stored list of 1000 words", 1000, [&] { editor.Unload(); },
        [&] { editor.Load(); });
    if (list.rows().size() != 1000)
        std::printf("unexpected rows on opening: %zu\n", list.rows().size());

    for (int n : {5000, 20000}) {
        const std::vector<std::string> words = Words(n);
        std::vector<ui::ListRow> rows;
        for (const std::string& word : words) {
            ui::ListRow row;
            row.text = " " + word + " ";
            row.selected = true;
            rows.push_back(row);
        }
        timed(
            "duplicate pass alone (KeptWords)", n, [] {}, [&] { KeptWords(words); });
        ui::EventArgs mode;
        mode.index = 1;
        timed(
            "trim every row, then duplicates", n, [&] { list.setRows(rows); },
            [&] { editor.raise("cmd02(1)", ui::Event::MouseDown, mode); });
        if (list.rows().size() != static_cast<std::size_t>(n / 2))
            std::printf("unexpected rows after the pass: %zu\n", list.rows().size());
        const std::string file = folder + "\\words.txt";
        files.writeFile(file, WordListText(words));
        timed(
            "import of a file, then duplicates", n,
            [&] {
                list.setRows({});
                bench.dialogs.answerOpenFile(file);
            },
            [&] { editor.raise("cmd07", ui::Event::Click); });
    }
    editor.Unload();
    program.reg.DeleteRegTree(HKCU, "Identities", kIdentity);
}

} // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 3;
    std::printf("| store  | command                                      |   rows |  total ms "
                "|  us/row |\n");
    std::printf("|--------|----------------------------------------------|--------|-----------|"
                "---------|\n");
#ifdef _WIN32
    const std::string folder = bench::TempFolder("velmora-criteria-bench");
    const std::string language = "Z:" VELMORA_SOURCE_DIR "\\language\\English.lng";
    platform::win32::Win32FileSystem files;
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, folder, language, runs);
    platform::win32::Win32Registry real;
    Measure("win32", real, files, folder, language, runs);
    DeleteFileA((folder + "\\words.txt").c_str());
    RemoveDirectoryA(folder.c_str());
#else
    const auto scratch = std::filesystem::temp_directory_path() / "velmora-criteria-bench";
    std::filesystem::create_directories(scratch);
    platform::portable::PosixFileSystem files(
        {{'C', scratch.string()}, {'L', VELMORA_SOURCE_DIR "/language"}});
    platform::portable::MemoryRegistry memory;
    Measure("memory", memory, files, "C:", "L:\\English.lng", runs);
    std::filesystem::remove_all(scratch);
#endif
    return 0;
}
