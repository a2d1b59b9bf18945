// CySpltWnd: the horizontal bar that moves along y between panes above and below.
#include "SplitterCore.h"

using splitter::Axis;

namespace {

constexpr COLORREF kBarColor = RGB(49, 55, 67);
constexpr UINT kMoveCursorId = 10025;
constexpr DWORD kNotifyStyle = SS_NOTIFY;
// The bar's final place stays this far inside the parent's client top and bottom.
constexpr int kBorderInset = 1;

}  // namespace

BEGIN_MESSAGE_MAP(CySpltWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CySpltWnd::CySpltWnd()
    : m_pBoundParent(nullptr), m_nMinAbove(SPLT_DEFAULT_MINIMUM), m_nMinBelow(SPLT_DEFAULT_MINIMUM),
      m_hCursor(GetHCursor(kMoveCursorId))
{
}

CySpltWnd::~CySpltWnd() = default;

int CySpltWnd::BindWithControl(CWnd* pParent, DWORD nID)
{
    m_pBoundParent = pParent;
    HWND hParent = pParent->GetSafeHwnd();
    SubclassWindow(hParent ? ::GetDlgItem(hParent, static_cast<int>(nID)) : nullptr);
    if (m_hWnd != nullptr) ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | kNotifyStyle));
    return 1;
}

void CySpltWnd::Unbind()
{
    DetachAllPanes();
    UnsubclassWindow();
}

void CySpltWnd::SetMinHeight(int nAbove, int nBelow)
{
    m_nMinAbove = nAbove;
    m_nMinBelow = nBelow;
}

int CySpltWnd::AttachAsAbovePane(DWORD nID)
{
    m_aboveIds.Add(nID);
    return 1;
}

int CySpltWnd::AttachAsBelowPane(DWORD nID)
{
    m_belowIds.Add(nID);
    return 1;
}

int CySpltWnd::DetachAllPanes()
{
    m_aboveIds.RemoveAll();
    m_belowIds.RemoveAll();
    return 1;
}

std::vector<HWND> CySpltWnd::CollectPanes(bool bFirstSide) const
{
    std::vector<HWND> panes;
    HWND hParent = m_pBoundParent->GetSafeHwnd();
    if (hParent == nullptr) return panes;
    const CDWordArray& ids = bFirstSide ? m_aboveIds : m_belowIds;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
        HWND pane = ::GetDlgItem(hParent, static_cast<int>(ids[i]));
        if (pane != nullptr) panes.push_back(pane);
    }
    return panes;
}

void CySpltWnd::RecalcLayout()
{
    splitter::LayOutPanes(m_hWnd, m_pBoundParent->GetSafeHwnd(), CollectPanes(true), CollectPanes(false), Axis::Y);
}

int CySpltWnd::GetMouseClipRect(RECT* lpRect, CPoint point)
{
    return splitter::MouseClipRect(m_hWnd, m_pBoundParent->GetSafeHwnd(), m_nMinAbove, m_nMinBelow,
                                   CollectPanes(true), CollectPanes(false), point, Axis::Y, lpRect);
}

void CySpltWnd::MoveToBoarder(int bFirstSide)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) return;
    RECT s = splitter::WindowRectIn(m_hWnd, hParent);
    const int height = s.bottom - s.top;
    if (bFirstSide) {
        s.top = m_nMinAbove;
    } else {
        RECT client{};
        ::GetClientRect(hParent, &client);
        s.top = client.bottom - m_nMinBelow - height;
    }
    s.bottom = s.top + height;
    MoveWindow(&s, TRUE);
    RecalcLayout();
    Invalidate(TRUE);
    splitter::NotifyMoved(m_hWnd, 0);
}

void CySpltWnd::OnLButtonDown(UINT, CPoint point)
{
    AnimateSpliter(point);
}

void CySpltWnd::AnimateSpliter(CPoint point)
{
    if (::GetCapture() != nullptr) return;
    RECT clip{};
    if (!GetMouseClipRect(&clip, point)) return;
    HWND hParent = m_pBoundParent->GetSafeHwnd();
    int displacement = 0;
    if (!splitter::TrackDrag(m_hWnd, hParent, point, clip, Axis::Y, displacement)) return;
    if (displacement == 0) return;

    // The pointer clip has kept the minimums; here only the parent's own border counts.
    RECT r = splitter::WindowRectIn(m_hWnd, hParent);
    splitter::Shift(r, Axis::Y, displacement);
    RECT client{};
    ::GetClientRect(hParent, &client);
    if (r.top < client.top + kBorderInset) splitter::Shift(r, Axis::Y, client.top + kBorderInset - r.top);
    if (r.bottom > client.bottom - kBorderInset) splitter::Shift(r, Axis::Y, client.bottom - kBorderInset - r.bottom);
    MoveWindow(&r, TRUE);
    RecalcLayout();
    splitter::NotifyMoved(m_hWnd, displacement);
}

BOOL CySpltWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CySpltWnd::OnPaint()
{
    CPaintDC dc(this);
    RECT client{};
    GetClientRect(&client);
    dc.FillSolidRect(&client, kBarColor);
}

BOOL CySpltWnd::OnEraseBkgnd(CDC*)
{
    return TRUE;
}
