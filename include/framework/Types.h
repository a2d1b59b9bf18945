// Value types: CPoint, CSize, CRect. Header-only, layout-compatible with POINT, SIZE, RECT.
#pragma once
#include "../KestrelDefs.h"

class CSize : public tagSIZE {
public:
    CSize() noexcept { cx = cy = 0; }
    CSize(int x, int y) noexcept { cx = x; cy = y; }
    CSize(SIZE s) noexcept { cx = s.cx; cy = s.cy; }
    bool operator==(SIZE s) const noexcept { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const noexcept { return !(*this == s); }
    CSize operator+(SIZE s) const noexcept { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const noexcept { return CSize(cx - s.cx, cy - s.cy); }
};

class CPoint : public tagPOINT {
public:
    CPoint() noexcept { x = y = 0; }
    CPoint(int ix, int iy) noexcept { x = ix; y = iy; }
    CPoint(POINT p) noexcept { x = p.x; y = p.y; }
    CPoint(SIZE s) noexcept { x = s.cx; y = s.cy; }
    // Unpacks a mouse-message lParam (signed coordinates).
    explicit CPoint(LPARAM lp) noexcept { x = (short)LOWORD(lp); y = (short)HIWORD(lp); }
    void Offset(int dx, int dy) noexcept { x += dx; y += dy; }
    void Offset(POINT p) noexcept { x += p.x; y += p.y; }
    void SetPoint(int ix, int iy) noexcept { x = ix; y = iy; }
    bool operator==(POINT p) const noexcept { return x == p.x && y == p.y; }
    bool operator!=(POINT p) const noexcept { return !(*this == p); }
    void operator+=(POINT p) noexcept { x += p.x; y += p.y; }
    void operator-=(POINT p) noexcept { x -= p.x; y -= p.y; }
    CPoint operator+(POINT p) const noexcept { return CPoint(x + p.x, y + p.y); }
    CPoint operator-(POINT p) const noexcept { return CPoint(x - p.x, y - p.y); }
    CPoint operator-() const noexcept { return CPoint(-x, -y); }
};

class CRect : public tagRECT {
public:
    CRect() noexcept { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    CRect(const RECT& r) noexcept { left = r.left; top = r.top; right = r.right; bottom = r.bottom; }
    CRect(const RECT* r) noexcept { left = r->left; top = r->top; right = r->right; bottom = r->bottom; }
    CRect(POINT pt, SIZE sz) noexcept { left = pt.x; top = pt.y; right = pt.x + sz.cx; bottom = pt.y + sz.cy; }
    CRect(POINT tl, POINT br) noexcept { left = tl.x; top = tl.y; right = br.x; bottom = br.y; }

    int Width() const noexcept { return right - left; }
    int Height() const noexcept { return bottom - top; }
    CSize Size() const noexcept { return CSize(Width(), Height()); }
    CPoint& TopLeft() noexcept { return *reinterpret_cast<CPoint*>(&left); }
    CPoint& BottomRight() noexcept { return *reinterpret_cast<CPoint*>(&right); }
    const CPoint& TopLeft() const noexcept { return *reinterpret_cast<const CPoint*>(&left); }
    const CPoint& BottomRight() const noexcept { return *reinterpret_cast<const CPoint*>(&right); }
    CPoint CenterPoint() const noexcept { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() noexcept { return this; }
    operator LPCRECT() const noexcept { return this; }

    BOOL IsRectEmpty() const noexcept { return ::IsRectEmpty(this); }
    BOOL IsRectNull() const noexcept { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    BOOL PtInRect(POINT p) const noexcept { return ::PtInRect(this, p); }
    void SetRect(int l, int t, int r, int b) noexcept { left = l; top = t; right = r; bottom = b; }
    void SetRectEmpty() noexcept { left = top = right = bottom = 0; }
    void CopyRect(LPCRECT r) noexcept { *static_cast<RECT*>(this) = *r; }
    BOOL EqualRect(LPCRECT r) const noexcept { return ::EqualRect(this, r); }

    void InflateRect(int x, int y) noexcept { left -= x; top -= y; right += x; bottom += y; }
    void InflateRect(SIZE s) noexcept { InflateRect(s.cx, s.cy); }
    void InflateRect(LPCRECT r) noexcept { left -= r->left; top -= r->top; right += r->right; bottom += r->bottom; }
    void InflateRect(int l, int t, int r, int b) noexcept { left -= l; top -= t; right += r; bottom += b; }
    void DeflateRect(int x, int y) noexcept { InflateRect(-x, -y); }
    void DeflateRect(SIZE s) noexcept { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(LPCRECT r) noexcept { left += r->left; top += r->top; right -= r->right; bottom -= r->bottom; }
    void DeflateRect(int l, int t, int r, int b) noexcept { left += l; top += t; right -= r; bottom -= b; }
    void OffsetRect(int x, int y) noexcept { left += x; right += x; top += y; bottom += y; }
    void OffsetRect(POINT p) noexcept { OffsetRect(p.x, p.y); }
    void OffsetRect(SIZE s) noexcept { OffsetRect(s.cx, s.cy); }
    void MoveToX(int x) noexcept { right = x + Width(); left = x; }
    void MoveToY(int y) noexcept { bottom = y + Height(); top = y; }
    void MoveToXY(int x, int y) noexcept { MoveToX(x); MoveToY(y); }
    void MoveToXY(POINT p) noexcept { MoveToXY(p.x, p.y); }
    void NormalizeRect() noexcept {
        if (left > right) { int t = left; left = right; right = t; }
        if (top > bottom) { int t = top; top = bottom; bottom = t; }
    }
    BOOL IntersectRect(LPCRECT a, LPCRECT b) noexcept { return ::IntersectRect(this, a, b); }
    BOOL UnionRect(LPCRECT a, LPCRECT b) noexcept { return ::UnionRect(this, a, b); }
    BOOL SubtractRect(LPCRECT a, LPCRECT b) noexcept { return ::SubtractRect(this, a, b); }

    CRect& operator=(const RECT& r) noexcept { CopyRect(&r); return *this; }
    bool operator==(const RECT& r) const noexcept { return ::EqualRect(this, &r) != FALSE; }
    bool operator!=(const RECT& r) const noexcept { return !(*this == r); }
    void operator+=(POINT p) noexcept { OffsetRect(p); }
    void operator-=(POINT p) noexcept { OffsetRect(-p.x, -p.y); }
    void operator&=(const RECT& r) noexcept { ::IntersectRect(this, this, &r); }
    void operator|=(const RECT& r) noexcept { ::UnionRect(this, this, &r); }
    CRect operator+(POINT p) const noexcept { CRect r(*this); r.OffsetRect(p); return r; }
    CRect operator-(POINT p) const noexcept { CRect r(*this); r.OffsetRect(-p.x, -p.y); return r; }
    CRect operator&(const RECT& o) const noexcept { CRect r; ::IntersectRect(&r, this, &o); return r; }
    CRect operator|(const RECT& o) const noexcept { CRect r; ::UnionRect(&r, this, &o); return r; }
};
