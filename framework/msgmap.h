// Static message maps: one table per class, each chained to its base class's
// table. Entries are made by typed templates, so a handler whose signature
// does not fit its message or command kind does not compile.
#pragma once

#include <windows.h>

#include <cstddef>
#include <type_traits>

class CCmdTarget;
class CCmdUI;
class CWnd;

// Codes of CCmdTarget::OnCmdMsg besides a control's notification code.
constexpr int CN_COMMAND = 0;
constexpr int CN_UPDATE_COMMAND_UI = -1;

// Given to OnCmdMsg to ask only whether a handler exists; nothing is called.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget = nullptr;
};

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(LONG x0, LONG y0) : POINT{x0, y0} {}
};

namespace fw {

enum class EntryKind : unsigned char { End, Message, Command, UpdateCommand, Reflect };

using EntryInvoke = LRESULT (*)(CCmdTarget* target, UINT id, WPARAM wParam, LPARAM lParam);

struct MessageMapEntry {
    EntryKind kind;
    UINT message;  // Message: the message number; Reflect: the control's notification code
    UINT idFirst;  // Command and UpdateCommand: the ids covered
    UINT idLast;
    EntryInvoke invoke;
};

struct MessageMap {
    const MessageMap* (*pfnGetBaseMap)();  // NULL for the root
    const MessageMapEntry* entries;        // ends with an End entry
};

namespace detail {

template <class>
struct Member;
template <class C, class R, class... A>
struct Member<R (C::*)(A...)> {
    using Class = C;
};

template <auto H>
auto* Self(CCmdTarget* t) {
    using C = typename Member<decltype(H)>::Class;
    static_assert(std::is_base_of_v<CCmdTarget, C>, "handlers belong to command targets");
    return static_cast<C*>(t);
}

template <auto H, class Sig>
constexpr void Require() {
    using C = typename Member<decltype(H)>::Class;
    static_assert(std::is_same_v<decltype(H), Sig C::*>, "the handler's signature does not fit this entry");
}

}  // namespace detail

inline constexpr MessageMapEntry EndOfMap() { return {EntryKind::End, 0, 0, 0, nullptr}; }

// ON_MESSAGE: LRESULT OnX(WPARAM, LPARAM), or void OnX() for a message whose
// parameters and result mean nothing (WM_DESTROY, WM_CLOSE, ...).
template <auto H>
constexpr MessageMapEntry Message(UINT msg) {
    return {EntryKind::Message, msg, 0, 0, [](CCmdTarget* t, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
                using C = typename detail::Member<decltype(H)>::Class;
                if constexpr (std::is_same_v<decltype(H), LRESULT (C::*)(WPARAM, LPARAM)>) {
                    return (detail::Self<H>(t)->*H)(wp, lp);
                } else {
                    detail::Require<H, void()>();
                    (detail::Self<H>(t)->*H)();
                    return 0;
                }
            }};
}

// WM_CREATE: int OnCreate(LPCREATESTRUCT); -1 aborts the creation.
template <auto H>
constexpr MessageMapEntry WmCreate() {
    detail::Require<H, int(LPCREATESTRUCT)>();
    return {EntryKind::Message, WM_CREATE, 0, 0, [](CCmdTarget* t, UINT, WPARAM, LPARAM lp) -> LRESULT {
                return (detail::Self<H>(t)->*H)(reinterpret_cast<LPCREATESTRUCT>(lp));
            }};
}

// WM_SIZE: void OnSize(UINT type, int cx, int cy).
template <auto H>
constexpr MessageMapEntry WmSize() {
    detail::Require<H, void(UINT, int, int)>();
    return {EntryKind::Message, WM_SIZE, 0, 0, [](CCmdTarget* t, UINT, WPARAM wp, LPARAM lp) -> LRESULT {
                (detail::Self<H>(t)->*H)(static_cast<UINT>(wp), static_cast<short>(LOWORD(lp)),
                                         static_cast<short>(HIWORD(lp)));
                return 0;
            }};
}

// WM_QUERYENDSESSION: BOOL OnQueryEndSession().
template <auto H>
constexpr MessageMapEntry WmQueryEndSession() {
    detail::Require<H, BOOL()>();
    return {EntryKind::Message, WM_QUERYENDSESSION, 0, 0,
            [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT { return (detail::Self<H>(t)->*H)(); }};
}

// WM_ENDSESSION: void OnEndSession(BOOL bEnding).
template <auto H>
constexpr MessageMapEntry WmEndSession() {
    detail::Require<H, void(BOOL)>();
    return {EntryKind::Message, WM_ENDSESSION, 0, 0, [](CCmdTarget* t, UINT, WPARAM wp, LPARAM) -> LRESULT {
                (detail::Self<H>(t)->*H)(static_cast<BOOL>(wp));
                return 0;
            }};
}

// ON_COMMAND: void OnX().
template <auto H>
constexpr MessageMapEntry Command(UINT id) {
    detail::Require<H, void()>();
    return {EntryKind::Command, 0, id, id, [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {
                (detail::Self<H>(t)->*H)();
                return 0;
            }};
}

// ON_COMMAND_RANGE: void OnX(UINT id).
template <auto H>
constexpr MessageMapEntry CommandRange(UINT first, UINT last) {
    detail::Require<H, void(UINT)>();
    return {EntryKind::Command, 0, first, last, [](CCmdTarget* t, UINT id, WPARAM, LPARAM) -> LRESULT {
                (detail::Self<H>(t)->*H)(id);
                return 0;
            }};
}

// ON_UPDATE_COMMAND_UI: void OnUpdateX(CCmdUI*).
template <auto H>
constexpr MessageMapEntry UpdateCommand(UINT id) {
    detail::Require<H, void(CCmdUI*)>();
    return {EntryKind::UpdateCommand, 0, id, id, [](CCmdTarget* t, UINT, WPARAM, LPARAM lp) -> LRESULT {
                (detail::Self<H>(t)->*H)(reinterpret_cast<CCmdUI*>(lp));
                return 0;
            }};
}

// ON_UPDATE_COMMAND_UI_RANGE: void OnUpdateX(CCmdUI*), for every id in the range.
template <auto H>
constexpr MessageMapEntry UpdateCommandRange(UINT first, UINT last) {
    detail::Require<H, void(CCmdUI*)>();
    return {EntryKind::UpdateCommand, 0, first, last, [](CCmdTarget* t, UINT, WPARAM, LPARAM lp) -> LRESULT {
                (detail::Self<H>(t)->*H)(reinterpret_cast<CCmdUI*>(lp));
                return 0;
            }};
}

// A control's own handler of a notification it sends its parent
// (ON_CONTROL_REFLECT): void OnX().
template <auto H>
constexpr MessageMapEntry Reflect(UINT notifyCode) {
    detail::Require<H, void()>();
    return {EntryKind::Reflect, notifyCode, 0, 0, [](CCmdTarget* t, UINT, WPARAM, LPARAM) -> LRESULT {
                (detail::Self<H>(t)->*H)();
                return 0;
            }};
}

}  // namespace fw

#define DECLARE_MESSAGE_MAP()                             \
protected:                                                \
    static const fw::MessageMap* GetThisMessageMap();     \
    const fw::MessageMap* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const fw::MessageMap* theClass::GetMessageMap() const { return GetThisMessageMap(); }         \
    const fw::MessageMap* theClass::GetThisMessageMap() {                                         \
        using BaseClassOfMap = baseClass;                                                         \
        static const fw::MessageMapEntry entries[] = {
#define END_MESSAGE_MAP()                                                                         \
        fw::EndOfMap()};                                                                          \
        static const fw::MessageMap map = {&BaseClassOfMap::GetThisMessageMap, entries};          \
        return &map;                                                                              \
    }
