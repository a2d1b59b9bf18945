// What the bar shows: arrow boxes, arrows, margins and thumb in both orientations, the pressed
// and disabled looks, the colour setters and a bar too short for a thumb.
#include "ScrollTesting.h"

using sbtest::ScrollBarTest;

namespace {

const COLORREF kBox = RGB(43, 51, 67);
const COLORREF kMargin = RGB(63, 75, 99);
const COLORREF kArrow = RGB(158, 168, 188);
const COLORREF kGreyArrow = RGB(128, 128, 128);

// Pixels of a colour inside a rectangle of a capture.
int CountIn(const kx::ClientCapture& cap, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) n += cap.CountInRow(y, rc.left, rc.right, clr);
    return n;
}

class ScrollPaint : public ScrollBarTest {};

TEST_F(ScrollPaint, VerticalBarShowsBoxesArrowsMarginAndThumb)
{
    Create(SBS_VERT, 20, 200);
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(getdefaultColor(DEFCLR_BK), kBox);
    EXPECT_EQ(cap.At(3, 3), kBox);
    EXPECT_EQ(cap.At(3, 196), kBox);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(2, 182, 18, 198), kArrow), 6);
    EXPECT_EQ(CountIn(cap, CRect(0, 20, 20, 180), kArrow), 0);
    // The up arrow points up: its widest row is below its narrowest.
    int top = 20, bottom = -1;
    for (int y = 0; y < 20; ++y)
        if (cap.CountInRow(y, 0, 20, kArrow) > 0) top = std::min(top, y), bottom = std::max(bottom, y);
    EXPECT_LT(cap.CountInRow(top, 0, 20, kArrow), cap.CountInRow(bottom, 0, 20, kArrow));

    EXPECT_EQ(cap.At(10, 45), kBox);      // thumb 20..73
    EXPECT_NE(cap.At(0, 20), kBox);       // its raised border
    EXPECT_EQ(CountIn(cap, CRect(1, 74, 19, 180), kMargin), 18 * 106);
    EXPECT_EQ(cap.CountInRow(73, 0, 20, kMargin), 20);

    // A new position moves the thumb; the old place becomes margin.
    bar.SetScrollPos(10, TRUE);
    const kx::ClientCapture moved(bar.m_hWnd);
    EXPECT_EQ(moved.At(10, 45), kMargin);
    EXPECT_EQ(moved.At(10, 150), kBox);  // thumb 127..180
}

TEST_F(ScrollPaint, HorizontalBarAndColourSetters)
{
    bar.SetBkColor(RGB(10, 20, 30));  // before the window: only stored
    EXPECT_EQ(bar.GetBkColor(), RGB(10, 20, 30));
    bar.SetBkColor(kBox);
    Create(SBS_HORZ, 200, 20);
    kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(cap.At(3, 3), kBox);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(182, 2, 198, 18), kArrow), 6);
    EXPECT_EQ(cap.At(45, 10), kBox);
    EXPECT_EQ(cap.At(150, 10), kMargin);
    // The left arrow points left: its widest column is right of its narrowest.
    int left = 20, right = -1;
    for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y)
            if (cap.At(x, y) == kArrow) left = std::min(left, x), right = std::max(right, x);
    int leftCount = 0, rightCount = 0;
    for (int y = 0; y < 20; ++y) {
        leftCount += cap.At(left, y) == kArrow;
        rightCount += cap.At(right, y) == kArrow;
    }
    EXPECT_LT(leftCount, rightCount);

    bar.SetBkColor(RGB(200, 0, 0));
    bar.SetMarginColor(RGB(0, 200, 0));
    cap = kx::ClientCapture(bar.m_hWnd);
    EXPECT_EQ(cap.At(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(45, 10), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(150, 10), RGB(0, 200, 0));
}

TEST_F(ScrollPaint, DisabledBarHasGreyArrowsAndAPlainTrack)
{
    Create(SBS_VERT, 20, 200);
    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_RTDN));
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 200), kArrow), 0);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), kGreyArrow), 6);
    EXPECT_GT(CountIn(cap, CRect(2, 182, 18, 198), kGreyArrow), 6);
    EXPECT_EQ(CountIn(cap, CRect(0, 20, 20, 180), kMargin), 20 * 160);
}

TEST_F(ScrollPaint, PressedArrowBoxSurvivesTheThumbMovingUnderIt)
{
    Create(SBS_VERT, 20, 200);
    host.onScroll = [this](UINT, WPARAM wParam, LPARAM) { bar.SetScrollPos(HIWORD(wParam), TRUE); };
    const COLORREF shadow = getdefaultColor(DEFCLR_BOXSHADOW);
    const COLORREF light = getdefaultColor(DEFCLR_BOXLIGHT);
    COLORREF atPress[2] = {}, afterStep[2] = {}, thumbAfterStep = 0;
    Script({bar.Action([&] {
                const kx::ClientCapture cap(bar.m_hWnd);
                atPress[0] = cap.At(0, 180);
                atPress[1] = cap.At(19, 199);
            }),
            Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT),
            bar.Action([&] {
                const kx::ClientCapture cap(bar.m_hWnd);
                afterStep[0] = cap.At(0, 180);
                afterStep[1] = cap.At(19, 199);
                thumbAfterStep = cap.At(10, 45);
            }),
            Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(atPress[0], shadow);
    EXPECT_EQ(atPress[1], light);
    EXPECT_EQ(afterStep[0], shadow);
    EXPECT_EQ(afterStep[1], light);
    EXPECT_EQ(thumbAfterStep, kBox);
    EXPECT_EQ(bar.GetScrollPos(), 3);

    // Released: the raised look is back.
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_NE(cap.At(0, 180), shadow);
    EXPECT_EQ(cap.At(3, 183), kBox);
}

TEST_F(ScrollPaint, BarTooShortForAThumbShowsTwoHalfBoxes)
{
    Create(SBS_VERT, 20, 30);
    EXPECT_EQ(bar.GetEndBoxLength(), 15);
    EXPECT_EQ(bar.GetThumbLength(), 0);
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 30), kMargin), 0);
    EXPECT_EQ(cap.At(3, 3), kBox);
    EXPECT_EQ(cap.At(3, 26), kBox);
    EXPECT_GT(CountIn(cap, CRect(0, 0, 20, 15), kArrow), 0);
    EXPECT_GT(CountIn(cap, CRect(0, 15, 20, 30), kArrow), 0);

    // Growing it brings the thumb.
    bar.SetWindowPos(nullptr, 0, 0, 20, 200, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(bar.GetThumbLength(), 53);
    EXPECT_EQ(kx::ClientCapture(bar.m_hWnd).At(10, 150), kMargin);
}

}  // namespace
