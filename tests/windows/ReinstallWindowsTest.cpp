// The reinstallation page's two windows in the running velmora.exe, as a
// user sees them: the kit search finds a kit planted on drive C and stops
// when asked; the pack download from 127.0.0.1 shows its progress, completes,
// and the unsigned pack it brought is refused.

#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"
#include "windows/WindowFinder.h"
#include "wine/LocalHttpServer.h"
#include "wine/KitFiles.h"
#include "wine/WineFolders.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <fstream>
#include <sstream>

using namespace velmora::testing;

namespace {

constexpr DWORD kLongMs = 300000;
const std::string kBrowser = "Software\\Microsoft\\Internet Explorer";

// The browser version the program detects, for the test's life.
class BrowserVersion {
public:
    explicit BrowserVersion(const std::string& version)
        : saved_(readValue(HKEY_LOCAL_MACHINE, kBrowser, "version")) {
        putText(HKEY_LOCAL_MACHINE, kBrowser, "version", version);
    }
    ~BrowserVersion() {
        if (saved_.first != 0)
            putValue(HKEY_LOCAL_MACHINE, kBrowser, "version", saved_.first, saved_.second);
    }

private:
    std::pair<DWORD, std::string> saved_;
};

void prepare() {
    seedProgram({{"{5E771E05-0000-4000-8000-0000000000A1}", "Andr\xE9"}},
                "{5E771E05-0000-4000-8000-0000000000A1}", languageName(firstLanguageFile()));
}

// An item of another process's list box: the system copies it across as
// wide characters, whatever the caller asks.
std::string itemText(HWND list, int index) {
    wchar_t text[MAX_PATH] = {};
    if (SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(index), 0) >= MAX_PATH)
        return "";
    SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text));
    char narrow[MAX_PATH] = {};
    WideCharToMultiByte(CP_ACP, 0, text, -1, narrow, sizeof narrow, nullptr, nullptr);
    return narrow;
}

TEST(ReinstallWindows, KitSearchFindsAPlantedKitAndStopsWhenAsked) {
    prepare();
    // A kit whose setup program carries the version record of 6.0 (which
    // versions count is the native tests' and the version reader's).
    const std::string tree = "C:\\VelmoraKitTest", kit = tree + "\\kit";
    for (const std::string& folder : {tree, kit})
        CreateDirectoryA(folder.c_str(), nullptr);
    CopyFileA(kitFile("kit_setup_60.exe").c_str(), (kit + "\\ie6setup.exe").c_str(), FALSE);
    for (const char* cabinet : {"\\mailnews.cab", "\\wab.cab"})
        writeFile(kit + cabinet, "MSCF");

    {
        RunningProgram program;
        program.showPage(6);
        program.postClick("cmd612");
        HWND window = program.form("frmBrowse");
        ASSERT_NE(window, nullptr);
        HWND list = findControl(window, "lBox641");
        ASSERT_TRUE(waitFor([&] { return SendMessageA(list, LB_GETCOUNT, 0, 0) > 0; }, kLongMs))
            << "the planted kit was not found";
        EXPECT_EQ(itemText(list, 0), kit);
        // The picture goes through the program's search icons while it runs.
        HWND picture = findControl(window, "pbox641");
        std::set<LRESULT> pictures;
        waitFor(
            [&] {
                pictures.insert(SendMessageA(picture, STM_GETICON, 0, 0));
                return pictures.size() >= 3;
            },
            5000);
        EXPECT_GE(pictures.size(), 3u);
        EXPECT_EQ(pictures.count(0), 0u) << "a search picture is missing";

        // Stop: the search ends at once and the button turns into Close.
        HWND stop = findControl(window, "cmd641");
        program.postClick(stop);
        const std::string close = languageText("Onglet6", "cmd633a");
        EXPECT_TRUE(waitFor([&] { return textOf(stop) == close; }, 20000));
        EXPECT_EQ(SendMessageA(list, LB_GETCOUNT, 0, 0), 1);
        EXPECT_FALSE(IsWindowVisible(findControl(window, "pBar641")));
        program.postClick(stop);
        EXPECT_TRUE(
            waitFor([&] { return !IsWindowVisible(window) && IsWindowVisible(program.main()); }));
    }
    for (const char* file : {"\\ie6setup.exe", "\\mailnews.cab", "\\wab.cab"})
        DeleteFileA((kit + file).c_str());
    for (const std::string& folder : {kit, tree})
        RemoveDirectoryA(folder.c_str());
}

TEST(ReinstallWindows, PackDownloadShowsProgressCompletesAndRefusesAnUnsignedPack) {
    prepare();
    BrowserVersion browser("6.0.2900.2180");
    const std::string pack = readAll(kitFile("kit_setup_none.exe"));
    ASSERT_GT(pack.size(), 1000u);
    LocalHttpServer server(pack);
    server.mode = LocalHttpServer::Mode::Slow;
    server.pause = 300;
    putText(HKEY_CURRENT_USER, kProgramKey, "PackSite", server.address());
    char temp[MAX_PATH + 1];
    const std::string target =
        std::string(temp, GetTempPathA(sizeof temp, temp)) + "Velmora_XPSP2\\Corvessa.exe";
    DeleteFileA(target.c_str());

    RunningProgram program;
    program.showPage(6);
    program.postClick("cmd613");
    HWND window = program.form("frmProgress");
    ASSERT_NE(window, nullptr);
    HWND bar = findControl(window, "pBar631");
    EXPECT_TRUE(waitFor(
        [&] {
            const LRESULT at = SendMessageA(bar, PBM_GETPOS, 0, 0);
            return at > 0 && at < 100;
        },
        60000))
        << "no progress shown while the pack arrives";
    // The icons the window shows while data arrives are the program's own.
    HMODULE exe = LoadLibraryExA((programFolder() + "\\velmora.exe").c_str(), nullptr,
                                 LOAD_LIBRARY_AS_DATAFILE);
    for (int icon = 101; icon <= 104; ++icon)
        EXPECT_NE(LoadImageA(exe, MAKEINTRESOURCEA(icon), IMAGE_ICON, 16, 16, LR_SHARED), nullptr)
            << "icon " << icon;
    FreeLibrary(exe);
    HWND run = findControl(window, "cmd631");
    ASSERT_TRUE(waitFor([&] { return IsWindowEnabled(run) != FALSE; }, 60000))
        << "the download did not complete";
    EXPECT_EQ(SendMessageA(bar, PBM_GETPOS, 0, 0), 100);
    EXPECT_EQ(textOf(findControl(window, "cmd633")), languageText("Onglet6", "cmd633a"));
    EXPECT_EQ(readAll(target), pack);
    EXPECT_EQ(server.requests, 1);

    program.postClick(run);
    HWND box = program.dialog();
    ASSERT_NE(box, nullptr) << "the unsigned pack was run without a word";
    EXPECT_NE(messageText(box).find(languageText("Onglet6", "msgbox632a")), std::string::npos)
        << messageText(box);
    press(box, IDOK);
    program.postClick(findControl(window, "cmd633"));
    EXPECT_TRUE(waitFor([&] { return IsWindowVisible(program.main()) != FALSE; }));
    DeleteFileA(target.c_str());
}

} // namespace
