#include "folder_browser.h"
#include "lead_byte.h"
#include "text.h"
#include <shlobj.h>

namespace {

const char kBrowseTitle[] = "パスを指定してください。";

// The picker needs COM on this thread; a thread that already runs it in
// another mode is left as it is.
class ComScope {
  public:
    ComScope() : m_initialised(SUCCEEDED(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
    ~ComScope() {
        if (m_initialised)
            ::CoUninitialize();
    }
    ComScope(const ComScope&) = delete;
    ComScope& operator=(const ComScope&) = delete;

  private:
    bool m_initialised;
};

// The chosen folder's path into buffer; false when the item has none.
bool ReadChosenPath(LPITEMIDLIST chosen, char* buffer) {
    return ::SHGetPathFromIDListA(chosen, buffer) != FALSE && buffer[0] != '\0';
}

// The picker's callback: preselects the folder whose path data points to.
int CALLBACK BrowseCallbackProc(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED)
        ::SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

} // namespace

int BrowseForFolder(char* buffer, HWND owner) {
    char selection[MAX_PATH];
    CopyText(selection, sizeof selection, buffer, IsActiveLeadByte);
    PrepareInitialSelection(selection, IsActiveLeadByte);

    ComScope com;
    IMalloc* allocator = nullptr;
    if (FAILED(::SHGetMalloc(&allocator)))
        return 0;
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(::SHGetSpecialFolderLocation(nullptr, CSIDL_DESKTOP, &desktop))) {
        allocator->Release();
        return 0;
    }

    BROWSEINFOA info = {};
    info.hwndOwner = owner;
    info.pidlRoot = desktop;
    info.pszDisplayName = buffer;
    info.lpszTitle = kBrowseTitle;
    info.ulFlags = 0;
    info.lpfn = BrowseCallbackProc;
    info.lParam = reinterpret_cast<LPARAM>(selection);
    LPITEMIDLIST chosen = ::SHBrowseForFolderA(&info);

    bool found = false;
    if (chosen != nullptr) {
        found = ReadChosenPath(chosen, buffer);
        allocator->Free(chosen);
    }
    allocator->Free(desktop);
    allocator->Release();
    if (!found)
        return 0;
    TrimTrailingBackslash(buffer, IsActiveLeadByte);
    return 1;
}
