// The scroll model, layout, mapping and hit test, on a bar without a window.
#include "Harness.h"
#include <KestrelScrollBar.h>
#include <climits>

namespace {

struct Bar : CStaticScrollBar {
    using CStaticScrollBar::LayoutIn;
    CRect Part(int part)
    {
        CRect rc;
        GetPartRect(part, rc);
        return rc;
    }
    void Info(UINT mask, int nMin, int nMax, UINT page, int pos = 0)
    {
        SCROLLINFO si{0, mask, nMin, nMax, page, pos, 0};  // cbSize is not looked at
        EXPECT_TRUE(SetScrollInfo(&si, FALSE));
    }
};

TEST(ScrollModel, DefaultBarLayoutHitTestAndMappingBothWays)
{
    Bar bar;  // vertical 20 x 200, range 0..10, page 5: a thumb of 5 * 160 / 15 pixels
    bar.LayoutIn(CRect(0, 0, 20, 200));
    const struct { int part; CRect rc; } parts[] = {
        {SBPART_LTUPENDBOX, CRect(0, 0, 20, 20)},   {SBPART_RTDNENDBOX, CRect(0, 180, 20, 200)},
        {SBPART_TRACKBOX, CRect(0, 20, 20, 73)},    {SBPART_LTUPMARGIN, CRect(0, 20, 20, 20)},
        {SBPART_RTDNMARGIN, CRect(0, 73, 20, 180)}, {SBPART_TRACK, CRect(0, 20, 20, 180)}};
    for (const auto& p : parts) EXPECT_EQ(bar.Part(p.part), p.rc) << p.part;
    // Both edges belong to a part; a shared edge goes to the earlier of 0, 1, 2, 3, 4.
    const struct { int x, y, part; } hits[] = {{10, 20, 0}, {20, 73, 2}, {10, 74, 4}, {10, 180, 1},
                                               {20, 200, 1}, {21, 100, -1}, {10, -1, -1}};
    for (const auto& h : hits) EXPECT_EQ(bar.HitTest(CPoint(h.x, h.y)), h.part) << h.x << "," << h.y;

    // The thumb's leading edge runs 20..127; back again it truncates in the middle.
    const int values[] = {0, 5, 10, -4, 40}, edges[] = {20, 73, 127, 20, 127};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(bar.value2src(values[i]), edges[i]);
    const int pixels[] = {0, 20, 73, 74, 127, 500}, back[] = {0, 0, 4, 5, 10, 10};
    for (int i = 0; i < 6; ++i) EXPECT_EQ(bar.src2value(pixels[i]), back[i]);
    CPoint below(5, 190);
    EXPECT_EQ(bar.src2value(below, TRUE), 10);
    EXPECT_EQ(bar.src2value(below, FALSE), 15);  // 10 * 170 / 107
    bar.SetScrollPos(10, FALSE);
    EXPECT_EQ(bar.Part(SBPART_TRACKBOX), CRect(0, 127, 20, 180));
    EXPECT_EQ(bar.HitTest(CPoint(10, 100)), SBPART_LTUPMARGIN);

    // Reversed (the minimum at the track start), and products beyond 32 bits (15-pixel thumbs).
    const struct { int nMin, nMax, pos, edge, pixel, value; } ranges[] = {
        {10, 0, 3, 94, 74, 5},  // 10 + (-540 / 107)
        {0, 2000000000, 1999999999, 164, 92, 993103448},
        {INT_MIN, INT_MAX, INT_MAX, 165, 165, INT_MAX}};
    for (const auto& r : ranges) {
        bar.SetScrollRange(r.nMin, r.nMax, FALSE);
        bar.SetScrollPos(r.pos, FALSE);
        EXPECT_EQ(bar.value2src(), r.edge) << r.nMax;
        EXPECT_EQ(bar.src2value(r.pixel), r.value) << r.nMax;
    }
    bar.SetScrollRange(7, 7, FALSE);  // the thumb fills the track
    CPoint start(0, 20), inside(0, 21), end(0, 40);
    EXPECT_EQ(bar.value2src(), 20);
    EXPECT_EQ(bar.src2value(start, TRUE) + bar.src2value(end, TRUE), 14);
    EXPECT_EQ(bar.src2value(inside, FALSE), 0);
}

TEST(ScrollModel, ThumbLengthPositionRangeInfoAndLineStepClampBadInput)
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
        Bar bar;
        bar.Info(SIF_RANGE | SIF_PAGE, c.nMin, c.nMax, c.page);
        bar.LayoutIn(CRect(0, 0, 20, c.length));
        EXPECT_EQ(bar.GetEndBoxLength(), c.box) << c.length << " " << c.nMin << ".." << c.nMax;
        EXPECT_EQ(bar.GetThumbLength(), c.thumb) << c.length << " " << c.nMin << ".." << c.nMax;
    }

    Bar bar;
    bar.LayoutIn(CRect(0, 0, 20, 200));
    EXPECT_EQ(bar.SetScrollPos(12, FALSE), 1);  // from 0: non-zero all the same
    EXPECT_EQ(bar.GetScrollPos(), 10);          // the maximum itself, no page taken off
    EXPECT_EQ(bar.SetScrollPos(3, FALSE), 10);
    bar.SetScrollRange(-3, -9, FALSE);  // a maximum below the minimum: the position stays in
    EXPECT_EQ(bar.GetTrackPos(), -3);

    // Range, then position, then page; the maximum's sign enables or disables on every call.
    bar.Info(SIF_ALL, 0, 100, 10, 80);
    bar.Info(SIF_PAGE, 0, 0, 0);
    EXPECT_EQ(bar.GetPage(), 1u);
    bar.Info(SIF_RANGE, -10, 0, 0);
    EXPECT_EQ(bar.GetEnableFlags(), static_cast<UINT>(ESB_DISABLE_BOTH));
    bar.Info(0, 0, 0, 0);
    EXPECT_TRUE(bar.IsDisabled());
    bar.SetScrollRange(-10, 0, FALSE);  // unchanged: still disabled
    EXPECT_TRUE(bar.IsDisabled());
    bar.SetScrollRange(-10, -1, FALSE);  // a real change enables
    EXPECT_FALSE(bar.IsDisabled());

    SCROLLINFO out{sizeof(out), 0, 99, 99, 99, 99, 99};
    EXPECT_FALSE(bar.GetScrollInfo(nullptr, SIF_ALL) || bar.SetScrollInfo(nullptr, FALSE));
    EXPECT_TRUE(bar.GetScrollInfo(&out, SIF_DISABLENOSCROLL) && out.nMin == 99);
    EXPECT_TRUE(bar.GetScrollInfo(&out, SIF_POS));  // any value bit fills all five
    EXPECT_EQ(std::make_pair(out.nMin, out.nTrackPos), std::make_pair(-10, -1));

    bar.Info(SIF_PAGE, 0, 0, 5);
    bar.SetlineStep(0);
    EXPECT_EQ(bar.GetlineStep(), 1u);
    bar.SetlineStep(100);
    EXPECT_EQ(bar.GetlineStep(), 5u);
}

// A derived bar's track replaces the bar's own in the mapping.
TEST(ScrollModel, ReplacedGeometryIsWhatTheMappingUses)
{
    struct ShortTrack : Bar {
        void GetPartRect(int nPart, CRect& rc) override { rc = nPart == SBPART_TRACK ? CRect(0, 0, 20, 100) : CRect(); }
    } bar;
    bar.SetScrollPos(10, FALSE);
    EXPECT_EQ(bar.value2src(), 100);  // the end of the replaced track, thumb length 0
}

}  // namespace
