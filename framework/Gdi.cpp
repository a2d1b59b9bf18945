#include "framework/Gdi.h"
#include "framework/Window.h"
#include "framework/Module.h"
#include "HandleMaps.h"

// ---- GDI objects ----

CGdiObject::~CGdiObject()
{
    DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ h)
{
    if (h == nullptr) return FALSE;
    m_hObject = h;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach()
{
    HGDIOBJ h = m_hObject;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject()
{
    if (m_hObject == nullptr) return FALSE;
    return ::DeleteObject(Detach());
}

int CGdiObject::GetObject(int count, LPVOID buffer) const
{
    return ::GetObjectW(m_hObject, count, buffer);
}

UINT CGdiObject::GetObjectType() const
{
    return static_cast<UINT>(::GetObjectType(m_hObject));
}

BOOL CGdiObject::CreateStockObject(int index)
{
    return Attach(::GetStockObject(index));
}

CGdiObject* CGdiObject::FromHandle(HGDIOBJ h)
{
    if (h == nullptr) return nullptr;
    auto& map = AfxHandleMaps::Get().temporaryObjects;
    auto it = map.find(h);
    if (it != map.end()) return it->second;
    // All wrappers share CGdiObject's layout, so one kind serves every typed FromHandle.
    auto* wrapper = new CGdiObject;
    wrapper->m_hObject = h;
    map.emplace(h, wrapper);
    return wrapper;
}

BOOL CBitmap::LoadBitmap(UINT idResource)
{
    return LoadBitmap(MAKEINTRESOURCEW(idResource));
}

BOOL CBitmap::LoadBitmap(LPCWSTR resourceName)
{
    HINSTANCE module = AfxFindResourceHandle(resourceName, MAKEINTRESOURCEW(2) /* RT_BITMAP */);
    return Attach(::LoadBitmapW(module, resourceName));
}

BOOL CBitmap::CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits)
{
    return Attach(::CreateBitmap(width, height, planes, bitsPerPixel, bits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int width, int height)
{
    return Attach(::CreateCompatibleBitmap(pDC->GetSafeHdc(), width, height));
}

CSize CBitmap::GetBitmapDimension() const
{
    SIZE s{};
    ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
    return CSize(s);
}

CBrush::CBrush(COLORREF clr)
{
    CreateSolidBrush(clr);
}

BOOL CBrush::CreateSolidBrush(COLORREF clr)
{
    return Attach(::CreateSolidBrush(clr));
}

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap)
{
    return Attach(::CreatePatternBrush(static_cast<HBITMAP>(pBitmap->GetSafeHandle())));
}

BOOL CBrush::CreateSysColorBrush(int index)
{
    return Attach(::GetSysColorBrush(index));
}

CPen::CPen(int style, int width, COLORREF clr)
{
    CreatePen(style, width, clr);
}

BOOL CPen::CreatePen(int style, int width, COLORREF clr)
{
    return Attach(::CreatePen(style, width, clr));
}

BOOL CFont::CreateFontIndirect(const LOGFONTW* lf)
{
    return Attach(::CreateFontIndirectW(lf));
}

BOOL CRgn::CreateRectRgn(int l, int t, int r, int b)
{
    return Attach(::CreateRectRgn(l, t, r, b));
}

BOOL CRgn::CreateRectRgnIndirect(LPCRECT rect)
{
    return Attach(::CreateRectRgnIndirect(rect));
}

BOOL CRgn::CreatePolygonRgn(const POINT* points, int count, int fillMode)
{
    return Attach(::CreatePolygonRgn(points, count, fillMode));
}

// ---- Device contexts ----

CDC::~CDC()
{
    if (m_hDC) ::DeleteDC(Detach());
}

BOOL CDC::Attach(HDC hdc)
{
    if (hdc == nullptr) return FALSE;
    m_hDC = m_hAttribDC = hdc;
    return TRUE;
}

HDC CDC::Detach()
{
    HDC h = m_hDC;
    m_hDC = m_hAttribDC = nullptr;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC)
{
    return Attach(::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr));
}

BOOL CDC::DeleteDC()
{
    if (m_hDC == nullptr) return FALSE;
    return ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC hdc)
{
    if (hdc == nullptr) return nullptr;
    auto& map = AfxHandleMaps::Get().temporaryDCs;
    auto it = map.find(hdc);
    if (it != map.end()) return it->second;
    auto* wrapper = new CDC;
    wrapper->Attach(hdc);
    map.emplace(hdc, wrapper);
    return wrapper;
}

CGdiObject* CDC::SelectObject(CGdiObject* pObject)
{
    if (pObject == nullptr) return nullptr;
    return CGdiObject::FromHandle(::SelectObject(m_hDC, pObject->m_hObject));
}

CGdiObject* CDC::SelectStockObject(int index)
{
    return CGdiObject::FromHandle(::SelectObject(m_hDC, ::GetStockObject(index)));
}

CFont* CDC::GetCurrentFont() const
{
    return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT)));
}

