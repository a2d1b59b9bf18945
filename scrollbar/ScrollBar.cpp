// CStaticScrollBar: the window, its painting and the three tracking loops (arrow boxes, page
// areas, thumb). The loops only propose positions; the parent decides.
#include <KestrelScrollBar.h>
#include <KestrelDraw.h>
#include <algorithm>
#include <climits>

namespace {

constexpr COLORREF kArrowColor = RGB(158, 168, 188);
constexpr COLORREF kDisabledArrowColor = RGB(128, 128, 128);
constexpr COLORREF kDoubleClickColor = RGB(86, 86, 86);
constexpr int kRaisedBorder = 1;

int SaturatedSum(int a, long long b)
{
    const long long v = a + b;
    return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX));
}

bool Overlaps(const CRect& a, const CRect& b)
{
    return a.left < b.right && a.top < b.bottom && a.right > b.left && a.bottom > b.top;
}

}  // namespace

BEGIN_MESSAGE_MAP(CStaticScrollBar, CStaticX)
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

void CStaticScrollBar::PreSubclassWindow()
{
    CStaticX::PreSubclassWindow();
    RecalcLayout();
}

void CStaticScrollBar::OnSize(UINT, int, int)
{
    Default();
    if (!m_hWnd) return;
    RecalcLayout();
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

// ---- Notifications ----

void CStaticScrollBar::NotifyParent(int nSBCode, int nPos)
{
    m_nTrackPos = ClampToRange(nPos);
    const WPARAM wParam = MAKEWPARAM(static_cast<WORD>(nSBCode), static_cast<WORD>(m_nTrackPos & 0xFFFF));
    ::SendMessageW(::GetParent(m_hWnd), IsVertScroll() ? WM_VSCROLL : WM_HSCROLL, wParam,
                   reinterpret_cast<LPARAM>(m_hWnd));
}

void CStaticScrollBar::NotifyScroll(UINT code)
{
    NotifyAccessible(code == SBN_BEGINSCROLL ? EVENT_SYSTEM_SCROLLINGSTART : EVENT_SYSTEM_SCROLLINGEND);
    NMHDR hdr;
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(::GetDlgCtrlID(m_hWnd));
    hdr.code = code;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, hdr.idFrom, reinterpret_cast<LPARAM>(&hdr));
}

// ---- Painting ----

BOOL CStaticScrollBar::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CStaticScrollBar::SetBkColor(COLORREF clr)
{
    m_clrBox = clr;
    RepaintAll();
}

void CStaticScrollBar::SetMarginColor(COLORREF clr)
{
    m_clrMargin = clr;
    RepaintAll();
}

void CStaticScrollBar::OnPaint()
{
    CPaintDC dc(this);
    dc.IntersectClipRect(&m_rcClient);
    CRect clip;
    const int region = dc.GetClipBox(&clip);
    if (region == ERROR || region == NULLREGION) return;
    OnDraw(&dc, clip);
}

void CStaticScrollBar::OnDraw(CDC* pDC, const CRect& rcClip)
{
    const bool disabled = IsDisabled();
    const bool vertical = IsVertScroll();
    const COLORREF arrow = disabled ? kDisabledArrowColor : kArrowColor;
    for (int part = SBPART_LTUPENDBOX; part <= SBPART_RTDNENDBOX; ++part) {
        CRect box;
        GetPartRect(part, box);
        if (box.IsRectEmpty() || !Overlaps(box, rcClip)) continue;
        pDC->FillSolidRect(&box, m_clrBox);
        draw3Dborder(pDC, box, m_clrBox, kRaisedBorder);
        ENUMARROWFACE2 face;
        if (part == SBPART_LTUPENDBOX)
            face = vertical ? ARROWFACE2_UP : ARROWFACE2_LEFT;
        else
            face = vertical ? ARROWFACE2_DOWN : ARROWFACE2_RIGHT;
        DrawArrowInRect(pDC->GetSafeHdc(), box, face, arrow);
    }

    CRect rc;
    if (disabled) {
        GetPartRect(SBPART_TRACK, rc);
        if (!rc.IsRectEmpty()) pDC->FillSolidRect(&rc, m_clrMargin);
        return;
    }
    GetPartRect(SBPART_LTUPMARGIN, rc);
    if (!rc.IsRectEmpty()) pDC->FillSolidRect(&rc, m_clrMargin);
    GetPartRect(SBPART_RTDNMARGIN, rc);
    if (!rc.IsRectEmpty()) pDC->FillSolidRect(&rc, m_clrMargin);
    GetPartRect(SBPART_TRACKBOX, rc);
    pDC->FillSolidRect(&rc, m_clrBox);
    draw3Dborder(pDC, rc, m_clrBox, kRaisedBorder);
}

