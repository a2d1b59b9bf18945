// The scroll model, layout, mapping and hit test, on a bar without a window.
#include "ScrollTesting.h"
#include <climits>

namespace {

class ScrollModel : public ::testing::Test {
protected:
    // A vertical 20 x 200 bar with the default model: range 0..10, page 5.
    void SetUp() override { bar.LayoutIn(CRect(0, 0, 20, 200)); }
    CRect Part(int part)
    {
        CRect rc;
        bar.GetPartRect(part, rc);
        return rc;
    }
    void SetInfo(UINT mask, int nMin, int nMax, UINT page, int pos = 0)
    {
        SCROLLINFO si{0, mask, nMin, nMax, page, pos, 0};  // cbSize is not looked at
        EXPECT_TRUE(bar.SetScrollInfo(&si, FALSE));
    }
    sbtest::TestBar bar;
};

TEST_F(ScrollModel, LayoutAndHitTestOfTheDefaultBar)
{
    EXPECT_EQ(bar.GetThumbLength(), 53);  // 5 * 160 / 15
    EXPECT_EQ(Part(SBPART_LTUPENDBOX), CRect(0, 0, 20, 20));
    EXPECT_EQ(Part(SBPART_RTDNENDBOX), CRect(0, 180, 20, 200));
    EXPECT_EQ(Part(SBPART_TRACKBOX), CRect(0, 20, 20, 73));
    EXPECT_EQ(Part(SBPART_LTUPMARGIN), CRect(0, 20, 20, 20));
    EXPECT_EQ(Part(SBPART_RTDNMARGIN), CRect(0, 73, 20, 180));
    EXPECT_EQ(Part(SBPART_TRACK), CRect(0, 20, 20, 180));
    // Both edges belong to a part; a shared edge goes to the earlier of 0, 1, 2, 3, 4.
    const struct { int x, y, part; } hits[] = {{10, 20, 0}, {20, 73, 2}, {10, 74, 4}, {10, 180, 1},
                                               {20, 200, 1}, {21, 100, -1}, {10, -1, -1}};
    for (const auto& h : hits) EXPECT_EQ(bar.HitTest(CPoint(h.x, h.y)), h.part) << h.x << "," << h.y;

    bar.SetScrollPos(10, FALSE);
    EXPECT_EQ(Part(SBPART_TRACKBOX), CRect(0, 127, 20, 180));
    EXPECT_EQ(bar.HitTest(CPoint(10, 100)), SBPART_LTUPMARGIN);
}

TEST_F(ScrollModel, ThumbLengthFollowsPageAndRangeWithAMinimum)
{
    const struct { int length, nMin, nMax; UINT page; int box, thumb; } cases[] = {
        {200, 0, 1000, 1, 20, 15},  // computed 0: lengthened
        {56, 0, 1000, 1, 20, 15},   // a 16-pixel track has room for the minimum
        {55, 0, 1000, 1, 20, 0},    // a 15-pixel track keeps what the formula gives
        {50, 0, 10, 5, 20, 3},      {30, 0, 10, 5, 15, 0},  // no track: two half-length boxes
        {200, 4, 4, 5, 20, 160},    {200, 0, 2, 50, 20, 153},  // nothing to scroll; a page beyond it
        {200, INT_MIN, INT_MAX, 0x7fffffff, 20, 53},
    };
    for (const auto& c : cases) {
        SetInfo(SIF_RANGE | SIF_PAGE, c.nMin, c.nMax, c.page);
        bar.LayoutIn(CRect(0, 0, 20, c.length));
        EXPECT_EQ(bar.GetEndBoxLength(), c.box) << c.length << " " << c.nMin << ".." << c.nMax;
        EXPECT_EQ(bar.GetThumbLength(), c.thumb) << c.length << " " << c.nMin << ".." << c.nMax;
    }
}

TEST_F(ScrollModel, MappingBothWaysIncludingReversedEqualAndHugeRanges)
{
    // The thumb's leading edge runs 20..127; back again it truncates in the middle.
    const int values[] = {0, 5, 10, -4, 40}, edges[] = {20, 73, 127, 20, 127};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.value2src(values[i]), edges[i]);
    bar.SetScrollPos(5, FALSE);
    EXPECT_EQ(bar.value2src(), 73);
    const int pixels[] = {0, 20, 73, 74, 127, 500}, back[] = {0, 0, 4, 5, 10, 10};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bar.src2value(pixels[i]), back[i]);
    CPoint below(5, 190);
    EXPECT_EQ(bar.src2value(below, TRUE), 10);
    EXPECT_EQ(bar.src2value(below, FALSE), 15);  // 10 * 170 / 107

    bar.SetScrollRange(10, 0, FALSE);  // the minimum (10) at the track start
    bar.SetScrollPos(3, FALSE);
    EXPECT_EQ(bar.value2src(), 94);
    EXPECT_EQ(bar.src2value(20), 10);
    EXPECT_EQ(bar.src2value(74), 5);  // 10 + (-540 / 107)

    bar.SetScrollRange(7, 7, FALSE);  // the thumb fills the track
    CPoint start(0, 20), inside(0, 21), end(0, 40);
    EXPECT_EQ(bar.value2src(), 20);
    EXPECT_EQ(bar.src2value(start, TRUE), 7);
    EXPECT_EQ(bar.src2value(end, TRUE), 7);
    EXPECT_EQ(bar.src2value(inside, FALSE), 0);

    bar.SetScrollRange(0, 2000000000, FALSE);  // products beyond 32 bits; a 15-pixel thumb
    bar.SetScrollPos(1999999999, FALSE);
    EXPECT_EQ(bar.value2src(), 164);
    EXPECT_EQ(bar.src2value(92), 993103448);
    bar.SetScrollRange(INT_MIN, INT_MAX, FALSE);
    bar.SetScrollPos(INT_MAX, FALSE);
    EXPECT_EQ(bar.value2src(), 165);
    EXPECT_EQ(bar.src2value(165), INT_MAX);
}