CPoint CDC::SetWindowOrg(int x, int y)
{
    POINT old{};
    ::SetWindowOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetWindowOrg() const
{
    POINT p{};
    ::GetWindowOrgEx(m_hAttribDC, &p);
    return CPoint(p);
}

CPoint CDC::SetViewportOrg(int x, int y)
{
    POINT old{};
    ::SetViewportOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::GetViewportOrg() const
{
    POINT p{};
    ::GetViewportOrgEx(m_hAttribDC, &p);
    return CPoint(p);
}

CPoint CDC::SetBrushOrg(int x, int y)
{
    POINT old{};
    ::SetBrushOrgEx(m_hDC, x, y, &old);
    return CPoint(old);
}

CPoint CDC::MoveTo(int x, int y)
{
    POINT old{};
    ::MoveToEx(m_hDC, x, y, &old);
    return CPoint(old);
}

void CDC::FillSolidRect(LPCRECT rect, COLORREF clr)
{
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutW(m_hDC, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr)
{
    RECT r{x, y, x + cx, y + cy};
    FillSolidRect(&r, clr);
}

void CDC::Draw3dRect(LPCRECT rect, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    Draw3dRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top, clrTopLeft, clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight)
{
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx, y, -1, cy, clrBottomRight);
    FillSolidRect(x, y + cy, cx, -1, clrBottomRight);
}

BOOL CDC::BitBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, DWORD rop)
{
    return ::BitBlt(m_hDC, x, y, w, h, pSrc ? pSrc->m_hDC : nullptr, xSrc, ySrc, rop);
}

BOOL CDC::StretchBlt(int x, int y, int w, int h, CDC* pSrc, int xSrc, int ySrc, int wSrc, int hSrc, DWORD rop)
{
    return ::StretchBlt(m_hDC, x, y, w, h, pSrc ? pSrc->m_hDC : nullptr, xSrc, ySrc, wSrc, hSrc, rop);
}

CSize CDC::GetTextExtent(LPCWSTR text, int count) const
{
    SIZE s{};
    ::GetTextExtentPoint32W(m_hAttribDC, text, count, &s);
    return CSize(s);
}

CPaintDC::CPaintDC(CWnd* pWnd) : m_hWnd(pWnd->m_hWnd)
{
    Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC()
{
    ::EndPaint(m_hWnd, &m_ps);
    Detach();
}

CClientDC::CClientDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetDC(m_hWnd));
}

CClientDC::~CClientDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : m_hWnd(pWnd ? pWnd->m_hWnd : nullptr)
{
    Attach(::GetWindowDC(m_hWnd));
}

CWindowDC::~CWindowDC()
{
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

// ---- Drag feedback ----

namespace {

// The region of a frame size thick inside rect (all of rect when the frame fills it).
HRGN CreateFrameRgn(const RECT& rect, SIZE size)
{
    RECT inner = rect;
    ::InflateRect(&inner, -size.cx, -size.cy);
    if (!::IntersectRect(&inner, &inner, &rect)) ::SetRectEmpty(&inner);
    HRGN frame = ::CreateRectRgnIndirect(&rect);
    HRGN hole = ::CreateRectRgnIndirect(&inner);
    ::CombineRgn(frame, frame, hole, RGN_XOR);
    ::DeleteObject(hole);
    return frame;
}

void InvertRgn(HDC dc, HRGN rgn, HBRUSH brush)
{
    ::SelectClipRgn(dc, rgn);
    RECT box{};
    ::GetClipBox(dc, &box);
    HGDIOBJ old = ::SelectObject(dc, brush);
    ::PatBlt(dc, box.left, box.top, box.right - box.left, box.bottom - box.top, PATINVERT);
    ::SelectObject(dc, old);
}

}  // namespace

CBrush* CDC::GetHalftoneBrush()
{
    static CBrush halftone;
    if (halftone.m_hObject == nullptr) {
        WORD pattern[8];
        for (int i = 0; i < 8; ++i) pattern[i] = static_cast<WORD>(0x5555 << (i & 1));
        HBITMAP bits = ::CreateBitmap(8, 8, 1, 1, pattern);
        if (bits != nullptr) {
            halftone.Attach(::CreatePatternBrush(bits));
            ::DeleteObject(bits);
        }
    }
    return &halftone;
}

void CDC::DrawDragRect(LPCRECT lpRect, SIZE size, LPCRECT lpRectLast, SIZE sizeLast, CBrush* pBrush,
                       CBrush* pBrushLast)
{
    if (lpRect == nullptr || m_hDC == nullptr) return;
    if (pBrush == nullptr) pBrush = GetHalftoneBrush();
    if (pBrushLast == nullptr) pBrushLast = pBrush;
    HRGN now = CreateFrameRgn(*lpRect, size);
    if (lpRectLast != nullptr) {
        HRGN last = CreateFrameRgn(*lpRectLast, sizeLast);
        if (pBrushLast->m_hObject == pBrush->m_hObject) {
            // One pass: what is in only one of the two frames flips.
            ::CombineRgn(now, now, last, RGN_XOR);
        } else {
            InvertRgn(m_hDC, last, static_cast<HBRUSH>(pBrushLast->m_hObject));
        }
        ::DeleteObject(last);
    }
    InvertRgn(m_hDC, now, static_cast<HBRUSH>(pBrush->m_hObject));
    ::SelectClipRgn(m_hDC, nullptr);
    ::DeleteObject(now);
}
