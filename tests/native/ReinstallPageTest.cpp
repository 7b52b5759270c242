// The reinstallation page's browser repairs and setup-file reinstall over the
// portable back-ends: the commands exactly, the messages, the setup file as
// the setup engine gets it, and what is left in the client's folder.

#include "core/Language.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string kClient = "C:\\Program Files\\Outlook Express\\";
const std::string kSystem = "C:\\WINDOWS\\system32\\";
const std::string kInf = "C:\\WINDOWS\\inf\\msoe50.inf";
const std::string kInstall = "rundll32.exe setupapi,InstallHinfSection DefaultInstall 132 "
                             "C:\\Program Files\\Outlook Express\\msoe50.inf";
const Strings kGathered = {"msoe50.inf",   "directdb.dll", "fixmapi.exe",
                           "mapistub.dll", "inetres.dll",  "inetcomm.dll"};

// The system's setup file, with lines the edits must leave alone.
const std::string kSystemInf = "; msoe50.inf\r\n"
                               "[Version]\r\n"
                               "Signature=\"$CHICAGO$\"\r\n"
                               "LayoutFile=layout.inf\r\n"
                               "[DefaultInstall]\r\n"
                               "CopyFiles=file.copy.sys\r\n"
                               "; keep me\r\n"
                               "AddReg=Old.Reg\r\n"
                               "[Strings]\r\n"
                               "Name=\"Outlook Express\"\r\n";

class Reinstall : public ::testing::Test {
protected:
    Reinstall() : p(*t.program) {
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
        p.ClientFolder = kClient;
        // The install reads the setup file as the engine would find it.
        t.shell.onCommand([this](const std::string&) {
            installed = t.files.readFile(kClient + "msoe50.inf").value_or("(none)");
            return 0;
        });
    }
    std::string lng(const std::string& key, const std::string& section = "Onglet6") {
        return GetLngText(t.profile, section, key, p.LanguageFile);
    }
    void putSources() {
        t.files.createFolder("C:\\Program Files\\Outlook Express");
        t.putFile(kInf, kSystemInf);
        t.putFile("C:\\Program Files\\Common Files\\system\\directdb.dll", "directdb");
        for (const char* name : {"fixmapi.exe", "mapistub.dll", "inetres.dll", "inetcomm.dll"})
            t.putFile(kSystem + name, name);
    }
    Strings commands() const {
        Strings lines;
        for (const auto& command : t.shell.commands)
            lines.push_back(command.commandLine);
        return lines;
    }
    Strings left() {
        Strings names;
        for (const std::string& name : kGathered)
            if (t.files.attributes(kClient + name))
                names.push_back(name);
        return names;
    }
    std::string copyFailure(const std::string& name) {
        return lng("msgbox621") + "\r\n\r\n" + lng("msgbox604") + "\r\n\r\n( " + name + " )";
    }
    void click(const char* button) { p.principal().raise(button, ui::Event::Click); }

    TestProgram t;
    Program& p;
    std::string installed;
};

TEST_F(Reinstall, BrowserRepairCommandsAndTheMissingMaintenanceLibrary) {
    const std::string log = "C:\\WINDOWS\\IE Uninstall Log.Txt";
    const struct {
        const char* button;
        bool library;
        const char* systemFolder; // empty: cannot be determined
        Strings commands;
        std::string testedPath; // shown in the message; none when empty
    } cases[] = {
        {"cmd601", false, "C:\\WINDOWS\\system32", {"rundll32 iesetup.dll,FixIE"}, ""},
        {"cmd602",
         true,
         "C:\\WINDOWS\\system32",
         {"rundll32 setupwbv.dll,IE6Maintenance \"C:\\Program Files\\Setup\\SETUP.EXE\" /g \"" +
          log + "\""},
         ""},
        {"cmd602", false, "C:\\WINDOWS\\system32", {}, kSystem + "SETUPWBV.dll"},
        {"cmd602", false, "", {}, "SETUPWBV.dll"},
    };
    for (const auto& row : cases) {
        TestProgram fresh;
        fresh.program->LanguageFile = kTestProgramFolder + "\\language\\English.lng";
        fresh.files.setSpecialFolder(37, row.systemFolder);
        if (row.library)
            fresh.putFile(kSystem + "setupwbv.dll", "MZ");
        fresh.program->principal().raise(row.button, ui::Event::Click);
        Strings lines;
        for (const auto& command : fresh.shell.commands) {
            lines.push_back(command.commandLine);
            EXPECT_EQ(command.showCommand, 10);
        }
        EXPECT_EQ(lines, row.commands) << row.button << " " << row.testedPath;
        if (row.testedPath.empty()) {
            EXPECT_TRUE(fresh.ui.messages.empty()) << row.button;
            continue;
        }
        ASSERT_EQ(fresh.ui.messages.size(), 1u);
        const auto text = [&](const char* key) {
            return GetLngText(fresh.profile, "Onglet6", key, fresh.program->LanguageFile);
        };
        EXPECT_EQ(fresh.ui.messages[0].text, text("msgbox602") + "\r\n\r\n\r\n" + row.testedPath +
                                                 "       \r\n\r\n\r\n" + text("msgbox602a"));
        EXPECT_EQ(fresh.ui.messages[0].style, 16);
        EXPECT_EQ(fresh.ui.messages[0].title, text("msgbox602T"));
    }
}

