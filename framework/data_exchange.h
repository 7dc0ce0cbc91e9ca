// Data exchange between a dialog's controls and its members.
#pragma once
#include "wnd.h"

struct CDataExchange {
    bool m_bSaveAndValidate; // true: controls to members; false: members to controls
    CWnd* m_pDlgWnd;
};

// The whole text of control id.
void DDX_Text(CDataExchange* pDX, int id, CString& value);
// The state of check box id: saved as 0 or 1, loaded as checked when nonzero.
void DDX_Check(CDataExchange* pDX, int id, int& value);