void CStaticScrollBar::DrawDownEndBox(CDC* pDC, const CRect& rc, BOOL)
{
    pDC->Draw3dRect(&rc, getdefaultColor(DEFCLR_BOXSHADOW), getdefaultColor(DEFCLR_BOXLIGHT));
}

// ---- Mouse ----

void CStaticScrollBar::OnLButtonDown(UINT, CPoint point)
{
    Default();
    if (IsDisabled() || !m_rcClient.PtInRect(point)) return;
    const int part = HitTest(point);
    switch (part) {
    case SBPART_LTUPENDBOX:
    case SBPART_RTDNENDBOX:
        AnimateEndBox(part);
        break;
    case SBPART_LTUPMARGIN:
    case SBPART_RTDNMARGIN:
        AnimateMarginBox(part, point);
        break;
    case -1:
        break;
    default:
        AnimateTrackBox(point);
        break;
    }
}

void CStaticScrollBar::AnimateEndBox(int nPart)
{
    CTrackLoop loop(this);
    NotifyScroll(SBN_BEGINSCROLL);
    if (!loop.IsAlive()) return;
    CClientDC dc(this);
    CRect box;
    GetPartRect(nPart, box);
    DrawDownEndBox(&dc, box, nPart == SBPART_LTUPENDBOX);

    CAutoRepeat repeat(loop, m_hWnd, static_cast<UINT>(GetTimerWait(static_cast<int>(IDT_FIRSTDELAY))),
                       static_cast<UINT>(GetTimerWait(static_cast<int>(IDT_REPEAT))));
    bool pressed = false;
    const int step = PartStep(nPart);
    const int action = GetScrollAction(nPart);
    int current = m_nPos;
    loop.Capture();

    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (repeat.StartsRepeating(msg)) {
            pressed = true;
        } else if (pressed && step != 0 && repeat.IsRepeatTick(msg)) {
            const int next = ClampToRange(static_cast<long long>(current) + step);
            if (next != current) {
                NotifyParent(action, next);
                if (!loop.IsAlive()) return;
                UpdateWindow();
                current = m_nPos;  // whatever the parent made of it
            }
        }
        if (msg.message == WM_MOUSEMOVE && repeat.Repeating()) {
            const bool inside = box.PtInRect(loop.ClientPoint(msg)) != FALSE;
            if (inside && !pressed) {
                DrawDownEndBox(&dc, box, nPart == SBPART_LTUPENDBOX);
                pressed = true;
            } else if (!inside && pressed) {
                InvalidateRect(&box, TRUE);
                UpdateWindow();
                pressed = false;
            }
        }
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;

    repeat.Stop();
    InvalidateRect(&box, TRUE);
    // The release adds one more step, wherever the pointer is.
    const int next = ClampToRange(static_cast<long long>(current) + step);
    if (next != current) {
        NotifyParent(action, next);
        if (!loop.IsAlive()) return;
    }
    UpdateWindow();
    NotifyScroll(SBN_ENDSCROLL);
}

