// Time from process start to the main window shown: starts velmora.exe N
// times, measures from just before CreateProcess to the moment a visible
// top-level window of that process titled "Velmora" exists, closes it, and
// prints each run and the median.
//
// Usage: startup_bench [path\to\velmora.exe] [runs]
// Default program: the dist folder beside this benchmark's build folder
// (..\dist\Velmora\velmora.exe). The language choice of the program's key is
// set to the first language file so that the main window shows directly
// (without it the about window asks first).

#ifndef _WIN32

#include <cstdio>

int main() {
    std::puts("startup_bench measures velmora.exe under Wine or Windows: run it from the cross "
              "build (build/win32/bench/startup_bench.exe).");
    return 0;
}

#else

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

std::string folderOf(const std::string& path) {
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? "." : path.substr(0, slash);
}

std::string defaultProgram() {
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, sizeof self);
    const std::string build = folderOf(folderOf(std::string(self, length)));
    return build + "\\dist\\Velmora\\velmora.exe";
}

// The first ordinary .lng file of the language folder, lower case, no extension.
std::string firstLanguage(const std::string& programFolder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((programFolder + "\\language\\*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    std::string name = found.cFileName;
    FindClose(search);
    CharLowerA(name.data());
    return name.substr(0, name.size() - 4);
}

void chooseLanguage(const std::string& language) {
    HKEY key;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Velmora_XPSP2", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    const DWORD zero = 0, one = 1;
    RegSetValueExA(key, "Language", 0, REG_SZ, reinterpret_cast<const BYTE*>(language.c_str()),
                   static_cast<DWORD>(language.size() + 1));
    RegSetValueExA(key, "LanguageNum", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                   sizeof zero);
    RegSetValueExA(key, "NoRestaure", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one),
                   sizeof one);
    RegCloseKey(key);
}

struct Search {
    DWORD process;
    HWND found;
};

BOOL CALLBACK visit(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char title[16];
    if (process == search.process && IsWindowVisible(window) &&
        GetWindowTextA(window, title, sizeof title) == 7 && lstrcmpA(title, "Velmora") == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// Milliseconds to the main window, or a negative number when it never showed.
double oneRun(const std::string& program, DWORD timeoutMs) {
    std::string command = "\"" + program + "\"";
    const std::string folder = folderOf(program);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    LARGE_INTEGER frequency, start, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    if (!CreateProcessA(program.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &info)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", program.c_str(), GetLastError());
        return -1;
    }
    double elapsed = -1;
    Search search{info.dwProcessId, nullptr};
    for (;;) {
        EnumWindows(&visit, reinterpret_cast<LPARAM>(&search));
        QueryPerformanceCounter(&now);
        const double ms = 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
                          static_cast<double>(frequency.QuadPart);
        if (search.found) {
            elapsed = ms;
            break;
        }
        if (ms > timeoutMs || WaitForSingleObject(info.hProcess, 1) == WAIT_OBJECT_0)
            break;
    }
    if (search.found)
        PostMessageA(search.found, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(info.hProcess, 60000) != WAIT_OBJECT_0)
        TerminateProcess(info.hProcess, 1);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return elapsed;
}

} // namespace

int main(int argc, char** argv) {
    const std::string program = argc > 1 ? argv[1] : defaultProgram();
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;
    if (GetFileAttributesA(program.c_str()) == INVALID_FILE_ATTRIBUTES) {
        std::fprintf(stderr, "no program at %s\n", program.c_str());
        return 1;
    }
    const std::string language = firstLanguage(folderOf(program));
    if (language.empty()) {
        std::fprintf(stderr, "no language file beside %s\n", program.c_str());
        return 1;
    }
    chooseLanguage(language);

    std::vector<double> times;
    for (int run = 0; run < runs; ++run) {
        const double ms = oneRun(program, 600000);
        if (ms < 0) {
            std::fprintf(stderr, "run %d: the main window never showed\n", run + 1);
            return 1;
        }
        std::printf("run %d: %.1f ms\n", run + 1, ms);
        std::fflush(stdout);
        times.push_back(ms);
    }
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    const double median = n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
    std::printf("process start to main window shown: median %.1f ms, min %.1f ms, max %.1f ms "
                "(%zu runs)\n",
                median, times.front(), times.back(), n);
    return 0;
}

#endif
