// The application object: one global instance of a CWinApp subclass, whose
// InitInstance runs the program.
#pragma once
#include "ansi_string.h"

class CWnd;

constexpr UINT ID_HELP = 0xE146;

class CWinApp {
  public:
    CWinApp();
    virtual ~CWinApp() = default;
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    // Runs the program. The framework has no message loop of its own: its
    // programs live in modal dialogs, and the program ends when this returns.
    virtual BOOL InitInstance() { return FALSE; }

    // A command that no window handled: ID_HELP goes to OnHelp.
    bool OnCmdMsg(UINT id, UINT code) {
        if (id == ID_HELP && code == 0)
            OnHelp();
        return id == ID_HELP && code == 0;
    }
    // There is no help file: help shows nothing.
    void OnHelp() {}

    HICON LoadIcon(UINT id) const {
        return ::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(id));
    }

    CWnd* m_pMainWnd = nullptr;
    // The executable's file name without its extension.
    CString m_strAppName;
};

CWinApp* AfxGetApp();
HINSTANCE AfxGetInstanceHandle();
const char* AfxGetAppName();

// The program's start, called from WinMain once the process is set up: names
// the application after its executable and runs InitInstance.
int AfxWinMain();
