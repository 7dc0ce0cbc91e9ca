// What an archiver library may change in the process and leave so, while the
// installer relies on it: the current folder, against which relative folders
// of the settings are resolved; the library search, restricted at start; and
// a quit request, which would end the dialog's modal loop as if the install
// were done. Taken before the library's call, restored right after it.
#pragma once
#include <windows.h>

class ProcessGround {
  public:
    ProcessGround();
    void Restore();

  private:
    // Wide, so that a folder with characters outside the ANSI code page is
    // restored too; the process is not long-path aware, so MAX_PATH holds it.
    wchar_t m_folder[MAX_PATH];
    bool m_hasFolder;
};
