// CxSpltWnd: the vertical bar that moves along x between left and right panes.
#include "SplitterCore.h"

using splitter::Axis;

namespace {

constexpr COLORREF kBarColor = RGB(49, 55, 67);
// The two rows across the top of the bar.
constexpr COLORREF kTopRowColor = RGB(29, 36, 48);
constexpr COLORREF kSecondRowColor = RGB(50, 63, 87);
constexpr UINT kMoveCursorId = 10025;
// A static placeholder needs SS_NOTIFY to receive the mouse.
constexpr DWORD kNotifyStyle = SS_NOTIFY;

void FillRow(CDC* pDC, const RECT& client, int row, COLORREF clr)
{
    const RECT r{client.left, client.top + row, client.right, client.top + row + 1};
    pDC->FillSolidRect(&r, clr);
}

}  // namespace

BEGIN_MESSAGE_MAP(CxSpltWnd, CWnd)
    ON_WM_LBUTTONDOWN()
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
END_MESSAGE_MAP()

CxSpltWnd::CxSpltWnd()
    : m_pBoundParent(nullptr), m_nMinLeft(0), m_nMinRight(0), m_hBkBrush(::CreateSolidBrush(kBarColor)),
      m_hCursor(GetHCursor(kMoveCursorId)), m_clrBk(kBarColor)
{
}

CxSpltWnd::~CxSpltWnd()
{
    if (m_hBkBrush != nullptr) ::DeleteObject(m_hBkBrush);
}

int CxSpltWnd::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    WNDCLASSW wc{};
    wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = m_hCursor;
    wc.lpszClassName = SPLTWND_CLASSNAME;
    if (!AfxRegisterClass(&wc)) return 0;
    // A created bar lays out in the parent it was created in, as a bound one would.
    m_pBoundParent = pParentWnd;
    m_nMinLeft = m_nMinRight = SPLT_DEFAULT_MINIMUM;
    CreateEx(0, SPLTWND_CLASSNAME, nullptr, dwStyle | WS_CHILD | WS_VISIBLE | kNotifyStyle, rect, pParentWnd, nID);
    return 1;
}

int CxSpltWnd::BindWithControl(CWnd* pParent, DWORD nID)
{
    m_nMinLeft = m_nMinRight = SPLT_DEFAULT_MINIMUM;
    m_pBoundParent = pParent;
    HWND hParent = pParent->GetSafeHwnd();
    SubclassWindow(hParent ? ::GetDlgItem(hParent, static_cast<int>(nID)) : nullptr);
    if (m_hWnd != nullptr) ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(GetStyle() | kNotifyStyle));
    return 1;
}

void CxSpltWnd::Unbind()
{
    DetachAllPanes();
    UnsubclassWindow();
}

void CxSpltWnd::SetMinWidth(int nLeft, int nRight)
{
    m_nMinLeft = nLeft;
    m_nMinRight = nRight;
}

int CxSpltWnd::AttachAsLeftPane(DWORD nID)
{
    m_leftIds.Add(nID);
    return 1;
}

int CxSpltWnd::AttachAsRightPane(DWORD nID)
{
    m_rightIds.Add(nID);
    return 1;
}

int CxSpltWnd::AttachAsLeftPane(CWnd* pWnd)
{
    if (pWnd == nullptr) return 0;
    m_leftWnds.Add(pWnd);
    return 1;
}

int CxSpltWnd::AttachAsRightPane(CWnd* pWnd)
{
    if (pWnd == nullptr) return 0;
    m_rightWnds.Add(pWnd);
    return 1;
}

int CxSpltWnd::DetachAllPanes()
{
    m_leftIds.RemoveAll();
    m_rightIds.RemoveAll();
    m_leftWnds.RemoveAll();
    m_rightWnds.RemoveAll();
    return 1;
}

