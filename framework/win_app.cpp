#include "win_app.h"
#include "lead_byte.h"
#include "text.h"
#include <cstring>

// The multibyte-aware search keeps a trail byte 0x5C of a double-byte character
// from being taken for the folder separator; '.' is never a trail byte.
int AfxWinMain() {
    CWinApp* app = AfxGetApp();
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length > 0 && length < MAX_PATH) {
        char* separator = FindLastBackslash(path, IsActiveLeadByte);
        char* fileName = separator != nullptr ? separator + 1 : path;
        char* extension = std::strrchr(fileName, '.');
        if (extension != nullptr)
            *extension = '\0';
        app->m_strAppName = fileName;
    }
    app->InitInstance();
    return 0;
}
