#pragma once
// Finds the windows of a running Velmora from the outside, as any other
// program could: every form and control window carries its name in the
// window property "VelmoraName" as a global atom ("frmPrincipal", "chk102",
// "opt300(4)"). Works on this process and on another one.

#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace velmora::testing {

// The name a window carries, or "" when it carries none.
std::string velmoraName(HWND window);
// The top-level window named `formName` of process `processId`, or null.
HWND findForm(const std::string& formName, DWORD processId = GetCurrentProcessId());
// The descendant of `root` named `name` (compared without case), or null.
HWND findControl(HWND root, const std::string& name);
// Every named descendant of `root`, in the order EnumChildWindows gives.
std::vector<std::pair<std::string, HWND>> namedControls(HWND root);
// A top-level window of class `className` ("#32770" for a message box) of
// process `processId`, or null.
HWND findTopLevelOfClass(const std::string& className, DWORD processId = GetCurrentProcessId());

// The first top-level window of process `processId` that `wanted` takes, or null.
HWND findTopLevel(DWORD processId, const std::function<bool(HWND)>& wanted);

std::string classOf(HWND window);
std::string textOf(HWND window);
// The window's rectangle in the client coordinates of its parent.
RECT rectInParent(HWND window);

// Handles this thread's messages until `done` answers true or `timeoutMs`
// have passed, and answers done(). `pump` handles the waiting messages (by
// default PeekMessage, TranslateMessage, DispatchMessage); a WM_QUIT met on
// the way is dropped.
bool pumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000,
               const std::function<void()>& pump = {});
// Takes a WM_QUIT waiting in this thread's queue; answers whether one was.
bool takeQuitMessage();
// Runs `step` every `periodMs` from a thread timer, inside whatever loop runs
// then (the host's, a dialog's, a menu's), until it answers true. A later
// call replaces the step; an empty one stops it.
void duringLoop(UINT periodMs, std::function<bool()> step);

} // namespace velmora::testing
