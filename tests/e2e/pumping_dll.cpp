// An unzip32.DLL as third-party libraries may behave. KVSTUB_SCRIPT: what each
// call does, calls split by ';', actions by ','. "impatient": while it pumps
// messages, acts as an impatient user on the window given (commands, clicks,
// keys), once as given and once after enabling it; then a window of its own
// takes the activation and closes once the owner is disabled again. "wait":
// pumps until its window "unpacking" is closed. "chdir" to the destination,
// "dllsearch" to the default, "quit" posts WM_QUIT, "fail" returns 1 (else 0).
// Each call records the window and the Windows version and DPI the process is told.
#include "stub_log.h"
#include <windows.h>
#include <commctrl.h>
#include <cstring>

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

// This call's part of the script; the environment keeps the rest past the library's unloading.
std::string ThisCallsActions() {
    char text[256] = "";
    ReadEnvironment("KVSTUB_SCRIPT", text, sizeof text);
    const std::string script = std::string(text) + ";";
    ::SetEnvironmentVariableA("KVSTUB_SCRIPT", script.substr(script.find(';') + 1).c_str());
    return script.substr(0, script.find(';')) + ",";
}

void ActImpatiently(HWND owner) {
    for (BOOL enabled : {FALSE, TRUE}) {
        ::EnableWindow(owner, enabled);
        ::SetFocus(nullptr), ::PostMessageA(owner, WM_COMMAND, IDOK, 0);
        ::SendMessageA(owner, WM_SYSCOMMAND, 0x0010, 0);
        ::SendMessageA(owner, WM_COMMAND, 1000, 0);
        PressAndRelease(0, ::GetDlgItem(owner, IDOK)),
            PressAndRelease(0, ::GetDlgItem(owner, 1000));
        PressAndRelease(VK_RETURN), PressAndRelease(VK_ESCAPE), PumpMessages(400);
    }
    HWND progress = ::CreateWindowExA(0, "STATIC", "progress", WS_POPUP | WS_VISIBLE, 0, 0, 99, 99,
                                      owner, nullptr, nullptr, nullptr);
    ::SetActiveWindow(progress), PumpMessages(100);
    ::EnableWindow(owner, FALSE), ::DestroyWindow(progress);
}

} // namespace

extern "C" int WINAPI UnZip(HWND owner, LPCSTR commandLine, LPSTR, DWORD) {
    HMENU menu = ::GetSystemMenu(owner, FALSE);
    const int last = ::GetMenuItemCount(menu) - 1;
    char caption[64] = "";
    SIZE ideal = {};
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
                                        caption) +
                    LogLine("themed", ::SendMessageA(::GetDlgItem(owner, IDOK), BCM_GETIDEALSIZE, 0,
                                                     reinterpret_cast<LPARAM>(&ideal)) &&
                                          ideal.cx > 0));
    const std::string actions = ThisCallsActions();
    const auto does = [&](const char* action) {
        return actions.find(std::string(action) + ",") != std::string::npos;
    };
    if (does("impatient"))
        ActImpatiently(owner);
    if (does("wait")) {
        HWND window = ::CreateWindowExA(0, "STATIC", "unpacking", WS_POPUP | WS_VISIBLE, 0, 0, 99,
                                        99, owner, nullptr, nullptr, nullptr);
        while (::IsWindow(window))
            PumpMessages(100);
    }
    (void)(does("chdir") && ::SetCurrentDirectoryA(std::strrchr(commandLine, ' ') + 1));
    (void)(does("dllsearch") && ::SetDllDirectoryA(nullptr));
    (void)(does("quit") && (::PostQuitMessage(0), true));
    AppendToLog("KVSTUB_LOG", LogLine("result", does("fail") ? 1L : 0L) + "\n");
    return does("fail") ? 1 : 0;
}
