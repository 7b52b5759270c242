// velmora.exe itself, started the way a user starts it and watched from the
// outside: its main window and the controls around the pages, the value
// start-up records, the three refusals to start without a usable language
// file, and the end of the process when the main window is closed.

#include "windows/RunningProgram.h"
#include "windows/TestRegistry.h"
#include "windows/TabCaptions.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace velmora::testing;

namespace {

const std::string kProgramKey = "Software\\Velmora_XPSP2";
// 32-bit Wine can run emulated on some build machines: be patient.
constexpr DWORD kStartTimeoutMs = 300000;
constexpr DWORD kEndTimeoutMs = 120000;

const std::string kCriticalTitle = "Critical Error / Erreur critique";
const std::string kNoFileText =
    "Missing folder LANGUAGE or missing file *.LNG in the LANGUAGE folder. This Program cannot "
    "continue\r\n\r\nDossier LANGUAGE absent ou fichier *.LNG absent dans le dossier LANGUAGE. Ce "
    "programme ne peut pas continuer.";
const std::string kNoLngText = "No file *.LNG in the LANGUAGE folder. This Program cannot "
                               "continue\r\n\r\nAucun fichier *.LNG dans le dossier LANGUAGE. Ce "
                               "Programme ne peut pas continuer.";

// ---------------------------------------------------------------- registry

// A value of the program key as its type and stored bytes; type 0 when missing.
std::pair<DWORD, std::string> programValue(const std::string& name) {
    return readValue(HKEY_CURRENT_USER, kProgramKey, name);
}
std::pair<DWORD, std::string> storedText(const std::string& text) {
    return {REG_SZ, text + '\0'};
}

struct Identity {
    const char* guid;
    const char* userName;
};
const Identity kIdentities[] = {
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C01}", "Main Identity"},
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C02}", "Fran\xE7oise Dupr\xE9"},
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C03}", "J\xE9r\xF4me"},
};
const Identity& kLastUsed = kIdentities[1];

// Three mail identities, the second one used last; the program key holds the
// language choice (when given) and no restore-point question, no "Directory".
void seedRegistry(const std::string& language) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    for (const Identity& identity : kIdentities) {
        const std::string key = std::string("Identities\\") + identity.guid;
        putText(HKEY_CURRENT_USER, key, "UserName", identity.userName);
        putText(HKEY_CURRENT_USER, key, "User ID", identity.guid);
    }
    putText(HKEY_CURRENT_USER, "Identities", "Last User ID", kLastUsed.guid);
    SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
    putNumber(HKEY_CURRENT_USER, kProgramKey, "NoRestaure", 1);
    if (!language.empty()) {
        putText(HKEY_CURRENT_USER, kProgramKey, "Language", language);
        putNumber(HKEY_CURRENT_USER, kProgramKey, "LanguageNum", 0);
    }
}

// ---------------------------------------------------------------- the process

// A copy of velmora.exe started from its own folder and watched until a
// chosen window shows; killed if a test leaves it running.
class StartedProgram {
public:
    explicit StartedProgram(const std::string& exe) {
        started_ = startProgram(exe, exe.substr(0, exe.rfind('\\')), info_);
    }
    ~StartedProgram() {
        if (!started_)
            return;
        if (running()) {
            TerminateProcess(info_.hProcess, 1);
            WaitForSingleObject(info_.hProcess, kEndTimeoutMs);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    bool started() const { return started_; }
    bool running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

    // Watches the process's top-level windows until `pick` takes one (answered),
    // the process ends or the time is up (null), noting on the way whether
    // the main window ever showed.
    template <typename Pick> HWND watchFor(Pick pick, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        for (;;) {
            Walk walk{info_.dwProcessId, {}};
            EnumWindows(&visit, reinterpret_cast<LPARAM>(&walk));
            for (HWND window : walk.found) {
                if (IsWindowVisible(window) && velmoraName(window) == "frmPrincipal")
                    mainWindowShown_ = true;
                if (pick(window))
                    return window;
            }
            if (!running() || GetTickCount() - start >= timeoutMs)
                return nullptr;
            Sleep(50);
        }
    }
    // Waits for the process to end, still watching for the main window.
    bool watchUntilEnd(DWORD timeoutMs) {
        watchFor([](HWND) { return false; }, timeoutMs);
        return !running();
    }
    bool mainWindowShown() const { return mainWindowShown_; }

private:
    struct Walk {
        DWORD process;
        std::vector<HWND> found;
    };
    static BOOL CALLBACK visit(HWND window, LPARAM data) {
        auto& walk = *reinterpret_cast<Walk*>(data);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == walk.process)
            walk.found.push_back(window);
        return TRUE;
    }

    PROCESS_INFORMATION info_{};
    bool started_ = false;
    bool mainWindowShown_ = false;
};

// The visible push buttons of a dialog box, and whether it shows an icon.
std::vector<HWND> buttonsOf(HWND box) {
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && lstrcmpiA(classOf(child).c_str(), "Button") == 0)
            buttons.push_back(child);
    return buttons;
}
bool showsIcon(HWND box) {
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsWindowVisible(child) && lstrcmpiA(classOf(child).c_str(), "Static") == 0 &&
            (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return true;
    return false;
}

// ---------------------------------------------------------------- main window

TEST(ProgramWindow, StartsOnTheLastIdentityWithItsPagesAndEndsWhenClosed) {
    // Position 0 of the language list is the first file the folder lists.
    std::string language = firstLanguageFile();
    ASSERT_FALSE(language.empty()) << "no language file in " << programFolder();
    CharLowerA(language.data());
    seedRegistry(language.substr(0, language.size() - 4));

    RunningProgram program;
    HWND main = program.main();
    ASSERT_NE(main, nullptr) << "the main window never showed";
    EXPECT_EQ(textOf(main), "Velmora");

    // The eight pages, captioned from the chosen language file.
    HWND tabs = program["SSTab1"];
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(IsWindowVisible(tabs));
    std::vector<std::string> expected;
    for (int page = 0; page < 8; ++page) {
        const std::string title = languageText("Onglet" + std::to_string(page), "Titre");
        EXPECT_FALSE(title.empty()) << "Onglet" << page << " has no Titre";
        expected.push_back("  " + title);
    }
    EXPECT_EQ(tabCaptions(tabs), expected);

    // The controls around the pages; three identities make the change button
    // useful, and the label names the identity the mail client used last,
    // accented name and all, followed by one space.
    for (const char* name : {"cmdAbout", "cmdChangeIdentite", "lblChangeIdentite"})
        EXPECT_TRUE(program.shown(name)) << name << " is hidden";
    EXPECT_EQ(program.text("lblChangeIdentite"), std::string(kLastUsed.userName) + " ");
    HWND passage = program["lblPassage"];
    ASSERT_NE(passage, nullptr);
    EXPECT_FALSE(IsWindowVisible(passage));

    // Start-up ends by handing the focus to the focus holder.
    HWND focusHolder = program["cmdFocus"];
    ASSERT_NE(focusHolder, nullptr);
    HWND focused = nullptr;
    waitFor(
        [&] {
            GUITHREADINFO gui{};
            gui.cbSize = sizeof gui;
            if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui))
                focused = gui.hwndFocus;
            return focused == focusHolder;
        },
        10000);
    EXPECT_EQ(focused, focusHolder) << "focus is on \"" << velmoraName(focused) << "\"";

    // The language folder, recorded at every start.
    EXPECT_EQ(programValue("Directory"), storedText(programFolder() + "\\language\\"));

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !program.running(); }, kEndTimeoutMs))
        << "still running after WM_CLOSE";
}

