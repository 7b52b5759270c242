// velmora.exe itself, started the way a user starts it and driven from the
// outside: the main window on the last identity, the identity button, the
// settings pages storing what each control stands for in the real registry,
// a browse button's real dialog, the language choice, and the refusals to
// start without a usable language file.

#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"
#include "windows/TabCaptions.h"
#include "windows/WindowFinder.h"
#include "wine/WineFolders.h"

#include <algorithm>
#include <functional>

using namespace velmora::testing;

namespace {

constexpr DWORD kEndTimeoutMs = 120000;

const std::string kMachineClient = "Software\\Microsoft\\Outlook Express";
const std::string kClientPolicy = "SOFTWARE\\Policies\\Microsoft\\Outlook Express";
const std::string kWabKey = "Software\\Microsoft\\WAB\\WAB4";
const std::string kIdentitiesPolicy =
    "Software\\Policies\\Microsoft\\Windows\\CurrentVersion\\Identities";

// Three identities with settings of their own (enumerated in this order: the
// registry sorts the names); B was used last.
struct Settings {
    Identity identity;
    std::string windowTitle;
    DWORD safeAttachmentsLocked, sendMdn /* the option of opt720 */, closings;
};
const Settings kA{
    {"{5E771E05-0000-4000-8000-0000000000A1}", "Andr\xE9"}, "Bo\xEEte d'Andr\xE9", 1, 2, 12};
const Settings kB{
    {"{5E771E05-0000-4000-8000-0000000000B2}", "B\xE9\x61trice"}, "Courrier B", 0, 4, 140};
const Settings kC{{"{5E771E05-0000-4000-8000-0000000000C3}", "C\xE9line"}, "", 1, 1, 99};

std::string identityKey(const Settings& s) {
    return "Identities\\" + s.identity.guid + "\\Software\\Microsoft\\Outlook Express\\5.0";
}

void prepare() {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({kA.identity, kB.identity, kC.identity}, kB.identity.guid,
                languageName(firstLanguageFile()));
    for (const Settings* s : {&kA, &kB, &kC}) {
        if (!s->windowTitle.empty())
            putText(HKEY_CURRENT_USER, identityKey(*s), "WindowTitle", s->windowTitle);
        putNumber(HKEY_CURRENT_USER, identityKey(*s) + "\\Mail", "Safe Attachments Locked",
                  s->safeAttachmentsLocked);
        putNumber(HKEY_CURRENT_USER, identityKey(*s), "SendMDN", s->sendMdn);
        putNumber(HKEY_CURRENT_USER, identityKey(*s), "Compact Check Count", s->closings);
    }
    for (const std::string& key : {kMachineClient, kClientPolicy})
        deleteKey(HKEY_LOCAL_MACHINE, key);
    for (const std::string& key : {kWabKey, kIdentitiesPolicy})
        deleteKey(HKEY_CURRENT_USER, key);
    putNumber(HKEY_LOCAL_MACHINE, kMachineClient, "Hide Messenger", 2);
    putNumber(HKEY_LOCAL_MACHINE, kClientPolicy, "RequestMDNLocked", 1);
    putText(HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Internet Settings",
            "MinorVersion", ";SP2;");
}

bool enabled(const RunningProgram& program, const std::string& name) {
    return IsWindowEnabled(program[name]) != FALSE;
}
void key(const RunningProgram& program, const std::string& name, WPARAM vk, LPARAM scan = 0) {
    SendMessageA(program[name], WM_KEYDOWN, vk, scan | 1);
    SendMessageA(program[name], WM_KEYUP, vk, scan | 0xC0000001);
}
void space(const RunningProgram& program, const std::string& name) {
    key(program, name, VK_SPACE, 0x00390000);
}
// Text typed into a box, as the edit control reports a change.
void type(const RunningProgram& program, const std::string& name, const std::string& text) {
    SendMessageA(program[name], WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}
std::string closingsLeft(DWORD closings) {
    return closings >= 100
               ? languageText("Onglet0", "lbl800.2")
               : languageText("Onglet0", "lbl800") + " " + std::to_string(100 - closings) + " " +
                     languageText("Onglet0", "lbl800.1");
}

// ---------------------------------------------------------------- main window

TEST(ProgramWindow, StartsOnTheLastIdentityAndTheIdentityButtonReloadsEveryPage) {
    prepare();
    RunningProgram program;
    HWND main = program.main();
    ASSERT_NE(main, nullptr) << "the main window never showed";
    EXPECT_EQ(textOf(main), "Velmora");
    for (const char* name : {"cmdAbout", "cmdChangeIdentite", "lblChangeIdentite"})
        EXPECT_TRUE(program.shown(name)) << name << " is hidden";
    EXPECT_FALSE(program.shown("lblPassage"));
    // Start-up ends by handing the focus to the focus holder.
    HWND focused = nullptr;
    waitFor(
        [&] {
            GUITHREADINFO gui{sizeof gui};
            if (GetGUIThreadInfo(GetWindowThreadProcessId(main, nullptr), &gui))
                focused = gui.hwndFocus;
            return focused == program["cmdFocus"];
        },
        10000);
    EXPECT_EQ(focused, program["cmdFocus"]) << "focus is on \"" << velmoraName(focused) << "\"";

    // Locks grey out their neighbours, and free them again.
    program.showPage(1);
    program.click("chk103");
    EXPECT_FALSE(enabled(program, "chk102"));
    EXPECT_EQ(stored(HKEY_LOCAL_MACHINE, kMachineClient, "BlockExeAttachments"), number(1));
    program.showPage(2);
    space(program, "chk202");
    EXPECT_FALSE(enabled(program, "txt203"));
    EXPECT_FALSE(enabled(program, "cmd202"));
    program.click("chk202");
    EXPECT_TRUE(enabled(program, "txt203"));
    EXPECT_TRUE(enabled(program, "cmd202"));

    // B, then C, A and B again: the labels name the identity (accents and
    // all, one space after), and every page shows its values.
    const Settings* const order[] = {&kB, &kC, &kA, &kB};
    for (std::size_t step = 0; step < std::size(order); ++step) {
        const Settings* s = order[step];
        if (step > 0)
            PostMessageA(program["cmdChangeIdentite"], BM_CLICK, 0, 0);
        const std::string label = s->identity.name + " ", count = std::to_string(s->closings);
        ASSERT_TRUE(waitFor([&] { return program.text("lblChangeIdentite") == label; }, 30000))
            << program.text("lblChangeIdentite");
        EXPECT_TRUE(waitFor([&] { return program.text("txt800") == count; }, 10000)) << label;
        EXPECT_EQ(program.text("txt200"), s->windowTitle);
        EXPECT_EQ(program.ticked("chk102"), s->safeAttachmentsLocked == 1) << label;
        EXPECT_TRUE(program.ticked("opt720(" + std::to_string(s->sendMdn) + ")")) << label;
        EXPECT_EQ(program.text("lbl800"), closingsLeft(s->closings));
        EXPECT_FALSE(enabled(program, "chk102")) << "the machine-wide lock still holds";
        if (s == &kA) { // writes now go to A
            program.click("chk200");
            EXPECT_EQ(stored(HKEY_CURRENT_USER, identityKey(kA), "NoSplash"), number(1));
            EXPECT_EQ(stored(HKEY_CURRENT_USER, identityKey(kB), "NoSplash"), "missing");
        }
    }

    PostMessageA(main, WM_CLOSE, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !program.running(); }, kEndTimeoutMs))
        << "still running after WM_CLOSE";
}

