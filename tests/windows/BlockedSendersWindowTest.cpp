// The blocked-senders page of the running velmora.exe, driven from outside:
// the mail/news switch, the colour window, the real file dialog and message
// boxes, and a large first load that keeps the window answering. The list's
// logic and bytes are the native tests'.

#include "core/modRegistre.h"
#include "platform/win32/Win32Registry.h"
#include "rules/RuleStorage.h"
#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

using namespace velmora;
using namespace velmora::testing;

namespace {

const std::string kGuid = "{B10CCED5-0000-4000-8000-000000000E11}";
const std::string kBlockSenders =
    "Identities\\" + kGuid + "\\Software\\Microsoft\\Outlook Express\\5.0\\Block Senders";
const std::string kMail = kBlockSenders + "\\Mail";
const std::string kNews = kBlockSenders + "\\News";
const std::string kList = "b@x.example\r\nA@x.example\r\na@x.example";

// Whether the button is the box's default one, which Enter presses.
bool preselected(HWND box, int button) {
    return (GetWindowLongPtrA(GetDlgItem(box, button), GWL_STYLE) & BS_TYPEMASK) ==
           BS_DEFPUSHBUTTON;
}
std::string mail(const std::string& key, const std::string& name) {
    return stored(HKEY_CURRENT_USER, kMail + key, name);
}
std::string lng(const std::string& key) {
    return languageText("Onglet3", key);
}

class BlockedSendersWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
        seedProgram({{kGuid, "Test"}}, kGuid, languageName(firstLanguageFile()));
        // Mail: three addresses, highlighted in colour 12; news: one, deleted.
        SHDeleteKeyA(HKEY_CURRENT_USER, kBlockSenders.c_str());
        putNumber(HKEY_CURRENT_USER, kBlockSenders, "Version", 0x50000);
        const char* const addresses[] = {"b@x.example", "A@x.example", "a@x.example"};
        for (int i = 0; i < 3; ++i)
            putText(HKEY_CURRENT_USER, kMail + "\\Criteria\\00" + std::to_string(i), "Value",
                    addresses[i]);
        putText(HKEY_CURRENT_USER, kMail + "\\Criteria", "Order", "000 001 002");
        for (auto [name, value] : {std::pair{"Type", 10}, {"Value", 12}, {"ValueType", 19}})
            putNumber(HKEY_CURRENT_USER, kMail + "\\Actions\\000", name, value);
        putText(HKEY_CURRENT_USER, kNews + "\\Criteria\\000", "Value", "news@x.example");
        putText(HKEY_CURRENT_USER, kNews + "\\Criteria", "Order", "000");
        putNumber(HKEY_CURRENT_USER, kNews + "\\Actions\\000", "Type", 7);
    }

    // Clicks a button that asks first, and answers the question.
    void confirm(const RunningProgram& program, const std::string& button, int answer,
                 const std::string& text) {
        program.postClick(button);
        HWND question = program.dialog();
        ASSERT_NE(question, nullptr) << "no confirmation for " << button;
        EXPECT_EQ(messageText(question), text);
        EXPECT_TRUE(preselected(question, IDNO));
        EXPECT_FALSE(preselected(question, IDYES));
        press(question, answer);
        ASSERT_TRUE(waitFor([&] { return !IsWindow(question); }));
    }
    // Chooses a file in the program's open-file dialog.
    void open(const RunningProgram& program, const std::string& path, const std::string& title) {
        HWND dialog = program.dialog();
        ASSERT_NE(dialog, nullptr) << "no file dialog";
        EXPECT_TRUE(title.empty() || textOf(dialog) == title) << textOf(dialog);
        typeFileName(dialog, path);
        press(dialog, IDOK);
        // The dialog's own closing (two seconds under Wine) is not the page's.
        ASSERT_TRUE(waitFor([&] { return !IsWindow(dialog); }));
    }
};

