// Acting on another process's windows as a user would. Input is posted, so an
// action that opens a modal window cannot block the test; every read is a
// message sent with a timeout, so a hung program cannot hang the test.
#pragma once
#include <windows.h>
#include <string>

struct WindowQuery {
    DWORD processId;
    const char* caption = nullptr;    // exact caption; nullptr: any
    const char* className = "#32770"; // nullptr: any
    HWND owner = nullptr;             // nullptr: any
    bool visible = true;              // false: hidden ones too
};

HWND FindTopWindow(const WindowQuery& query);
HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs);
// True when no matching window shows up for the whole of periodMs.
bool StaysAbsent(const WindowQuery& query, DWORD periodMs);
// True once the window is destroyed or hidden within timeoutMs.
bool WaitForGone(HWND window, DWORD timeoutMs);
// True when the window's thread answers a message within timeoutMs.
bool Answers(HWND window, DWORD timeoutMs = 5000);

std::string Text(HWND window);
std::string ControlText(HWND dialog, int id);
bool SetControlText(HWND dialog, int id, const std::string& text);
bool IsChecked(HWND dialog, int id);
bool SetChecked(HWND dialog, int id, bool checked);

// The BN_CLICKED notification that a click on the button sends.
void Click(HWND dialog, int id);
// Esc pressed in the dialog, on its control id.
void PressEscape(HWND dialog, int id);
void PostSysCommand(HWND window, WPARAM command);

// A message box: a dialog owned by owner with its text in control 0xFFFF.
struct MessageBoxSeen {
    HWND window = nullptr;
    std::string caption;
    std::string text;
};
MessageBoxSeen WaitForMessageBox(DWORD processId, HWND owner, DWORD timeoutMs);
// Presses the box's button id and waits until the box is gone.
bool Answer(const MessageBoxSeen& box, int id);
