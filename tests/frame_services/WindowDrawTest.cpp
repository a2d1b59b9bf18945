// Primitives that work on a window: its non-client border and its place on the screen.
#include "Surfaces.h"
#include <KestrelDraw.h>

namespace {

class WindowDrawTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        InitCommonFunc();
        host = new kx::HostWindow;
        host->Open(400, 300);
        // Away from the top left, where other test programs of the session open theirs.
        host->MoveWindow(::GetSystemMetrics(SM_CXSCREEN) - 420, 40, 400, 300);
        kx::PumpMessages();
    }
    static void TearDownTestSuite()
    {
        delete host;
        host = nullptr;
        ExitCommonFunc();
    }

    void SetUp() override { ASSERT_NE(nullptr, host->m_hWnd); }
    void TearDown() override
    {
        if (child) ::DestroyWindow(child);
    }

    // A child of the host with the given border styles, 80 x 50 in all.
    HWND MakeChild(DWORD style, DWORD exStyle)
    {
        child = ::CreateWindowExW(exStyle, L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, 20, 20, 80, 50,
                                  host->m_hWnd, nullptr, nullptr, nullptr);
        kx::PumpMessages();
        return child;
    }

    static kx::HostWindow* host;
    HWND child = nullptr;
};

kx::HostWindow* WindowDrawTest::host = nullptr;

TEST_F(WindowDrawTest, ThinBorderGetsOnlyTheOuterRingEvenWhenRaised)
{
    const COLORREF a = RGB(200, 30, 30), b = RGB(30, 200, 30);
    HWND w = MakeChild(WS_BORDER, 0);
    OnNcPaintBorder(CWnd::FromHandle(w), 1, a, b);
    fs::WindowCapture cap(w);
    ASSERT_EQ(80, cap.Width());
    // Style 1 paints the whole outer ring in clrB.
    for (POINT p : {POINT{0, 0}, POINT{79, 0}, POINT{0, 49}, POINT{79, 49}, POINT{40, 0}, POINT{0, 25},
                    POINT{79, 25}, POINT{40, 49}})
        EXPECT_EQ(b, cap.At(p.x, p.y)) << p.x << "," << p.y;
    EXPECT_NE(a, cap.At(1, 1));

    // Other styles: top and left in clrB, right and bottom in clrA; defaults come from the theme.
    OnNcPaintBorder(CWnd::FromHandle(w), 0, a, KESTREL_DEFAULT_COLOR);
    fs::WindowCapture flat(w);
    const COLORREF border = getdefaultColor(DEFCLR_BORDER);
    EXPECT_EQ(border, flat.At(0, 0));
    EXPECT_EQ(border, flat.At(40, 0));
    EXPECT_EQ(border, flat.At(0, 25));
    EXPECT_EQ(a, flat.At(79, 0));
    EXPECT_EQ(a, flat.At(79, 25));
    EXPECT_EQ(a, flat.At(0, 49));
    EXPECT_EQ(a, flat.At(40, 49));
}

TEST_F(WindowDrawTest, ThickBorderGetsAnInnerRingWhenRaised)
{
    HWND w = MakeChild(0, WS_EX_CLIENTEDGE);
    RECT client{};
    ::GetClientRect(w, &client);
    ASSERT_LT(client.bottom, 49);  // at least two pixels of border
    OnNcPaintBorder(CWnd::FromHandle(w), 1, KESTREL_DEFAULT_COLOR, KESTREL_DEFAULT_COLOR);
    fs::WindowCapture cap(w);
    const COLORREF border = getdefaultColor(DEFCLR_BORDER);
    const COLORREF innerLight = RGB(82, 84, 89);
    EXPECT_EQ(border, cap.At(0, 0));
    EXPECT_EQ(border, cap.At(79, 49));
    EXPECT_EQ(innerLight, cap.At(1, 1));
    EXPECT_EQ(innerLight, cap.At(40, 1));
    EXPECT_EQ(innerLight, cap.At(1, 25));
    EXPECT_EQ(border, cap.At(78, 1));
    EXPECT_EQ(border, cap.At(78, 25));
    EXPECT_EQ(border, cap.At(40, 48));
    EXPECT_EQ(border, cap.At(1, 48));

    const COLORREF a = RGB(1, 100, 200), b = RGB(200, 100, 1);
    OnNcPaintBorder(CWnd::FromHandle(w), 1, a, b);
    fs::WindowCapture given(w);
    EXPECT_EQ(b, given.At(0, 25));
    EXPECT_EQ(b, given.At(79, 25));
    EXPECT_EQ(a, given.At(1, 25));
    EXPECT_EQ(b, given.At(78, 25));
}

TEST_F(WindowDrawTest, WindowWithoutBorderIsLeftAlone)
{
    HWND w = MakeChild(0, 0);
    fs::WindowCapture before(w);
    OnNcPaintBorder(CWnd::FromHandle(w), 1, RGB(255, 0, 0), RGB(0, 255, 0));
    OnNcPaintBorder(CWnd::FromHandle(w), 0, RGB(255, 0, 0), RGB(0, 255, 0));
    fs::WindowCapture after(w);
    EXPECT_TRUE(before == after);
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

    popup.MoveWindow(0, 0, sw + 40, 60, FALSE);
    PopWin2Center(&popup, 0);
    popup.GetWindowRect(&r);
    EXPECT_EQ(0, r.left);
    EXPECT_EQ(sw + 40, r.Width());
    EXPECT_EQ(sh / 2 - 30, r.top);
    popup.DestroyWindow();
}

}  // namespace
