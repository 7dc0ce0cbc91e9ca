// The settings dialog: both folders, the add-name and the three options. It
// works on its members, which its opener loads before and reads after an OK.
#pragma once
#include "dialog.h"

class CSettingDlg : public CDialog {
  public:
    explicit CSettingDlg(CWnd* parent = nullptr);

    CString m_strAddName;
    CString m_strInstallDir;
    CString m_strSaveDir;
    BOOL m_bDeleteFile = 0;
    BOOL m_bQuitApp = 0;
    BOOL m_bExecuteApp = 0;

  protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;

    void OnBrowseSaveDir();
    void OnBrowseInstallDir();

    DECLARE_MESSAGE_MAP()

  private:
    void BrowseInto(int editId);
};
