// Windows of the mail client's class made by this test: at start-up the
// running program asks the first one the system enumerates to close, and no
// other.

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

TEST(CloseMailClient, TheRunningProgramClosesTheFirstClientWindowAtStartUp) {
    ASSERT_FALSE(firstLanguageFile().empty()) << "no language file in " << programFolder();
    seedProgram({}, "", languageName(firstLanguageFile()));
    Closed().clear();
    HWND other = MakeWindow("Outlook Express Browser Clas"); // one letter short
    HWND a = MakeWindow("Outlook Express Browser Class");
    HWND b = MakeWindow("Outlook Express Browser Class");
    ASSERT_TRUE(other && a && b);
    {
        RunningProgram running;
        ASSERT_NE(running.main(), nullptr);
        EXPECT_TRUE(waitFor([] { return !Closed().empty(); }));
    }
    EXPECT_EQ(Closed(), std::vector<HWND>{FirstEnumerated(a, b)});
    for (HWND window : {other, a, b})
        DestroyWindow(window);
}

} // namespace
} // namespace velmora::testing
