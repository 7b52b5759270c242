#pragma once
// HTTP reads with wininet on a thread of their own, reported to the
// user-interface thread through a message-only window: the reports run
// between the window's other events, as the browser's asynchronous read.

#include "platform/Download.h"

#include <memory>

namespace velmora::platform::win32 {

class Win32Downloader : public Downloader {
public:
    Win32Downloader();
    ~Win32Downloader() override;
    Win32Downloader(const Win32Downloader&) = delete;
    Win32Downloader& operator=(const Win32Downloader&) = delete;

    bool connected() override;
    bool attemptConnect() override;
    void forgetCached(const std::string& url) override;
    bool start(const std::string& url, const std::string& file, Reporter reporter) override;
    void cancel() override;

    struct Job;
    // Called by the window procedure with a report of the thread.
    void deliver(unsigned generation, const DownloadReport& report);

private:
    void* window_ = nullptr;
    unsigned generation_ = 0;
    std::shared_ptr<Job> job_;
    Reporter reporter_;
};

} // namespace velmora::platform::win32
