// The window base: a window handle with the member calls the dialogs use.
#pragma once
#include "message_map.h"
#include "win_app.h"

class CWnd {
  public:
    virtual ~CWnd() = default;
    HWND m_hWnd = nullptr; // while the window exists

    // A message box owned by this window; a null caption shows the application's name.
    int MessageBox(const char* text, const char* caption, UINT type) {
        if (caption == nullptr)
            caption = AfxGetApp()->m_strAppName;
        return ::MessageBoxA(m_hWnd, text, caption, type);
    }
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    void GetDlgItemText(int id, char* buffer, int size) const {
        ::GetDlgItemTextA(m_hWnd, id, buffer, size);
    }
    LRESULT SendMessage(UINT message, WPARAM wParam, LPARAM lParam) {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

  protected:
    // Default processing of the message being handled: every window here is a
    // dialog, so the dialog procedure leaves the message to the dialog manager.
    void Default() { m_defaultRequested = true; }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnPaint() { Default(); }
    void OnDestroy() { Default(); }

    // The root of every chain of maps.
    static const MessageMap* GetThisMessageMap() { return nullptr; }
    virtual const MessageMap* GetMessageMap() const { return nullptr; }

    bool m_defaultRequested = false;
};
