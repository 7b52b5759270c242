// The troubleshooting page over the in-memory registry and a scratch drive
// C: the values the repairs and resets store, the library registration's
// commands, the Send To entry, and the folder boxes and buttons with the
// stationery move and its bad inputs.

#include "app/frmPrincipal.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <functional>

namespace velmora::testing {
namespace {

const std::string kGuid = "{11111111-2222-3333-4444-555555555501}";
const std::string kId = "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0";
const std::string kStationery = "SOFTWARE\\Microsoft\\Shared Tools\\Stationery";
const std::string kExplorer = "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Advanced";
const std::string kTarget = "C:\\Program files\\Common Files\\Microsoft Shared\\Stationery\\";

struct Page : TestProgram {
    Page() {
        seedIdentity(kGuid);
        seedEnglish();
        files.setSpecialFolder(9, "C:\\Documents and Settings\\User\\SendTo");
    }
    void load() {
        start();
        ui.messages.clear();
    }
    std::string lng(const std::string& key) { return Lng(*program, "Onglet5", key); }
    // The message shown last starts with the language text of key.
    bool told(const std::string& key) {
        return !ui.messages.empty() && ui.messages.back().text.rfind(lng(key), 0) == 0;
    }
    bool exists(const std::string& path) { return files.attributes(path).has_value(); }
};

TEST(RegistrationRepairs, LibrariesRegisterFromTheHomeDriveOrTheProgramFilesFolder) {
    const struct {
        const char *productName, *homeDrive, *programFiles, *folder;
    } cases[] = {
        {"Microsoft Windows XP", "C:", "C:\\Program Files", "C:\\Program Files\\"},
        {"Microsoft Windows XP", "D:", "E:\\Programmes", "D:\\Program Files\\"},
        {nullptr, "D:", "E:\\Programmes", "E:\\Programmes\\"},
        // No home drive: the drive of the program files folder, never "Not Found".
        {"Microsoft Windows XP", nullptr, "E:\\Programmes", "E:\\Program Files\\"},
        {"Microsoft Windows XP", nullptr, "", nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.homeDrive ? c.homeDrive : "-") + " " + c.programFiles);
        Page t;
        if (c.productName)
            t.reg.WriteRegValue(HKLM, "Software\\Microsoft\\Windows NT\\CurrentVersion",
                                "ProductName", RegSz, std::string(c.productName));
        if (c.homeDrive)
            t.reg.WriteRegValue(HKCU, "Volatile Environment", "HOMEDRIVE", RegSz,
                                std::string(c.homeDrive));
        t.files.setSpecialFolder(38, c.programFiles);
        t.load();
        t.click("cmd503");
        const auto& run = t.shell.executed;
        ASSERT_EQ(run.size(), c.folder ? 8u : 1u);
        EXPECT_EQ(run[0].file + " " + run[0].parameters, "msimn /reg");
        EXPECT_EQ(run[0].owner, t.ui.windowHandle(t.main()));
        if (c.folder) {
            const std::string prefix = "/s \"" + std::string(c.folder);
            EXPECT_EQ(run[1].file + " " + run[1].parameters,
                      "regsvr32 " + prefix + "Outlook Express\\msoe.dll\"");
            EXPECT_EQ(run[7].parameters, prefix + "Fichiers Communs\\system\\directdb.dll\"");
        }
        EXPECT_EQ(t.libraries.registered,
                  (Strings{"Urlmon.dll", "Inetcomm.dll", "msoeacct.dll", "oleaut32.dll"}));
    }
}

TEST(RegistrationRepairs, RepairsAndResetsStoreTheirValuesByteForByte) {
    Page t;
    t.reg.WriteRegValue(HKCU, kId, "Nav Pane Width", platform::RegDword, 180LL);
    t.load();
    for (const char* button : {"cmd500", "cmd501", "cmd502", "cmd510", "cmd511"})
        t.click(button);

    using platform::RegBinary, platform::RegDword, platform::RegExpandSz;
    const std::string msimn = "\"%ProgramFiles%\\Outlook Express\\msimn.exe\"";
    const std::string icon = "%ProgramFiles%\\Outlook Express\\msimn.exe,-2";
    const std::string shmgrate = "%systemroot%\\system32\\shmgrate.exe OCInstall";
    const std::string client = "SOFTWARE\\Clients\\Mail\\Outlook Express";
    const std::string mailto = client + "\\Protocols\\mailto";
    const std::string dde = "HTTP\\shell\\open\\ddeexec";
    const struct {
        std::uint32_t root;
        std::string key, name;
        std::uint32_t type;
        std::string bytes; // texts with their terminating zero
    } rows[] = {
        {HKCR, "mailto\\DefaultIcon", "", RegExpandSz, icon + '\0'},
        {HKCR, "mailto\\shell\\open\\command", "", RegExpandSz, msimn + " /mailurl:%1" + '\0'},
        {HKLM, "SOFTWARE\\Clients\\Mail", "", RegSz, "Outlook Express\0"s},
        {HKLM, client, "", RegSz, "Outlook Express\0"s},
        {HKLM, client, "DLLPath", RegExpandSz, "%ProgramFiles%\\Outlook Express\\msoe.dll\0"s},
        {HKLM, client + "\\Envelope\\CLSID", "", RegSz,
         "{A08AF898-C2A3-11d1-BE23-00C04FA31009}\0"s},
        {HKLM, client + "\\Envelope\\CurVer", "", RegSz, "OutlookExpress.Envelope.1\0"s},
        {HKLM, client + "\\InstallInfo", "HideIconsCommand", RegExpandSz,
         shmgrate + "HideOE" + '\0'},
        {HKLM, client + "\\InstallInfo", "ReinstallCommand", RegExpandSz,
         shmgrate + "ReinstallOE" + '\0'},
        {HKLM, client + "\\InstallInfo", "ShowIconsCommand", RegExpandSz,
         shmgrate + "ShowOE" + '\0'},
        {HKLM, client + "\\InstallInfo", "IconsVisible", RegDword, "\1\0\0\0"s},
        {HKLM, mailto, "", RegSz, "URL : Protocole MailTo\0"s},
        {HKLM, mailto, "URL Protocol", RegSz, "\0"s},
        {HKLM, mailto, "EditFlags", RegBinary, "2\0"s},
        {HKLM, mailto + "\\DefaultIcon", "", RegExpandSz, icon + '\0'},
        {HKLM, mailto + "\\shell\\open\\command", "", RegExpandSz, msimn + " /mailurl:%1" + '\0'},
        {HKLM, client + "\\shell\\open\\command", "", RegExpandSz, msimn + '\0'},
        {HKCR, "HTTP\\shell\\open\\command", "", RegSz,
         "\"C:\\Program Files\\Internet Explorer\\iexplore.exe\" -nohome\0"s},
        {HKCR, dde, "", RegSz, "\"%1\",,-1,0,,,,\0"s},
        {HKCR, dde, "NoActivateHandler", RegSz, "\0"s},
        {HKCR, dde + "\\Application", "", RegSz, "IExplore\0"s},
        {HKCR, dde + "\\Topic", "", RegSz, "WWW_OpenURL\0"s},
        {HKCU, kId + "\\Mail", "Default_CodePage", RegDword, "\xBD\x6F\0\0"s}, // 28605
        {HKCU, kId + "\\News", "Message Plain Encoding Format", RegDword, "\4\0\0\0"s},
        {HKCU, kId, "Show Outlook Bar", RegDword, "\0\0\0\0"s},
        {HKCU, kId, "Nav Pane Width", platform::RegNone, ""}, // gone
    };
    for (const auto& row : rows) {
        platform::RegData data;
        t.registry.queryValue(row.root, row.key, row.name, 4096, data);
        EXPECT_EQ(std::pair(data.type, data.bytes), std::pair(row.type, row.bytes))
            << row.key << " " << row.name;
    }
}

TEST(RegistrationRepairs, SendToEntryIsMadeOnlyWhereNoneExists) {
    const std::string entry = "C:\\Documents and Settings\\User\\SendTo\\Destinataire.MAPIMail";
    Page t;
    t.load();
    t.click("cmd504"); // no Send To folder: nothing made, not even the folder
    EXPECT_FALSE(t.exists("C:\\Documents and Settings\\User\\SendTo"));
    t.putFile(entry, "kept");
    t.click("cmd504");
    EXPECT_EQ(t.files.readFile(entry), "kept");
    t.files.deleteFile(entry);
    t.click("cmd504");
    EXPECT_EQ(t.files.readFile(entry), "");
}

TEST(Folders, BoxesShowAndBrowseButtonsStoreTheirFolders) {
    Page t;
    t.reg.WriteRegValue(HKCU, kId, "Save Attachment Path", RegSz, std::string("C:\\PJ"));
    t.load();
    EXPECT_EQ(t.main().control("txt521").text(), "C:\\PJ");
    t.main().raise("txt520", ui::Event::LostFocus); // empty box, nothing stored
    EXPECT_EQ(t.main().control("txt520").text(), "Not Found");
    t.dialogs.answerBrowse("C:\\Papier");
    t.click("cmd522");
    t.dialogs.answerBrowse("C:\\Pieces");
    t.click("cmd523");
    t.click("cmd523"); // cancelled
    EXPECT_EQ(t.reg.ReadRegValue(HKLM, kStationery, "Stationery Folder"), "C:\\Papier");
    EXPECT_EQ(t.reg.ReadRegValue(HKCU, kId, "Save Attachment Path"), "C:\\Pieces");
    EXPECT_TRUE(t.main().control("cmd525").visible());
    t.main().control("txt520").setText(
        "%ProgramFiles%\\Common Files\\Microsoft Shared\\Stationery\\");
    t.main().raise("txt520", ui::Event::LostFocus);
    EXPECT_FALSE(t.main().control("cmd525").visible());
}

TEST(Folders, ExplorerShowsHiddenFilesOnlyWhileTheFolderOpens) {
    const struct {
        const char* button;
        const char* stored; // nullptr: not set
        const char* hidden; // nullptr: missing
        const char* message;
        const char* hiddenAfter;
    } cases[] = {
        {"cmd521", "C:\\Store", "2", nullptr, "2"},
        {"cmd524", "%SystemDrive%\\Store", nullptr, nullptr, "0"},
        {"cmd521", nullptr, "2", "msgbox501", "2"},
        {"cmd524", nullptr, nullptr, "msgbox501", "Not Found"},
        {"cmd524", "%UNDEFINED%\\Store", "2", "msgbox502", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.button) + " " + (c.stored ? c.stored : "-"));
        Page t;
        t.putFile("C:\\Store\\x", "");
        if (c.stored) {
            t.reg.WriteRegValue(HKCU, kId, "Store Root", RegSz, std::string(c.stored));
            t.reg.WriteRegValue(HKLM, kStationery, "Stationery Folder", RegSz,
                                std::string(c.stored));
        }
        if (c.hidden)
            t.reg.WriteRegValue(HKCU, kExplorer, "Hidden", platform::RegDword,
                                std::string(c.hidden));
        std::string hiddenWhileOpening;
        t.shell.onExecute = [&](const platform::portable::ShellExecution&) {
            hiddenWhileOpening = t.reg.ReadRegValue(HKCU, kExplorer, "Hidden");
        };
        t.load();
        t.click(c.button);
        EXPECT_EQ(t.reg.ReadRegValue(HKCU, kExplorer, "Hidden"),
                  c.hiddenAfter[0] == 'N' ? c.hiddenAfter : "00" + std::string(c.hiddenAfter));
        EXPECT_EQ(t.ui.messages.size(), c.message ? 1u : 0u);
        EXPECT_TRUE(!c.message || t.told(c.message));
        EXPECT_EQ(t.shell.executed.size(), c.message ? 0u : 1u);
        EXPECT_EQ(hiddenWhileOpening, c.message ? "" : "001");
    }
}

