#include "message_box.h"
#include "input.h"
#include "window_query.h"
#include "wait.h"

namespace {

// A dialog is a message box when it has the message text control.
bool IsMessageBox(HWND window) {
    return ::GetDlgItem(window, kMessageBoxTextId) != nullptr;
}

} // namespace

MessageBoxInfo WaitForMessageBox(DWORD processId, HWND owner, DWORD timeoutMs) {
    MessageBoxInfo box;
    WindowQuery query;
    query.processId = processId;
    query.className = "#32770";
    query.owner = owner;
    WaitUntil(
        [&] {
            for (HWND window : FindWindows(query)) {
                if (IsMessageBox(window)) {
                    box.window = window;
                    return true;
                }
            }
            return false;
        },
        timeoutMs, 50);
    if (box.window == nullptr)
        return box;
    box.caption = WindowText(box.window);
    box.text = ControlText(box.window, kMessageBoxTextId);
    for (const ChildControl& child : ChildControls(box.window)) {
        if (child.className == "Button" && (child.style & WS_VISIBLE) != 0)
            box.buttons.push_back(child.id);
    }
    return box;
}

bool AnswerMessageBox(const MessageBoxInfo& box, int buttonId, DWORD timeoutMs) {
    ClickButton(box.window, buttonId);
    return WaitForWindowGone(box.window, timeoutMs);
}
