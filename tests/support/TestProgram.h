#pragma once
// A whole program over the portable back-ends: an in-memory registry, a
// scratch folder standing for drive C, and the scripted UI host. The
// program folder is "C:\Program Files\Velmora" and holds the shipped
// language files unless a test says otherwise.

#include "core/Language.h"
#include "core/Program.h"
#include "platform/portable/FixedSystemInfo.h"
#include "platform/portable/IniProfileStrings.h"
#include "platform/portable/MemoryRegistry.h"
#ifdef _WIN32
#include "platform/win32/Win32Cabinets.h"
#else
#include "platform/portable/MspackCabinets.h"
#endif
#include "platform/portable/PosixFileSystem.h"
#include "platform/portable/RecordingShell.h"
#include "platform/portable/ScriptedDialogs.h"
#include "platform/portable/WindowTable.h"
#include "platform/portable/ScriptedSystemRestore.h"
#include "platform/portable/RecordingLibraryRegistration.h"
#include "platform/portable/ScriptedDownloader.h"
#include "platform/portable/ScriptedFileVersions.h"
#include "platform/portable/ScriptedTrust.h"
#include "platform/portable/PosixVolumes.h"
#include "support/ScriptedUiHost.h"
#include "support/TempFolder.h"

#include <memory>
#include <string>
#include <vector>

namespace velmora::testing {

// What the tests over a program write and compare.
using namespace std::string_literals;
using platform::RegBinary;
using platform::RegData;
using platform::RegDword;
using platform::RegSz;
using Strings = std::vector<std::string>;

struct TestProgram {
    enum class Languages { Shipped, None };

    explicit TestProgram(Languages languages = Languages::Shipped);

    // Writes a file at a Windows path on drive C, creating its folders.
    void putFile(const std::string& windowsPath, const std::string& bytes);
    void start() { program->Start(); }
    ui::Form& main() { return program->principal(); }
    void click(const std::string& control) { main().raise(control, ui::Event::Click); }

    TempFolder scratch;
    platform::portable::MemoryRegistry registry;
    platform::portable::PosixFileSystem files;
    platform::portable::IniProfileStrings profile{files};
    platform::portable::RecordingShell shell;
    platform::portable::ScriptedDialogs dialogs;
    platform::portable::FixedSystemInfo system;
    ScriptedUiHost ui;
#ifdef _WIN32
    platform::win32::Win32Cabinets cabinets;
#else
    platform::portable::MspackCabinets cabinets{files};
#endif
    platform::portable::WindowTable windows;
    platform::portable::ScriptedSystemRestore restore;
    platform::portable::RecordingLibraryRegistration libraries;
    platform::portable::ScriptedDownloader downloader;
    platform::portable::ScriptedTrust trust;
    platform::portable::ScriptedFileVersions versions;
    platform::portable::PosixVolumes volumes{files, "C"};
    modRegistre reg{registry};
    std::unique_ptr<Program> program;

    // The services of this program over another registry store.
    Services services(platform::Registry& store) {
        return {store,   files,   profile,   shell,      dialogs, system,   ui,     cabinets,
                windows, restore, libraries, downloader, trust,   versions, volumes};
    }

    // A user who chose English and turned the restore-point question off.
    void seedEnglish();
    // An identity recorded as the last user.
    void seedIdentity(const std::string& guid, const std::string& userName = "Ann");
    // A value as stored: its type, a blank, its bytes ("0 " when missing).
    std::string stored(std::uint32_t root, const std::string& key, const std::string& name);
    // Every message shown: "style title | text".
    std::vector<std::string> messages() const;
};

inline const std::string kTestProgramFolder = "C:\\Program Files\\Velmora";
inline const std::string kLanguageFolder = kTestProgramFolder + "\\language\\";
inline const std::string kEnglishFile = kLanguageFolder + "English.lng";
// Where start-up finds the mail client on these drives.
inline const std::string kClient = "C:\\Program Files\\Outlook Express\\";

// A text of the language file a program uses.
inline std::string Lng(Program& p, const std::string& section, const std::string& key) {
    return GetLngText(p.services.profile, section, key, p.LanguageFile);
}

} // namespace velmora::testing
