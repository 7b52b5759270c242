#include "windows/WindowFinder.h"

#include <algorithm>
#include <utility>

namespace velmora::testing {

namespace {

// The windows EnumWindows (root null) or EnumChildWindows gives, in order.
std::vector<HWND> windowsUnder(HWND root) {
    std::vector<HWND> all;
    const auto add = [](HWND window, LPARAM list) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
        return TRUE;
    };
    if (root)
        EnumChildWindows(root, add, reinterpret_cast<LPARAM>(&all));
    else
        EnumWindows(add, reinterpret_cast<LPARAM>(&all));
    return all;
}

std::function<bool()> g_step;
UINT_PTR g_timer = 0;

// The step is taken out while it runs: it may start a loop of its own, in
// which the timer fires again, or set the next step.
void CALLBACK onTick(HWND, UINT, UINT_PTR, DWORD) {
    std::function<bool()> step = std::exchange(g_step, nullptr);
    if (step && step() && !g_step)
        KillTimer(nullptr, std::exchange(g_timer, 0));
    else if (step && !g_step)
        g_step = std::move(step);
}

bool sameText(const std::string& a, const std::string& b) {
    return lstrcmpiA(a.c_str(), b.c_str()) == 0;
}

} // namespace

HWND findTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted) {
    for (HWND window : windowsUnder(nullptr)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == processId && wanted(window))
            return window;
    }
    return nullptr;
}

std::string velmoraName(HWND window) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "VelmoraName")));
    char buffer[256];
    return std::string(buffer, atom ? GlobalGetAtomNameA(atom, buffer, sizeof(buffer)) : 0);
}

HWND findForm(const std::string& formName, DWORD processId) {
    return findTopLevel(processId, [&](HWND w) { return sameText(velmoraName(w), formName); });
}

HWND findTopLevelOfClass(const std::string& className, DWORD processId) {
    return findTopLevel(processId, [&](HWND w) { return sameText(classOf(w), className); });
}

HWND findControl(HWND root, const std::string& name) {
    for (HWND window : windowsUnder(root))
        if (sameText(velmoraName(window), name))
            return window;
    return nullptr;
}

std::vector<std::pair<std::string, HWND>> namedControls(HWND root) {
    std::vector<std::pair<std::string, HWND>> all;
    for (HWND window : windowsUnder(root))
        if (const std::string name = velmoraName(window); !name.empty())
            all.emplace_back(name, window);
    return all;
}

std::string classOf(HWND window) {
    char buffer[256];
    const int length = GetClassNameA(window, buffer, sizeof(buffer));
    return std::string(buffer, static_cast<std::size_t>(std::max(length, 0)));
}

std::string textOf(HWND window) {
    const auto length = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto got = static_cast<int>(
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

RECT rectInParent(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs,
               const std::function<void()>& pump) {
    const DWORD start = GetTickCount();
    for (MSG message;;) {
        while (!pump && PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            if (message.message != WM_QUIT) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        if (pump)
            pump();
        const DWORD elapsed = GetTickCount() - start;
        if (done() || elapsed >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

bool takeQuitMessage() {
    MSG message;
    bool taken = false;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        taken = true;
    return taken;
}

void duringLoop(UINT periodMs, std::function<bool()> step) {
    g_step = std::move(step);
    if (g_timer)
        KillTimer(nullptr, std::exchange(g_timer, 0));
    if (g_step)
        g_timer = SetTimer(nullptr, 0, periodMs, onTick);
}

} // namespace velmora::testing
