#include "platform/win32/Win32Shell.h"

#include <windows.h>
#include <shellapi.h>

#include <vector>

namespace velmora::platform::win32 {

void Win32Shell::open(const std::string& target, const std::string& workingFolder,
                      int showCommand) {
    ShellExecuteA(nullptr, "open", target.c_str(), nullptr,
                  workingFolder.empty() ? nullptr : workingFolder.c_str(), showCommand);
}

namespace {

// Starts a command line shown as asked (SW_SHOWDEFAULT: as the program
// itself chooses, the start-up record left empty); false when it could not
// be started.
bool StartProcess(const std::string& commandLine, int showCommand, BOOL inherit, DWORD flags,
                  PROCESS_INFORMATION& process) {
    // CreateProcessA may write into the command line it is given.
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (showCommand != SW_SHOWDEFAULT) {
        startup.dwFlags = STARTF_USESHOWWINDOW;
        startup.wShowWindow = static_cast<WORD>(showCommand);
    }
    return CreateProcessA(nullptr, line.data(), nullptr, nullptr, inherit, flags, nullptr, nullptr,
                          &startup, &process) != FALSE;
}

} // namespace

bool Win32Shell::start(const std::string& commandLine, int showCommand) {
    PROCESS_INFORMATION process{};
    if (!StartProcess(commandLine, showCommand, FALSE, 0, process))
        return false;
    CloseHandle(process.hThread);
    if (process.hProcess)
        CloseHandle(process.hProcess);
    return true;
}

long Win32Shell::runAndWait(const std::string& commandLine, int showCommand) {
    // The waiting runner hands its handles down, at normal priority.
    PROCESS_INFORMATION process{};
    if (!StartProcess(commandLine, showCommand, TRUE, NORMAL_PRIORITY_CLASS, process))
        return -1;
    CloseHandle(process.hThread);
    if (process.hProcess == nullptr)
        return -1; // started, but nothing to wait on
    DWORD exitCode = 0;
    const bool ended = WaitForSingleObject(process.hProcess, INFINITE) == WAIT_OBJECT_0 &&
                       GetExitCodeProcess(process.hProcess, &exitCode);
    CloseHandle(process.hProcess);
    return ended ? static_cast<long>(exitCode) : -1;
}

void Win32Shell::execute(const std::string& file, const std::string& parameters,
                         std::uintptr_t owner, int showCommand) {
    ShellExecuteA(reinterpret_cast<HWND>(owner), "open", file.c_str(),
                  parameters.empty() ? nullptr : parameters.c_str(), nullptr, showCommand);
}

} // namespace velmora::platform::win32
