// The gradient progress bar as a host drives it: range, position through its message,
// what a position change leaves to repaint, and the painted frame, bands and background.
#include "Harness.h"
#include <KestrelProgress.h>
#include <set>

namespace {

constexpr COLORREF kShadow = RGB(21, 32, 43);
constexpr COLORREF kLight = RGB(80, 95, 122);
constexpr COLORREF kBackground = RGB(230, 230, 250);
constexpr int kClientWidth = 202;  // inner area 200 wide, from x 1 to 201
constexpr int kClientHeight = 16;

class CoolProgressTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCommonFunc(); }
    static void TearDownTestSuite() { ExitCommonFunc(); }
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        ASSERT_EQ(bar.Create(0, CRect(20, 20, 20 + kClientWidth, 20 + kClientHeight), &host, 77), 1);
        kx::PumpMessages();
    }
    RECT UpdateRect()
    {
        RECT r{};
        ::GetUpdateRect(bar.m_hWnd, &r, FALSE);
        return r;
    }
    kx::HostWindow host;
    CCoolProgressCtrl bar;
};

TEST_F(CoolProgressTest, CreatesAVisibleChildOfItsOwnClass)
{
    wchar_t cls[64];
    ::GetClassNameW(bar.m_hWnd, cls, 64);
    EXPECT_STREQ(cls, L"COOLPROGRESSCTRL");
    EXPECT_EQ(bar.GetStyle() & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    EXPECT_EQ(bar.GetDlgCtrlID(), 77);
    EXPECT_EQ(bar.GetTextColor(), getdefaultColor(DEFCLR_EDITTEXT));
    EXPECT_EQ(bar.GetStartColor(), RGB(179, 179, 240));
    EXPECT_EQ(bar.GetEndColor(), RGB(0, 0, 255));
}

TEST_F(CoolProgressTest, PositionIsClampedAndTravelsThroughTheMessage)
{
    bar.SetPos(150);
    EXPECT_EQ(bar.GetPos(), 100);
    bar.SetPos(-5);
    EXPECT_EQ(bar.GetPos(), 0);
    bar.SetPos(40);
    EXPECT_EQ(bar.SendMessage(WM_PROGRESSPOS, 1, 0), 40);
    EXPECT_EQ(bar.SendMessage(WM_PROGRESSPOS, 3, 99), 0);
    EXPECT_EQ(bar.GetPos(), 40);
    EXPECT_EQ(bar.SendMessage(WM_PROGRESSPOS, 2, 250), 0);  // the message itself does not clamp
    EXPECT_EQ(bar.GetPos(), 250);

    CCoolProgressCtrl windowless;
    windowless.SetPos(30);
    EXPECT_EQ(windowless.GetPos(), 0);
    EXPECT_EQ(windowless.OnGetCurrentPos(), 0);
}

TEST_F(CoolProgressTest, PositionChangeLeavesOnlyTheStripBetweenTheEndsToRepaint)
{
    bar.SetPos(50);
    kx::PumpMessages();
    RECT none = UpdateRect();
    EXPECT_TRUE(::IsRectEmpty(&none));

    bar.SetPos(60);  // ends at 1 + 100 and 1 + 120
    EXPECT_EQ(CRect(UpdateRect()), CRect(91, 1, 121, kClientHeight - 1));
    kx::PumpMessages();

    bar.SetPos(55);  // shrinking: from 1 + 110 - 10 to 121
    EXPECT_EQ(CRect(UpdateRect()), CRect(101, 1, 121, kClientHeight - 1));
    kx::PumpMessages();

    bar.SetPos(55);
    RECT same = UpdateRect();
    EXPECT_TRUE(::IsRectEmpty(&same));
}

TEST_F(CoolProgressTest, RangeChangeRepaintsOnlyWhenItMovesThePosition)
{
    bar.SetPos(80);
    kx::PumpMessages();
    bar.SetRange(0, 200);
    RECT r = UpdateRect();
    EXPECT_TRUE(::IsRectEmpty(&r));
    EXPECT_EQ(bar.GetPos(), 80);

    bar.SetRange(0, 50);
    EXPECT_EQ(bar.GetPos(), 50);
    EXPECT_EQ(CRect(UpdateRect()), CRect(0, 0, kClientWidth, kClientHeight));
    int lo = -1, hi = -1;
    bar.GetRange(lo, hi);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 50);

    bar.SetRange(70, 60);  // stored as given; the upper end is tested first
    bar.GetRange(lo, hi);
    EXPECT_EQ(lo, 70);
    EXPECT_EQ(hi, 60);
    EXPECT_EQ(bar.GetPos(), 70);
}

