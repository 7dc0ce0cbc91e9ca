// Static message maps: a table per window class, chained to its base class's
// table, that binds window messages and button clicks to member handlers.
// Each entry calls its handler through a thunk instantiated for the handler's
// own signature, so a handler of the wrong type does not compile.
#pragma once
#include <type_traits>
#include <windows.h>

class CWnd;

using MessageThunk = LRESULT (*)(CWnd* window, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    UINT message;
    UINT code; // WM_COMMAND: notification code; otherwise 0
    UINT id;   // WM_COMMAND: control id; otherwise 0
    MessageThunk thunk;
};

struct MessageMap {
    const MessageMap* (*base)();    // nullptr for the root of the chain
    const MessageMapEntry* entries; // ends with an entry whose thunk is nullptr
};

namespace message_map_detail {

template <class Handler> struct HandlerClass;
template <class C, class R, class... Args> struct HandlerClass<R (C::*)(Args...)> {
    using type = C;
};
template <auto Handler> using HandlerClassOf = typename HandlerClass<decltype(Handler)>::type;

// The window is an object of the handler's class, which derives from CWnd.
template <auto Handler> HandlerClassOf<Handler>* Target(CWnd* window) {
    return static_cast<HandlerClassOf<Handler>*>(window);
}

template <auto Handler> LRESULT CallVoid(CWnd* window, WPARAM, LPARAM) {
    static_assert(std::is_same_v<decltype(Handler), void (HandlerClassOf<Handler>::*)()>,
                  "the handler is void handler()");
    (Target<Handler>(window)->*Handler)();
    return 0;
}

template <auto Handler> LRESULT CallSysCommand(CWnd* window, WPARAM wParam, LPARAM lParam) {
    static_assert(
        std::is_same_v<decltype(Handler), void (HandlerClassOf<Handler>::*)(UINT, LPARAM)>,
        "the handler is void OnSysCommand(UINT, LPARAM)");
    (Target<Handler>(window)->*Handler)(static_cast<UINT>(wParam), lParam);
    return 0;
}

template <auto Handler> LRESULT CallQueryDragIcon(CWnd* window, WPARAM, LPARAM) {
    static_assert(std::is_same_v<decltype(Handler), HCURSOR (HandlerClassOf<Handler>::*)()>,
                  "the handler is HCURSOR OnQueryDragIcon()");
    return reinterpret_cast<LRESULT>((Target<Handler>(window)->*Handler)());
}

} // namespace message_map_detail

// clang-format off

// In the class: declares the map of this class.
#define DECLARE_MESSAGE_MAP()                                                  \
  protected:                                                                   \
    static const MessageMap* GetThisMessageMap();                              \
    const MessageMap* GetMessageMap() const override;

// In the source: the map of theClass, whose unmatched messages go on to baseClass's map.
#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                 \
    const MessageMap* theClass::GetMessageMap() const {                        \
        return GetThisMessageMap();                                            \
    }                                                                          \
    const MessageMap* theClass::GetThisMessageMap() {                          \
        using ThisClass [[maybe_unused]] = theClass;                           \
        using TheBaseClass = baseClass;                                        \
        static const MessageMapEntry entries[] = {

#define END_MESSAGE_MAP()                                                      \
            {0, 0, 0, nullptr}};                                               \
        static const MessageMap map = {&TheBaseClass::GetThisMessageMap,       \
                                       entries};                               \
        return &map;                                                           \
    }

// void OnSysCommand(UINT id, LPARAM lParam)
#define ON_WM_SYSCOMMAND()                                                     \
    {WM_SYSCOMMAND, 0, 0,                                                      \
     &message_map_detail::CallSysCommand<&ThisClass::OnSysCommand>},
// void OnPaint()
#define ON_WM_PAINT()                                                          \
    {WM_PAINT, 0, 0, &message_map_detail::CallVoid<&ThisClass::OnPaint>},
// HCURSOR OnQueryDragIcon()
#define ON_WM_QUERYDRAGICON()                                                  \
    {WM_QUERYDRAGICON, 0, 0,                                                   \
     &message_map_detail::CallQueryDragIcon<&ThisClass::OnQueryDragIcon>},
// void OnDestroy()
#define ON_WM_DESTROY()                                                        \
    {WM_DESTROY, 0, 0, &message_map_detail::CallVoid<&ThisClass::OnDestroy>},
// void handler(), for a click of button id
#define ON_BN_CLICKED(id, handler)                                             \
    {WM_COMMAND, BN_CLICKED, (id),                                             \
     &message_map_detail::CallVoid<&ThisClass::handler>},

// clang-format on
