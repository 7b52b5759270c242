// The missing-file recovery over the portable back-ends and the gcab kit:
// its gates and their messages, where each family's files go, the setup
// commands and App Paths values, a failed copy, and the manual search loop.

#include "core/Language.h"
#include "reinstall/SetupOE.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::testing {
namespace {

using Strings = std::vector<std::string>;

const std::string kClient = "C:\\Program Files\\Outlook Express\\";
const std::string kCache = "C:\\WINDOWS\\system32\\dllcache\\";
const std::string kFiles = "C:\\Temp\\Velmora_XPSP2\\Files\\";

std::string KitBytes(const std::string& name) {
    std::ifstream in(std::string(VELMORA_TEST_CABINETS) + "/kit/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A program on Windows XP build 2900 in safe mode, its client folder holding
// an old msoe.dll, and the kit in C:\Kit\ less the cabinets named.
struct Recovery {
    explicit Recovery(const Strings& missing = {}) {
        t.start();
        t.ui.messages.clear();
        t.ui.events.clear();
        p.LanguageFile = kTestProgramFolder + "\\language\\English.lng";
        p.BrowserVersion = "6.0.2900.2180";
        p.WindowsFamily = "XP";
        p.ClientFolder = kClient;
        p.WorkFolder = "C:\\Temp\\Velmora_XPSP2\\";
        t.system.setBootMode(1);
        for (const char* folder : {"Program Files\\Common Files\\system", "WINDOWS\\Help"})
            t.putFile("C:\\" + std::string(folder) + "\\x", "");
        t.putFile(kCache + "x", "");
        t.putFile(kClient + "msoe.dll", "old");
        for (const char* name : {"mailnews.cab", "wab.cab", "ie6setup.exe"})
            if (std::find(missing.begin(), missing.end(), name) == missing.end())
                t.putFile(std::string("C:\\Kit\\") + name, KitBytes(name));
    }
    std::string lng(const std::string& key) {
        return GetLngText(t.profile, "Onglet6", key, p.LanguageFile);
    }
    std::string file(const std::string& path) { return t.files.readFile(path).value_or("(none)"); }
    Strings titles() {
        Strings shown;
        for (const ShownMessage& message : t.ui.messages)
            shown.push_back(message.title);
        return shown;
    }
    TestProgram t;
    Program& p = *t.program;
};

TEST(SetupOE, GatesStopBeforeAnyFileIsTouched) {
    const struct {
        const char* what;
        std::function<void(Recovery&)> arrange;
        std::string title;
        std::string inText;
        std::string lastEvent; // of the main window
    } rows[] = {
        {"no browser version", [](Recovery& r) { r.p.BrowserVersion.clear(); },
         "Internet Explorer version unknown", "could not be read", "show frmPrincipal"},
        {"XP started normally", [](Recovery& r) { r.t.system.setBootMode(0); },
         "Safe mode required",
         "safe mode.\r\n\r\nFirst, restart Windows in safe mode (press F8 while the computer "
         "starts).\r\nThen, start Velmora again",
         "show frmPrincipal"},
        {"no mailnews.cab", [](Recovery& r) { r.t.files.deleteFile("C:\\Kit\\mailnews.cab"); },
         "Reinstallation stopped", "The file MailNews.cab was not found", ""},
        {"no wab.cab", [](Recovery& r) { r.t.files.deleteFile("C:\\Kit\\wab.cab"); },
         "Reinstallation stopped", "The file      wab.cab     was not found", ""},
        {"damaged cabinet", [](Recovery& r) { r.t.putFile("C:\\Kit\\wab.cab", "MSCF broken"); },
         "Damaged cabinet", "\r\nVelmora will now close.", "unload frmPrincipal"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        Recovery r;
        row.arrange(r);
        SetupOE(r.p, "C:\\Kit\\");
        ASSERT_EQ(r.titles(), Strings{row.title});
        EXPECT_NE(r.t.ui.messages[0].text.find(row.inText), std::string::npos);
        EXPECT_EQ(r.t.ui.messages[0].style, ui::MbCritical);
        EXPECT_EQ(r.file(kClient + "msoe.dll"), "old");
        EXPECT_FALSE(r.t.files.attributes(kClient + "msimn.exe"));
        EXPECT_TRUE(r.t.shell.commands.empty());
        EXPECT_EQ(r.t.ui.events.empty() ? "" : r.t.ui.events.back(), row.lastEvent);
    }
}

TEST(SetupOE, EachFamilyGetsItsFilesInItsFolders) {
    const struct {
        const char* family;
        Strings present; // with the file's new bytes
        Strings absent;
    } rows[] = {
        {"XP",
         {kClient + "msimn.exe", kClient + "msoe.dll", kCache + "msimn.exe",
          kCache + "inetcomm.dll", kCache + "directdb.dll",
          "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof\\csapi3t1.dll",
          kFiles + "i386\\msimn.exe", kFiles + "msoe50.inf"},
         {kClient + "msoe.dll.new"}},
        {"9x",
         {kClient + "msimn.exe", kClient + "msoe.dll", kFiles + "msimn.exe"},
         {kCache + "msimn.exe", kFiles + "i386\\msimn.exe",
          "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof\\csapi3t1.dll"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.family);
        Recovery r;
        r.p.WindowsFamily = row.family;
        SetupOE(r.p, "C:\\Kit\\");
        for (const std::string& path : row.present) {
            const std::string name = path.substr(path.rfind('\\') + 1);
            EXPECT_EQ(r.file(path),
                      name == "msoe50.inf" ? KitBytes("src/msoe50.inf") : "new " + name + "\r\n")
                << path;
        }
        for (const std::string& path : row.absent)
            EXPECT_FALSE(r.t.files.attributes(path)) << path;
        EXPECT_EQ(r.file("C:\\Program Files\\Common Files\\system\\directdb.dll"),
                  "new directdb.dll\r\n");
        EXPECT_EQ(r.file("C:\\WINDOWS\\system32\\inetcomm.dll"), "new inetcomm.dll\r\n");
        EXPECT_EQ(r.file("C:\\WINDOWS\\Help\\msoe.chm"), "new msoe.chm\r\n");
        const std::string install = "rundll32.exe setupapi,InstallHinfSection DefaultInstall 132 ";
        ASSERT_EQ(r.t.shell.commands.size(), 2u);
        EXPECT_EQ(r.t.shell.commands[0].commandLine, install + kFiles + "msoe50.inf");
        EXPECT_EQ(r.t.shell.commands[1].commandLine, install + kFiles + "wab50.inf");
        const std::string key =
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe";
        EXPECT_EQ(r.t.reg.ReadRegValue(HKLM, key, ""),
                  "C:\\Program Files\\Outlook Express\\msimn.exe");
        EXPECT_EQ(r.t.reg.ReadRegValue(HKLM, key, "Path"), "C:\\Program Files\\Outlook Express");
        ASSERT_FALSE(r.t.shell.executed.empty());
        EXPECT_EQ(r.t.shell.executed[0].file + " " + r.t.shell.executed[0].parameters,
                  "msimn /reg");
        EXPECT_EQ(r.titles(), Strings{"Outlook Express reinstallation"});
    }
}

TEST(SetupOE, AClientFileThatCannotBeReplacedStaysAndEndsTheRecoveryAfterItsMessage) {
    for (const char* family : {"XP", "9x"}) {
        SCOPED_TRACE(family);
        Recovery r;
        r.p.WindowsFamily = family;
        r.t.files.setAttributes(kClient + "msoe.dll", platform::AttrReadOnly);
        SetupOE(r.p, "C:\\Kit\\");
        ASSERT_EQ(r.titles(), Strings{"Copy failed"});
        EXPECT_NE(r.t.ui.messages[0].text.find("( msoe.dll )"), std::string::npos);
        EXPECT_EQ(r.file(kClient + "msoe.dll"), "old");
        EXPECT_FALSE(r.t.files.attributes(kClient + "msoe.dll.new"));
        EXPECT_TRUE(r.t.shell.commands.empty());
    }
}

TEST(SetupOE, ManualSearchAsksAgainUntilAKitIsChosenOrTheDialogCancelled) {
    const struct {
        Strings answers;
        Strings titles;
    } rows[] = {
        {{""}, {}},
        {{"C:\\Kit\\readme.txt", ""}, {"Wrong file"}},
        {{"C:\\Temp\\IE6SETUP.EXE", "C:\\Kit\\ie6setup.exe"},
         {"Incomplete setup kit", "Outlook Express reinstallation"}},
    };
    for (const auto& row : rows) {
        Recovery r;
        for (const std::string& answer : row.answers)
            r.t.dialogs.answerOpenFile(answer);
        r.p.principal().raise("cmd611", ui::Event::Click);
        EXPECT_EQ(r.titles(), row.titles);
        ASSERT_EQ(r.t.dialogs.openFileRequests.size(), row.answers.size());
        const platform::OpenFileRequest& request = r.t.dialogs.openFileRequests[0];
        EXPECT_EQ(request.title, r.lng("lbl614"));
        EXPECT_EQ(request.filter, std::string("ie6setup.exe\0ie6setup.exe\0", 26));
        EXPECT_EQ(request.flags, 0x10001804u);
        EXPECT_EQ(request.initialFolder, "C:\\Temp\\Velmora_XPSP2\\Cabs");
        EXPECT_EQ(r.t.ui.events.back(), "show frmPrincipal");
        EXPECT_TRUE(r.p.principal().isVisible());
    }
}

} // namespace
} // namespace velmora::testing
