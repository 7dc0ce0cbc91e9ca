// The About box: the program's icon, name and version.
#pragma once
#include "dialog.h"

class CAboutDlg : public CDialog {
  public:
    CAboutDlg();

  protected:
    void DoDataExchange(CDataExchange*) override {}

    DECLARE_MESSAGE_MAP()
};
