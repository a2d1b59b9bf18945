// The tracking loops driven by scripts posted before the press: the whole sequence the parent
// receives for arrow boxes, page areas, the thumb and double clicks, and how each loop ends.
#include "ScrollTesting.h"

using sbtest::Sequence;

namespace {

constexpr UINT_PTR T1 = IDT_FIRSTDELAY;
constexpr UINT_PTR T2 = IDT_REPEAT;

// A vertical 20 x 200 bar, range 0..10, page 5: arrow boxes at y 0..20 and 180..200, a thumb
// 53 pixels long on the track 20..180.
class ScrollLoops : public sbtest::ScrollBarTest {
protected:
    void SetUp() override
    {
        ScrollBarTest::SetUp();
        Create(SBS_VERT, 20, 200);
    }
};

TEST_F(ScrollLoops, ArrowBoxesStepAtReleaseRepeatWhileHeldAndPauseOffTheBox)
{
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:1", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 1);
    ExpectIdle();
    // The first-delay tick only starts the repeat; then each repeat tick, and the release.
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:2", "V1:3", "V1:4", "end"}));
    EXPECT_EQ(Run(10, 10, {Tick(T1), Tick(T2), Up(10, 10)}), Sequence({"begin", "V0:3", "V0:2", "end"}));
    ExpectIdle();
    // Off the box the ticks do nothing; a move back resumes them. A move away before the first
    // tick is ignored: that tick presses the box again.
    EXPECT_EQ(Run(10, 190, {Tick(T1), Move(10, 100), Tick(T2), Move(12, 185), Tick(T2), Up(10, 100)}),
              Sequence({"begin", "V1:3", "V1:4", "end"}));
    EXPECT_EQ(Run(10, 190, {Move(10, 100), Tick(T1), Tick(T2), Move(10, 101), Tick(T2), Up(10, 101)}),
              Sequence({"begin", "V1:5", "V1:6", "end"}));
    // A line step of 3 from 9 stops at the maximum; there, a press asks for nothing.
    bar.SetlineStep(3);
    bar.SetScrollPos(9, TRUE);
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:10", "end"}));
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Up(10, 190)}), Sequence({"begin", "end"}));
    // Reversed, the second box and the second page area still move the thumb toward the end.
    bar.SetScrollRange(10, 0, TRUE);
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:7", "end"}));
    EXPECT_EQ(Run(10, 150, {Up(10, 150)}), Sequence({"begin", "V3:2", "end"}));
    ExpectIdle();
}

TEST_F(ScrollLoops, PagingStopsWhereTheThumbReachesThePointerAndResumesBeyondIt)
{
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
    bar.SetScrollInfo(&si, TRUE);  // a 15-pixel thumb
    // Pressed at y 150, the thumb's end passes it at 80; the pointer at 175 lets it go to 100.
    EXPECT_EQ(Run(10, 150, {Tick(T1), Tick(T2), Tick(T2), Tick(T2), Tick(T2), Tick(T2), Tick(T2), Tick(T2), Tick(T2),
                            Tick(T2), Move(10, 175), Tick(T2), Tick(T2), Tick(T2), Up(10, 175)}),
              Sequence({"begin", "V3:10", "V3:20", "V3:30", "V3:40", "V3:50", "V3:60", "V3:70", "V3:80", "V3:90",
                        "V3:100", "end"}));
    ExpectIdle();
    EXPECT_EQ(Run(10, 100, {Up(10, 100)}), Sequence({"begin", "V2:90", "end"}));  // nothing added at release
}

