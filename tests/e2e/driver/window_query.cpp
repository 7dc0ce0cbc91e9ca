#include "window_query.h"
#include "wait.h"
#include <cstring>

namespace {

bool Matches(HWND window, const WindowQuery& query) {
    if (query.visible && !::IsWindowVisible(window))
        return false;
    if (query.processId != 0) {
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        if (processId != query.processId)
            return false;
    }
    if (query.owner != nullptr && ::GetWindow(window, GW_OWNER) != query.owner)
        return false;
    if (query.className != nullptr && ClassName(window) != query.className)
        return false;
    return query.caption == nullptr || WindowText(window) == query.caption;
}

struct Search {
    const WindowQuery* query;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectMatch(HWND window, LPARAM context) {
    Search* search = reinterpret_cast<Search*>(context);
    if (Matches(window, *search->query))
        search->found.push_back(window);
    return TRUE;
}

} // namespace

bool SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR* result,
                     DWORD timeoutMs) {
    DWORD_PTR ignored = 0;
    return ::SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs,
                                 result != nullptr ? result : &ignored) != 0;
}

std::vector<HWND> FindWindows(const WindowQuery& query) {
    Search search{&query, {}};
    ::EnumWindows(CollectMatch, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(const WindowQuery& query, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            std::vector<HWND> windows = FindWindows(query);
            found = windows.empty() ? nullptr : windows.front();
            return found != nullptr;
        },
        timeoutMs, 50);
    return found;
}

bool StaysAbsent(const WindowQuery& query, DWORD periodMs) {
    return !WaitUntil([&] { return !FindWindows(query).empty(); }, periodMs, 50);
}

bool WaitForWindowGone(HWND window, DWORD timeoutMs) {
    return WaitUntil([&] { return !::IsWindow(window) || !::IsWindowVisible(window); }, timeoutMs);
}

std::string WindowText(HWND window) {
    DWORD_PTR length = 0;
    if (!SendWithTimeout(window, WM_GETTEXTLENGTH, 0, 0, &length))
        return "<no answer>";
    std::string text(length + 1, '\0');
    DWORD_PTR copied = 0;
    if (!SendWithTimeout(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]),
                         &copied))
        return "<no answer>";
    text.resize(std::strlen(text.c_str()));
    return text;
}

std::string ClassName(HWND window) {
    char name[256] = "";
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

std::string ControlText(HWND dialog, int id) {
    HWND control = ::GetDlgItem(dialog, id);
    return control != nullptr ? WindowText(control) : "<no control>";
}

LONG Style(HWND window) {
    return ::GetWindowLongA(window, GWL_STYLE);
}

LONG ExStyle(HWND window) {
    return ::GetWindowLongA(window, GWL_EXSTYLE);
}

HWND Owner(HWND window) {
    return ::GetWindow(window, GW_OWNER);
}

std::vector<ChildControl> ChildControls(HWND window) {
    std::vector<ChildControl> children;
    for (HWND child = ::GetWindow(window, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        children.push_back(
            {child, ::GetDlgCtrlID(child), ClassName(child), WindowText(child), Style(child)});
    }
    return children;
}

HWND FocusedWindow(DWORD threadId) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(threadId, &info) ? info.hwndFocus : nullptr;
}
