// The Win32 UI host under Wine: modal windows and their nested loop, message
// boxes, the busy pointer, the program's loop and its end, DoEvents, pop-up
// menus and icons.

#include "ui/win32/Win32UiHost.h"
#include "windows/SampleForm.h"
#include "windows/WindowFinder.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>

using namespace velmora;
using namespace velmora::testing;
using ui::win32::Win32UiHost;

namespace {

// Runs an action once, from a thread timer, inside whatever loop is
// running then: the host's, a message box's or a menu's.
class Later {
public:
    Later(UINT delay, std::function<void()> action) {
        id_ = SetTimer(nullptr, 0, delay, &Later::fire);
        actions()[id_] = std::move(action);
    }
    ~Later() {
        KillTimer(nullptr, id_);
        actions().erase(id_);
    }
    Later(const Later&) = delete;
    Later& operator=(const Later&) = delete;

private:
    static std::map<UINT_PTR, std::function<void()>>& actions() {
        static std::map<UINT_PTR, std::function<void()>> all;
        return all;
    }
    static void CALLBACK fire(HWND, UINT, UINT_PTR id, DWORD) {
        KillTimer(nullptr, id);
        auto found = actions().find(id);
        if (found == actions().end())
            return;
        std::function<void()> action = std::move(found->second);
        actions().erase(found);
        action();
    }
    UINT_PTR id_;
};

class Host : public ::testing::Test {
protected:
    Host() : host(GetModuleHandleA(nullptr)), main(host, "frmMain"), dialog(host, "frmDialog") {}
    void TearDown() override {
        for (SampleForm* form : {&dialog, &main})
            if (form->isLoaded())
                form->Unload();
        takeQuitMessage();
    }
    HWND windowOf(const ui::Form& form) const { return host.windowOf(form); }
    void pump() { host.doEvents(); }

    Win32UiHost host;
    SampleForm main;
    SampleForm dialog;
};

} // namespace

TEST_F(Host, ModalShowWaitsUntilTheFormIsHiddenWithTheOtherWindowsDisabled) {
    main.Show();
    pump();
    bool mainEnabled = true;
    bool shown = false;
    HWND owner = nullptr;
    {
        Later later(100, [&] {
            mainEnabled = IsWindowEnabled(windowOf(main)) != FALSE;
            shown = IsWindowVisible(windowOf(dialog)) != FALSE;
            owner = GetWindow(windowOf(dialog), GW_OWNER);
            // The modal window works meanwhile.
            SendMessageA(findControl(windowOf(dialog), "chk102"), BM_CLICK, 0, 0);
            dialog.Hide();
        });
        dialog.Show(true);
    }
    EXPECT_FALSE(mainEnabled);
    EXPECT_TRUE(shown);
    EXPECT_EQ(owner, windowOf(main));
    EXPECT_EQ(dialog["chk102"].value(), 1);
    EXPECT_TRUE(dialog.isLoaded());
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(IsWindowVisible(windowOf(dialog)));
    EXPECT_TRUE(IsWindowEnabled(windowOf(main)));
    EXPECT_EQ(GetWindow(windowOf(dialog), GW_OWNER), nullptr);

    // A handler of the modal form that unloads it ends the show as well.
    dialog.react = [&](const std::string& entry, ui::EventArgs&) {
        if (entry == "Click cmdOk")
            dialog.Unload();
    };
    {
        Later later(100,
                    [&] { SendMessageA(findControl(windowOf(dialog), "cmdOk"), BM_CLICK, 0, 0); });
        dialog.Show(true);
    }
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(dialog.unloads, 1);
    EXPECT_TRUE(IsWindowEnabled(windowOf(main)));
    EXPECT_FALSE(takeQuitMessage()) << "the main form is still loaded";
}

TEST_F(Host, ModalShowWorksFromFormLoadBeforeTheMainWindowIsVisible) {
    bool mainVisibleMeanwhile = true;
    bool dialogShown = false;
    main.onLoad = [&] {
        Later later(100, [&] {
            mainVisibleMeanwhile = IsWindowVisible(windowOf(main)) != FALSE;
            dialogShown = IsWindowVisible(windowOf(dialog)) != FALSE;
            dialog.Unload();
        });
        dialog.Show(true);
    };
    main.Show();
    EXPECT_FALSE(mainVisibleMeanwhile);
    EXPECT_TRUE(dialogShown);
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_TRUE(IsWindowVisible(windowOf(main)));
    EXPECT_TRUE(IsWindowEnabled(windowOf(main)));
}

