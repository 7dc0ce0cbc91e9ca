#include "data_exchange.h"

void DDX_Text(CDataExchange* pDX, int id, CString& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (!pDX->m_bSaveAndValidate) {
        ::SetWindowTextA(control, value);
        return;
    }
    int length = ::GetWindowTextLengthA(control);
    char* buffer = value.GetBufferSetLength(length);
    if (buffer != nullptr)
        ::GetWindowTextA(control, buffer, length + 1);
}

void DDX_Check(CDataExchange* pDX, int id, int& value) {
    HWND control = pDX->m_pDlgWnd->GetDlgItem(id);
    if (pDX->m_bSaveAndValidate)
        value = ::SendMessageA(control, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
    else
        ::SendMessageA(control, BM_SETCHECK, value != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
}
