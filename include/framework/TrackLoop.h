// The modal tracking loop every control runs inside the handler of the press that starts an
// interaction. It owns what every such loop must undo (capture, timers, a pointer clip) and
// notices when the control's window is destroyed while the loop runs (for example by the
// parent, in a handler of a notification the loop sent), so that the caller can leave at
// once without touching the destroyed object.
//
//   CTrackLoop loop(this);
//   loop.Capture();
//   MSG msg;
//   while (loop.GetMessage(msg)) {          // FALSE on WM_QUIT (consumed) or window gone
//       if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
//       ... the control's own step, which may notify the parent ...
//       if (!loop.IsAlive()) return;        // destroyed by a handler: members are gone
//       loop.DispatchUnlessMouse(msg);
//       if (!loop.IsAlive()) return;
//       if (!loop.HasCapture()) break;
//   }
#pragma once
#include "../KestrelDefs.h"
#include "Types.h"

class CWnd;

class KESTREL_API CTrackLoop {
public:
    explicit CTrackLoop(CWnd* pWnd);
    explicit CTrackLoop(HWND hWnd);
    // Kills the timers started through the loop and releases its pointer clip. The capture is
    // released only while this window still holds it; a destroyed window's capture belongs to
    // whoever took it, and a destroyed window's timers died with it.
    ~CTrackLoop();
    CTrackLoop(const CTrackLoop&) = delete;
    CTrackLoop& operator=(const CTrackLoop&) = delete;

    HWND GetHwnd() const { return m_hWnd; }
    // The window has not been destroyed since the loop began.
    bool IsAlive() const { return m_alive; }
    // The window is alive and holds the mouse capture.
    bool HasCapture() const;

    void Capture();
    void ReleaseCapture();
    // A timer on the window, killed when the loop ends unless killed before.
    void SetTimer(UINT_PTR id, UINT elapseMs);
    void KillTimer(UINT_PTR id);
    // Confines the pointer to a screen rectangle until the loop ends.
    void ClipCursor(const RECT& screenRect);

    // The next message of the thread (GetMessageW, all windows). FALSE when WM_QUIT arrives
    // (consumed, not posted again; see Quit()) or when the window is already gone.
    bool GetMessage(MSG& msg);
    // TRUE when the loop ended on WM_QUIT.
    bool Quit() const { return m_quit; }
    // Translates and dispatches every message outside the mouse range; mouse messages belong
    // to the loop. Returns IsAlive() afterwards.
    bool DispatchUnlessMouse(const MSG& msg);
    static bool IsMouseMessage(UINT message) { return message >= WM_MOUSEFIRST && message <= 0x20E; }
    // The point of a mouse message in the loop window's client coordinates (messages for other
    // windows are mapped), or in screen coordinates.
    CPoint ClientPoint(const MSG& msg) const;
    static CPoint ScreenPoint(const MSG& msg);

    // Called by the framework when a window is destroyed: marks every loop of this thread that
    // runs for it as ended.
    static void OnWindowDestroyed(HWND hWnd);

private:
    HWND m_hWnd;
    bool m_alive = true;
    bool m_quit = false;
    bool m_clipped = false;
    UINT_PTR m_timers[4] = {};
    CTrackLoop* m_pOuter;  // the loop this one runs inside, on this thread
};
