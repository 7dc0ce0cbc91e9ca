// The application: one global instance of a CWinApp subclass, whose InitInstance runs the program.
#pragma once
#include "ansi_string.h"

class CWnd;
constexpr UINT ID_HELP = 0xE146;

inline HINSTANCE AfxGetInstanceHandle() {
    return ::GetModuleHandleA(nullptr);
}

class CWinApp {
  public:
    CWinApp() { s_theApp = this; }
    virtual ~CWinApp() = default;

    // Runs the program, in modal dialogs: with no message loop, the program ends when this returns.
    virtual BOOL InitInstance() { return FALSE; }

    // A command that no dialog handled: ID_HELP goes to OnHelp.
    bool OnCmdMsg(UINT id, UINT code) {
        if (id == ID_HELP && code == 0)
            OnHelp();
        return id == ID_HELP && code == 0;
    }
    // There is no help file: help shows nothing.
    void OnHelp() {}

    HICON LoadIcon(UINT id) { return ::LoadIconA(AfxGetInstanceHandle(), MAKEINTRESOURCEA(id)); }

    CWnd* m_pMainWnd = nullptr;
    CString m_strAppName; // the executable's file name without its extension

  private:
    friend CWinApp* AfxGetApp();
    static inline CWinApp* s_theApp = nullptr;
};

inline CWinApp* AfxGetApp() {
    return CWinApp::s_theApp;
}

// Called by WinMain: names the application, then runs InitInstance.
int AfxWinMain();