// ---------------------------------------------------------------- settings pages

enum Action { Click, Space, Type, Down };
struct Step {
    int page;
    Action action;
    const char* control;
    std::string text; // typed
    HKEY root = nullptr;
    std::string key;
    std::string value;
    std::string expected; // as stored() shows it, after the action
};

TEST(SettingsWindow, MouseKeysAndTypingStoreWhatEachControlStandsFor) {
    prepare();
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    const std::string b = identityKey(kB);

    const HKEY cu = HKEY_CURRENT_USER, lm = HKEY_LOCAL_MACHINE;
    const Step steps[] = {
        // One of each kind of control and input on the real windows; what
        // every control state stores is the native catalogue's.
        {0, Click, "chk000", "", lm, kMachineClient, "HTTP Mail Enabled", number(1)},
        {0, Type, "txt800", "58", cu, b, "Compact Check Count", number(58)},
        {1, Space, "chk120", "", cu, kIdentitiesPolicy, "Locked Down", number(1)},
        {1, Click, "opt100(4)", "", cu, b, "Email Security Zone", number(4)},
        {2, Down, "cbo200", "", cu, b, "Contact Pane Sorting", number(0)},
        {2, Click, "txt200"},
        {2, Type, "txt200", "Courrier de B\xE9\x61trice", cu, b, "WindowTitle", "sz Courrier B"},
        // A text box is stored when it is left; option groups of a page apart.
        {2, Click, "txt201", "", cu, b, "WindowTitle", "sz Courrier de B\xE9\x61trice"},
        {7, Click, "opt720(1)", "", cu, b, "SendMDN", number(1)},
        {7, Click, "opt710(1)", "", cu, b, "SendReceiptToList", number(1)},
    };
    int page = -1;
    for (const Step& step : steps) {
        if (step.page != page) {
            program.showPage(page = step.page);
            ASSERT_TRUE(program.shown(step.control)) << "page " << page << " is not shown";
        }
        if (step.action == Click)
            program.click(step.control);
        else if (step.action == Space)
            space(program, step.control);
        else if (step.action == Down)
            key(program, step.control, VK_DOWN);
        else
            type(program, step.control, step.text);
        if (step.root) {
            EXPECT_EQ(stored(step.root, step.key, step.value), step.expected) << step.control;
        }
    }
    // What the windows show afterwards.
    EXPECT_FALSE(program.ticked("chk000"));
    EXPECT_TRUE(program.ticked("chk120"));
    EXPECT_EQ(program.text("lbl800"), closingsLeft(58));
    EXPECT_EQ(SendMessageA(program["cbo200"], CB_GETCURSEL, 0, 0), 0);
    EXPECT_TRUE(program.ticked("opt720(1)"));
    EXPECT_FALSE(program.ticked("opt720(4)"));
    EXPECT_TRUE(program.ticked("opt700(0)")) << "the groups of a page are apart";
}

