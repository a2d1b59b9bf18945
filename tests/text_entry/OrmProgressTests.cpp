// The striped progress bar: what it paints, and exactly which strip a position change paints.
#include "../harness/Harness.h"
#include <KestrelOrmProgress.h>
#include <functional>

using namespace kx;

namespace {

constexpr COLORREF kFrame = RGB(0, 0, 0);
constexpr COLORREF kField = RGB(23, 29, 40);
constexpr COLORREF kStripe = RGB(151, 166, 191);
constexpr COLORREF kMarker = RGB(255, 0, 255);
constexpr int kWidth = 100;
constexpr int kHeight = 18;
// Bar area: the client shrunk by the frame and the margin.
constexpr int kBarLeft = 4;
constexpr int kBarTop = 4;
constexpr int kBarBottom = kHeight - 4;
constexpr int kBarRight = kWidth - 4;

// What a pixel of the bar shows when the bar covers it: two light columns, one gap.
COLORREF StripeAt(int x)
{
    return (x - kBarLeft) % 3 == 2 ? kField : kStripe;
}

class OrmProgressTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        ASSERT_TRUE(bar.Create(WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &host, 5));
        PumpMessages();
    }

    // Paints the whole control in the marker colour without invalidating anything, so that
    // a later capture shows exactly what the control painted since.
    void PaintMarker()
    {
        ::UpdateWindow(bar);
        CClientDC dc(&bar);
        dc.FillSolidRect(CRect(0, 0, kWidth, kHeight), kMarker);
    }

    // Checks every pixel of the control against want(x, y).
    void ExpectPixels(const std::function<COLORREF(int x, int y)>& want)
    {
        ClientCapture shot(bar);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x)
                if (shot.At(x, y) != want(x, y) && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << shot.At(x, y)
                                  << " not " << want(x, y);
        EXPECT_EQ(0, wrong);
    }

    // Only the pixels inside rect were painted since PaintMarker, as expected says.
    void ExpectOnlyPainted(const CRect& rect, COLORREF (*expected)(int x, int y))
    {
        ExpectPixels([&](int x, int y) { return rect.PtInRect(CPoint(x, y)) ? expected(x, y) : kMarker; });
    }

    // The whole control as a full paint leaves it with the bar ending at barEnd.
    void ExpectPainted(int barEnd)
    {
        bar.Invalidate();
        ExpectPixels([&](int x, int y) {
            if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1) return kFrame;
            bool inBar = y >= kBarTop && y < kBarBottom && x >= kBarLeft && x < barEnd;
            return inBar ? StripeAt(x) : kField;
        });
    }

    HostWindow host;
    COrmProgressCtrl bar;
};

TEST_F(OrmProgressTest, FullPaintAtEmptyHalfAndFull)
{
    ExpectPainted(kBarLeft);
    bar.SetPos(50);
    ExpectPainted(kBarLeft + 46);  // 92-pixel bar area
    bar.SetPos(100);
    ExpectPainted(kBarRight);
}

TEST_F(OrmProgressTest, GrowingPaintsFromJustLeftOfTheOldEnd)
{
    bar.SetPos(50);
    PaintMarker();
    bar.SetPos(60);  // 60 of 92 = 55.2: ends at 4 + 55
    ExpectOnlyPainted(CRect(50 - 5, kBarTop, 59, kBarBottom), [](int x, int) { return StripeAt(x); });
    EXPECT_EQ(60, bar.GetPos());
}

TEST_F(OrmProgressTest, ShrinkingClearsBeyondBothEnds)
{
    bar.SetPos(60);
    PaintMarker();
    bar.SetPos(50);
    ExpectOnlyPainted(CRect(50 - 3, kBarTop - 3, 59 + 3, kBarBottom + 3), [](int, int) { return kField; });

    // Down to the start: the clearing stops at the bar area's left edge.
    PaintMarker();
    bar.SetPos(0);
    ExpectOnlyPainted(CRect(kBarLeft, kBarTop - 3, 50 + 3, kBarBottom + 3), [](int, int) { return kField; });

    // Nothing changes, nothing is painted.
    PaintMarker();
    bar.SetPos(0);
    bar.SetPos(-20);                        // clamps to 0
    bar.SendMessage(WM_USER + 501, 3, 10);  // not a request
    ExpectOnlyPainted(CRect(), [](int, int) { return kMarker; });
}

TEST_F(OrmProgressTest, RangeClampsThePositionAndAnEmptyRangeFillsTheBar)
{
    EXPECT_EQ(0, bar.SendMessage(WM_USER + 501, 2, 25));
    EXPECT_EQ(25, bar.SendMessage(WM_USER + 501, 1, 0));
    bar.SetRange(40, 60);
    EXPECT_EQ(40, bar.GetPos());
    bar.SetPos(50);
    ExpectPainted(kBarLeft + 46);
    bar.SetRange(7, 7);
    EXPECT_EQ(7, bar.GetPos());
    ExpectPainted(kBarRight);

    COrmProgressCtrl windowless;
    windowless.SetPos(40);  // the position lives behind the window's message
    EXPECT_EQ(0, windowless.GetPos());
}

TEST(OrmProgressSubclass, ClientHeightBecomes18)
{
    HostWindow host;
    ASSERT_TRUE(host.Open());
    HWND h = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 150, 40, host, nullptr,
                               nullptr, nullptr);
    CRect before;
    ::GetClientRect(h, &before);
    COrmProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassWindow(h));
    CRect after;
    bar.GetClientRect(&after);
    EXPECT_EQ(CRect(0, 0, before.Width(), kHeight), after);
}

}  // namespace
