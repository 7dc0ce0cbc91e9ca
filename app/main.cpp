// Process start: the multibyte code page, the library search, the common
// controls, then the application.
#include "dll_search.h"
#include "win_app.h"
#include <mbctype.h>
#include <windows.h>
#include <commctrl.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Lead-byte tests and multibyte string searches follow the system's ANSI code page.
    _setmbcp(_MB_CP_ANSI);
    RestrictDllSearch();
    // The manifest asks for Common Controls 6, the controls drawn in the look
    // of the running Windows; Windows XP registers their classes only here.
    // COMCTL32 comes from the side-by-side store the manifest names, so
    // no folder of the user's is searched for it.
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    return AfxWinMain();
}
