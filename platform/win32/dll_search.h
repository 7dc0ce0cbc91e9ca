// Library search of the installer process.
#pragma once
#include <windows.h>

// Takes the current folder out of the search for libraries loaded by bare
// name (the archivers), so that a planted UNLHA32.DLL or unzip32.DLL in the
// folder the installer was started from is not picked up. The application
// folder, the system folders and PATH are still searched. Called at start and
// again after each archiver call, since a library may give the process the
// default search back. A DLL directory takes the current folder's place in
// the search; it is the system folder, searched anyway, rather than the empty
// text, with which Wine keeps searching the current folder.
inline void RestrictDllSearch() {
    char systemFolder[MAX_PATH];
    UINT length = GetSystemDirectoryA(systemFolder, sizeof systemFolder);
    SetDllDirectoryA(length > 0 && length < sizeof systemFolder ? systemFolder : "");
}
