#include "reinstall/PackDownload.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "reinstall/frmProgress.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace velmora {

namespace {

std::string Text(Program& program, const std::string& section, const std::string& key) {
    return GetLngText(program.services.profile, section, key, program.LanguageFile);
}

std::string Onglet6(Program& program, const std::string& key) {
    return Text(program, "Onglet6", key);
}

std::vector<std::string> SplitAt(const std::string& text, char separator) {
    std::vector<std::string> parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find(separator, start);
        parts.push_back(text.substr(start, end == std::string::npos ? end : end - start));
        if (end == std::string::npos)
            return parts;
        start = end + 1;
    }
}

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
    return text;
}

void Refuse(Program& program, const std::string& text, int style, const std::string& title) {
    program.services.ui.msgBox(text, style, title);
    program.principal().Show();
}

} // namespace

std::string PackPathFor(const std::string& browserVersion, const std::string& windowsFamily,
                        const std::string& previous) {
    const std::vector<std::string> parts = SplitAt(browserVersion, '.');
    auto part = [&](std::size_t i) { return i < parts.size() ? LeadingNumber(parts[i]) : 0; };
    const long long major = part(0);
    const long long build = part(2);
    const long long revision = part(3);
    const bool xp = windowsFamily == "XP";
    std::string path = previous;
    if (!xp && major == 6 && build == 2600 && revision < 1106)
        path = "corvessa/9x";
    if (major == 6 && build > 2600 && build < 2900)
        path = "corvessa/sp1";
    if (xp && major == 6 && build == 2600 && revision < 1106)
        path = "corvessa/xp";
    if (xp && major == 6 && build >= 2900)
        path = "corvessa/sp2";
    return path;
}

std::string PackSite(Program& program) {
    const std::string site = program.reg.ReadRegValue(platform::HKCU, kProgramKey, kPackSiteValue);
    if (site.empty() || site == kNotFound)
        return kPackSite;
    return site.back() == '/' ? site.substr(0, site.size() - 1) : site;
}

std::string PackAddress(Program& program) {
    return Lower(PackSite(program) + "/" + program.PackPath + "/" + kPackFileName);
}

std::string FormatDuration(Program& program, long seconds) {
    const std::string joining = Onglet6(program, "lbl622");
    const long hours = seconds / 3600;
    const long minutes = (seconds % 3600) / 60;
    const long rest = (seconds % 3600) % 60;
    std::string text;
    if (hours == 0) {
        if (minutes > 0)
            text = std::to_string(minutes) + " min ";
        if (!text.empty() && rest != 0)
            text += joining + " ";
        return text + std::to_string(rest) + " s";
    }
    text = std::to_string(hours) + " H ";
    if (minutes != 0)
        text += joining + " " + std::to_string(minutes) + " min";
    else if (rest > 0)
        text += joining + " " + std::to_string(rest) + " s";
    return text;
}

std::string FormatAmount(double value, int decimals) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, value);
    const std::string digits = buffer;
    const std::size_t point = std::min(digits.find('.'), digits.size());
    const std::size_t first = digits.front() == '-' ? 1 : 0;
    // Blanks between thousands, as "# ##0.00" shows them.
    std::string grouped = digits.substr(0, first);
    for (std::size_t i = first; i < point; ++i) {
        if (i > first && (point - i) % 3 == 0)
            grouped += ' ';
        grouped += digits[i];
    }
    return grouped + digits.substr(point);
}

void DownloadPack(Program& program) {
    const std::string br = program.LineBreak;
    program.principal().Hide();
    if (program.services.system.bootMode() >= 1) {
        Refuse(program,
               Onglet6(program, "msgbox613") + br + br + Onglet6(program, "msgbox617b") + " " +
                   Onglet6(program, "msgbox617e") + br + Onglet6(program, "msgbox617c") + " " +
                   Onglet6(program, "msgbox617g"),
               ui::MbCritical, Onglet6(program, "msgbox613T"));
        return;
    }
    if (program.BrowserVersion.empty()) {
        Refuse(program,
               Text(program, "Xtra", "msgbox01") + br + Text(program, "Xtra", "msgbox02") + br +
                   br + Text(program, "Xtra", "msgbox03") + br + br +
                   Text(program, "Xtra", "msgbox06"),
               ui::MbCritical, Text(program, "Xtra", "msgbox0T"));
        return;
    }
    program.PackPath = PackPathFor(program.BrowserVersion, program.WindowsFamily, program.PackPath);
    program.PackFileName = kPackFileName;
    program.PackLocalPath = program.WorkFolder + kPackFileName;
    platform::FileSystem& files = program.services.files;
    // A pack left read-only cannot be replaced: say so rather than fetch it for nothing.
    if (FileExists(files, program.PackLocalPath) && !files.deleteFile(program.PackLocalPath)) {
        Refuse(program,
               Onglet6(program, "msgbox621") + br + br + program.PackLocalPath + br + br +
                   Onglet6(program, "msgbox634"),
               ui::MbCritical, Onglet6(program, "msgbox613T"));
        return;
    }

    platform::Downloader& downloader = program.services.downloader;
    if (!downloader.connected()) {
        const std::string autodial = program.reg.ReadRegValue(
            platform::HKCU, "Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
            "EnableAutodial");
        if (LeadingNumber(autodial) != 1) {
            Refuse(program, Onglet6(program, "msgbox613b") + br + Onglet6(program, "msgbox613c"),
                   ui::MbExclamation, Onglet6(program, "msgbox613T"));
            return;
        }
        if (!downloader.attemptConnect()) {
            Refuse(program,
                   Onglet6(program, "msgbox613") + br + br + Onglet6(program, "msgbox613a"),
                   ui::MbCritical, Onglet6(program, "msgbox613T"));
            return;
        }
    }

    // The work folder with every missing parent.
    std::string folder;
    for (const std::string& part : SplitAt(program.WorkFolder, '\\')) {
        if (part.empty())
            continue;
        folder += part + "\\";
        if (!FileExists(files, folder))
            files.createFolder(folder);
    }
    // The window is made when first used (the main window is built before
    // the program can take factories).
    if (!program.existingForm(kProgressWindow))
        program.registerForm(kProgressWindow,
                             [](Program& p) { return std::make_unique<frmProgress>(p); });
    program.form(kProgressWindow).Show();
}

void RunPack(Program& program) {
    const std::string br = program.LineBreak;
    const std::string pack = program.WorkFolder + kPackFileName;
    const platform::TrustVerdict verdict = program.services.trust.verifyFile(pack);
    if (verdict != platform::TrustVerdict::Trusted) {
        const std::string why =
            verdict == platform::TrustVerdict::Unsigned ? "msgbox632a" : "msgbox632b";
        program.services.ui.msgBox(Onglet6(program, "msgbox632") + br + br + pack + br + br +
                                       Onglet6(program, why) + br + Onglet6(program, "msgbox632c"),
                                   ui::MbCritical, Onglet6(program, "msgbox632T"));
        return;
    }
    program.services.shell.open(kPackFileName, program.WorkFolder, 1);
}

} // namespace velmora
