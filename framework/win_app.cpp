#include "win_app.h"
#include "lead_byte.h"
#include "text.h"
#include <cstring>

namespace {

CWinApp* g_app = nullptr;

// The multibyte-aware search keeps a trail byte 0x5C of a double-byte
// character in the file name from being taken for the folder separator.
void SetNameFromModule(CString& name) {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    char* separator = FindLastBackslash(path, IsActiveLeadByte);
    char* fileName = separator != nullptr ? separator + 1 : path;
    // '.' is never the second byte of a double-byte character.
    char* extension = std::strrchr(fileName, '.');
    if (extension != nullptr)
        *extension = '\0';
    name = fileName;
}

} // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleA(nullptr);
}

const char* AfxGetAppName() {
    return g_app != nullptr ? static_cast<const char*>(g_app->m_strAppName) : "";
}

int AfxWinMain() {
    if (g_app == nullptr)
        return -1;
    SetNameFromModule(g_app->m_strAppName);
    g_app->InitInstance();
    return 0;
}
