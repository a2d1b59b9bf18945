#include "KestrelEdit.h"
#include <algorithm>
#include <climits>
#include <cmath>
#include <cwchar>
#include <cstdlib>

namespace {

constexpr int kDefaultTextLimit = 256;
// Horizontal inset of an edit box inside its cell, and the vertical room its frame needs.
constexpr int kCellInsetX = 3;
constexpr int kCellFrameHeight = 4;

bool IsNumericStyle(DWORD style)
{
    return (style & (INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER)) != 0;
}

// Truncates towards zero; out-of-range and NaN input saturate instead of wrapping.
int TruncateToInt(float v)
{
    if (std::isnan(v)) return 0;
    if (v >= 2147483647.0f) return INT_MAX;
    if (v <= -2147483648.0f) return INT_MIN;
    return static_cast<int>(v);
}

bool IsAdmittedNumericKey(UINT vk)
{
    if (vk >= '0' && vk <= '9') return true;
    if (vk >= VK_NUMPAD0 && vk <= VK_NUMPAD9) return true;
    switch (vk) {
    case VK_PROCESSKEY:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
    case VK_DELETE:
    case VK_BACK:
    case VK_OEM_PERIOD:
    case VK_SUBTRACT:
    case VK_DECIMAL:
    case VK_OEM_MINUS:
        return true;
    default:
        return false;
    }
}

}  // namespace

BEGIN_MESSAGE_MAP(CEditCtrl, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_CHAR()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_KEYDOWN()
    ON_WM_SIZE()
    ON_MESSAGE(WM_IME_CHAR, OnImeChar)
END_MESSAGE_MAP()

CEditCtrl::CEditCtrl()
    : m_dwInputStyle(INPUTSTYLE_TEXT),
      m_clrBk(getdefaultColor(DEFCLR_EDITBK)),
      m_clrText(getdefaultColor(DEFCLR_EDITTEXT)),
      m_hBkBrush(getdefaultHBrush()),
      m_nTextLimit(kDefaultTextLimit),
      m_fDefaultValue(0.0f),
      m_bDblClk(FALSE)
{
}

CEditCtrl::~CEditCtrl()
{
    DeleteOwnBrush();
}

void CEditCtrl::DeleteOwnBrush()
{
    if (m_hBkBrush != nullptr && m_hBkBrush != getdefaultHBrush()) ::DeleteObject(m_hBkBrush);
    m_hBkBrush = nullptr;
}

BOOL CEditCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CEdit::Create(dwStyle, rect, pParentWnd, nID);
    if (IsWindow()) {
        SetWindowText(m_strText);
        SetFocus();
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET, 0, 0);
    }
    return TRUE;
}

void CEditCtrl::ModifyInputStyle(DWORD style)
{
    m_dwInputStyle = style;
}

void CEditCtrl::SetText(const wchar_t* text, int nLimit)
{
    m_strText = text;
    if (IsWindow()) SetWindowText(m_strText);
    if (nLimit >= 0) m_nTextLimit = nLimit;
}

CString CEditCtrl::FormatNumber(float v) const
{
    CString s;
    if (m_dwInputStyle & INPUTSTYLE_INTEGER)
        s.Format(L"%d", TruncateToInt(v));
    else
        s.Format(L"%f", static_cast<double>(v));
    return s;
}

void CEditCtrl::SetNumber(float v)
{
    m_strText = FormatNumber(v);
    if (IsWindow()) SetWindowText(m_strText);
}

void CEditCtrl::SetColor(COLORREF clr)
{
    if (clr == m_clrBk) return;
    m_clrBk = clr;
    DeleteOwnBrush();
    m_hBkBrush = clr == getdefaultColor(DEFCLR_BK) ? getdefaultHBrush() : ::CreateSolidBrush(clr);
}

void CEditCtrl::SetDefaultValue(float v)
{
    m_fDefaultValue = v;
}

