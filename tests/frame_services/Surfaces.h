// Drawing targets whose pixels a test can read back directly.
#pragma once
#include "Harness.h"

namespace fs {

// A 32-bit top-down DIB selected into a memory context, cleared to a known colour.
class Canvas {
public:
    Canvas(int width, int height, COLORREF clear);
    ~Canvas();
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    CDC* cdc() const { return CDC::FromHandle(dc_); }
    COLORREF At(int x, int y) const;
    // Pixels inside [x0,x1) x [y0,y1) that differ from the clear colour.
    int CountPainted(int x0, int y0, int x1, int y1) const;
    int CountPainted() const { return CountPainted(0, 0, width_, height_); }
    COLORREF clear() const { return clear_; }

private:
    int width_, height_;
    COLORREF clear_;
    HDC dc_ = nullptr;
    HBITMAP bmp_ = nullptr;
    HGDIOBJ old_ = nullptr;
    DWORD* bits_ = nullptr;
};

// The whole window, non-client area included, as it is on screen now.
class WindowCapture {
public:
    explicit WindowCapture(HWND hWnd);
    COLORREF At(int x, int y) const;
    int Width() const { return width_; }
    int Height() const { return height_; }
    bool operator==(const WindowCapture& o) const { return pixels_ == o.pixels_; }

private:
    int width_ = 0, height_ = 0;
    std::vector<DWORD> pixels_;
};

// Expects the one-pixel frame Draw3dRect makes: top and left in tl, right and bottom in br,
// the top-right and bottom-left corners in br.
void ExpectFrame(const Canvas& c, const RECT& r, COLORREF tl, COLORREF br);

}  // namespace fs