TEST_F(BlockedSendersWindow, NewsSwitchColourMergeAndDeleteThroughTheRealWindows) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(3);
    ASSERT_TRUE(program.shown("txt300")) << "page 3 is not shown";
    EXPECT_EQ(program.text("txt300"), kList);
    // News and back.
    program.scroll("hsc300", +1);
    EXPECT_EQ(program.text("txt300"), "news@x.example");
    EXPECT_TRUE(program.ticked("opt300(0)"));
    EXPECT_FALSE(program.shown("shp300"));
    program.scroll("hsc300", -1);
    EXPECT_EQ(program.text("txt300"), kList);

    // An option, then the colour of option 4 picked in the colour window.
    program.click("opt300(1)");
    EXPECT_EQ(mail("\\Actions\\000", "Type"), number(8));
    program.postClick("opt300(4)");
    HWND colours = program.form("frmCouleur");
    ASSERT_NE(colours, nullptr) << "the colour window never showed";
    program.postClick(findControl(colours, "cmdCoul(13)"));
    EXPECT_TRUE(waitFor([&] { return mail("\\Actions\\000", "Value") == number(13); }));

    // Merge: Yes opens the file dialog, and the file's new address joins the list.
    std::string merge = lng("msgbox302");
    merge.replace(merge.find("%menu"), 5, "Mail");
    Win32ScratchFolder scratch;
    writeFile(scratch.at("more.txt"), "new@x.example\r\na@x.example");
    confirm(program, "cmd304", IDYES, merge);
    open(program, scratch.at("more.txt"), lng("OFD3_1"));
    EXPECT_TRUE(waitFor([&] { return mail("\\Criteria", "Order") == "sz 000 001 002 003"; }));
    EXPECT_EQ(mail("\\Criteria\\003", "Value"), "sz new@x.example");

    // Delete: No keeps everything; Yes removes the mail list alone.
    confirm(program, "cmd302", IDNO, lng("msgbox300"));
    EXPECT_EQ(mail("\\Criteria", "Order"), "sz 000 001 002 003");
    confirm(program, "cmd302", IDYES, lng("msgbox300"));
    EXPECT_TRUE(waitFor([&] { return program.shown("cmd301"); }));
    EXPECT_EQ(mail("\\Criteria", "Order"), "missing");
    EXPECT_EQ(mail("\\Actions\\000", "Type"), "missing");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kNews + "\\Criteria\\000", "Value"), "sz news@x.example");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kBlockSenders, "Version"), number(0x50000));
}

// A first load of 4000 addresses: the window answers messages all along, and
// a close in the middle ends the program.
TEST_F(BlockedSendersWindow, LargeLoadStaysResponsiveAndACloseEndsTheProgram) {
    SHDeleteKeyA(HKEY_CURRENT_USER, kBlockSenders.c_str());
    Win32ScratchFolder scratch;
    std::string content;
    for (int i = 0; i < 4000; ++i)
        content += "sender" + std::to_string(i) + "@bulk.example\r\n";
    writeFile(scratch.at("4000.txt"), content);

    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(3);
    ASSERT_TRUE(program.shown("cmd301"));
    program.postClick("cmd301");
    open(program, scratch.at("4000.txt"), "");

    // While the addresses are stored, the window handles its messages.
    platform::win32::Win32Registry store;
    modRegistre reg{store};
    const auto storedCount = [&] {
        const std::string order = ReadOrder(reg, kMail + "\\Criteria");
        return order == kNotFound ? 0 : CountOrderEntries(order);
    };
    int answered = 0, late = 0;
    const DWORD start = GetTickCount();
    while (storedCount() < 400 && GetTickCount() - start < 120000) {
        DWORD_PTR result = 0;
        const DWORD asked = GetTickCount();
        answered +=
            SendMessageTimeoutA(program.main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
        late += GetTickCount() - asked > 1000;
        Sleep(50);
    }
    ASSERT_GE(storedCount(), 400) << "the load did not get going";
    EXPECT_GT(answered, 0);
    EXPECT_EQ(late, 0) << "the window kept a message waiting over a second";

    // What a close leaves stored is the native tests'.
    PostMessageA(program.main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(waitFor([&] { return !program.running(); }, 60000)) << "still running";
    EXPECT_LT(storedCount(), 4000) << "closed too late to stop in the middle";
}

} // namespace
