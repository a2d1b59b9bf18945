// Drawing primitives. Stateless apart from MakeShortString's shared buffer.
#include "KestrelDraw.h"
#include <algorithm>
#include <cwchar>

namespace {

const COLORREF kRaisedLight = RGB(80, 95, 122);
const COLORREF kRaisedDark = RGB(21, 32, 43);
const COLORREF kInnerRingLight = RGB(82, 84, 89);
const COLORREF kEditOuterShadow = RGB(178, 178, 178);
constexpr int kShadeStep = 50;

constexpr int kShortBufferSize = 256;
const wchar_t kEllipsis[] = L"...";
constexpr int kEllipsisLength = 3;
// Longest prefix that still leaves room for "..." and the terminator.
constexpr int kMaxShortPrefix = kShortBufferSize - kEllipsisLength - 1;
wchar_t g_shortBuffer[kShortBufferSize];

// Image-list indexes are below this; anything else is taken as a bitmap handle.
constexpr int kMaxImageIndex = 256;
// Values this small cannot be bitmap handles.
constexpr int kMaxNonHandle = 65535;

// Check mark geometry: offset of the glyph from the rectangle's top-left corner and the
// start row of each of its seven three-pixel strokes.
constexpr int kCheckTop = 6;
constexpr int kCheckLeft = 6;
constexpr int kCheckStrokeLength = 3;
const int kCheckStrokeStart[] = {2, 3, 4, 3, 2, 1, 0};
constexpr int kDotLeft = 5;
constexpr int kDotTop = 4;
constexpr int kDotSize = 6;

COLORREF Pick(COLORREF clr, COLORREF fallback)
{
    return clr == KESTREL_DEFAULT_COLOR ? fallback : clr;
}

void Fill(HDC hdc, int l, int t, int r, int b, COLORREF clr)
{
    RECT rc{l, t, r, b};
    ::SetBkColor(hdc, clr);
    ::ExtTextOutW(hdc, 0, 0, ETO_OPAQUE, &rc, nullptr, 0, nullptr);
}

// A one-pixel ring: left column and top row in tl, then right column and bottom row in br,
// so that the top-right and bottom-left corners end in br. Edges of no length are skipped.
void Ring(HDC hdc, const RECT& r, COLORREF tl, COLORREF br)
{
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    if (h > 0) Fill(hdc, r.left, r.top, r.left + 1, r.bottom, tl);
    if (w > 0) Fill(hdc, r.left, r.top, r.right, r.top + 1, tl);
    if (h > 0) Fill(hdc, r.right - 1, r.top, r.right, r.bottom, br);
    if (w > 0) Fill(hdc, r.left, r.bottom - 1, r.right, r.bottom, br);
}

int Lighter(int c) { return std::min(c + kShadeStep, 255); }
int Darker(int c) { return c < kShadeStep ? 0 : c - kShadeStep; }

}  // namespace

void drawborder(CDC* pDC, CRect& rect, int style)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr) return;
    if (style == 1) {
        pDC->Draw3dRect(&rect, kRaisedLight, kRaisedDark);
    } else if (style == -1) {
        pDC->Draw3dRect(&rect, kRaisedDark, kRaisedLight);
    } else {
        const COLORREF bk = getdefaultColor(DEFCLR_BK);
        pDC->Draw3dRect(&rect, bk, bk);
    }
}

void draw3Dborder(CDC* pDC, CRect& rect, COLORREF clr, int style)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr) return;
    const int r = GetRValue(clr), g = GetGValue(clr), b = GetBValue(clr);
    const COLORREF light = RGB(Lighter(r), Lighter(g), Lighter(b));
    const COLORREF dark = RGB(Darker(r), Darker(g), Darker(b));
    if (style == 1)
        pDC->Draw3dRect(&rect, light, dark);
    else if (style == -1)
        pDC->Draw3dRect(&rect, dark, light);
    else
        pDC->Draw3dRect(&rect, clr, clr);
}

