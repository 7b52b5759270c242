// The reinstallation page of the running velmora.exe: the advanced browser
// repair on a system without the browser's maintenance library tells the
// user which file it looked for, and runs nothing.

#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kGuid = "{B10CCED5-0000-4000-8000-000000000E12}";

TEST(ReinstallWindow, AdvancedRepairWithoutTheMaintenanceLibraryNamesIt) {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
    RunningProgram program;
    program.showPage(6);
    program.postClick("cmd602");
    HWND box = program.dialog();
    ASSERT_NE(box, nullptr) << "no message";
    const std::string breaks = "\r\n\r\n\r\n";
    const std::string text = messageText(box);
    const std::string head = languageText("Onglet6", "msgbox602") + breaks;
    const std::string tail = "SETUPWBV.dll       " + breaks + languageText("Onglet6", "msgbox602a");
    // Between them the system folder, as the program's kind of process sees it.
    EXPECT_EQ(text.substr(0, head.size()), head) << text;
    ASSERT_GE(text.size(), head.size() + tail.size()) << text;
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail) << text;
    EXPECT_NE(text.find(":\\", head.size()), std::string::npos) << text;
    EXPECT_EQ(textOf(box), languageText("Onglet6", "msgbox602T"));
    press(box, IDOK);
    EXPECT_TRUE(waitFor([&] { return !IsWindow(box); }));
    EXPECT_TRUE(program.running());
}

} // namespace