TEST(Folders, StationeryMovesBackOnlyWhenEveryFileIsCopied) {
    const std::string old = "C:\\Stationery\\";
    const std::string there = "C:\\Program Files\\Common Files\\Microsoft Shared\\Stationery\\";
    const struct {
        const char* name;
        std::string folder, stored;         // where the files are, and the folder stored
        std::function<void(Page&)> arrange; // once the page is loaded
        bool asked;
        const char* message; // nullptr: none besides the question
        bool moved, oldFolderGone;
    } cases[] = {
        {"plain", old, old, {}, true, nullptr, true, true},
        {"a subfolder", old, old, [&](Page& t) { t.putFile(old + "Sub\\c.jpg", "C"); }, true,
         nullptr, true, false},
        {"a read-only target", old, old,
         [](Page& t) {
             t.putFile(kTarget + "b.gif", "old");
             t.files.setAttributes(kTarget + "b.gif", platform::AttrReadOnly);
         },
         true, "msgbox503", false, false},
        {"a long path", old, old,
         [&](Page& t) { t.putFile(old + std::string(200, 'n') + ".htm", "L"); }, true, "msgbox503",
         false, false},
        {"answered No", old, old, [](Page& t) { t.ui.answerNext(ui::ResultNo); }, true, nullptr,
         false, false},
        {"undefined", old, "%UNDEFINED%\\Stationery", {}, false, "msgbox502", false, false},
        {"not set", old, kNotFound, {}, false, "msgbox501", false, false},
        {"the root", "C:\\", "C:\\", {}, false, "msgbox504", false, false},
        {"already there", there, there, {}, false, nullptr, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Page t;
        t.putFile(c.folder + "a.htm", "A");
        t.putFile(c.folder + "b.gif", "B");
        if (c.stored != kNotFound)
            t.reg.WriteRegValue(HKLM, kStationery, "Stationery Folder", RegSz, c.stored);
        t.load();
        if (c.arrange)
            c.arrange(t);
        t.ui.answerNext(ui::ResultYes);
        t.click("cmd525");

        ASSERT_EQ(t.ui.messages.size(), (c.asked ? 1u : 0u) + (c.message ? 1u : 0u));
        if (c.asked) {
            EXPECT_EQ(t.ui.messages[0].style, ui::MbYesNoExclamationNoFirst);
        }
        EXPECT_TRUE(!c.message || t.told(c.message));
        EXPECT_EQ(t.reg.ReadRegValue(HKLM, kStationery, "Stationery Folder"),
                  c.moved ? kTarget : c.stored);
        EXPECT_EQ(t.reg.ReadRegValue(HKLM, kStationery, "Backgrounds Folder"),
                  c.moved ? kTarget : kNotFound);
        EXPECT_EQ(t.main().control("txt520").text(), c.moved                 ? kTarget
                                                     : c.stored == kNotFound ? ""
                                                                             : c.stored);
        // Never a file lost: each stays in the old folder until all are copied.
        EXPECT_EQ(t.files.readFile((c.moved ? kTarget : c.folder) + "a.htm"), "A");
        EXPECT_EQ(t.files.readFile((c.moved ? kTarget : c.folder) + "b.gif"), "B");
        EXPECT_EQ(!t.exists(c.folder), c.oldFolderGone);
        if (c.moved && !c.oldFolderGone) {
            EXPECT_EQ(t.files.readFile(old + "Sub\\c.jpg"), "C") << "what is not moved stays";
        }
    }
}

} // namespace
} // namespace velmora::testing
