#include "platform/win32/Win32Downloader.h"

#include <windows.h>

#include <wininet.h>

#include <atomic>
#include <string>
#include <vector>

namespace velmora::platform::win32 {

namespace {

constexpr UINT kReportMessage = WM_APP + 1;
const char kWindowClass[] = "VelmoraDownloadReports";

LRESULT CALLBACK ReportWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kReportMessage)
        return DefWindowProcA(window, message, wParam, lParam);
    std::unique_ptr<DownloadReport> report(reinterpret_cast<DownloadReport*>(lParam));
    auto* owner = reinterpret_cast<Win32Downloader*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (owner)
        owner->deliver(static_cast<unsigned>(wParam), *report);
    return 0;
}

HWND createReportWindow(Win32Downloader* owner) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ReportWindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassA(&windowClass); // fails harmlessly when already registered
    HWND window = CreateWindowExA(0, kWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  instance, nullptr);
    if (window)
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(owner));
    return window;
}

std::string errorText(DWORD error) {
    char text[512] = {};
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                  nullptr, error, 0, text, sizeof text, nullptr);
    if (length == 0 && error >= INTERNET_ERROR_BASE && error <= INTERNET_ERROR_LAST)
        length =
            FormatMessageA(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_IGNORE_INSERTS,
                           GetModuleHandleA("wininet.dll"), error, 0, text, sizeof text, nullptr);
    std::string result(text, length);
    while (!result.empty() && (result.back() == '\r' || result.back() == '\n'))
        result.pop_back();
    return result.empty() ? "error " + std::to_string(error) : result;
}

} // namespace

// What the reading thread and the window share. The thread holds its own
// reference, so a downloader destroyed during a read leaves the job alive.
struct Win32Downloader::Job {
    Job() { InitializeCriticalSection(&lock); }
    ~Job() { DeleteCriticalSection(&lock); }

    std::string url;
    std::string file;
    HWND window = nullptr;
    unsigned generation = 0;
    std::atomic<bool> cancelled{false};
    CRITICAL_SECTION lock;
    HINTERNET session = nullptr;

    void post(const DownloadReport& report) {
        if (cancelled)
            return;
        auto* copy = new DownloadReport(report);
        if (!PostMessageA(window, kReportMessage, generation, reinterpret_cast<LPARAM>(copy)))
            delete copy;
    }
    void fail(int status, const std::string& text, std::uint32_t read, std::uint32_t expected) {
        post({status, read, expected, true, text});
    }
    // Closing the session ends a read blocked in the network at once.
    void closeSession() {
        EnterCriticalSection(&lock);
        if (session)
            InternetCloseHandle(session);
        session = nullptr;
        LeaveCriticalSection(&lock);
    }
    void run();
};

void Win32Downloader::Job::run() {
    HINTERNET opened = InternetOpenA("Velmora", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0);
    if (!opened) {
        fail(static_cast<int>(GetLastError()), errorText(GetLastError()), 0, 0);
        return;
    }
    EnterCriticalSection(&lock);
    session = opened;
    LeaveCriticalSection(&lock);
    if (cancelled) {
        closeSession();
        return;
    }

    const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                        INTERNET_FLAG_PRAGMA_NOCACHE | INTERNET_FLAG_NO_UI;
    HINTERNET request = InternetOpenUrlA(opened, url.c_str(), nullptr, 0, flags, 0);
    if (!request) {
        const DWORD error = GetLastError();
        fail(static_cast<int>(error), errorText(error), 0, 0);
        closeSession();
        return;
    }
    DWORD status = 0;
    DWORD size = sizeof status;
    if (HttpQueryInfoA(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                       nullptr) &&
        status != HTTP_STATUS_OK) {
        fail(static_cast<int>(status), "HTTP " + std::to_string(status), 0, 0);
        InternetCloseHandle(request);
        closeSession();
        return;
    }
    DWORD expected = 0;
    size = sizeof expected;
    if (!HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH | HTTP_QUERY_FLAG_NUMBER, &expected,
                        &size, nullptr))
        expected = 0;

    HANDLE out = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    if (out == INVALID_HANDLE_VALUE) {
        const DWORD error = GetLastError();
        fail(static_cast<int>(error), errorText(error), 0, expected);
        InternetCloseHandle(request);
        closeSession();
        return;
    }
    std::uint32_t read = 0;
    std::vector<char> buffer(65536); // fewer, larger reports: the window keeps up
    DWORD error = 0;
    for (;;) {
        DWORD got = 0;
        if (!InternetReadFile(request, buffer.data(), static_cast<DWORD>(buffer.size()), &got)) {
            error = GetLastError();
            break;
        }
        if (got == 0 || cancelled)
            break;
        DWORD written = 0;
        if (!WriteFile(out, buffer.data(), got, &written, nullptr) || written != got) {
            error = GetLastError();
            break;
        }
        read += got;
        post({kDownloadData, read, expected, false, ""});
    }
    CloseHandle(out);
    InternetCloseHandle(request);
    closeSession();
    if (error != 0)
        fail(static_cast<int>(error), errorText(error), read, expected);
    else if (expected != 0 && read != expected)
        // The connection closed before the announced length: a cut transfer.
        fail(static_cast<int>(ERROR_INTERNET_CONNECTION_ABORTED),
             errorText(ERROR_INTERNET_CONNECTION_ABORTED), read, expected);
    else
        post({kDownloadAllData, read, expected, true, ""});
}

namespace {

DWORD WINAPI ReadThread(LPVOID parameter) {
    std::unique_ptr<std::shared_ptr<Win32Downloader::Job>> job(
        static_cast<std::shared_ptr<Win32Downloader::Job>*>(parameter));
    (*job)->run();
    return 0;
}

} // namespace

Win32Downloader::Win32Downloader() : window_(createReportWindow(this)) {}

Win32Downloader::~Win32Downloader() {
    cancel();
    if (window_)
        DestroyWindow(static_cast<HWND>(window_));
}

bool Win32Downloader::connected() {
    DWORD flags = 0;
    return InternetGetConnectedState(&flags, 0) != FALSE;
}

bool Win32Downloader::attemptConnect() {
    return InternetAttemptConnect(0) == ERROR_SUCCESS;
}

void Win32Downloader::forgetCached(const std::string& url) {
    DeleteUrlCacheEntryA(url.c_str());
}

bool Win32Downloader::start(const std::string& url, const std::string& file, Reporter reporter) {
    if (!window_ || job_)
        return false;
    auto job = std::make_shared<Job>();
    job->url = url;
    job->file = file;
    job->window = static_cast<HWND>(window_);
    job->generation = ++generation_;
    auto* threadReference = new std::shared_ptr<Job>(job);
    DWORD threadId = 0;
    HANDLE thread = CreateThread(nullptr, 0, ReadThread, threadReference, 0, &threadId);
    if (!thread) {
        delete threadReference;
        return false;
    }
    CloseHandle(thread);
    job_ = std::move(job);
    reporter_ = std::move(reporter);
    return true;
}

void Win32Downloader::cancel() {
    if (!job_)
        return;
    job_->cancelled = true;
    job_->closeSession();
    job_.reset();
    reporter_ = nullptr;
}

void Win32Downloader::deliver(unsigned generation, const DownloadReport& report) {
    if (!job_ || generation != job_->generation)
        return; // a report of a cancelled read
    Reporter reporter = reporter_;
    if (report.ended) {
        job_.reset();
        reporter_ = nullptr;
    }
    if (reporter)
        reporter(report);
}

} // namespace velmora::platform::win32
