// Static message maps: a table per window class, chained to its base class's,
// binding window messages and button clicks to handlers. A handler is called
// through a thunk made for its class and signature, which gives the dialog
// procedure's answer; a handler of the wrong type does not compile.
#pragma once
#include <windows.h>

class CWnd;

struct MessageMapEntry {
    UINT message;
    WPARAM command; // WM_COMMAND: control id and notification code, as in wParam
    INT_PTR (*thunk)(CWnd* window, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();    // the base class's map, nullptr past the root
    const MessageMapEntry* entries; // ends with an entry whose thunk is nullptr
};

// The entry for message in map or the maps it is chained to; nullptr when none has one.
inline const MessageMapEntry* FindMessageEntry(const MessageMap* map, UINT message, WPARAM wParam) {
    for (; map != nullptr; map = map->base()) {
        for (const MessageMapEntry* entry = map->entries; entry->thunk != nullptr; ++entry) {
            if (entry->message == message && (message != WM_COMMAND || entry->command == wParam))
                return entry;
        }
    }
    return nullptr;
}

template <class Window, void (Window::*Handler)()> INT_PTR CallVoid(CWnd* window, WPARAM, LPARAM) {
    (static_cast<Window*>(window)->*Handler)();
    return TRUE;
}

template <class Window, void (Window::*Handler)(UINT, LPARAM)>
INT_PTR CallSysCommand(CWnd* window, WPARAM wParam, LPARAM lParam) {
    (static_cast<Window*>(window)->*Handler)(static_cast<UINT>(wParam), lParam);
    return TRUE;
}

template <class Window, void (Window::*Handler)(BOOL)>
INT_PTR CallEndSession(CWnd* window, WPARAM wParam, LPARAM) {
    (static_cast<Window*>(window)->*Handler)(static_cast<BOOL>(wParam));
    return TRUE;
}

// A dialog procedure answers WM_QUERYENDSESSION through DWLP_MSGRESULT.
template <class Window, BOOL (Window::*Handler)()>
INT_PTR CallQueryEndSession(CWnd* window, WPARAM, LPARAM) {
    Window* dialog = static_cast<Window*>(window);
    ::SetWindowLongPtrA(dialog->m_hWnd, DWLP_MSGRESULT, (dialog->*Handler)());
    return TRUE;
}

// WM_QUERYDRAGICON answers with the cursor.
template <class Window, HCURSOR (Window::*Handler)()>
INT_PTR CallQueryDragIcon(CWnd* window, WPARAM, LPARAM) {
    return reinterpret_cast<INT_PTR>((static_cast<Window*>(window)->*Handler)());
}

// clang-format off
// In the class: declares its map.
#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

// In the source: theClass's map, whose unmatched messages go on to baseClass's.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                          \
        {0, 0, nullptr}};                                                                          \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                 \
        return &map;                                                                               \
    }

// Entries, with their handlers: void OnSysCommand(UINT id, LPARAM), void OnPaint(),
// HCURSOR OnQueryDragIcon(), void OnDestroy(), BOOL OnQueryEndSession() (TRUE lets the
// session end), void OnEndSession(BOOL ending), void handler() for button id.
#define ON_WM_SYSCOMMAND() {WM_SYSCOMMAND, 0, &CallSysCommand<ThisClass, &ThisClass::OnSysCommand>},
#define ON_WM_PAINT() {WM_PAINT, 0, &CallVoid<ThisClass, &ThisClass::OnPaint>},
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, &CallQueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
#define ON_WM_DESTROY() {WM_DESTROY, 0, &CallVoid<ThisClass, &ThisClass::OnDestroy>},
#define ON_WM_QUERYENDSESSION()                                                                    \
    {WM_QUERYENDSESSION, 0, &CallQueryEndSession<ThisClass, &ThisClass::OnQueryEndSession>},
#define ON_WM_ENDSESSION()                                                                         \
    {WM_ENDSESSION, 0, &CallEndSession<ThisClass, &ThisClass::OnEndSession>},
#define ON_BN_CLICKED(id, handler)                                                                 \
    {WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), &CallVoid<ThisClass, &ThisClass::handler>},
// clang-format on
