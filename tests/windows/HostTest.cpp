// The Win32 UI host under Wine: modal windows, message boxes, the busy
// pointer, the program's loop, DoEvents, pop-up menus and icons.

#include "ui/win32/Win32UiHost.h"
#include "windows/RunningProgram.h"
#include "windows/SampleForm.h"
#include "windows/WindowFinder.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>

using namespace velmora;
using namespace velmora::testing;
using ui::win32::Win32UiHost;

namespace {

// Runs an action once, inside whatever loop runs then: the host's, a message
// box's or a menu's.
void later(UINT delay, std::function<void()> action) {
    duringLoop(delay, [action] {
        action();
        return true;
    });
}

class Host : public ::testing::Test {
protected:
    Host()
        : host(GetModuleHandleA(nullptr), GetModuleHandleA("user32.dll")), main(host, "frmMain"),
          dialog(host, "frmDialog") {}
    void SetUp() override {
        main.Show();
        host.doEvents();
        main.log.clear();
    }
    void TearDown() override {
        for (SampleForm* form : {&dialog, &main})
            if (form->isLoaded())
                form->Unload();
        takeQuitMessage();
    }
    HWND windowOf(const ui::Form& form) const { return host.windowOf(form); }
    HWND control(const ui::Form& form, const char* name) const {
        return findControl(windowOf(form), name);
    }

    Win32UiHost host;
    SampleForm main;
    SampleForm dialog;
};

} // namespace

TEST_F(Host, ModalShowWaitsUntilTheFormIsHiddenWithTheOtherWindowsDisabled) {
    std::string during;
    later(100, [&] {
        during = std::to_string(IsWindowEnabled(windowOf(main))) +
                 std::to_string(IsWindowVisible(windowOf(dialog))) +
                 std::to_string(GetWindow(windowOf(dialog), GW_OWNER) == windowOf(main));
        // The modal window works meanwhile.
        SendMessageA(control(dialog, "chk102"), BM_CLICK, 0, 0);
        dialog.Hide();
    });
    dialog.Show(true);
    EXPECT_EQ(during, "011") << "main disabled, dialog shown and owned by main";
    EXPECT_EQ(dialog["chk102"].value(), 1);
    EXPECT_FALSE(IsWindowVisible(windowOf(dialog)));
    EXPECT_TRUE(IsWindowEnabled(windowOf(main)));
    EXPECT_EQ(GetWindow(windowOf(dialog), GW_OWNER), nullptr);
    // Shown again, not made again.
    HWND window = windowOf(dialog);
    dialog.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowOf(dialog), window);
    EXPECT_EQ(dialog.loads, 1);

    // A handler of the modal form that unloads it ends the show as well.
    dialog.react = [&](const std::string& entry, ui::EventArgs&) {
        if (entry == "Click cmdOk")
            dialog.Unload();
    };
    later(100, [&] { SendMessageA(control(dialog, "cmdOk"), BM_CLICK, 0, 0); });
    dialog.Show(true);
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_TRUE(IsWindowEnabled(windowOf(main)));
    EXPECT_FALSE(takeQuitMessage()) << "the main form is still loaded";
}

TEST_F(Host, MessageBoxesBelongToTheActiveFormAndGiveTheButtonPressed) {
    std::string seen;
    auto pick = [&](int button) {
        return [&, button] {
            HWND box = findTopLevelOfClass("#32770");
            ASSERT_NE(box, nullptr);
            // The owner, and the button a plain Enter would press.
            seen = (GetWindow(box, GW_OWNER) == windowOf(main) ? "main " : "none ") +
                   std::to_string(GetDlgCtrlID(GetFocus()));
            press(box, button);
        };
    };
    later(150, pick(IDNO));
    EXPECT_EQ(host.msgBox("Really?", ui::MbYesNoExclamationNoFirst, "Velmora"), ui::ResultNo);
    EXPECT_EQ(seen, "main 7") << "style 308 preselects No";
    main.Hide();
    later(150, pick(IDYES));
    EXPECT_EQ(host.msgBox("Go on?", ui::MbYesNo, "Velmora"), ui::ResultYes);
    EXPECT_EQ(seen, "none 6") << "with no window on show, the box has no owner";
}

