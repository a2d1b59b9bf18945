#include "framework/Window.h"
#include "framework/Module.h"
#include "framework/Exceptions.h"
#include "framework/TrackLoop.h"
#include "framework/Accessible.h"
#include "HandleMaps.h"
#include <vector>

// Handlers are stored under one member-pointer type and cast back to their own signature.
#pragma GCC diagnostic ignored "-Wcast-function-type"

namespace {
// The message being handled now, for Default().
thread_local MSG t_currentMessage{};
// The object that the creation hook attaches to the next window created on this thread.
thread_local CWnd* t_pWndInit = nullptr;
thread_local HHOOK t_hCreationHook = nullptr;

constexpr size_t kTemporaryPurgeThreshold = 64;

// A window handed to a message handler as CWnd*. A temporary wrapper made only for this call
// goes when the handler returns: focus, activation and colour messages name windows the
// framework may never meet again, and a host loop that never frees temporaries must not
// collect one per window that passed by.
class HandlerWindow {
public:
    explicit HandlerWindow(HWND hWnd) : hWnd_(hWnd)
    {
        auto& temporaries = AfxHandleMaps::Get().temporaryWindows;
        made_ = hWnd != nullptr && CWnd::FromHandlePermanent(hWnd) == nullptr &&
                temporaries.find(hWnd) == temporaries.end();
        wnd_ = CWnd::FromHandle(hWnd);
    }
    ~HandlerWindow()
    {
        if (!made_) return;
        auto& temporaries = AfxHandleMaps::Get().temporaryWindows;
        auto it = temporaries.find(hWnd_);
        if (it == temporaries.end() || it->second != wnd_) return;
        delete it->second;
        temporaries.erase(it);
    }
    HandlerWindow(const HandlerWindow&) = delete;
    HandlerWindow& operator=(const HandlerWindow&) = delete;
    operator CWnd*() const { return wnd_; }

private:
    HWND hWnd_;
    CWnd* wnd_ = nullptr;
    bool made_ = false;
};
}

// ---- Handle maps ----

AfxHandleMaps& AfxHandleMaps::Get()
{
    static AfxHandleMaps maps;
    return maps;
}

CWnd* AfxHandleMaps::NewTemporaryWindow(HWND hWnd)
{
    auto* wnd = new CWnd;
    wnd->m_hWnd = hWnd;
    wnd->m_bTemporary = true;
    return wnd;
}

void AfxHandleMaps::PurgeTemporaries(bool onlyDead)
{
    for (auto it = temporaryWindows.begin(); it != temporaryWindows.end();) {
        if (!onlyDead || !::IsWindow(it->first)) {
            delete it->second;
            it = temporaryWindows.erase(it);
        } else {
            ++it;
        }
    }
    if (onlyDead) return;
    for (auto& [h, dc] : temporaryDCs) {
        dc->Detach();
        delete dc;
    }
    temporaryDCs.clear();
    for (auto& [h, obj] : temporaryObjects) {
        obj->Detach();
        delete obj;
    }
    temporaryObjects.clear();
    for (auto& [h, menu] : temporaryMenus) {
        menu->Detach();
        delete menu;
    }
    temporaryMenus.clear();
}

void AfxDeleteTempMap()
{
    AfxHandleMaps::Get().PurgeTemporaries(false);
}

// ---- Window procedure and creation hook ----

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // A loop running for this window must stop before it touches the object again.
    if (message == WM_NCDESTROY) CTrackLoop::OnWindowDestroyed(hWnd);
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr) return ::DefWindowProcW(hWnd, message, wParam, lParam);

    MSG saved = t_currentMessage;
    t_currentMessage.hwnd = hWnd;
    t_currentMessage.message = message;
    t_currentMessage.wParam = wParam;
    t_currentMessage.lParam = lParam;
    LRESULT result = 0;
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        // A framework exception must not unwind through the system's dispatch code: the
        // message fails instead (creation is refused, a paint is taken as done).
        e->Delete();
        if (message == WM_CREATE) result = -1;
        else if (message == WM_PAINT) ::ValidateRect(hWnd, nullptr);
    }
    t_currentMessage = saved;

    if (message == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd) {
        // The window is gone: give the class its own procedure back and let the object go.
        if (pWnd->m_pfnSuper && reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == AfxWndProc)
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pWnd->m_pfnSuper));
        pWnd->m_pfnSuper = nullptr;
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

