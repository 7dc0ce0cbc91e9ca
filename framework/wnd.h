// The window base: a window handle with the few member calls the dialogs use,
// and the lookup of a message in the class's message map.
#pragma once
#include "message_map.h"

class CWnd {
  public:
    CWnd() = default;
    virtual ~CWnd() = default;
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;

    // A message box owned by this window; a null caption shows the application's name.
    int MessageBox(const char* text, const char* caption = nullptr, UINT type = MB_OK);
    HMENU GetSystemMenu(BOOL revert) const { return ::GetSystemMenu(m_hWnd, revert); }
    HWND GetDlgItem(int id) const { return ::GetDlgItem(m_hWnd, id); }
    void SetDlgItemText(int id, const char* text) { ::SetDlgItemTextA(m_hWnd, id, text); }
    int GetDlgItemText(int id, char* buffer, int size) const {
        return static_cast<int>(::GetDlgItemTextA(m_hWnd, id, buffer, size));
    }
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        return ::SendMessageA(m_hWnd, message, wParam, lParam);
    }
    bool IsIconic() const { return ::IsIconic(m_hWnd) != FALSE; }
    void GetClientRect(RECT* rect) const { ::GetClientRect(m_hWnd, rect); }

  protected:
    // Default processing of the message being handled. Every window of this
    // framework is a dialog, whose default processing is the dialog manager's
    // (DefDlgProc): the request is recorded, and the dialog procedure returns
    // FALSE for the message once its handler has returned.
    void Default() { m_defaultRequested = true; }
    void OnSysCommand(UINT, LPARAM) { Default(); }
    void OnPaint() { Default(); }
    void OnDestroy() { Default(); }

    // The root of every chain of maps has no entries.
    static const MessageMap* GetThisMessageMap() { return nullptr; }
    virtual const MessageMap* GetMessageMap() const { return nullptr; }

    // Calls the handler of the message from this class's map or its bases'.
    // False when no map has one.
    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);

    // Set by Default() for the message whose handler runs now. Handlers can
    // open nested modal loops, so the dispatcher saves and restores it around
    // each message.
    bool m_defaultRequested = false;
};
