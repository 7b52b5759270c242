#include "reinstall/SetupInfReinstall.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/modFermeOE.h"
#include "reinstall/BrowserRepairs.h"
#include "reinstall/TextList.h"

#include <chrono>
#include <thread>

namespace velmora {

namespace {

const std::string kGatheredFiles = "fixmapi.exe,mapistub.dll,inetres.dll,inetcomm.dll";

struct InfKey {
    const char* section;
    const char* key;
    const char* value;
};
const InfKey kInfKeys[] = {
    {"Version", "LayoutFile", ""},
    {"Version", "AdvancedINF", "2.5"},
    {"DestinationDirs", "file.copy.inf", ""},
    {"DestinationDirs", "file.copy.exe", "49700"},
    {"DestinationDirs", "file.del.exe", "49700"},
    {"DestinationDirs", "file.copy.permanent", "49700"},
    {"DestinationDirs", "file.copy.stationery", "49960"},
    {"DestinationDirs", "file.copy.common.perm", "49850"},
    {"DefaultInstall", "CopyFiles",
     "file.copy.permanent,file.copy.sys,file.copy.sys.roll,file.copy.common.perm"},
    {"DefaultInstall", "AddReg", "No.Uninstall.Add.Reg,RunOnce.Reg,Common.Add.Reg,Machine.Add.Reg"},
};

std::string Text(Program& program, const std::string& key, const std::string& file,
                 const std::string& section = "Onglet6") {
    return GetLngText(program.services.profile, section, key, file);
}

// The client's folder as the install and the deletions name it.
std::string ClientFolderPath(Program& program) {
    return GetSpecialFolderPath(program.services.files, csidl::ProgramFiles) + "Outlook Express\\";
}

void WriteSetupInfKey(platform::ProfileStrings& profile, const std::string& infPath,
                      const InfKey& entry) {
    profile.writeString(entry.section, entry.key, entry.value, infPath);
}

void DeleteClientFile(Program& program, const std::string& name) {
    program.services.files.deleteFile(ClientFolderPath(program) + name);
}

} // namespace

void CopyClientFile(Program& program, const std::string& sourceFolder,
                    const std::string& destinationFolder, const std::string& name) {
    CopyClientFileTo(program, sourceFolder + name, destinationFolder + name, name);
}

void CopyClientFileTo(Program& program, const std::string& source, const std::string& target,
                      const std::string& name) {
    platform::FileSystem& files = program.services.files;
    if (FileExists(files, source)) {
        program.CopySucceeded = files.copyFile(source, target, true);
        // The copy is the program's own: a read-only source must not leave it
        // unchangeable and undeletable.
        const auto attributes = program.CopySucceeded ? files.attributes(target) : std::nullopt;
        if (attributes && (*attributes & platform::AttrReadOnly))
            files.setAttributes(target, *attributes & ~platform::AttrReadOnly);
    }
    if (!program.CopySucceeded)
        ShowCopyFailure(program, name);
}

void ShowCopyFailure(Program& program, const std::string& name) {
    // The language chosen in the about window's list is the one in use.
    const std::string& language = program.LanguageFile;
    program.services.ui.msgBox(Text(program, "msgbox621", language) + "\r\n\r\n" +
                                   Text(program, "msgbox604", language) + "\r\n\r\n( " + name +
                                   " )",
                               ui::MbCritical, Text(program, "msgbox4T", language, "Xtra"));
}

void EditSetupInf(platform::ProfileStrings& profile, const std::string& infPath) {
    for (const InfKey& entry : kInfKeys)
        WriteSetupInfKey(profile, infPath, entry);
}

std::string SetupInstallCommand(const std::string& infPath) {
    // The rest of the line is the path: it needs no quotes, blanks and all.
    return "rundll32.exe setupapi,InstallHinfSection DefaultInstall 132 " + infPath;
}

void ReinstallFromSetupFile(Program& program) {
    platform::FileSystem& files = program.services.files;
    CloseMailClient(program);
    program.CopySucceeded = true;
    CopyClientFile(program, GetSpecialFolderPath(files, csidl::Windows) + "inf\\",
                   program.ClientFolder, "msoe50.inf");
    if (program.CopySucceeded)
        CopyClientFile(program, GetSpecialFolderPath(files, csidl::ProgramFilesCommon) + "system\\",
                       program.ClientFolder, "directdb.dll");
    const std::string system = GetSpecialFolderPath(files, csidl::System);
    for (const std::string& name : SplitText(kGatheredFiles, ',')) {
        if (!program.CopySucceeded)
            return;
        CopyClientFile(program, system, program.ClientFolder, name);
    }
    const std::string& language = program.LanguageFile;
    if (!program.CopySucceeded) {
        program.services.ui.msgBox(Text(program, "msgbox604", language) + "\r\n\r\n" +
                                       Text(program, "msgbox604a", language),
                                   ui::MbCritical, Text(program, "msgbox611c", language));
        return;
    }

    EditSetupInf(program.services.profile, program.ClientFolder + "msoe50.inf");
    CloseMailClient(program);
    RunAndWait(program.services.shell,
               SetupInstallCommand(ClientFolderPath(program) + "msoe50.inf"));
    for (const std::string& name : SplitText(kGatheredFiles + ",msoe50.inf,directdb.dll", ','))
        DeleteClientFile(program, name);
    std::this_thread::sleep_for(std::chrono::milliseconds(1000));
    program.services.ui.msgBox(Text(program, "msgbox603", language), ui::MbExclamation,
                               Text(program, "msgbox603T", language));
}

} // namespace velmora
