#include "repair/modRepareOE.h"

#include "core/FileAPI.h"
#include "core/Program.h"

namespace velmora {

using platform::RegBinary;
using platform::RegDword;
using platform::RegExpandSz;
using platform::RegSz;

namespace {

struct RegWrite {
    const char* key;
    const char* name; // "" for the key's default value
    std::int32_t type;
    const char* data;
};

void WriteAll(Program& program, std::uint32_t root, const RegWrite* first, const RegWrite* last) {
    for (const RegWrite* write = first; write != last; ++write)
        program.reg.WriteRegValue(root, write->key, write->name, write->type,
                                  std::string(write->data));
}

const RegWrite kMailto[] = {
    {"mailto\\DefaultIcon", "", RegExpandSz, "%ProgramFiles%\\Outlook Express\\msimn.exe,-2"},
    {"mailto\\shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\" /mailurl:%1"},
};

#define CLIENT_KEY "SOFTWARE\\Clients\\Mail\\Outlook Express"
const RegWrite kMailClient[] = {
    {"SOFTWARE\\Clients\\Mail", "", RegSz, "Outlook Express"},
    {CLIENT_KEY, "", RegSz, "Outlook Express"},
    {CLIENT_KEY, "DLLPath", RegExpandSz, "%ProgramFiles%\\Outlook Express\\msoe.dll"},
    {CLIENT_KEY "\\Envelope\\CLSID", "", RegSz, "{A08AF898-C2A3-11d1-BE23-00C04FA31009}"},
    {CLIENT_KEY "\\Envelope\\CurVer", "", RegSz, "OutlookExpress.Envelope.1"},
    {CLIENT_KEY "\\InstallInfo", "HideIconsCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallHideOE"},
    {CLIENT_KEY "\\InstallInfo", "IconsVisible", RegDword, "1"},
    {CLIENT_KEY "\\InstallInfo", "ReinstallCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallReinstallOE"},
    {CLIENT_KEY "\\InstallInfo", "ShowIconsCommand", RegExpandSz,
     "%systemroot%\\system32\\shmgrate.exe OCInstallShowOE"},
    {CLIENT_KEY "\\Protocols\\mailto", "", RegSz, "URL : Protocole MailTo"},
    {CLIENT_KEY "\\Protocols\\mailto", "URL Protocol", RegSz, ""},
    // The text "2" as binary data: the bytes 32 00.
    {CLIENT_KEY "\\Protocols\\mailto", "EditFlags", RegBinary, "2"},
    {CLIENT_KEY "\\Protocols\\mailto\\DefaultIcon", "", RegExpandSz,
     "%ProgramFiles%\\Outlook Express\\msimn.exe,-2"},
    {CLIENT_KEY "\\Protocols\\mailto\\shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\" /mailurl:%1"},
    {CLIENT_KEY "\\shell\\open\\command", "", RegExpandSz,
     "\"%ProgramFiles%\\Outlook Express\\msimn.exe\""},
};
#undef CLIENT_KEY

const RegWrite kWebLinks[] = {
    {"HTTP\\shell\\open\\command", "", RegSz,
     "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome"},
    {"HTTP\\shell\\open\\ddeexec", "", RegSz, "\"%1\",,-1,0,,,,"},
    {"HTTP\\shell\\open\\ddeexec", "NoActivateHandler", RegSz, ""},
    {"HTTP\\shell\\open\\ddeexec\\Application", "", RegSz, "IExplore"},
    {"HTTP\\shell\\open\\ddeexec\\Topic", "", RegSz, "WWW_OpenURL"},
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
    ui::BusyPointer busy(program.services.ui);
    WriteAll(program, HKCR, std::begin(kMailto), std::end(kMailto));
}

void DeclareDefaultMailClient(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    WriteAll(program, HKLM, std::begin(kMailClient), std::end(kMailClient));
}

void AssociateWebLinks(Program& program) {
    ui::BusyPointer busy(program.services.ui);
    WriteAll(program, HKCR, std::begin(kWebLinks), std::end(kWebLinks));
}

void RegisterClientLibraries(Program& program) {
    ui::BusyPointer busy(program.services.ui);
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
    ui::BusyPointer busy(program.services.ui);
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
