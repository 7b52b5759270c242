// The settings pages of the running velmora.exe, driven from outside as a
// user drives them: on a prepared set-up of three identities, the pages show
// the current identity's values; clicks, the space bar and typing store what
// each control stands for in the real registry; locks grey out their
// neighbours; the identity button reloads every page; a browse button's
// dialog fills its box and stores the file.

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

// 32-bit Wine can run emulated on some build machines: be patient.
constexpr DWORD kStartTimeoutMs = 300000;

const std::string kProgramKey = "Software\\Velmora_XPSP2";
const std::string kMachineClient = "Software\\Microsoft\\Outlook Express";
const std::string kClientPolicy = "SOFTWARE\\Policies\\Microsoft\\Outlook Express";
const std::string kWabFileKey = "Software\\Microsoft\\WAB\\WAB4\\Wab File Name";
const std::string kWabKey = "Software\\Microsoft\\WAB\\WAB4";
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

void put(HKEY root, const std::string& key, const std::string& name, DWORD type,
         const std::string& bytes) {
    HKEY handle;
    ASSERT_EQ(
        RegCreateKeyExA(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &handle, nullptr),
        ERROR_SUCCESS)
        << key;
    RegSetValueExA(handle, name.c_str(), 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                   static_cast<DWORD>(bytes.size()));
    RegCloseKey(handle);
}
void putText(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    put(root, key, name, REG_SZ, std::string(text.c_str(), text.size() + 1));
}
void putNumber(HKEY root, const std::string& key, const std::string& name, DWORD number) {
    put(root, key, name, REG_DWORD, std::string(reinterpret_cast<const char*>(&number), 4));
}

// A value as stored: "dword N", "sz TEXT", or "missing".
std::string stored(HKEY root, const std::string& key, const std::string& name) {
    char data[2048];
    DWORD type = 0, size = sizeof data;
    if (SHGetValueA(root, key.c_str(), name.c_str(), &type, data, &size) != ERROR_SUCCESS)
        return "missing";
    if (type == REG_DWORD && size == 4) {
        DWORD number;
        CopyMemory(&number, data, 4);
        return "dword " + std::to_string(number);
    }
    if (type == REG_SZ && size > 0)
        return "sz " + std::string(data, size - 1);
    return "type " + std::to_string(type);
}

// The program's folder on the build machine; under Wine drive Z: is its root.
std::string programFolder() {
    std::string path = std::string("Z:") + VELMORA_DIST_DIR;
    std::replace(path.begin(), path.end(), '/', '\\');
    return path;
}

std::string firstLanguageFile() {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((programFolder() + "\\language\\*.lng").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return {};
    FindClose(search);
    return found.cFileName;
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

    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kMachineClient.c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kClientPolicy.c_str());
    SHDeleteKeyA(HKEY_CURRENT_USER, kWabKey.c_str());
    putNumber(HKEY_LOCAL_MACHINE, kMachineClient, "Hide Messenger", 2);
    putNumber(HKEY_LOCAL_MACHINE, kClientPolicy, "RequestMDNLocked", 1);
    putText(HKEY_LOCAL_MACHINE, kInternetSettings, "MinorVersion", ";SP2;");
}

// ---------------------------------------------------------------- the program

