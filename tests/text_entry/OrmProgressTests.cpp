// The striped progress bar: what it paints, and exactly which strip a position change paints.
#include "../harness/Harness.h"
#include <KestrelOrmProgress.h>

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

    // Checks that the pixels inside rect show what expected says and all others the marker.
    void ExpectOnlyPainted(const CRect& rect, COLORREF (*expected)(int x, int y))
    {
        ClientCapture shot(bar);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                COLORREF want = rect.PtInRect(CPoint(x, y)) ? expected(x, y) : kMarker;
                if (shot.At(x, y) != want && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << shot.At(x, y)
                                  << " not " << want;
            }
        EXPECT_EQ(0, wrong);
    }

    // Checks the whole control as a full paint leaves it with the bar ending at barEnd.
    void ExpectPainted(int barEnd)
    {
        bar.Invalidate();
        ClientCapture shot(bar);
        int wrong = 0;
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                COLORREF want = kField;
                if (x == 0 || y == 0 || x == kWidth - 1 || y == kHeight - 1)
                    want = kFrame;
                else if (y >= kBarTop && y < kBarBottom && x >= kBarLeft && x < barEnd)
                    want = StripeAt(x);
                if (shot.At(x, y) != want && wrong++ < 5)
                    ADD_FAILURE() << "pixel " << x << "," << y << " is " << std::hex << shot.At(x, y)
                                  << " not " << want;
            }
        EXPECT_EQ(0, wrong);
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
}

TEST_F(OrmProgressTest, GrowingToTheEndStopsAtTheBarArea)
{
    bar.SetPos(2);  // 1.84 rounds to 2
    PaintMarker();
    bar.SetPos(100);
    ExpectOnlyPainted(CRect(kBarLeft, kBarTop, kBarRight, kBarBottom), [](int x, int) { return StripeAt(x); });
}

TEST_F(OrmProgressTest, UnchangedPositionPaintsNothing)
{
    const auto marker = [](int, int) { return kMarker; };
    bar.SetPos(50);
    PaintMarker();
    bar.SetPos(50);
    ExpectOnlyPainted(CRect(), marker);

    bar.SetPos(150);  // clamps to 100
    PaintMarker();
    bar.SetPos(100);
    bar.SendMessage(WM_USER + 501, 3, 10);  // not a request: ignored
    ExpectOnlyPainted(CRect(), marker);
    EXPECT_EQ(100, bar.GetPos());
}

TEST_F(OrmProgressTest, RangeAndPositionMessage)
{
    bar.SetRange(-50, 50);
    int lo = 0, hi = 0;
    bar.GetRange(lo, hi);
    EXPECT_EQ(-50, lo);
    EXPECT_EQ(50, hi);
    EXPECT_EQ(0, bar.GetPos());
    EXPECT_EQ(0, bar.SendMessage(WM_USER + 501, 2, 25));
    EXPECT_EQ(25, bar.SendMessage(WM_USER + 501, 1, 0));
    EXPECT_EQ(25, bar.OnGetCurrentPos());
    bar.SetPos(-80);
    EXPECT_EQ(-50, bar.GetPos());
    ExpectPainted(kBarLeft);

    bar.SetRange(10, 20);  // the position follows the range
    EXPECT_EQ(10, bar.GetPos());
    bar.SetPos(15);
    ExpectPainted(kBarLeft + 46);

    bar.SetRange(7, 7);  // an empty range shows the whole bar
    EXPECT_EQ(7, bar.GetPos());
    ExpectPainted(kBarRight);
}

TEST(OrmProgressWithoutWindow, PositionNeedsTheWindow)
{
    COrmProgressCtrl bar;
    bar.SetPos(40);
    EXPECT_EQ(0, bar.GetPos());
    EXPECT_EQ(0, bar.OnGetCurrentPos());
    bar.SetRange(5, 9);
    EXPECT_EQ(5, bar.OnGetCurrentPos());
}

TEST(OrmProgressSubclass, ClientHeightBecomes18)
{
    HostWindow host;
    ASSERT_TRUE(host.Open());
    for (int height : {40, 6}) {
        HWND h = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | WS_BORDER, 10, 10, 150, height, host,
                                   nullptr, nullptr, nullptr);
        CRect before;
        ::GetClientRect(h, &before);
        COrmProgressCtrl bar;
        ASSERT_TRUE(bar.SubclassWindow(h));
        CRect after;
        bar.GetClientRect(&after);
        EXPECT_EQ(kHeight, after.Height());
        EXPECT_EQ(before.Width(), after.Width());
        bar.DestroyWindow();
    }
}

}  // namespace
