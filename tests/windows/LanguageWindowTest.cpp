// The language choice, the identity labels and the colour window with real
// windows: velmora.exe started as a user starts it and watched from outside
// (the first start's about window, a language switch re-captioning the main
// window at once, the identity button), and the colour window rendered in
// this process.

#include "core/Program.h"
#include "core/frmCouleur.h"
#include "core/frmPrincipal.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "ui/win32/Win32UiHost.h"
#include "windows/RunningProgram.h"
#include "windows/TestRegistry.h"
#include "windows/TabCaptions.h"
#include "windows/WindowFinder.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <vector>

using namespace velmora::testing;

namespace {

constexpr DWORD kStartTimeoutMs = 300000;
const char* const kProgramKey = "Software\\Velmora_XPSP2";

// ---------------------------------------------------------------- registry

// The type and bytes of a value of the program key; type 0 when missing.
std::pair<DWORD, std::string> programValue(const std::string& name) {
    return readValue(HKEY_CURRENT_USER, kProgramKey, name);
}

struct Identity {
    std::string guid;
    std::string name;
};

// The identities (enumerated in this order: their GUIDs sort so), the last
// one used, and the program key holding the language choice when given.
void seed(const std::vector<Identity>& identities, const std::string& lastUsed,
          const std::string& language, DWORD position) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    for (const Identity& identity : identities) {
        putText(HKEY_CURRENT_USER, "Identities\\" + identity.guid, "UserName", identity.name);
        putText(HKEY_CURRENT_USER, "Identities\\" + identity.guid, "User ID", identity.guid);
    }
    if (!lastUsed.empty())
        putText(HKEY_CURRENT_USER, "Identities", "Last User ID", lastUsed);
    SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey);
    putNumber(HKEY_CURRENT_USER, kProgramKey, "NoRestaure", 1);
    if (!language.empty()) {
        putText(HKEY_CURRENT_USER, kProgramKey, "Language", language);
        putNumber(HKEY_CURRENT_USER, kProgramKey, "LanguageNum", position);
    }
}

const std::vector<Identity> kThree = {
    {"{1D000001-0000-4000-8000-000000000001}", "Alice"},
    {"{1D000002-0000-4000-8000-000000000002}", "Fran\xE7oise"},
    {"{1D000003-0000-4000-8000-000000000003}", "J\xE9r\xF4me"},
};

// ---------------------------------------------------------------- language files

