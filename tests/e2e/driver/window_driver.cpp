#include "window_driver.h"
#include "wait.h"
#include <cstring>
#include <vector>

namespace {

bool Matches(HWND window, const WindowQuery& query) {
    DWORD processId = 0;
    ::GetWindowThreadProcessId(window, &processId);
    char className[64] = "";
    ::GetClassNameA(window, className, sizeof className);
    return processId == query.processId && (!query.visible || ::IsWindowVisible(window)) &&
           (query.owner == nullptr || ::GetWindow(window, GW_OWNER) == query.owner) &&
           (query.className == nullptr || std::strcmp(className, query.className) == 0) &&
           (query.caption == nullptr || Text(window) == query.caption);
}

struct Search {
    const WindowQuery& query;
    HWND found;
};

BOOL CALLBACK StopAtMatch(HWND window, LPARAM context) {
    Search* search = reinterpret_cast<Search*>(context);
    if (!Matches(window, search->query))
        return TRUE;
    search->found = window;
    return FALSE;
}

bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000,
                                 &result) != 0;
}

} // namespace

HWND FindTopWindow(const WindowQuery& query) {
    Search search{query, nullptr};
    ::EnumWindows(StopAtMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForTopWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(query)) != nullptr; }, timeoutMs, 50);
    return found;
}

bool StaysAbsent(const WindowQuery& query, DWORD periodMs) {
    return !WaitUntil([&] { return FindTopWindow(query) != nullptr; }, periodMs, 50);
}

bool WaitForGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

bool Answers(HWND window, DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return ::IsWindow(window) &&
           ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &ignored) != 0;
}

std::string Text(HWND window) {
    DWORD_PTR length = 0;
    if (!Send(window, WM_GETTEXTLENGTH, 0, 0, length))
        return "<no answer>";
    std::vector<char> text(length + 1, '\0');
    if (!Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), length))
        return "<no answer>";
    return text.data();
}

std::string ControlText(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control != nullptr ? Text(control) : "<no control>";
}

bool SetControlText(HWND dialog, int id, const std::string& text) {
    DWORD_PTR done = 0;
    return Send(::GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                done) &&
           done != 0;
}

bool IsChecked(HWND dialog, int id) {
    DWORD_PTR state = 0;
    return Send(::GetDlgItem(dialog, id), BM_GETCHECK, 0, 0, state) && state == BST_CHECKED;
}

bool SetChecked(HWND dialog, int id, bool checked) {
    DWORD_PTR ignored = 0;
    return Send(::GetDlgItem(dialog, id), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0,
                ignored);
}

void Click(HWND dialog, int id) {
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void PressEscape(HWND dialog, int id) {
    LPARAM down = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC)) << 16);
    ::PostMessageA(::GetDlgItem(dialog, id), WM_KEYDOWN, VK_ESCAPE, down);
    ::PostMessageA(::GetDlgItem(dialog, id), WM_KEYUP, VK_ESCAPE, down | 0xC0000000);
}

void PostSysCommand(HWND window, WPARAM command) {
    ::PostMessageA(window, WM_SYSCOMMAND, command, 0);
}

MessageBoxSeen WaitForMessageBox(DWORD processId, HWND owner, DWORD timeoutMs) {
    MessageBoxSeen box;
    WindowQuery query{processId};
    query.owner = owner;
    WaitUntil(
        [&] {
            box.window = FindTopWindow(query);
            return box.window != nullptr && ::GetDlgItem(box.window, 0xFFFF) != nullptr;
        },
        timeoutMs, 50);
    if (box.window == nullptr || ::GetDlgItem(box.window, 0xFFFF) == nullptr)
        return MessageBoxSeen();
    box.caption = Text(box.window);
    box.text = ControlText(box.window, 0xFFFF);
    return box;
}

bool Answer(const MessageBoxSeen& box, int id) {
    Click(box.window, id);
    return WaitForGone(box.window, kWindowTimeoutMs);
}
