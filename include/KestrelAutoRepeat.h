// Auto-repeat timing shared by the controls whose buttons repeat while held: a first delay,
// then a shorter repeat period, both as timers on the control's own window.
#pragma once
#include "KestrelDefs.h"
#include "framework/TrackLoop.h"

constexpr UINT_PTR IDT_FIRSTDELAY = 257;
constexpr UINT_PTR IDT_REPEAT = 258;

constexpr int AUTOREPEAT_FIRSTDELAY_MS = 150;
constexpr int AUTOREPEAT_REPEAT_MS = 100;

// Milliseconds for a timer id: the repeat period for IDT_REPEAT, the first delay for any other.
// Each control's virtual GetTimerWait answers with this unless a derived class says otherwise.
constexpr int AutoRepeatWait(int nIDEvent)
{
    return nIDEvent == static_cast<int>(IDT_REPEAT) ? AUTOREPEAT_REPEAT_MS : AUTOREPEAT_FIRSTDELAY_MS;
}

// The timers of one held button inside a tracking loop: the first delay runs from the press;
// its tick switches to the repeat timer. The loop kills whichever runs when it ends.
class CAutoRepeat {
public:
    CAutoRepeat(CTrackLoop& loop, HWND hWnd, UINT firstDelayMs, UINT repeatMs)
        : m_loop(loop), m_hWnd(hWnd), m_repeatMs(repeatMs)
    {
        m_loop.SetTimer(IDT_FIRSTDELAY, firstDelayMs);
    }
    CAutoRepeat(const CAutoRepeat&) = delete;
    CAutoRepeat& operator=(const CAutoRepeat&) = delete;

    // The first-delay tick: switches to the repeat timer and answers true (once).
    bool StartsRepeating(const MSG& msg)
    {
        if (m_repeating || !IsTick(msg, IDT_FIRSTDELAY)) return false;
        m_loop.KillTimer(IDT_FIRSTDELAY);
        m_loop.SetTimer(IDT_REPEAT, m_repeatMs);
        m_repeating = true;
        return true;
    }
    bool IsRepeatTick(const MSG& msg) const { return m_repeating && IsTick(msg, IDT_REPEAT); }
    bool Repeating() const { return m_repeating; }
    void Stop() { m_loop.KillTimer(m_repeating ? IDT_REPEAT : IDT_FIRSTDELAY); }

private:
    bool IsTick(const MSG& msg, UINT_PTR id) const
    {
        return msg.message == WM_TIMER && msg.hwnd == m_hWnd && msg.wParam == id;
    }
    CTrackLoop& m_loop;
    HWND m_hWnd;
    UINT m_repeatMs;
    bool m_repeating = false;
};
