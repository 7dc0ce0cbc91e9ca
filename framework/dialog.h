// Modal dialogs from dialog templates, with their message maps and data exchange.
#pragma once
#include "data_exchange.h"
#include "wnd.h"

class CDialog : public CWnd {
  public:
    // Without a parent, the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog and runs it until it ends; the end code, or -1 when
    // it could not be created.
    INT_PTR DoModal();
    // Loads the members into the controls and centres the dialog over its
    // owner (or the screen). TRUE gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();

    void UpdateData(bool saveAndValidate);
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

  protected:
    // OK: the controls go into the members, then the dialog ends with IDOK.
    virtual void OnOK();
    // Cancel, Esc and the close box: the dialog ends with IDCANCEL.
    void OnCancel() { EndDialog(IDCANCEL); }
    virtual void DoDataExchange(CDataExchange*) {}

    DECLARE_MESSAGE_MAP()

  private:
    void CenterWindow();
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
