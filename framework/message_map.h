// Static message maps: a table per window class, chained to its base class's
// table, that binds window messages and button clicks to member handlers.
// Each entry calls its handler through a thunk instantiated for the handler's
// class and signature, so a handler of the wrong type does not compile.
#pragma once
#include <windows.h>

class CWnd;

struct MessageMapEntry {
    UINT message;
    UINT code; // WM_COMMAND: notification code; otherwise 0
    UINT id;   // WM_COMMAND: control id; otherwise 0
    LRESULT (*thunk)(CWnd* window, WPARAM wParam, LPARAM lParam);
};

struct MessageMap {
    const MessageMap* (*base)();    // the base class's map, nullptr past the root
    const MessageMapEntry* entries; // ends with an entry whose thunk is nullptr
};

template <class Window, void (Window::*Handler)()> LRESULT CallVoid(CWnd* window, WPARAM, LPARAM) {
    (static_cast<Window*>(window)->*Handler)();
    return 0;
}

template <class Window, void (Window::*Handler)(UINT, LPARAM)>
LRESULT CallSysCommand(CWnd* window, WPARAM wParam, LPARAM lParam) {
    (static_cast<Window*>(window)->*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <class Window, HCURSOR (Window::*Handler)()>
LRESULT CallQueryDragIcon(CWnd* window, WPARAM, LPARAM) {
    return reinterpret_cast<LRESULT>((static_cast<Window*>(window)->*Handler)());
}

// clang-format off
// In the class: declares the map of this class.
#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const MessageMap* GetThisMessageMap();                                                  \
    const MessageMap* GetMessageMap() const override { return GetThisMessageMap(); }

// In the source: the map of theClass, whose unmatched messages go on to baseClass's map.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const MessageMap* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                          \
        {0, 0, 0, nullptr}};                                                                       \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap, entries};                 \
        return &map;                                                                               \
    }

// void OnSysCommand(UINT id, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                                         \
    {WM_SYSCOMMAND, 0, 0, &CallSysCommand<ThisClass, &ThisClass::OnSysCommand>},
// void OnPaint()
#define ON_WM_PAINT() {WM_PAINT, 0, 0, &CallVoid<ThisClass, &ThisClass::OnPaint>},
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                                      \
    {WM_QUERYDRAGICON, 0, 0, &CallQueryDragIcon<ThisClass, &ThisClass::OnQueryDragIcon>},
// void OnDestroy()
#define ON_WM_DESTROY() {WM_DESTROY, 0, 0, &CallVoid<ThisClass, &ThisClass::OnDestroy>},
// void handler(), for a click of button id
#define ON_BN_CLICKED(id, handler)                                                                 \
    {WM_COMMAND, BN_CLICKED, (id), &CallVoid<ThisClass, &ThisClass::handler>},
// clang-format on
