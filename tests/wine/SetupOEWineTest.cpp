// The missing-file recovery over the system's setup engine, files and shell
// delete: a client folder that lost msimn.exe gets it back from the gcab
// kit's cabinet, and its old msoe.dll is replaced. Processes, registry and
// library registration are stand-ins, so the Wine prefix stays as it is.

#include "app/frmPrincipal.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "reinstall/SetupOE.h"
#include "support/TestProgram.h"
#include "wine/KitFiles.h"
#include "wine/WineFolders.h"

#include <gtest/gtest.h>

#include <map>

namespace velmora::testing {
namespace {

// The real file system with the system's folders inside a scratch folder.
struct ScratchSystemFolders : platform::win32::Win32FileSystem {
    explicit ScratchSystemFolders(std::string folder) : root(std::move(folder)) {}
    std::string specialFolder(int csidl) override {
        const std::map<int, std::string> folders = {{36, "WINDOWS"},
                                                    {37, "WINDOWS\\system32"},
                                                    {38, "Program Files"},
                                                    {43, "Program Files\\Common Files"}};
        return folders.count(csidl) ? root + "\\" + folders.at(csidl) : std::string();
    }
    std::string root;
};

TEST(SetupOEUnderWine, RestoresADeletedClientFileFromTheKitsCabinet) {
    Win32ScratchFolder scratch;
    ScratchSystemFolders files(scratch.path());
    platform::win32::Win32ProfileStrings profile;
    TestProgram t; // its stand-ins for the rest, in safe mode
    t.system.setBootMode(1);
    Program program({t.registry, files, profile, t.shell, t.dialogs, t.system, t.ui, t.cabinets,
                     t.windows, t.restore, t.libraries, t.downloader, t.trust, t.versions,
                     t.volumes},
                    frmPrincipal::Create);

    for (const char* folder :
         {"WINDOWS", "WINDOWS\\system32", "WINDOWS\\system32\\dllcache", "WINDOWS\\Help",
          "Program Files", "Program Files\\Common Files", "Program Files\\Common Files\\system",
          "Program Files\\Outlook Express", "Temp"})
        ASSERT_TRUE(files.createFolder(scratch.at(folder)));
    const std::string client = scratch.at("Program Files\\Outlook Express\\");
    ASSERT_TRUE(files.writeFile(client + "msoe.dll", "old"));
    program.BrowserVersion = "6.0.2900.2180";
    program.WindowsFamily = "XP";
    program.ClientFolder = client;
    program.WorkFolder = scratch.at("Temp\\");
    program.LanguageFile = onDriveZ(VELMORA_SOURCE_DIR "/language/English.lng");

    SetupOE(program, onDriveZ(VELMORA_TEST_CABINETS "/kit/"));

    const std::string cache = scratch.at("WINDOWS\\system32\\dllcache\\");
    for (const std::string& path :
         {client + "msimn.exe", client + "msoe.dll", cache + "msimn.exe", cache + "msoe.dll"}) {
        const std::string name = path.substr(path.rfind('\\') + 1);
        EXPECT_EQ(files.readFile(path).value_or("(none)"), "new " + name + "\r\n") << path;
    }
    EXPECT_FALSE(files.attributes(client + "msoe.dll.new"));
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].style, ui::MbExclamation);
    EXPECT_EQ(t.ui.messages[0].title, "Outlook Express reinstallation");
}

} // namespace
} // namespace velmora::testing