TEST(SettingsWindow, TheBrowseButtonFillsItsBoxAndStoresTheFile) {
    prepare();
    Win32ScratchFolder scratch;
    const std::string file = scratch.at("Carnet de B\xE9\x61trice.wab");
    writeFile(file, "");
    RunningProgram program(scratch.path());
    ASSERT_NE(program.main(), nullptr) << "the main window never showed";
    program.showPage(2);
    for (int button : {IDCANCEL, IDOK}) {
        program.postClick("cmd202");
        HWND dialog = program.dialog(30000);
        ASSERT_NE(dialog, nullptr) << "no open-file dialog";
        EXPECT_EQ(textOf(dialog), languageText("Onglet2", "ofd200"));
        EXPECT_EQ(GetWindow(dialog, GW_OWNER), program.main());
        // It opens in the program's current folder.
        EXPECT_EQ(textOf(GetDlgItem(dialog, cmb2)),
                  scratch.path().substr(scratch.path().rfind('\\') + 1));
        if (button == IDOK)
            typeFileName(dialog, file);
        press(dialog, button);
        ASSERT_TRUE(waitFor([&] { return program.noDialog(); }, 30000));
        if (button == IDCANCEL) { // nothing changes
            EXPECT_EQ(program.text("txt203"), "");
            EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabKey + "\\Wab File Name", ""), "missing");
        }
    }
    ASSERT_TRUE(waitFor([&] { return program.text("txt203") == file; }, 30000))
        << "box shows \"" << program.text("txt203") << "\"";
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kWabKey + "\\Wab File Name", ""), "sz " + file);
}

// ---------------------------------------------------------------- language choice

// The first visible window of a program that is one of these forms.
std::function<bool(HWND)> formIn(std::vector<std::string> names) {
    return [names](HWND window) {
        return std::find(names.begin(), names.end(), velmoraName(window)) != names.end();
    };
}

// The shipped language files, as the folder lists them.
const std::string kFiles[] = {"English.lng", "Francais.lng"};

// The eight page titles of a language file, as the tabs show them.
std::vector<std::string> pageTitles(const std::string& file) {
    std::vector<std::string> titles;
    for (int page = 0; page < 8; ++page)
        titles.push_back("  " + languageText(file, "Onglet" + std::to_string(page), "Titre"));
    return titles;
}

TEST(LanguageWindows, FirstStartShowsTheAboutWindowFirstOnTheSecondFile) {
    seedProgram({kA.identity}, kA.identity.guid, "");
    auto program = RunningProgram::launch(programFolder() + "\\velmora.exe");
    HWND first = program.window(formIn({"frmAbout", "frmPrincipal"}), kStartTimeoutMs);
    ASSERT_NE(first, nullptr) << "no window showed";
    ASSERT_EQ(velmoraName(first), "frmAbout") << "the main window came first";
    EXPECT_EQ(textOf(first), "\xC0 propos de Velmora");
    EXPECT_EQ(textOf(findControl(first, "lblVersion")), "Version 2.1.4");
    EXPECT_EQ(textOf(findControl(first, "lblTitle")), "Velmora");
    // The list offers every file; the second is chosen (its record is held natively).
    HWND list = findControl(first, "cboLanguage");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), static_cast<LRESULT>(std::size(kFiles)));
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 1);

    // OK closes it and the start-up goes on in that language.
    PostMessageA(findControl(first, "cmdOK"), BM_CLICK, 0, 0);
    HWND main = program.window(formIn({"frmPrincipal"}), kStartTimeoutMs);
    ASSERT_NE(main, nullptr) << "the main window never showed after OK";
    EXPECT_EQ(tabCaptions(findControl(main, "SSTab1")), pageTitles(kFiles[1]));
}

