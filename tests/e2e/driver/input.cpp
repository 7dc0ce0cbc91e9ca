#include "input.h"
#include "window_query.h"

void ClickButton(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressKey(HWND target, UINT virtualKey) {
    UINT scanCode = ::MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC);
    LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    LPARAM up = down | (1 << 30) | (1u << 31);
    ::PostMessageA(target, WM_KEYDOWN, virtualKey, down);
    ::PostMessageA(target, WM_KEYUP, virtualKey, up);
}

void TypeText(HWND target, const std::string& text) {
    for (unsigned char character : text)
        ::PostMessageA(target, WM_CHAR, character, 1);
}

void FocusControl(HWND dialog, HWND control) {
    ::PostMessageA(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE);
}

void PostSysCommand(HWND window, WPARAM command) {
    ::PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

bool SetText(HWND window, const std::string& text) {
    DWORD_PTR result = 0;
    return SendWithTimeout(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                           &result) &&
           result != 0;
}
