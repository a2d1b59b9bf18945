#include "KestrelOrmProgress.h"
#include <algorithm>
#include <cmath>

namespace {

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

BEGIN_MESSAGE_MAP(COrmProgressCtrl, CProgressCtrlBase)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

COrmProgressCtrl::COrmProgressCtrl()
    : m_hBarBrush(GetHBrush(kStripeBrushId))
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

int COrmProgressCtrl::BarEnd(const CRect& B, int p) const
{
    return PosToX(p, B.left, B.Width());
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
