#include "win_app.h"
#include <cstring>
#include <mbstring.h>

namespace {
CWinApp* g_app = nullptr;
}

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this)
        g_app = nullptr;
}

bool CWinApp::OnCmdMsg(UINT id, UINT code) {
    if (id == ID_HELP && code == 0) {
        OnHelp();
        return true;
    }
    return false;
}

HICON CWinApp::LoadIcon(UINT id) const {
    return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id));
}

// The multibyte-aware search keeps a trail byte 0x5C of a double-byte
// character in the file name from being taken for the folder separator.
void CWinApp::SetAppNameFromModule() {
    char path[MAX_PATH];
    DWORD length = ::GetModuleFileNameA(m_hInstance, path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return;
    unsigned char* separator =
        _mbsrchr(reinterpret_cast<unsigned char*>(path), static_cast<unsigned>('\\'));
    char* name = separator != nullptr ? reinterpret_cast<char*>(separator) + 1 : path;
    // '.' is never the second byte of a double-byte character.
    char* extension = std::strrchr(name, '.');
    if (extension != nullptr)
        *extension = '\0';
    m_strAppName = name;
}

CWinApp* AfxGetApp() {
    return g_app;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app != nullptr && g_app->m_hInstance != nullptr ? g_app->m_hInstance
                                                             : ::GetModuleHandleA(nullptr);
}

// The name converts to a pointer before the choice: a conditional with a
// CString arm would make a temporary copy and hand out its freed text.
const char* AfxGetAppName() {
    return g_app != nullptr ? static_cast<const char*>(g_app->m_strAppName) : "";
}

int AfxWinMain(HINSTANCE instance) {
    if (g_app == nullptr)
        return -1;
    g_app->m_hInstance = instance;
    g_app->SetAppNameFromModule();
    g_app->InitInstance();
    return 0;
}