TEST_F(ScrollModel, PositionRangeInfoAndLineStep)
{
    EXPECT_EQ(bar.SetScrollPos(12, FALSE), 1);  // from 0: non-zero all the same
    EXPECT_EQ(bar.GetScrollPos(), 10);          // the maximum itself, no page taken off
    EXPECT_EQ(bar.SetScrollPos(12, FALSE), 0);
    EXPECT_EQ(bar.SetScrollPos(3, FALSE), 10);
    bar.SetScrollRange(-3, -9, FALSE);
    EXPECT_EQ(bar.GetScrollPos(), -3);
    EXPECT_EQ(bar.GetTrackPos(), -3);

    // Range, then position, then page; the maximum's sign enables or disables on every call.
    EXPECT_FALSE(bar.SetScrollInfo(nullptr, FALSE));
    SetInfo(SIF_ALL, 0, 100, 10, 80);
    EXPECT_EQ(bar.GetScrollPos(), 80);
    EXPECT_EQ(bar.GetThumbLength(), 15);
    SetInfo(SIF_PAGE, 0, 0, 0);
    EXPECT_EQ(bar.GetPage(), 1u);
    SetInfo(SIF_RANGE, -10, 0, 0);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_DISABLE_BOTH));
    SetInfo(0, 0, 0, 0);
    EXPECT_TRUE(bar.IsDisabled());
    bar.SetScrollRange(-10, 0, FALSE);  // unchanged: still disabled
    EXPECT_TRUE(bar.IsDisabled());
    bar.SetScrollRange(-10, -1, FALSE);  // a real change enables
    EXPECT_FALSE(bar.IsDisabled());

    SCROLLINFO out{sizeof(out), 0, 99, 99, 99, 99, 99};
    EXPECT_FALSE(bar.GetScrollInfo(nullptr, SIF_ALL));
    EXPECT_TRUE(bar.GetScrollInfo(&out, SIF_DISABLENOSCROLL));
    EXPECT_EQ(out.cbSize, 0u);
    EXPECT_EQ(out.nMin, 99);
    EXPECT_TRUE(bar.GetScrollInfo(&out, SIF_POS));  // any value bit fills all five
    EXPECT_EQ(out.nMin, -10);
    EXPECT_EQ(out.nTrackPos, -1);

    SetInfo(SIF_PAGE, 0, 0, 5);
    bar.SetlineStep(0);
    EXPECT_EQ(bar.GetlineStep(), 1u);
    bar.SetlineStep(100);
    EXPECT_EQ(bar.GetlineStep(), 5u);
}

// A derived bar replaces the timing and the geometry; the bar's own code goes through them.
struct QuickBar : sbtest::TestBar {
    int GetTimerWait(int nIDEvent) override { return nIDEvent == static_cast<int>(IDT_REPEAT) ? 1 : 2; }
    void GetPartRect(int nPart, CRect& rc) override { rc = nPart == SBPART_TRACK ? CRect(0, 0, 20, 100) : CRect(); }
};

TEST(ScrollModelVirtuals, TimingAndGeometryCanBeReplaced)
{
    sbtest::TestBar plain;
    EXPECT_EQ(plain.GetTimerWait(static_cast<int>(IDT_FIRSTDELAY)), 150);
    EXPECT_EQ(plain.GetTimerWait(static_cast<int>(IDT_REPEAT)), 100);
    EXPECT_EQ(plain.GetTimerWait(7), 150);
    QuickBar quick;
    CStaticScrollBar& base = quick;
    EXPECT_EQ(base.GetTimerWait(static_cast<int>(IDT_REPEAT)), 1);
    quick.SetScrollPos(10, FALSE);
    EXPECT_EQ(base.value2src(), 100);  // the end of the replaced track, thumb length 0
}
}  // namespace