LRESULT CALLBACK AfxCbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && t_pWndInit != nullptr) {
        // Attach before the window's first message so that WM_NCCREATE already reaches the object.
        CWnd* pWnd = t_pWndInit;
        t_pWndInit = nullptr;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        pWnd->Attach(hWnd);
        pWnd->PreSubclassWindow();
        auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
        if (old != AfxWndProc) pWnd->m_pfnSuper = old;
    }
    return ::CallNextHookEx(t_hCreationHook, code, wParam, lParam);
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr) return FALSE;
    auto& maps = AfxHandleMaps::Get();
    if (maps.temporaryWindows.size() > kTemporaryPurgeThreshold) maps.PurgeTemporaries(true);
    if (maps.temporaryDCs.size() + maps.temporaryObjects.size() > kTemporaryPurgeThreshold) maps.PurgeTemporaries(false);

    for (HWND h = pMsg->hwnd; h != nullptr;) {
        CWnd* pWnd = CWnd::FromHandlePermanent(h);
        if (pWnd && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (!::IsWindow(h) || !(::GetWindowLongPtrW(h, GWL_STYLE) & WS_CHILD)) break;
        h = ::GetParent(h);
    }
    return FALSE;
}

BOOL AfxRegisterClass(WNDCLASSW* lpWndClass)
{
    if (lpWndClass == nullptr || lpWndClass->lpszClassName == nullptr) return FALSE;
    WNDCLASSW existing{};
    if (::GetClassInfoW(lpWndClass->hInstance, lpWndClass->lpszClassName, &existing)) return TRUE;
    return ::RegisterClassW(lpWndClass) != 0;
}

LPCWSTR AfxDefaultWndClass()
{
    static const wchar_t kName[] = L"KestrelWnd";
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.lpszClassName = kName;
    AfxRegisterClass(&wc);
    return kName;
}

// ---- CWnd ----

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

const AFX_MSGMAP* CWnd::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, AfxSig_end, nullptr}};
    static const AFX_MSGMAP map = {nullptr, entries};
    return &map;
}

const AFX_MSGMAP* CWnd::GetMessageMap() const
{
    return GetThisMessageMap();
}

CWnd::~CWnd()
{
    if (m_bTemporary || m_hWnd == nullptr) return;
    if (FromHandlePermanent(m_hWnd) == this) {
        ::DestroyWindow(m_hWnd);
        if (FromHandlePermanent(m_hWnd) == this) Detach();
    }
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (hWnd == nullptr) return nullptr;
    auto& map = AfxHandleMaps::Get().permanentWindows;
    auto it = map.find(hWnd);
    return it == map.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (hWnd == nullptr) return nullptr;
    if (CWnd* p = FromHandlePermanent(hWnd)) return p;
    auto& map = AfxHandleMaps::Get().temporaryWindows;
    auto it = map.find(hWnd);
    if (it != map.end()) return it->second;
    CWnd* wnd = AfxHandleMaps::NewTemporaryWindow(hWnd);
    map.emplace(hWnd, wnd);
    return wnd;
}

BOOL CWnd::Attach(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr) return FALSE;
    AfxHandleMaps::Get().permanentWindows.emplace(hWnd, this);
    m_hWnd = hWnd;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND h = m_hWnd;
    if (h != nullptr) {
        // Readers may keep this control's objects; they must not reach it any more.
        CAccessible::Disconnect(this);
        auto& map = AfxHandleMaps::Get().permanentWindows;
        auto it = map.find(h);
        if (it != map.end() && it->second == this) map.erase(it);
    }
    m_hWnd = nullptr;
    return h;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (old != AfxWndProc) m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    if (pParent == nullptr) return FALSE;
    HWND hChild = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hChild ? SubclassWindow(hChild) : FALSE;
}