void CStaticScrollBar::AnimateMarginBox(int nPart, CPoint& point)
{
    CTrackLoop loop(this);
    NotifyScroll(SBN_BEGINSCROLL);
    if (!loop.IsAlive()) return;
    CRect area;
    GetPartRect(nPart, area);
    const int step = PartStep(nPart);
    const int action = GetScrollAction(nPart);

    // The first page is asked for at the press.
    int target = SaturatedSum(m_nPos, step);
    NotifyParent(action, target);
    if (!loop.IsAlive()) return;
    UpdateWindow();
    CClientDC dc(this);
    GetPartRect(nPart, area);

    CAutoRepeat repeat(loop, m_hWnd, static_cast<UINT>(GetTimerWait(static_cast<int>(IDT_FIRSTDELAY))),
                       static_cast<UINT>(GetTimerWait(static_cast<int>(IDT_REPEAT))));
    bool pressed = false;
    loop.Capture();

    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (repeat.StartsRepeating(msg)) {
            pressed = true;
        } else if (pressed && repeat.IsRepeatTick(msg)) {
            const int next = ClampToRange(static_cast<long long>(m_nPos) + step);
            if (next != target) {
                target = next;
                NotifyParent(action, next);
                if (!loop.IsAlive()) return;
                UpdateWindow();
                GetPartRect(nPart, area);
            }
            if (area.PtInRect(point)) {
                InvalidateRect(&area, TRUE);
                UpdateWindow();
            } else {
                pressed = false;  // the thumb has reached the pointer
            }
        }
        if (msg.message == WM_MOUSEMOVE) {
            point = loop.ClientPoint(msg);
            GetPartRect(nPart, area);
            if (repeat.Repeating()) {
                const bool inside = area.PtInRect(point) != FALSE;
                if (inside != pressed) {
                    pressed = inside;
                    InvalidateRect(&area, TRUE);
                    UpdateWindow();
                }
            }
        }
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;

    repeat.Stop();
    NotifyScroll(SBN_ENDSCROLL);
    if (!loop.IsAlive()) return;
    InvalidatePart(SBPART_TRACK);
}

void CStaticScrollBar::AnimateTrackBox(CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    // A press released before the pointer leaves the drag rectangle asks for nothing.
    if (!::DragDetect(m_hWnd, screen)) return;

    CTrackLoop loop(this);
    NotifyScroll(SBN_BEGINSCROLL);
    if (!loop.IsAlive()) return;
    CRect initial;
    GetPartRect(SBPART_TRACKBOX, initial);
    const CPoint grab(point.x - initial.left, point.y - initial.top);
    CPoint topLeft = initial.TopLeft();
    const long long correction = static_cast<long long>(m_nPos) - src2value(topLeft, TRUE);
    const bool vertical = IsVertScroll();
    loop.Capture();

    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint pointer = loop.ClientPoint(msg);
            const CPoint p(pointer.x - grab.x, pointer.y - grab.y);
            CRect track;
            GetPartRect(SBPART_TRACK, track);
            const int c = vertical ? p.y : p.x;
            const int lo = vertical ? track.top : track.left;
            const int hi = (vertical ? track.bottom : track.right) - m_nThumbLen;
            long long v = 0;
            if (hi - lo > 0)
                v = m_nMin + (static_cast<long long>(m_nMax) - m_nMin) * (static_cast<long long>(c) - lo) / (hi - lo);
            NotifyParent(SB_THUMBTRACK, ClampToRange(v + correction));
            if (!loop.IsAlive()) return;

            // The bands the thumb may have left or entered since the press.
            const int lead = vertical ? initial.top : initial.left;
            const int trail = vertical ? initial.bottom : initial.right;
            const int bands[2][2] = {{lead, c}, {trail, c + m_nThumbLen}};
            for (const auto& band : bands) {
                CRect rc = initial;
                SetAxisSpan(rc, std::min(band[0], band[1]), std::max(band[0], band[1]));
                InvalidateRect(&rc, TRUE);
            }
        }
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;
    NotifyScroll(SBN_ENDSCROLL);
}

void CStaticScrollBar::OnLButtonDblClk(UINT, CPoint point)
{
    Default();
    if (IsDisabled() || !m_rcClient.PtInRect(point)) return;
    const int part = HitTest(point);
    const bool endBox = part == SBPART_LTUPENDBOX || part == SBPART_RTDNENDBOX;
    const bool margin = part == SBPART_LTUPMARGIN || part == SBPART_RTDNMARGIN;
    if (!endBox && !margin) return;

    CTrackLoop guard(this);  // notices a parent that destroys the bar
    NotifyScroll(SBN_BEGINSCROLL);
    if (!guard.IsAlive()) return;
    CRect rc;
    GetPartRect(part, rc);
    {
        CClientDC dc(this);
        if (endBox)
            dc.Draw3dRect(&rc, kDoubleClickColor, kDoubleClickColor);
        else
            dc.FillSolidRect(&rc, kDoubleClickColor);
    }
    const int step = PartStep(part);
    if (step != 0) {
        const int next = ClampToRange(static_cast<long long>(m_nPos) + 2LL * step);
        if (next != m_nPos) {
            NotifyParent(GetScrollAction(part), next);
            if (!guard.IsAlive()) return;
            UpdateWindow();
        }
    }
    InvalidateRect(&rc, TRUE);
    NotifyScroll(SBN_ENDSCROLL);
}
