// Library search of the installer process.
#pragma once
#include <windows.h>

// Takes the current folder out of the search for libraries loaded by bare
// name (the archivers), so that a planted UNLHA32.DLL or unzip32.DLL in the
// folder the installer was started from is not picked up. The application
// folder, the system folders and PATH are still searched. Call once at start.
inline void RestrictDllSearch() {
    SetDllDirectoryA("");
}