void OrmDraw3dRect(HDC hdc, CRect& rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    if (hdc == nullptr) return;
    Fill(hdc, rect.left, rect.top, rect.right, rect.top + 1, clrTopLeft);
    Fill(hdc, rect.left, rect.top, rect.left + 1, rect.bottom, clrTopLeft);
    Fill(hdc, rect.right - 1, rect.top, rect.right, rect.bottom, clrBottomRight);
    Fill(hdc, rect.left, rect.bottom - 1, rect.right, rect.bottom, clrBottomRight);
}

void DrawArrowInRect(HDC hdc, CRect& rect, ENUMARROWFACE2 face, COLORREF clr)
{
    if (hdc == nullptr) return;
    const int W = rect.right - rect.left;
    const int H = rect.bottom - rect.top;
    int s;
    switch (face) {
    case ARROWFACE2_LEFT:
    case ARROWFACE2_RIGHT: s = std::min(W / 3, H / 2); break;
    case ARROWFACE2_UP:
    case ARROWFACE2_DOWN: s = std::min(H / 3, W / 2); break;
    default: return;
    }
    const int cx = (rect.left + rect.right) / 2;
    const int cy = (rect.top + rect.bottom) / 2;
    const int h = s / 2;

    POINT pts[3];
    switch (face) {
    case ARROWFACE2_LEFT:
        pts[0] = {cx - h, cy};
        pts[1] = {cx - h + s - 1, cy + s - 1};
        pts[2] = {cx - h + s - 1, cy - s + 1};
        break;
    case ARROWFACE2_RIGHT:
        pts[0] = {cx + h, cy};
        pts[1] = {cx + h - s + 1, cy - s + 1};
        pts[2] = {cx + h - s + 1, cy + s - 1};
        break;
    case ARROWFACE2_UP:
        pts[0] = {cx, cy - h};
        pts[1] = {cx - s, cy - h + s};
        pts[2] = {cx + s, cy - h + s};
        break;
    default:
        pts[0] = {cx, cy + h};
        pts[1] = {cx + s - 1, cy + h - s + 1};
        pts[2] = {cx - s + 1, cy + h - s + 1};
        break;
    }
    HRGN rgn = ::CreatePolygonRgn(pts, 3, ALTERNATE);
    if (rgn == nullptr) return;
    // The context's own brush in clr: no brush is made for each arrow.
    const HGDIOBJ oldBrush = ::SelectObject(hdc, ::GetStockObject(DC_BRUSH));
    const COLORREF oldColor = ::SetDCBrushColor(hdc, clr);
    ::PaintRgn(hdc, rgn);
    ::SetDCBrushColor(hdc, oldColor);
    ::SelectObject(hdc, oldBrush);
    ::DeleteObject(rgn);
}

void DrawArrowInRect(CDC* pDC, CRect& rect, ENUMARROWFACE2 face, COLORREF clr)
{
    DrawArrowInRect(pDC ? pDC->m_hDC : nullptr, rect, face, clr);
}

int DrawSign(HDC hdc, CRect& rect, ENUMSIGN sign, COLORREF clr)
{
    if (hdc == nullptr) return 1;
    if (sign == SIGN_CHECK) {
        HPEN oldPen = SelectDCPen(hdc, clr);
        const int x0 = rect.left + kCheckLeft;
        const int y0 = rect.top + kCheckTop;
        for (int i = 0; i < static_cast<int>(sizeof(kCheckStrokeStart) / sizeof(kCheckStrokeStart[0])); ++i) {
            ::MoveToEx(hdc, x0 + i, y0 + kCheckStrokeStart[i], nullptr);
            ::LineTo(hdc, x0 + i, y0 + kCheckStrokeStart[i] + kCheckStrokeLength);
        }
        ::SelectObject(hdc, oldPen);
    } else if (sign == SIGN_DOT) {
        HPEN oldPen = SelectDCPen(hdc, clr);
        HBRUSH oldBrush = SelectDCBrush(hdc, clr);
        const int x = rect.left + kDotLeft;
        const int y = rect.top + kDotTop;
        ::Ellipse(hdc, x, y, x + kDotSize, y + kDotSize);
        ::SelectObject(hdc, oldBrush);
        ::SelectObject(hdc, oldPen);
    }
    return 1;
}

