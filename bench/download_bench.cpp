// Download throughput of the program's HTTP read (wininet, reported through
// the message loop as the progress window gets it), from an address served
// on 127.0.0.1. bench/download_bench.sh serves one file, fetches it with
// curl and with this, and prints both.
//
// Usage: download_bench URL [runs]   (cross build, under Wine or Windows)

#ifndef _WIN32

#include <cstdio>

int main() {
    std::puts("download_bench measures the Windows HTTP read: run bench/download_bench.sh.");
    return 0;
}

#else

#include "platform/win32/Win32Downloader.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::puts("usage: download_bench URL [runs]");
        return 2;
    }
    const std::string url = argv[1];
    const int runs = argc > 2 ? std::atoi(argv[2]) : 3;
    char temp[MAX_PATH + 1];
    const std::string file =
        std::string(temp, GetTempPathA(sizeof temp, temp)) + "velmora-download-bench.part";
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        velmora::platform::win32::Win32Downloader downloader;
        velmora::platform::DownloadReport last;
        bool ended = false;
        long reports = 0;
        const auto start = std::chrono::steady_clock::now();
        downloader.start(url, file, [&](const velmora::platform::DownloadReport& report) {
            ++reports;
            last = report;
            ended = report.ended;
        });
        while (!ended) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&message);
        }
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const double rate = last.read / seconds / 1048576.0;
        best = rate > best ? rate : best;
        std::printf("run %d: status %d, %u bytes in %.3f s, %.1f MB/s, %ld reports\n", run + 1,
                    last.status, last.read, seconds, rate, reports);
    }
    DeleteFileA(file.c_str());
    std::printf("best: %.1f MB/s\n", best);
    return 0;
}

#endif
