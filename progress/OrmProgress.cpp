#include "KestrelOrmProgress.h"
#include <algorithm>
#include <cmath>

namespace {

constexpr UINT kPositionMessage = WM_USER + 501;
constexpr WPARAM kGetPosition = 1;
constexpr WPARAM kSetPosition = 2;

constexpr UINT kStripeBrushId = 10000;
constexpr COLORREF kFrameColor = RGB(0, 0, 0);
constexpr COLORREF kFieldColor = RGB(23, 29, 40);
constexpr int kClientHeight = 18;
constexpr int kFrameWidth = 1;
constexpr int kBarMargin = 3;  // field colour between the frame and the bar
// A growing bar repaints from a little left of its old end so the stripe phase joins up.
constexpr int kGrowOverlap = 5;
// A shrinking bar clears a little beyond both ends (and over the margin).
constexpr int kShrinkOverlap = 3;

void FillSolid(HDC hdc, const RECT& r, COLORREF clr)
{
    ::SetBkColor(hdc, clr);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

}  // namespace

BEGIN_MESSAGE_MAP(COrmProgressCtrl, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_MESSAGE(kPositionMessage, OnSetProgressPos)
END_MESSAGE_MAP()

COrmProgressCtrl::COrmProgressCtrl()
    : m_nLower(0), m_nUpper(100), m_nPos(0), m_hBarBrush(GetHBrush(kStripeBrushId))
{
}

// The bar brush belongs to the registry.
COrmProgressCtrl::~COrmProgressCtrl() = default;

BOOL COrmProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(nullptr, nullptr, dwStyle, rect, pParentWnd, nID);
}

void COrmProgressCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    CRect rc;
    GetClientRect(&rc);
    rc.bottom = rc.top + kClientHeight;
    CalcWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOMOVE);
}

void COrmProgressCtrl::SetRange(int nLower, int nUpper)
{
    m_nLower = nLower;
    m_nUpper = nUpper;
    int pos = m_nPos;
    if (pos > m_nUpper)
        pos = m_nUpper;
    else if (pos < m_nLower)
        pos = m_nLower;
    if (pos == m_nPos) return;
    m_nPos = pos;
    if (IsWindow()) InvalidateRect(nullptr, TRUE);
}

void COrmProgressCtrl::GetRange(int& nLower, int& nUpper) const
{
    nLower = m_nLower;
    nUpper = m_nUpper;
}

void COrmProgressCtrl::SetPos(int nPos)
{
    nPos = std::min(nPos, m_nUpper);
    nPos = std::max(nPos, m_nLower);
    if (IsWindow()) SendMessage(kPositionMessage, kSetPosition, static_cast<LPARAM>(nPos));
}

int COrmProgressCtrl::GetPos() const
{
    if (!IsWindow()) return 0;
    return static_cast<int>(SendMessage(kPositionMessage, kGetPosition, 0));
}

int COrmProgressCtrl::OnGetCurrentPos()
{
    return m_nPos;
}

LRESULT COrmProgressCtrl::OnSetProgressPos(WPARAM wParam, LPARAM lParam)
{
    if (wParam == kGetPosition) return m_nPos;
    if (wParam == kSetPosition) OnSetCurrentPos(static_cast<int>(lParam));
    return 0;
}

int COrmProgressCtrl::BarEnd(const CRect& B, int p) const
{
    if (m_nUpper == m_nLower) return B.right;
    // Single precision, ties to even, like the painting it has to line up with.
    float q = static_cast<float>((static_cast<double>(p) - m_nLower) * B.Width() /
                                 (static_cast<double>(m_nUpper) - m_nLower));
    // Out-of-range positions must not overflow the conversion.
    q = std::max(-1.0e6f, std::min(q, 1.0e6f));
    return B.left + static_cast<int>(lrintf(q));
}

BOOL COrmProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void COrmProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect C;
    GetClientRect(&C);

    FillSolid(dc, CRect(C.left, C.top, C.left + kFrameWidth, C.bottom), kFrameColor);
    FillSolid(dc, CRect(C.right - kFrameWidth, C.top, C.right, C.bottom), kFrameColor);
    FillSolid(dc, CRect(C.left, C.top, C.right, C.top + kFrameWidth), kFrameColor);
    FillSolid(dc, CRect(C.left, C.bottom - kFrameWidth, C.right, C.bottom), kFrameColor);

    CRect F = C;
    F.DeflateRect(kFrameWidth, kFrameWidth);
    CRect B = F;
    B.DeflateRect(kBarMargin, kBarMargin);
    if (m_nUpper != m_nLower) B.right = std::max<LONG>(BarEnd(B, m_nPos), B.left);

    dc.SetBrushOrg(B.left, B.top);
    if (m_hBarBrush != nullptr) ::FillRect(dc, &B, m_hBarBrush);
    if (!B.IsRectEmpty()) dc.ExcludeClipRect(&B);
    FillSolid(dc, F, kFieldColor);
}

void COrmProgressCtrl::OnSetCurrentPos(int nPos)
{
    if (!IsWindow() || nPos == m_nPos) {
        m_nPos = nPos;
        return;
    }
    if (nPos > m_nUpper)
        nPos = m_nUpper;
    else if (nPos < m_nLower)
        nPos = m_nLower;
    const int old = m_nPos;
    m_nPos = nPos;
    if (old == nPos) return;

    CRect B;
    GetClientRect(&B);
    B.DeflateRect(kFrameWidth + kBarMargin, kFrameWidth + kBarMargin);
    const int xOld = BarEnd(B, old);
    const int xNew = BarEnd(B, nPos);

    CClientDC dc(this);
    if (nPos > old) {
        CRect strip = B;
        if (m_nUpper != m_nLower) {
            strip.left = std::max<LONG>(xOld - kGrowOverlap, B.left);
            strip.right = std::min<LONG>(xNew, B.right);
        }
        dc.SetBrushOrg(B.left, B.top);
        if (m_hBarBrush != nullptr) ::FillRect(dc, &strip, m_hBarBrush);
    } else {
        CRect strip(xNew, B.top, xOld, B.bottom);
        strip.InflateRect(kShrinkOverlap, kShrinkOverlap);
        strip.left = std::max(strip.left, B.left);
        strip.right = std::min(strip.right, B.right);
        FillSolid(dc, strip, kFieldColor);
    }
}
