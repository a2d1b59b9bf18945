#include <KestrelProgress.h>
#include <KestrelTheme.h>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {
const wchar_t kClassName[] = L"COOLPROGRESSCTRL";
constexpr COLORREF kFrameShadow = RGB(21, 32, 43);
constexpr COLORREF kFrameLight = RGB(80, 95, 122);
constexpr COLORREF kDefaultStart = RGB(179, 179, 240);
constexpr COLORREF kDefaultEnd = RGB(0, 0, 255);
constexpr COLORREF kDefaultBk = RGB(230, 230, 250);
// A position change repaints this much to the left of the old and new ends.
constexpr int kStripMargin = 10;
}

BEGIN_MESSAGE_MAP(CCoolProgressCtrl, CProgressCtrlBase)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CCoolProgressCtrl::CCoolProgressCtrl()
{
    RegisterWindowClass();
    m_clrStart = kDefaultStart;
    m_clrEnd = kDefaultEnd;
    m_clrBk = kDefaultBk;
    m_clrText = getdefaultColor(DEFCLR_EDITTEXT);
}

CCoolProgressCtrl::~CCoolProgressCtrl() = default;

BOOL CCoolProgressCtrl::RegisterWindowClass()
{
    HINSTANCE instance = AfxGetInstanceHandle();
    WNDCLASSW wc{};
    if (::GetClassInfoW(instance, kClassName, &wc)) return TRUE;
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    if (!AfxRegisterClass(&wc)) AfxThrowResourceException();
    return TRUE;
}

int CCoolProgressCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    if (!CWnd::Create(kClassName, nullptr, dwStyle | WS_CHILD | WS_VISIBLE, rect, pParentWnd, nID)) return 0;
    if (pParentWnd) SendMessage(WM_SETFONT, static_cast<WPARAM>(pParentWnd->SendMessage(WM_GETFONT)), TRUE);
    return 1;
}

void CCoolProgressCtrl::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
}

void CCoolProgressCtrl::OnDestroy()
{
    CWnd::OnDestroy();
}

void CCoolProgressCtrl::OnSetCurrentPos(int nPos)
{
    if (!::IsWindow(m_hWnd) || nPos == m_nPos) {
        m_nPos = nPos;
        return;
    }
    int old = m_nPos;
    m_nPos = nPos;
    CRect inner;
    GetClientRect(&inner);
    inner.InflateRect(-1, -1);
    if (m_nUpper == m_nLower) {
        // No scale to place the ends on: the paint shows the background only, so refresh it all.
        InvalidateRect(&inner, TRUE);
        return;
    }
    int xOld = PosToX(old, inner.left, inner.Width());
    int xNew = PosToX(nPos, inner.left, inner.Width());
    CRect strip(std::min(xOld, xNew) - kStripMargin, inner.top, std::max(xOld, xNew), inner.bottom);
    InvalidateRect(&strip, TRUE);
}

int CCoolProgressCtrl::FilledLength(const CRect& inner) const
{
    if (!(m_nLower < m_nPos && m_nPos <= m_nUpper)) return -1;
    float f = static_cast<float>(static_cast<double>(m_nPos - m_nLower) * inner.right / (m_nUpper - m_nLower));
    return static_cast<int>(f);
}

BOOL CCoolProgressCtrl::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CCoolProgressCtrl::OnPaint()
{
    CPaintDC dc(this);
    CRect rc;
    GetClientRect(&rc);
    dc.Draw3dRect(&rc, kFrameShadow, kFrameLight);
    rc.InflateRect(-1, -1);
    int filled = FilledLength(rc);
    if (filled >= 0) DrawGradient(&dc, rc, filled);
    else dc.FillSolidRect(&rc, m_clrBk);
}

void CCoolProgressCtrl::DrawGradient(CDC* pDC, const RECT& R, const int& F)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr) return;
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, R.right - R.left, R.bottom - R.top);
    CBitmap* oldBitmap = mem.SelectObject(&bitmap);
    mem.SetWindowOrg(R.left, R.top);

    const int startR = GetRValue(m_clrStart), startG = GetGValue(m_clrStart), startB = GetBValue(m_clrStart);
    const int dR = GetRValue(m_clrEnd) - startR;
    const int dG = GetGValue(m_clrEnd) - startG;
    const int dB = GetBValue(m_clrEnd) - startB;
    const int bands = std::max({std::abs(dR), std::abs(dG), std::abs(dB)});

    int lastRight = 0;
    bool stopped = false;
    if (bands > 0) {
        const float bandWidth = static_cast<float>(static_cast<double>(R.right) / bands);
        const float stepR = static_cast<float>(static_cast<double>(dR) / bands);
        const float stepG = static_cast<float>(static_cast<double>(dG) / bands);
        const float stepB = static_cast<float>(static_cast<double>(dB) / bands);
        for (int i = 0; i < bands; ++i) {
            float leftEdge = static_cast<float>(i - 1) * bandWidth;
            float rightEdge = static_cast<float>(i) * bandWidth;
            CRect band(R.left + static_cast<int>(std::lrintf(leftEdge)), 0,
                       R.left + static_cast<int>(std::lrintf(rightEdge)), R.bottom + 1);
            auto channel = [i](int start, float step) {
                return std::min(static_cast<int>(static_cast<float>(start) + static_cast<float>(i) * step), 255);
            };
            mem.FillSolidRect(&band, RGB(channel(startR, stepR), channel(startG, stepG), channel(startB, stepB)));
            lastRight = band.right;
            if (band.right > F) {
                mem.FillSolidRect(CRect(band.right, 0, R.right, R.bottom + 1), m_clrBk);
                stopped = true;
                break;
            }
        }
    }
    if (!stopped) {
        if (lastRight < R.right - 1 && lastRight < F)
            mem.FillSolidRect(CRect(lastRight, 0, F, R.bottom + 1), m_clrEnd);
        int rest = std::max(F, lastRight);
        if (rest < R.right) mem.FillSolidRect(CRect(rest, 0, R.right, R.bottom + 1), m_clrBk);
    }

    pDC->BitBlt(R.left, R.top, R.right - R.left, R.bottom - R.top, &mem, R.left, R.top, SRCCOPY);
    mem.SelectObject(oldBitmap);
}
