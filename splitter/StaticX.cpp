// CStaticX and the divider statics.
#include <KestrelStaticX.h>

namespace {

constexpr COLORREF kxLineColor = RGB(29, 36, 48);
constexpr COLORREF kyDarkColumnColor = RGB(0, 0, 0);
constexpr COLORREF kyLightColumnColor = RGB(49, 55, 67);

constexpr int kxLineHeight = 1;
constexpr int kyLineWidth = 2;

void FillOpaque(CDC* pDC, const RECT& rc, COLORREF clr)
{
    pDC->SetBkColor(clr);
    pDC->ExtTextOut(0, 0, ETO_OPAQUE, &rc, nullptr, 0);
}

}  // namespace

// ---- CStaticX ----

CStaticX::~CStaticX() = default;

LRESULT CStaticX::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_IME_SETCONTEXT && wParam != 0) {
        HIMC context = ::ImmAssociateContext(m_hWnd, nullptr);
        if (context != nullptr) ::ImmDestroyContext(context);
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

// ---- CxSpltStatic ----

BEGIN_MESSAGE_MAP(CxSpltStatic, CStaticX)
    ON_WM_ERASEBKGND()
    ON_WM_PAINT()
END_MESSAGE_MAP()

void CxSpltStatic::PreSubclassWindow()
{
    CStaticX::PreSubclassWindow();
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, rc.Width(), kxLineHeight, SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CxSpltStatic::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    FillOpaque(pDC, CRect(rc.left, rc.top, rc.right, rc.top + kxLineHeight), kxLineColor);
    return TRUE;
}

void CxSpltStatic::OnPaint()
{
    // The erase has drawn the line.
    CPaintDC dc(this);
}

// ---- CySpltStatic ----

BEGIN_MESSAGE_MAP(CySpltStatic, CStaticX)
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

void CySpltStatic::PreSubclassWindow()
{
    CStaticX::PreSubclassWindow();
    CRect rc;
    GetWindowRect(&rc);
    SetWindowPos(nullptr, 0, 0, kyLineWidth, rc.Height(), SWP_NOMOVE | SWP_NOZORDER);
}

BOOL CySpltStatic::OnEraseBkgnd(CDC* pDC)
{
    CRect rc;
    GetClientRect(&rc);
    FillOpaque(pDC, CRect(rc.left, rc.top, rc.left + 1, rc.bottom), kyDarkColumnColor);
    FillOpaque(pDC, CRect(rc.left + 1, rc.top, rc.left + 2, rc.bottom), kyLightColumnColor);
    return TRUE;
}