class RunningProgram {
public:
    // Started with `folder` as its current folder (its own folder if empty).
    explicit RunningProgram(const std::string& folder = {}) {
        const std::string exe = programFolder() + "\\velmora.exe";
        std::string command = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                            (folder.empty() ? programFolder() : folder).c_str(), &startup,
                            &process_))
            return;
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < kStartTimeoutMs &&
               WaitForSingleObject(process_.hProcess, 100) == WAIT_TIMEOUT) {
            HWND form = findForm("frmPrincipal", process_.dwProcessId);
            if (form && IsWindowVisible(form)) {
                main_ = form;
                break;
            }
        }
    }
    ~RunningProgram() {
        if (!process_.hProcess)
            return;
        if (main_)
            PostMessageA(main_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 60000) == WAIT_TIMEOUT) {
            TerminateProcess(process_.hProcess, 1);
            WaitForSingleObject(process_.hProcess, 60000);
        }
        CloseHandle(process_.hThread);
        CloseHandle(process_.hProcess);
    }
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    HWND main() const { return main_; }
    DWORD processId() const { return process_.dwProcessId; }
    HWND operator[](const std::string& name) const {
        HWND control = main_ ? findControl(main_, name) : nullptr;
        EXPECT_NE(control, nullptr) << "no control " << name;
        return control;
    }

    // A left click in the middle of the control, handled before this returns.
    void click(const std::string& name) const {
        HWND control = (*this)[name];
        RECT r;
        GetClientRect(control, &r);
        const LPARAM at = MAKELPARAM((r.right - r.left) / 2, (r.bottom - r.top) / 2);
        SendMessageA(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(control, WM_LBUTTONUP, 0, at);
    }
    // The space bar on a check box or button.
    void pressSpace(const std::string& name) const {
        HWND control = (*this)[name];
        SendMessageA(control, WM_KEYDOWN, VK_SPACE, 0x00390001);
        SendMessageA(control, WM_KEYUP, VK_SPACE, 0xC0390001);
    }
    void pressKey(const std::string& name, WPARAM key) const {
        SendMessageA((*this)[name], WM_KEYDOWN, key, 1);
        SendMessageA((*this)[name], WM_KEYUP, key, 0xC0000001);
    }
    // Text typed into a box, as the edit control reports a change.
    void type(const std::string& name, const std::string& text) const {
        SendMessageA((*this)[name], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    // Shows a page as the arrow keys on the tab strip do (a notification
    // cannot be sent from another process, a key can).
    void showPage(int page) const {
        HWND tabs = (*this)["SSTab1"];
        const bool last = page + 1 == static_cast<int>(SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0));
        SendMessageA(tabs, TCM_SETCURSEL, static_cast<WPARAM>(last ? page - 1 : page + 1), 0);
        pressKey("SSTab1", last ? VK_RIGHT : VK_LEFT);
    }
    bool ticked(const std::string& name) const {
        return SendMessageA((*this)[name], BM_GETCHECK, 0, 0) == BST_CHECKED;
    }
    int checkState(const std::string& name) const {
        return static_cast<int>(SendMessageA((*this)[name], BM_GETCHECK, 0, 0));
    }
    bool enabled(const std::string& name) const { return IsWindowEnabled((*this)[name]) != 0; }
    std::string text(const std::string& name) const { return textOf((*this)[name]); }

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
};

class SettingsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        languageFile = firstLanguageFile();
        ASSERT_FALSE(languageFile.empty()) << "no language file in " << programFolder();
        prepare(languageFile);
    }

    std::string lng(const char* section, const char* key) const {
        char buffer[255];
        const std::string file = programFolder() + "\\language\\" + languageFile;
        const DWORD length =
            GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, file.c_str());
        return std::string(buffer, length);
    }

    std::string languageFile;
};

// The visible dialog box of the process, or null.
HWND findDialog(DWORD processId) {
    struct Search {
        DWORD processId;
        HWND found;
    } search{processId, nullptr};
    EnumWindows(
        [](HWND window, LPARAM data) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(data);
            DWORD owner = 0;
            GetWindowThreadProcessId(window, &owner);
            if (owner != s.processId || !IsWindowVisible(window) || classOf(window) != "#32770")
                return TRUE;
            s.found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

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
    EXPECT_EQ(program.checkState("chk001"), BST_INDETERMINATE);
    EXPECT_TRUE(program.ticked("opt700(0)"));
    EXPECT_EQ(program.text("txt800"), "140");
    EXPECT_EQ(program.text("lbl800"), lng("Onglet0", "lbl800.2"));
    EXPECT_TRUE(program.enabled("txt800")) << "Service Pack 2";
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
    program.type("txt800", "58");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Compact Check Count"), number(58));
    EXPECT_EQ(program.text("lbl800"),
              lng("Onglet0", "lbl800") + " 42 " + lng("Onglet0", "lbl800.1"));
    program.type("txt800", "99999999999");
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
    program.pressSpace("chk120");
    EXPECT_TRUE(program.ticked("chk120"));
    EXPECT_EQ(stored(HKEY_CURRENT_USER,
                     "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities",
                     "Locked Down"),
              number(1));
    program.click("opt100(4)");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Email Security Zone"), number(4));

    // Preferences: an inverted identity box, the list from the keyboard, the
    // text boxes when they are left.
    program.showPage(2);
    ASSERT_TRUE(IsWindowVisible(program["chk201"])) << "page 2 is not shown";
    program.click("chk201");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "ShowStatus"), number(1)) << "cleared: status shown";
    program.pressKey("cbo200", VK_DOWN);
    EXPECT_EQ(SendMessageA(program["cbo200"], CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "Contact Pane Sorting"), number(0));
    program.click("txt200");
    program.type("txt200", "Courrier de B\xE9\x61trice");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "WindowTitle"), "sz " + std::string(kB.windowTitle));
    program.click("txt201");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "WindowTitle"), "sz Courrier de B\xE9\x61trice");
    program.type("txt201", "");
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
    program.pressSpace("chk711");
    EXPECT_TRUE(program.ticked("chk711"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClientPolicy, "SendMDNLocked"), number(1));
    EXPECT_EQ(stored(HKEY_CURRENT_USER, b, "SendMDNLocked"), "missing");
    program.pressSpace("chk711");
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kClientPolicy, "SendMDNLocked"), "missing");
}

