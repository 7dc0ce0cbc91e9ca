#include "kvinst_app.h"
#include "kvinst_dlg.h"

CKvInstApp theApp;

// The main dialog is the whole program: when it closes, the program ends.
BOOL CKvInstApp::InitInstance() {
    CKvInstDlg dialog;
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
