// Primitives that work on a window: its non-client border and its place on the screen.
#include "Harness.h"
#include <KestrelDraw.h>

namespace {

struct Probe { int x, y; COLORREF expected; };

class WindowDrawTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitCommonFunc();
        host = new kx::HostWindow;
        host->Open(400, 300);
    }
    static void TearDownTestSuite()
    {
        delete host;
        host = nullptr;
        ExitCommonFunc();
    }
    void TearDown() override
    {
        if (child) ::DestroyWindow(child);
    }

    // A child of the host with the given border styles, 80 x 50 in all.
    CWnd* MakeChild(DWORD style, DWORD exStyle)
    {
        child = ::CreateWindowExW(exStyle, L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, 20, 20, 80, 50,
                                  host->m_hWnd, nullptr, nullptr, nullptr);
        kx::PumpMessages();
        return CWnd::FromHandle(child);
    }
    void ExpectPixels(std::initializer_list<Probe> probes) const
    {
        kx::ClientCapture cap(child, kx::ClientCapture::WholeWindow);
        ASSERT_EQ(80, cap.Width());
        for (const Probe& p : probes) EXPECT_EQ(p.expected, cap.At(p.x, p.y)) << p.x << "," << p.y;
    }

    static kx::HostWindow* host;
    HWND child = nullptr;
};

kx::HostWindow* WindowDrawTest::host = nullptr;

TEST_F(WindowDrawTest, ThinBorderGetsOnlyTheOuterRing)
{
    const COLORREF a = RGB(200, 30, 30), b = RGB(30, 200, 30), border = getdefaultColor(DEFCLR_BORDER);
    CWnd* w = MakeChild(WS_BORDER, 0);
    // Raised: the whole outer ring in clrB, and no inner ring in a one-pixel border.
    OnNcPaintBorder(w, 1, a, b);
    ExpectPixels({{0, 0, b}, {79, 0, b}, {0, 49, b}, {79, 49, b}, {40, 0, b}, {0, 25, b}, {79, 25, b}, {40, 49, b}});
    EXPECT_NE(a, kx::ClientCapture(child, kx::ClientCapture::WholeWindow).At(1, 1));

    // Other styles: top and left in clrB (the theme's border for -1), right and bottom in clrA,
    // which also takes the top-right and bottom-left corners.
    OnNcPaintBorder(w, 0, a, KESTREL_DEFAULT_COLOR);
    ExpectPixels({{0, 0, border}, {40, 0, border}, {0, 25, border}, {79, 0, a}, {79, 25, a}, {0, 49, a}, {40, 49, a}});
}

TEST_F(WindowDrawTest, ThickBorderGetsAnInnerRingWhenRaised)
{
    const COLORREF border = getdefaultColor(DEFCLR_BORDER), innerLight = RGB(82, 84, 89);
    CWnd* w = MakeChild(0, WS_EX_CLIENTEDGE);
    CRect client;
    w->GetClientRect(&client);
    ASSERT_LT(client.bottom, 49);  // at least two pixels of border

    OnNcPaintBorder(w, 1, KESTREL_DEFAULT_COLOR, KESTREL_DEFAULT_COLOR);
    ExpectPixels({{0, 0, border}, {79, 49, border}, {1, 1, innerLight}, {40, 1, innerLight}, {1, 25, innerLight},
                  {78, 1, border}, {78, 25, border}, {40, 48, border}, {1, 48, border}});

    const COLORREF a = RGB(1, 100, 200), b = RGB(200, 100, 1);
    OnNcPaintBorder(w, 1, a, b);
    ExpectPixels({{0, 25, b}, {79, 25, b}, {1, 25, a}, {40, 1, a}, {78, 25, b}, {40, 48, b}});
}

TEST_F(WindowDrawTest, WindowWithoutBorderIsLeftAlone)
{
    CWnd* w = MakeChild(0, 0);
    const kx::ClientCapture before(child, kx::ClientCapture::WholeWindow);
    OnNcPaintBorder(w, 1, RGB(255, 0, 0), RGB(0, 255, 0));
    OnNcPaintBorder(w, 0, RGB(255, 0, 0), RGB(0, 255, 0));
    EXPECT_TRUE(before == kx::ClientCapture(child, kx::ClientCapture::WholeWindow));
}

TEST_F(WindowDrawTest, PopupIsCentredOnTheScreenAndKeptOnIt)
{
    const int sw = ::GetSystemMetrics(SM_CXSCREEN), sh = ::GetSystemMetrics(SM_CYSCREEN);
    CWnd popup;
    ASSERT_TRUE(popup.CreateEx(0, AfxDefaultWndClass(), L"", WS_POPUP, 5, 5, 201, 100, nullptr, nullptr));
    PopWin2Center(&popup, 12345);
    CRect r;
    popup.GetWindowRect(&r);
    EXPECT_EQ(CRect(sw / 2 - 100, sh / 2 - 50, sw / 2 - 100 + 201, sh / 2 - 50 + 100), r);

    // Wider than the screen: pinned to the left edge, still centred vertically.
    popup.MoveWindow(0, 0, sw + 40, 60, FALSE);
    PopWin2Center(&popup, 0);
    popup.GetWindowRect(&r);
    EXPECT_EQ(CRect(0, sh / 2 - 30, sw + 40, sh / 2 + 30), r);
    popup.DestroyWindow();
}

}  // namespace
