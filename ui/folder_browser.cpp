#include "folder_browser.h"
#include "com_scope.h"
#include "lead_byte.h"
#include "shell_library.h"
#include "text.h"
#include <shlobj.h>

namespace {

const char kBrowseTitle[] = "パスを指定してください。";

// The shell functions the picker needs, from SHELL32 loaded on first use.
struct PickerFunctions {
    decltype(&::SHGetMalloc) getMalloc = SHELL_FUNCTION(SHGetMalloc);
    decltype(&::SHGetSpecialFolderLocation) getFolderLocation =
        SHELL_FUNCTION(SHGetSpecialFolderLocation);
    decltype(&::SHBrowseForFolderA) browseForFolder = SHELL_FUNCTION(SHBrowseForFolderA);
    decltype(&::SHGetPathFromIDListA) getPathFromIDList = SHELL_FUNCTION(SHGetPathFromIDListA);

    bool AllFound() const {
        return getMalloc != nullptr && getFolderLocation != nullptr && browseForFolder != nullptr &&
               getPathFromIDList != nullptr;
    }
};

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

    PickerFunctions shell;
    if (!shell.AllFound())
        return 0;
    ComScope com(COINIT_APARTMENTTHREADED); // the picker needs COM
    IMalloc* allocator = nullptr;
    if (FAILED(shell.getMalloc(&allocator)))
        return 0;
    LPITEMIDLIST desktop = nullptr;
    if (FAILED(shell.getFolderLocation(nullptr, CSIDL_DESKTOP, &desktop))) {
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
    LPITEMIDLIST chosen = shell.browseForFolder(&info);

    bool found = false;
    if (chosen != nullptr) {
        // The chosen folder's path; an item without one counts as no choice.
        found = shell.getPathFromIDList(chosen, buffer) != FALSE && buffer[0] != '\0';
        allocator->Free(chosen);
    }
    allocator->Free(desktop);
    allocator->Release();
    if (!found)
        return 0;
    TrimTrailingBackslash(buffer, IsActiveLeadByte);
    return 1;
}
