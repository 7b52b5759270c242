// Windows of the mail client's class made by this test: the close request
// reaches the first one the system enumerates and no other, whether asked
// through the program's own operation or by the running program at start-up.

#include "app/frmPrincipal.h"
#include "core/modFermeOE.h"
#include "platform/win32/Win32TopLevelWindows.h"
#include "support/TestProgram.h"
#include "windows/ProgramSetup.h"
#include "windows/RunningProgram.h"

#include <gtest/gtest.h>

namespace velmora::testing {
namespace {

std::vector<HWND>& Closed() {
    static std::vector<HWND> closed;
    return closed;
}

// Records a close request and stays open, as a client busy saving would.
LRESULT CALLBACK RecordClose(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        Closed().push_back(window);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow(const char* className) {
    WNDCLASSA type{};
    type.lpfnWndProc = RecordClose;
    type.hInstance = GetModuleHandleA(nullptr);
    type.lpszClassName = className;
    RegisterClassA(&type); // already registered by an earlier window: fine
    return CreateWindowExA(0, className, "", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr,
                           type.hInstance, nullptr);
}

// Which of the two comes first in the desktop's Z order, the order in which
// the system enumerates top-level windows.
HWND FirstEnumerated(HWND a, HWND b) {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT))
        if (window == a || window == b)
            return window;
    return nullptr;
}

TEST(CloseMailClient, PostsCloseToTheFirstClientWindowOnly) {
    Closed().clear();
    HWND other = MakeWindow("Outlook Express Browser Clas"); // one letter short
    HWND a = MakeWindow("Outlook Express Browser Class");
    HWND b = MakeWindow("Outlook Express Browser Class");
    ASSERT_TRUE(other && a && b);

    TestProgram t;
    platform::win32::Win32TopLevelWindows windows;
    Program program({t.registry, t.files, t.profile, t.shell, t.dialogs, t.system, t.ui, t.cabinets,
                     windows, t.restore, t.libraries, t.downloader, t.trust, t.versions, t.volumes},
                    frmPrincipal::Create);
    CloseMailClient(program);
    waitFor([] { return false; }, 500); // the posted requests are handled
    EXPECT_EQ(Closed(), std::vector<HWND>{FirstEnumerated(a, b)});
    for (HWND window : {other, a, b})
        DestroyWindow(window);
}

TEST(CloseMailClient, TheRunningProgramClosesTheClientAtStartUp) {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({}, "", languageName(firstLanguageFile()));
    Closed().clear();
    HWND client = MakeWindow("Outlook Express Browser Class");
    ASSERT_NE(client, nullptr);
    {
        RunningProgram running;
        ASSERT_NE(running.main(), nullptr);
        EXPECT_TRUE(waitFor([] { return !Closed().empty(); }));
    }
    EXPECT_EQ(Closed(), std::vector<HWND>{client});
    DestroyWindow(client);
}

} // namespace
} // namespace velmora::testing
