// Process start: the multibyte code page, the library search, then the application.
#include "dll_search.h"
#include "win_app.h"
#include <mbctype.h>
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // Lead-byte tests and multibyte string searches follow the system's ANSI code page.
    _setmbcp(_MB_CP_ANSI);
    RestrictDllSearch();
    return AfxWinMain();
}
