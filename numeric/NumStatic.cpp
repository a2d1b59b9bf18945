// CNumStatic: a static label whose window text is its value. The platform's static control
// paints the text; the label adds the value model, the drag, the in-place editor, the menu of
// bounds and its frame.
#include "NumberDrag.h"
#include <KestrelMenu.h>
#include <commctrl.h>
#include <algorithm>
#include <cstdlib>
#include <cwchar>

using numeric::ClampTo;
using numeric::IsKeyDown;

namespace {

constexpr COLORREF kOuterFrame = RGB(0, 0, 0);
constexpr COLORREF kInnerFrame = RGB(115, 127, 147);

// Characters of the window text each reader takes (terminator not counted).
constexpr int kDragTextChars = 14;
constexpr int kMeasureTextChars = 15;
constexpr int kEditTextChars = 63;
constexpr int kEditBoxTextLimit = 64;
// The text box keeps this far from the client edges.
constexpr int kTextBoxMargin = 4;
constexpr DWORD kEditBoxStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL;

// Menu of bounds.
constexpr UINT kCmdMaximum = 4096;
constexpr UINT kCmdMinimum = 4097;
constexpr UINT kCmdDefault = 4098;

UINT TextAlignment(DWORD style)
{
    return style & SS_TYPEMASK;
}

}  // namespace

BEGIN_MESSAGE_MAP(CNumStatic, CStaticX)
    ON_WM_DESTROY()
    ON_WM_SETCURSOR()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, NUM_EDITBOX_ID, OnEditHide)
    ON_WM_NCPAINT()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CNumStatic::CNumStatic()
    : CNumberModel(100.0f, -100.0f, 0.0f, 2.0f, 2, 2), m_dwInputStyle(INPUTSTYLE_NUMBER), m_nHover(0),
      m_hUnderlineFont(nullptr)
{
    m_editBox.ModifyInputStyle(INPUTSTYLE_NUMBER);
}

CNumStatic::~CNumStatic()
{
    // Gone before the editor and the font it still uses.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    if (m_hUnderlineFont != nullptr) ::DeleteObject(m_hUnderlineFont);
}

CNumStatic* CNumStatic::CreateObject()
{
    return new CNumStatic;
}

BOOL CNumStatic::Create(LPCWSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID,
                        DWORD dwInputStyle)
{
    const BOOL created = CStatic::Create(lpszText, dwStyle | SS_NOTIFY, rect, pParentWnd, nID);
    if (created) {
        m_dwInputStyle = dwInputStyle;
        m_editBox.ModifyInputStyle(dwInputStyle);
    }
    return created;
}

void CNumStatic::PreSubclassWindow()
{
    CStaticX::PreSubclassWindow();
    const DWORD style = GetStyle();
    HFONT font = getdefaultHFont();
    if (!(style & (SS_SUNKEN | WS_BORDER))) {
        // A borderless label reads as a link.
        LOGFONTW lf = getdefaultlogfont();
        lf.lfUnderline = TRUE;
        if (m_hUnderlineFont != nullptr) ::DeleteObject(m_hUnderlineFont);
        m_hUnderlineFont = ::CreateFontIndirectW(&lf);
        font = m_hUnderlineFont;
    }
    SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    ::SetWindowLongW(m_hWnd, GWL_STYLE, static_cast<LONG>(style | SS_NOTIFY));
    m_editBox.EnableDblClk(TRUE);
}

void CNumStatic::OnDestroy()
{
    Default();
    if (m_hUnderlineFont != nullptr) {
        ::DeleteObject(m_hUnderlineFont);
        m_hUnderlineFont = nullptr;
    }
}

// ---- Value ----

void CNumStatic::SetNumberMinMax(double first, double second, double defValue)
{
    if (numeric::IsNaN(first) || numeric::IsNaN(second) || numeric::IsNaN(defValue)) return;
    if (StoreRange(first, second)) GetText();
    if (StoreDefault(first, second, defValue)) m_editBox.SetDefaultValue(m_fDefValue);
}

void CNumStatic::GetNumberMinMax(double& minimum, double& maximum, double& defValue) const
{
    minimum = m_fMinValue;
    maximum = m_fMaxValue;
    defValue = m_fDefValue;
}

