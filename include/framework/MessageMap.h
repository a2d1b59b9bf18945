// Message maps: each window class lists its handlers in a static table chained to its base
// class's table. WindowProc walks the chain and calls the first matching entry through a
// thunk chosen by the entry's signature.
#pragma once
#include "../KestrelDefs.h"

class CCmdTarget;
class CWnd;
class CDC;
class CPoint;
class CScrollBar;

typedef void (CWnd::*AFX_PMSG)();

// Handler signatures understood by CWnd::OnWndMsg.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_vv,        // void ()
    AfxSig_bD,        // BOOL (CDC*)
    AfxSig_vW,        // void (CWnd*)
    AfxSig_vwww,      // void (UINT, UINT, UINT)
    AfxSig_vwii,      // void (UINT, int, int)
    AfxSig_vwp,       // void (UINT, CPoint)
    AfxSig_bWww,      // BOOL (CWnd*, UINT, UINT)
    AfxSig_lwl,       // LRESULT (WPARAM, LPARAM)
    AfxSig_vbh,       // void (BOOL, DWORD)
    AfxSig_vt,        // void (UINT_PTR)
    AfxSig_hDu,       // HBRUSH (CDC*, UINT)   reflected WM_CTLCOLOR
    AfxSig_hDWu,      // HBRUSH (CDC*, CWnd*, UINT)  WM_CTLCOLOR in the parent
    AfxSig_vNMHDRpl,  // void (NMHDR*, LRESULT*)  WM_NOTIFY by code and id
    AfxSig_is,        // int (LPCREATESTRUCT)
    AfxSig_lp,        // LRESULT (CPoint)  WM_NCHITTEST
    AfxSig_vWp,       // void (CWnd*, CPoint)  WM_CONTEXTMENU
    AfxSig_bwsp,      // BOOL (UINT, short, CPoint)  WM_MOUSEWHEEL
    AfxSig_uv,        // UINT ()  WM_GETDLGCODE
    AfxSig_vbu,       // void (BOOL, UINT)  WM_SHOWWINDOW
    AfxSig_vwwW,      // void (UINT, UINT, CScrollBar*)  WM_HSCROLL / WM_VSCROLL
    AfxSig_vbp,       // void (BOOL, NCCALCSIZE_PARAMS*)
    AfxSig_vPOS,      // void (WINDOWPOS*)
    AfxSig_vw,        // void (UINT)  WM_COMMAND by id (ON_COMMAND handlers take no argument: vv)
    AfxSig_vwWb,      // void (UINT, CWnd*, BOOL)  WM_ACTIVATE
    AfxSig_vs,        // void (LPCWSTR) unused placeholder
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;   // message, or the reflected message
    UINT nCode;      // notification code (WM_NOTIFY, WM_COMMAND)
    UINT nID;        // first control id
    UINT nLastID;    // last control id
    UINT_PTR nSig;   // AfxSig
    AFX_PMSG pfn;
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

// Reflected messages arrive at the child as WM_REFLECT_BASE + the message.
#define WM_REFLECT_BASE 0xBC00

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                      \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                                 \
    {                                                                               \
        typedef theClass ThisClass;                                                 \
        typedef baseClass TheBaseClass;                                             \
        (void)sizeof(ThisClass*);                                                   \
        _Pragma("GCC diagnostic push")                                              \
        _Pragma("GCC diagnostic ignored \"-Wcast-function-type\"")                \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define END_MESSAGE_MAP()                                                           \
            { 0, 0, 0, 0, AfxSig_end, (AFX_PMSG)nullptr }                           \
        };                                                                          \
        _Pragma("GCC diagnostic pop")                                               \
        static const AFX_MSGMAP messageMap = { &TheBaseClass::GetThisMessageMap, &_messageEntries[0] }; \
        return &messageMap;                                                         \
    }

// Checks the handler's signature against the one the dispatcher will call it with.
#define AFX_MSG_CAST(sigType, fn) \
    reinterpret_cast<AFX_PMSG>(static_cast<sigType>(fn))

#define ON_MESSAGE(message, memberFxn) \
    { message, 0, 0, 0, AfxSig_lwl, AFX_MSG_CAST(LRESULT (CWnd::*)(WPARAM, LPARAM), &ThisClass::memberFxn) },
