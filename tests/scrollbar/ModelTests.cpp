// The scroll model, layout, mapping and hit test, run on a bar without a window.
#include "ScrollTesting.h"
#include <climits>

using sbtest::TestBar;

namespace {

CRect Part(TestBar& bar, int part)
{
    CRect rc;
    bar.GetPartRect(part, rc);
    return rc;
}

SCROLLINFO Info(UINT mask, int nMin, int nMax, UINT page, int pos)
{
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = mask;
    si.nMin = nMin;
    si.nMax = nMax;
    si.nPage = page;
    si.nPos = pos;
    return si;
}

class ScrollModel : public ::testing::Test {
protected:
    // A vertical 20 x 200 bar with the default model: range 0..10, page 5.
    void SetUp() override { bar.LayoutIn(CRect(0, 0, 20, 200)); }
    TestBar bar;
};

TEST_F(ScrollModel, DefaultBarSplitsIntoBoxesMarginsAndThumb)
{
    EXPECT_TRUE(bar.IsVertScroll());
    EXPECT_EQ(bar.GetEndBoxLength(), 20);
    EXPECT_EQ(bar.GetThumbLength(), 53);  // 5 * 160 / 15
    EXPECT_EQ(Part(bar, SBPART_LTUPENDBOX), CRect(0, 0, 20, 20));
    EXPECT_EQ(Part(bar, SBPART_RTDNENDBOX), CRect(0, 180, 20, 200));
    EXPECT_EQ(Part(bar, SBPART_TRACKBOX), CRect(0, 20, 20, 73));
    EXPECT_EQ(Part(bar, SBPART_LTUPMARGIN), CRect(0, 20, 20, 20));
    EXPECT_EQ(Part(bar, SBPART_RTDNMARGIN), CRect(0, 73, 20, 180));
    EXPECT_EQ(Part(bar, SBPART_TRACK), CRect(0, 20, 20, 180));
    EXPECT_EQ(Part(bar, 99), CRect(0, 0, 20, 200));

    // Shared edges go to the earlier part of 0, 1, 2, 3, 4; both edges of a part count.
    EXPECT_EQ(bar.HitTest(CPoint(10, 20)), SBPART_LTUPENDBOX);
    EXPECT_EQ(bar.HitTest(CPoint(20, 73)), SBPART_TRACKBOX);
    EXPECT_EQ(bar.HitTest(CPoint(10, 74)), SBPART_RTDNMARGIN);
    EXPECT_EQ(bar.HitTest(CPoint(10, 180)), SBPART_RTDNENDBOX);
    EXPECT_EQ(bar.HitTest(CPoint(20, 200)), SBPART_RTDNENDBOX);
    EXPECT_EQ(bar.HitTest(CPoint(21, 100)), -1);
    EXPECT_EQ(bar.HitTest(CPoint(10, -1)), -1);

    // With the thumb at the end, the margin before it takes the middle of the track.
    bar.SetScrollPos(10, FALSE);
    EXPECT_EQ(Part(bar, SBPART_TRACKBOX), CRect(0, 127, 20, 180));
    EXPECT_EQ(bar.HitTest(CPoint(10, 100)), SBPART_LTUPMARGIN);
    EXPECT_EQ(Part(bar, SBPART_RTDNMARGIN), CRect(0, 180, 20, 180));
}

TEST_F(ScrollModel, ThumbLengthFollowsPageAndRangeWithAMinimum)
{
    struct Case { int length; int nMin, nMax; UINT page; int box, thumb; };
    const Case cases[] = {
        {200, 0, 1000, 1, 20, 15},   // computed 0: lengthened
        {56, 0, 1000, 1, 20, 15},    // a 16-pixel track has room for the minimum
        {55, 0, 1000, 1, 20, 0},     // a 15-pixel track keeps what the formula gives
        {55, 0, 10, 5, 20, 5},
        {50, 0, 10, 5, 20, 3},
        {41, 0, 10, 5, 20, 0},       // one pixel of track
        {40, 0, 10, 5, 20, 0},       // no track: two half-length boxes
        {30, 0, 10, 5, 15, 0},
        {7, 0, 10, 5, 3, 0},
        {200, 4, 4, 5, 20, 160},     // nothing to scroll: the thumb fills the track
        {200, 0, 2, 50, 20, 153},    // a page beyond the range
        {200, 10, 0, 5, 20, 53},     // a reversed range measures the same
        {200, INT_MIN, INT_MAX, 0x7fffffff, 20, 53},
    };
    for (const Case& c : cases) {
        TestBar b;
        SCROLLINFO si = Info(SIF_RANGE | SIF_PAGE, c.nMin, c.nMax, c.page, 0);
        b.SetScrollInfo(&si, FALSE);
        b.LayoutIn(CRect(0, 0, 20, c.length));
        EXPECT_EQ(b.GetEndBoxLength(), c.box) << c.length << " " << c.nMin << ".." << c.nMax;
        EXPECT_EQ(b.GetThumbLength(), c.thumb) << c.length << " " << c.nMin << ".." << c.nMax;
    }

    // A horizontal bar lays out along x with boxes as long as the bar is high.
    TestBar h;
    h.ModifySBStyle(SBS_VERT, 0, FALSE);
    EXPECT_FALSE(h.IsVertScroll());
    h.LayoutIn(CRect(0, 0, 200, 20));
    EXPECT_EQ(Part(h, SBPART_TRACKBOX), CRect(20, 0, 73, 20));
    EXPECT_EQ(Part(h, SBPART_RTDNENDBOX), CRect(180, 0, 200, 20));
    EXPECT_EQ(h.HitTest(CPoint(100, 10)), SBPART_RTDNMARGIN);
}

TEST_F(ScrollModel, MappingBetweenValuesAndPixels)
{
    // Track 20..180 with a 53-pixel thumb: the leading edge runs 20..127.
    const int positions[] = {0, 5, 10};
    const int edges[] = {20, 73, 127};
    for (int i = 0; i < 3; ++i) {
        bar.SetScrollPos(positions[i], FALSE);
        EXPECT_EQ(bar.value2src(), edges[i]);
        EXPECT_EQ(bar.value2src(positions[i]), edges[i]);
    }
    // Back again: exact at the ends, truncated in the middle.
    EXPECT_EQ(bar.src2value(20), 0);
    EXPECT_EQ(bar.src2value(73), 4);  // 10 * 53 / 107
    EXPECT_EQ(bar.src2value(74), 5);
    EXPECT_EQ(bar.src2value(127), 10);
    // Beyond the ends both ways clamp.
    EXPECT_EQ(bar.value2src(-4), 20);
    EXPECT_EQ(bar.value2src(40), 127);
    EXPECT_EQ(bar.src2value(0), 0);
    EXPECT_EQ(bar.src2value(500), 10);
    CPoint below(5, 190), above(5, 0);
    EXPECT_EQ(bar.src2value(below, TRUE), 10);
    EXPECT_EQ(bar.src2value(below, FALSE), 15);  // 10 * 170 / 107
    EXPECT_EQ(bar.src2value(above, FALSE), -1);

    // A reversed range puts its minimum (10) at the track start.
    bar.SetScrollRange(10, 0, FALSE);
    bar.SetScrollPos(3, FALSE);
    EXPECT_EQ(bar.value2src(), 94);
    bar.SetScrollPos(10, FALSE);
    EXPECT_EQ(bar.value2src(), 20);
    EXPECT_EQ(bar.src2value(127), 0);
    EXPECT_EQ(bar.src2value(20), 10);
    EXPECT_EQ(bar.src2value(74), 5);  // 10 + (-10 * 54) / 107, truncated toward zero
}

TEST_F(ScrollModel, LargeRangesMapWithoutOverflow)
{
    bar.SetScrollRange(0, 2000000000, FALSE);
    bar.SetScrollPos(1999999999, FALSE);
    EXPECT_EQ(bar.GetThumbLength(), 15);
    EXPECT_EQ(bar.value2src(), 164);   // 20 + 1999999999 * 145 / 2e9, truncated
    EXPECT_EQ(bar.value2src(1000000000), 92);
    EXPECT_EQ(bar.src2value(165), 2000000000);
    EXPECT_EQ(bar.src2value(92), 993103448);

    bar.SetScrollRange(INT_MIN, INT_MAX, FALSE);
    bar.SetScrollPos(INT_MAX, FALSE);
    EXPECT_EQ(bar.value2src(), 165);
    CPoint p(0, 20);
    EXPECT_EQ(bar.src2value(p, TRUE), INT_MIN);
    EXPECT_EQ(bar.src2value(165), INT_MAX);
}

TEST_F(ScrollModel, EqualEndsLeaveNothingToMap)
{
    bar.SetScrollRange(7, 7, FALSE);
    EXPECT_EQ(bar.GetScrollPos(), 7);
    EXPECT_EQ(bar.GetThumbLength(), 160);
    EXPECT_EQ(bar.value2src(), 20);
    CPoint start(0, 20), inside(0, 21), end(0, 40);
    EXPECT_EQ(bar.src2value(start, TRUE), 7);
    EXPECT_EQ(bar.src2value(end, TRUE), 7);
    EXPECT_EQ(bar.src2value(inside, FALSE), 0);
    EXPECT_EQ(bar.src2value(20), 7);
}

TEST_F(ScrollModel, PositionStaysInsideTheRangeAndReportsChange)
{
    EXPECT_EQ(bar.SetScrollPos(12, FALSE), 1);  // from 0: non-zero all the same
    EXPECT_EQ(bar.GetScrollPos(), 10);          // the maximum itself, not maximum - page + 1
    EXPECT_EQ(bar.SetScrollPos(12, FALSE), 0);
    EXPECT_EQ(bar.SetScrollPos(3, FALSE), 10);
    EXPECT_EQ(bar.GetTrackPos(), 3);

    // A new range pulls the position in and resets the track position with it.
    bar.SetScrollRange(5, 8, FALSE);
    EXPECT_EQ(bar.GetScrollPos(), 5);
    EXPECT_EQ(bar.GetTrackPos(), 5);
    int lo = 0, hi = 0;
    bar.GetScrollRange(&lo, &hi);
    EXPECT_EQ(lo, 5);
    EXPECT_EQ(hi, 8);
    bar.GetScrollRange(nullptr, &hi);
    bar.SetScrollRange(-3, -9, FALSE);
    EXPECT_EQ(bar.GetScrollPos(), -3);
    EXPECT_EQ(bar.SetScrollPos(-20, FALSE), -3);
    EXPECT_EQ(bar.GetScrollPos(), -9);
}

TEST_F(ScrollModel, ScrollInfoAppliesRangeThenPositionThenPage)
{
    EXPECT_FALSE(bar.SetScrollInfo(nullptr, FALSE));
    SCROLLINFO si = Info(SIF_ALL, 0, 100, 10, 80);
    si.cbSize = 0;  // not looked at
    EXPECT_TRUE(bar.SetScrollInfo(&si, FALSE));
    EXPECT_EQ(bar.GetScrollPos(), 80);  // the new range was in place for it
    EXPECT_EQ(bar.GetPage(), 10u);
    EXPECT_EQ(bar.GetThumbLength(), 15);

    si = Info(SIF_PAGE, 0, 0, 0, 0);
    bar.SetScrollInfo(&si, FALSE);
    EXPECT_EQ(bar.GetPage(), 1u);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_ENABLE_BOTH));

    // The sign of the maximum decides the enable flags on every call, whatever the mask.
    si = Info(SIF_RANGE, -10, 0, 0, 0);
    bar.SetScrollInfo(&si, FALSE);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_DISABLE_BOTH));
    EXPECT_TRUE(bar.IsDisabled());
    si = Info(SIF_RANGE, -10, 1, 0, 0);
    bar.SetScrollInfo(&si, FALSE);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_ENABLE_BOTH));
    bar.EnableScrollBar(ESB_DISABLE_RTDN);
    si = Info(0, 0, 0, 0, 0);
    bar.SetScrollInfo(&si, FALSE);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_ENABLE_BOTH));

    // An unchanged range is no change; a changed one re-enables.
    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_BOTH));
    EXPECT_FALSE(bar.EnableScrollBar(ESB_DISABLE_BOTH));
    bar.SetScrollRange(-10, 1, FALSE);
    EXPECT_TRUE(bar.IsDisabled());
    bar.SetScrollRange(-10, 2, FALSE);
    EXPECT_FALSE(bar.IsDisabled());

    SCROLLINFO out{};
    out.cbSize = sizeof(out);
    EXPECT_FALSE(bar.GetScrollInfo(nullptr, SIF_ALL));
    EXPECT_TRUE(bar.GetScrollInfo(&out, SIF_POS));
    EXPECT_EQ(out.cbSize, 0u);
    EXPECT_EQ(out.fMask, static_cast<UINT>(SIF_POS));
    EXPECT_EQ(out.nMin, -10);
    EXPECT_EQ(out.nMax, 2);
    EXPECT_EQ(out.nPage, 1u);
    EXPECT_EQ(out.nPos, bar.GetScrollPos());
    EXPECT_EQ(out.nTrackPos, bar.GetTrackPos());
    SCROLLINFO untouched{};
    untouched.nMin = 99;
    EXPECT_TRUE(bar.GetScrollInfo(&untouched, SIF_DISABLENOSCROLL));
    EXPECT_EQ(untouched.nMin, 99);
    EXPECT_EQ(untouched.fMask, static_cast<UINT>(SIF_DISABLENOSCROLL));
}

