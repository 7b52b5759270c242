#include "reinstall/BrowserRepairs.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/modFermeOE.h"

namespace velmora {

namespace {

// The window the started program chooses itself (SW_SHOWDEFAULT).
constexpr int kDefaultWindow = 10;

} // namespace

void RunAndWait(platform::Shell& shell, const std::string& commandLine) {
    shell.runAndWait(commandLine, kDefaultWindow);
}

void RepairBrowser(Program& program) {
    CloseMailClient(program);
    RunAndWait(program.services.shell, "rundll32 iesetup.dll,FixIE");
}

void MaintainBrowser(Program& program) {
    CloseMailClient(program);
    platform::FileSystem& files = program.services.files;
    const std::string library = GetSpecialFolderPath(files, csidl::System) + "SETUPWBV.dll";
    if (FileExists(files, library)) {
        // The log's name has blanks: quoted, it stays one argument.
        RunAndWait(program.services.shell, "rundll32 setupwbv.dll,IE6Maintenance \"" +
                                               GetSpecialFolderPath(files, csidl::ProgramFiles) +
                                               "Setup\\SETUP.EXE\" /g \"" +
                                               GetSpecialFolderPath(files, csidl::Windows) +
                                               "IE Uninstall Log.Txt\"");
        return;
    }
    const auto text = [&](const std::string& key) {
        return GetLngText(program.services.profile, "Onglet6", key, program.LanguageFile);
    };
    const std::string breaks = "\r\n\r\n\r\n";
    program.services.ui.msgBox(text("msgbox602") + breaks + library + "       " + breaks +
                                   text("msgbox602a"),
                               ui::MbCritical, text("msgbox602T"));
}

} // namespace velmora
