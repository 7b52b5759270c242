// velmora.exe itself, started the way a user starts it and watched from the
// outside: its main window and the controls around the pages, the value
// start-up records, the three refusals to start without a usable language
// file, and the end of the process when the main window is closed.

#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <commctrl.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstddef>
#include <functional>
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

// The build machine's folder of velmora.exe; under Wine its root is drive Z:.
std::string distFolder() {
    std::string path = VELMORA_DIST_DIR;
    if (!path.empty() && path[0] == '/')
        path = "Z:" + path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

// ---------------------------------------------------------------- registry

void setString(const std::string& key, const std::string& name, const std::string& value) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
    RegCloseKey(handle);
}

void setDword(const std::string& key, const std::string& name, DWORD value) {
    HKEY handle;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(handle, name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                   sizeof value);
    RegCloseKey(handle);
}

// The REG_SZ value as stored, or "(missing)".
std::string readString(const std::string& key, const std::string& name) {
    char buffer[1024];
    DWORD type = 0, size = sizeof buffer - 1;
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS)
        return "(missing)";
    const LONG status = RegQueryValueExA(handle, name.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(handle);
    if (status != ERROR_SUCCESS || type != REG_SZ)
        return "(missing)";
    buffer[size] = '\0';
    return buffer;
}

void deleteValue(const std::string& key, const std::string& name) {
    HKEY handle;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key.c_str(), 0, KEY_SET_VALUE, &handle) == ERROR_SUCCESS) {
        RegDeleteValueA(handle, name.c_str());
        RegCloseKey(handle);
    }
}

struct Identity {
    const char* guid;
    const char* userName;
};
// Enumeration order is not promised, so only the last used one is checked.
const Identity kIdentities[] = {
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C01}", "Main Identity"},
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C02}", "Fran\xE7oise Dupr\xE9"},
    {"{6F1D2B30-4C5E-4A7B-9D8C-0E1F2A3B4C03}", "J\xE9r\xF4me"},
};
const Identity& kLastUsed = kIdentities[1];

// Three mail identities, the second one used last; the program key holds the
// language choice (or none) and no restore-point question.
void seedRegistry(const std::string& language) {
    SHDeleteKeyA(HKEY_CURRENT_USER, "Identities");
    for (const Identity& identity : kIdentities) {
        const std::string key = std::string("Identities\\") + identity.guid;
        setString(key, "UserName", identity.userName);
        setString(key, "User ID", identity.guid);
    }
    setString("Identities", "Last User ID", kLastUsed.guid);
    SHDeleteKeyA(HKEY_CURRENT_USER, kProgramKey.c_str());
    setDword(kProgramKey, "NoRestaure", 1);
    if (!language.empty()) {
        setString(kProgramKey, "Language", language);
        setDword(kProgramKey, "LanguageNum", 0);
    }
}

// ---------------------------------------------------------------- files

// The ordinary files of a folder, in the order the file system gives them.
std::vector<std::string> filesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
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

// "English.lng" -> "english": the form the program stores its choice in.
std::string languageName(std::string file) {
    CharLowerA(file.data());
    return file.substr(0, file.size() - 4);
}

// ---------------------------------------------------------------- the process