void CNumStatic::SetNumberGap(float gap)
{
    if (!numeric::IsNaN(gap) && gap != m_fGap) m_fGap = gap;
}

void CNumStatic::SetMouseGap(int pixels)
{
    m_nMouseGap = pixels;
}

void CNumStatic::SetDicimalNum(int count)
{
    if (!StoreDicimalNum(count)) return;
    m_editBox.ModifyInputStyle(EditStyleFor(m_nDicimalNum));
    SetText(GetText());
}

void CNumStatic::SetInputStyle(unsigned long style)
{
    m_dwInputStyle = style;
    if (m_editBox.GetInputStyle() != style) m_editBox.ModifyInputStyle(style);
}

namespace {

// Sets the text only when it differs from what the window shows.
void ReplaceText(HWND hWnd, const wchar_t* text)
{
    wchar_t present[NUM_TEXT_MAX] = {};
    ::GetWindowTextW(hWnd, present, NUM_TEXT_MAX);
    if (wcscmp(present, text) != 0) ::SetWindowTextW(hWnd, text);
}

}  // namespace

void CNumStatic::SetText(float v)
{
    if (m_hWnd == nullptr || numeric::IsNaN(v)) return;
    wchar_t text[NUM_TEXT_MAX];
    FormatValue(text, ClampValue(v), m_nDicimalNum);
    ReplaceText(m_hWnd, text);
}

void CNumStatic::SetText(int n)
{
    if (m_hWnd == nullptr) return;
    wchar_t text[NUM_TEXT_MAX];
    _itow(ClampInt(n), text, 10);
    ReplaceText(m_hWnd, text);
}

float CNumStatic::GetText()
{
    char text[NUM_TEXT_MAX] = {};
    if (m_hWnd != nullptr) ::GetWindowTextA(m_hWnd, text, NUM_TEXT_MAX);
    const float parsed = static_cast<float>(atof(text));
    const float v = ClampValue(parsed);
    if (v != parsed) SetText(v);
    return v;
}

int CNumStatic::GetIntText() const
{
    wchar_t text[NUM_TEXT_MAX] = {};
    if (m_hWnd != nullptr) ::GetWindowTextW(m_hWnd, text, NUM_TEXT_MAX);
    return ClampInt(_wtoi(text));
}

void CNumStatic::NotifyParent(unsigned long code)
{
    if (m_hWnd == nullptr) return;
    NMNUMSTATIC nm{};
    nm.hdr.hwndFrom = m_hWnd;
    nm.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID());
    nm.hdr.code = NUMSTATIC_NOTIFYCODE;
    nm.kind = static_cast<UINT>(code);
    ::SendMessageW(::GetParent(m_hWnd), WM_NOTIFY, nm.hdr.idFrom, reinterpret_cast<LPARAM>(&nm));
}

BOOL CNumStatic::ChangeOnce(float v)
{
    // A handler of either notification may destroy the label.
    CTrackLoop watch(this);
    NotifyParent(NUMN_BEGINCHANGE);
    if (!watch.IsAlive()) return FALSE;
    SetText(v);
    NotifyParent(NUMN_CHANGED);
    return watch.IsAlive();
}

// ---- Keyboard and cursor ----

BOOL CNumStatic::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg != nullptr && pMsg->hwnd == m_hWnd) {
        if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_F2) {
            DisplayEditBox();
        } else if ((pMsg->message == WM_KEYDOWN || pMsg->message == WM_KEYUP) && pMsg->wParam == VK_CONTROL) {
            // A still move makes the system ask for the cursor again, now for the new Ctrl state.
            ::mouse_event(MOUSEEVENTF_MOVE, 0, 0, 0, 0);
        }
    }
    return CStaticX::PreTranslateMessage(pMsg);
}

BOOL CNumStatic::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!IsNumeric()) return static_cast<BOOL>(Default());
    ::SetCursor(LoadCursorW(IsKeyDown(VK_CONTROL) ? NUMCURSOR_UPDOWN_DOUBLE : NUMCURSOR_UPDOWN));
    return TRUE;
}

