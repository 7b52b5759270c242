#pragma once
// The program as the benchmarks run it: the registry and files under test,
// the other services portable, and a UI host without windows.

#include "app/frmPrincipal.h"
#include "core/Program.h"
#include "platform/portable/FixedSystemInfo.h"
#include "platform/portable/IniProfileStrings.h"
#ifdef _WIN32
#include "platform/win32/Win32Cabinets.h"
#include <windows.h>
#else
#include "platform/portable/MspackCabinets.h"
#endif
#include "platform/portable/RecordingLibraryRegistration.h"
#include "platform/portable/RecordingShell.h"
#include "platform/portable/ScriptedDialogs.h"
#include "platform/portable/ScriptedSystemRestore.h"
#include "platform/portable/WindowTable.h"
#include "platform/portable/ScriptedDownloader.h"
#include "platform/portable/ScriptedFileVersions.h"
#include "platform/portable/ScriptedTrust.h"
#include "ui/model/Form.h"
#include "ui/model/UiHost.h"

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

namespace velmora::bench {

using Clock = std::chrono::steady_clock;

inline double Milliseconds(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

#ifdef _WIN32
// A folder of this name in the temporary folder, made if missing.
inline std::string TempFolder(const std::string& name) {
    char temp[MAX_PATH + 1];
    const std::string folder = std::string(temp, GetTempPathA(sizeof temp, temp)) + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}
#endif

// Every question gets the same answer, and the longest stretch between two
// DoEvents is noted (how long a window would have gone without handling its
// messages).
class BenchHost : public ui::UiHost {
public:
    explicit BenchHost(int answer) : answer_(answer) {}

    int msgBox(const std::string&, int, const std::string&) override { return answer_; }
    void load(ui::Form&) override {}
    void show(ui::Form& form, bool) override { form.markShown(true); }
    void hide(ui::Form& form) override { form.markShown(false); }
    void unload(ui::Form& form) override { form.markShown(false); }
    void setMousePointer(int pointer) override { pointer_ = pointer; }
    int mousePointer() const override { return pointer_; }
    void doEvents() override {
        const auto now = Clock::now();
        longest_ = std::max(longest_, now - last_);
        last_ = now;
    }
    void popupMenu(ui::Form&, const std::string&) override {}
    ui::InputAnswer inputBox(const std::string&, const std::string&) override { return {}; }

    void startWatch() {
        last_ = Clock::now();
        longest_ = {};
    }
    double longestPause() {
        doEvents(); // the stretch after the last call counts too
        return Milliseconds(longest_);
    }

private:
    int answer_;
    int pointer_ = ui::PointerDefault;
    Clock::time_point last_ = Clock::now();
    Clock::duration longest_{};
};

// The cabinet engine of the build: the system's, or libmspack natively.
inline std::unique_ptr<platform::Cabinets> BenchCabinets(platform::FileSystem& files) {
#ifdef _WIN32
    (void)files;
    return std::make_unique<platform::win32::Win32Cabinets>();
#else
    return std::make_unique<platform::portable::MspackCabinets>(files);
#endif
}

// A machine without drives, for the benchmarks that search none.
class NoDrives : public platform::Volumes {
public:
    std::vector<std::string> driveRoots(std::size_t) override { return {}; }
    int driveType(const std::string&) override { return platform::DriveNoRoot; }
    std::optional<std::uint64_t> usedSpace(const std::string&) override { return std::nullopt; }
    bool isHostRoot(const std::string&) override { return false; }
    std::string rootOnHostDrive(const std::string&) override { return {}; }
    std::optional<platform::FolderIdentity> folderIdentity(const std::string&) override {
        return std::nullopt;
    }
};

struct BenchProgram {
    BenchProgram(platform::Registry& registry, platform::FileSystem& files, int answer)
        : BenchProgram(registry, files, answer, noDrives) {}
    BenchProgram(platform::Registry& registry, platform::FileSystem& files, int answer,
                 platform::Volumes& volumes)
        : profile(files), host(answer), cabinets(BenchCabinets(files)),
          program(Services{registry, files, profile, shell, dialogs, system, host, *cabinets,
                           windows, restore, libraries, downloader, trust, versions, volumes},
                  frmPrincipal::Create) {}

    NoDrives noDrives;
    platform::portable::ScriptedDownloader downloader;
    platform::portable::ScriptedTrust trust;
    platform::portable::ScriptedFileVersions versions;

    platform::portable::IniProfileStrings profile;
    platform::portable::RecordingShell shell;
    platform::portable::ScriptedDialogs dialogs;
    platform::portable::FixedSystemInfo system;
    BenchHost host;
    std::unique_ptr<platform::Cabinets> cabinets;
    platform::portable::WindowTable windows;
    platform::portable::ScriptedSystemRestore restore;
    platform::portable::RecordingLibraryRegistration libraries;
    Program program;
};

} // namespace velmora::bench