TEST_F(SettingsWindow, LocksGreyOutTheirNeighboursAndTheIdentityButtonReloads) {
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";

    program.showPage(1);
    program.click("chk103");
    EXPECT_FALSE(program.enabled("chk102"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "BlockExeAttachments"), number(1));
    program.showPage(2);
    program.pressSpace("chk202");
    EXPECT_FALSE(program.enabled("txt203"));
    EXPECT_FALSE(program.enabled("cmd202"));
    program.click("chk202");
    EXPECT_TRUE(program.enabled("txt203"));
    EXPECT_TRUE(program.enabled("cmd202"));

    // B -> C -> A: each page shows the new identity's values.
    PostMessageA(program["cmdChangeIdentite"], BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil(
        [&] { return program.text("lblChangeIdentite") == std::string(kC.userName) + " "; },
        30000));
    pumpUntil([&] { return program.text("txt800") == "99"; }, 10000);
    EXPECT_EQ(program.text("txt200"), "");
    EXPECT_TRUE(program.ticked("chk102"));
    EXPECT_TRUE(program.ticked("opt720(1)"));
    EXPECT_EQ(program.text("txt800"), "99");
    EXPECT_EQ(program.text("lbl800"),
              lng("Onglet0", "lbl800") + " 1 " + lng("Onglet0", "lbl800.1"));
    EXPECT_FALSE(program.enabled("chk102")) << "the machine-wide lock still holds";

    PostMessageA(program["cmdChangeIdentite"], BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil(
        [&] { return program.text("lblChangeIdentite") == std::string(kA.userName) + " "; },
        30000));
    pumpUntil([&] { return program.text("txt800") == "12"; }, 10000);
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
    PostMessageA(program["cmd202"], BM_CLICK, 0, 0);
    HWND dialog = nullptr;
    ASSERT_TRUE(pumpUntil(
        [&] {
            dialog = findDialog(program.processId());
            return dialog != nullptr;
        },
        30000))
        << "no open-file dialog";
    EXPECT_EQ(textOf(dialog), lng("Onglet2", "ofd200"));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.main());
    // It opens in the program's current folder.
    const std::string folderName = scratch.path().substr(scratch.path().rfind('\\') + 1);
    EXPECT_EQ(textOf(GetDlgItem(dialog, 0x471)), folderName);

    // Cancelled first: nothing changes.
    PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(pumpUntil([&] { return findDialog(program.processId()) == nullptr; }, 30000));
    EXPECT_EQ(program.text("txt203"), "");
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabFileKey, ""), "missing");

    PostMessageA(program["cmd202"], BM_CLICK, 0, 0);
    ASSERT_TRUE(pumpUntil(
        [&] {
            dialog = findDialog(program.processId());
            return dialog != nullptr;
        },
        30000));
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
    PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(pumpUntil([&] { return program.text("txt203") == file; }, 30000))
        << "box shows \"" << program.text("txt203") << "\"";
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabFileKey, ""), "sz " + file);
}

} // namespace