// ---- Hover ----

void CNumStatic::OnMouseMove(UINT, CPoint)
{
    if (m_nHover == 0) {
        TRACKMOUSEEVENT tme{};
        tme.cbSize = sizeof(tme);
        tme.dwFlags = TME_HOVER | TME_LEAVE;
        tme.hwndTrack = m_hWnd;
        tme.dwHoverTime = HOVER_DEFAULT;
        ::_TrackMouseEvent(&tme);
        m_nHover = 1;
        Invalidate(FALSE);
        UpdateWindow();
    }
    Default();
}

LRESULT CNumStatic::OnMouseLeave(WPARAM, LPARAM)
{
    m_nHover = 0;
    Invalidate(TRUE);
    UpdateWindow();
    return 1;
}

void CNumStatic::OnKillFocus(CWnd*)
{
    Default();
    Invalidate(TRUE);
}

// ---- Mouse ----

void CNumStatic::OnLButtonDown(UINT, CPoint point)
{
    CTrackLoop watch(this);
    SetFocus();
    if (!watch.IsAlive()) return;
    if (IsNumeric()) HandleMouseMsg(point);
    else DisplayEditBox();
}

void CNumStatic::HandleMouseMsg(CPoint point)
{
    CPoint start = point;
    ClientToScreen(&start);
    wchar_t text[kDragTextChars + 1] = {};
    ::GetWindowTextW(m_hWnd, text, kDragTextChars + 1);
    const double startValue = static_cast<float>(_wtof(text));
    double lastValue = startValue;
    // Only Ctrl at the press counts, and only then.
    const int factor = IsKeyDown(VK_CONTROL) ? numeric::kKeyFactor : 1;
    const float step = static_cast<float>(factor) * m_fGap;
    numeric::DragTravel travel(start, m_nMouseGap);
    bool first = true;

    // Every notification may destroy the label: after each one, leave without touching it.
    CTrackLoop loop(this);
    loop.Capture();
    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint p = CTrackLoop::ScreenPoint(msg);
            const int steps = travel.Steps(p.y, factor);
            const double v = ClampTo(static_cast<float>(steps) * step + startValue, m_fMaxValue, m_fMinValue);
            if (v != lastValue) {
                lastValue = v;
                SetText(static_cast<float>(v));
                if (first) {
                    first = false;
                    NotifyParent(NUMN_BEGINCHANGE);
                    if (!loop.IsAlive()) return;
                }
                NotifyParent(NUMN_CHANGING);
                if (!loop.IsAlive()) return;
            }
            travel.Wrap(p);
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) loop.ReleaseCapture();
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;
    loop.ReleaseCapture();

    if (!first) {
        NotifyParent(NUMN_ENDCHANGE);
        if (!loop.IsAlive()) return;
        ::SetCursorPos(start.x, start.y);
    }
}

CRect CNumStatic::GetTextBox()
{
    CRect box;
    GetClientRect(&box);
    wchar_t text[kMeasureTextChars + 1] = {};
    const int length = ::GetWindowTextW(m_hWnd, text, kMeasureTextChars + 1);
    CClientDC dc(this);
    HGDIOBJ old = dc.SelectObject(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc.m_hDC, text, length, &extent);
    dc.SelectObject(old);
    const int textWidth = extent.cx;
    switch (TextAlignment(GetStyle())) {
    case SS_RIGHT:
        box.left = std::max<LONG>(box.right - textWidth, box.left + kTextBoxMargin);
        break;
    case SS_CENTER:
        box.left = std::max<LONG>((box.Width() - textWidth) / 2, box.left + kTextBoxMargin);
        box.right = box.left + textWidth;
        break;
    default:
        box.right = std::min<LONG>(box.left + textWidth, box.right - kTextBoxMargin);
        break;
    }
    return box;
}

void CNumStatic::OnLButtonDblClk(UINT, CPoint point)
{
    CTrackLoop watch(this);
    SetFocus();
    if (!watch.IsAlive()) return;
    if (GetTextBox().PtInRect(point)) {
        DisplayEditBox();
        return;
    }
    if (IsNumeric() && GetText() != m_fDefValue) ChangeOnce(m_fDefValue);
}