int DrawSign(CDC* pDC, CRect& rect, ENUMSIGN sign, COLORREF clr)
{
    DrawSign(pDC ? pDC->m_hDC : nullptr, rect, sign, clr);
    return 1;
}

HPEN SelectDCPen(HDC hdc, COLORREF clr)
{
    HPEN old = static_cast<HPEN>(::SelectObject(hdc, ::GetStockObject(DC_PEN)));
    ::SetDCPenColor(hdc, clr);
    return old;
}

HBRUSH SelectDCBrush(HDC hdc, COLORREF clr)
{
    HBRUSH old = static_cast<HBRUSH>(::SelectObject(hdc, ::GetStockObject(DC_BRUSH)));
    ::SetDCBrushColor(hdc, clr);
    return old;
}

void OnNcPaintBorder(CWnd* pWnd, int style, COLORREF clrA, COLORREF clrB)
{
    if (pWnd == nullptr || !::IsWindow(pWnd->m_hWnd)) return;
    CRect W, C;
    pWnd->GetWindowRect(&W);
    pWnd->ScreenToClient(&W);
    pWnd->GetClientRect(&C);
    const int dx = -W.left, dy = -W.top;
    W.OffsetRect(dx, dy);
    C.OffsetRect(dx, dy);
    const int topBorder = C.top - W.top;
    if (topBorder <= 0) return;

    CWindowDC dc(pWnd);
    if (dc.m_hDC == nullptr) return;
    const COLORREF border = getdefaultColor(DEFCLR_BORDER);
    const COLORREF c1 = Pick(clrB, border);
    const COLORREF c2 = style == 1 ? c1 : Pick(clrA, border);
    // Columns need a height and the top row a width; the bottom row is always drawn.
    if (W.Height() > 0) Fill(dc, W.left, W.top, W.left + 1, W.bottom, c1);
    if (W.Width() > 0) Fill(dc, W.left, W.top, W.right, W.top + 1, c1);
    if (W.Height() > 0) Fill(dc, W.right - 1, W.top, W.right, W.bottom, c2);
    Fill(dc, W.left, W.bottom - 1, W.right, W.bottom, c2);

    if (style == 1 && topBorder > 1) {
        W.DeflateRect(1, 1);
        const COLORREF tl = Pick(clrA, kInnerRingLight);
        const COLORREF br = Pick(clrB, border);
        if (W.Height() > 0) Fill(dc, W.left, W.top, W.left + 1, W.bottom, tl);
        if (W.Width() > 0) Fill(dc, W.left, W.top, W.right, W.top + 1, tl);
        if (W.Height() > 0) Fill(dc, W.right - 1, W.top, W.right, W.bottom, br);
        Fill(dc, W.left, W.bottom - 1, W.right, W.bottom, br);
    }
}

void OnNcEdit(CDC* pDC, CRect rect, COLORREF clr1, COLORREF clr2)
{
    if (pDC == nullptr || pDC->m_hDC == nullptr) return;
    const COLORREF editText = getdefaultColor(DEFCLR_EDITTEXT);
    Ring(pDC->m_hDC, rect, Pick(clr2, editText), Pick(clr1, kEditOuterShadow));
    rect.DeflateRect(1, 1);
    Ring(pDC->m_hDC, rect, Pick(clr1, kInnerRingLight), Pick(clr2, editText));
}

void PopWin2Center(CWnd* pWnd, int)
{
    if (pWnd == nullptr || !::IsWindow(pWnd->m_hWnd)) return;
    const int sw = ::GetSystemMetrics(SM_CXSCREEN);
    const int sh = ::GetSystemMetrics(SM_CYSCREEN);
    CRect r;
    pWnd->GetWindowRect(&r);
    const int w = r.Width(), h = r.Height();
    const int x = std::max(sw / 2 - w / 2, 0);
    const int y = std::max(sh / 2 - h / 2, 0);
    pWnd->MoveWindow(x, y, w, h, TRUE);
}

