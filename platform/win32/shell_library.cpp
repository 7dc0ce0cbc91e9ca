#include "shell_library.h"

namespace {
HMODULE g_shell32 = nullptr;
}

// By name, with no search flag: SHELL32 is a known DLL on every Windows from
// XP on, so the system's own copy is mapped whatever folder holds a planted
// one, and Windows versions that reject the LOAD_LIBRARY_SEARCH_* flags (Vista,
// and 7 without its loader update) load it all the same.
void* FindShellProc(const char* name) {
    if (g_shell32 == nullptr)
        g_shell32 = ::LoadLibraryA("shell32.dll");
    if (g_shell32 == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(g_shell32, name));
}
