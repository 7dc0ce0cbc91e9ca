// The main dialog: shows what would be installed, and installs it on "Install".
// It holds the installer state (CInstaller) and is the installer's window.
#pragma once
#include "dialog.h"
#include "installer.h"
#include "installer_window.h"
#include "win32_platform.h"

// Holds the platform in a base listed before CInstaller, so that it is
// constructed before CInstaller takes a reference to it.
struct CWin32PlatformHolder {
    CWin32Platform m_win32Platform;
};

class CKvInstDlg : private CWin32PlatformHolder,
                   public CDialog,
                   public CInstaller,
                   public CInstallerWindow {
  public:
    explicit CKvInstDlg(CWnd* parent = nullptr);

  protected:
    BOOL OnInitDialog() override;
    // "Install": the install sequence.
    void OnOK() override { Install(); }

    void OnSysCommand(UINT id, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnDestroy();
    BOOL OnQueryEndSession();
    void OnEndSession(BOOL ending);
    void OnSettings();

    DECLARE_MESSAGE_MAP()

  private:
    // CInstallerWindow
    void ShowFieldText(int controlId, const char* text) override;
    int ShowMessage(const char* text, const char* caption, unsigned type) override;
    WindowHandle OwnerWindow() override { return m_hWnd; }
    void EndWithOk() override { CDialog::OnOK(); }

    void AddAboutMenuEntry();

    HICON m_hIcon;
};
