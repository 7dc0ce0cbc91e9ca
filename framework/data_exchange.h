// The exchange of data between a dialog's controls and its members.
#pragma once
#include "ansi_string.h"

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