// A handler of the button going down that opens a window ends the press:
// the box keeps the state the handler gave it, as on Windows.
TEST_F(Host, AQuestionAskedOnMouseDownCancelsTheClick) {
    main.react = [&](const std::string& entry, ui::EventArgs&) {
        if (entry != "MouseDown chk102")
            return;
        later(150, [] { press(findTopLevelOfClass("#32770"), IDOK); });
        host.msgBox("Remove the criterion?", ui::MbOkCancelExclamation, "Velmora");
    };
    SendMessageA(control(main, "chk102"), BM_CLICK, 0, 0);
    EXPECT_EQ(main.logged("Mouse"),
              (std::vector<std::string>{"MouseDown chk102 1 0,0", "MouseUp chk102 1 0,0"}));
    EXPECT_EQ(main.logged("Click"), std::vector<std::string>{});
    EXPECT_EQ(main["chk102"].value(), 0);
    EXPECT_EQ(SendMessageA(control(main, "chk102"), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Host, TheBusyPointerShowsOverEveryWindowOfTheProgram) {
    auto pointerOver = [&](const char* name) {
        HWND window = *name ? control(main, name) : windowOf(main);
        SetCursor(nullptr);
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    host.setMousePointer(ui::PointerBusy);
    for (const char* name : {"txt300", "lvw1", "lbl500", "rtb400", "cmdOk", ""})
        EXPECT_EQ(pointerOver(name), wait) << name;
    host.setMousePointer(ui::PointerDefault);
    EXPECT_EQ(pointerOver("txt300"), LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(pointerOver(""), LoadCursor(nullptr, IDC_ARROW));
    {
        ui::BusyPointer busy(host);
        EXPECT_EQ(pointerOver("cmdOk"), wait);
    }
    EXPECT_EQ(pointerOver("cmdOk"), LoadCursor(nullptr, IDC_ARROW)) << "busy no more";
}

TEST_F(Host, UnloadingDestroysTheWindowsAndRunEndsWithTheLastForm) {
    // A form object that goes away takes its windows and their names with it.
    // Names are global atoms, shared with every process of the session: a
    // name of this process alone shows the reference given back.
    const std::string name = "frmGone" + std::to_string(GetCurrentProcessId());
    auto gone = std::make_unique<SampleForm>(host, name);
    gone->Show();
    HWND goneWindow = windowOf(*gone);
    ASSERT_NE(GlobalFindAtomA(name.c_str()), 0);
    gone.reset();
    EXPECT_FALSE(IsWindow(goneWindow));
    EXPECT_EQ(GlobalFindAtomA(name.c_str()), 0);

    dialog.Load();
    HWND dialogWindow = windowOf(dialog), box = control(dialog, "chk102");
    bool mainStillThere = false;
    later(50, [&] {
        dialog.Unload();
        mainStillThere = IsWindow(windowOf(main)) != FALSE;
        // Closing the window by its close box unloads the form.
        PostMessageA(windowOf(main), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(host.run(), 0);
    EXPECT_TRUE(mainStillThere);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_FALSE(IsWindow(box));
    EXPECT_FALSE(main.isLoaded());
    EXPECT_EQ(main.unloads, 1);
    EXPECT_EQ(findForm("frmMain"), nullptr);
    EXPECT_EQ(host.run(), 0) << "nothing loaded: nothing to wait for";
    // Changes to an unloaded form's model go nowhere.
    main["chk102"].setValue(1);
    main.setCaption("x");
}

TEST_F(Host, DoEventsHandlesWaitingMessagesAndPassesHandlerErrorsOn) {
    main.react = [](const std::string& entry, ui::EventArgs&) {
        if (entry == "Click chk102")
            throw std::runtime_error("handler failed");
    };
    PostMessageA(control(main, "chk102"), BM_CLICK, 0, 0);
    EXPECT_THROW(host.doEvents(), std::runtime_error);
    main.react = nullptr;
    PostMessageA(control(main, "chk102"), BM_CLICK, 0, 0);
    EXPECT_NO_THROW(host.doEvents());
    EXPECT_EQ(main.logged("Click"), (std::vector<std::string>{"Click chk102=1", "Click chk102"}));
}

TEST_F(Host, PopupMenuRaisesTheEntryChosen) {
    later(200, [&] {
        for (WPARAM key : {VK_DOWN, VK_DOWN, VK_RETURN})
            PostMessageA(windowOf(main), WM_KEYDOWN, key, 1);
    });
    host.popupMenu(main, "mnuPop");
    later(200, [] { EndMenu(); });
    host.popupMenu(main, "mnuPop");
    EXPECT_EQ(main.log, std::vector<std::string>{"Click mnuPopB"}) << "nothing when dismissed";
}

TEST_F(Host, IconsComeFromTheResourceModule) {
    const int id = 32516; // an icon every user32 carries
    main.setIconResource(id);
    main["img01"].setValue(id);
    HWND window = windowOf(main);
    auto icon = [&] { return SendMessageA(control(main, "img01"), STM_GETICON, 0, 0); };
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(icon(), 0);
    main["img01"].setValue(0);
    EXPECT_EQ(icon(), 0);
    // No icon of that number: nothing shown, nothing broken.
    main["img01"].setValue(4242);
    EXPECT_EQ(icon(), 0);
    main.setIconResource(0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
}
