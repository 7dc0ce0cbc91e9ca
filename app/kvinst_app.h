// The application: runs the main dialog, then ends.
#pragma once
#include "win_app.h"

class CKvInstApp : public CWinApp {
  public:
    BOOL InitInstance() override;
};