HWND CWnd::UnsubclassWindow()
{
    if (m_hWnd == nullptr) return nullptr;
    if (m_pfnSuper) ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW& cs)
{
    if (cs.lpszClass == nullptr) cs.lpszClass = AfxDefaultWndClass();
    return TRUE;
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::Create(LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, void*)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top,
                    pParentWnd ? pParentWnd->m_hWnd : nullptr,
                    reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int cx, int cy, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam)
{
    if (m_hWnd != nullptr) return FALSE;
    CREATESTRUCTW cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = dwStyle;
    cs.x = x;
    cs.y = y;
    cs.cx = cx;
    cs.cy = cy;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    HHOOK outerHook = t_hCreationHook;
    CWnd* outerInit = t_pWndInit;
    t_hCreationHook = ::SetWindowsHookExW(WH_CBT, AfxCbtFilterHook, nullptr, ::GetCurrentThreadId());
    t_pWndInit = this;
    HWND hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, cs.style, cs.x, cs.y, cs.cx, cs.cy,
                                  cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (t_hCreationHook) ::UnhookWindowsHookEx(t_hCreationHook);
    // Still pending: creation failed before the window existed, so no WM_NCDESTROY will come.
    // Give the object its clean-up anyway, as a window that lived and died would get.
    bool neverAttached = t_pWndInit == this;
    t_hCreationHook = outerHook;
    t_pWndInit = outerInit;
    if (neverAttached) {
        PostNcDestroy();
        return FALSE;
    }
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (m_hWnd == nullptr) return FALSE;
    return ::DestroyWindow(m_hWnd);
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& m = t_currentMessage;
    return DefWindowProc(m.message, m.wParam, m.lParam);
}

const MSG* CWnd::GetCurrentMessage()
{
    return &t_currentMessage;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result)) result = DefWindowProc(message, wParam, lParam);
    return result;
}

const AFX_MSGMAP_ENTRY* CWnd::FindEntry(UINT message, UINT code, UINT id) const
{
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* e = map->lpEntries; e->nSig != AfxSig_end; ++e) {
            if (e->nMessage == message && e->nCode == code && id >= e->nID && id <= e->nLastID) return e;
        }
    }
    return nullptr;
}

static bool IsCtlColorMessage(UINT message)
{
    return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT result = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        if (hdr == nullptr || hdr->hwndFrom == nullptr || !OnNotify(wParam, lParam, &result)) return FALSE;
        *pResult = result;
        return TRUE;
    }
    if (IsCtlColorMessage(message)) {
        // The child that asks for colours answers first when it has a reflected handler.
        CWnd* child = FromHandlePermanent(reinterpret_cast<HWND>(lParam));
        if (child && child->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
        const AFX_MSGMAP_ENTRY* e = FindEntry(WM_CTLCOLOR, 0, 0);
        if (e == nullptr) return FALSE;
        auto fn = reinterpret_cast<HBRUSH (CWnd::*)(CDC*, CWnd*, UINT)>(e->pfn);
        HandlerWindow control(reinterpret_cast<HWND>(lParam));
        *pResult = reinterpret_cast<LRESULT>((this->*fn)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), control,
                                                        message - WM_CTLCOLORMSGBOX));
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(message, 0, 0);
    if (e == nullptr) return FALSE;
    return DispatchEntry(e, wParam, lParam, pResult);
}