TEST_F(ScrollModel, LineStepActionsAndStyle)
{
    bar.SetlineStep(0);
    EXPECT_EQ(bar.GetlineStep(), 1u);
    bar.SetlineStep(100);
    EXPECT_EQ(bar.GetlineStep(), 5u);  // never more than the page
    bar.SetlineStep(3);
    EXPECT_EQ(bar.GetlineStep(), 3u);

    const int actions[] = {SB_LINEUP, SB_LINEDOWN, SB_THUMBTRACK, SB_PAGEUP, SB_PAGEDOWN, SB_THUMBTRACK};
    for (int part = 0; part < 6; ++part) EXPECT_EQ(bar.GetScrollAction(part), actions[part]);
    EXPECT_EQ(bar.GetScrollAction(-1), SB_THUMBTRACK);

    EXPECT_EQ(bar.GetSBStyle(), static_cast<DWORD>(SBS_VERT));
    EXPECT_FALSE(bar.ModifySBStyle(0, SBS_VERT, FALSE));
    EXPECT_TRUE(bar.ModifySBStyle(SBS_VERT, 0x40, FALSE));
    EXPECT_EQ(bar.GetSBStyle(), 0x40u);
    EXPECT_FALSE(bar.IsVertScroll());

    EXPECT_EQ(bar.GetTimerWait(static_cast<int>(IDT_FIRSTDELAY)), 150);
    EXPECT_EQ(bar.GetTimerWait(static_cast<int>(IDT_REPEAT)), 100);
    EXPECT_EQ(bar.GetTimerWait(7), 150);
}

}  // namespace
