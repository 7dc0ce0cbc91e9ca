// Acting on another process's windows as a user would. Input is posted, so that
// an action opening a modal window cannot block the test; every read is sent
// with a timeout, so that a hung program cannot hang the test.
#pragma once
#include "wait.h"
#include <windows.h>
#include <string>

inline bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result);
}

inline DWORD_PTR Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    DWORD_PTR result = 0;
    return Send(window, message, wParam, lParam, result) ? result : 0;
}

inline std::string Text(HWND window) {
    DWORD_PTR length = 0;
    std::string text(Send(window, WM_GETTEXTLENGTH, 0, 0, length) ? length + 1 : 1, '\0');
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), length))
        return "<no answer>";
    return text.c_str();
}

inline std::string ControlText(HWND dialog, int id) {
    return Text(::GetDlgItem(dialog, id));
}
inline bool SetControlText(HWND dialog, int id, const std::string& text) {
    DWORD_PTR done = 0;
    HWND control = ::GetDlgItem(dialog, id);
    return Send(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), done) && done;
}

// The BN_CLICKED notification that a click on the button sends.
inline void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}
// Esc pressed on the dialog's control id (the dialog manager acts on the key-down).
inline void PressEscape(HWND dialog, int id) {
    ::PostMessageA(::GetDlgItem(dialog, id), WM_KEYDOWN, VK_ESCAPE, 1);
}
// The window with the keyboard focus in the thread of window.
inline HWND FocusOf(HWND window) {
    GUITHREADINFO info = {sizeof info, 0, {}, {}, {}, {}, {}, {}, {}};
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus
                                                                                  : nullptr;
}
inline RECT WindowRect(HWND window) {
    RECT rect = {};
    return ::GetWindowRect(window, &rect), rect;
}
inline COLORREF ScreenPixel(int x, int y) {
    HDC screen = ::GetDC(nullptr);
    const COLORREF colour = ::GetPixel(screen, x, y);
    return ::ReleaseDC(nullptr, screen), colour;
}

// A visible top-level window of a process.
struct WindowQuery {
    DWORD processId;
    const char* caption = nullptr; // nullptr: any
    HWND owner = nullptr;          // nullptr: any

    bool Matches(HWND window) const {
        DWORD process = 0;
        ::GetWindowThreadProcessId(window, &process);
        return process == processId && ::IsWindowVisible(window) &&
               (owner == nullptr || ::GetWindow(window, GW_OWNER) == owner) &&
               (caption == nullptr || Text(window) == caption);
    }
    HWND Find() const {
        HWND window = ::GetTopWindow(nullptr);
        while (window != nullptr && !Matches(window))
            window = ::GetWindow(window, GW_HWNDNEXT);
        return window;
    }
    HWND WaitFor(DWORD timeoutMs = kWindowTimeoutMs) const {
        HWND found = nullptr;
        WaitUntil([&] { return (found = Find()) != nullptr; }, timeoutMs, 50);
        return found;
    }
    // True when no such window shows up for the whole of periodMs.
    bool StaysAbsent(DWORD periodMs = kQuietPeriodMs) const { return WaitFor(periodMs) == nullptr; }
};

// True once the window is destroyed or hidden.
inline bool WaitForGone(HWND window) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); },
                     kWindowTimeoutMs);
}
