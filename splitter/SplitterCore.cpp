#include "SplitterCore.h"
#include <algorithm>

namespace splitter {

RECT WindowRectIn(HWND hWnd, HWND hTo)
{
    RECT r{};
    ::GetWindowRect(hWnd, &r);
    if (hTo != nullptr) ::MapWindowPoints(nullptr, hTo, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

bool DragSpan(const RECT& parent, int minFirst, int minSecond, const std::vector<RECT>& firstPanes,
              const std::vector<RECT>& secondPanes, int barLength, Axis a, int& firstPlace, int& lastPlace)
{
    int lo = static_cast<int>(First(parent, a)) + minFirst;
    for (const RECT& pane : firstPanes) lo = std::max(lo, static_cast<int>(First(pane, a)) + minFirst);
    int hi = static_cast<int>(Far(parent, a)) - minSecond;
    for (const RECT& pane : secondPanes) hi = std::min(hi, static_cast<int>(Far(pane, a)) - minSecond);
    if (lo >= hi) return false;
    firstPlace = lo;
    lastPlace = hi - barLength;
    return true;
}

namespace {

std::vector<RECT> ScreenRects(const std::vector<HWND>& windows)
{
    std::vector<RECT> rects;
    rects.reserve(windows.size());
    for (HWND w : windows) rects.push_back(WindowRectIn(w, nullptr));
    return rects;
}

}  // namespace

int MouseClipRect(HWND bar, HWND boundParent, int minFirst, int minSecond, const std::vector<HWND>& firstPanes,
                  const std::vector<HWND>& secondPanes, POINT point, Axis a, RECT* lpRect)
{
    if (lpRect == nullptr || !::IsWindow(bar) || !::IsWindow(boundParent)) return 0;
    const RECT bar_ = WindowRectIn(bar, nullptr);
    RECT parent{};
    ::GetClientRect(boundParent, &parent);
    ::MapWindowPoints(boundParent, nullptr, reinterpret_cast<POINT*>(&parent), 2);
    int firstPlace = 0;
    int lastPlace = 0;
    if (!DragSpan(parent, minFirst, minSecond, ScreenRects(firstPanes), ScreenRects(secondPanes), Length(bar_, a), a,
                  firstPlace, lastPlace))
        return 0;
    // The pointer keeps its offset from the bar's first edge.
    const int offset = Along(point, a);
    RECT clip = bar_;
    First(clip, a) = firstPlace + offset;
    Far(clip, a) = lastPlace + offset + 1;
    *lpRect = clip;
    return 1;
}

void LayOutPanes(HWND bar, HWND boundParent, const std::vector<HWND>& firstPanes,
                 const std::vector<HWND>& secondPanes, Axis a)
{
    if (!::IsWindow(bar) || !::IsWindow(boundParent)) return;
    const RECT s = WindowRectIn(bar, boundParent);
    auto move = [](HWND pane, const RECT& r) {
        ::MoveWindow(pane, r.left, r.top, r.right - r.left, r.bottom - r.top, TRUE);
    };
    for (HWND pane : firstPanes) {
        RECT r = WindowRectIn(pane, boundParent);
        Far(r, a) = First(s, a);
        move(pane, r);
    }
    for (HWND pane : secondPanes) {
        RECT r = WindowRectIn(pane, boundParent);
        First(r, a) = Far(s, a);
        move(pane, r);
    }
}

void NotifyMoved(HWND bar, int movedBy)
{
    NMSPLTMOVE nm{};
    const int id = ::GetDlgCtrlID(bar);
    nm.hdr.hwndFrom = bar;
    nm.hdr.idFrom = static_cast<UINT_PTR>(id);
    nm.hdr.code = SPLTN_MOVED;
    nm.movedBy = movedBy;
    nm.kind = SPLTMOVE_KIND;
    ::SendMessageW(::GetParent(bar), WM_NOTIFY, static_cast<WPARAM>(id), reinterpret_cast<LPARAM>(&nm));
}

namespace {

// Where the feedback is drawn and which rectangle the bar has there.
class FeedbackSurface {
public:
    FeedbackSurface(HWND bar, HWND boundParent, Axis a)
        : m_hWnd(a == Axis::X ? nullptr : boundParent), m_bar(WindowRectIn(bar, m_hWnd))
    {
        m_dc.Attach(a == Axis::X ? ::GetWindowDC(nullptr) : ::GetDC(m_hWnd));
        m_size = SIZE{m_bar.right - m_bar.left, m_bar.bottom - m_bar.top};
    }
    ~FeedbackSurface() { ::ReleaseDC(m_hWnd, m_dc.Detach()); }
    FeedbackSurface(const FeedbackSurface&) = delete;
    FeedbackSurface& operator=(const FeedbackSurface&) = delete;

    const RECT& Bar() const { return m_bar; }
    // The border is as thick as the bar: the whole bar flips as one solid halftone block.
    void Draw(const RECT& r, const RECT* last) { m_dc.DrawDragRect(&r, m_size, last, m_size); }

private:
    HWND m_hWnd;
    RECT m_bar;
    SIZE m_size{};
    CDC m_dc;
};

}  // namespace

bool TrackDrag(HWND bar, HWND boundParent, POINT point, const RECT& clip, Axis a, int& displacement)
{
    displacement = 0;
    CTrackLoop loop(bar);
    loop.ClipCursor(clip);
    loop.Capture();
    FeedbackSurface surface(bar, boundParent, a);
    RECT shown = surface.Bar();
    surface.Draw(shown, nullptr);

    const bool fullRules = a == Axis::X;
    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) {
            loop.ReleaseCapture();
        } else if (msg.message == WM_MOUSEMOVE) {
            displacement = Along(loop.ClientPoint(msg), a) - Along(point, a);
            RECT moved = surface.Bar();
            Shift(moved, a, displacement);
            surface.Draw(moved, &shown);
            shown = moved;
        } else if (CTrackLoop::IsMouseMessage(msg.message)) {
            if (!fullRules && msg.message != WM_RBUTTONDOWN) ::DispatchMessageW(&msg);
        } else if (fullRules) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        } else if (msg.message != WM_KEYDOWN) {
            ::DispatchMessageW(&msg);
        }
        if (!loop.IsAlive() || !loop.HasCapture()) break;
    }
    surface.Draw(shown, nullptr);
    return loop.IsAlive();
}

}  // namespace splitter
