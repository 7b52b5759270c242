#pragma once
// The real back-end of every service, as velmora.exe runs on Windows.

#include "core/Program.h"
#include "platform/win32/Win32Cabinets.h"
#include "platform/win32/Win32Dialogs.h"
#include "platform/win32/Win32FileSystem.h"
#include "platform/win32/Win32LibraryRegistration.h"
#include "platform/win32/Win32ProfileStrings.h"
#include "platform/win32/Win32Registry.h"
#include "platform/win32/Win32Shell.h"
#include "platform/win32/Win32SystemInfo.h"
#include "platform/win32/Win32SystemRestore.h"
#include "platform/win32/Win32TopLevelWindows.h"
#include "ui/win32/Win32UiHost.h"

#include <windows.h>

namespace velmora {

struct Win32Services {
    explicit Win32Services(HINSTANCE instance) : host(instance) {}

    Services services() {
        return {registry, files,    profile, shell,   dialogs,  system,
                host,     cabinets, windows, restore, libraries};
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
};

} // namespace velmora
