// velmora.exe: builds the real services and the main window, then runs the
// message loop until the last window is unloaded.

#include "app/frmPrincipal.h"
#include "core/Program.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Downloader.h"
#include "platform/win32/Win32FileVersions.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32Trust.h"
#include "platform/win32/Win32Volumes.h"
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
    ui::win32::Win32UiHost host(instance);
    platform::win32::Win32Downloader downloader;
    platform::win32::Win32Trust trust;
    platform::win32::Win32FileVersions versions;
    platform::win32::Win32Volumes volumes;

    Program program({registry, files, profile, shell, dialogs, system, host, downloader, trust,
                     versions, volumes},
                    frmPrincipal::Create);
    program.Start();
    if (!program.principal().isLoaded())
        return 0; // a fatal stop ended the start-up
    return host.run();
}