BOOL CWnd::DispatchEntry(const AFX_MSGMAP_ENTRY* e, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT r = 0;
    const AFX_PMSG pfn = e->pfn;
    switch (e->nSig) {
    case AfxSig_vv:
        (this->*pfn)();
        break;
    case AfxSig_bD:
        r = (this->*reinterpret_cast<BOOL (CWnd::*)(CDC*)>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
        break;
    case AfxSig_vW: {
        HandlerWindow other(reinterpret_cast<HWND>(e->nMessage == WM_CAPTURECHANGED ? lParam : wParam));
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*)>(pfn))(other);
        break;
    }
    case AfxSig_vwww:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, UINT)>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case AfxSig_vwii:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, int, int)>(pfn))(static_cast<UINT>(wParam), static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        break;
    case AfxSig_vwp:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CPoint)>(pfn))(static_cast<UINT>(wParam), CPoint(lParam));
        break;
    case AfxSig_bWww: {
        HandlerWindow other(reinterpret_cast<HWND>(wParam));
        r = (this->*reinterpret_cast<BOOL (CWnd::*)(CWnd*, UINT, UINT)>(pfn))(other, LOWORD(lParam), HIWORD(lParam));
        break;
    }
    case AfxSig_lwl:
        r = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(pfn))(wParam, lParam);
        break;
    case AfxSig_vbh:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, DWORD)>(pfn))(static_cast<BOOL>(wParam), static_cast<DWORD>(lParam));
        break;
    case AfxSig_vt:
        (this->*reinterpret_cast<void (CWnd::*)(UINT_PTR)>(pfn))(static_cast<UINT_PTR>(wParam));
        break;
    case AfxSig_is:
        r = (this->*reinterpret_cast<int (CWnd::*)(LPCREATESTRUCT)>(pfn))(reinterpret_cast<LPCREATESTRUCT>(lParam));
        break;
    case AfxSig_lp:
        r = (this->*reinterpret_cast<LRESULT (CWnd::*)(CPoint)>(pfn))(CPoint(lParam));
        break;
    case AfxSig_vWp: {
        HandlerWindow other(reinterpret_cast<HWND>(wParam));
        (this->*reinterpret_cast<void (CWnd::*)(CWnd*, CPoint)>(pfn))(other, CPoint(lParam));
        break;
    }
    case AfxSig_bwsp:
        r = (this->*reinterpret_cast<BOOL (CWnd::*)(UINT, short, CPoint)>(pfn))(LOWORD(wParam), static_cast<short>(HIWORD(wParam)), CPoint(lParam));
        break;
    case AfxSig_uv:
        r = (this->*reinterpret_cast<UINT (CWnd::*)()>(pfn))();
        break;
    case AfxSig_vbu:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, UINT)>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case AfxSig_vwwW:
        (this->*reinterpret_cast<void (CWnd::*)(UINT, UINT, CScrollBar*)>(pfn))(
            LOWORD(wParam), static_cast<UINT>(static_cast<short>(HIWORD(wParam))),
            static_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        break;
    case AfxSig_vbp:
        (this->*reinterpret_cast<void (CWnd::*)(BOOL, NCCALCSIZE_PARAMS*)>(pfn))(static_cast<BOOL>(wParam), reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam));
        break;
    case AfxSig_vPOS:
        (this->*reinterpret_cast<void (CWnd::*)(WINDOWPOS*)>(pfn))(reinterpret_cast<WINDOWPOS*>(lParam));
        break;
    case AfxSig_vwWb: {
        HandlerWindow other(reinterpret_cast<HWND>(lParam));
        (this->*reinterpret_cast<void (CWnd::*)(UINT, CWnd*, BOOL)>(pfn))(LOWORD(wParam), other, HIWORD(wParam));
        break;
    }
    default:
        return FALSE;
    }
    *pResult = r;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    HWND hControl = reinterpret_cast<HWND>(lParam);
    if (hControl != nullptr) {
        CWnd* child = FromHandlePermanent(hControl);
        LRESULT ignored = 0;
        if (child && child->OnChildNotify(WM_COMMAND, wParam, lParam, &ignored)) return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_COMMAND, HIWORD(wParam), LOWORD(wParam));
    if (e == nullptr) return FALSE;
    (this->*e->pfn)();
    return TRUE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* hdr = reinterpret_cast<NMHDR*>(lParam);
    CWnd* child = FromHandlePermanent(hdr->hwndFrom);
    if (child && child->OnChildNotify(WM_NOTIFY, 0, lParam, pResult)) return TRUE;
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_NOTIFY, hdr->code, static_cast<UINT>(hdr->idFrom));
    if (e == nullptr) return FALSE;
    (this->*reinterpret_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(e->pfn))(hdr, pResult);
    return TRUE;
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (IsCtlColorMessage(message)) {
        const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0);
        if (e == nullptr) return FALSE;
        auto fn = reinterpret_cast<HBRUSH (CWnd::*)(CDC*, UINT)>(e->pfn);
        HBRUSH brush = (this->*fn)(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), message - WM_CTLCOLORMSGBOX);
        if (brush == nullptr) return FALSE;
        if (pResult) *pResult = reinterpret_cast<LRESULT>(brush);
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* hdr = reinterpret_cast<NMHDR*>(lParam);
        const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + WM_NOTIFY, hdr->code, 0);
        if (e == nullptr) return FALSE;
        LRESULT local = 0;
        (this->*reinterpret_cast<void (CWnd::*)(NMHDR*, LRESULT*)>(e->pfn))(hdr, pResult ? pResult : &local);
        return TRUE;
    }
    const AFX_MSGMAP_ENTRY* e = FindEntry(WM_REFLECT_BASE + message, 0, 0);
    if (e == nullptr || e->nSig != AfxSig_lwl) return FALSE;
    LRESULT r = (this->*reinterpret_cast<LRESULT (CWnd::*)(WPARAM, LPARAM)>(e->pfn))(wParam, lParam);
    if (pResult) *pResult = r;
    return TRUE;
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

// ---- Geometry, state and helpers ----

