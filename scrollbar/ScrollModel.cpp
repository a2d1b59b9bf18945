// CStaticScrollBar: the scroll model, the layout into parts and the value/pixel mapping. Only the
// client rectangle comes from the window; everything else works without one.
#include <KestrelScrollBar.h>
#include <algorithm>
#include <climits>

namespace {

constexpr DWORD kCreatedStyleBit = 0x100;
// A thumb shorter than this is lengthened, when the track has room for it.
constexpr int kMinThumbLength = 15;
constexpr UINT kAnyValueMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
constexpr COLORREF kDefaultMarginColor = RGB(63, 75, 99);

int SaturateToInt(long long v)
{
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// (a * b) / d truncating toward zero, with 64-bit intermediates; d is not 0.
long long MulDivTrunc(long long a, long long b, long long d)
{
    return (a * b) / d;
}

}  // namespace

CStaticScrollBar::CStaticScrollBar()
    : m_dwSBStyle(SBS_VERT), m_nEnableFlags(ESB_ENABLE_BOTH), m_nMin(0), m_nMax(10), m_nPage(5), m_nPos(0),
      m_nTrackPos(0), m_nLineStep(1), m_nThumbLen(0), m_nEndBoxLen(0), m_clrBox(getdefaultColor(DEFCLR_BK)),
      m_clrMargin(kDefaultMarginColor), m_rcClient(0, 0, 0, 0)
{
}

CStaticScrollBar::~CStaticScrollBar()
{
    // Gone while this object can still answer its messages.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
}

BOOL CStaticScrollBar::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    m_dwSBStyle = dwStyle | kCreatedStyleBit;
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

BOOL CStaticScrollBar::ModifySBStyle(DWORD dwRemove, DWORD dwAdd, UINT bRedraw)
{
    const DWORD style = (m_dwSBStyle & ~dwRemove) | dwAdd;
    if (style == m_dwSBStyle) return FALSE;
    m_dwSBStyle = style;
    if (bRedraw && m_hWnd) InvalidateRect(nullptr, TRUE);
    return TRUE;
}

// ---- Model ----

int CStaticScrollBar::ClampToRange(long long v) const
{
    const int lo = std::min(m_nMin, m_nMax);
    const int hi = std::max(m_nMin, m_nMax);
    if (v < lo) return lo;
    if (v > hi) return hi;
    return static_cast<int>(v);
}

void CStaticScrollBar::RepaintAll()
{
    if (!m_hWnd) return;
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
}

void CStaticScrollBar::InvalidatePart(int nPart)
{
    if (!m_hWnd) return;
    CRect rc;
    GetPartRect(nPart, rc);
    InvalidateRect(&rc, TRUE);
}

void CStaticScrollBar::SetScrollRange(int nMinPos, int nMaxPos, BOOL bRedraw)
{
    if (nMinPos == m_nMin && nMaxPos == m_nMax) return;
    m_nMin = nMinPos;
    m_nMax = nMaxPos;
    m_nPos = m_nTrackPos = ClampToRange(m_nPos);
    RecalcLayout();
    if (m_nEnableFlags != ESB_ENABLE_BOTH) {
        m_nEnableFlags = ESB_ENABLE_BOTH;
        RepaintAll();
    }
    InvalidatePart(SBPART_TRACK);
    if (bRedraw && m_hWnd) UpdateWindow();
}

void CStaticScrollBar::GetScrollRange(LPINT lpMinPos, LPINT lpMaxPos) const
{
    if (lpMinPos) *lpMinPos = m_nMin;
    if (lpMaxPos) *lpMaxPos = m_nMax;
}

int CStaticScrollBar::SetScrollPos(int nPos, BOOL bRedraw)
{
    const int pos = ClampToRange(nPos);
    if (pos == m_nPos) return 0;
    const int previous = m_nPos;
    m_nPos = m_nTrackPos = pos;
    InvalidatePart(SBPART_TRACK);
    if (bRedraw && m_hWnd) UpdateWindow();
    // Non-zero exactly when the position moved, even from 0.
    return previous != 0 ? previous : 1;
}

BOOL CStaticScrollBar::SetScrollInfo(LPSCROLLINFO lpsi, BOOL bRedraw)
{
    if (!lpsi) return FALSE;
    bool changed = false;
    if ((lpsi->fMask & SIF_RANGE) && (lpsi->nMin != m_nMin || lpsi->nMax != m_nMax)) {
        SetScrollRange(lpsi->nMin, lpsi->nMax, FALSE);
        changed = true;
    }
    if ((lpsi->fMask & SIF_POS) && lpsi->nPos != m_nPos) {
        SetScrollPos(lpsi->nPos, FALSE);
        changed = true;
    }
    if ((lpsi->fMask & SIF_PAGE) && lpsi->nPage != m_nPage) {
        m_nPage = lpsi->nPage != 0 ? lpsi->nPage : 1;
        RecalcLayout();
        changed = true;
    }
    // Nothing to scroll below a positive maximum: the whole bar is disabled.
    const UINT flags = m_nMax > 0 ? ESB_ENABLE_BOTH : ESB_DISABLE_BOTH;
    if (m_nEnableFlags != flags) {
        m_nEnableFlags = flags;
        RepaintAll();
    }
    if (changed) {
        InvalidatePart(SBPART_TRACK);
        if (bRedraw && m_hWnd) UpdateWindow();
    }
    return TRUE;
}

BOOL CStaticScrollBar::GetScrollInfo(LPSCROLLINFO lpsi, UINT nMask)
{
    if (!lpsi) return FALSE;
    lpsi->cbSize = 0;
    lpsi->fMask = nMask;
    if (nMask & kAnyValueMask) {
        lpsi->nMin = m_nMin;
        lpsi->nMax = m_nMax;
        lpsi->nPage = m_nPage;
        lpsi->nPos = m_nPos;
        lpsi->nTrackPos = m_nTrackPos;
    }
    return TRUE;
}

void CStaticScrollBar::SetlineStep(UINT nStep)
{
    m_nLineStep = std::min(nStep, m_nPage);
    if (m_nLineStep == 0) m_nLineStep = 1;
}

void CStaticScrollBar::ShowScrollBar(BOOL bShow)
{
    ShowWindow(bShow ? SW_SHOWNORMAL : SW_HIDE);
}

BOOL CStaticScrollBar::EnableScrollBar(UINT nArrowFlags)
{
    if (nArrowFlags == m_nEnableFlags) return FALSE;
    m_nEnableFlags = nArrowFlags;
    RepaintAll();
    return TRUE;
}

// ---- Layout ----

void CStaticScrollBar::AxisSpan(const CRect& rc, int& start, int& end) const
{
    start = IsVertScroll() ? rc.top : rc.left;
    end = IsVertScroll() ? rc.bottom : rc.right;
}

void CStaticScrollBar::SetAxisSpan(CRect& rc, int start, int end) const
{
    if (IsVertScroll()) {
        rc.top = start;
        rc.bottom = end;
    } else {
        rc.left = start;
        rc.right = end;
    }
}

void CStaticScrollBar::RecalcLayout()
{
    CRect rc = m_rcClient;
    if (m_hWnd) GetClientRect(&rc);
    LayoutIn(rc);
}

void CStaticScrollBar::LayoutIn(const CRect& rcClient)
{
    m_rcClient = rcClient;
    const int cross = IsVertScroll() ? rcClient.Width() : rcClient.Height();
    const int length = IsVertScroll() ? rcClient.Height() : rcClient.Width();
    m_nEndBoxLen = cross;
    if (length <= 2 * m_nEndBoxLen) {
        // No room for a thumb: two half-length arrow boxes.
        m_nEndBoxLen = length / 2;
        m_nThumbLen = 0;
        return;
    }
    const int available = length - 2 * m_nEndBoxLen;
    if (m_nMax == m_nMin) {
        m_nThumbLen = available;
    } else {
        const long long span = static_cast<long long>(m_nMax) - m_nMin;
        const long long divisor = (span < 0 ? -span : span) + m_nPage;
        m_nThumbLen = static_cast<int>(MulDivTrunc(m_nPage, available, divisor));
    }
    if (m_nThumbLen < kMinThumbLength && available > kMinThumbLength) m_nThumbLen = kMinThumbLength;
}

void CStaticScrollBar::GetPartRect(int nPart, CRect& rc)
{
    rc = m_rcClient;
    int start, end;
    AxisSpan(rc, start, end);
    const int box = m_nEndBoxLen;
    switch (nPart) {
    case SBPART_LTUPENDBOX:
        SetAxisSpan(rc, start, start + box);
        break;
    case SBPART_RTDNENDBOX:
        SetAxisSpan(rc, end - box, end);
        break;
    case SBPART_TRACKBOX: {
        const int t = value2src();
        SetAxisSpan(rc, t, t + m_nThumbLen);
        break;
    }
    case SBPART_LTUPMARGIN:
        SetAxisSpan(rc, start + box, value2src());
        break;
    case SBPART_RTDNMARGIN:
        SetAxisSpan(rc, value2src() + m_nThumbLen, end - box);
        break;
    case SBPART_TRACK:
        SetAxisSpan(rc, start + box, end - box);
        break;
    default:
        break;
    }
}

// ---- Mapping ----

int CStaticScrollBar::value2src()
{
    CRect track;
    GetPartRect(SBPART_TRACK, track);
    int start, end;
    if (IsVertScroll()) {
        // A bar too short for a track has a zero-length thumb where the track would be, so
        // that the margins stay empty and both arrow boxes show whole.
        if (track.Height() <= 0) return track.top;
        start = track.top;
        end = track.bottom;
    } else {
        if (track.Width() <= 0) return 0;
        start = track.left;
        end = track.right;
    }
    const int lo = start;
    const int hi = end - m_nThumbLen;
    long long offset = 0;
    if (m_nMax != m_nMin)
        offset = MulDivTrunc(static_cast<long long>(m_nPos) - m_nMin, hi - lo, static_cast<long long>(m_nMax) - m_nMin);
    const long long t = lo + offset;
    return static_cast<int>(std::clamp<long long>(t, std::min(lo, hi), std::max(lo, hi)));
}

int CStaticScrollBar::value2src(int nValue)
{
    CRect track;
    GetPartRect(SBPART_TRACK, track);
    int lo, end;
    AxisSpan(track, lo, end);
    const int hi = end - m_nThumbLen;
    long long t = lo;
    if (m_nMax != m_nMin)
        t += MulDivTrunc(static_cast<long long>(nValue) - m_nMin, hi - lo, static_cast<long long>(m_nMax) - m_nMin);
    if (t < lo) t = lo;
    if (t > hi) t = hi;
    return static_cast<int>(t);
}

int CStaticScrollBar::src2value(int nPixel)
{
    CRect track;
    GetPartRect(SBPART_TRACK, track);
    int lo, end;
    AxisSpan(track, lo, end);
    const int hi = end - m_nThumbLen;
    // A thumb that fills the track leaves nothing to map: the value is the minimum.
    if (hi == lo) return m_nMin;
    const long long v =
        m_nMin + MulDivTrunc(static_cast<long long>(m_nMax) - m_nMin, static_cast<long long>(nPixel) - lo, hi - lo);
    return ClampToRange(v);
}

int CStaticScrollBar::src2value(CPoint& pt, BOOL bClamp)
{
    CRect track;
    GetPartRect(SBPART_TRACK, track);
    int lo, end;
    AxisSpan(track, lo, end);
    const int hi = end - m_nThumbLen;
    const int c = IsVertScroll() ? pt.y : pt.x;
    const long long span = static_cast<long long>(hi) - lo;
    long long v;
    if (span > 0)
        v = m_nMin + MulDivTrunc(static_cast<long long>(m_nMax) - m_nMin, static_cast<long long>(c) - lo, span);
    else if (!bClamp)
        v = 0;
    else if (c <= lo)
        v = m_nMin;
    else if (c >= hi)
        v = m_nMax;
    else
        v = 0;
    return bClamp ? ClampToRange(v) : SaturateToInt(v);
}

// ---- Hit testing ----

int CStaticScrollBar::HitTest(const CPoint& pt)
{
    for (int part = SBPART_LTUPENDBOX; part <= SBPART_RTDNMARGIN; ++part) {
        CRect rc;
        GetPartRect(part, rc);
        // Both edges belong to the part; a shared edge goes to the earlier part.
        if (pt.x >= rc.left && pt.x <= rc.right && pt.y >= rc.top && pt.y <= rc.bottom) return part;
    }
    return -1;
}

int CStaticScrollBar::GetScrollAction(int nPart) const
{
    switch (nPart) {
    case SBPART_LTUPENDBOX: return SB_LINEUP;
    case SBPART_RTDNENDBOX: return SB_LINEDOWN;
    case SBPART_LTUPMARGIN: return SB_PAGEUP;
    case SBPART_RTDNMARGIN: return SB_PAGEDOWN;
    default: return SB_THUMBTRACK;
    }
}

int CStaticScrollBar::PartStep(int nPart) const
{
    const bool page = nPart == SBPART_LTUPMARGIN || nPart == SBPART_RTDNMARGIN;
    int step = static_cast<int>(page ? m_nPage : m_nLineStep);
    if (m_nMin >= m_nMax) step = -step;
    if (nPart == SBPART_LTUPENDBOX || nPart == SBPART_LTUPMARGIN) step = -step;
    return step;
}

int CStaticScrollBar::GetTimerWait(int nIDEvent)
{
    return AutoRepeatWait(nIDEvent);
}
