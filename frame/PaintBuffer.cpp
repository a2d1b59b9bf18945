#include "frame/PaintBuffer.h"

namespace kestrel {

HDC PaintBuffer::Begin(HDC screen, const RECT& client, const RECT& rcPaint, HFONT font)
{
    const LONG width = client.right - client.left, height = client.bottom - client.top;
    if (screen == nullptr || width <= 0 || height <= 0) return nullptr;
    if (dc_ == nullptr || size_.cx != width || size_.cy != height) {
        Release();
        dc_ = ::CreateCompatibleDC(screen);
        bitmap_ = dc_ ? ::CreateCompatibleBitmap(screen, width, height) : nullptr;
        if (bitmap_ == nullptr) {
            Release();
            return nullptr;
        }
        defaultBitmap_ = ::SelectObject(dc_, bitmap_);
        defaultFont_ = ::GetCurrentObject(dc_, OBJ_FONT);
        font_ = nullptr;
        size_ = {width, height};
    }
    if (font != font_) {
        ::SelectObject(dc_, font ? static_cast<HGDIOBJ>(font) : defaultFont_);
        font_ = font;
    }
    // What a fresh paint context starts with; a save and restore would select the font again.
    ::SetTextColor(dc_, RGB(0, 0, 0));
    ::SetBkColor(dc_, RGB(255, 255, 255));
    ::SetBkMode(dc_, OPAQUE);
    ::SelectClipRgn(dc_, nullptr);
    ::IntersectClipRect(dc_, rcPaint.left, rcPaint.top, rcPaint.right, rcPaint.bottom);
    paint_ = rcPaint;
    return dc_;
}

void PaintBuffer::End(HDC screen)
{
    if (dc_ == nullptr) return;
    ::BitBlt(screen, paint_.left, paint_.top, paint_.right - paint_.left, paint_.bottom - paint_.top, dc_, paint_.left,
             paint_.top, SRCCOPY);
}

void PaintBuffer::Release()
{
    if (dc_ != nullptr) {
        if (defaultBitmap_ != nullptr) ::SelectObject(dc_, defaultBitmap_);
        if (defaultFont_ != nullptr) ::SelectObject(dc_, defaultFont_);
        ::DeleteDC(dc_);
    }
    if (bitmap_ != nullptr) ::DeleteObject(bitmap_);
    dc_ = nullptr;
    bitmap_ = nullptr;
    defaultBitmap_ = nullptr;
    defaultFont_ = nullptr;
    font_ = nullptr;
    size_ = {0, 0};
}

}  // namespace kestrel
