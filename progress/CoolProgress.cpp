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

// One band per step of the channel that changes most.
int BandCount(COLORREF start, COLORREF end)
{
    return std::max({std::abs(GetRValue(end) - GetRValue(start)), std::abs(GetGValue(end) - GetGValue(start)),
                     std::abs(GetBValue(end) - GetBValue(start))});
}

float BandWidth(const RECT& R, int bands)
{
    return static_cast<float>(static_cast<double>(R.right) / bands);
}

// Right edge of band i (band i - 1's is its left edge). Painting and FilledEnd both go through
// here, so that they round alike on every floating-point unit.
int BandEdge(const RECT& R, int i, float width)
{
    const float edge = static_cast<float>(i) * width;
    return R.left + static_cast<int>(std::lrintf(edge));
}
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

CCoolProgressCtrl::~CCoolProgressCtrl()
{
    ReleaseStrip();
}

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
    CRect client;
    GetClientRect(&client);
    CRect inner = client;
    inner.InflateRect(-1, -1);
    if (inner.IsRectEmpty() || (!StripFits(client) && !BuildStrip(dc, client))) {
        // Nothing worth keeping (or no memory for it): draw as it comes.
        dc.Draw3dRect(&client, kFrameShadow, kFrameLight);
        const int filled = FilledLength(inner);
        if (filled >= 0) DrawGradient(&dc, inner, filled);
        else dc.FillSolidRect(&inner, m_clrBk);
        return;
    }
    const int filled = FilledLength(inner);
    int end = filled >= 0 ? FilledEnd(inner, filled) : inner.left;
    end = std::max<int>(inner.left, std::min<int>(end, inner.right));
    const RECT& area = dc.m_ps.rcPaint;
    ::BitBlt(dc, area.left, area.top, area.right - area.left, area.bottom - area.top, m_hStripDC, area.left,
             area.top, SRCCOPY);
    if (end < inner.right) dc.FillSolidRect(CRect(end, inner.top, inner.right, inner.bottom), m_clrBk);
}

void CCoolProgressCtrl::OnDestroy()
{
    ReleaseStrip();
    CWnd::OnDestroy();
}

bool CCoolProgressCtrl::StripFits(const CRect& client) const
{
    return m_hStripDC != nullptr && m_stripSize.cx == client.Width() && m_stripSize.cy == client.Height() &&
           m_stripStart == m_clrStart && m_stripEnd == m_clrEnd;
}

bool CCoolProgressCtrl::BuildStrip(HDC hdcPaint, const CRect& client)
{
    ReleaseStrip();
    m_hStripDC = ::CreateCompatibleDC(hdcPaint);
    m_hStrip = ::CreateCompatibleBitmap(hdcPaint, client.Width(), client.Height());
    if (m_hStripDC == nullptr || m_hStrip == nullptr) {
        ReleaseStrip();
        return false;
    }
    m_hStripOld = ::SelectObject(m_hStripDC, m_hStrip);
    m_stripSize = CSize(client.Width(), client.Height());
    m_stripStart = m_clrStart;
    m_stripEnd = m_clrEnd;

    // Drawn exactly as a paint of the full bar would draw it; the background is left to each
    // paint, as the full bar shows none of it.
    CDC strip;
    strip.Attach(m_hStripDC);
    strip.Draw3dRect(&client, kFrameShadow, kFrameLight);
    CRect inner = client;
    inner.InflateRect(-1, -1);
    DrawGradient(&strip, inner, inner.right);
    strip.Detach();
    return true;
}

void CCoolProgressCtrl::ReleaseStrip()
{
    if (m_hStripDC != nullptr) {
        if (m_hStripOld != nullptr) ::SelectObject(m_hStripDC, m_hStripOld);
        ::DeleteDC(m_hStripDC);
    }
    if (m_hStrip != nullptr) ::DeleteObject(m_hStrip);
    m_hStripDC = nullptr;
    m_hStrip = nullptr;
    m_hStripOld = nullptr;
    m_stripSize = CSize(0, 0);
}

int CCoolProgressCtrl::FilledEnd(const RECT& R, int F) const
{
    const int bands = BandCount(m_clrStart, m_clrEnd);
    if (bands == 0) return F;
    const float width = BandWidth(R, bands);
    for (int i = 0; i < bands; ++i) {
        const int right = BandEdge(R, i, width);
        if (right > F) return right;
    }
    return F;
}

void CCoolProgressCtrl::DrawGradient(CDC* pDC, const RECT& R, const int& F)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr) return;
    CDC mem;
    mem.CreateCompatibleDC(pDC);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(pDC, R.right - R.left, R.bottom - R.top);
    // Through the handles: the wrapper of a fresh bitmap would join the temporary map.
    HGDIOBJ oldBitmap = ::SelectObject(mem, bitmap.m_hObject);
    mem.SetWindowOrg(R.left, R.top);

    const int startR = GetRValue(m_clrStart), startG = GetGValue(m_clrStart), startB = GetBValue(m_clrStart);
    const int dR = GetRValue(m_clrEnd) - startR;
    const int dG = GetGValue(m_clrEnd) - startG;
    const int dB = GetBValue(m_clrEnd) - startB;
    const int bands = BandCount(m_clrStart, m_clrEnd);

    int lastRight = 0;
    bool stopped = false;
    if (bands > 0) {
        const float bandWidth = BandWidth(R, bands);
        const float stepR = static_cast<float>(static_cast<double>(dR) / bands);
        const float stepG = static_cast<float>(static_cast<double>(dG) / bands);
        const float stepB = static_cast<float>(static_cast<double>(dB) / bands);
        for (int i = 0; i < bands; ++i) {
            CRect band(BandEdge(R, i - 1, bandWidth), 0, BandEdge(R, i, bandWidth), R.bottom + 1);
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
    ::SelectObject(mem, oldBitmap);
}
