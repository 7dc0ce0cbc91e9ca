#include "setting_dlg.h"
#include "folder_browser.h"
#include "records.h"
#include "resource.h"
#include <cstring>

namespace {
const char kMsgTooLong[] = "259バイトより長くは設定できません";
}

BEGIN_MESSAGE_MAP(CSettingDlg, CDialog)
ON_BN_CLICKED(IDC_BROWSE_SAVE_DIR, OnBrowseSaveDir)
ON_BN_CLICKED(IDC_BROWSE_INSTALL_DIR, OnBrowseInstallDir)
END_MESSAGE_MAP()

CSettingDlg::CSettingDlg(CWnd* parent) : CDialog(IDD_SETTING, parent) {}

// The installer keeps each text in 260 bytes: the edits take no more than 259
// characters (OK refuses more than 259 bytes). Over the hidden main dialog, at first run, the
// dialog is the program's only window: a window owned by a hidden one has no taskbar button unless
// it asks.
BOOL CSettingDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (!::IsWindowVisible(::GetWindow(m_hWnd, GW_OWNER)))
        ::SetWindowLongA(m_hWnd, GWL_EXSTYLE,
                         ::GetWindowLongA(m_hWnd, GWL_EXSTYLE) | WS_EX_APPWINDOW);
    const int edits[] = {IDC_INSTALL_DIR, IDC_SAVE_DIR, IDC_ADD_NAME};
    for (int id : edits)
        ::SendMessageA(GetDlgItem(id), EM_LIMITTEXT, kMaxPath - 1, 0);
    return TRUE;
}

void CSettingDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_ADD_NAME, m_strAddName);
    DDX_Text(pDX, IDC_INSTALL_DIR, m_strInstallDir);
    DDX_Text(pDX, IDC_SAVE_DIR, m_strSaveDir);
    DDX_Check(pDX, IDC_DELETE_FILE, m_bDeleteFile);
    DDX_Check(pDX, IDC_QUIT_APP, m_bQuitApp);
    DDX_Check(pDX, IDC_EXECUTE_APP, m_bExecuteApp);
}

// The edits count characters, the installer bytes, and a double-byte character
// takes two: a text over 259 bytes is refused, not cut, since a cut folder is
// another folder. The dialog stays, with the focus in that edit, its text selected.
void CSettingDlg::OnOK() {
    CDataExchange toMembers = {true, this};
    DoDataExchange(&toMembers);
    const struct {
        int id;
        const char* text;
    } texts[] = {{IDC_INSTALL_DIR, m_strInstallDir},
                 {IDC_SAVE_DIR, m_strSaveDir},
                 {IDC_ADD_NAME, m_strAddName}};
    for (const auto& [id, text] : texts) {
        if (std::strlen(text) > kMaxPath - 1) {
            MessageBox(kMsgTooLong, nullptr, MB_OK);
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(GetDlgItem(id)), TRUE);
            return;
        }
    }
    EndDialog(IDOK);
}

void CSettingDlg::OnBrowseSaveDir() {
    BrowseInto(IDC_SAVE_DIR);
}

void CSettingDlg::OnBrowseInstallDir() {
    BrowseInto(IDC_INSTALL_DIR);
}

// The edit keeps its text unless a folder was chosen.
void CSettingDlg::BrowseInto(int editId) {
    char folder[kMaxPath] = "";
    GetDlgItemText(editId, folder, kMaxPath);
    if (BrowseForFolder(folder, m_hWnd))
        SetDlgItemText(editId, folder);
}
