// The four places where the installer core meets its window: the display
// fields, message boxes, the window handle and the end of the dialog.
#pragma once
#include "platform.h"

// Message-box buttons and answers, as Win32 numbers them.
constexpr unsigned kMbOk = 0x0;       // MB_OK
constexpr unsigned kMbOkCancel = 0x1; // MB_OKCANCEL
constexpr int kIdOk = 1;              // IDOK
constexpr int kIdCancel = 2;          // IDCANCEL

// Display fields of the main dialog.
constexpr int kIdcInstallDir = 1001;
constexpr int kIdcSaveDir = 1002;
constexpr int kIdcPackageName = 1003;
constexpr int kIdcInstalledDate = 1004;

class CInstallerWindow {
  public:
    virtual ~CInstallerWindow() = default;
    virtual void ShowFieldText(int controlId, const char* text) = 0;
    // caption nullptr: the box carries the application's name.
    virtual int ShowMessage(const char* text, const char* caption, unsigned type) = 0;
    virtual WindowHandle OwnerWindow() = 0;
    virtual void EndWithOk() = 0;
};
