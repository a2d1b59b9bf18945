// What the bar shows: boxes, arrows, margins and thumb in both orientations, the pressed and
// disabled looks, the colour setters and a bar too short for a thumb.
#include "ScrollTesting.h"

namespace {

const COLORREF kBox = RGB(43, 51, 67);
const COLORREF kMargin = RGB(63, 75, 99);
const COLORREF kArrow = RGB(158, 168, 188);
const COLORREF kGreyArrow = RGB(128, 128, 128);

int CountIn(const kx::ClientCapture& cap, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) n += cap.CountInRow(y, rc.left, rc.right, clr);
    return n;
}

using ScrollPaint = sbtest::ScrollBarTest;

TEST_F(ScrollPaint, VerticalBarNormalPressedAndDisabled)
{
    Create(SBS_VERT, 20, 200);
    kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(cap.At(3, 3), kBox);
    EXPECT_EQ(cap.At(3, 196), kBox);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(2, 182, 18, 198), kArrow), 6);
    // The up arrow's narrowest row is above its widest.
    EXPECT_LT(cap.CountInRow(7, 0, 20, kArrow), cap.CountInRow(11, 0, 20, kArrow));
    EXPECT_EQ(cap.At(10, 45), kBox);  // thumb 20..73
    EXPECT_EQ(CountIn(cap, CRect(0, 73, 20, 180), kMargin), 20 * 107);

    // Held on the down box, the sunken frame survives the thumb repainting beside it.
    COLORREF seen[4] = {};
    const auto look = bar.Action([&] {
        const kx::ClientCapture now(bar.m_hWnd);
        seen[0] = now.At(0, 180);
        seen[1] = now.At(19, 199);
        seen[2] = now.At(10, 30);
        seen[3] = now.At(10, 60);
    });
    Run(10, 190, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), look, Up(10, 190)});
    EXPECT_EQ(seen[0], getdefaultColor(DEFCLR_BOXSHADOW));
    EXPECT_EQ(seen[1], getdefaultColor(DEFCLR_BOXLIGHT));
    EXPECT_EQ(seen[2], kMargin);  // the thumb moved down to position 2: 41..94
    EXPECT_EQ(seen[3], kBox);
    cap = kx::ClientCapture(bar.m_hWnd);
    EXPECT_NE(cap.At(0, 180), getdefaultColor(DEFCLR_BOXSHADOW));

    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_RTDN));
    cap = kx::ClientCapture(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 200), kArrow), 0);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kGreyArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(2, 182, 18, 198), kGreyArrow), 6);
    EXPECT_EQ(CountIn(cap, CRect(0, 20, 20, 180), kMargin), 20 * 160);  // no thumb
}

TEST_F(ScrollPaint, HorizontalBarAndColourSetters)
{
    bar.SetBkColor(RGB(200, 0, 0));  // before the window: only stored
    Create(SBS_HORZ, 200, 20);
    bar.SetMarginColor(RGB(0, 200, 0));
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(cap.At(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(45, 10), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(150, 10), RGB(0, 200, 0));
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(182, 2, 198, 18), kArrow), 6);
}

TEST_F(ScrollPaint, BarTooShortForAThumbShowsTwoHalfBoxes)
{
    Create(SBS_VERT, 20, 30);
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 30), kMargin), 0);
    EXPECT_EQ(cap.At(3, 3), kBox);
    EXPECT_EQ(cap.At(3, 26), kBox);
    EXPECT_GT(CountIn(cap, CRect(0, 0, 20, 15), kArrow), 0);
    EXPECT_GT(CountIn(cap, CRect(0, 15, 20, 30), kArrow), 0);
    bar.SetWindowPos(nullptr, 0, 0, 20, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(kx::ClientCapture(bar.m_hWnd).At(10, 150), kMargin);  // grown: a thumb and margins
}

}  // namespace
