// The settings pages of the running velmora.exe, driven from outside as a
// user drives them: on a prepared set-up of three identities, the pages show
// the current identity's values; clicks, the space bar and typing store what
// each control stands for in the real registry; locks grey out their
// neighbours; the identity button reloads every page; a browse button's
// dialog fills its box and stores the file.

#include "windows/RunningProgram.h"
#include "windows/TestRegistry.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>

using namespace velmora::testing;

namespace {

const std::string kProgramKey = "Software\\Velmora_XPSP2";
const std::string kMachineClient = "Software\\Microsoft\\Outlook Express";
const std::string kClientPolicy = "SOFTWARE\\Policies\\Microsoft\\Outlook Express";
const std::string kWabFileKey = "Software\\Microsoft\\WAB\\WAB4\\Wab File Name";
const std::string kWabKey = "Software\\Microsoft\\WAB\\WAB4";
const std::string kIdentitiesPolicy =
    "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities";
const std::string kInternetSettings =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";

struct Identity {
    const char* guid;
    const char* userName;
    const char* windowTitle;
    DWORD safeAttachmentsLocked;
    DWORD sendMdn; // the option of opt720
    DWORD closings;
};
// Enumerated in this order (the registry sorts subkey names); B was used last.
const Identity kA{
    "{5E771E05-0000-4000-8000-0000000000A1}", "Andr\xE9", "Bo\xEEte d'Andr\xE9", 1, 2, 12};
const Identity kB{
    "{5E771E05-0000-4000-8000-0000000000B2}", "B\xE9\x61trice", "Courrier B", 0, 4, 140};
const Identity kC{"{5E771E05-0000-4000-8000-0000000000C3}", "C\xE9line", "", 1, 1, 99};

std::string identityKey(const Identity& identity) {
    return std::string("Identities\\") + identity.guid +
           "\\Software\\Microsoft\\Outlook Express\\5.0";
}

// ---------------------------------------------------------------- registry

// A value as stored: "dword N", "sz TEXT", or "missing".
std::string stored(HKEY root, const std::string& key, const std::string& name) {
    const auto [type, data] = readValue(root, key, name);
    if (type == 0)
        return "missing";
    if (type == REG_DWORD && data.size() == 4) {
        DWORD number;
        CopyMemory(&number, data.data(), 4);
        return "dword " + std::to_string(number);
    }
    if (type == REG_SZ && !data.empty())
        return "sz " + data.substr(0, data.size() - 1);
    return "type " + std::to_string(type);
}

// Three identities with their own settings, and the machine's, from scratch.
void prepare(const std::string& languageFile) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    for (const Identity* identity : {&kA, &kB, &kC}) {
        const std::string key = std::string("Identities\\") + identity->guid;
        putText(HKEY_CURRENT_USER, key, "UserName", identity->userName);
        putText(HKEY_CURRENT_USER, key, "User ID", identity->guid);
        const std::string settings = identityKey(*identity);
        if (*identity->windowTitle)
            putText(HKEY_CURRENT_USER, settings, "WindowTitle", identity->windowTitle);
        putNumber(HKEY_CURRENT_USER, settings + "\\Mail", "Safe Attachments Locked",
                  identity->safeAttachmentsLocked);
        putNumber(HKEY_CURRENT_USER, settings, "SendMDN", identity->sendMdn);
        putNumber(HKEY_CURRENT_USER, settings, "Compact Check Count", identity->closings);
    }
    putText(HKEY_CURRENT_USER, "Identities", "Last User ID", kB.guid);

    SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
    std::string language = languageFile.substr(0, languageFile.size() - 4);
    CharLowerA(language.data());
    putText(HKEY_CURRENT_USER, kProgramKey, "Language", language);
    putNumber(HKEY_CURRENT_USER, kProgramKey, "LanguageNum", 0);
    putNumber(HKEY_CURRENT_USER, kProgramKey, "NoRestaure", 1);

    deleteKey(HKEY_LOCAL_MACHINE, kMachineClient);
    deleteKey(HKEY_LOCAL_MACHINE, kClientPolicy);
    SHDeleteKeyA(HKEY_CURRENT_USER, kWabKey.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, kIdentitiesPolicy.c_str());
    putNumber(HKEY_LOCAL_MACHINE, kMachineClient, "Hide Messenger", 2);
    putNumber(HKEY_LOCAL_MACHINE, kClientPolicy, "RequestMDNLocked", 1);
    putText(HKEY_LOCAL_MACHINE, kInternetSettings, "MinorVersion", ";SP2;");
}

// ---------------------------------------------------------------- the user

