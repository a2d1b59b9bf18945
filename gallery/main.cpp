// The Kestrel gallery: one window that shows every control of the library, built the way an
// outside host is built (public headers and the import library only).
#include "Panels.h"
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kWindowWidth = 1580;
constexpr int kWindowHeight = 960;
constexpr int kColumns = 3;
constexpr int kGap = 8;

// Where each panel goes: its column, and its height (0: an equal share of what the column's
// fixed heights leave). Panels stack top-down in the order listed.
struct PanelSlot {
    CWnd* (*create)(CWnd* parent, const CRect& area);
    int column;
    int height;
};
const PanelSlot kPanels[] = {
    {CreateProgressPanel, 0, 122},
    {CreateTextEntryPanel, 0, 270},
    {CreateNumericPanel, 0, 0},
    {CreatePrimitivesPanel, 1, 520},
    {CreateScrollPanel, 1, 380},
    {CreateMenuPanel, 2, 200},
    {CreateHeaderPanel, 2, 220},
    {CreateLabelPanel, 2, 0},
};
constexpr int kPanelCount = static_cast<int>(sizeof(kPanels) / sizeof(kPanels[0]));
// Ids the layout gives the panels and the placeholders of the horizontal splitters.
constexpr UINT kFirstPanelId = 1000;
constexpr UINT kFirstRowBarId = 1100;
constexpr UINT kFirstColumnBarId = 1200;
// What a splitter leaves to a column or a panel.
constexpr int kMinColumnWidth = 160;
constexpr int kMinPanelHeight = 60;
constexpr UINT_PTR kScreenshotTimer = 1;
constexpr UINT kScreenshotDelayMs = 1500;

std::wstring g_screenshotPath;
std::wstring g_menuScreenshotPath;  // the whole screen with the demo menu open
std::wstring g_rectsPath;  // where each kind of control sits, for cropped pictures

