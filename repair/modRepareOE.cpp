#include "repair/modRepareOE.h"

#include "core/FileAPI.h"
#include "core/Program.h"

namespace velmora {

using platform::RegBinary;
using platform::RegDword;
using platform::RegExpandSz;
using platform::RegSz;

namespace {

// One value under the key of its table; an empty sub-key or value name
// is the key itself or its default value.
struct RegWrite {
    const char* subKey;
    const char* name;
    std::int32_t type;
    const char* data;
};

template <std::size_t N>
void WriteAll(Program& program, std::uint32_t root, const char* key, const RegWrite (&writes)[N]) {
    const RegWriteBatch batch(program.reg, root, key);
    for (const RegWrite& write : writes)
        batch.WriteRegValue(write.subKey, write.name, write.type, std::string(write.data));
}

const RegWrite kMailto[] = {
    {"DefaultIcon", "", RegExpandSz, "%ProgramFiles%\\Outlook Express\\msimn.exe,-2"},
    {"shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\" /mailurl:%1"},
};

// Under "SOFTWARE\Clients\Mail".
const RegWrite kMailClient[] = {
    {"", "", RegSz, "Outlook Express"},
    {"Outlook Express", "", RegSz, "Outlook Express"},
    {"Outlook Express", "DLLPath", RegExpandSz, "%ProgramFiles%\\Outlook Express\\msoe.dll"},
    {"Outlook Express\\Envelope\\CLSID", "", RegSz, "{A08AF898-C2A3-11d1-BE23-00C04FA31009}"},
    {"Outlook Express\\Envelope\\CurVer", "", RegSz, "OutlookExpress.Envelope.1"},
    {"Outlook Express\\InstallInfo", "HideIconsCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallHideOE"},
    {"Outlook Express\\InstallInfo", "IconsVisible", RegDword, "1"},
    {"Outlook Express\\InstallInfo", "ReinstallCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallReinstallOE"},
    {"Outlook Express\\InstallInfo", "ShowIconsCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallShowOE"},
    {"Outlook Express\\Protocols\\mailto", "", RegSz, "URL : Protocole MailTo"},
    {"Outlook Express\\Protocols\\mailto", "URL Protocol", RegSz, ""},
    // The text "2" as binary data: the bytes 32 00.
    {"Outlook Express\\Protocols\\mailto", "EditFlags", RegBinary, "2"},
    {"Outlook Express\\Protocols\\mailto\\DefaultIcon", "", RegExpandSz,
     "%ProgramFiles%\\Outlook Express\\msimn.exe,-2"},
    {"Outlook Express\\Protocols\\mailto\\shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\" /mailurl:%1"},
    {"Outlook Express\\shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\""},
};

// Under "HTTP\shell\open".
const RegWrite kWebLinks[] = {
    {"command", "", RegSz, "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome"},
    {"ddeexec", "", RegSz, "\"%1\",,-1,0,,,,"},
    {"ddeexec", "NoActivateHandler", RegSz, ""},
    {"ddeexec\\Application", "", RegSz, "IExplore"},
    {"ddeexec\\Topic", "", RegSz, "WWW_OpenURL"},
};

const char* const kSystemLibraries[] = {"Urlmon.dll", "Inetcomm.dll", "msoeacct.dll",
                                        "oleaut32.dll"};

// Each ends with the quote that closes the one of the prefix.
const char* const kClientLibraries[] = {
    "Outlook Express\\msoe.dll\"",
    "Outlook Express\\oeimport.dll\"",
    "Outlook Express\\oemiglib.dll\"",
    "Outlook Express\\wabfind.dll\"",
    "Outlook Express\\wabimp.dll\"",
    "Fichiers Communs\\system\\wab32.dll\"",
    "Fichiers Communs\\system\\directdb.dll\"",
};

constexpr int kNormalWindow = 1;

// The program files folder the libraries are registered from, ending in a
// backslash: on the NT family the home drive's "\Program Files\", on the 9x
// family the system's own. Without a home drive, the drive of the program
// files folder; empty when neither is known.
std::string LibraryFolder(Program& program) {
    const std::string programFiles =
        GetSpecialFolderPath(program.services.files, csidl::ProgramFiles);
    if (program.WindowsFamily == "9x")
        return programFiles;
    std::string drive = program.reg.ReadRegValue(HKCU, "Volatile Environment", "HOMEDRIVE");
    if (drive == kNotFound || drive.empty())
        drive = programFiles.size() >= 2 && programFiles[1] == ':' ? programFiles.substr(0, 2) : "";
    return drive.empty() ? std::string() : drive + "\\Program Files\\";
}

} // namespace

void RepairMailtoLink(Program& program) {
    WriteAll(program, HKCR, "mailto", kMailto);
}

void DeclareDefaultMailClient(Program& program) {
    WriteAll(program, HKLM, "SOFTWARE\\Clients\\Mail", kMailClient);
}

void AssociateWebLinks(Program& program) {
    WriteAll(program, HKCR, "HTTP\\shell\\open", kWebLinks);
}

void RegisterClientLibraries(Program& program) {
    const std::string folder = LibraryFolder(program);
    const std::uintptr_t owner = program.services.ui.windowHandle(program.principal());
    platform::Shell& shell = program.services.shell;
    shell.execute("msimn", "/reg", owner, kNormalWindow);
    for (const char* library : kSystemLibraries)
        program.services.libraries.registerServer(library);
    if (folder.empty())
        return; // no path to build: nothing is registered from a wrong one
    for (const char* tail : kClientLibraries)
        shell.execute("regsvr32", "/s \"" + folder + tail, owner, kNormalWindow);
}

void RestoreSendToRecipient(Program& program) {
    platform::FileSystem& files = program.services.files;
    const std::string sendTo = GetSpecialFolderPath(files, csidl::SendTo);
    // Without the folder there is no menu to put the entry in; the folder
    // is not made here.
    const auto attributes = sendTo.empty() ? std::nullopt : files.attributes(sendTo);
    if (!attributes || !(*attributes & platform::AttrDirectory))
        return;
    const std::string entry = sendTo + "Destinataire.MAPIMail";
    if (!files.attributes(entry)) // an existing entry is left untouched
        files.writeFile(entry, "");
}

} // namespace velmora