// Changes style bits of one kind (GWL_STYLE or GWL_EXSTYLE); FALSE when nothing changes.
static BOOL ModifyWindowLong(HWND hWnd, int index, DWORD remove, DWORD add, UINT nFlags)
{
    DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, index));
    DWORD changed = (style & ~remove) | add;
    if (style == changed) return FALSE;
    ::SetWindowLongPtrW(hWnd, index, static_cast<LONG_PTR>(changed));
    if (nFlags) ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_STYLE, remove, add, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT nFlags)
{
    return ModifyWindowLong(m_hWnd, GWL_EXSTYLE, remove, add, nFlags);
}

CWnd* CWnd::GetParent() const
{
    return FromHandle(::GetParent(m_hWnd));
}

CWnd* CWnd::SetParent(CWnd* pNewParent)
{
    return FromHandle(::SetParent(m_hWnd, pNewParent ? pNewParent->m_hWnd : nullptr));
}

CWnd* CWnd::GetOwner() const
{
    return FromHandle(::GetWindow(m_hWnd, GW_OWNER));
}

CWnd* CWnd::GetTopLevelParent() const
{
    HWND top = ::GetAncestor(m_hWnd, GA_ROOT);
    return FromHandle(top);
}

CWnd* CWnd::GetDlgItem(int nID) const
{
    return FromHandle(::GetDlgItem(m_hWnd, nID));
}

int CWnd::SetDlgCtrlID(int nID)
{
    return static_cast<int>(::SetWindowLongPtrW(m_hWnd, GWLP_ID, nID));
}

void CWnd::ClientToScreen(LPRECT r) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::ScreenToClient(LPRECT r) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(r) + 1);
}

void CWnd::CalcWindowRect(LPRECT clientRect, UINT)
{
    ::AdjustWindowRectEx(clientRect, GetStyle(), FALSE, GetExStyle());
}

BOOL CWnd::SetWindowPos(const CWnd* pInsertAfter, int x, int y, int cx, int cy, UINT flags)
{
    return ::SetWindowPos(m_hWnd, pInsertAfter ? pInsertAfter->m_hWnd : nullptr, x, y, cx, cy, flags);
}

BOOL CWnd::RedrawWindow(LPCRECT rect, CRgn* pRgn, UINT flags)
{
    return ::RedrawWindow(m_hWnd, rect, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, flags);
}

CDC* CWnd::GetDC()
{
    return CDC::FromHandle(::GetDC(m_hWnd));
}

CDC* CWnd::GetWindowDC()
{
    return CDC::FromHandle(::GetWindowDC(m_hWnd));
}

int CWnd::ReleaseDC(CDC* pDC)
{
    if (pDC == nullptr) return 0;
    HDC hdc = pDC->m_hDC;
    auto& map = AfxHandleMaps::Get().temporaryDCs;
    auto it = map.find(hdc);
    if (it != map.end() && it->second == pDC) {
        map.erase(it);
        pDC->Detach();
        delete pDC;
    }
    return ::ReleaseDC(m_hWnd, hdc);
}

void CWnd::GetWindowText(CString& text) const
{
    int n = ::GetWindowTextLengthW(m_hWnd);
    LPWSTR buffer = text.GetBufferSetLength(n + 1);
    int got = ::GetWindowTextW(m_hWnd, buffer, n + 1);
    text.ReleaseBuffer(got);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw)
{
    ::SendMessageW(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(pFont ? pFont->m_hObject : nullptr), bRedraw);
}

CFont* CWnd::GetFont() const
{
    return CFont::FromHandle(reinterpret_cast<HFONT>(::SendMessageW(m_hWnd, WM_GETFONT, 0, 0)));
}

CWnd* CWnd::SetFocus()
{
    return FromHandle(::SetFocus(m_hWnd));
}

CWnd* CWnd::GetFocus()
{
    return FromHandle(::GetFocus());
}

CWnd* CWnd::SetCapture()
{
    return FromHandle(::SetCapture(m_hWnd));
}

CWnd* CWnd::GetCapture()
{
    return FromHandle(::GetCapture());
}

CWnd* CWnd::GetForegroundWindow()
{
    return FromHandle(::GetForegroundWindow());
}

CWnd* CWnd::SetActiveWindow()
{
    return FromHandle(::SetActiveWindow(m_hWnd));
}

CWnd* CWnd::GetActiveWindow()
{
    return FromHandle(::GetActiveWindow());
}

CPoint CWnd::GetCaretPos()
{
    POINT p{};
    ::GetCaretPos(&p);
    return CPoint(p);
}
