// Message boxes of a program under test: the system's dialog class #32770,
// owned by the program's window, with the message in static control 0xFFFF.
#pragma once
#include <windows.h>
#include <string>
#include <vector>

constexpr int kMessageBoxTextId = 0xFFFF;

struct MessageBoxInfo {
    HWND window = nullptr;
    std::string caption;
    std::string text;
    std::vector<int> buttons; // ids of the visible buttons, in z-order
};

// The first visible message box of processId owned by owner within timeoutMs;
// window nullptr when none came.
MessageBoxInfo WaitForMessageBox(DWORD processId, HWND owner, DWORD timeoutMs);
// Presses the box's button id and waits until the box is gone.
bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs);