BOOL IsRectIntersect(const RECT* a, const RECT* b)
{
    if (a == nullptr || b == nullptr) return FALSE;
    return a->left < b->right && a->top < b->bottom && a->right > b->left && a->bottom > b->top;
}

const wchar_t* MakeShortString(HDC hdc, const wchar_t* text, int width)
{
    if (hdc == nullptr || text == nullptr || text[0] == L'\0') return text;
    const size_t length = std::wcslen(text);
    SIZE full{};
    // Lengths beyond an int never fit anything a screen shows; measure what GDI can take.
    const int count = static_cast<int>(std::min<size_t>(length, INT_MAX));
    if (::GetTextExtentPoint32W(hdc, text, count, &full) && full.cx <= width) return text;

    SIZE dots{};
    ::GetTextExtentPoint32W(hdc, kEllipsis, kEllipsisLength, &dots);
    int fit = 0;
    SIZE fitted{};
    if (::GetTextExtentExPointW(hdc, text, count, std::max(width - static_cast<int>(dots.cx), 0), &fit, nullptr, &fitted)) {
        // A prefix too long for the buffer is cut so that "..." and the terminator still fit.
        fit = std::min(std::max(fit, 0), kMaxShortPrefix);
    } else {
        fit = 0;
    }
    std::wmemcpy(g_shortBuffer, text, static_cast<size_t>(fit));
    std::wmemcpy(g_shortBuffer + fit, kEllipsis, kEllipsisLength + 1);
    return g_shortBuffer;
}

void CalRect4Fit(const CRect& frame, CRect& rc, int mode)
{
    if (mode != 0) return;
    const long long dw = rc.Width(), dh = rc.Height();
    const long long fw = frame.Width(), fh = frame.Height();
    if (fw * dh > fh * dw) {
        if (dh == 0) return;
        const int w = static_cast<int>(fh * dw / dh);
        rc.top = frame.top;
        rc.bottom = frame.bottom;
        rc.left = (frame.left + frame.right) / 2 - w / 2;
        rc.right = rc.left + w;
    } else {
        if (dw == 0) return;
        const int h = static_cast<int>(fw * dh / dw);
        rc.left = frame.left;
        rc.right = frame.right;
        rc.top = (frame.top + frame.bottom) / 2 - h / 2;
        rc.bottom = rc.top + h;
    }
}

BOOL DrawImg(HDC hdc, int image, void* hImageList, const CRect& rc, int)
{
    if (image == -1) return FALSE;
    if (image >= 0 && image < kMaxImageIndex && hImageList != nullptr) {
        HIMAGELIST list = static_cast<HIMAGELIST>(hImageList);
        if (hdc != nullptr && image < ImageList_GetImageCount(list))
            ImageList_Draw(list, image, hdc, rc.left, rc.top, ILD_TRANSPARENT);
        return TRUE;
    }
    if (image >= 0 && image <= kMaxNonHandle) return FALSE;
    // GDI handles carry 32 significant bits and widen by sign extension.
    HBITMAP bmp = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(image));
    BITMAP bm{};
    if (::GetObjectW(bmp, sizeof(bm), &bm) != static_cast<int>(sizeof(bm))) return FALSE;
    if (hdc == nullptr) return TRUE;

    CRect fitted(0, 0, bm.bmWidth, bm.bmHeight);
    CalRect4Fit(rc, fitted, 0);
    HDC mem = ::CreateCompatibleDC(hdc);
    if (mem == nullptr) return TRUE;
    HGDIOBJ old = ::SelectObject(mem, bmp);
    ::StretchBlt(hdc, fitted.left, fitted.top, fitted.Width(), fitted.Height(), mem, 0, 0, bm.bmWidth, bm.bmHeight, SRCCOPY);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return TRUE;
}
