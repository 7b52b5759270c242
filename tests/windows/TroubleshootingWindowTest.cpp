// The troubleshooting page of the running velmora.exe on a prepared set-up:
// the registration repairs and the resets leave their values in the real
// registry byte for byte and the Send To entry appears.

#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"

#include <shlobj.h>

using namespace velmora::testing;

namespace {

const std::string kGuid = "{7E5A1BC0-0000-4000-8000-000000000511}";
const std::string kId = "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kClient = "SOFTWARE\\Clients\\Mail\\Outlook Express";

TEST(TroubleshootingWindow, RepairsAndResetsLeaveTheirValues) {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
    deleteKey(HKEY_CLASSES_ROOT, "mailto");
    deleteKey(HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\ddeexec");
    deleteKey(HKEY_LOCAL_MACHINE, kClient);
    putNumber(HKEY_CURRENT_USER, kId, "Nav Pane Width", 180);
    char sendTo[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, sendTo, CSIDL_SENDTO, TRUE));
    const std::string entry = std::string(sendTo) + "\\Destinataire.MAPIMail";
    DeleteFileA(entry.c_str());

    RunningProgram program;
    program.showPage(5);
    program.showPage(0, "SSTab2");
    for (const char* button : {"cmd500", "cmd501", "cmd502", "cmd504"})
        program.click(button);
    program.showPage(1, "SSTab2");
    for (const char* button : {"cmd510", "cmd511"})
        program.click(button);

    // Every value of the three registration repairs, as stored.
    const std::string msimn = "\"%ProgramFiles%\\Outlook Express\\msimn.exe\"";
    const std::string icon = "%ProgramFiles%\\Outlook Express\\msimn.exe,-2";
    const std::string shmgrate = "%systemroot%\\system32\\shmgrate.exe OCInstall";
    const std::string mailto = kClient + "\\Protocols\\mailto";
    const std::string dde = "HTTP\\shell\\open\\ddeexec";
    const struct {
        HKEY root;
        std::string key, name;
        DWORD type;
        std::string text; // stored with its terminating zero
    } rows[] = {
        {HKEY_CLASSES_ROOT, "mailto\\DefaultIcon", "", REG_EXPAND_SZ, icon},
        {HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", "", REG_EXPAND_SZ,
         msimn + " /mailurl:%1"},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Clients\\Mail", "", REG_SZ, "Outlook Express"},
        {HKEY_LOCAL_MACHINE, kClient, "", REG_SZ, "Outlook Express"},
        {HKEY_LOCAL_MACHINE, kClient, "DLLPath", REG_EXPAND_SZ,
         "%ProgramFiles%\\Outlook Express\\msoe.dll"},
        {HKEY_LOCAL_MACHINE, kClient + "\\Envelope\\CLSID", "", REG_SZ,
         "{A08AF898-C2A3-11d1-BE23-00C04FA31009}"},
        {HKEY_LOCAL_MACHINE, kClient + "\\Envelope\\CurVer", "", REG_SZ,
         "OutlookExpress.Envelope.1"},
        {HKEY_LOCAL_MACHINE, kClient + "\\InstallInfo", "HideIconsCommand", REG_EXPAND_SZ,
         shmgrate + "HideOE"},
        {HKEY_LOCAL_MACHINE, kClient + "\\InstallInfo", "ReinstallCommand", REG_EXPAND_SZ,
         shmgrate + "ReinstallOE"},
        {HKEY_LOCAL_MACHINE, kClient + "\\InstallInfo", "ShowIconsCommand", REG_EXPAND_SZ,
         shmgrate + "ShowOE"},
        {HKEY_LOCAL_MACHINE, mailto, "", REG_SZ, "URL : Protocole MailTo"},
        {HKEY_LOCAL_MACHINE, mailto, "URL Protocol", REG_SZ, ""},
        {HKEY_LOCAL_MACHINE, mailto, "EditFlags", REG_BINARY, "2"},
        {HKEY_LOCAL_MACHINE, mailto + "\\DefaultIcon", "", REG_EXPAND_SZ, icon},
        {HKEY_LOCAL_MACHINE, mailto + "\\shell\\open\\command", "", REG_EXPAND_SZ,
         msimn + " /mailurl:%1"},
        {HKEY_LOCAL_MACHINE, kClient + "\\shell\\open\\command", "", REG_EXPAND_SZ, msimn},
        {HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\command", "", REG_SZ,
         "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome"},
        {HKEY_CLASSES_ROOT, dde, "", REG_SZ, "\"%1\",,-1,0,,,,"},
        {HKEY_CLASSES_ROOT, dde, "NoActivateHandler", REG_SZ, ""},
        {HKEY_CLASSES_ROOT, dde + "\\Application", "", REG_SZ, "IExplore"},
        {HKEY_CLASSES_ROOT, dde + "\\Topic", "", REG_SZ, "WWW_OpenURL"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(readValue(row.root, row.key, row.name),
                  (std::pair<DWORD, std::string>{row.type, row.text + '\0'}))
            << row.key << " " << row.name;
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClient + "\\InstallInfo", "IconsVisible"), number(1));
    EXPECT_EQ(GetFileAttributesA(entry.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << entry;

    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId + "\\Mail", "Default_CodePage"), number(28605));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId + "\\News", "Message Plain Encoding Format"),
              number(4));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId, "Show Outlook Bar"), number(0));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId, "Nav Pane Width"), "missing");
}

} // namespace
