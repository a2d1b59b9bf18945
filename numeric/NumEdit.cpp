// CNumEdit: layout, painting, hit testing, keyboard editing, the in-place editor, the context
// menu and the two tracking loops (digit drag and step buttons).
#include "NumberDrag.h"
#include "frame/PaintBuffer.h"
#include <KestrelDraw.h>
#include <cwchar>

using numeric::ClampTo;
using numeric::IsDigitCode;
using numeric::IsKeyDown;
using numeric::PowerOfTen;
using numeric::RoundEven;

namespace {

const wchar_t kWindowName[] = L"数编";
const wchar_t kFontFace[] = L"Courier New";

constexpr COLORREF kEditBkColor = RGB(81, 91, 111);
constexpr COLORREF kFrameDark = RGB(94, 102, 117);
constexpr COLORREF kFrameLight = RGB(122, 123, 133);
constexpr COLORREF kBoxFrame = RGB(69, 72, 80);

// The hit box leaves this margin at both ends of the text box.
constexpr int kHitMargin = 2;
constexpr int kCaretWidth = 2;
constexpr int kEditBoxTextLimit = 16;

constexpr int kFirstDelayMs = AUTOREPEAT_FIRSTDELAY_MS;

// Step multiplier of one accelerator key.
constexpr int kKeyFactor = 5;

// Context menu commands.
constexpr UINT kCmdMaximum = 4096;
constexpr UINT kCmdMinimum = 4097;
constexpr UINT kCmdDefault = 4098;

// Character codes the editor reacts to (the virtual-key codes of the same keys).
constexpr UINT kCodeReset = L'O';
constexpr UINT kCodeResetLower = L'o';
constexpr UINT kCodeLeft = VK_LEFT;
constexpr UINT kCodeRight = VK_RIGHT;
constexpr UINT kCodeUp = VK_UP;
constexpr UINT kCodeDown = VK_DOWN;
constexpr UINT kCodeReturn = 13;
constexpr UINT kCodeTab = 9;
constexpr UINT kCodeSubtract = VK_SUBTRACT;
constexpr UINT kCodeOemMinus = VK_OEM_MINUS;

// 1, 5 or 25 from Ctrl and Shift.
int AcceleratorFactor()
{
    return (IsKeyDown(VK_CONTROL) ? kKeyFactor : 1) * (IsKeyDown(VK_SHIFT) ? kKeyFactor : 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(CNumEdit, CWnd)
    ON_WM_PAINT()
    ON_WM_NCPAINT()
    ON_WM_SIZE()
    ON_MESSAGE(WM_ENABLE, OnEnable)
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONDOWN()
    ON_WM_LBUTTONDBLCLK()
    ON_WM_RBUTTONUP()
    ON_WM_CHAR()
    ON_WM_SETFOCUS()
    ON_WM_KILLFOCUS()
    ON_NOTIFY(EDITCTRL_NOTIFY_HIDE, NUM_EDITBOX_ID, OnEditHide)
    ON_MESSAGE(WM_EXCHANGENUM, OnExChangeNum)
    ON_MESSAGE(WM_EXCHANGEINT, OnExChangeInt)
    ON_MESSAGE(WM_GETOBJECT, OnGetObject)
END_MESSAGE_MAP()

CNumEdit::CNumEdit()
    : CNumberModel(100.0f, 0.0f, 0.0f, 1.0f, 2, 0), m_fCurValue(0.0f), m_hFont(nullptr), m_ptCaret{-1, -1},
      m_rcText{0, 0, 0, 0}, m_clrEditBk(kEditBkColor), m_clrBk(getdefaultColor(DEFCLR_BK)),
      m_clrFg(getdefaultColor(DEFCLR_TEXT))
{
    m_editBox.ModifyInputStyle(INPUTSTYLE_NUMBER);
}

CNumEdit::~CNumEdit()
{
    // Gone before the font and the editor it still paints with.
    if (m_hWnd != nullptr && FromHandlePermanent(m_hWnd) == this) DestroyWindow();
    if (m_hFont != nullptr) ::DeleteObject(m_hFont);
    kestrel::ReleasePaintBuffer(m_pPaintBuffer);
}

BOOL CNumEdit::Create(const RECT& rect, CWnd* pParentWnd, UINT nID, DWORD dwStyle)
{
    return CWnd::Create(nullptr, kWindowName, dwStyle, rect, pParentWnd, nID);
}

void CNumEdit::PreSubclassWindow()
{
    CWnd::PreSubclassWindow();
    // A subclassed window may have the focus already; later changes arrive as messages.
    m_bHasFocus = ::GetFocus() == m_hWnd;
    RecreateFont();
}

DWORD CNumEdit::GetNumStyle() const
{
    return m_hWnd ? GetStyle() : 0;
}

int CNumEdit::GetTimerWait(int nTimerId)
{
    return AutoRepeatWait(nTimerId);
}

// ---- Colours ----

void CNumEdit::SetBkColor(COLORREF clr)
{
    if (clr == m_clrBk) return;
    m_clrBk = clr;
    m_clrEditBk = clr;
    if (m_hWnd) Invalidate(TRUE);
}

void CNumEdit::SetEditBkColor(COLORREF clr)
{
    if (clr == m_clrEditBk) return;
    m_clrEditBk = clr;
    if (m_hWnd) Invalidate(TRUE);
}

void CNumEdit::SetFgColor(COLORREF clr)
{
    if (clr == m_clrFg) return;
    m_clrFg = clr;
    if (m_hWnd) Invalidate(TRUE);
}

// ---- Layout ----

HFONT CNumEdit::CreateFontW(int width, int height)
{
    return ::CreateFontW(height, width, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, ANSI_CHARSET, OUT_DEFAULT_PRECIS,
                         CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontFace);
}

void CNumEdit::GetRects(LPCRECT client, LPRECT text, LPRECT step) const
{
    if (client == nullptr) return;
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    if (text) {
        *text = *client;
        text->right = client->right - cx - 1;
    }
    if (step) {
        *step = *client;
        step->left = client->right - cx;
    }
}

void CNumEdit::GetBoxRects(CRect& text, CRect& step) const
{
    CRect client;
    if (m_hWnd) GetClientRect(&client);
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    text.SetRect(client.left + 1, client.top + 1, client.right - 1 - cx - 1, client.bottom - 1);
    step.SetRect(client.right - 1 - cx, client.top + 1, client.right - 1, client.bottom - 1);
}

void CNumEdit::GetButtonRect(BOOL bUpper, CRect& button) const
{
    CRect text;
    GetBoxRects(text, button);
    const int middle = RoundEven(static_cast<float>(button.top + button.bottom) * 0.5f);
    if (bUpper) button.bottom = middle;
    else button.top = middle;
}

void CNumEdit::RecreateFont()
{
    if (m_hWnd == nullptr) return;
    CRect text, step;
    GetBoxRects(text, step);
    CRect box = text;
    box.DeflateRect(kHitMargin, 0);
    const int places = GetMaxDigit();
    const int charWidth = (box.Width() * 9) / (places * 10);
    const int charHeight = (box.Height() * 8) / 9;
    HFONT font = CreateFontW(charWidth, charHeight);
    if (font != nullptr) {
        kestrel::ReleasePaintBuffer(m_pPaintBuffer);  // it holds the old font selected
        if (m_hFont != nullptr) ::DeleteObject(m_hFont);
        m_hFont = font;
        SIZE w{};
        HDC screen = ::GetDC(nullptr);
        HGDIOBJ old = ::SelectObject(screen, font);
        ::GetTextExtentPoint32W(screen, L"w", 1, &w);
        ::SelectObject(screen, old);
        ::ReleaseDC(nullptr, screen);
        // Centre a row exactly `places` characters wide in the box.
        box.DeflateRect((box.Width() - w.cx * places) / 2, (box.Height() - w.cy) / 2);
        m_rcText = box;
    }
    Invalidate(TRUE);
}

RECT CNumEdit::GetItemRect(UINT place) const
{
    RECT r = {0, 0, 0, 0};
    const int places = GetMaxDigit();
    if (place > static_cast<UINT>(places)) return r;
    const int width = m_rcText.right > m_rcText.left ? m_rcText.right - m_rcText.left : 0;
    const float count = static_cast<float>(places);
    const float from = static_cast<float>(static_cast<UINT>(width) * place) / count;
    const float to = static_cast<float>(static_cast<UINT>(width) * (place + 1)) / count;
    r.left = m_rcText.left + RoundEven(from);
    r.right = m_rcText.left + RoundEven(to);
    r.top = m_rcText.top;
    r.bottom = m_rcText.bottom;
    return r;
}

int CNumEdit::HitTest(CPoint point) const
{
    CRect text, step;
    GetBoxRects(text, step);
    CRect hit = text;
    hit.DeflateRect(kHitMargin, 0);
    if (hit.PtInRect(point)) {
        const int places = GetMaxDigit();
        for (int i = 0; i <= places; ++i)
            if (GetItemRect(static_cast<UINT>(i)).right > point.x) return i;
    }
    CRect button;
    GetButtonRect(TRUE, button);
    if (button.PtInRect(point)) return -1;
    GetButtonRect(FALSE, button);
    if (button.PtInRect(point)) return -2;
    return 0;
}

// ---- Painting ----

// Whether a paint of rcPaint reaches the one-pixel ring of frame. Inside OnPaint the context is
// clipped to the update region, so a ring the paint does not reach (a value change repaints a
// few places deep inside the box) is skipped; called from anywhere else, every ring is drawn.
bool CNumEdit::Reaches(const CRect& rcPaint, const CRect& frame) const
{
    if (!m_bPaintClipped) return true;
    CRect inside = frame;
    inside.DeflateRect(1, 1);
    return !(rcPaint.left >= inside.left && rcPaint.top >= inside.top && rcPaint.right <= inside.right &&
             rcPaint.bottom <= inside.bottom);
}

void CNumEdit::OnPaint()
{
    kestrel::PaintThroughBuffer(this, m_pPaintBuffer, m_hFont, [this](CDC* dc, const CRect& rcPaint) {
        m_bPaintClipped = TRUE;
        OnFillBackgroud(dc, rcPaint);
        PaintText(dc, rcPaint);
        PaintStep(dc, rcPaint);
        m_bPaintClipped = FALSE;
    });
}

void CNumEdit::OnFillBackgroud(CDC* pDC, const CRect& rcPaint)
{
    pDC->FillSolidRect(&rcPaint, m_clrBk);
    CRect client;
    GetClientRect(&client);
    if (Reaches(rcPaint, client)) OrmDraw3dRect(pDC->m_hDC, client, kFrameDark, kFrameLight);
    const int cx = ::GetSystemMetrics(SM_CXVSCROLL);
    CRect separator(client.right - cx - 1, client.top + 1, client.right - cx, client.bottom - 1);
    if (!m_bPaintClipped || IsRectIntersect(&separator, &rcPaint)) {
        pDC->SetBkColor(kFrameDark);
        pDC->ExtTextOut(0, 0, ETO_OPAQUE, &separator, nullptr, 0);
    }
}

void CNumEdit::PaintText(CDC* pDC, const CRect& rcPaint)
{
    CRect text, step;
    GetBoxRects(text, step);
    if (m_clrEditBk != m_clrBk && (!m_bPaintClipped || IsRectIntersect(&text, &rcPaint)))
        pDC->FillSolidRect(&text, m_clrEditBk);
    if (IsRectIntersect(&text, &rcPaint) && Reaches(rcPaint, text))
        OrmDraw3dRect(pDC->m_hDC, text, kBoxFrame, kBoxFrame);

    const int oldMode = pDC->SetBkMode(TRANSPARENT);
    wchar_t value[NUM_TEXT_MAX];
    GetString(value, m_fCurValue);
    pDC->SetTextColor(m_bHasFocus ? getdefaultColor(DEFCLR_FOCUSTEXT) : m_clrFg);

    const DWORD style = GetNumStyle();
    CRect target = m_rcText;
    if (style & ES_CENTER) {
        const int length = GetCurDigit(m_fCurValue);
        const int middle = GetMiddleStartPlace(m_fCurValue);
        target.left = GetItemRect(static_cast<UINT>(middle)).left;
        target.right = GetItemRect(static_cast<UINT>(middle + length)).left;
    }
    const UINT format = (style & 3) | DT_VCENTER | DT_SINGLELINE;
    if (IsRectIntersect(&target, &rcPaint)) pDC->DrawText(value, -1, &target, format);
    // The grey copy is not tied to the paint test above: it reaches one pixel further.
    if (!IsWindowEnabled() || (style & ES_READONLY)) {
        target.OffsetRect(1, 1);
        pDC->SetTextColor(getdefaultColor(DEFCLR_DISABLEDTEXT));
        pDC->DrawText(value, -1, &target, format);
    }
    pDC->SetBkMode(oldMode);
}

void CNumEdit::PaintStep(CDC* pDC, const CRect& rcPaint)
{
    CRect text, step;
    GetBoxRects(text, step);
    if (!IsRectIntersect(&step, &rcPaint)) return;
    const bool grey = !IsWindowEnabled() || IsReadOnly();
    const COLORREF arrow = getdefaultColor(grey ? DEFCLR_DISABLEDTEXT : DEFCLR_EDITTEXT);
    CRect button;
    GetButtonRect(TRUE, button);
    pDC->Draw3dRect(&button, kBoxFrame, kBoxFrame);
    DrawArrowInRect(pDC, button, ARROWFACE2_UP, arrow);
    GetButtonRect(FALSE, button);
    pDC->Draw3dRect(&button, kBoxFrame, kBoxFrame);
    DrawArrowInRect(pDC, button, ARROWFACE2_DOWN, arrow);
}

void CNumEdit::OnNcPaint()
{
    OnNcPaintBorder(this, -1, KESTREL_DEFAULT_COLOR, KESTREL_DEFAULT_COLOR);
}

void CNumEdit::OnSize(UINT, int, int)
{
    RecreateFont();
    Default();
}

LRESULT CNumEdit::OnEnable(WPARAM, LPARAM)
{
    Invalidate(TRUE);
    return Default();
}

BOOL CNumEdit::OnEraseBkgnd(CDC*)
{
    return TRUE;  // painting covers everything
}

BOOL CNumEdit::OnSetCursor(CWnd*, UINT, UINT)
{
    if (!IsReadOnly()) {
        POINT p{};
        ::GetCursorPos(&p);
        ScreenToClient(&p);
        if (HitTest(p) >= 0) {
            ::SetCursor(::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_IBEAM)));
            return TRUE;
        }
    }
    return static_cast<BOOL>(Default());
}

LRESULT CNumEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // Before the handlers run, so that a paint inside them already sees the new state.
    if (message == WM_SETFOCUS) m_bHasFocus = TRUE;
    else if (message == WM_KILLFOCUS) m_bHasFocus = FALSE;
    else if (message == WM_NCDESTROY) kestrel::ReleasePaintBuffer(m_pPaintBuffer);
    // The control never takes input-method composition.
    if (message == WM_IME_SETCONTEXT && wParam != 0) {
        HIMC context = ::ImmAssociateContext(m_hWnd, nullptr);
        if (context != nullptr) ::ImmDestroyContext(context);
        return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

// ---- Mouse ----

void CNumEdit::OnLButtonDown(UINT, CPoint point)
{
    if (IsReadOnly()) return;
    if (!m_bHasFocus) {
        SetFocus();
        Invalidate(FALSE);
    }
    int place = HitTest(point);
    if (place >= 0) {
        FindSuitPlace(place);
        RECT r = GetItemRect(static_cast<UINT>(place));
        ::SetCaretPos(r.left, m_ptCaret.y);
        AnimateText(point);
    } else {
        AnimateStep(point, place == -1);
    }
}

void CNumEdit::AnimateText(CPoint point)
{
    CPoint start = point;
    ClientToScreen(&start);
    const double startValue = m_fCurValue;
    double lastValue = startValue;
    numeric::DragTravel travel(start, m_nMouseGap);
    int factor = AcceleratorFactor();
    float step = static_cast<float>(factor) * m_fGap;
    bool first = true;

    // Every notification may destroy the control: after each one, leave without touching it.
    CTrackLoop loop(this);
    loop.Capture();
    MSG msg;
    while (loop.GetMessage(msg)) {
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
            (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT)) {
            factor = AcceleratorFactor();
            step = static_cast<float>(factor) * m_fGap;
        }
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (msg.message == WM_MOUSEMOVE) {
            const CPoint p = CTrackLoop::ScreenPoint(msg);
            // Travel is counted across pointer wraps, always from the start of the drag.
            const int steps = travel.Steps(p.y, factor);
            const double v = ClampTo(static_cast<float>(steps) * step + startValue, m_fMaxValue, m_fMinValue);
            if (v != lastValue) {
                lastValue = v;
                SetCurValue(static_cast<float>(v));
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
        ::SetCursorPos(start.x, start.y);
    }
}

void CNumEdit::DrawPressedButton(const CRect& button)
{
    const COLORREF pressed = getdefaultColor(DEFCLR_EDITTEXT);
    CClientDC dc(this);
    dc.Draw3dRect(&button, pressed, pressed);
}

void CNumEdit::AnimateStep(CPoint, int up)
{
    CRect button;
    GetButtonRect(up != 0, button);
    double running = m_fCurValue;
    bool first = true;
    const float direction = up ? 1.0f : -1.0f;
    float step = static_cast<float>(AcceleratorFactor()) * m_fGap * direction;
    bool inside = false;

    // Every notification may destroy the control: after each one, leave without touching it.
    // The loop's timers die with the window, and no device context is held across messages.
    CTrackLoop loop(this);
    DrawPressedButton(button);
    loop.Capture();
    CAutoRepeat repeat(loop, m_hWnd, kFirstDelayMs, static_cast<UINT>(GetTimerWait(static_cast<int>(IDT_REPEAT))));

    MSG msg;
    while (loop.GetMessage(msg)) {
        if (repeat.StartsRepeating(msg)) {
            inside = true;
        } else if (inside && step != 0.0f && repeat.IsRepeatTick(msg)) {
            const double v = ClampTo(running + step, m_fMaxValue, m_fMinValue);
            if (v != running) {
                running = v;
                SetCurValue(static_cast<float>(v));
                if (first) {
                    first = false;
                    NotifyParent(NUMN_BEGINCHANGE);
                    if (!loop.IsAlive()) return;
                }
                NotifyParent(NUMN_CHANGING);
                if (!loop.IsAlive()) return;
            }
        }
        if ((msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) &&
            (msg.wParam == VK_CONTROL || msg.wParam == VK_SHIFT))
            step = static_cast<float>(AcceleratorFactor()) * m_fGap * direction;
        if (msg.message == WM_LBUTTONUP) loop.ReleaseCapture();
        if (!loop.DispatchUnlessMouse(msg)) return;
        if (msg.message == WM_MOUSEMOVE) {
            const bool in = button.PtInRect(loop.ClientPoint(msg)) != FALSE;
            if (in && !inside) {
                if (repeat.Repeating()) {
                    inside = true;
                    DrawPressedButton(button);
                }
            } else if (repeat.Repeating() && !in && inside) {
                // Stepping pauses while the pointer is off the button.
                inside = false;
                InvalidateRect(&button, TRUE);
            }
        }
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) loop.ReleaseCapture();
        if (!loop.HasCapture()) break;
    }
    if (!loop.IsAlive()) return;
    loop.ReleaseCapture();

    if (!first) {
        NotifyParent(NUMN_ENDCHANGE);
    } else if (step != 0.0f) {
        // A press the repeat did not change makes one step.
        const double v = ClampTo(running + step, m_fMaxValue, m_fMinValue);
        if (v != running) {
            NotifyParent(NUMN_BEGINCHANGE);
            if (!loop.IsAlive()) return;
            SetCurValue(static_cast<float>(v));
            NotifyParent(NUMN_ENDCHANGE);
        }
    }
    if (!loop.IsAlive()) return;
    repeat.Stop();
    InvalidateRect(&button, TRUE);
}

void CNumEdit::OnLButtonDblClk(UINT, CPoint point)
{
    if (IsReadOnly()) return;
    if (!m_bHasFocus) SetFocus();
    CRect text, step;
    GetBoxRects(text, step);
    if (text.PtInRect(point)) {
        DisplayEditBox();
        return;
    }
    if (GetCurValue() != m_fDefValue) {
        CTrackLoop watch(this);  // the parent may destroy the editor from the notification
        NotifyParent(NUMN_BEGINCHANGE);
        if (!watch.IsAlive()) return;
        SetCurValue(m_fDefValue);
        NotifyParent(NUMN_ENDCHANGE);
    }
}

void CNumEdit::OnRButtonUp(UINT, CPoint point)
{
    // Precision -1 prints as whole numbers, like the display.
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
    CMenu menu;
    menu.CreatePopupMenu();
    for (const Item& item : items) {
        wchar_t number[64];
        AfxFormatW(number, 64, format, static_cast<double>(item.value));
        CString label(item.label);
        label += number;
        menu.AppendMenu(MF_STRING, item.id, label);
    }
    CPoint screen = point;
    ClientToScreen(&screen);
    const UINT chosen = static_cast<UINT>(menu.TrackPopupMenu(TPM_RETURNCMD, screen.x, screen.y, this));
    menu.DestroyMenu();
    for (const Item& item : items) {
        if (item.id != chosen) continue;
        if (item.value != GetCurValue()) {
            CTrackLoop watch(this);  // the parent may destroy the editor from the notification
            NotifyParent(NUMN_BEGINCHANGE);
            if (!watch.IsAlive()) return;
            SetCurValue(item.value);
            NotifyParent(NUMN_ENDCHANGE);
        }
        break;
    }
}

// ---- Keyboard ----

void CNumEdit::OnSetFocus(CWnd*)
{
    Default();
    if (IsReadOnly()) return;
    CreateSolidCaret(kCaretWidth, m_rcText.bottom - m_rcText.top);
    if (m_ptCaret.x == -1) {
        UINT place = 0;
        if (GetAlignment() == ES_RIGHT) place = static_cast<UINT>(GetMaxDigit());
        else if (GetAlignment() == ES_LEFT) place = static_cast<UINT>(GetCurDigit(m_fCurValue));
        m_ptCaret.x = GetItemRect(place).left;
        m_ptCaret.y = m_rcText.top;
    }
    SetCaretPos(m_ptCaret);
    ShowCaret();
    Invalidate(FALSE);
}

void CNumEdit::OnKillFocus(CWnd*)
{
    Default();
    if (IsReadOnly()) return;
    m_ptCaret = GetCaretPos();
    HideCaret();
    ::DestroyCaret();
    Invalidate(FALSE);
}

void CNumEdit::OnChar(UINT nChar, UINT, UINT)
{
    if (IsReadOnly()) return;
    switch (nChar) {
    case kCodeReset:
    case kCodeResetLower: {
        CTrackLoop watch(this);  // the parent may destroy the editor from any notification
        NotifyParent(NUMN_BEGINCHANGE);
        if (!watch.IsAlive()) return;
        SetCurValue(m_fDefValue);
        NotifyParent(NUMN_CHANGING);
        if (!watch.IsAlive()) return;
        NotifyParent(NUMN_ENDCHANGE);
        return;
    }
    case kCodeLeft:
    case kCodeRight:
        MoveCaret(nChar);
        Default();
        return;
    case kCodeReturn:
    case kCodeTab: {
        CTrackLoop watch(this);
        NotifyParent(NUMN_ENDCHANGE);
        if (watch.IsAlive()) Default();
        return;
    }
    default:
        break;
    }
    const float v = EditValueAt(nChar, HitTest(GetCaretPos()), m_fCurValue);
    if (v != m_fCurValue) {
        CTrackLoop watch(this);  // the parent may destroy the editor from any notification
        NotifyParent(NUMN_BEGINCHANGE);
        if (!watch.IsAlive()) return;
        SetCurValue(v);
        NotifyParent(NUMN_CHANGING);
        if (!watch.IsAlive()) return;
        NotifyParent(NUMN_ENDCHANGE);
        if (!watch.IsAlive()) return;
    }
    if (IsDigitCode(nChar)) SendMessage(WM_CHAR, kCodeRight, 0);
    Default();
}

float CNumEdit::EditValueAt(UINT code, int h, float v) const
{
    const int places = GetMaxDigit();
    int length = GetCurDigit(v);
    int end = EndPlace(v);
    const bool digit = IsDigitCode(code);
    if (digit && h > length && h == places) {
        // Typing on the free place after the text appends a digit.
        v = v * 10.0f;
        h = places - 1;
        length = GetCurDigit(v);
        end = EndPlace(v);
    }
    const int c = GetItemValue(static_cast<UINT>(h), v);
    const bool onDigit = c >= 0 && c <= 9;
    const float sign = v >= 0 ? 1.0f : -1.0f;
    if (digit) {
        const float d = static_cast<float>(static_cast<int>(code) - L'0');
        if (onDigit) {
            if (h < end) v = v + sign * (d - static_cast<float>(c)) * PowerOfTen(end - h - 1);
            else if (m_nDicimalNum > 0 && h > end) v = v + sign * (d - static_cast<float>(c)) / PowerOfTen(h - end);
        } else if (c == L' ' && GetAlignment() == ES_LEFT && length < places) {
            v = v * 10.0f;
            if (m_nDicimalNum > 0) v = v + sign * d / PowerOfTen(m_nDicimalNum);
            else v = v + sign * d;
        }
    } else if (code == kCodeSubtract || code == kCodeOemMinus) {
        if (v < 0 || m_fMinValue < 0) v = -v;
    } else if (code == kCodeUp || code == kCodeDown) {
        const float r = code == kCodeUp ? 1.0f : -1.0f;
        if (onDigit && h < end) v = v + r * PowerOfTen(end - h - 1);
        if (m_nDicimalNum > 0 && h > end) v = v + r / PowerOfTen(h - end);
    }
    return v;
}

void CNumEdit::MoveCaret(UINT code)
{
    const int places = GetMaxDigit();
    const int length = GetCurDigit(m_fCurValue);
    const int middle = GetMiddleStartPlace(m_fCurValue);
    const int end = EndPlace(m_fCurValue);
    const CPoint caret = GetCaretPos();
    int h = HitTest(caret);
    const UINT align = GetAlignment();
    if (code == kCodeLeft) {
        if (m_nDicimalNum >= 1 && h == end + 1) h -= 2;  // over the point
        else if (align == ES_RIGHT) { if (h >= places - length) --h; }
        else if (align == ES_LEFT) { if (h > 0) --h; }
        else if (h >= middle) --h;
    } else {
        if (m_nDicimalNum >= 1 && h == end - 1) h += 2;
        else if (align == ES_RIGHT) ++h;
        else if (align == ES_LEFT) { if (h < length) ++h; }
        else if (h < middle + length) ++h;
    }
    const CRect r = GetItemRect(static_cast<UINT>(h));
    if (r.IsRectNull() || (r.left == caret.x && r.top == caret.y)) return;
    ::SetCaretPos(r.left, m_ptCaret.y);
}

// ---- In-place editor ----

void CNumEdit::DisplayEditBox()
{
    if (::IsWindow(m_editBox.m_hWnd)) {
        try {
            m_editBox.DestroyWindow();
        } catch (...) {
        }
    }
    CRect text, step;
    GetBoxRects(text, step);
    m_editBox.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, text, this, NUM_EDITBOX_ID);
    if (!::IsWindow(m_editBox.m_hWnd)) return;
    m_editBox.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
    wchar_t value[NUM_TEXT_MAX];
    GetString(value, m_fCurValue);
    m_editBox.SetText(value, kEditBoxTextLimit);
    m_editBox.SetSel(0, static_cast<int>(wcslen(value)));
    m_editBox.SendMessage(EM_SCROLLCARET, 0, 0);
    m_editBox.ShowCaret();
    m_editBox.SetFocus();
}

void CNumEdit::OnEditHide(NMHDR* pNMHDR, LRESULT* pResult)
{
    if (pResult) *pResult = 0;
    if (pNMHDR == nullptr) return;
    const float v = ClampValue(reinterpret_cast<const NMEDITCTRL*>(pNMHDR)->value);
    if (m_fCurValue > m_fMaxValue) SetCurValue(m_fMaxValue);
    else if (m_fCurValue < m_fMinValue) SetCurValue(m_fMinValue);
    if (v == m_fCurValue) return;
    // A handler of either notification may destroy the editor: then leave it alone.
    CTrackLoop watch(this);
    NotifyParent(NUMN_BEGINCHANGE);
    if (!watch.IsAlive()) return;
    SetCurValue(v);
    NotifyParent(NUMN_ENDCHANGE);
    if (!watch.IsAlive()) return;
    SetFocus();
}
