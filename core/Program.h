#pragma once
// The program object: the services it works through, the program-wide
// state set at start-up, and its windows. One instance per run; tests build
// one over the portable back-ends and a scripted UI host.

#include "core/modRegistre.h"
#include "platform/Cabinets.h"
#include "platform/Dialogs.h"
#include "platform/Download.h"
#include "platform/FileSystem.h"
#include "platform/ProfileStrings.h"
#include "platform/Registry.h"
#include "platform/Shell.h"
#include "platform/SystemInfo.h"
#include "platform/TopLevelWindows.h"
#include "platform/SystemRestore.h"
#include "platform/LibraryRegistration.h"
#include "platform/Trust.h"
#include "platform/FileVersions.h"
#include "platform/Volumes.h"
#include "ui/model/Form.h"
#include "ui/model/UiHost.h"

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace velmora {

struct Services {
    platform::Registry& registry;
    platform::FileSystem& files;
    platform::ProfileStrings& profile;
    platform::Shell& shell;
    platform::Dialogs& dialogs;
    platform::SystemInfo& system;
    ui::UiHost& ui;
    platform::Cabinets& cabinets;
    platform::TopLevelWindows& windows;
    platform::SystemRestore& restore;
    platform::LibraryRegistration& libraries;
    platform::Downloader& downloader;
    platform::Trust& trust;
    platform::FileVersions& versions;
    platform::Volumes& volumes;
};

// One column of the identity table: row 0 the user name, row 1 the GUID.
struct IdentityColumn {
    std::string userName;
    std::string userId;
};

inline const std::string kApplicationTitle = "Velmora";
inline const std::string kProgramKey = "Software\\Velmora_XPSP2";

class Program {
public:
    using FormFactory = std::function<std::unique_ptr<ui::Form>(Program&)>;

    // The main window comes from the program's composition, which knows the
    // pages; the core only loads it and hands it to them.
    Program(Services services, const FormFactory& mainWindow);
    ~Program();

    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // Loads the main window, which runs the start-up sequence.
    void Start();

    Services services;
    modRegistre reg;

    // Program-wide state set at start-up.
    std::string BrowserVersion;
    std::string WindowsFamily;
    std::string ClientFolder;
    std::string WorkFolder;
    std::string RuleKind;
    std::string LineBreak;
    std::array<std::int32_t, 3> CriterionTypes{};
    std::string LanguageFile;
    std::string CurrentIdentity;
    std::vector<IdentityColumn> IdentityTable;
    std::string AntiSpamRuleKey;
    std::vector<std::string> CriterionKeys;
    bool CopySucceeded = false;
    bool CabinetOk = false;
    // The supplementary pack's download.
    std::string PackPath;
    std::string PackFileName;
    std::string PackLocalPath;
    double DownloadSeconds = 0;
    std::int16_t DownloadPercent = 0;
    std::string DownloadSizeText;
    std::string DownloadDoneText;
    std::string DownloadSpeedText;
    // The kit folder search: -1 once a stop is asked, 1 while its window closes.
    std::int16_t SearchStop = 0;
    std::uint8_t SearchClosing = 0;
    std::string SearchStatusText;

    // The folder the program was started from, without trailing backslash.
    std::string ProgramFolder() const;
    // The language folder: program folder + "\language\".
    std::string LanguageFolder() const;
    // "Identities\{guid}\Software\Microsoft\Outlook Express\5.0", built afresh.
    std::string IdentityKey() const;

    // Windows
    ui::Form& principal() { return *principal_; }
    // Secondary windows are created on first use by the factory their
    // subsystem registers; the shutdown unloads those that exist.
    void registerForm(const std::string& name, FormFactory factory);
    ui::Form& form(const std::string& name);
    ui::Form* existingForm(const std::string& name) const;
    std::vector<ui::Form*> existingForms() const;

private:
    // Before the main window: its pages register the windows they open
    // while it is built.
    std::map<std::string, FormFactory> factories_;
    std::unique_ptr<ui::Form> principal_;
    std::map<std::string, std::unique_ptr<ui::Form>> forms_;
};

} // namespace velmora
