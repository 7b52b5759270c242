#pragma once
// A download the test plays: it says whether there is a connection, sees
// the address and file asked for, and delivers the reports itself (writing
// the file first when it wants one).

#include "platform/Download.h"

#include <string>
#include <vector>

namespace velmora::platform::portable {

class ScriptedDownloader : public Downloader {
public:
    bool connected() override { return online; }
    bool attemptConnect() override { return connectSucceeds; }
    void forgetCached(const std::string& address) override { forgotten.push_back(address); }
    bool start(const std::string& address, const std::string& target, Reporter reporter) override {
        if (running())
            return false;
        url = address;
        file = target;
        reporter_ = std::move(reporter);
        ++starts;
        return true;
    }
    void cancel() override {
        if (running())
            ++cancels;
        reporter_ = nullptr;
    }

    bool running() const { return static_cast<bool>(reporter_); }
    // Delivers a report of the running read, as the system would.
    void deliver(const DownloadReport& report) {
        Reporter reporter = reporter_;
        if (report.ended)
            reporter_ = nullptr;
        if (reporter)
            reporter(report);
    }

    bool online = true;
    bool connectSucceeds = true;
    std::vector<std::string> forgotten;
    std::string url;
    std::string file;
    int starts = 0;
    int cancels = 0;

private:
    Reporter reporter_;
};

} // namespace velmora::platform::portable
