#include "kvinst_dlg.h"
#include "about_dlg.h"
#include "lead_byte.h"
#include "paint_dc.h"
#include "resource.h"
#include "setting_dlg.h"
#include "text.h"
#include "win_app.h"

BEGIN_MESSAGE_MAP(CKvInstDlg, CDialog)
ON_WM_SYSCOMMAND()
ON_WM_PAINT()
ON_WM_QUERYDRAGICON()
ON_WM_DESTROY()
ON_WM_QUERYENDSESSION()
ON_WM_ENDSESSION()
ON_BN_CLICKED(IDC_SETTINGS, OnSettings)
END_MESSAGE_MAP()

CKvInstDlg::CKvInstDlg(CWnd* parent)
    : CDialog(IDD_KVINST_DIALOG, parent), CInstaller(m_win32Platform, *this),
      m_hIcon(AfxGetApp()->LoadIcon(IDR_MAINFRAME)) {}

BOOL CKvInstDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    AddAboutMenuEntry();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    LoadSettings();
    SetDlgItemText(IDC_SHOW_INSTALL_DIR, m_installDir);
    SetDlgItemText(IDC_SHOW_SAVE_DIR, m_saveDir);
    if (m_installDir[0] == '\0' || m_saveDir[0] == '\0')
        OnSettings();
    ScanPackages();
    return TRUE;
}

// The About entry at the end of the system menu, under a separator; nothing
// when the entry's caption is missing.
void CKvInstDlg::AddAboutMenuEntry() {
    HMENU menu = GetSystemMenu(FALSE);
    if (menu == nullptr)
        return;
    CString caption;
    caption.LoadString(IDS_ABOUTBOX);
    if (caption.IsEmpty())
        return;
    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuA(menu, MF_STRING, IDM_ABOUTBOX, caption);
}

void CKvInstDlg::OnSysCommand(UINT id, LPARAM lParam) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        CAboutDlg about;
        about.DoModal();
    } else {
        CDialog::OnSysCommand(id, lParam);
    }
}

// While minimised the client area shows the icon, centred; an odd remainder
// puts it one unit nearer the right and the bottom.
void CKvInstDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CKvInstDlg::OnQueryDragIcon() {
    return static_cast<HCURSOR>(m_hIcon);
}

// However the dialog ends, the settings reach the file here.
void CKvInstDlg::OnDestroy() {
    CDialog::OnDestroy();
    SaveSettings();
}

// While an install cannot answer, the end of the session is refused: Windows
// would end it halfway through the unpacking. Otherwise it is never held up.
BOOL CKvInstDlg::OnQueryEndSession() {
    return !m_win32Platform.IsShutdownBlocked();
}

// When Windows ends the session it ends the process once this returns, and
// the dialog is never destroyed: the settings reach the file here instead.
void CKvInstDlg::OnEndSession(BOOL ending) {
    if (ending)
        SaveSettings();
}

// The dialog works on copies; only OK brings them into the installer state.
// The copies are bounded, so a longer text can never overrun the state's
// 260-byte fields, and never end in half a double-byte character.
void CKvInstDlg::OnSettings() {
    CSettingDlg dialog;
    dialog.m_strAddName = m_addName;
    dialog.m_bDeleteFile = m_deleteFile;
    dialog.m_strSaveDir = m_saveDir;
    dialog.m_strInstallDir = m_installDir;
    dialog.m_bQuitApp = m_quitApp;
    dialog.m_bExecuteApp = m_executeApp;
    if (dialog.DoModal() != IDOK)
        return;
    CopyText(m_addName, kMaxPath, dialog.m_strAddName, IsActiveLeadByte);
    m_deleteFile = dialog.m_bDeleteFile;
    m_quitApp = dialog.m_bQuitApp;
    m_executeApp = dialog.m_bExecuteApp;
    CopyText(m_saveDir, kMaxPath, dialog.m_strSaveDir, IsActiveLeadByte);
    CopyText(m_installDir, kMaxPath, dialog.m_strInstallDir, IsActiveLeadByte);
    ScanPackages();
}

void CKvInstDlg::ShowFieldText(int controlId, const char* text) {
    SetDlgItemText(controlId, text);
}

int CKvInstDlg::ShowMessage(const char* text, const char* caption, unsigned type) {
    return MessageBox(text, caption, type);
}
