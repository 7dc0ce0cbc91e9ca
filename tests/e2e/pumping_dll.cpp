// An unzip32.DLL like a library whose progress window pumps messages. Its first
// call in a process acts as an impatient user on the window it was given:
// clicks "Install" and "設定", presses Enter and Esc, sends the commands Install,
// About and 設定, pumping messages for a second, and fails. Later calls succeed at
// once. Each call records its entry and its result (see stub_log.h).
#include "stub_log.h"
#include <windows.h>

namespace {

void Press(WORD key) {
    INPUT input[2] = {};
    for (INPUT& event : input)
        event.type = INPUT_KEYBOARD, event.ki.wVk = key;
    input[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, input, sizeof(INPUT));
}

void ClickAt(HWND button) {
    RECT rect;
    ::GetWindowRect(button, &rect);
    ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2] = {};
    for (INPUT& event : input)
        event.type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ::SendInput(2, input, sizeof(INPUT));
}

void PumpMessages(DWORD milliseconds) {
    for (const ULONGLONG end = ::GetTickCount64() + milliseconds; ::GetTickCount64() < end;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            ::TranslateMessage(&message), ::DispatchMessageA(&message);
        ::Sleep(10);
    }
}

} // namespace

// The commands come after the input has been handled, so that a settings
// dialog or About box they open stays open for the test to see.
extern "C" int WINAPI UnZip(HWND owner, LPCSTR, LPSTR, DWORD) {
    const bool first = ::GetEnvironmentVariableA("KVSTUB_PUMPED", nullptr, 0) == 0;
    ::SetEnvironmentVariableA("KVSTUB_PUMPED", "1"); // outlives the library's unloading
    // What the dialog is meanwhile: its window icons and its system menu's last two items.
    HMENU menu = ::GetSystemMenu(owner, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char caption[64] = "";
    ::GetMenuStringA(menu, last, caption, sizeof caption, MF_BYPOSITION);
    AppendToLog("KVSTUB_LOG",
                LogLine("event", "called") + LogLine("enabled", ::IsWindowEnabled(owner)) +
                    LogLine("icons", ::SendMessageA(owner, WM_GETICON, ICON_BIG, 0) &&
                                         ::SendMessageA(owner, WM_GETICON, ICON_SMALL, 0)) +
                    LogLine("menu", std::to_string(::GetMenuState(menu, last - 1, MF_BYPOSITION)) +
                                        " " + std::to_string(::GetMenuItemID(menu, last)) + " " +
                                        caption));
    if (first) {
        ClickAt(::GetDlgItem(owner, IDOK));
        ClickAt(::GetDlgItem(owner, 1000));
        Press(VK_RETURN), Press(VK_ESCAPE);
        PumpMessages(500);
        ::PostMessageA(owner, WM_COMMAND, IDOK, 0);
        ::SendMessageA(owner, WM_SYSCOMMAND, 0x0010, 0);
        ::SendMessageA(owner, WM_COMMAND, 1000, 0);
        PumpMessages(500);
    }
    AppendToLog("KVSTUB_LOG", LogLine("result", first ? 1L : 0L) + "\n");
    return first ? 1 : 0;
}