// ---------------------------------------------------------------- fatal stops

// velmora.exe copied alone into a scratch folder whose language folder each
// test furnishes.
class FatalStop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((programFolder() + "\\velmora.exe").c_str(),
                              scratch.at("velmora.exe").c_str(), FALSE));
    }

    std::string languageFolder() const { return scratch.at("language"); }
    void makeLanguageFolder() const { CreateDirectoryA(languageFolder().c_str(), nullptr); }

    // Starts the copy, expects the critical message box, answers OK and
    // expects the process to end without ever having shown its main window.
    void expectFatalStop(const std::string& title, const std::string& text) {
        StartedProgram program(scratch.at("velmora.exe"));
        ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();
        HWND box = program.watchFor(
            [](HWND w) { return IsWindowVisible(w) && classOf(w) == "#32770"; }, kStartTimeoutMs);
        ASSERT_NE(box, nullptr) << "no message box; running: " << program.running();

        EXPECT_EQ(textOf(box), title);
        EXPECT_EQ(messageText(box), text);
        EXPECT_TRUE(showsIcon(box)) << "a critical message box shows its icon";
        const std::vector<HWND> buttons = buttonsOf(box);
        ASSERT_EQ(buttons.size(), 1u) << "OK only";
        EXPECT_FALSE(program.mainWindowShown());

        press(box, GetDlgCtrlID(buttons.front()));
        EXPECT_TRUE(program.watchUntilEnd(kEndTimeoutMs)) << "still running after OK";
        EXPECT_FALSE(program.mainWindowShown()) << "the main window showed after a fatal stop";

        // The language folder is recorded before the checks that stop.
        EXPECT_EQ(programValue("Directory"), storedText(scratch.path() + "\\language\\"));
    }

    Win32ScratchFolder scratch;
};

TEST_F(FatalStop, NoLanguageFolder) {
    seedRegistry("english");
    expectFatalStop(kCriticalTitle + "\"", kNoFileText);
}

TEST_F(FatalStop, LanguageFolderWithoutFilesOnlyAFolderNamedLikeOne) {
    makeLanguageFolder();
    CreateDirectoryA((languageFolder() + "\\English.lng").c_str(), nullptr);
    seedRegistry("english");
    expectFatalStop(kCriticalTitle + "\"", kNoFileText);
}

TEST_F(FatalStop, LanguageFolderWithOnlyAReadme) {
    makeLanguageFolder();
    HANDLE file = CreateFileA((languageFolder() + "\\readme.txt").c_str(), GENERIC_WRITE, 0,
                              nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, "Language files go here.\r\n", 25, &written, nullptr);
    CloseHandle(file);
    seedRegistry("english");
    expectFatalStop(kCriticalTitle + "\"", kNoLngText);
}

TEST_F(FatalStop, RecordedLanguageFileMissingIsNamedAsRead) {
    makeLanguageFolder();
    ASSERT_TRUE(CopyFileA((programFolder() + "\\language\\" + firstLanguageFile()).c_str(),
                          (languageFolder() + "\\English.LNG").c_str(), FALSE));
    // Named as stored: case kept, accents in the system code page.
    const std::string language = "Espa\xF1ol";
    seedRegistry(language);
    expectFatalStop(kCriticalTitle,
                    "Missing file  '" + language +
                        ".LNG'  in the LANGUAGE folder. This Program cannot continue\r\n\r\n"
                        "Fichier  '" +
                        language +
                        ".LNG'  absent dans le dossier LANGUAGE. Ce programme ne peut "
                        "pas continuer.");
}

} // namespace
