// The reinstallation page's browser repairs and setup-file reinstall over the
// portable back-ends: the commands exactly, the messages, the setup file as
// the setup engine gets it, and what is left in the client's folder.

#include "support/TestProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

const std::string kSystem = "C:\\WINDOWS\\system32\\";
const std::string kInf = "C:\\WINDOWS\\inf\\msoe50.inf";
const std::string kInstall =
    "rundll32.exe setupapi,InstallHinfSection DefaultInstall 132 " + kClient + "msoe50.inf";
const Strings kGathered = {"msoe50.inf",   "directdb.dll", "fixmapi.exe",
                           "mapistub.dll", "inetres.dll",  "inetcomm.dll"};
const std::string kSystemInf = "; msoe50.inf\r\n[Version]\r\nLayoutFile=layout.inf\r\n"
                               "[DefaultInstall]\r\nCopyFiles=file.copy.sys\r\n; keep\r\n"
                               "AddReg=Old.Reg\r\n[Strings]\r\nName=\"Outlook Express\"\r\n";

// A program with the six source files (less those named), a read-only file of
// that name in the client's folder for each of failing, and an install that
// records the setup file it finds.
struct Reinstall {
    explicit Reinstall(const Strings& missing = {}, const Strings& failing = {}) {
        p.LanguageFile = kEnglishFile;
        p.ClientFolder = kClient;
        t.files.createFolder("C:\\Program Files\\Outlook Express");
        t.putFile(kInf, kSystemInf);
        t.files.setAttributes(kInf, platform::AttrReadOnly); // the copy must not be
        t.putFile("C:\\Program Files\\Common Files\\system\\directdb.dll", "d");
        for (const char* name : {"fixmapi.exe", "mapistub.dll", "inetres.dll", "inetcomm.dll"})
            t.putFile(kSystem + name, name);
        for (const std::string& name : missing)
            std::filesystem::remove(
                *t.files.hostPath(name == "msoe50.inf" ? kInf : kSystem + name));
        for (const std::string& name : failing) {
            t.putFile(kClient + name, "old");
            t.files.setAttributes(kClient + name, platform::AttrReadOnly);
        }
        t.shell.onCommand([this](const std::string& line) {
            commands.push_back(line);
            installed = t.files.readFile(kClient + "msoe50.inf").value_or("(none)");
            return 0;
        });
        p.principal().raise("cmd603", ui::Event::Click);
    }
    std::string lng(const std::string& key, const std::string& section = "Onglet6") {
        return Lng(p, section, key);
    }
    Strings left() {
        Strings names;
        for (const std::string& name : kGathered)
            if (t.files.attributes(kClient + name))
                names.push_back(name);
        return names;
    }
    TestProgram t;
    Program& p = *t.program;
    Strings commands;
    std::string installed;
};

const std::string kEdits = "[DestinationDirs]\r\nfile.copy.inf=\r\nfile.copy.exe=49700\r\n"
                           "file.del.exe=49700\r\nfile.copy.permanent=49700\r\n"
                           "file.copy.stationery=49960\r\nfile.copy.common.perm=49850\r\n";
const std::string kCopyFiles =
    "CopyFiles=file.copy.permanent,file.copy.sys,file.copy.sys.roll,file.copy.common.perm\r\n";
const std::string kAddReg =
    "AddReg=No.Uninstall.Add.Reg,RunOnce.Reg,Common.Add.Reg,Machine.Add.Reg\r\n";

