// What every example shares: the library's start-up and tear-down in order, the message loop
// with pre-translation, and the --screenshot FILE mode that shows the window, saves it as a
// .bmp and exits 0. Header-only so that each example stays a single small project.
#pragma once
#include <Kestrel.h>
#include <string>

namespace example {

// The path after --screenshot, or empty.
inline std::wstring ScreenshotPath()
{
    std::wstring path;
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--screenshot") path = argv[i + 1];
    ::LocalFree(argv);
    return path;
}

// Writes the window, frame included, as a 24-bit bottom-up .bmp.
inline bool SaveWindowBitmap(HWND hWnd, const std::wstring& path)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC windowDC = ::GetWindowDC(hWnd);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(windowDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = ::CreateCompatibleDC(windowDC);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, w, h, windowDC, 0, 0, SRCCOPY);
    ::GdiFlush();
    const DWORD imageSize = ((static_cast<DWORD>(w) * 3 + 3) & ~3u) * static_cast<DWORD>(h);
    BITMAPFILEHEADER fh{};
    fh.bfType = 0x4D42;
    fh.bfOffBits = sizeof(fh) + sizeof(bi.bmiHeader);
    fh.bfSize = fh.bfOffBits + imageSize;
    bool ok = false;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ok = ::WriteFile(file, &fh, sizeof(fh), &written, nullptr) &&
             ::WriteFile(file, &bi.bmiHeader, sizeof(bi.bmiHeader), &written, nullptr) &&
             ::WriteFile(file, bits, imageSize, &written, nullptr);
        ::CloseHandle(file);
    }
    ::SelectObject(mem, old);
    ::DeleteDC(mem);
    ::DeleteObject(dib);
    ::ReleaseDC(hWnd, windowDC);
    return ok;
}

// A top-level window class on the theme's background.
inline LPCWSTR DarkWindowClass()
{
    static const wchar_t kName[] = L"KestrelExampleWindow";
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = getdefaultHBrush();
    wc.lpszClassName = kName;
    AfxRegisterClass(&wc);
    return kName;
}

// Starts the library, runs open(screenshotPath) to make the main window, pumps messages until
// WM_QUIT and tears the library down. open returns false when the window could not be made.
template <class Open> int Run(Open open)
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    InitCommonFunc();
    InitResourcelib();
    InitMenu();
    InitToolTip();
    int exitCode = 1;
    if (open(ScreenshotPath())) {
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (AfxPreTranslateMessage(&msg)) continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        exitCode = static_cast<int>(msg.wParam);
    }
    ExitToolTip();
    ExitMenu();
    ExitResourcelib();
    ExitCommonFunc();
    return exitCode;
}

// In screenshot mode: saves the window and ends the program with 0 (1 if the file failed).
inline void FinishScreenshot(CWnd* window, const std::wstring& path)
{
    ::RedrawWindow(window->m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    const int rc = SaveWindowBitmap(window->m_hWnd, path) ? 0 : 1;
    window->DestroyWindow();
    ::PostQuitMessage(rc);
}

}  // namespace example
