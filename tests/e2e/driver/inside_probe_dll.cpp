// The inside probe DLL (see inside_probe_protocol.h). Loaded into the program
// under test by a thread hook, it does nothing but answer the probe message.
#include "inside_probe_protocol.h"
#include <windows.h>
#include <cstdio>

namespace {

void WriteSystemMenu(std::FILE* out, HWND window) {
    HMENU menu = ::GetSystemMenu(window, FALSE);
    int count = menu != nullptr ? ::GetMenuItemCount(menu) : 0;
    for (int position = 0; position < count; ++position) {
        char text[256] = "";
        MENUITEMINFOA item = {};
        item.cbSize = sizeof item;
        item.fMask = MIIM_FTYPE | MIIM_ID | MIIM_STRING;
        item.dwTypeData = text;
        item.cch = sizeof text;
        if (!::GetMenuItemInfoA(menu, static_cast<UINT>(position), TRUE, &item))
            continue;
        std::fprintf(out, "menu=%u\t%s\t%s\n", item.wID,
                     (item.fType & MFT_SEPARATOR) != 0 ? "separator" : "string", text);
    }
}

// Written under another name and renamed, so the reader never sees half a file.
void WriteFacts(HWND window, const char* path) {
    char temporaryPath[MAX_PATH + 4];
    std::snprintf(temporaryPath, sizeof temporaryPath, "%s.new", path);
    std::FILE* out = std::fopen(temporaryPath, "wb");
    if (out == nullptr)
        return;
    std::fprintf(out, "bigIcon=%d\n", ::SendMessageA(window, WM_GETICON, ICON_BIG, 0) != 0);
    std::fprintf(out, "smallIcon=%d\n", ::SendMessageA(window, WM_GETICON, ICON_SMALL, 0) != 0);
    WriteSystemMenu(out, window);
    std::fclose(out);
    ::MoveFileExA(temporaryPath, path, MOVEFILE_REPLACE_EXISTING);
}

} // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK
    InsideProbeHook(int code, WPARAM wParam, LPARAM lParam) {
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE &&
        message->message == ::RegisterWindowMessageA(kInsideProbeMessage)) {
        char path[MAX_PATH] = "";
        if (::GlobalGetAtomNameA(static_cast<ATOM>(message->wParam), path, sizeof path) != 0)
            WriteFacts(message->hwnd, path);
        message->message = WM_NULL;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
