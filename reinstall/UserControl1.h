#pragma once
// The download control of the progress window: reads an address into a
// temporary file, keeps the program-wide transfer texts up to date, and
// copies the file to its target once every byte is there.

#include "platform/Download.h"

#include <cstdint>
#include <functional>
#include <string>

namespace velmora {

class Program;

class UserControl1 {
public:
    explicit UserControl1(Program& program) : program_(program) {}
    // A read still running ends with its window, which hears nothing of it.
    ~UserControl1() {
        Complete = nullptr;
        Cancel();
    }
    UserControl1(const UserControl1&) = delete;
    UserControl1& operator=(const UserControl1&) = delete;

    void Cancel();
    bool Busy() const { return !target_.empty(); }
    void Download(const std::string& url, const std::string& target);

    // Events
    std::function<void(std::uint32_t lngProgress, std::uint32_t lngProgressMax)> Progress;
    std::function<void(std::int32_t lngSate, const std::string& strState)> StateChange;
    // bSuccess; `told` when the control already told the user why it failed.
    std::function<void(bool bSuccess, bool told)> Complete;

    double RemainingSeconds = 0;
    // The progress bar's value; -1 while the size is not known.
    int BarValue = 0;
    std::uint32_t BytesRead = 0;

private:
    void Report(const platform::DownloadReport& report);
    void Arriving(std::uint32_t read, std::uint32_t expected);
    bool Finish(const platform::DownloadReport& report);
    std::string Text(const std::string& key) const;

    Program& program_;
    std::string target_;
    std::string temporary_;
};

} // namespace velmora
