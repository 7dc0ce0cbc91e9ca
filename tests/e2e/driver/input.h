// Acting on another process's dialogs. Everything is posted, as a user's input
// arrives, so that an action that opens a modal window cannot block the test:
// the dialog's own message loop picks the messages up and its dialog manager
// (IsDialogMessage) treats keys as it treats typed ones. Posting needs neither
// the foreground nor a real keyboard, which makes it reliable under Wine.
#pragma once
#include <windows.h>
#include <string>

// A click on button id of dialog: the BN_CLICKED notification a click sends.
void ClickButton(HWND dialog, int id);
// A key pressed and released on target, which should hold the focus.
void PressKey(HWND target, UINT virtualKey);
// Typed characters (single-byte text) into target.
void TypeText(HWND target, const std::string& text);
// Moves the dialog's focus to control, as clicking or tabbing into it would.
void FocusControl(HWND dialog, HWND control);
// A system command, as the system menu or the title bar's buttons send it.
void PostSysCommand(HWND window, WPARAM command);
// Replaces a control's text at once; false when the window did not answer.
bool SetText(HWND window, const std::string& text);
