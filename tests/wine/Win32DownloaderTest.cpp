// The HTTP read of the system against a server of the test's own on
// 127.0.0.1: whole, slow, cut, refused, lying and cancelled transfers.

#include "platform/win32/Win32Downloader.h"
#include "wine/LocalHttpServer.h"
#include "wine/KitFiles.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <vector>

namespace velmora::testing {
namespace {

using platform::DownloadReport;
using platform::kDownloadAllData;
using platform::kDownloadData;
using platform::win32::Win32Downloader;
using Mode = LocalHttpServer::Mode;

// Runs the message loop until the read ends (or `seconds` pass), calling
// `onReport` with each report as the window would.
std::vector<DownloadReport> pump(Win32Downloader& downloader, const std::string& url,
                                 const std::string& file, int seconds = 20,
                                 std::function<void(const DownloadReport&)> onReport = {}) {
    std::vector<DownloadReport> reports;
    bool ended = false;
    EXPECT_TRUE(downloader.start(url, file, [&](const DownloadReport& report) {
        reports.push_back(report);
        ended = ended || report.ended;
        if (onReport)
            onReport(report);
    }));
    const DWORD deadline = GetTickCount() + static_cast<DWORD>(seconds) * 1000;
    while (!ended && GetTickCount() < deadline) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
    }
    return reports;
}

std::string packBody() {
    std::string body = "MZ";
    for (int i = 0; body.size() < 300000; ++i)
        body += static_cast<char>('a' + i % 26);
    return body;
}

// Every transfer ends with one report; a failure says what went wrong.
TEST(Win32Downloader, TransfersEndAsTheServerAnswers) {
    const std::string body = packBody();
    const auto size = static_cast<std::uint32_t>(body.size());
    struct Row {
        std::string name;
        Mode mode;
        int cutPercent;
        int status; // of the last report; 0: any failure
        std::uint32_t expected;
        bool whole; // the file holds the body
    };
    std::vector<Row> rows = {
        {"whole", Mode::Whole, 0, kDownloadAllData, size, true},
        {"slow", Mode::Slow, 0, kDownloadAllData, size, true},
        {"no length", Mode::NoLength, 0, kDownloadAllData, 0, true},
        {"lying length", Mode::LyingLong, 0, 0, size * 2, false},
        {"not found", Mode::NotFound, 0, 404, 0, false},
        {"no server", Mode::Whole, 0, 0, 0, false},
    };
    for (int percent : {0, 50, 90})
        rows.push_back(
            {"cut at " + std::to_string(percent) + "%", Mode::Cut, percent, 0, size, false});
    LocalHttpServer server(body);
    server.pause = 20;
    std::string gone; // a port nobody listens on: that of a server already gone
    {
        LocalHttpServer closed("x");
        gone = closed.address();
    }
    Win32ScratchFolder folder;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        server.mode = row.mode;
        server.cutPercent = row.cutPercent;
        Win32Downloader downloader;
        const std::string file = folder.at("pack.part");
        const std::string host = row.name == "no server" ? gone : server.address();
        const auto reports = pump(downloader, host + "/corvessa/sp2/corvessa.exe", file);
        ASSERT_FALSE(reports.empty());
        const DownloadReport& last = reports.back();
        EXPECT_TRUE(last.ended);
        if (row.status == 0) {
            EXPECT_NE(last.status, kDownloadAllData) << last.text;
            EXPECT_FALSE(last.text.empty());
        } else {
            EXPECT_EQ(last.status, row.status) << last.text;
        }
        std::uint32_t previous = 0;
        for (std::size_t i = 0; i + 1 < reports.size(); ++i) {
            EXPECT_EQ(reports[i].status, kDownloadData);
            EXPECT_GT(reports[i].read, previous) << "the count only grows";
            EXPECT_EQ(reports[i].expected, row.expected);
            previous = reports[i].read;
        }
        if (row.whole) {
            EXPECT_EQ(last.read, size);
            EXPECT_EQ(readAll(file), body);
        }
        if (row.mode == Mode::Slow) {
            EXPECT_GE(reports.size(), 5u) << "a slow transfer reports as it goes";
        }
    }
}

TEST(Win32Downloader, CancelInTheMiddleEndsTheReadAndNoReportFollows) {
    LocalHttpServer server(packBody());
    server.mode = Mode::Slow;
    server.pause = 400;
    Win32ScratchFolder folder;
    Win32Downloader downloader;
    const std::string url = server.address() + "/corvessa.exe";
    int afterCancel = 0;
    bool cancelled = false;
    const DWORD started = GetTickCount();
    pump(downloader, url, folder.at("a.part"), 3, [&](const DownloadReport&) {
        if (cancelled)
            ++afterCancel;
        else {
            downloader.cancel();
            cancelled = true;
        }
    });
    EXPECT_TRUE(cancelled);
    EXPECT_EQ(afterCancel, 0);
    // The same downloader reads again at once.
    server.mode = Mode::Whole;
    const auto reports = pump(downloader, url, folder.at("b.part"));
    ASSERT_FALSE(reports.empty());
    EXPECT_EQ(reports.back().status, kDownloadAllData);
    EXPECT_LT(GetTickCount() - started, 15000u);
}

} // namespace
} // namespace velmora::testing