TEST(LanguageWindows, ChoosingALanguageRecaptionsTheMainWindowAtOnce) {
    seedProgram({kA.identity}, kA.identity.guid, languageName(kFiles[0]));
    RunningProgram program;
    ASSERT_NE(program.main(), nullptr) << "the program did not start";
    HWND tabs = program["SSTab1"];
    EXPECT_EQ(tabCaptions(tabs), pageTitles(kFiles[0]));
    EXPECT_EQ(program.text("chk102"), languageText(kFiles[0], "Onglet1", "chk102"));
    EXPECT_TRUE(allTabsInView(tabs)) << "the tab strip scrolls";

    program.postClick("cmdAbout");
    HWND about = program.form("frmAbout");
    ASSERT_NE(about, nullptr) << "the about window never showed";
    HWND list = findControl(about, "cboLanguage");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(SendMessageA(list, CB_GETCURSEL, 0, 0), 0);
    // The user picks the second file: the selection changes, then the list
    // tells its window.
    SendMessageA(list, CB_SETCURSEL, 1, 0);
    SendMessageA(about, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), CBN_SELCHANGE),
                 reinterpret_cast<LPARAM>(list));
    EXPECT_TRUE(waitFor([&] { return tabCaptions(tabs) == pageTitles(kFiles[1]); }))
        << ::testing::PrintToString(tabCaptions(tabs));
    EXPECT_EQ(program.text("chk102"), languageText(kFiles[1], "Onglet1", "chk102"));
    EXPECT_TRUE(allTabsInView(tabs)) << "the tab strip scrolls";
    PostMessageA(findControl(about, "cmdOK"), BM_CLICK, 0, 0);
    EXPECT_TRUE(waitFor([&] { return !IsWindowVisible(about); }));
}

// ---------------------------------------------------------------- fatal stops

// The messages of every kind of missing language file are held natively;
// here the real message box and the end of the process.
TEST(FatalStop, ShowsTheCriticalMessageAloneAndEndsWithoutTheMainWindow) {
    Win32ScratchFolder scratch;
    ASSERT_TRUE(CopyFileA((programFolder() + "\\velmora.exe").c_str(),
                          scratch.at("velmora.exe").c_str(), FALSE));
    CreateDirectoryA(scratch.at("language").c_str(), nullptr);
    ASSERT_TRUE(CopyFileA((programFolder() + "\\language\\" + kFiles[0]).c_str(),
                          scratch.at("language\\English.LNG").c_str(), FALSE));
    seedProgram({kA.identity}, kA.identity.guid, "Espa\xF1ol");

    auto program = RunningProgram::launch(scratch.at("velmora.exe"));
    bool mainShown = false;
    const auto box = program.window(
        [&](HWND w) {
            mainShown |= velmoraName(w) == "frmPrincipal";
            return classOf(w) == "#32770";
        },
        kStartTimeoutMs);
    ASSERT_NE(box, nullptr) << "no message box; running: " << program.running();
    EXPECT_EQ(textOf(box), "Critical Error / Erreur critique");
    // Named as stored: case kept, accents in the system code page.
    EXPECT_EQ(messageText(box),
              "Missing file  'Espa\xF1ol.LNG'  in the LANGUAGE folder. This Program cannot "
              "continue\r\n\r\nFichier  'Espa\xF1ol.LNG'  absent dans le dossier LANGUAGE. Ce "
              "programme ne peut pas continuer.");
    int icons = 0;
    std::vector<HWND> buttons;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsWindowVisible(child))
            continue;
        if (lstrcmpiA(classOf(child).c_str(), "Button") == 0)
            buttons.push_back(child);
        icons += lstrcmpiA(classOf(child).c_str(), "Static") == 0 &&
                 (GetWindowLongPtrA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
    }
    EXPECT_EQ(icons, 1) << "a critical message box shows its icon";
    ASSERT_EQ(buttons.size(), 1u) << "OK only";
    press(box, GetDlgCtrlID(buttons.front()));
    mainShown |= program.window(formIn({"frmPrincipal"}), kEndTimeoutMs) != nullptr;
    EXPECT_FALSE(program.running()) << "still running after OK";
    EXPECT_FALSE(mainShown) << "the main window showed";
    // The language folder is recorded before the checks that stop.
    EXPECT_EQ(stored(HKEY_CURRENT_USER, kProgramKey, "Directory"),
              "sz " + scratch.path() + "\\language\\");
}

} // namespace
