// Modal dialogs from dialog templates, and the exchange of data between a
// dialog's controls and its members.
#pragma once
#include "cstr.h"
#include "wnd.h"
#include <windows.h>

class CDialog;

class CDataExchange {
  public:
    CDataExchange(CDialog* dialog, bool saveAndValidate)
        : m_bSaveAndValidate(saveAndValidate), m_pDlgWnd(dialog) {}

    bool m_bSaveAndValidate; // true: controls to members; false: members to controls
    CDialog* m_pDlgWnd;
};

// The whole text of control id, in either direction.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// The check state of check box id: saved as 0 or 1; loaded as checked for any
// nonzero value, since a flag counts as on whenever it is nonzero.
void DDX_Check(CDataExchange* pDX, int id, int& value);

class CDialog : public CWnd {
  public:
    // Without a parent, the application's main window owns the dialog.
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);

    // Creates the dialog and runs it until it ends; the end code, or -1 when
    // it could not be created.
    virtual INT_PTR DoModal();
    // Loads the members into the controls and centres the dialog over its
    // owner (or the screen). TRUE gives the focus to the first tab stop.
    virtual BOOL OnInitDialog();

    bool UpdateData(bool saveAndValidate = true);
    void EndDialog(int result) { ::EndDialog(m_hWnd, result); }

  protected:
    // OK: the controls go into the members, then the dialog ends with IDOK.
    virtual void OnOK();
    // Cancel, Esc and the close box: the dialog ends with IDCANCEL.
    virtual void OnCancel();
    virtual void DoDataExchange(CDataExchange*) {}

    DECLARE_MESSAGE_MAP()

  private:
    void CenterWindow();
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    UINT m_templateId;
    CWnd* m_pParentWnd;
};