TEST_F(Host, MessageBoxesBelongToTheActiveFormKeepTheirStyleAndAnswer) {
    main.Show();
    pump();
    std::string text, title;
    HWND owner = nullptr;
    WORD defaultButton = 0;
    bool hasYes = false;
    auto answer = [&](int button) {
        return [&, button] {
            HWND box = findTopLevelOfClass("#32770");
            ASSERT_NE(box, nullptr);
            char buffer[128] = {};
            GetDlgItemTextA(box, 0xFFFF, buffer, sizeof(buffer));
            text = buffer;
            title = textOf(box);
            owner = GetWindow(box, GW_OWNER);
            // The button a plain Enter would press holds the focus.
            defaultButton = static_cast<WORD>(GetDlgCtrlID(GetFocus()));
            hasYes = GetDlgItem(box, IDYES) != nullptr;
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        };
    };
    {
        Later later(150, answer(IDNO));
        EXPECT_EQ(host.msgBox("Really?", ui::MbYesNoExclamationNoFirst, "Velmora"), ui::ResultNo);
    }
    EXPECT_EQ(text, "Really?");
    EXPECT_EQ(title, "Velmora");
    EXPECT_EQ(owner, windowOf(main));
    EXPECT_EQ(defaultButton, IDNO) << "style 308 preselects No";
    EXPECT_TRUE(hasYes);
    {
        Later later(150, answer(IDOK));
        EXPECT_EQ(host.msgBox("Failed", ui::MbCritical, "Error"), ui::ResultOk);
    }
    EXPECT_FALSE(hasYes);
    EXPECT_EQ(defaultButton, IDOK);

    // With no window on show, the box has no owner.
    main.Hide();
    {
        Later later(150, answer(IDYES));
        EXPECT_EQ(host.msgBox("Go on?", ui::MbYesNo, "Velmora"), ui::ResultYes);
    }
    EXPECT_EQ(owner, nullptr);
}

// A handler of the button going down that opens a window ends the press:
// the box keeps the state the handler gave it, as on Windows.
TEST_F(Host, AQuestionAskedOnMouseDownCancelsTheClick) {
    main.Show();
    pump();
    main.react = [&](const std::string& entry, ui::EventArgs&) {
        if (entry != "MouseDown chk102")
            return;
        Later later(150, [] {
            HWND box = findTopLevelOfClass("#32770");
            SendMessageA(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(box, IDOK)));
        });
        host.msgBox("Remove the criterion?", ui::MbOkCancelExclamation, "Velmora");
    };
    main.clearLog();
    SendMessageA(findControl(windowOf(main), "chk102"), BM_CLICK, 0, 0);
    EXPECT_EQ(main["chk102"].value(), 0);
    EXPECT_EQ(SendMessageA(findControl(windowOf(main), "chk102"), BM_GETCHECK, 0, 0),
              BST_UNCHECKED);
    EXPECT_TRUE(main.logged("Click").empty());
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(Host, TheBusyPointerShowsOverEveryWindowOfTheProgram) {
    main.Show();
    pump();
    const HCURSOR wait = LoadCursor(nullptr, IDC_WAIT);
    auto pointerOver = [&](HWND window) {
        SetCursor(nullptr);
        SendMessageA(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window),
                     MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        return GetCursor();
    };
    HWND form = windowOf(main);
    host.setMousePointer(ui::PointerBusy);
    EXPECT_EQ(host.mousePointer(), ui::PointerBusy);
    for (const char* name : {"txt300", "lvw1", "lbl500", "rtb400", "cmdOk"})
        EXPECT_EQ(pointerOver(findControl(form, name)), wait) << name;
    EXPECT_EQ(pointerOver(form), wait);

    host.setMousePointer(ui::PointerDefault);
    EXPECT_EQ(pointerOver(findControl(form, "txt300")), LoadCursor(nullptr, IDC_IBEAM));
    EXPECT_EQ(pointerOver(form), LoadCursor(nullptr, IDC_ARROW));
    {
        ui::BusyPointer busy(host);
        EXPECT_EQ(pointerOver(findControl(form, "cmdOk")), wait);
    }
    EXPECT_EQ(host.mousePointer(), ui::PointerDefault);
}