void CEditCtrl::EnableDblClk(BOOL b)
{
    m_bDblClk = b;
}

void CEditCtrl::GetBestEditRect(CWnd* pWnd, CRect& rcCell, CRect& rcEdit)
{
    HWND hWnd = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    HDC hdc = ::GetWindowDC(hWnd);
    TEXTMETRICW tm{};
    if (hdc != nullptr) {
        HFONT font = hWnd ? reinterpret_cast<HFONT>(::SendMessageW(hWnd, WM_GETFONT, 0, 0)) : nullptr;
        HGDIOBJ old = font ? ::SelectObject(hdc, font) : nullptr;
        ::GetTextMetricsW(hdc, &tm);
        if (old) ::SelectObject(hdc, old);
        ::ReleaseDC(hWnd, hdc);
    }
    int pad = (rcCell.Height() - tm.tmHeight - tm.tmExternalLeading - kCellFrameHeight) / 2;
    rcEdit = rcCell;
    rcEdit.DeflateRect(kCellInsetX, pad);
}

BOOL CEditCtrl::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg == nullptr || pMsg->message != WM_KEYDOWN) return CEdit::PreTranslateMessage(pMsg);

    const UINT vk = static_cast<UINT>(pMsg->wParam);
    const DWORD style = GetStyle();
    if ((style & ES_MULTILINE) && (style & ES_WANTRETURN) && vk == VK_RETURN)
        return CEdit::PreTranslateMessage(pMsg);

    switch (vk) {
    case VK_RETURN:
    case VK_TAB:
    case VK_ESCAPE:
        // Hiding moves the focus to the parent, and OnKillFocus ends the edit; the window may
        // be gone when ShowWindow returns.
        ::ReleaseCapture();
        ShowWindow(SW_HIDE);
        return TRUE;
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        // Straight to the box, so that a dialog does not navigate with them.
        SendMessage(WM_KEYDOWN, pMsg->wParam, pMsg->lParam);
        return TRUE;
    default:
        break;
    }

    if ((vk == 'C' || vk == 'X' || vk == 'V') && ::GetKeyState(VK_CONTROL) < 0 && ::OpenClipboard(m_hWnd)) {
        if (vk == 'C') {
            SendMessage(WM_COPY, 0, 0);
        } else if (vk == 'X') {
            SendMessage(WM_CUT, 0, 0);
        } else if (HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
            if (auto* text = static_cast<const wchar_t*>(::GlobalLock(data))) {
                // The block need not be terminated: never read past its end.
                size_t length = wcsnlen(text, ::GlobalSize(data) / sizeof(wchar_t));
                CString pasted(text, static_cast<int>(std::min<size_t>(length, INT_MAX)));
                ::GlobalUnlock(data);
                if (IsNumericStyle(m_dwInputStyle)) {
                    float v = static_cast<float>(_wtof(pasted));
                    pasted.Format(L"%f", static_cast<double>(v));
                }
                SetText(pasted, pasted.GetLength());
            }
        }
        ::CloseClipboard();
        return TRUE;
    }

    if (IsNumericStyle(m_dwInputStyle) && !IsAdmittedNumericKey(vk)) return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

