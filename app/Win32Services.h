#pragma once
// The real back-end of every service, as velmora.exe runs on Windows.

#include "core/Program.h"
#include "platform/win32/Win32Cabinets.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32Downloader.h"
#include "platform/win32/Win32FileVersions.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LibraryRegistration.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32SystemRestore.h"
#include "platform/win32/Win32TopLevelWindows.h"
#include "platform/win32/Win32Trust.h"
#include "platform/win32/Win32Volumes.h"
#include "ui/win32/Win32UiHost.h"

#include <windows.h>

namespace velmora {

struct Win32Services {
    explicit Win32Services(HINSTANCE instance) : host(instance) {}

    Services services() {
        return {registry, files,   profile,   shell,      dialogs, system,   host,   cabinets,
                windows,  restore, libraries, downloader, trust,   versions, volumes};
    }

    platform::win32::Win32Registry registry;
    platform::win32::Win32FileSystem files;
    platform::win32::Win32ProfileStrings profile;
    platform::win32::Win32Shell shell;
    platform::win32::Win32Dialogs dialogs;
    platform::win32::Win32SystemInfo system;
    ui::win32::Win32UiHost host;
    platform::win32::Win32Cabinets cabinets;
    platform::win32::Win32TopLevelWindows windows;
    platform::win32::Win32SystemRestore restore;
    platform::win32::Win32LibraryRegistration libraries;
    platform::win32::Win32Downloader downloader;
    platform::win32::Win32Trust trust;
    platform::win32::Win32FileVersions versions;
    platform::win32::Win32Volumes volumes;
};

} // namespace velmora
