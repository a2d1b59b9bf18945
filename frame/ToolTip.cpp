// The process-wide tooltip: a hidden pop-up that the host shows, moves and hides by hand.
#include "KestrelToolTip.h"
#include "KestrelTheme.h"
#include <cwchar>
#include <new>

namespace {

const wchar_t kToolTipClass[] = L"CToolTipWnd";
constexpr UINT kClassStyle = CS_VREDRAW | CS_HREDRAW | CS_OWNDC | CS_SAVEBITS;
constexpr DWORD kExStyle = WS_EX_TOOLWINDOW | WS_EX_WINDOWEDGE;
constexpr DWORD kStyle = WS_POPUP | WS_BORDER;
const COLORREF kDefaultBackground = RGB(255, 255, 225);
constexpr int kTextCapacity = 260;
// Room around the text, split between both sides of each direction.
constexpr int kPadding = 8;

constexpr DWORD kFlagShown = 0x1;
constexpr DWORD kFlagText = 0x4;

class CToolTipWnd : public CWnd {
public:
    COLORREF m_clrBack = kDefaultBackground;
    RECT m_rcPlace = {0, 0, 0, 0};
    wchar_t m_szText[kTextCapacity] = {};
    DWORD m_dwFlags = 0;

    void Begin(COLORREF clr);
    void Show(const wchar_t* text, const CPoint& pt);
    void End();

    void OnPaint();
    BOOL OnEraseBkgnd(CDC*) { return TRUE; }
    void OnActivateApp(BOOL bActive, DWORD threadId);

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CToolTipWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_ACTIVATEAPP()
END_MESSAGE_MAP()

CToolTipWnd* g_tip = nullptr;

void CToolTipWnd::Begin(COLORREF clr)
{
    const COLORREF back = clr == 0 ? kDefaultBackground : clr;
    if (back != m_clrBack) {
        m_clrBack = back;
        InvalidateRect(nullptr, TRUE);
        UpdateWindow();
    }
    m_szText[0] = L'\0';
    m_dwFlags = 0;
}

void CToolTipWnd::Show(const wchar_t* text, const CPoint& pt)
{
    if (m_hWnd == nullptr || text == nullptr) return;
    m_dwFlags |= kFlagText;
    const size_t length = std::wcslen(text);
    if (length == std::wcslen(m_szText)) {
        // Same length: only moved, the size is kept even if the characters differ.
        ::OffsetRect(&m_rcPlace, pt.x - m_rcPlace.left, pt.y - m_rcPlace.top);
        SetWindowPos(&wndTopMost, pt.x, pt.y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    } else {
        // Measured with the context as it stands, not with the font the paint selects.
        SIZE extent{};
        {
            CClientDC dc(this);
            const int count = length > INT_MAX ? INT_MAX : static_cast<int>(length);
            ::GetTextExtentPoint32W(dc.m_hDC, text, count, &extent);
        }
        m_rcPlace = {pt.x, pt.y, pt.x + extent.cx + kPadding, pt.y + extent.cy + kPadding};
        SetWindowPos(&wndTopMost, m_rcPlace.left, m_rcPlace.top, m_rcPlace.right - m_rcPlace.left,
                     m_rcPlace.bottom - m_rcPlace.top, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }
    const size_t copied = length < kTextCapacity ? length : kTextCapacity - 1;
    std::wmemcpy(m_szText, text, copied);
    m_szText[copied] = L'\0';
    InvalidateRect(nullptr, TRUE);
    UpdateWindow();
    m_dwFlags |= kFlagShown;
}

void CToolTipWnd::End()
{
    m_szText[0] = L'\0';
    if (m_dwFlags & kFlagShown) ShowWindow(SW_HIDE);
    m_dwFlags = 0;
}

void CToolTipWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, m_clrBack);
    HFONT font = getdefaultHFont();
    HGDIOBJ oldFont = font ? dc.SelectObject(font) : nullptr;
    const int oldMode = dc.SetBkMode(TRANSPARENT);
    dc.DrawText(m_szText, -1, &client, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    dc.SetBkMode(oldMode);
    if (oldFont) dc.SelectObject(oldFont);
}

void CToolTipWnd::OnActivateApp(BOOL bActive, DWORD threadId)
{
    CWnd::OnActivateApp(bActive, threadId);
    if (!bActive) End();
}

}  // namespace

int InitToolTip(void)
{
    if (g_tip != nullptr) return g_tip->m_hWnd != nullptr ? 1 : 0;
    WNDCLASSW wc{};
    wc.style = kClassStyle;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.lpszClassName = kToolTipClass;
    if (!AfxRegisterClass(&wc)) return 0;

    auto* tip = new (std::nothrow) CToolTipWnd;
    if (tip == nullptr) return 0;
    if (!tip->CreateEx(kExStyle, kToolTipClass, nullptr, kStyle, 0, 0, 0, 0, nullptr, nullptr)) {
        delete tip;
        return 0;
    }
    g_tip = tip;
    return 1;
}

int ExitToolTip(void)
{
    if (g_tip != nullptr) {
        g_tip->DestroyWindow();
        delete g_tip;
        g_tip = nullptr;
    }
    return 1;
}

void BeginToolTip(COLORREF clr)
{
    if (g_tip) g_tip->Begin(clr);
}

void tooltip_string(const wchar_t* text, const CPoint& pt)
{
    if (g_tip) g_tip->Show(text, pt);
}

void EndToolTip(void)
{
    if (g_tip) g_tip->End();
}

const wchar_t* GetToolTipText(void)
{
    return g_tip ? g_tip->m_szText : nullptr;
}
