// Message maps: each window class has one static table of
// (message or notification code, control id, handler) entries. The handler
// slot holds a small thunk that unpacks wParam and lParam and calls the
// class's On<Event> member; it answers whether the message was handled.
#pragma once

#include "framework/Afx.h"

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
// Notifications and colour queries that a parent hands back to the control
// that sent them arrive at the control under this offset.
#define WM_REFLECT_BASE 0xBC00

class CWnd;
class CDC;

using AFX_PMSG = bool (*)(CWnd* pWnd, WPARAM wParam, LPARAM lParam, LRESULT& lResult);

struct AFX_MSGMAP_ENTRY {
    UINT nMessage; // window message, WM_COMMAND, or WM_REFLECT_BASE + one of them
    UINT nCode;    // notification code for command entries
    UINT nID;      // control id
    AFX_PMSG pfn;  // nullptr ends the table
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#define DECLARE_MESSAGE_MAP()                                                                      \
  protected:                                                                                       \
    static const AFX_MSGMAP* GetThisMessageMap();                                                  \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                                     \
    const AFX_MSGMAP* theClass::GetMessageMap() const {                                            \
        return GetThisMessageMap();                                                                \
    }                                                                                              \
    const AFX_MSGMAP* theClass::GetThisMessageMap() {                                              \
        using ThisClass [[maybe_unused]] = theClass;                                               \
        using TheBaseClass = baseClass;                                                            \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                                          \
    { 0, 0, 0, nullptr }                                                                           \
    }                                                                                              \
    ;                                                                                              \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]};  \
    return &messageMap;                                                                            \
    }

#define AFX_THUNK                                                                                  \
    [](CWnd * pWnd_, [[maybe_unused]] WPARAM wParam_, [[maybe_unused]] LPARAM lParam_,             \
       [[maybe_unused]] LRESULT & lResult_) -> bool
#define AFX_THIS static_cast<ThisClass*>(pWnd_)

// --- Commands and control notifications (sent to the parent) -----------------

#define AFX_ENTRY(msg, code, id, body) {(UINT)(msg), (UINT)(code), (UINT)(id), AFX_THUNK body},

#define ON_COMMAND(id, memberFxn)                                                                  \
    AFX_ENTRY(WM_COMMAND, 0, id, {                                                                 \
        AFX_THIS->memberFxn();                                                                     \
        return true;                                                                               \
    })
#define ON_CONTROL(code, id, memberFxn)                                                            \
    AFX_ENTRY(WM_COMMAND, code, id, {                                                              \
        AFX_THIS->memberFxn();                                                                     \
        return true;                                                                               \
    })
#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)

// --- Reflected to the control itself ------------------------------------------

#define ON_CONTROL_REFLECT(code, memberFxn)                                                        \
    AFX_ENTRY(WM_REFLECT_BASE + WM_COMMAND, code, 0, {                                             \
        AFX_THIS->memberFxn();                                                                     \
        return true;                                                                               \
    })
// HBRUSH CtlColor(CDC* pDC, UINT nCtlColor); a null brush leaves the query to the parent.
#define ON_WM_CTLCOLOR_REFLECT()                                                                   \
    AFX_ENTRY(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, {                                               \
        CDC dc_(reinterpret_cast<HDC>(wParam_));                                                   \
        HBRUSH hbr_ = AFX_THIS->CtlColor(&dc_, static_cast<UINT>(lParam_));                        \
        lResult_ = reinterpret_cast<LRESULT>(hbr_);                                                \
        return hbr_ != nullptr;                                                                    \
    })

// --- Window messages -------------------------------------------------------------

#define AFX_MSG_ENTRY(msg, body) AFX_ENTRY(msg, 0, 0, body)

#define ON_WM_PAINT()                                                                              \
    AFX_MSG_ENTRY(WM_PAINT, {                                                                      \
        AFX_THIS->OnPaint();                                                                       \
        return true;                                                                               \
    })
#define ON_WM_QUERYDRAGICON()                                                                      \
    AFX_MSG_ENTRY(WM_QUERYDRAGICON, {                                                              \
        lResult_ = reinterpret_cast<LRESULT>(AFX_THIS->OnQueryDragIcon());                         \
        return true;                                                                               \
    })
#define ON_WM_SYSCOMMAND()                                                                         \
    AFX_MSG_ENTRY(WM_SYSCOMMAND, {                                                                 \
        AFX_THIS->OnSysCommand(static_cast<UINT>(wParam_), lParam_);                               \
        return true;                                                                               \
    })
#define ON_WM_CAPTURECHANGED()                                                                     \
    AFX_MSG_ENTRY(WM_CAPTURECHANGED, {                                                             \
        AFX_THIS->OnCaptureChanged(CWnd::FromHandle(reinterpret_cast<HWND>(lParam_)));             \
        return true;                                                                               \
    })
#define ON_WM_SETCURSOR()                                                                          \
    AFX_MSG_ENTRY(WM_SETCURSOR, {                                                                  \
        lResult_ = AFX_THIS->OnSetCursor(CWnd::FromHandle(reinterpret_cast<HWND>(wParam_)),        \
                                         LOWORD(lParam_), HIWORD(lParam_));                        \
        return true;                                                                               \
    })
#define ON_WM_KILLFOCUS()                                                                          \
    AFX_MSG_ENTRY(WM_KILLFOCUS, {                                                                  \
        AFX_THIS->OnKillFocus(CWnd::FromHandle(reinterpret_cast<HWND>(wParam_)));                  \
        return true;                                                                               \
    })
#define AFX_MOUSE_ENTRY(msg, memberFxn)                                                            \
    AFX_MSG_ENTRY(msg, {                                                                           \
        AFX_THIS->memberFxn(static_cast<UINT>(wParam_), CPoint(lParam_));                          \
        return true;                                                                               \
    })
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_SYSCOLORCHANGE()                                                                     \
    AFX_MSG_ENTRY(WM_SYSCOLORCHANGE, {                                                             \
        AFX_THIS->OnSysColorChange();                                                              \
        return true;                                                                               \
    })
#define AFX_KEY_ENTRY(msg, memberFxn)                                                              \
    AFX_MSG_ENTRY(msg, {                                                                           \
        AFX_THIS->memberFxn(static_cast<UINT>(wParam_), LOWORD(lParam_), HIWORD(lParam_));         \
        return true;                                                                               \
    })
#define ON_WM_CHAR() AFX_KEY_ENTRY(WM_CHAR, OnChar)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY(WM_KEYDOWN, OnKeyDown)
#define ON_WM_GETDLGCODE()                                                                         \
    AFX_MSG_ENTRY(WM_GETDLGCODE, {                                                                 \
        lResult_ = AFX_THIS->OnGetDlgCode();                                                       \
        return true;                                                                               \
    })
// void OnDropFiles(HDROP hDropInfo); the handler releases the handle (DragFinish).
#define ON_WM_DROPFILES()                                                                          \
    AFX_MSG_ENTRY(WM_DROPFILES, {                                                                  \
        AFX_THIS->OnDropFiles(reinterpret_cast<HDROP>(wParam_));                                   \
        return true;                                                                               \
    })
