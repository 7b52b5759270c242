// velmora.exe: builds the real services and the main window, then runs the
// message loop until the last window is unloaded.

#include "app/Win32Services.h"
#include "app/frmPrincipal.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using namespace velmora;
    Win32Services real(instance);
    Program program(real.services(), frmPrincipal::Create);
    program.Start();
    if (!program.principal().isLoaded())
        return 0; // a fatal stop ended the start-up
    return real.host.run();
}
