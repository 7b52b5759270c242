#include "reinstall/UserControl1.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "reinstall/PackDownload.h"

#include <algorithm>
#include <cmath>

namespace velmora {

namespace {

// Every program file starts with these two bytes; a web page never does.
bool LooksLikeProgram(platform::FileSystem& files, const std::string& path) {
    const auto bytes = files.readFile(path);
    return bytes && bytes->size() >= 2 && bytes->compare(0, 2, "MZ") == 0;
}

} // namespace

std::string UserControl1::Text(const std::string& key) const {
    return GetLngText(program_.services.profile, "Onglet6", key, program_.LanguageFile);
}

void UserControl1::Cancel() {
    if (!Busy())
        return;
    program_.services.downloader.cancel();
    program_.services.files.deleteFile(temporary_);
    target_.clear();
    if (Complete)
        Complete(false, false);
}

void UserControl1::Download(const std::string& url, const std::string& target) {
    if (Busy())
        return;
    platform::Downloader& downloader = program_.services.downloader;
    downloader.forgetCached(url);
    target_ = target;
    temporary_ = GetTempFolder(program_.services.files) + kPackFileName + ".part";
    if (!downloader.start(url, temporary_,
                          [this](const platform::DownloadReport& report) { Report(report); }))
        target_.clear(); // errors while starting are not reported
}

void UserControl1::Report(const platform::DownloadReport& report) {
    if (!report.ended) {
        if (report.status == platform::kDownloadData)
            Arriving(report.read, report.expected);
        else if (StateChange)
            StateChange(report.status, report.text);
        return;
    }
    bool told = false;
    bool success = report.status == platform::kDownloadAllData;
    if (success) {
        success = Finish(report);
        told = !success;
    }
    program_.services.files.deleteFile(temporary_);
    target_.clear();
    if (StateChange)
        StateChange(report.status, report.text);
    if (Complete)
        Complete(success, told);
}

void UserControl1::Arriving(std::uint32_t read, std::uint32_t expected) {
    Program& p = program_;
    BytesRead = read;
    const double received = read;
    // A server that does not tell the length: the amount so far stands for
    // the size, and there is no percentage or remaining time.
    const bool sized = expected > 0;
    const double total = sized ? expected : received;
    p.DownloadSizeText = FormatAmount(total / 1048576.0, 2) + " Mo" + Text("lbl621b");
    p.DownloadPercent =
        sized ? static_cast<std::int16_t>(std::nearbyint(std::min(received / total, 1.0) * 100))
              : std::int16_t{0};
    const double kilobytes = std::nearbyint(received / 1024);
    std::string done =
        kilobytes > 1000 ? FormatAmount(std::nearbyint(received / 1048576.0 * 100) / 100, 2) + " Mo"
                         : std::to_string(static_cast<long long>(kilobytes)) + " Ko";
    if (p.DownloadSeconds <= 1 || !sized) {
        p.DownloadDoneText = "        (" + done + "  " + Text("lbl621b") + " ...)";
        if (p.DownloadSeconds > 1)
            p.DownloadSpeedText = FormatAmount(received / (p.DownloadSeconds * 1000), 1);
    } else {
        const double speed = received / (p.DownloadSeconds * 1000);
        p.DownloadSpeedText = FormatAmount(speed, 1);
        RemainingSeconds = speed > 0 ? std::nearbyint((total - received) / (speed * 1024)) : 0;
        p.DownloadDoneText = FormatDuration(p, static_cast<long>(RemainingSeconds)) + " (" + done +
                             "  " + Text("lbl632") + " " + p.DownloadSizeText + ")";
    }
    BarValue = sized ? p.DownloadPercent : -1;
    if (Progress)
        Progress(read, expected);
}

bool UserControl1::Finish(const platform::DownloadReport& report) {
    (void)report;
    platform::FileSystem& files = program_.services.files;
    const std::string br = program_.LineBreak;
    if (!LooksLikeProgram(files, temporary_)) {
        program_.services.ui.msgBox(Text("msgbox633") + br + br + Text("msgbox631a") + br +
                                        Text("msgbox631b"),
                                    ui::MbCritical, Text("msgbox631T"));
        return false;
    }
    if (!files.copyFile(temporary_, target_, true)) {
        program_.services.ui.msgBox(Text("msgbox621") + br + br + target_ + br + br +
                                        Text("msgbox634"),
                                    ui::MbCritical, kApplicationTitle);
        return false;
    }
    return true;
}

} // namespace velmora
