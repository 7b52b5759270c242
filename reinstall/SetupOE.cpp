#include "reinstall/SetupOE.h"

#include "core/FileAPI.h"
#include "core/Language.h"
#include "core/Program.h"
#include "core/modFermeOE.h"
#include "core/modGetOpenFileName.h"
#include "reinstall/BrowserRepairs.h"
#include "reinstall/CabXTR.h"
#include "reinstall/ForgetClientUpdates.h"
#include "reinstall/SetupInfReinstall.h"
#include "reinstall/TextList.h"
#include "repair/modRepareOE.h"

namespace velmora {

namespace {

const std::string kMainFiles =
    "msimn.exe,msoe.dll,msoeres.dll,oeimport.dll,oemig50.exe,oemiglib.dll,setup50.exe"
    ",9xmig.dll,csapi3t1.dll,msoe.txt,wab.exe,wabfind.dll,wabimp.dll,wabmig.exe";
const std::string kProofingFile = "csapi3t1.dll";
const std::string kSharedFiles = "directdb.dll,wab32.dll,wab32res.dll";
const std::string kSystemFiles =
    "fixmapi.exe,inetcomm.dll,inetres.dll,mapistub.dll,acctres.dll,msoeacct.dll,msoert2.dll";
const std::string kHelpFiles = "msoe.chm,msoe.hlp,wab.hlp,wab.chm,msoeacct.hlp";
const std::string kAppPathsKey =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe";
const std::string kKitSetup = "ie6setup.exe";
const std::string kCrLf = "\r\n";

std::string Text(Program& program, const std::string& key, const std::string& section = "Onglet6") {
    return GetLngText(program.services.profile, section, key, program.LanguageFile);
}

// Creates a folder and whichever of its parents are missing; failures are
// left to the copies that follow.
void CreateFolders(platform::FileSystem& files, const std::string& folder) {
    for (std::size_t at = folder.find('\\', 3); at != std::string::npos;
         at = folder.find('\\', at + 1))
        files.createFolder(folder.substr(0, at));
    if (!folder.empty() && folder.back() != '\\')
        files.createFolder(folder);
}

void Yield(Program& program) {
    program.services.ui.doEvents();
}

// Extracts every file of the kit's cabinet into the extraction folder;
// false, once the user is told, when the kit has no such cabinet.
bool ExtractCabinet(Program& program, const std::string& kitFolder, const std::string& cabinet,
                    const std::string& shownName, const std::string& extractionFolder) {
    Yield(program);
    CabXTR Cab(program.services.cabinets, program.services.files, program.CabinetOk);
    const std::string path = kitFolder + cabinet;
    if (!FileExists(program.services.files, path)) {
        std::string text = Text(program, "msgbox616");
        if (const std::size_t at = text.find("%1"); at != std::string::npos)
            text.replace(at, 2, shownName);
        program.services.ui.msgBox(text + kCrLf + Text(program, "msgbox616a") + kCrLf + kCrLf +
                                       Text(program, "msgbox616b") + kCrLf +
                                       Text(program, "msgbox616c"),
                                   ui::MbCritical, Text(program, "msgbox604a"));
        return false;
    }
    Cab.BeforeExtract = [&extractionFolder](CabFileRecord& File, std::string& ExtractPath, bool&) {
        ExtractPath = extractionFolder + File.Filename;
    };
    Cab.OpenAndParseCabFile(path);
    Yield(program);
    Cab.ExtractAll();
    // A genuine kit has no name leading out of the folder or past the path
    // limit: a cabinet whose entries were refused counts as damaged.
    if (!Cab.RefusedFiles().empty())
        program.CabinetOk = false;
    Yield(program);
    return true;
}

// Replaces a file of the client's folder: the new copy is written beside it
// under a temporary name first, so the old file goes only once its
// replacement is there, and stays when there is none to put in its place.
void ReplaceClientFile(Program& program, const std::string& sourceFolder, const std::string& name) {
    platform::FileSystem& files = program.services.files;
    if (!FileExists(files, sourceFolder + name))
        return;
    const std::string target = program.ClientFolder + name;
    const std::string staged = target + ".new";
    files.deleteFile(staged);
    CopyClientFileTo(program, sourceFolder + name, staged, name);
    if (!program.CopySucceeded)
        return;
    if (FileExists(files, target))
        files.shellDelete(target);
    if (FileExists(files, target)) {
        // The old file would not go: it stays, and the copy goes.
        files.deleteFile(staged);
        program.CopySucceeded = false;
    } else if (!files.moveFile(staged, target)) {
        // The new file stays under its temporary name for the user to rename.
        program.CopySucceeded = false;
    }
    if (!program.CopySucceeded)
        ShowCopyFailure(program, name);
}

// Copies each file of a list to a folder and, on the XP family, to the
// system's file cache too; false once a copy has failed.
bool CopyList(Program& program, const std::string& extractionFolder, const std::string& list,
              const std::string& folder, const std::string& cache) {
    for (const std::string& name : SplitText(list, ',')) {
        if (!program.CopySucceeded)
            return false;
        CopyClientFile(program, extractionFolder, folder, name);
        if (cache.empty())
            continue;
        if (!program.CopySucceeded)
            return false;
        CopyClientFile(program, extractionFolder, cache, name);
    }
    return program.CopySucceeded;
}

bool CopyClientFiles(Program& program, const std::string& from) {
    platform::FileSystem& files = program.services.files;
    const bool xp = program.WindowsFamily == "XP";
    const std::string system = GetSpecialFolderPath(files, csidl::System);
    const std::string common = GetSpecialFolderPath(files, csidl::ProgramFilesCommon);
    const std::string cache = xp ? system + "dllcache\\" : std::string();

    if (xp) {
        if (!program.CopySucceeded)
            return false;
        CopyClientFile(program, from, common + "Microsoft Shared\\Proof\\", kProofingFile);
        for (const std::string& name : SplitText(kMainFiles, ',')) {
            if (!program.CopySucceeded)
                return false;
            ReplaceClientFile(program, from, name);
            if (!program.CopySucceeded)
                return false;
            CopyClientFile(program, from, cache, name);
        }
    } else if (!CopyList(program, from, kMainFiles, program.ClientFolder, "")) {
        return false;
    }
    Yield(program);
    if (!CopyList(program, from, kSharedFiles, common + "system\\", cache))
        return false;
    Yield(program);
    if (!CopyList(program, from, kSystemFiles, system, cache))
        return false;
    Yield(program);
    return CopyList(program, from, kHelpFiles,
                    GetSpecialFolderPath(files, csidl::Windows) + "Help\\", "");
}

void ShowPrincipal(Program& program) {
    program.principal().Show();
}

} // namespace

void SetupOE(Program& program, const std::string& kitFolder) {
    platform::FileSystem& files = program.services.files;
    ui::UiHost& ui = program.services.ui;
    if (program.BrowserVersion.empty()) {
        const auto xtra = [&](const char* key) { return Text(program, key, "Xtra"); };
        ui.msgBox(xtra("msgbox01") + kCrLf + xtra("msgbox02") + kCrLf + kCrLf + xtra("msgbox03") +
                      kCrLf + kCrLf + xtra("msgbox04"),
                  ui::MbCritical, xtra("msgbox0T"));
        ShowPrincipal(program);
        return;
    }
    const std::vector<std::string> version = SplitText(program.BrowserVersion, '.');
    const std::string common = GetSpecialFolderPath(files, csidl::ProgramFilesCommon);
    CreateFolders(files, common + "Microsoft Shared\\Proof");

    const bool xp = program.WindowsFamily == "XP";
    // Windows File Protection puts the client's files back while the
    // system runs normally.
    if (xp && program.services.system.bootMode() == 0) {
        const auto text = [&](const char* key) { return Text(program, key); };
        ui.msgBox(text("msgbox617") + kCrLf + text("msgbox617a") + kCrLf + kCrLf +
                      text("msgbox617b") + " " + text("msgbox617d") + kCrLf + text("msgbox617c") +
                      " " + text("msgbox617f"),
                  ui::MbCritical, text("msgbox617T"));
        ShowPrincipal(program);
        return;
    }

    program.CabinetOk = true;
    program.CopySucceeded = true;
    const std::string filesFolder = program.WorkFolder + "Files\\";
    std::string extraction = filesFolder;
    CreateFolders(files, extraction);
    const bool i386 = xp && version.size() > 2 && (version[2] == "2600" || version[2] == "2900");
    if (i386) {
        extraction += "i386\\";
        CreateFolders(files, extraction);
    }

    if (!ExtractCabinet(program, kitFolder, "mailnews.cab", "MailNews.cab", extraction) ||
        !ExtractCabinet(program, kitFolder, "wab.cab", "     wab.cab    ", extraction))
        return;
    if (i386) {
        CopyClientFile(program, extraction, filesFolder, "msoe50.inf");
        CopyClientFile(program, extraction, filesFolder, "wab50.inf");
    }

    CloseMailClient(program);
    Yield(program);
    if (!program.CabinetOk) {
        const auto text = [&](const char* key) { return Text(program, key); };
        ui.msgBox(text("msgbox615") + kCrLf + kCrLf + text("msgbox615a") + kCrLf +
                      text("msgbox615b") + kCrLf + text("msgbox615c") + kCrLf + kCrLf +
                      text("msgbox615d") + kCrLf + text("msgbox615e") + kCrLf + kCrLf +
                      text("msgbox615f"),
                  ui::MbCritical, text("msgbox615T"));
        program.principal().Unload();
        return;
    }

    if (!CopyClientFiles(program, extraction))
        return; // the failed copy has told the user

    CloseMailClient(program);
    RunAndWait(program.services.shell, SetupInstallCommand(filesFolder + "msoe50.inf"));
    Yield(program);
    RunAndWait(program.services.shell, SetupInstallCommand(filesFolder + "wab50.inf"));

    const std::string client = GetSpecialFolderPath(files, csidl::ProgramFiles) + "Outlook Express";
    program.reg.WriteRegValue(HKLM, kAppPathsKey, "", platform::RegSz, client + "\\msimn.exe");
    program.reg.WriteRegValue(HKLM, kAppPathsKey, "Path", platform::RegSz, client);

    Yield(program);
    RegisterClientLibraries(program);
    Yield(program);
    ForgetClientUpdates(program.reg);
    ui.msgBox(Text(program, "msgbox603"), ui::MbExclamation, Text(program, "msgbox603T"));
}

void ManualSearch(Program& program) {
    platform::FileSystem& files = program.services.files;
    ui::Form& principal = program.principal();
    for (;;) {
        principal.Hide();
        const std::string filter = kKitSetup + '\0' + kKitSetup + '\0';
        const std::string path =
            ShowOpenFileDialog(program.services.dialogs, Text(program, "lbl614"), filter,
                               ofn::CabinetSearch, GetTempFolder(files) + "Velmora_XPSP2\\Cabs",
                               program.services.ui.windowHandle(principal), 0);
        if (path.empty())
            break;
        if (!ContainsNoCase(path, kKitSetup)) {
            program.services.ui.msgBox(Text(program, "msgbox612") + kCrLf +
                                           Text(program, "msgbox612a") + kCrLf + kCrLf +
                                           Text(program, "msgbox612b"),
                                       ui::MbCritical, Text(program, "msgbox612T"));
            continue;
        }
        const std::string folder = path.substr(0, path.rfind('\\') + 1);
        if (FileExists(files, folder + "mailnews.cab") && FileExists(files, folder + "wab.cab")) {
            SetupOE(program, folder);
            break;
        }
        program.services.ui.msgBox(
            Text(program, "msgbox611") + kCrLf + Text(program, "msgbox611a") + kCrLf + kCrLf +
                Text(program, "msgbox611b") + kCrLf + Text(program, "msgbox611c"),
            ui::MbCritical, Text(program, "msgbox611T"));
    }
    if (principal.isLoaded()) // a damaged cabinet has ended the program
        principal.Show();
}

} // namespace velmora