// velmora.exe started from its own folder; killed if a test leaves it running.
class StartedProgram {
public:
    explicit StartedProgram(const std::string& exe) {
        const std::string folder = exe.substr(0, exe.rfind('\\'));
        std::string command = "\"" + exe + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        started_ = CreateProcessA(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                  folder.c_str(), &startup, &info_) != FALSE;
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
    DWORD threadId() const { return info_.dwThreadId; }

    // Watches the process's top-level windows until `pick` takes one (answered),
    // the process ends or the time is up (null). Notes on the way whether the
    // main window was ever shown.
    HWND watchFor(const std::function<bool(HWND)>& pick, DWORD timeoutMs) {
        const DWORD start = GetTickCount();
        for (;;) {
            for (HWND window : topWindows()) {
                if (isMainWindow(window))
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

    static bool isMainWindow(HWND window) {
        return IsWindowVisible(window) && textOf(window) == "Velmora" &&
               classOf(window) != "#32770";
    }

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
    std::vector<HWND> topWindows() const {
        Walk walk{info_.dwProcessId, {}};
        EnumWindows(&visit, reinterpret_cast<LPARAM>(&walk));
        return walk.found;
    }

    PROCESS_INFORMATION info_{};
    bool started_ = false;
    bool mainWindowShown_ = false;
};

// TCITEMA as a 32-bit process lays it out, for reading a 32-bit program's
// tab control from a 64-bit test.
struct TabItem32 {
    UINT mask;
    DWORD state;
    DWORD stateMask;
    DWORD text;
    int textMax;
    int image;
    DWORD param;
};

// The captions of a tab control of another process: the item structure and
// its text buffer have to live in that process for TCM_GETITEM.
std::vector<std::string> tabCaptions(HWND tab) {
    std::vector<std::string> captions;
    DWORD processId = 0;
    GetWindowThreadProcessId(tab, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                     PROCESS_QUERY_INFORMATION,
                                 FALSE, processId);
    if (!process)
        return captions;
    BOOL targetIs32 = sizeof(void*) == 4;
    if (!targetIs32)
        IsWow64Process(process, &targetIs32);
    constexpr std::size_t kItemSize =
        sizeof(TCITEMA) > sizeof(TabItem32) ? sizeof(TCITEMA) : sizeof(TabItem32);
    constexpr std::size_t kTextMax = 512;
    auto* remote = static_cast<char*>(
        VirtualAllocEx(process, nullptr, kItemSize + kTextMax, MEM_COMMIT, PAGE_READWRITE));
    const auto count = static_cast<int>(SendMessageA(tab, TCM_GETITEMCOUNT, 0, 0));
    for (int i = 0; remote && i < count; ++i) {
        char* remoteText = remote + kItemSize;
        if (targetIs32) {
            TabItem32 item{};
            item.mask = TCIF_TEXT;
            item.text = static_cast<DWORD>(reinterpret_cast<ULONG_PTR>(remoteText));
            item.textMax = kTextMax;
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        } else {
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = remoteText;
            item.cchTextMax = kTextMax;
            WriteProcessMemory(process, remote, &item, sizeof item, nullptr);
        }
        char zero = 0;
        WriteProcessMemory(process, remoteText, &zero, 1, nullptr);
        SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(remote));
        char text[kTextMax + 1] = {};
        ReadProcessMemory(process, remoteText, text, kTextMax, nullptr);
        captions.push_back(text);
    }
    if (remote)
        VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return captions;
}

// The parts of a message box: its text, its icon and its push buttons.
struct MessageBoxParts {
    std::string text;
    bool icon = false;
    std::vector<HWND> buttons;
};

MessageBoxParts partsOf(HWND box) {
    MessageBoxParts parts;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        const std::string kind = classOf(child);
        const LONG_PTR style = GetWindowLongPtrA(child, GWL_STYLE);
        if (lstrcmpiA(kind.c_str(), "Static") == 0) {
            if ((style & SS_TYPEMASK) == SS_ICON)
                parts.icon = true;
            else if (!textOf(child).empty())
                parts.text = textOf(child);
        } else if (lstrcmpiA(kind.c_str(), "Button") == 0) {
            parts.buttons.push_back(child);
        }
    }
    return parts;
}

// ---------------------------------------------------------------- main window

class ProgramWindow : public ::testing::Test {
protected:
    void SetUp() override {
        languages = filesIn(distFolder() + "\\language");
        ASSERT_FALSE(languages.empty()) << "no language file in " << distFolder();
        // The first file listed is the one position 0 of the language list names.
        languageFile = distFolder() + "\\language\\" + languages.front();
        seedRegistry(languageName(languages.front()));
        deleteValue(kProgramKey, "Directory");
    }

    std::string lng(const std::string& section, const std::string& key) const {
        char buffer[255];
        const DWORD length = GetPrivateProfileStringA(section.c_str(), key.c_str(), "", buffer,
                                                      sizeof buffer, languageFile.c_str());
        return std::string(buffer, length);
    }

    std::vector<std::string> languages;
    std::string languageFile;
};

TEST_F(ProgramWindow, StartsOnTheLastIdentityWithItsPagesAndEndsWhenClosed) {
    StartedProgram program(distFolder() + "\\velmora.exe");
    ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();

    HWND main = program.watchFor(&StartedProgram::isMainWindow, kStartTimeoutMs);
    ASSERT_NE(main, nullptr) << "the window \"Velmora\" never showed";
    EXPECT_EQ(velmoraName(main), "frmPrincipal");

    // The eight pages, captioned from the chosen language file.
    HWND tabs = findControl(main, "SSTab1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(IsWindowVisible(tabs));
    std::vector<std::string> expected;
    for (int page = 0; page < 8; ++page) {
        const std::string title = lng("Onglet" + std::to_string(page), "Titre");
        EXPECT_FALSE(title.empty()) << "Onglet" << page << " has no Titre in " << languageFile;
        expected.push_back("  " + title);
    }
    EXPECT_EQ(tabCaptions(tabs), expected);

    // The controls around the pages.
    for (const char* name : {"cmdAbout", "cmdChangeIdentite", "lblChangeIdentite", "cmdFocus"}) {
        HWND control = findControl(main, name);
        ASSERT_NE(control, nullptr) << name;
        if (std::string(name) != "cmdFocus") {
            EXPECT_TRUE(IsWindowVisible(control)) << name << " is hidden";
        }
    }
    HWND passage = findControl(main, "lblPassage");
    ASSERT_NE(passage, nullptr);
    EXPECT_FALSE(IsWindowVisible(passage));

    // The identity the mail client used last, accented name and all, with one
    // trailing space; three identities make the change button useful.
    EXPECT_EQ(textOf(findControl(main, "lblChangeIdentite")),
              std::string(kLastUsed.userName) + " ");

    // Start-up ends by handing the focus to the focus holder.
    HWND focusHolder = findControl(main, "cmdFocus");
    HWND focused = nullptr;
    for (DWORD waited = 0; waited < 10000 && focused != focusHolder; waited += 50) {
        GUITHREADINFO gui{};
        gui.cbSize = sizeof gui;
        if (GetGUIThreadInfo(program.threadId(), &gui))
            focused = gui.hwndFocus;
        if (focused != focusHolder)
            Sleep(50);
    }
    EXPECT_EQ(focused, focusHolder) << "focus is on \"" << velmoraName(focused) << "\"";

    // The language folder, recorded at every start.
    EXPECT_EQ(readString(kProgramKey, "Directory"), distFolder() + "\\language\\");

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(program.watchUntilEnd(kEndTimeoutMs)) << "still running after WM_CLOSE";
}

// ---------------------------------------------------------------- fatal stops

// velmora.exe copied alone into a scratch folder whose language folder each
// test furnishes.
class FatalStop : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(CopyFileA((distFolder() + "\\velmora.exe").c_str(),
                              scratch.at("velmora.exe").c_str(), FALSE));
        englishFile = distFolder() + "\\language\\English.lng";
        ASSERT_NE(GetFileAttributesA(englishFile.c_str()), INVALID_FILE_ATTRIBUTES);
    }

    std::string languageFolder() const { return scratch.at("language"); }
    void makeLanguageFolder() const { CreateDirectoryA(languageFolder().c_str(), nullptr); }
    void writeFile(const std::string& name, const std::string& text) const {
        HANDLE file = CreateFileA((languageFolder() + "\\" + name).c_str(), GENERIC_WRITE, 0,
                                  nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << name;
        DWORD written = 0;
        WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
        CloseHandle(file);
    }

    // Starts the copy, expects the critical message box, answers OK and
    // expects the process to end without ever having shown its main window.
    void expectFatalStop(const std::string& title, const std::string& text) {
        StartedProgram program(scratch.at("velmora.exe"));
        ASSERT_TRUE(program.started()) << "CreateProcess failed: " << GetLastError();
        HWND box = program.watchFor(
            [](HWND w) { return IsWindowVisible(w) && classOf(w) == "#32770"; }, kStartTimeoutMs);
        ASSERT_NE(box, nullptr) << "no message box; running: " << program.running();

        EXPECT_EQ(textOf(box), title);
        const MessageBoxParts parts = partsOf(box);
        EXPECT_EQ(parts.text, text);
        EXPECT_TRUE(parts.icon) << "a critical message box shows its icon";
        ASSERT_EQ(parts.buttons.size(), 1u) << "OK only";
        EXPECT_FALSE(program.mainWindowShown());

        const int id = GetDlgCtrlID(parts.buttons.front());
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(parts.buttons.front()));
        EXPECT_TRUE(program.watchUntilEnd(kEndTimeoutMs)) << "still running after OK";
        EXPECT_FALSE(program.mainWindowShown()) << "the main window showed after a fatal stop";

        // The language folder is recorded before the checks that stop.
        EXPECT_EQ(readString(kProgramKey, "Directory"), scratch.path() + "\\language\\");
    }

    Win32ScratchFolder scratch;
    std::string englishFile;
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
    writeFile("readme.txt", "Language files go here.\r\n");
    seedRegistry("english");
    expectFatalStop(kCriticalTitle + "\"", kNoLngText);
}

TEST_F(FatalStop, RecordedLanguageFileMissingIsNamedAsRead) {
    makeLanguageFolder();
    ASSERT_TRUE(
        CopyFileA(englishFile.c_str(), (languageFolder() + "\\English.LNG").c_str(), FALSE));
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
