#include "shell_library.h"
#include "text.h"

namespace {
HMODULE g_shell32 = nullptr;
}

// By its full path in the system folder, with no search flag: whatever an
// archiver library did to the library search, and even where SHELL32 is not a
// known DLL, no folder of the user's can supply it; and Windows versions that
// reject the LOAD_LIBRARY_SEARCH_* flags (Vista, and 7 without its loader
// update) load it all the same. A 32-bit process on 64-bit Windows is
// redirected from System32 to SysWOW64.
void* FindShellProc(const char* name) {
    if (g_shell32 == nullptr) {
        char path[MAX_PATH];
        UINT length = ::GetSystemDirectoryA(path, sizeof path);
        if (length > 0 && length < sizeof path &&
            FormatFits(path + length, sizeof path - length, "\\shell32.dll"))
            g_shell32 = ::LoadLibraryA(path);
    }
    if (g_shell32 == nullptr)
        return nullptr;
    return reinterpret_cast<void*>(::GetProcAddress(g_shell32, name));
}
