// An unzip32.DLL whose progress window pumps messages. Its first call acts as an
// impatient user on the window it was given: takes the focus, sends the
// commands Install, About and 設定, clicks "Install" and "設定", presses Enter
// and Esc; all that once on the window as given and once after enabling it, as
// a hand-made modal window does on closing. Then a window of its own takes the
// activation (the dialog keeps "設定" as its focus) and closes once the owner
// is disabled again, and the call fails. Later calls succeed. Each records the
// window (enabled, icons, menu end) and the Windows version and DPI the process is told.
#include "stub_log.h"
#include <windows.h>

namespace {

// A key, or the left button over the centre of button, pressed and released.
void PressAndRelease(WORD key, HWND button = nullptr) {
    RECT rect;
    if (button != nullptr && ::GetWindowRect(button, &rect))
        ::SetCursorPos((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    INPUT input[2] = {};
    for (int up = 0; up < 2; ++up) {
        input[up].type = button ? INPUT_MOUSE : INPUT_KEYBOARD;
        if (button)
            input[up].mi.dwFlags = up ? MOUSEEVENTF_LEFTUP : MOUSEEVENTF_LEFTDOWN;
        else
            input[up].ki = {key, 0, up ? KEYEVENTF_KEYUP : 0u, 0, 0};
    }
    ::SendInput(2, input, sizeof(INPUT));
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
    HDC dc = ::GetDC(owner);
    AppendToLog("KVSTUB_LOG",
                LogLine("event", "called") + LogLine("enabled", ::IsWindowEnabled(owner)) +
                    LogLine("version", std::to_string(LOBYTE(::GetVersion())) + "." +
                                           std::to_string(HIBYTE(::GetVersion()))) +
                    LogLine("dpi", ::GetDeviceCaps(dc, LOGPIXELSY)) +
                    LogLine("icons", ::SendMessageA(owner, WM_GETICON, ICON_BIG, 0) &&
                                         ::SendMessageA(owner, WM_GETICON, ICON_SMALL, 0)) +
                    LogLine("menu", std::to_string(::GetMenuState(menu, last - 1, MF_BYPOSITION)) +
                                        " " + std::to_string(::GetMenuItemID(menu, last)) + " " +
                                        caption));
    const bool first = ::GetEnvironmentVariableA("KVSTUB_PUMPED", nullptr, 0) == 0;
    ::SetEnvironmentVariableA("KVSTUB_PUMPED", "1"); // outlives the library's unloading
    if (first) {
        for (BOOL enabled : {FALSE, TRUE}) {
            ::EnableWindow(owner, enabled);
            ::SetFocus(nullptr), ::PostMessageA(owner, WM_COMMAND, IDOK, 0);
            ::SendMessageA(owner, WM_SYSCOMMAND, 0x0010, 0);
            ::SendMessageA(owner, WM_COMMAND, 1000, 0);
            PressAndRelease(0, ::GetDlgItem(owner, IDOK)),
                PressAndRelease(0, ::GetDlgItem(owner, 1000));
            PressAndRelease(VK_RETURN), PressAndRelease(VK_ESCAPE), PumpMessages(400);
        }
        HWND progress = ::CreateWindowExA(0, "STATIC", "progress", WS_POPUP | WS_VISIBLE, 0, 0, 99,
                                          99, owner, nullptr, nullptr, nullptr);
        ::SetActiveWindow(progress), PumpMessages(100);
        ::EnableWindow(owner, FALSE), ::DestroyWindow(progress);
    }
    AppendToLog("KVSTUB_LOG", LogLine("result", first ? 1L : 0L) + "\n");
    return first ? 1 : 0;
}
