#include "Surfaces.h"

namespace fs {
namespace {

DWORD* MakeDib(HDC ref, int w, int h, HBITMAP& bmp)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    bmp = ::CreateDIBSection(ref, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    return static_cast<DWORD*>(bits);
}

COLORREF FromDib(DWORD p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

Canvas::Canvas(int width, int height, COLORREF clear) : width_(width), height_(height), clear_(clear)
{
    dc_ = ::CreateCompatibleDC(nullptr);
    bits_ = MakeDib(dc_, width, height, bmp_);
    old_ = ::SelectObject(dc_, bmp_);
    RECT all{0, 0, width, height};
    ::SetBkColor(dc_, clear);
    ::ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &all, nullptr, 0, nullptr);
}

Canvas::~Canvas()
{
    ::SelectObject(dc_, old_);
    ::DeleteObject(bmp_);
    ::DeleteDC(dc_);
}

COLORREF Canvas::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    ::GdiFlush();
    return FromDib(bits_[static_cast<size_t>(y) * width_ + x]);
}

int Canvas::CountPainted(int x0, int y0, int x1, int y1) const
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (At(x, y) != clear_) ++n;
    return n;
}

WindowCapture::WindowCapture(HWND hWnd)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    width_ = rc.right - rc.left;
    height_ = rc.bottom - rc.top;
    if (width_ <= 0 || height_ <= 0) return;
    HDC win = ::GetWindowDC(hWnd);
    HBITMAP dib = nullptr;
    DWORD* bits = MakeDib(win, width_, height_, dib);
    HDC mem = ::CreateCompatibleDC(win);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, width_, height_, win, 0, 0, SRCCOPY);
    ::GdiFlush();
    pixels_.assign(bits, bits + static_cast<size_t>(width_) * height_);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(dib);
    ::ReleaseDC(hWnd, win);
}

COLORREF WindowCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return FromDib(pixels_[static_cast<size_t>(y) * width_ + x]);
}

void ExpectFrame(const Canvas& c, const RECT& r, COLORREF tl, COLORREF br)
{
    for (int x = r.left; x < r.right - 1; ++x) EXPECT_EQ(tl, c.At(x, r.top)) << "top row x=" << x;
    for (int y = r.top; y < r.bottom - 1; ++y) EXPECT_EQ(tl, c.At(r.left, y)) << "left column y=" << y;
    for (int y = r.top; y < r.bottom; ++y) EXPECT_EQ(br, c.At(r.right - 1, y)) << "right column y=" << y;
    for (int x = r.left; x < r.right; ++x) EXPECT_EQ(br, c.At(x, r.bottom - 1)) << "bottom row x=" << x;
    // Nothing inside the frame and nothing around it.
    EXPECT_EQ(0, c.CountPainted(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1));
    const int ring = 2 * (r.right - r.left) + 2 * (r.bottom - r.top) - 4;
    EXPECT_EQ(ring, c.CountPainted());
}

}  // namespace fs
