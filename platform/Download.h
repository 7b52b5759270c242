#pragma once
// An HTTP read of an address into a file, reported while it runs. Reports
// arrive on the user-interface thread, between the window's own events.

#include <cstdint>
#include <functional>
#include <string>

namespace velmora::platform {

// Status codes of a report: data arriving, and the end with all data.
inline constexpr int kDownloadData = 5;
inline constexpr int kDownloadAllData = 6;

struct DownloadReport {
    int status = 0;             // kDownloadData, kDownloadAllData, or the failure's code
    std::uint32_t read = 0;     // bytes received so far
    std::uint32_t expected = 0; // bytes announced by the server; 0 when not told
    bool ended = false;         // the last report of the read
    std::string text;           // what the status means, for a failure
};

class Downloader {
public:
    using Reporter = std::function<void(const DownloadReport&)>;
    virtual ~Downloader() = default;

    // Is there a connection to the Internet (InternetGetConnectedState)?
    virtual bool connected() = 0;
    // Asks the system to connect; true when it did.
    virtual bool attemptConnect() = 0;
    // Removes the address from the browser's cache.
    virtual void forgetCached(const std::string& url) = 0;
    // Starts reading url into file (created or truncated); false when it
    // could not start. Ends with one report whose `ended` is set, unless
    // cancelled first.
    virtual bool start(const std::string& url, const std::string& file, Reporter reporter) = 0;
    // Stops the running read; no report follows.
    virtual void cancel() = 0;
};

} // namespace velmora::platform