bool SaveWindowBitmap(HWND hWnd, const std::wstring& path)
{
    RECT rc{};
    ::GetWindowRect(hWnd, &rc);
    int w = rc.right - rc.left, h = rc.bottom - rc.top;
    HDC windowDC = ::GetWindowDC(hWnd);
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = h;  // bottom-up, as a .bmp file stores it
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP dib = ::CreateDIBSection(windowDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC mem = ::CreateCompatibleDC(windowDC);
    HGDIOBJ old = ::SelectObject(mem, dib);
    ::BitBlt(mem, 0, 0, w, h, windowDC, 0, 0, SRCCOPY);
    ::GdiFlush();
    DWORD stride = ((static_cast<DWORD>(w) * 3 + 3) & ~3u);
    DWORD imageSize = stride * static_cast<DWORD>(h);
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

// The gallery's window classes: plain, on the theme's background, with double clicks.
bool RegisterDarkClass(LPCWSTR name)
{
    WNDCLASSW wc{};
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = getdefaultHBrush();
    wc.lpszClassName = name;
    return AfxRegisterClass(&wc) != FALSE;
}

class GalleryWindow : public CWnd {
public:
    bool Open()
    {
        const wchar_t* className = L"KestrelGallery";
        if (!RegisterDarkClass(className)) return false;
        if (!CreateEx(0, className, L"Kestrel gallery", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                      CW_USEDEFAULT, kWindowWidth, kWindowHeight, nullptr, nullptr))
            return false;
        LayOutPanels();
        ShowWindow(SW_SHOW);
        UpdateWindow();
        if (!g_screenshotPath.empty()) SetTimer(kScreenshotTimer, kScreenshotDelayMs);
        return true;
    }

protected:
    // Panels stack in their column with a gap between them. A horizontal splitter in each gap
    // between two panels of a column moves the edge they share; a vertical splitter in each gap
    // between two columns moves the facing edges of every panel and horizontal splitter on its
    // two sides.
    void LayOutPanels()
    {
        CRect client;
        GetClientRect(&client);
        const int columnWidth = (client.Width() - kGap) / kColumns;
        std::vector<CWnd*> columnWindows[kColumns];
        for (int column = 0; column < kColumns; ++column) {
            int fixed = 0, shared = 0, count = 0;
            for (const PanelSlot& slot : kPanels) {
                if (slot.column != column) continue;
                ++count;
                if (slot.height > 0) fixed += slot.height;
                else ++shared;
            }
            const int rest = client.Height() - kGap - fixed - count * kGap;
            const int share = shared > 0 ? rest / shared : 0;
            const int left = kGap + column * columnWidth;
            const int right = left + columnWidth - kGap;
            int y = kGap;
            UINT above = 0;
            for (int i = 0; i < kPanelCount; ++i) {
                const PanelSlot& slot = kPanels[i];
                if (slot.column != column) continue;
                const int height = slot.height > 0 ? slot.height : share;
                CWnd* panel = slot.create(this, CRect(left, y, right, y + height));
                if (panel == nullptr) continue;
                const UINT id = kFirstPanelId + static_cast<UINT>(i);
                panel->SetDlgCtrlID(static_cast<int>(id));
                columnWindows[column].push_back(panel);
                if (above != 0) columnWindows[column].push_back(AddRowBar(CRect(left, y - kGap, right, y), above, id));
                above = id;
                y += height + kGap;
            }
        }
        for (int column = 0; column + 1 < kColumns; ++column) {
            const int left = kGap + (column + 1) * columnWidth - kGap;
            CxSpltWnd& bar = m_columnBars[column];
            bar.Create(0, CRect(left, 0, left + kGap, client.bottom), this, kFirstColumnBarId + static_cast<UINT>(column));
            bar.SetMinWidth(kMinColumnWidth, kMinColumnWidth);
            for (CWnd* pane : columnWindows[column]) bar.AttachAsLeftPane(pane);
            for (CWnd* pane : columnWindows[column + 1]) bar.AttachAsRightPane(pane);
        }
    }

    // A horizontal splitter over a placeholder in the gap between two panels of a column.
    CWnd* AddRowBar(const CRect& gap, UINT above, UINT below)
    {
        const UINT id = kFirstRowBarId + static_cast<UINT>(m_rowBars.size());
        ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, gap.left, gap.top, gap.Width(), gap.Height(),
                          m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
        m_rowBars.push_back(std::make_unique<CySpltWnd>());
        CySpltWnd& bar = *m_rowBars.back();
        bar.BindWithControl(this, id);
        bar.SetMinHeight(kMinPanelHeight, kMinPanelHeight);
        bar.AttachAsAbovePane(above);
        bar.AttachAsBelowPane(below);
        return &bar;
    }

    void OnTimer(UINT_PTR id)
    {
        if (id != kScreenshotTimer) return;
        KillTimer(id);
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
        int rc = SaveWindowBitmap(m_hWnd, g_screenshotPath) ? 0 : 1;
        if (rc == 0 && !g_rectsPath.empty()) rc = WriteControlRects(m_hWnd, g_rectsPath) ? 0 : 1;
        if (rc == 0 && !g_menuScreenshotPath.empty())
            rc = ShowMenuForScreenshot([] {
                return SaveWindowBitmap(::GetDesktopWindow(), g_menuScreenshotPath) &&
                       (g_rectsPath.empty() || WriteMenuRect(g_rectsPath));
            }) ? 0 : 1;
        DestroyWindow();
        ::PostQuitMessage(rc);
    }
    void OnDestroy()
    {
        CWnd::OnDestroy();
        if (g_screenshotPath.empty()) ::PostQuitMessage(0);
    }
    DECLARE_MESSAGE_MAP()

private:
    CxSpltWnd m_columnBars[kColumns - 1];
    std::vector<std::unique_ptr<CySpltWnd>> m_rowBars;
};

BEGIN_MESSAGE_MAP(GalleryWindow, CWnd)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

LPCWSTR GalleryPanelClass()
{
    static const wchar_t kName[] = L"KestrelGalleryPanel";
    RegisterDarkClass(kName);
    return kName;
}

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &argc);
    for (int i = 1; i + 1 < argc; ++i)
        if (std::wstring(argv[i]) == L"--screenshot") g_screenshotPath = argv[i + 1];
        else if (std::wstring(argv[i]) == L"--menu-screenshot") g_menuScreenshotPath = argv[i + 1];
        else if (std::wstring(argv[i]) == L"--rects") g_rectsPath = argv[i + 1];
    ::LocalFree(argv);

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);

    // Start-up in the library's order; tear-down the other way round.
    InitCommonFunc();
    InitResourcelib();
    InitMenu();
    InitToolTip();
    int exitCode = 1;
    {
        GalleryWindow window;
        if (window.Open()) {
            MSG msg;
            while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                if (!AfxPreTranslateMessage(&msg)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
            }
            exitCode = static_cast<int>(msg.wParam);
        }
    }
    ExitToolTip();
    ExitMenu();
    ExitResourcelib();
    ExitCommonFunc();
    return exitCode;
}