TEST_F(CoolProgressTest, FrameIsOneSunkenPixelRing)
{
    bar.Invalidate();
    kx::ClientCapture shot(bar.m_hWnd);
    const int r = kClientWidth - 1, b = kClientHeight - 1;
    EXPECT_EQ(shot.At(0, 0), kShadow);
    EXPECT_EQ(shot.At(50, 0), kShadow);
    EXPECT_EQ(shot.At(0, 8), kShadow);
    EXPECT_EQ(shot.At(r, 0), kLight);  // the far corners take the lower-right colour
    EXPECT_EQ(shot.At(0, b), kLight);
    EXPECT_EQ(shot.At(r, 8), kLight);
    EXPECT_EQ(shot.At(50, b), kLight);
    EXPECT_EQ(shot.At(r, b), kLight);
    EXPECT_EQ(shot.At(1, 1), kBackground);  // position 0: nothing filled
    EXPECT_EQ(shot.At(r - 1, b - 1), kBackground);
}

TEST_F(CoolProgressTest, FullBarShows179BandsOfTheDefaultGradient)
{
    bar.SetPos(100);
    kx::ClientCapture shot(bar.m_hWnd);
    std::set<COLORREF> colours;
    for (int x = 1; x < kClientWidth - 1; ++x) colours.insert(shot.At(x, 8));
    // Band 0 lies left of the inner area; bands 1 to 178 are seen.
    EXPECT_EQ(colours.size(), 178u);
    EXPECT_EQ(shot.At(1, 8), RGB(178, 178, 240));                // band 1
    EXPECT_EQ(shot.At(kClientWidth - 2, 8), RGB(1, 1, 254));     // band 178 reaches the right edge
    EXPECT_EQ(shot.At(1, 1), shot.At(1, kClientHeight - 2));     // bands run top to bottom
    EXPECT_EQ(colours.count(kBackground), 0u);
}

TEST_F(CoolProgressTest, PartialFillEndsAtTheFirstBandEdgeBeyondItsLength)
{
    bar.SetPos(50);  // F = trunc(50 * 201 / 100) = 100
    kx::ClientCapture shot(bar.m_hWnd);
    // Band width 201 / 179; the first band whose right edge passes 100 is band 89 (right edge 1 + 100 = 101).
    int firstBackground = -1;
    for (int x = 1; x < kClientWidth - 1; ++x)
        if (shot.At(x, 8) == kBackground) {
            firstBackground = x;
            break;
        }
    EXPECT_EQ(firstBackground, 101);
    EXPECT_EQ(shot.At(100, 8), RGB(179 - 89, 179 - 89, 240 + 89 * 15 / 179));
    EXPECT_EQ(shot.CountInRow(8, 101, kClientWidth - 1, kBackground), kClientWidth - 1 - 101);
}

TEST_F(CoolProgressTest, EqualColoursFillUpToTheLengthInTheEndColour)
{
    bar.SetStartColor(RGB(10, 200, 30));
    bar.SetEndColor(RGB(10, 200, 30));
    bar.SetBkColor(RGB(0, 0, 0));
    bar.SetPos(25);  // F = trunc(25 * 201 / 100) = 50
    bar.Invalidate();
    kx::ClientCapture shot(bar.m_hWnd);
    EXPECT_EQ(shot.CountInRow(8, 1, 50, RGB(10, 200, 30)), 49);
    EXPECT_EQ(shot.CountInRow(8, 50, kClientWidth - 1, RGB(0, 0, 0)), kClientWidth - 1 - 50);
}

TEST_F(CoolProgressTest, SaturatedChannelsStayAt255)
{
    bar.SetStartColor(RGB(255, 0, 0));
    bar.SetEndColor(RGB(255, 255, 0));
    bar.SetPos(100);
    bar.Invalidate();
    kx::ClientCapture shot(bar.m_hWnd);
    for (int x = 1; x < kClientWidth - 1; x += 7) EXPECT_EQ(GetRValue(shot.At(x, 8)), 255) << x;
}

TEST_F(CoolProgressTest, PositionAtTheLowerEndShowsOnlyTheBackground)
{
    bar.SetRange(20, 40);
    bar.SetPos(20);
    bar.Invalidate();
    kx::ClientCapture shot(bar.m_hWnd);
    EXPECT_EQ(shot.CountInRow(8, 1, kClientWidth - 1, kBackground), kClientWidth - 2);
}

}  // namespace
