#include "framework/TrackLoop.h"
#include "framework/Window.h"

namespace {
// Innermost running loop of this thread; loops nest when a handler starts another one.
thread_local CTrackLoop* t_innermost = nullptr;
}

CTrackLoop::CTrackLoop(CWnd* pWnd) : CTrackLoop(pWnd->GetSafeHwnd()) {}

CTrackLoop::CTrackLoop(HWND hWnd) : m_hWnd(hWnd), m_alive(::IsWindow(hWnd) != FALSE), m_pOuter(t_innermost)
{
    t_innermost = this;
}

CTrackLoop::~CTrackLoop()
{
    if (m_alive) {
        for (UINT_PTR id : m_timers)
            if (id) ::KillTimer(m_hWnd, id);
        if (::GetCapture() == m_hWnd) ::ReleaseCapture();
    }
    if (m_clipped) ::ClipCursor(nullptr);
    // Loops end in the reverse order they began, but unlink by search to stay safe.
    for (CTrackLoop** p = &t_innermost; *p; p = &(*p)->m_pOuter) {
        if (*p == this) {
            *p = m_pOuter;
            break;
        }
    }
}

void CTrackLoop::OnWindowDestroyed(HWND hWnd)
{
    for (CTrackLoop* loop = t_innermost; loop; loop = loop->m_pOuter)
        if (loop->m_hWnd == hWnd) loop->m_alive = false;
}

bool CTrackLoop::HasCapture() const
{
    return m_alive && ::GetCapture() == m_hWnd;
}

void CTrackLoop::Capture()
{
    if (m_alive) ::SetCapture(m_hWnd);
}

void CTrackLoop::ReleaseCapture()
{
    if (HasCapture()) ::ReleaseCapture();
}

void CTrackLoop::SetTimer(UINT_PTR id, UINT elapseMs)
{
    if (!m_alive) return;
    ::SetTimer(m_hWnd, id, elapseMs, nullptr);
    UINT_PTR* slot = nullptr;
    for (UINT_PTR& t : m_timers) {
        if (t == id) return;
        if (!t && !slot) slot = &t;
    }
    if (slot) *slot = id;
}

void CTrackLoop::KillTimer(UINT_PTR id)
{
    if (m_alive) ::KillTimer(m_hWnd, id);
    for (UINT_PTR& t : m_timers)
        if (t == id) t = 0;
}

void CTrackLoop::ClipCursor(const RECT& screenRect)
{
    ::ClipCursor(&screenRect);
    m_clipped = true;
}

bool CTrackLoop::GetMessage(MSG& msg)
{
    if (!m_alive || m_quit) return false;
    if (::GetMessageW(&msg, nullptr, 0, 0) > 0) return m_alive;
    m_quit = true;
    return false;
}

bool CTrackLoop::DispatchUnlessMouse(const MSG& msg)
{
    if (!IsMouseMessage(msg.message)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return m_alive;
}

CPoint CTrackLoop::ClientPoint(const MSG& msg) const
{
    CPoint p(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    if (msg.hwnd && msg.hwnd != m_hWnd) ::MapWindowPoints(msg.hwnd, m_hWnd, &p, 1);
    return p;
}

CPoint CTrackLoop::ScreenPoint(const MSG& msg)
{
    CPoint p(static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam)));
    if (msg.hwnd) ::ClientToScreen(msg.hwnd, &p);
    return p;
}