TEST_F(Reinstall, SetupFileIsEditedInPlaceInstalledAndEveryCopyRemoved) {
    putSources();
    // A read-only system file still gives an editable, removable copy.
    t.files.setAttributes(kInf, platform::AttrReadOnly);
    click("cmd603");
    EXPECT_EQ(commands(), Strings{kInstall});
    EXPECT_EQ(installed,
              "; msoe50.inf\r\n"
              "[Version]\r\n"
              "Signature=\"$CHICAGO$\"\r\n"
              "LayoutFile=\r\n"
              "AdvancedINF=2.5\r\n"
              "[DefaultInstall]\r\n"
              "CopyFiles=file.copy.permanent,file.copy.sys,file.copy.sys.roll,"
              "file.copy.common.perm\r\n"
              "; keep me\r\n"
              "AddReg=No.Uninstall.Add.Reg,RunOnce.Reg,Common.Add.Reg,Machine.Add.Reg\r\n"
              "[Strings]\r\n"
              "Name=\"Outlook Express\"\r\n"
              "[DestinationDirs]\r\n"
              "file.copy.inf=\r\n"
              "file.copy.exe=49700\r\n"
              "file.del.exe=49700\r\n"
              "file.copy.permanent=49700\r\n"
              "file.copy.stationery=49960\r\n"
              "file.copy.common.perm=49850\r\n");
    EXPECT_EQ(left(), Strings{});
    EXPECT_EQ(t.files.readFile(kInf), kSystemInf); // the system's own stays as it was
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, lng("msgbox603"));
    EXPECT_EQ(t.ui.messages[0].style, 48);
    EXPECT_EQ(t.ui.messages[0].title, lng("msgbox603T"));
}

TEST_F(Reinstall, MissingSetupFileIsMadeOfTheThreeEditedSections) {
    putSources();
    t.files.deleteFile(kInf);
    click("cmd603");
    EXPECT_EQ(commands(), Strings{kInstall});
    EXPECT_EQ(installed,
              "[Version]\r\nLayoutFile=\r\nAdvancedINF=2.5\r\n"
              "[DestinationDirs]\r\nfile.copy.inf=\r\nfile.copy.exe=49700\r\nfile.del.exe=49700\r\n"
              "file.copy.permanent=49700\r\nfile.copy.stationery=49960\r\n"
              "file.copy.common.perm=49850\r\n"
              "[DefaultInstall]\r\nCopyFiles=file.copy.permanent,file.copy.sys,file.copy.sys.roll,"
              "file.copy.common.perm\r\nAddReg=No.Uninstall.Add.Reg,RunOnce.Reg,Common.Add.Reg,"
              "Machine.Add.Reg\r\n");
    EXPECT_EQ(left(), Strings{});
}

TEST_F(Reinstall, AFailedCopyStopsWithItsMessagesAndLeavesTheCopies) {
    const struct {
        const char* failing;
        Strings left;
        bool closing; // the msgbox604 message after the last copy
    } cases[] = {
        {"mapistub.dll", {"msoe50.inf", "directdb.dll", "fixmapi.exe", "mapistub.dll"}, false},
        {"inetcomm.dll", kGathered, true},
    };
    for (const auto& row : cases) {
        TestProgram fresh;
        fresh.program->LanguageFile = p.LanguageFile;
        fresh.program->ClientFolder = kClient;
        fresh.files.createFolder("C:\\Program Files\\Outlook Express");
        fresh.putFile(kInf, kSystemInf);
        fresh.putFile("C:\\Program Files\\Common Files\\system\\directdb.dll", "directdb");
        for (const char* name : {"fixmapi.exe", "mapistub.dll", "inetres.dll", "inetcomm.dll"})
            fresh.putFile(kSystem + name, name);
        // A read-only file of that name in the client's folder cannot be replaced.
        fresh.putFile(kClient + row.failing, "old");
        fresh.files.setAttributes(kClient + row.failing, platform::AttrReadOnly);
        fresh.program->principal().raise("cmd603", ui::Event::Click);
        EXPECT_TRUE(fresh.shell.commands.empty()) << row.failing;
        Strings names;
        for (const std::string& name : kGathered)
            if (fresh.files.attributes(kClient + name))
                names.push_back(name);
        EXPECT_EQ(names, row.left) << row.failing;
        ASSERT_EQ(fresh.ui.messages.size(), row.closing ? 2u : 1u) << row.failing;
        EXPECT_EQ(fresh.ui.messages[0].text, copyFailure(row.failing));
        EXPECT_EQ(fresh.ui.messages[0].style, 16);
        EXPECT_EQ(fresh.ui.messages[0].title, lng("msgbox4T", "Xtra"));
        if (row.closing) {
            EXPECT_EQ(fresh.ui.messages[1].text, lng("msgbox604") + "\r\n\r\n" + lng("msgbox604a"));
            EXPECT_EQ(fresh.ui.messages[1].title, lng("msgbox611c"));
        }
    }
}

} // namespace
} // namespace velmora::testing