// The space bar on a check box.
void pressSpace(const RunningProgram& program, const std::string& name) {
    SendMessageA(program[name], WM_KEYDOWN, VK_SPACE, 0x00390001);
    SendMessageA(program[name], WM_KEYUP, VK_SPACE, 0xC0390001);
}
void pressKey(const RunningProgram& program, const std::string& name, WPARAM key) {
    SendMessageA(program[name], WM_KEYDOWN, key, 1);
    SendMessageA(program[name], WM_KEYUP, key, 0xC0000001);
}
// Text typed into a box, as the edit control reports a change.
void type(const RunningProgram& program, const std::string& name, const std::string& text) {
    SendMessageA(program[name], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
int checkState(const RunningProgram& program, const std::string& name) {
    return static_cast<int>(SendMessageA(program[name], BM_GETCHECK, 0, 0));
}
bool enabled(const RunningProgram& program, const std::string& name) {
    return IsWindowEnabled(program[name]) != FALSE;
}

class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
        prepare(firstLanguageFile());
    }
    static std::string lng(const char* section, const char* key) {
        return languageText(section, key);
    }
};

std::string number(DWORD value) {
    return "dword " + std::to_string(value);
}

TEST_F(SettingsWindow, PagesShowTheIdentityStoredValuesAndClicksStoreThem) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    const std::string b = identityKey(kB);

    // What the load shows for identity B and the machine.
    EXPECT_EQ(program.text("lblChangeIdentite"), std::string(kB.userName) + " ");
    EXPECT_EQ(program.text("txt200"), kB.windowTitle);
    EXPECT_FALSE(program.ticked("chk102"));
    EXPECT_TRUE(program.ticked("opt720(4)"));
    EXPECT_FALSE(program.ticked("opt720(2)"));
    EXPECT_TRUE(program.ticked("chk110")) << "Hide Messenger 2";
    EXPECT_TRUE(program.ticked("chk701"));
    EXPECT_TRUE(program.ticked("chk000")) << "no HTTP Mail Enabled value";
    EXPECT_EQ(checkState(program, "chk001"), BST_INDETERMINATE);
    EXPECT_TRUE(program.ticked("opt700(0)"));
    EXPECT_EQ(program.text("txt800"), "140");
    EXPECT_EQ(program.text("lbl800"), lng("Onglet0", "lbl800.2"));
    EXPECT_TRUE(enabled(program, "txt800")) << "Service Pack 2";
    EXPECT_EQ(SendMessageA(program["cbo200"], CB_GETCURSEL, 0, 0), CB_ERR);
    // The load stored the counter again, as a number.
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Compact Check Count"), number(140));

    // The mail page: machine-wide boxes (one inverted, one whose clear is
    // 2), a news box, and the counter, stored at each change.
    program.showPage(0);
    ASSERT_TRUE(IsWindowVisible(program["chk000"])) << "page 0 is not shown";
    program.click("chk000");
    EXPECT_FALSE(program.ticked("chk000"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "HTTP Mail Enabled"), number(1));
    program.click("chk001");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "Disable Hotmail"), number(1));
    program.click("chk001");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "Disable Hotmail"), number(2));
    program.click("chk010");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b + "\\News", "GodMode"), number(1));
    type(program, "txt800", "58");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Compact Check Count"), number(58));
    EXPECT_EQ(program.text("lbl800"),
              lng("Onglet0", "lbl800") + " 42 " + lng("Onglet0", "lbl800.1"));
    type(program, "txt800", "99999999999");
    EXPECT_EQ(program.text("txt800"), "58");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Compact Check Count"), number(58));

    // Restrictions: an identity mail box, a box whose clear is 1, the
    // identities policy, the zone options.
    program.showPage(1);
    ASSERT_TRUE(IsWindowVisible(program["chk102"])) << "page 1 is not shown";
    program.click("chk102");
    EXPECT_TRUE(program.ticked("chk102"));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b + "\\Mail", "Safe Attachments Locked"), number(1));
    program.click("chk110");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "Hide Messenger"), number(1));
    ASSERT_FALSE(program.ticked("chk120"));
    pressSpace(program, "chk120");
    EXPECT_TRUE(program.ticked("chk120"));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kIdentitiesPolicy, "Locked Down"), number(1));
    program.click("opt100(4)");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Email Security Zone"), number(4));

    // Preferences: an inverted identity box, the list from the keyboard, the
    // text boxes when they are left.
    program.showPage(2);
    ASSERT_TRUE(IsWindowVisible(program["chk201"])) << "page 2 is not shown";
    program.click("chk201");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "ShowStatus"), number(1)) << "cleared: status shown";
    pressKey(program, "cbo200", VK_DOWN);
    EXPECT_EQ(SendMessageA(program["cbo200"], CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Contact Pane Sorting"), number(0));
    program.click("txt200");
    type(program, "txt200", "Courrier de B\xE9\x61trice");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "WindowTitle"), "sz " + std::string(kB.windowTitle));
    program.click("txt201");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "WindowTitle"), "sz Courrier de B\xE9\x61trice");
    type(program, "txt201", "");
    program.click("txt202");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "FrontPagePath"), "missing");

    // Read receipts: options whose index is the number stored, boxes that
    // delete the policy value when cleared, from the mouse and the keyboard.
    program.showPage(7);
    ASSERT_TRUE(IsWindowVisible(program["chk701"])) << "page 7 is not shown";
    program.click("opt720(1)");
    EXPECT_TRUE(program.ticked("opt720(1)"));
    EXPECT_FALSE(program.ticked("opt720(4)"));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "SendMDN"), number(1));
    program.click("opt710(1)");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "SendReceiptToList"), number(1));
    EXPECT_TRUE(program.ticked("opt700(0)")) << "the groups of a page are apart";
    EXPECT_TRUE(program.ticked("opt720(1)"));
    program.click("chk701");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClientPolicy, "RequestMDNLocked"), "missing");
    pressSpace(program, "chk711");
    EXPECT_TRUE(program.ticked("chk711"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClientPolicy, "SendMDNLocked"), number(1));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "SendMDNLocked"), "missing");
    pressSpace(program, "chk711");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClientPolicy, "SendMDNLocked"), "missing");
}