std::vector<HWND> CxSpltWnd::CollectPanes(bool bFirstSide, bool forLimits) const
{
    std::vector<HWND> panes;
    HWND hParent = m_pBoundParent->GetSafeHwnd();
    const CDWordArray& ids = bFirstSide ? m_leftIds : m_rightIds;
    for (INT_PTR i = 0; i < ids.GetSize(); ++i) {
        HWND pane = hParent ? ::GetDlgItem(hParent, static_cast<int>(ids[i])) : nullptr;
        if (pane != nullptr) panes.push_back(pane);
    }
    const CArray<CWnd*, CWnd*>& windows = bFirstSide ? m_leftWnds : m_rightWnds;
    for (INT_PTR i = 0; i < windows.GetSize(); ++i) {
        HWND pane = windows[i]->GetSafeHwnd();
        if (!::IsWindow(pane)) continue;
        // A hidden pane is still laid out but does not hold the bar back.
        if (forLimits && !::IsWindowVisible(pane)) continue;
        panes.push_back(pane);
    }
    return panes;
}

void CxSpltWnd::RecalcLayout()
{
    splitter::LayOutPanes(m_hWnd, m_pBoundParent->GetSafeHwnd(), CollectPanes(true, false), CollectPanes(false, false),
                          Axis::X);
}

int CxSpltWnd::GetMouseClipRect(RECT* lpRect, CPoint point)
{
    return splitter::MouseClipRect(m_hWnd, m_pBoundParent->GetSafeHwnd(), m_nMinLeft, m_nMinRight,
                                   CollectPanes(true, true), CollectPanes(false, true), point, Axis::X, lpRect);
}

void CxSpltWnd::MoveToBoarder(int bFirstSide)
{
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) return;
    RECT s = splitter::WindowRectIn(m_hWnd, hParent);
    const int width = s.right - s.left;
    if (bFirstSide) {
        s.left = m_nMinLeft;
    } else {
        RECT client{};
        ::GetClientRect(hParent, &client);
        s.left = client.right - m_nMinRight - width;
    }
    s.right = s.left + width;
    MoveWindow(&s, TRUE);
    RecalcLayout();
    splitter::NotifyMoved(m_hWnd, 0);
}

void CxSpltWnd::OnLButtonDown(UINT, CPoint point)
{
    AnimateSpliter(point);
}

void CxSpltWnd::AnimateSpliter(CPoint point)
{
    if (::GetCapture() != nullptr) return;
    RECT clip{};
    if (!GetMouseClipRect(&clip, point)) return;
    HWND hParent = m_pBoundParent->GetSafeHwnd();
    int displacement = 0;
    if (!splitter::TrackDrag(m_hWnd, hParent, point, clip, Axis::X, displacement)) return;
    if (displacement == 0) return;

    RECT r = splitter::WindowRectIn(m_hWnd, hParent);
    splitter::Shift(r, Axis::X, displacement);
    RECT client{};
    ::GetClientRect(hParent, &client);
    if (r.left < m_nMinLeft) splitter::Shift(r, Axis::X, m_nMinLeft - r.left);
    else if (r.right > client.right - m_nMinRight) splitter::Shift(r, Axis::X, client.right - m_nMinRight - r.right);
    MoveWindow(&r, TRUE);
    RecalcLayout();
    splitter::NotifyMoved(m_hWnd, displacement);
}

void CxSpltWnd::Paint(CDC* pDC)
{
    RECT client{};
    GetClientRect(&client);
    RECT body = client;
    body.top += 2;
    if (body.top < body.bottom) pDC->FillSolidRect(&body, m_clrBk);
    FillRow(pDC, client, 0, kTopRowColor);
    FillRow(pDC, client, 1, kSecondRowColor);
}

void CxSpltWnd::OnPaint()
{
    CPaintDC dc(this);
    Paint(&dc);
}

BOOL CxSpltWnd::OnEraseBkgnd(CDC* pDC)
{
    Paint(pDC);
    return TRUE;
}

BOOL CxSpltWnd::OnSetCursor(CWnd*, UINT, UINT)
{
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CxSpltWnd::SetBkColor(COLORREF clr)
{
    m_clrBk = clr;
    if (m_hWnd != nullptr) Invalidate(TRUE);
}
