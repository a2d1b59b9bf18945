// A control's kept off-screen copy, for its paints. Under Wine every BeginPaint hands out a
// fresh context, and selecting a font into a context realises it again (even the font it held
// before): for a control that draws text this was most of what its paint cost above a paint
// with one fill. The buffer's context lives as long as the control's window and keeps the
// control's font selected between paints, so a paint costs its drawing plus one copy of the
// painted rectangle to the screen. Each paint starts clipped to the painted rectangle, with the
// default colours and background mode of a fresh context.
#pragma once
#include "framework/Gdi.h"
#include "framework/Window.h"
#include <new>

namespace kestrel {

class PaintBuffer {
public:
    PaintBuffer() = default;
    ~PaintBuffer() { Release(); }
    PaintBuffer(const PaintBuffer&) = delete;
    PaintBuffer& operator=(const PaintBuffer&) = delete;

    // The context to draw rcPaint on, for a client of the given size, with font selected (none:
    // the system font); null when none can be made (then draw on the screen's context). The
    // font stays selected until the buffer is released: release it before deleting the font.
    HDC Begin(HDC screen, const RECT& client, const RECT& rcPaint, HFONT font);
    // Copies the painted rectangle to the screen.
    void End(HDC screen);
    // Frees the context and its bitmap (the window is gone).
    void Release();

private:
    HDC dc_ = nullptr;
    HBITMAP bitmap_ = nullptr;
    HGDIOBJ defaultBitmap_ = nullptr;
    HGDIOBJ defaultFont_ = nullptr;
    HFONT font_ = nullptr;
    SIZE size_ = {0, 0};
    RECT paint_ = {0, 0, 0, 0};
};

// A paint of the window through its buffer (made on first use): draw gets a context that shows
// as the window's client with font selected, and the painted rectangle. Without a buffer (none
// can be made) it draws on the paint context itself.
template <class Draw>
void PaintThroughBuffer(CWnd* pWnd, PaintBuffer*& buffer, HFONT font, Draw draw)
{
    CPaintDC paint(pWnd);
    const CRect rcPaint(paint.m_ps.rcPaint);
    CRect client;
    pWnd->GetClientRect(&client);
    if (buffer == nullptr) buffer = new (std::nothrow) PaintBuffer;
    HDC buffered = buffer ? buffer->Begin(paint.m_hDC, client, rcPaint, font) : nullptr;
    if (buffered == nullptr) {
        const HGDIOBJ oldFont = font ? paint.SelectObject(font) : nullptr;
        draw(&paint, rcPaint);
        if (oldFont) paint.SelectObject(oldFont);
        return;
    }
    CDC dc;
    dc.Attach(buffered);
    draw(&dc, rcPaint);
    dc.Detach();
    buffer->End(paint.m_hDC);
}

// The window is gone: its buffer goes with it.
inline void ReleasePaintBuffer(PaintBuffer*& buffer)
{
    delete buffer;
    buffer = nullptr;
}

}  // namespace kestrel
