// SHELL32.dll, loaded at the first call that needs it rather than at every
// start: only the folder picker and the start of kv.exe after an install use
// it, and under Wine it brings shlwapi and shcore along, the only libraries an
// empty dialog program does not load.
#pragma once
#include <windows.h>

// The address of SHELL32's export name, or nullptr when it or SHELL32 is missing.
void* FindShellProc(const char* name);

// The shell function name, typed as its declaration; nullptr when missing.
#define SHELL_FUNCTION(name) reinterpret_cast<decltype(&::name)>(FindShellProc(#name))