void CEditCtrl::OnChar(UINT nChar, UINT, UINT)
{
    if (m_dwInputStyle & INPUTSTYLE_NUMBER) {
        bool admitted = (nChar >= '0' && nChar <= '9') || nChar == '.' || nChar == '-' || nChar == VK_BACK;
        if (!admitted) return;
    }
    if ((m_dwInputStyle & INPUTSTYLE_INTEGER) && nChar == '.') return;

    const DWORD style = GetStyle();
    if (nChar == VK_ESCAPE) {
        // Undo the typing; the focus change then commits the restored text.
        SetWindowText(m_strText);
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    if (nChar == VK_RETURN && !(style & ES_MULTILINE)) {
        ::SetFocus(::GetParent(m_hWnd));
        return;
    }
    if (GetWindowTextLength() + 1 > m_nTextLimit) return;

    // Width the text will need: what is there plus room for one more character.
    CString before;
    GetWindowText(before);
    SIZE textSize{};
    SIZE charSize{};
    if (HDC hdc = ::GetDC(m_hWnd)) {
        HFONT font = reinterpret_cast<HFONT>(SendMessage(WM_GETFONT, 0, 0));
        HGDIOBJ old = font ? ::SelectObject(hdc, font) : nullptr;
        ::GetTextExtentPoint32W(hdc, before, before.GetLength(), &textSize);
        ::GetTextExtentPoint32W(hdc, L"A", 1, &charSize);
        if (old) ::SelectObject(hdc, old);
        ::ReleaseDC(m_hWnd, hdc);
    }
    const int needed = textSize.cx + charSize.cx;

    Default();
    if (!IsWindow()) return;

    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) return;
    CRect R;
    GetClientRect(&R);
    ::MapWindowPoints(m_hWnd, hParent, reinterpret_cast<LPPOINT>(&R), 2);
    const int h = R.Height();
    CRect P;
    ::GetClientRect(hParent, &P);
    const int margin = getdefaultMetrics(DEFMETRICS_EDITMARGIN);
    const int scrollWidth = ::GetSystemMetrics(SM_CXVSCROLL);

    bool move = false;
    if (needed > R.Width() && P.right - margin > R.right) {
        R.right = std::min(R.left + needed + ((style & WS_VSCROLL) ? scrollWidth : 0), P.right - margin);
        R.bottom = R.top + h + ((style & WS_HSCROLL) ? scrollWidth : 0);
        move = true;
    }
    if (nChar == VK_RETURN && (style & ES_MULTILINE)) {
        R.bottom = R.top + ((style & WS_HSCROLL) ? scrollWidth : 0) + textSize.cy + h;
        if (P.bottom - margin > R.bottom) move = true;
    }
    if (move) MoveWindow(&R, TRUE);
}

void CEditCtrl::OnKillFocus(CWnd*)
{
    Default();
    if (!IsWindow()) return;
    GetWindowText(m_strText);

    NMEDITCTRL nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = EDITCTRL_NOTIFY_HIDE;
    nm.text = m_strText;
    if (m_dwInputStyle & INPUTSTYLE_NUMBER)
        nm.value = static_cast<float>(_wtof(m_strText));
    else if (m_dwInputStyle & INPUTSTYLE_INTEGER)
        nm.value = static_cast<float>(_wtoi(m_strText));
    else
        nm.value = 0.0f;
    const HWND self = m_hWnd;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, static_cast<WPARAM>(nm.hdr.idFrom), reinterpret_cast<LPARAM>(&nm));

    // The parent may already have destroyed the box, or the object that holds it, while
    // handling the notification: only a window still alive has an object left to finish.
    if (::IsWindow(self)) DestroyWindow();
}

HBRUSH CEditCtrl::CtlColor(CDC* pDC, UINT)
{
    // A host may forward the colour message without a device context.
    if (pDC != nullptr) {
        pDC->SetBkColor(m_clrBk);
        pDC->SetTextColor(m_clrText);
    }
    return m_hBkBrush;
}

void CEditCtrl::OnLButtonDblClk(UINT, CPoint)
{
    Default();
    if (m_bDblClk && IsWindow()) SetWindowText(FormatNumber(m_fDefaultValue));
}

void CEditCtrl::OnKeyDown(UINT, UINT, UINT)
{
    Default();
}

void CEditCtrl::OnSize(UINT, int, int)
{
    Default();
}

LRESULT CEditCtrl::OnImeChar(WPARAM wParam, LPARAM lParam)
{
    return ::DefWindowProcW(m_hWnd, WM_IME_CHAR, wParam, lParam);
}
