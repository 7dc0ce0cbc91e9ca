// An unzip32.DLL like a library whose progress window pumps messages. Its first
// call in a process acts as an impatient user on the window it was given: it
// clicks "Install" and "設定" and presses Enter and Esc; once that input is
// handled it sends the commands Install, About and 設定, so that a dialog they
// open stays open; then it fails. Later calls succeed at once. Each call
// records what it sees of the window: enabled, both icons, the system menu's
// last two items (see stub_log.h).
#include "stub_log.h"
#include <windows.h>

namespace {

void Send(INPUT (&input)[2]) {
    ::SendInput(2, input, sizeof(INPUT));
}

void Press(WORD key) {
    INPUT input[2] = {{INPUT_KEYBOARD, {}}, {INPUT_KEYBOARD, {}}};
    input[0].ki.wVk = input[1].ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    Send(input);
}

void Click(HWND button) {
    RECT rect;
    ::GetWindowRect(button, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2] = {{INPUT_MOUSE, {}}, {INPUT_MOUSE, {}}};
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    Send(input);
}

void PumpMessages(DWORD milliseconds) {
    MSG message;
    for (const ULONGLONG end = ::GetTickCount64() + milliseconds; ::GetTickCount64() < end;)
        while (::Sleep(10), ::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::TranslateMessage(&message), ::DispatchMessageA(&message);
}

} // namespace

extern "C" int WINAPI UnZip(HWND owner, LPCSTR, LPSTR, DWORD) {
    HMENU menu = ::GetSystemMenu(owner, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char caption[64] = "";
    ::GetMenuStringA(menu, last, caption, sizeof caption, MF_BYPOSITION);
    const bool icons = ::SendMessageA(owner, WM_GETICON, ICON_BIG, 0) &&
                       ::SendMessageA(owner, WM_GETICON, ICON_SMALL, 0);
    AppendToLog("KVSTUB_LOG",
                LogLine("event", "called") + LogLine("enabled", ::IsWindowEnabled(owner)) +
                    LogLine("icons", icons) +
                    LogLine("menu", std::to_string(::GetMenuState(menu, last - 1, MF_BYPOSITION)) +
                                        " " + std::to_string(::GetMenuItemID(menu, last)) + " " +
                                        caption));
    const bool first = ::GetEnvironmentVariableA("KVSTUB_PUMPED", nullptr, 0) == 0;
    ::SetEnvironmentVariableA("KVSTUB_PUMPED", "1"); // outlives the library's unloading
    if (first) {
        Click(::GetDlgItem(owner, IDOK)), Click(::GetDlgItem(owner, 1000));
        Press(VK_RETURN), Press(VK_ESCAPE), PumpMessages(500);
        ::PostMessageA(owner, WM_COMMAND, IDOK, 0);
        ::SendMessageA(owner, WM_SYSCOMMAND, 0x0010, 0);
        ::SendMessageA(owner, WM_COMMAND, 1000, 0);
        PumpMessages(500);
    }
    AppendToLog("KVSTUB_LOG", LogLine("result", first ? 1L : 0L) + "\n");
    return first ? 1 : 0;
}