std::vector<std::string> languageFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((programFolder() + "\\language\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes &
              (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string lng(const std::string& file, const std::string& section, const std::string& key) {
    char buffer[255];
    const std::string path = programFolder() + "\\language\\" + file;
    const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                  sizeof buffer, path.c_str());
    return std::string(buffer, length);
}

// ---------------------------------------------------------------- from outside

// One tab's caption in another process.
std::string tabCaption(HWND tab, int index) {
    const std::vector<std::string> captions = tabCaptions(tab);
    return index < static_cast<int>(captions.size()) ? captions[static_cast<std::size_t>(index)]
                                                     : "(no tab " + std::to_string(index) + ")";
}

// velmora.exe started without waiting for its main window; ended if still
// running at the end.
class Started {
public:
    Started() {
        started_ = startProgram(programFolder() + "\\velmora.exe", programFolder(), info_);
    }
    ~Started() {
        if (!started_)
            return;
        if (HWND main = findForm("frmPrincipal", info_.dwProcessId))
            PostMessageA(main, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(info_.hProcess, 60000) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Started(const Started&) = delete;
    Started& operator=(const Started&) = delete;

    bool started() const { return started_; }
    // The first of the named windows to show, or null when none did in time.
    HWND firstShown(const std::vector<std::string>& forms, DWORD timeoutMs = kStartTimeoutMs) {
        HWND found = nullptr;
        waitFor(
            [&] {
                for (const std::string& form : forms) {
                    HWND window = findForm(form, info_.dwProcessId);
                    if (window && IsWindowVisible(window)) {
                        found = window;
                        return true;
                    }
                }
                return WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT;
            },
            timeoutMs);
        return found;
    }

private:
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

TEST(LanguageWindows, FirstStartShowsTheAboutWindowFirstAndRecordsTheLanguage) {
    const auto files = languageFiles();
    ASSERT_GE(files.size(), 2u) << "English.lng and Francais.lng are installed";
    seed(kThree, kThree[0].guid, "", 0);
    Started program;
    ASSERT_TRUE(program.started());

    HWND first = program.firstShown({"frmAbout", "frmPrincipal"});
    ASSERT_NE(first, nullptr) << "no window showed";
    ASSERT_EQ(velmoraName(first), "frmAbout") << "the main window came first";
    EXPECT_EQ(textOf(first), "\xC0 propos de Velmora");
    EXPECT_EQ(textOf(findControl(first, "lblVersion")), "Version 2.1.4");
    EXPECT_EQ(textOf(findControl(first, "lblTitle")), "Velmora");

    // The list offers every file; the second is chosen and recorded.
    HWND list = findControl(first, "cboLanguage");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(files.size()));
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(programValue("LanguageNum"),
              (std::pair<DWORD, std::string>{REG_DWORD, std::string("\x01\0\0\0", 4)}));
    std::string recorded = files[1];
    CharLowerA(recorded.data());
    recorded = recorded.substr(0, recorded.size() - 4);
    EXPECT_EQ(programValue("Language"), (std::pair<DWORD, std::string>{REG_SZ, recorded + '\0'}));
    EXPECT_EQ(textOf(findControl(first, "chkRestaur")), lng(files[1], "ABOUT", "chkRestaur"));

    // OK closes it and the start-up goes on in that language.
    HWND ok = findControl(first, "cmdOK");
    ASSERT_NE(ok, nullptr);
    PostMessageA(ok, BM_CLICK, 0, 0);
    HWND main = program.firstShown({"frmPrincipal"});
    ASSERT_NE(main, nullptr) << "the main window never showed after OK";
    EXPECT_EQ(tabCaption(findControl(main, "SSTab1"), 0), "  " + lng(files[1], "Onglet0", "Titre"));
}

TEST(LanguageWindows, ChoosingALanguageRecaptionsTheMainWindowAtOnce) {
    const auto files = languageFiles();
    ASSERT_GE(files.size(), 2u);
    std::string first = files[0];
    CharLowerA(first.data());
    seed(kThree, kThree[1].guid, first.substr(0, first.size() - 4), 0);
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the program did not start";
    HWND tabs = program["SSTab1"];
    EXPECT_EQ(tabCaption(tabs, 3), "  " + lng(files[0], "Onglet3", "Titre"));
    EXPECT_EQ(program.text("chk102"), lng(files[0], "Onglet1", "chk102"));
    EXPECT_TRUE(allTabsInView(tabs)) << "the tab strip scrolls";

    program.postClick("cmdAbout");
    HWND about = nullptr;
    ASSERT_TRUE(waitFor([&] {
        about = findForm("frmAbout", program.processId());
        return about && IsWindowVisible(about);
    })) << "the about window never showed";
    HWND list = findControl(about, "cboLanguage");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);

    // The user picks the second file: the selection changes, then the
    // list tells its window.
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    const std::string french = "  " + lng(files[1], "Onglet3", "Titre");
    EXPECT_TRUE(waitFor([&] { return tabCaption(tabs, 3) == french; })) << tabCaption(tabs, 3);
    for (int page = 0; page < 8; ++page)
        EXPECT_EQ(tabCaption(tabs, page),
                  "  " + lng(files[1], "Onglet" + std::to_string(page), "Titre"));
    EXPECT_EQ(program.text("chk102"), lng(files[1], "Onglet1", "chk102"));
    EXPECT_TRUE(allTabsInView(tabs)) << "the tab strip scrolls";
    EXPECT_EQ(program.text("lbl601"), lng(files[1], "Onglet6", "lbl601"));
    EXPECT_EQ(textOf(findControl(about, "chkRestaur")), lng(files[1], "ABOUT", "chkRestaur"));
    std::string recorded = files[1];
    CharLowerA(recorded.data());
    EXPECT_EQ(programValue("Language").second, recorded.substr(0, recorded.size() - 4) + '\0');
    EXPECT_EQ(programValue("LanguageNum").second, std::string("\x01\0\0\0", 4));

    PostMessageA(findControl(about, "cmdOK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(about); }));
}

TEST(LanguageWindows, TheIdentityLabelsFollowTheChangeButton) {
    seed(kThree, kThree[1].guid, "english", 0);
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr);
    EXPECT_TRUE(program.shown("cmdChangeIdentite"));
    const int order[] = {1, 2, 0, 1};
    for (int step = 0; step < 4; ++step) {
        const Identity& expected = kThree[static_cast<std::size_t>(order[step])];
        if (step > 0)
            program.click("cmdChangeIdentite");
        EXPECT_TRUE(waitFor([&] {
            return program.text("lblChangeIdentite") == expected.name + " ";
        })) << step
            << ": " << program.text("lblChangeIdentite");
        EXPECT_EQ(program.text("lbl621"), expected.name + " ") << step;
        EXPECT_EQ(program.text("txt620"), expected.guid) << step;
    }
}

TEST(LanguageWindows, OneIdentityHidesTheButtonNoneSaysSo) {
    {
        seed({kThree[2]}, kThree[2].guid, "english", 0);
        RunningProgram program;
        ASSERT_NE(program.main(), nullptr);
        EXPECT_FALSE(program.shown("cmdChangeIdentite"));
        EXPECT_EQ(program.text("lblChangeIdentite"), kThree[2].name + " ");
    }
    {
        seed({}, "", "english", 0);
        RunningProgram program;
        ASSERT_NE(program.main(), nullptr);
        const std::string none = lng("English.lng", "Xtra", "NoIdentity");
        ASSERT_FALSE(none.empty());
        EXPECT_EQ(program.text("lblChangeIdentite"), none + " ");
        EXPECT_EQ(program.text("lbl621"), none + " ");
        EXPECT_EQ(program.text("txt620"), "");
        EXPECT_TRUE(program.shown("cmdChangeIdentite"));
        EXPECT_FALSE(IsWindowEnabled(program["cmdChangeIdentite"]));
        // Nothing was written for an identity.
        HKEY identities = nullptr;
        EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Identities", 0, KEY_READ, &identities),
                  ERROR_SUCCESS);
        if (identities)
            RegCloseKey(identities);
    }
}

// ---------------------------------------------------------------- colour window

TEST(LanguageWindows, TheColourWindowsButtonsShowTheirColours) {
    using namespace velmora;
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32ProfileStrings profile;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Dialogs dialogs;
    platform::win32::Win32SystemInfo system;
    ui::win32::Win32UiHost host(GetModuleHandleA(nullptr));
    Program program({registry, files, profile, shell, dialogs, system, host});

    ui::Form& colours = program.form(kColourWindow);
    colours.Show(false);
    HWND window = findForm("frmCouleur");
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(textOf(window), "Choisissez parmi une de ces couleurs");
    host.doEvents();
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);

    HWND hidden = findControl(window, "cmdCoul(0)");
    ASSERT_NE(hidden, nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden));
    RECT white{}, black{}, last{};
    for (int element = 1; element <= 16; ++element) {
        const std::string name = "cmdCoul(" + std::to_string(element) + ")";
        HWND button = findControl(window, name);
        ASSERT_NE(button, nullptr) << name;
        EXPECT_TRUE(IsWindowVisible(button)) << name;
        RECT r;
        GetClientRect(button, &r);
        EXPECT_EQ(r.right, r.bottom) << name << " is square";
        HDC dc = GetDC(button);
        EXPECT_EQ(GetPixel(dc, r.right / 2, r.bottom / 2),
                  static_cast<COLORREF>(ColourOfIndex(program, element)))
            << name;
        ReleaseDC(button, dc);
        if (element == 16)
            white = rectInParent(button);
        if (element == 1)
            black = rectInParent(button);
        if (element == 15)
            last = rectInParent(button);
    }
    // White leads the first row, black follows it; 15 ends the second row.
    EXPECT_EQ(white.top, black.top);
    EXPECT_LT(white.left, black.left);
    EXPECT_GT(last.top, white.top);
    EXPECT_GT(last.left, black.left);

    // A click hands the number to the main window's hand-over label.
    PostMessageA(findControl(window, "cmdCoul(16)"), BM_CLICK, 0, 0);
    EXPECT_TRUE(pumpUntil([&] { return !colours.isLoaded(); }, 10000, [&] { host.doEvents(); }));
    EXPECT_EQ(program.principal().control("lblPassage").caption(), "16");
    EXPECT_FALSE(colours.isLoaded());
}

} // namespace
