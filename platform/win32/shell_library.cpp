#include "shell_library.h"

namespace {
HMODULE g_shell32 = nullptr;
}

// From the system folder only, so that no planted copy is picked up.
void* FindShellProc(const char* name) {
    if (g_shell32 == nullptr)
        g_shell32 = ::LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (g_shell32 == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(g_shell32, name));
}
