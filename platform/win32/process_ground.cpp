#include "process_ground.h"
#include "dll_search.h"

ProcessGround::ProcessGround() {
    DWORD length = ::GetCurrentDirectoryW(MAX_PATH, m_folder);
    m_hasFolder = length > 0 && length < MAX_PATH;
}

// A quit request is the queue's flag, not a message: PeekMessage with the
// WM_QUIT filter takes it off.
void ProcessGround::Restore() {
    if (m_hasFolder)
        ::SetCurrentDirectoryW(m_folder);
    RestrictDllSearch();
    MSG quit;
    while (::PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}
