// Modal dialogs from dialog templates, with their message maps and data exchange.
#pragma once
#include "data_exchange.h"
#include "wnd.h"

class CDialog : public CWnd {
  public:
    // Without a parent, the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr)
        : m_templateId(templateId), m_pParentWnd(parent) {}

    // Runs the dialog until it ends: its end code, or -1 when it could not be created.
    INT_PTR DoModal();
    // Loads the members into the controls and centres the dialog; TRUE focuses the first tab stop.
    virtual BOOL OnInitDialog();
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

  protected:
    // The controls go into the members, then the dialog ends with IDOK.
    virtual void OnOK();
    // Cancel, Esc and the close box.
    void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}

    DECLARE_MESSAGE_MAP()

  private:
    void CenterWindow();
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
    bool m_inCommand = false; // a command or system command handler is running
};
