// The missing-file recovery over the gcab kit: gates and failures with
// their messages, each family's folders, commands and App Paths, and the
// manual search loop.

#include "reinstall/SetupOE.h"
#include "support/TestProgram.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace velmora::testing {
namespace {

const std::string kCache = "C:\\WINDOWS\\system32\\dllcache\\";
const std::string kFiles = "C:\\Temp\\Velmora_XPSP2\\Files\\";

std::string Cabinet(const std::string& name) {
    std::ifstream in(std::string(VELMORA_TEST_CABINETS "/") + name, std::ios::binary);
    return (std::ostringstream() << in.rdbuf()).str();
}

// gcab's cabinet of placeholder names, one turned into "..\..\evil1.txt".
std::string Hostile() {
    std::string bytes = Cabinet("hostile.cab");
    bytes.replace(bytes.find("xx_xx_evil1"), 11, "..\\..\\evil1");
    return bytes;
}

// Started on Windows XP build 2900 in safe mode, an old msoe.dll and
// msoeres.dll in the client's folder, the kit in C:\Kit\.
struct Recovery {
    Recovery() {
        t.start();
        t.ui.messages.clear();
        t.ui.events.clear();
        p.LanguageFile = kEnglishFile;
        p.BrowserVersion = "6.0.2900.2180";
        p.WindowsFamily = "XP";
        p.ClientFolder = kClient;
        p.WorkFolder = "C:\\Temp\\Velmora_XPSP2\\";
        t.system.setBootMode(1);
        for (const char* folder : {"Program Files\\Common Files\\system", "WINDOWS\\Help"})
            t.putFile("C:\\" + std::string(folder) + "\\x", "");
        t.putFile(kCache + "x", "");
        t.putFile(kClient + "msoe.dll", "old");
        t.putFile(kClient + "msoeres.dll", "old"); // the kit has none to replace it
        for (const char* name : {"mailnews.cab", "wab.cab", "ie6setup.exe"})
            t.putFile(std::string("C:\\Kit\\") + name, Cabinet(std::string("kit/") + name));
    }
    std::string file(const std::string& path) { return t.files.readFile(path).value_or("-"); }
    Strings titles() {
        Strings shown;
        for (const ShownMessage& message : t.ui.messages)
            shown.push_back(message.title);
        return shown;
    }
    TestProgram t;
    Program& p = *t.program;
};

TEST(SetupOE, GatesAndFailuresStopWithTheirMessageAndLeaveTheClientFile) {
    const struct {
        std::function<void(Recovery&)> arrange;
        std::string title, inText, lastEvent;
    } rows[] = {
        {[](Recovery& r) { r.p.BrowserVersion.clear(); }, "Internet Explorer version unknown",
         "could not be read", "show frmPrincipal"},
        {[](Recovery& r) { r.t.system.setBootMode(0); }, "Safe mode required",
         "safe mode.\r\n\r\nFirst, restart Windows in safe mode (press F8 while the computer "
         "starts).\r\nThen, start Velmora again",
         "show frmPrincipal"},
        {[](Recovery& r) { r.t.files.deleteFile("C:\\Kit\\mailnews.cab"); },
         "Reinstallation stopped", "The file MailNews.cab was not found", ""},
        {[](Recovery& r) { r.t.files.deleteFile("C:\\Kit\\wab.cab"); }, "Reinstallation stopped",
         "The file      wab.cab     was not found", ""},
        {[](Recovery& r) { r.t.putFile("C:\\Kit\\wab.cab", "MSCF broken"); }, "Damaged cabinet",
         "\r\nVelmora will now close.", "unload frmPrincipal"},
        // a cabinet with a name leading out of the extraction folder
        {[](Recovery& r) { r.t.putFile("C:\\Kit\\wab.cab", Hostile()); }, "Damaged cabinet",
         "\r\nVelmora will now close.", "unload frmPrincipal"},
        // a client folder that takes no new file
        {[](Recovery& r) { r.t.files.createFolder(kClient + "msoe.dll.new"); }, "Copy failed",
         "( msoe.dll )", ""},
        {[](Recovery& r) { r.t.files.setAttributes(kClient + "msoe.dll", platform::AttrReadOnly); },
         "Copy failed", "( msoe.dll )", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.title);
        Recovery r;
        row.arrange(r);
        SetupOE(r.p, "C:\\Kit\\");
        ASSERT_EQ(r.titles(), Strings{row.title});
        EXPECT_NE(r.t.ui.messages[0].text.find(row.inText), std::string::npos);
        EXPECT_EQ(r.t.ui.messages[0].style, ui::MbCritical);
        EXPECT_EQ(r.file(kClient + "msoe.dll"), "old");
        EXPECT_EQ(r.file(kClient + "msoe.dll.new"), "-");
        EXPECT_TRUE(r.t.shell.commands.empty());
        EXPECT_EQ(r.t.ui.events.empty() ? "" : r.t.ui.events.back(), row.lastEvent);
    }
}

TEST(SetupOE, EachFamilyGetsTheKitsFilesInItsFoldersThenTheCommandsAndAppPaths) {
    const std::string proof = "C:\\Program Files\\Common Files\\Microsoft Shared\\Proof\\";
    const struct {
        const char* family;
        Strings present, absent;
    } rows[] = {
        {"XP",
         {kClient + "msimn.exe", kClient + "msoe.dll", kCache + "msimn.exe",
          kCache + "inetcomm.dll", kCache + "directdb.dll", proof + "csapi3t1.dll",
          kFiles + "i386\\wab.exe"},
         {}},
        {"9x",
         {kClient + "msimn.exe", kClient + "msoe.dll", kFiles + "wab.exe"},
         {kCache + "msimn.exe", proof + "csapi3t1.dll"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.family);
        Recovery r;
        r.p.WindowsFamily = row.family;
        SetupOE(r.p, "C:\\Kit\\");
        Strings shared = {"C:\\Program Files\\Common Files\\system\\directdb.dll",
                          "C:\\WINDOWS\\system32\\inetcomm.dll", "C:\\WINDOWS\\Help\\msoe.chm"};
        for (const Strings& list : {row.present, shared})
            for (const std::string& path : list)
                EXPECT_EQ(r.file(path), "new " + path.substr(path.rfind('\\') + 1) + "\r\n");
        EXPECT_EQ(r.file(kClient + "msoeres.dll"), "old");
        for (const std::string& path : row.absent)
            EXPECT_FALSE(r.t.files.attributes(path)) << path;
        EXPECT_EQ(r.file(kFiles + "msoe50.inf").substr(0, 9), "[Version]");
        const std::string install = "rundll32.exe setupapi,InstallHinfSection DefaultInstall 132 ";
        ASSERT_EQ(r.t.shell.commands.size(), 2u);
        EXPECT_EQ(r.t.shell.commands[0].commandLine, install + kFiles + "msoe50.inf");
        EXPECT_EQ(r.t.shell.commands[1].commandLine, install + kFiles + "wab50.inf");
        const std::string key =
            "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\msimn.exe";
        for (const auto& [value, data] :
             {std::pair<std::string, std::string>{"", "msimn.exe"}, {"Path", ""}}) {
            platform::RegData stored;
            r.t.registry.queryValue(HKLM, key, value, 2048, stored);
            EXPECT_EQ(stored.type, platform::RegSz);
            EXPECT_EQ(stored.bytes, "C:\\Program Files\\Outlook Express" +
                                        (data.empty() ? "" : "\\" + data) + std::string(1, '\0'));
        }
        ASSERT_FALSE(r.t.shell.executed.empty());
        EXPECT_EQ(r.t.shell.executed[0].file + r.t.shell.executed[0].parameters, "msimn/reg");
        EXPECT_EQ(r.titles(), Strings{"Outlook Express reinstallation"});
    }
}

TEST(SetupOE, ManualSearchAsksAgainUntilAKitIsChosenOrTheDialogCancelled) {
    const struct {
        Strings answers, titles;
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
        EXPECT_EQ(request.filter, std::string("ie6setup.exe\0ie6setup.exe\0", 26));
        EXPECT_EQ(request.flags, 0x10001804u);
        EXPECT_EQ(request.initialFolder, "C:\\Temp\\Velmora_XPSP2\\Cabs");
        EXPECT_EQ(r.t.ui.events.back(), "show frmPrincipal");
    }
}

} // namespace
} // namespace velmora::testing
