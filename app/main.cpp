// velmora.exe: builds the real services and the main window, then runs the
// message loop until the last window is unloaded.

#include "app/frmPrincipal.h"
#include "core/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32Cabinets.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32TopLevelWindows.h"
#include "platform/win32/Win32SystemRestore.h"
#include "platform/win32/Win32LibraryRegistration.h"
#include "ui/win32/Win32UiHost.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace velmora;
    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32ProfileStrings profile;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Dialogs dialogs;
    platform::win32::Win32SystemInfo system;
    platform::win32::Win32Cabinets cabinets;
    ui::win32::Win32UiHost host(instance);
    platform::win32::Win32TopLevelWindows windows;
    platform::win32::Win32SystemRestore restore;
    platform::win32::Win32LibraryRegistration libraries;

    Program program({registry, files, profile, shell, dialogs, system, host, cabinets, windows,
                     restore, libraries},
                    frmPrincipal::Create);
    program.Start();
    if (!program.principal().isLoaded())
        return 0; // a fatal stop ended the start-up
    return host.run();
}