TEST_F(SettingsWindow, LocksGreyOutTheirNeighboursAndTheIdentityButtonReloads) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";

    program.showPage(1);
    program.click("chk103");
    EXPECT_FALSE(enabled(program, "chk102"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "BlockExeAttachments"), number(1));
    program.showPage(2);
    pressSpace(program, "chk202");
    EXPECT_FALSE(enabled(program, "txt203"));
    EXPECT_FALSE(enabled(program, "cmd202"));
    program.click("chk202");
    EXPECT_TRUE(enabled(program, "txt203"));
    EXPECT_TRUE(enabled(program, "cmd202"));

    // B -> C -> A: each page shows the new identity's values.
    PostMessageA(program["cmdChangeIdentite"], BM_CLICK, 0, 0);
    ASSERT_TRUE(
        waitFor([&] { return program.text("lblChangeIdentite") == std::string(kC.userName) + " "; },
                30000));
    waitFor([&] { return program.text("txt800") == "99"; }, 10000);
    EXPECT_EQ(program.text("txt200"), "");
    EXPECT_TRUE(program.ticked("chk102"));
    EXPECT_TRUE(program.ticked("opt720(1)"));
    EXPECT_EQ(program.text("txt800"), "99");
    EXPECT_EQ(program.text("lbl800"),
              lng("Onglet0", "lbl800") + " 1 " + lng("Onglet0", "lbl800.1"));
    EXPECT_FALSE(enabled(program, "chk102")) << "the machine-wide lock still holds";

    PostMessageA(program["cmdChangeIdentite"], BM_CLICK, 0, 0);
    ASSERT_TRUE(
        waitFor([&] { return program.text("lblChangeIdentite") == std::string(kA.userName) + " "; },
                30000));
    waitFor([&] { return program.text("txt800") == "12"; }, 10000);
    EXPECT_EQ(program.text("txt200"), kA.windowTitle);
    EXPECT_TRUE(program.ticked("opt720(2)"));
    EXPECT_EQ(program.text("txt800"), "12");

    // Writes now go to A.
    program.click("chk200");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, identityKey(kA), "NoSplash"), number(1));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, identityKey(kB), "NoSplash"), "missing");
}

TEST_F(SettingsWindow, TheBrowseButtonFillsItsBoxAndStoresTheFile) {
    Win32ScratchFolder scratch;
    const std::string file = scratch.at("Carnet de B\xE9\x61trice.wab");
    HANDLE handle = CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(handle, INVALID_HANDLE_VALUE);
    CloseHandle(handle);

    RunningProgram program(scratch.path());
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(2);
    program.postClick("cmd202");
    HWND dialog = program.dialog(30000);
    ASSERT_NE(dialog, nullptr) << "no open-file dialog";
    EXPECT_EQ(textOf(dialog), lng("Onglet2", "ofd200"));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.main());
    // It opens in the program's current folder.
    const std::string folderName = scratch.path().substr(scratch.path().rfind('\\') + 1);
    EXPECT_EQ(textOf(GetDlgItem(dialog, 0x471)), folderName);

    // Cancelled first: nothing changes.
    press(dialog, IDCANCEL);
    ASSERT_TRUE(waitFor([&] { return program.noDialog(); }, 30000));
    EXPECT_EQ(program.text("txt203"), "");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabFileKey, ""), "missing");

    program.postClick("cmd202");
    dialog = program.dialog(30000);
    ASSERT_NE(dialog, nullptr);
    // The file name box: the edit inside the file name combo box (cmb13).
    HWND name = nullptr;
    EnumChildWindows(
        GetDlgItem(dialog, 0x47C),
        [](HWND child, LPARAM found) -> BOOL {
            if (classOf(child) != "Edit")
                return TRUE;
            *reinterpret_cast<HWND*>(found) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&name));
    ASSERT_NE(name, nullptr);
    SendMessageA(name, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    press(dialog, IDOK);
    ASSERT_TRUE(waitFor([&] { return program.text("txt203") == file; }, 30000))
        << "box shows \"" << program.text("txt203") << "\"";
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabFileKey, ""), "sz " + file);
}

} // namespace
