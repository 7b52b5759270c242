#include "windows/WindowFinder.h"

#include <algorithm>

namespace velmora::testing {

namespace {

int quits = 0;

struct Search {
    std::string name;
    std::string className;
    DWORD processId = 0;
    HWND found = nullptr;
    std::vector<std::pair<std::string, HWND>>* all = nullptr;
};

BOOL CALLBACK visitChild(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    const std::string name = velmoraName(window);
    if (name.empty())
        return TRUE;
    if (search.all) {
        search.all->emplace_back(name, window);
        return TRUE;
    }
    if (lstrcmpiA(name.c_str(), search.name.c_str()) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK visitTop(HWND window, LPARAM data) {
    auto& search = *reinterpret_cast<Search*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.processId)
        return TRUE;
    const std::string seen = search.className.empty() ? velmoraName(window) : classOf(window);
    const std::string& wanted = search.className.empty() ? search.name : search.className;
    if (lstrcmpiA(seen.c_str(), wanted.c_str()) == 0) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

void pumpWaiting() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            ++quits;
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

} // namespace

std::string velmoraName(HWND window) {
    const auto atom =
        static_cast<ATOM>(reinterpret_cast<ULONG_PTR>(GetPropA(window, "VelmoraName")));
    if (!atom)
        return {};
    char buffer[256];
    const UINT length = GlobalGetAtomNameA(atom, buffer, sizeof(buffer));
    return std::string(buffer, length);
}

static HWND findTopLevel(Search search) {
    EnumWindows(&visitTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND findForm(const std::string& formName, DWORD processId) {
    Search search;
    search.name = formName;
    search.processId = processId;
    return findTopLevel(search);
}

HWND findTopLevelOfClass(const std::string& className, DWORD processId) {
    Search search;
    search.className = className;
    search.processId = processId;
    return findTopLevel(search);
}

HWND findControl(HWND root, const std::string& name) {
    Search search;
    search.name = name;
    EnumChildWindows(root, &visitChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::vector<std::pair<std::string, HWND>> namedControls(HWND root) {
    std::vector<std::pair<std::string, HWND>> all;
    Search search;
    search.all = &all;
    EnumChildWindows(root, &visitChild, reinterpret_cast<LPARAM>(&search));
    return all;
}

std::string classOf(HWND window) {
    char buffer[256];
    const int length = GetClassNameA(window, buffer, sizeof(buffer));
    return std::string(buffer, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::string textOf(HWND window) {
    const auto length = static_cast<int>(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0));
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const auto got = static_cast<int>(
        SendMessageA(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    text.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
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
    for (;;) {
        if (pump)
            pump();
        else
            pumpWaiting();
        if (done())
            return true;
        const DWORD elapsed = GetTickCount() - start;
        if (elapsed >= timeoutMs)
            return done();
        MsgWaitForMultipleObjects(0, nullptr, FALSE, std::min<DWORD>(20, timeoutMs - elapsed),
                                  QS_ALLINPUT);
    }
}

int quitMessagesSeen() {
    return quits;
}

bool takeQuitMessage() {
    MSG message;
    bool taken = false;
    while (PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        taken = true;
    return taken;
}

} // namespace velmora::testing
