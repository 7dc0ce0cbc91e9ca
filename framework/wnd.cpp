#include "wnd.h"
#include "win_app.h"

int CWnd::MessageBox(const char* text, const char* caption, UINT type) {
    return ::MessageBoxA(m_hWnd, text, caption != nullptr ? caption : AfxGetAppName(), type);
}

bool CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) {
    UINT code = message == WM_COMMAND ? HIWORD(wParam) : 0;
    UINT id = message == WM_COMMAND ? LOWORD(wParam) : 0;
    for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base()) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk != nullptr; ++entry) {
            if (entry->message == message && entry->code == code && entry->id == id) {
                *result = entry->thunk(this, wParam, lParam);
                return true;
            }
        }
    }
    return false;
}