TEST(ReinstallPage, BrowserRepairCommandsAndTheMissingMaintenanceLibrary) {
    const std::string setup = "rundll32 setupwbv.dll,IE6Maintenance \"C:\\Program "
                              "Files\\Setup\\SETUP.EXE\" /g \"C:\\WINDOWS\\IE Uninstall Log.Txt\"";
    const struct {
        const char *button, *systemFolder; // empty: cannot be determined
        bool library;
        std::string run, shown; // the command, or the path the message names
    } cases[] = {
        {"cmd601", "C:\\WINDOWS\\system32", false, "rundll32 iesetup.dll,FixIE", ""},
        {"cmd602", "C:\\WINDOWS\\system32", true, setup, ""},
        {"cmd602", "C:\\WINDOWS\\system32", false, "", kSystem + "SETUPWBV.dll"},
        {"cmd602", "", false, "", "SETUPWBV.dll"},
    };
    for (const auto& row : cases) {
        TestProgram t;
        t.program->LanguageFile = kEnglishFile;
        t.files.setSpecialFolder(37, row.systemFolder);
        if (row.library)
            t.putFile(kSystem + "setupwbv.dll", "MZ");
        t.click(row.button);
        std::string run, shown;
        for (const auto& command : t.shell.commands)
            run += command.commandLine + (command.showCommand == 10 ? "" : " (not default)");
        EXPECT_EQ(run, row.run) << row.button;
        const auto text = [&](const char* key) { return Lng(*t.program, "Onglet6", key); };
        for (const auto& box : t.ui.messages)
            shown += box.text + "|" + std::to_string(box.style) + "|" + box.title;
        EXPECT_EQ(shown, row.shown.empty() ? ""
                                           : text("msgbox602") + "\r\n\r\n\r\n" + row.shown +
                                                 "       \r\n\r\n\r\n" + text("msgbox602a") +
                                                 "|16|" + text("msgbox602T"));
    }
}

TEST(ReinstallPage, SetupFileIsEditedInstalledAndEveryCopyRemoved) {
    Reinstall r;
    EXPECT_EQ(r.commands, Strings{kInstall});
    EXPECT_EQ(r.installed, "; msoe50.inf\r\n[Version]\r\nLayoutFile=\r\nAdvancedINF=2.5\r\n"
                           "[DefaultInstall]\r\n" +
                               kCopyFiles + "; keep\r\n" + kAddReg +
                               "[Strings]\r\nName=\"Outlook Express\"\r\n" + kEdits);
    EXPECT_EQ(r.left(), Strings{});
    EXPECT_EQ(r.t.files.readFile(kInf), kSystemInf); // the system's own stays as it was
    ASSERT_EQ(r.t.ui.messages.size(), 1u);
    EXPECT_EQ(r.t.ui.messages[0].text, r.lng("msgbox603"));
    EXPECT_EQ(r.t.ui.messages[0].style, 48);
    EXPECT_EQ(r.t.ui.messages[0].title, r.lng("msgbox603T"));

    // Without the system's setup file, the edits make one of their own.
    Reinstall missing({"msoe50.inf", "fixmapi.exe"});
    EXPECT_EQ(missing.installed, "[Version]\r\nLayoutFile=\r\nAdvancedINF=2.5\r\n" + kEdits +
                                     "[DefaultInstall]\r\n" + kCopyFiles + kAddReg);
    EXPECT_EQ(missing.left(), Strings{});
}

TEST(ReinstallPage, AFailedCopyStopsWithItsMessagesAndLeavesTheCopies) {
    const struct {
        const char* failing;
        Strings left;
        bool closing; // the msgbox604 message after the last copy
    } cases[] = {
        {"mapistub.dll", {"msoe50.inf", "directdb.dll", "fixmapi.exe", "mapistub.dll"}, false},
        {"inetcomm.dll", kGathered, true},
    };
    for (const auto& row : cases) {
        Reinstall r({}, {row.failing});
        EXPECT_EQ(r.commands, Strings{}) << row.failing;
        EXPECT_EQ(r.left(), row.left) << row.failing;
        ASSERT_EQ(r.t.ui.messages.size(), row.closing ? 2u : 1u) << row.failing;
        EXPECT_EQ(r.t.ui.messages[0].text, r.lng("msgbox621") + "\r\n\r\n" + r.lng("msgbox604") +
                                               "\r\n\r\n( " + row.failing + " )");
        EXPECT_EQ(r.t.ui.messages[0].style, 16);
        EXPECT_EQ(r.t.ui.messages[0].title, r.lng("msgbox4T", "Xtra"));
        if (row.closing) {
            EXPECT_EQ(r.t.ui.messages[1].text,
                      r.lng("msgbox604") + "\r\n\r\n" + r.lng("msgbox604a"));
            EXPECT_EQ(r.t.ui.messages[1].title, r.lng("msgbox611c"));
        }
    }
}

} // namespace
} // namespace velmora::testing