#define ON_NOTIFY(code, id, memberFxn) \
    { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_vNMHDRpl, AFX_MSG_CAST(void (CWnd::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_RANGE(code, idFirst, idLast, memberFxn) \
    { WM_NOTIFY, (UINT)(code), (UINT)(idFirst), (UINT)(idLast), AfxSig_vNMHDRpl, AFX_MSG_CAST(void (CWnd::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_NOTIFY_REFLECT(code, memberFxn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, AfxSig_vNMHDRpl, AFX_MSG_CAST(void (CWnd::*)(NMHDR*, LRESULT*), &ThisClass::memberFxn) },
#define ON_COMMAND(id, memberFxn) \
    { WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_vv, AFX_MSG_CAST(void (CWnd::*)(), &ThisClass::memberFxn) },
#define ON_CONTROL(code, id, memberFxn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_vv, AFX_MSG_CAST(void (CWnd::*)(), &ThisClass::memberFxn) },
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_hDu, AFX_MSG_CAST(HBRUSH (CWnd::*)(CDC*, UINT), &ThisClass::CtlColor) },
#define ON_WM_CTLCOLOR() \
    { WM_CTLCOLOR, 0, 0, 0, AfxSig_hDWu, AFX_MSG_CAST(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), &ThisClass::OnCtlColor) },

#define AFX_ON_SIMPLE(msg, sig, type, fn) { msg, 0, 0, 0, sig, AFX_MSG_CAST(type, &ThisClass::fn) },
#define ON_WM_PAINT()         AFX_ON_SIMPLE(WM_PAINT, AfxSig_vv, void (CWnd::*)(), OnPaint)
#define ON_WM_NCPAINT()       AFX_ON_SIMPLE(WM_NCPAINT, AfxSig_vv, void (CWnd::*)(), OnNcPaint)
#define ON_WM_DESTROY()       AFX_ON_SIMPLE(WM_DESTROY, AfxSig_vv, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY()     AFX_ON_SIMPLE(WM_NCDESTROY, AfxSig_vv, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_CANCELMODE()    AFX_ON_SIMPLE(WM_CANCELMODE, AfxSig_vv, void (CWnd::*)(), OnCancelMode)
#define ON_WM_MOUSELEAVE()    AFX_ON_SIMPLE(WM_MOUSELEAVE, AfxSig_vv, void (CWnd::*)(), OnMouseLeave)
#define ON_WM_ERASEBKGND()    AFX_ON_SIMPLE(WM_ERASEBKGND, AfxSig_bD, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SETFOCUS()      AFX_ON_SIMPLE(WM_SETFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS()     AFX_ON_SIMPLE(WM_KILLFOCUS, AfxSig_vW, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_CAPTURECHANGED() AFX_ON_SIMPLE(WM_CAPTURECHANGED, AfxSig_vW, void (CWnd::*)(CWnd*), OnCaptureChanged)
#define ON_WM_CHAR()          AFX_ON_SIMPLE(WM_CHAR, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_KEYDOWN()       AFX_ON_SIMPLE(WM_KEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP()         AFX_ON_SIMPLE(WM_KEYUP, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_SYSKEYDOWN()    AFX_ON_SIMPLE(WM_SYSKEYDOWN, AfxSig_vwww, void (CWnd::*)(UINT, UINT, UINT), OnSysKeyDown)
#define ON_WM_SIZE()          AFX_ON_SIMPLE(WM_SIZE, AfxSig_vwii, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_LBUTTONDOWN()   AFX_ON_SIMPLE(WM_LBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP()     AFX_ON_SIMPLE(WM_LBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_SIMPLE(WM_LBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN()   AFX_ON_SIMPLE(WM_RBUTTONDOWN, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP()     AFX_ON_SIMPLE(WM_RBUTTONUP, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_ON_SIMPLE(WM_RBUTTONDBLCLK, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnRButtonDblClk)
#define ON_WM_MOUSEMOVE()     AFX_ON_SIMPLE(WM_MOUSEMOVE, AfxSig_vwp, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_SETCURSOR()     AFX_ON_SIMPLE(WM_SETCURSOR, AfxSig_bWww, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_ACTIVATEAPP()   AFX_ON_SIMPLE(WM_ACTIVATEAPP, AfxSig_vbh, void (CWnd::*)(BOOL, DWORD), OnActivateApp)
#define ON_WM_ACTIVATE()      AFX_ON_SIMPLE(WM_ACTIVATE, AfxSig_vwWb, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_TIMER()         AFX_ON_SIMPLE(WM_TIMER, AfxSig_vt, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_CREATE()        AFX_ON_SIMPLE(WM_CREATE, AfxSig_is, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_NCHITTEST()     AFX_ON_SIMPLE(WM_NCHITTEST, AfxSig_lp, LRESULT (CWnd::*)(CPoint), OnNcHitTest)
#define ON_WM_CONTEXTMENU()   AFX_ON_SIMPLE(WM_CONTEXTMENU, AfxSig_vWp, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_MOUSEWHEEL()    AFX_ON_SIMPLE(WM_MOUSEWHEEL, AfxSig_bwsp, BOOL (CWnd::*)(UINT, short, CPoint), OnMouseWheel)
#define ON_WM_GETDLGCODE()    AFX_ON_SIMPLE(WM_GETDLGCODE, AfxSig_uv, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SHOWWINDOW()    AFX_ON_SIMPLE(WM_SHOWWINDOW, AfxSig_vbu, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_HSCROLL()       AFX_ON_SIMPLE(WM_HSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_VSCROLL()       AFX_ON_SIMPLE(WM_VSCROLL, AfxSig_vwwW, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_NCCALCSIZE()    AFX_ON_SIMPLE(WM_NCCALCSIZE, AfxSig_vbp, void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*), OnNcCalcSize)
#define ON_WM_WINDOWPOSCHANGED() AFX_ON_SIMPLE(WM_WINDOWPOSCHANGED, AfxSig_vPOS, void (CWnd::*)(WINDOWPOS*), OnWindowPosChanged)
