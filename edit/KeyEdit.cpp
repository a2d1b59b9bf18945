#include "KestrelEdit.h"
#include <algorithm>

namespace {

constexpr UINT kModifierMask = 0xFFFF;
constexpr int kKeyShift = 16;
constexpr UINT kKeyMask = 0xFF;
// Room left after the text so that the caret does not touch the edge.
constexpr int kTextSlack = 5;

struct KeyName {
    UINT code;
    const wchar_t* name;
};

const KeyName kKeyNames[] = {
    {VK_BACK, L"BACK"},
    {VK_TAB, L"TAB"},
    {VK_CLEAR, L"CLEAR"},
    {VK_RETURN, L"ENTER"},
    {VK_ESCAPE, L"ESC"},
    {VK_SPACE, L"SPACE"},
    {VK_PRIOR, L"Page Up"},
    {VK_NEXT, L"Page Down"},
    {VK_END, L"END"},
    {VK_HOME, L"HOME"},
    {VK_LEFT, L"\u2190"},
    {VK_UP, L"\u2191"},
    {VK_RIGHT, L"\u2192"},
    {VK_DOWN, L"\u2193"},
    {0x3B, L"+"},
    {0x3D, L"-"},
};

UINT KeyCode(UINT hotKey)
{
    return (hotKey >> kKeyShift) & kKeyMask;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKeyEdit, CEdit)
    ON_WM_KILLFOCUS()
    ON_WM_KEYDOWN()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_LBUTTONDBLCLK()
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CKeyEdit::CKeyEdit() : m_nUserValue(0), m_nHotKey(0)
{
}

CKeyEdit::~CKeyEdit() = default;

BOOL CKeyEdit::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CEdit::Create(dwStyle, rect, pParentWnd, nID);
    if (IsWindow()) {
        SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
        SetFocus();
        SendMessage(EM_SETSEL, 0, -1);
        SendMessage(EM_SCROLLCARET, 0, 0);
    }
    return TRUE;
}

void CKeyEdit::Translate(wchar_t key, wchar_t* name)
{
    if (name == nullptr) return;
    for (const KeyName& k : kKeyNames) {
        if (k.code == static_cast<UINT>(key)) {
            lstrcpynW(name, k.name, KEYEDIT_NAME_MAX);
            return;
        }
    }
    AfxFormatW(name, KEYEDIT_NAME_MAX, L"%c", key);
}

void CKeyEdit::SetHotKey(UINT hotKey, UINT userValue)
{
    m_nUserValue = userValue;

    CString modifiers;
    if (hotKey & MOD_CONTROL) modifiers += L"Ctrl+";
    if (hotKey & MOD_SHIFT) modifiers += L"Shift+";
    if (hotKey & MOD_ALT) modifiers += L"Alt+";
    if (hotKey & MOD_WIN) modifiers += L"Win+";
    wchar_t name[KEYEDIT_NAME_MAX] = {};
    Translate(static_cast<wchar_t>(KeyCode(hotKey)), name);
    CString text;
    text.Format(L"%s%s", modifiers.GetString(), name);

    if (!IsWindow()) return;
    SetWindowText(text);
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, m_hWnd, OBJID_CLIENT, CHILDID_SELF);

    SIZE extent{};
    if (HDC hdc = ::GetDC(m_hWnd)) {
        ::GetTextExtentPoint32W(hdc, text, text.GetLength(), &extent);
        ::ReleaseDC(m_hWnd, hdc);
    }
    const int needed = extent.cx + kTextSlack;
    CRect client;
    GetClientRect(&client);
    if (needed <= client.Width()) return;

    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) return;
    CRect P;
    ::GetClientRect(hParent, &P);
    CRect R = client;
    ::MapWindowPoints(m_hWnd, hParent, reinterpret_cast<LPPOINT>(&R), 2);
    if (P.left < R.left) {
        // Grow leftwards: the right edge stays where the host put it.
        R.left = std::max(R.right - needed, P.left);
        MoveWindow(&R, TRUE);
    }
}

UINT CKeyEdit::GetHotKey(UINT& userValue)
{
    userValue = m_nUserValue;
    return m_nHotKey;
}

BOOL CKeyEdit::PreTranslateMessage(MSG* pMsg)
{
    return CEdit::PreTranslateMessage(pMsg);
}

void CKeyEdit::OnKeyDown(UINT nChar, UINT, UINT)
{
    Default();
    // A finished chord starts over; a chord of modifiers alone keeps collecting.
    UINT modifiers = KeyCode(m_nHotKey) != 0 ? 0 : (m_nHotKey & kModifierMask);
    if (::GetKeyState(VK_CONTROL) < 0) modifiers |= MOD_CONTROL;
    if (::GetKeyState(VK_SHIFT) < 0) modifiers |= MOD_SHIFT;
    if (::GetKeyState(VK_MENU) < 0) modifiers |= MOD_ALT;
    m_nHotKey = ((nChar & kKeyMask) << kKeyShift) | modifiers;
    SetHotKey(m_nHotKey, m_nUserValue);
}

void CKeyEdit::OnKillFocus(CWnd*)
{
    Default();
    if (!IsWindow()) return;
    ShowWindow(SW_HIDE);
    NMHDR hdr{};
    hdr.hwndFrom = m_hWnd;
    hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    hdr.code = EDITCTRL_NOTIFY_HIDE;
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, static_cast<WPARAM>(hdr.idFrom), reinterpret_cast<LPARAM>(&hdr));
}

HBRUSH CKeyEdit::CtlColor(CDC* pDC, UINT)
{
    if (pDC != nullptr) {
        pDC->SetBkColor(getdefaultColor(DEFCLR_BK));
        pDC->SetTextColor(getdefaultColor(DEFCLR_TEXT));
    }
    return getdefaultHBrush();
}

void CKeyEdit::OnLButtonDblClk(UINT, CPoint)
{
    Default();
}