TEST_F(Host, RunEndsWhenTheLastFormIsUnloaded) {
    EXPECT_EQ(host.run(), 0) << "nothing loaded: nothing to wait for";
    main.Show();
    dialog.Load();
    bool mainStillThere = false;
    Later first(50, [&] { dialog.Unload(); });
    Later second(250, [&] {
        mainStillThere = IsWindow(windowOf(main)) != FALSE;
        // Closing the window by its close box unloads the form.
        SendMessageA(windowOf(main), WM_CLOSE, 0, 0);
    });
    EXPECT_EQ(host.run(), 0);
    EXPECT_TRUE(mainStillThere);
    EXPECT_FALSE(main.isLoaded());
    EXPECT_EQ(main.unloads, 1);
    EXPECT_EQ(findForm("frmMain"), nullptr);
}

TEST_F(Host, DoEventsHandlesWaitingMessagesAndPassesHandlerErrorsOn) {
    main.Show();
    pump();
    main.clearLog();
    PostMessageA(findControl(windowOf(main), "chk102"), BM_CLICK, 0, 0);
    host.doEvents();
    EXPECT_EQ(main["chk102"].value(), 1);
    EXPECT_FALSE(main.logged("Click chk102").empty());

    main.react = [](const std::string& entry, ui::EventArgs&) {
        if (entry == "Click chk102")
            throw std::runtime_error("handler failed");
    };
    PostMessageA(findControl(windowOf(main), "chk102"), BM_CLICK, 0, 0);
    EXPECT_THROW(host.doEvents(), std::runtime_error);
    main.react = nullptr;
    PostMessageA(findControl(windowOf(main), "chk102"), BM_CLICK, 0, 0);
    EXPECT_NO_THROW(host.doEvents());
    EXPECT_EQ(main["chk102"].value(), 1) << "clicked three times";
}

TEST_F(Host, PopupMenuRaisesTheEntryChosen) {
    main.Show();
    pump();
    main.clearLog();
    {
        Later later(200, [&] {
            HWND w = windowOf(main);
            PostMessageA(w, WM_KEYDOWN, VK_DOWN, 1);
            PostMessageA(w, WM_KEYDOWN, VK_DOWN, 1);
            PostMessageA(w, WM_KEYDOWN, VK_RETURN, 1);
        });
        host.popupMenu(main, "mnuPop");
    }
    EXPECT_EQ(main.logged("mnuPop"), (std::vector<std::string>{"Click mnuPopB"}));
    main.clearLog();
    {
        Later later(200, [] { EndMenu(); });
        host.popupMenu(main, "mnuPop");
    }
    EXPECT_TRUE(main.log.empty());
}

TEST_F(Host, HidingShowingAndDestroyingForms) {
    main.Show();
    HWND window = windowOf(main);
    EXPECT_TRUE(IsWindowVisible(window));
    main.Hide();
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(main.isVisible());
    main.Show();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(windowOf(main), window) << "shown again, not made again";
    EXPECT_EQ(main.loads, 1);

    // A form object that goes away takes its window with it.
    auto gone = std::make_unique<SampleForm>(host, "frmGone");
    gone->Show();
    HWND goneWindow = windowOf(*gone);
    ASSERT_NE(goneWindow, nullptr);
    gone.reset();
    EXPECT_FALSE(IsWindow(goneWindow));
    EXPECT_EQ(findForm("frmGone"), nullptr);
}

TEST(HostIcons, IconsComeFromTheResourceModule) {
    HMODULE resources = GetModuleHandleA("user32.dll");
    const int id = 32516; // an icon every user32 carries
    ASSERT_NE(
        LoadImageA(resources, MAKEINTRESOURCEA(id), IMAGE_ICON, 0, 0, LR_DEFAULTSIZE | LR_SHARED),
        nullptr);
    Win32UiHost host(GetModuleHandleA(nullptr), resources);
    SampleForm form(host, "frmIcons");
    form.setIconResource(id);
    form["img01"].setValue(id);
    form.Show();
    HWND window = host.windowOf(form);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    EXPECT_NE(SendMessageA(window, WM_GETICON, ICON_SMALL, 0), 0);
    EXPECT_NE(SendMessageA(findControl(window, "img01"), STM_GETICON, 0, 0), 0);
    form["img01"].setValue(0);
    EXPECT_EQ(SendMessageA(findControl(window, "img01"), STM_GETICON, 0, 0), 0);
    form.setIconResource(0);
    EXPECT_EQ(SendMessageA(window, WM_GETICON, ICON_BIG, 0), 0);
    form.Unload();
    takeQuitMessage();
}
