// The troubleshooting page of the running velmora.exe on a prepared set-up:
// the registration repairs and the resets leave their values in the real
// registry byte for byte, the Send To entry appears, and the folder boxes
// show the stored folders.

#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"

#include <shlobj.h>

using namespace velmora::testing;

namespace {

const std::string kGuid = "{7E5A1BC0-0000-4000-8000-000000000511}";
const std::string kId = "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kClient = "SOFTWARE\\Clients\\Mail\\Outlook Express";
const std::string kStationery = "SOFTWARE\\Microsoft\\Shared Tools\\Stationery";

class TroubleshootingWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
        seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
        deleteKey(HKEY_CLASSES_ROOT, "mailto");
        deleteKey(HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\ddeexec");
        deleteKey(HKEY_LOCAL_MACHINE, kClient);
        putNumber(HKEY_CURRENT_USER, kId, "Nav Pane Width", 180);
        putText(HKEY_LOCAL_MACHINE, kStationery, "Stationery Folder", "C:\\Papier\\");
        putText(HKEY_CURRENT_USER, kId, "Save Attachment Path", "C:\\Pieces jointes");
    }
};

TEST_F(TroubleshootingWindow, FolderBoxesShowTheStoredFolders) {
    RunningProgram program;
    program.showPage(5);
    program.showPage(2, "SSTab2");
    EXPECT_EQ(program.text("txt520"), "C:\\Papier\\");
    EXPECT_EQ(program.text("txt521"), "C:\\Pieces jointes");
    EXPECT_TRUE(program.shown("cmd525")); // not the standard stationery folder
}

TEST_F(TroubleshootingWindow, RepairsAndResetsLeaveTheirValues) {
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

    const std::string msimn = "\"%ProgramFiles%\\Outlook Express\\msimn.exe\"";
    const std::pair<DWORD, std::string> mailCommand{REG_EXPAND_SZ, msimn + " /mailurl:%1" + '\0'};
    EXPECT_EQ(readValue(HKEY_CLASSES_ROOT, "mailto\\shell\\open\\command", ""), mailCommand);
    EXPECT_EQ(readValue(HKEY_LOCAL_MACHINE, kClient + "\\Protocols\\mailto", "EditFlags"),
              (std::pair<DWORD, std::string>{REG_BINARY, std::string("2\0", 2)}));
    EXPECT_EQ(
        readValue(HKEY_LOCAL_MACHINE, kClient + "\\Protocols\\mailto\\shell\\open\\command", ""),
        mailCommand);
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClient + "\\InstallInfo", "IconsVisible"), number(1));
    EXPECT_EQ(stored(HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\ddeexec", ""), "sz \"%1\",,-1,0,,,,");
    EXPECT_EQ(stored(HKEY_CLASSES_ROOT, "HTTP\\shell\\open\\ddeexec\\Topic", ""), "sz WWW_OpenURL");
    EXPECT_EQ(GetFileAttributesA(entry.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u) << entry;

    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId + "\\Mail", "Default_CodePage"), number(28605));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId + "\\News", "Message Plain Encoding Format"),
              number(4));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId, "Show Outlook Bar"), number(0));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kId, "Nav Pane Width"), "missing");
}

} // namespace