// ---- In-place editor ----

void CNumStatic::DisplayEditBox()
{
    if (::IsWindow(m_editBox.m_hWnd)) {
        try {
            m_editBox.DestroyWindow();
        } catch (...) {
        }
    }
    CRect client;
    GetClientRect(&client);
    m_editBox.Create(kEditBoxStyle, client, this, NUM_EDITBOX_ID);
    if (!::IsWindow(m_editBox.m_hWnd)) return;
    m_editBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
    wchar_t text[kEditTextChars + 1] = {};
    ::GetWindowTextW(m_hWnd, text, kEditTextChars + 1);
    m_editBox.SetText(text, kEditBoxTextLimit);
    m_editBox.SetSel(0, -1);
    m_editBox.SendMessage(EM_SCROLLCARET, 0, 0);
    m_editBox.ShowCaret();
    m_editBox.SetFocus();
}

void CNumStatic::OnEditHide(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult) *pResult = 0;
    if (pNMHDR == nullptr || !IsNumeric()) return;
    const float v = ClampValue(reinterpret_cast<const NMEDITCTRL*>(pNMHDR)->value);
    if (v == GetText()) return;
    if (ChangeOnce(v)) SetFocus();
}

// ---- Menu of bounds ----

void CNumStatic::OnRButtonUp(UINT, CPoint point)
{
    // Precision -1 prints as whole numbers, like the text.
    wchar_t format[NUM_TEXT_MAX];
    AfxFormatW(format, NUM_TEXT_MAX, L"%%.%df", m_nDicimalNum < 0 ? 0 : m_nDicimalNum);
    struct Item {
        UINT id;
        const wchar_t* label;
        float value;
    };
    const Item items[] = {
        {kCmdMaximum, L"最大值：", m_fMaxValue},
        {kCmdMinimum, L"最小值：", m_fMinValue},
        {kCmdDefault, L"缺省值：", m_fDefValue},
    };
    CFreeMenu menu;
    menu.CreatePopupMenu();
    for (const Item& item : items) {
        wchar_t number[64];
        AfxFormatW(number, 64, format, static_cast<double>(item.value));
        CString label(item.label);
        label += number;
        menu.AppendMenuW(MF_STRING, item.id, label);
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    CTrackLoop watch(this);
    const int chosen = menu.TrackPopupMenu(TPM_RETURNCMD, screen.x, screen.y, this);
    menu.DestroyMenu();
    if (!watch.IsAlive() || !(m_dwInputStyle & INPUTSTYLE_NUMBER)) return;
    for (const Item& item : items) {
        if (static_cast<int>(item.id) != chosen) continue;
        if (item.value != GetText()) ChangeOnce(item.value);
        break;
    }
}

// ---- Look ----

void CNumStatic::OnNcPaint()
{
    CWindowDC dc(this);
    CRect window, client;
    GetWindowRect(&window);
    GetClientRect(&client);
    ClientToScreen(&client);
    client.OffsetRect(-window.left, -window.top);
    window.OffsetRect(-window.left, -window.top);
    const int border = client.top;
    auto frame = [&dc](const CRect& r, COLORREF clr) {
        if (r.Height() > 0) {
            dc.FillSolidRect(r.left, r.top, 1, r.Height(), clr);
            dc.FillSolidRect(r.right - 1, r.top, 1, r.Height(), clr);
        }
        if (r.Width() > 0) {
            dc.FillSolidRect(r.left, r.top, r.Width(), 1, clr);
            dc.FillSolidRect(r.left, r.bottom - 1, r.Width(), 1, clr);
        }
    };
    if (border >= 1) frame(window, kOuterFrame);
    if (border >= 2) {
        CRect inner = window;
        inner.DeflateRect(1, 1);
        frame(inner, kInnerFrame);
    }
}

BOOL CNumStatic::OnEraseBkgnd(CDC* pDC)
{
    if (GetStyle() & SS_SUNKEN) {
        CRect client;
        GetClientRect(&client);
        pDC->FillSolidRect(&client, getdefaultColor(DEFCLR_EDITBK));
    }
    return TRUE;
}