TEST_F(ScrollLoops, AParentThatNeverAnswersLeavesThePositionAlone)
{
    answer = false;
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), Up(10, 190)}),
              Sequence({"begin", "V1:1", "V1:1", "V1:1", "end"}));
    // The page loop repeats a proposal only when it would change.
    EXPECT_EQ(Run(10, 150, {Tick(T1), Tick(T2), Tick(T2), Up(10, 150)}), Sequence({"begin", "V3:5", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_EQ(bar.GetTrackPos(), 5);
    ExpectIdle();
}

TEST_F(ScrollLoops, ThumbDragProposesOnEveryMoveAndEndsWithTheEndNoticeAlone)
{
    sbtest::SetButtonDown(true);
    // The first move leaves the drag rectangle (the system's drag check takes it); then 54
    // pixels down, the same again, sideways off the bar, and past the end.
    EXPECT_EQ(Run(10, 30, {Move(110, 30), Move(10, 84), Move(10, 84), Move(300, 84), Move(10, 260), Up(10, 260)}),
              Sequence({"begin", "V5:5", "V5:5", "V5:5", "V5:10", "end"}));
    ExpectIdle();
    // At 3 the thumb's edge (52) maps back to 2: the correction keeps 3 until the pointer moves.
    bar.SetScrollPos(3, TRUE);
    EXPECT_EQ(Run(10, 62, {Move(110, 62), Move(10, 62), Up(10, 62)}), Sequence({"begin", "V5:3", "end"}));
    EXPECT_EQ(Run(10, 62, {Up(10, 62)}), Sequence());  // released inside the drag rectangle
    ExpectIdle();
}

TEST_F(ScrollLoops, LoopsEndOnCaptureLossQuitAndTheParentDestroyingTheBar)
{
    auto takeCapture = bar.Action([this] { host.SetCapture(); });
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), takeCapture, Tick(T2), Up(10, 190)}),
              Sequence({"begin", "V1:1", "V1:2", "end"}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);  // neither taken back nor released
    ::ReleaseCapture();
    EXPECT_EQ(Run(10, 150, {takeCapture, Tick(T1), Up(10, 150)}), Sequence({"begin", "V3:7", "end"}));
    sbtest::SetButtonDown(true);
    EXPECT_EQ(Run(10, 100, {Move(110, 100), takeCapture, Move(10, 140), Up(10, 140)}), Sequence({"begin", "end"}));
    ::ReleaseCapture();
    kx::PumpMessages();

    // WM_QUIT ends the loop, which still finishes its steps, and is not posted again.
    MSG msg;
    bar.SetScrollPos(0, TRUE);
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), kx::Msg(WM_QUIT), Tick(T2), Up(10, 190)}),
              Sequence({"begin", "V1:1", "V1:2", "end"}));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(Run(10, 150, {kx::Msg(WM_QUIT), Up(10, 150)}), Sequence({"begin", "V3:7", "end"}));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    kx::PumpMessages();
    ExpectIdle();

    host.onScroll = [this](UINT, WPARAM, LPARAM) { bar.DestroyWindow(); };
    bar.SetScrollPos(0, TRUE);
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:1"}));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ScrollLoops, DoubleClicksStepTwiceAndADisabledBarIgnoresTheMouse)
{
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:1", "end"}));
    EXPECT_EQ(Run(10, 190, {}, WM_LBUTTONDBLCLK), Sequence({"begin", "V1:3", "end"}));
    EXPECT_EQ(Run(10, 150, {}, WM_LBUTTONDBLCLK), Sequence({"begin", "V3:10", "end"}));  // two pages, clamped
    EXPECT_EQ(Run(10, 10, {}, WM_LBUTTONDBLCLK), Sequence({"begin", "V0:8", "end"}));
    EXPECT_EQ(Run(10, 130, {}, WM_LBUTTONDBLCLK), Sequence());  // the thumb

    bar.EnableScrollBar(ESB_DISABLE_LTUP);
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence());
    EXPECT_EQ(Run(10, 190, {}, WM_LBUTTONDBLCLK), Sequence());
    EXPECT_EQ(Run(10, 150, {}), Sequence());
    ExpectIdle();
}

TEST_F(ScrollLoops, HorizontalRequestsCarryTheLowWordAndTheTrackPositionTheRest)
{
    bar.ModifySBStyle(SBS_VERT, 0, FALSE);
    bar.SetWindowPos(nullptr, 0, 0, 200, 20, SWP_NOMOVE | SWP_NOZORDER);
    bar.SetScrollRange(0, 100000, TRUE);
    bar.SetScrollPos(99999, TRUE);
    EXPECT_EQ(Run(190, 10, {Up(190, 10)}), Sequence({"begin", "H1:34464", "end"}));  // 100000 & 0xffff
    SCROLLINFO si{};
    bar.GetScrollInfo(&si, SIF_TRACKPOS);
    EXPECT_EQ(si.nTrackPos, 100000);
    EXPECT_EQ(bar.GetScrollPos(), 100000);
    const NMHDR& begin = host.log[0].hdr;
    EXPECT_EQ(begin.hwndFrom, bar.m_hWnd);
    EXPECT_EQ(begin.idFrom, sbtest::kBarId);
    EXPECT_EQ(host.log[0].wParam, sbtest::kBarId);
}

}  // namespace
