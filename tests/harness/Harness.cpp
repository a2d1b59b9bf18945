#include "Harness.h"

namespace kx {

HostWindow::~HostWindow()
{
    Close();
}

bool HostWindow::Open(int width, int height, LPCWSTR title)
{
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KestrelTestHost";
    if (!AfxRegisterClass(&wc)) return false;
    if (!CreateEx(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 40, 40, width, height, nullptr, nullptr))
        return false;
    ShowWindow(SW_SHOW);
    UpdateWindow();
    SetForegroundWindow();
    ::SetActiveWindow(m_hWnd);
    ::SetFocus(m_hWnd);
    PumpMessages();
    return true;
}

void HostWindow::Close()
{
    if (m_hWnd) DestroyWindow();
    PumpMessages();
}

std::vector<UINT> HostWindow::CommandCodes() const
{
    std::vector<UINT> codes;
    for (const auto& m : log)
        if (m.message == WM_COMMAND) codes.push_back(HIWORD(m.wParam));
    return codes;
}

std::vector<UINT> HostWindow::NotifyCodes() const
{
    std::vector<UINT> codes;
    for (const auto& m : log)
        if (m.message == WM_NOTIFY) codes.push_back(m.hdr.code);
    return codes;
}

LRESULT HostWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_NOTIFY: {
        LoggedMessage m;
        m.message = message;
        m.wParam = wParam;
        m.lParam = lParam;
        if (message == WM_NOTIFY && lParam != 0) {
            m.hdr = *reinterpret_cast<const NMHDR*>(lParam);
            const BYTE* p = reinterpret_cast<const BYTE*>(lParam);
            m.record.assign(p, p + recordBytes);
        }
        log.push_back(std::move(m));
        if ((message == WM_HSCROLL || message == WM_VSCROLL) && onScroll) onScroll(message, wParam, lParam);
        if (onLogged) {
            const LoggedMessage last = log.back();  // the handler may log more
            onLogged(last);
        }
        break;
    }
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) break;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs)
{
    DWORD start = ::GetTickCount();
    while (!condition()) {
        if (::GetTickCount() - start > timeoutMs) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        PumpMessages();
    }
    return true;
}

MSG Msg(UINT message, WPARAM wParam, LPARAM lParam)
{
    MSG m{};
    m.message = message;
    m.wParam = wParam;
    m.lParam = lParam;
    return m;
}

LPARAM PointParam(int x, int y)
{
    return MAKELPARAM(static_cast<WORD>(static_cast<short>(x)), static_cast<WORD>(static_cast<short>(y)));
}

void PostScript(HWND hWnd, std::initializer_list<MSG> messages)
{
    for (const MSG& m : messages) ::PostMessageW(m.hwnd ? m.hwnd : hWnd, m.message, m.wParam, m.lParam);
}

namespace {

// A top-down 32-bit DIB section; its pixels are at bits.
HBITMAP MakeDib(HDC ref, int width, int height, const DWORD*& bits)
{
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = width;
    bi.bmiHeader.biHeight = -height;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* raw = nullptr;
    HBITMAP dib = ::CreateDIBSection(ref, &bi, DIB_RGB_COLORS, &raw, nullptr, 0);
    bits = static_cast<const DWORD*>(raw);
    return dib;
}

COLORREF FromDib(DWORD p)
{
    return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
}

}  // namespace

ClientCapture::ClientCapture(HWND hWnd, Area area)
{
    ::UpdateWindow(hWnd);
    RECT rc{};
    if (area == WholeWindow) {
        ::GetWindowRect(hWnd, &rc);
        ::OffsetRect(&rc, -rc.left, -rc.top);
    } else {
        ::GetClientRect(hWnd, &rc);
    }
    width_ = rc.right;
    height_ = rc.bottom;
    if (width_ <= 0 || height_ <= 0) return;

    HDC screen = area == WholeWindow ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    const DWORD* bits = nullptr;
    HBITMAP dib = MakeDib(screen, width_, height_, bits);
    HDC mem = ::CreateCompatibleDC(screen);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
    ::GdiFlush();
    pixels_.assign(bits, bits + static_cast<size_t>(width_) * height_);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(dib);
    ::ReleaseDC(hWnd, screen);
}

COLORREF ClientCapture::At(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return CLR_INVALID;
    return FromDib(pixels_[static_cast<size_t>(y) * width_ + x]);
}

int ClientCapture::CountInRow(int y, int x0, int x1, COLORREF clr) const
{
    int n = 0;
    for (int x = x0; x < x1; ++x)
        if (At(x, y) == clr) ++n;
    return n;
}

COLORREF BitmapPixel(HBITMAP bmp, int x, int y)
{
    HDC mem = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(mem, bmp);
    COLORREF c = ::GetPixel(mem, x, y);
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    return c;
}

Canvas::Canvas(int width, int height, COLORREF clear) : width_(width), height_(height), clear_(clear)
{
    dc_ = ::CreateCompatibleDC(nullptr);
    bmp_ = MakeDib(dc_, width, height, bits_);
    old_ = ::SelectObject(dc_, bmp_);
    const RECT all{0, 0, width, height};
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

void LibraryEnvironment::SetUp()
{
    InitCommonFunc();
    InitResourcelib();
}

void LibraryEnvironment::TearDown()
{
    ExitResourcelib();
    ExitCommonFunc();
}

}  // namespace kx
