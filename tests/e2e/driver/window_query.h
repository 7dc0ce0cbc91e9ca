// Finding another process's windows and reading their state. Texts are read
// with WM_GETTEXT (an edit's text lives in the control, not in the window's
// caption), always with a timeout so that a hung program cannot hang the test.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

struct WindowQuery {
    DWORD processId = 0;             // 0: any process
    const char* caption = nullptr;   // exact caption; nullptr: any
    const char* className = nullptr; // nullptr: any
    HWND owner = nullptr;            // nullptr: any owner
    bool visible = true;             // false: visible or not
};

// Top-level windows that match, in the system's z-order.
std::vector<HWND> FindWindows(const WindowQuery& query);
// The first matching window within timeoutMs, or nullptr.
HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs);
// True when no matching window is there for the whole of periodMs.
bool StaysAbsent(const WindowQuery& query, DWORD periodMs);
// True once window is gone (destroyed or hidden) within timeoutMs.
bool WaitForWindowGone(HWND window, DWORD timeoutMs);

std::string WindowText(HWND window);
std::string ClassName(HWND window);
std::string ControlText(HWND dialog, int id);
LONG Style(HWND window);
LONG ExStyle(HWND window);
HWND Owner(HWND window);

struct ChildControl {
    HWND window;
    int id;
    std::string className;
    std::string text;
    LONG style;
};

// The direct children of window, in z-order (a dialog's template order).
std::vector<ChildControl> ChildControls(HWND window);

// The window that has the keyboard focus in the given thread, or nullptr.
HWND FocusedWindow(DWORD threadId);

// Sends message with a timeout; false when the window did not answer in time.
bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                     DWORD timeoutMs = 5000);
