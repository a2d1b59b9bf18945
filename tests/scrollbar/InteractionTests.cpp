// The tracking loops driven by scripts posted before the press: what the parent receives, in
// order, for arrow boxes, page areas, the thumb and double clicks, and how every loop ends.
#include "ScrollTesting.h"

using sbtest::ScrollBarTest;
using sbtest::Sequence;
using kx::Msg;

namespace {

// A vertical 20 x 200 bar, range 0..10, page 5, line step 1: arrow boxes at y 0..20 and
// 180..200, the thumb 53 pixels long on the track 20..180.
class ScrollLoops : public ScrollBarTest {
protected:
    void SetUp() override
    {
        ScrollBarTest::SetUp();
        Create(SBS_VERT, 20, 200);
    }
    void ExpectIdle()
    {
        EXPECT_FALSE(TimerLeft());
        EXPECT_EQ(::GetCapture(), nullptr);
    }
};

TEST_F(ScrollLoops, ArrowClickStepsOnceAtReleaseAndHoldingRepeats)
{
    Script({Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 1);
    ExpectIdle();

    // The first-delay tick only starts the repeat; each repeat tick and the release step.
    host.Clear();
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:2", "V1:3", "V1:4", "end"}));
    ExpectIdle();

    host.Clear();
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Up(10, 10)});
    Press(10, 10);
    EXPECT_EQ(Log(), Sequence({"begin", "V0:3", "V0:2", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 2);
    ExpectIdle();
}

TEST_F(ScrollLoops, ArrowRepeatPausesWhileThePointerIsOffTheBox)
{
    Script({Tick(IDT_FIRSTDELAY), Move(10, 100), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Move(12, 185),
            Tick(IDT_REPEAT), Up(10, 100)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "V1:2", "end"}));

    // Leaving before the first tick changes nothing: that tick sets it pressed, and only the
    // next move away pauses it.
    host.Clear();
    Script({Move(10, 100), Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Move(10, 101), Tick(IDT_REPEAT),
            Up(10, 101)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:3", "V1:4", "end"}));
    ExpectIdle();
}

TEST_F(ScrollLoops, ArrowStepsStopAtTheRangeEnd)
{
    bar.SetlineStep(3);
    bar.SetScrollPos(9, TRUE);
    Script({Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:10", "end"}));

    host.Clear();
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "end"}));
    ExpectIdle();
}

TEST_F(ScrollLoops, ReversedRangeStepsTowardTheMaximumAndTheTrackEnd)
{
    bar.SetScrollRange(10, 0, TRUE);
    bar.SetScrollPos(10, TRUE);
    host.Clear();
    Script({Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:9", "end"}));
    EXPECT_GT(bar.value2src(), 20);

    host.Clear();
    Script({Up(10, 150)});
    Press(10, 150);  // the page area after the thumb
    EXPECT_EQ(Log(), Sequence({"begin", "V3:4", "end"}));
}

TEST_F(ScrollLoops, PagingStopsWhenTheThumbReachesThePointerAndResumesBeyondIt)
{
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE, 0, 100, 10, 0, 0};
    bar.SetScrollInfo(&si, TRUE);
    ASSERT_EQ(bar.GetThumbLength(), 15);
    host.Clear();
    // Pressed at y 150: the thumb's end passes it at position 80. Moving to y 175 lets it go on
    // until the thumb reaches the track's end.
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT),
            Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT),
            Move(10, 175), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(10, 175)});
    Press(10, 150);
    EXPECT_EQ(Log(), Sequence({"begin", "V3:10", "V3:20", "V3:30", "V3:40", "V3:50", "V3:60", "V3:70", "V3:80",
                               "V3:90", "V3:100", "end"}));
    ExpectIdle();

    host.Clear();
    Script({Up(10, 100)});
    Press(10, 100);  // before the thumb: one page back, at the press, nothing at the release
    EXPECT_EQ(Log(), Sequence({"begin", "V2:90", "end"}));
}

TEST_F(ScrollLoops, AParentThatNeverAnswersLeavesThePositionAlone)
{
    answer = false;
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "V1:1", "V1:1", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 0);
    EXPECT_EQ(bar.GetTrackPos(), 1);

    // The page loop asks once and then only when its proposal would change.
    host.Clear();
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(10, 150)});
    Press(10, 150);
    EXPECT_EQ(Log(), Sequence({"begin", "V3:5", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 0);
    ExpectIdle();
}

TEST_F(ScrollLoops, ThumbDragProposesOnEveryMoveAndEndsWithTheEndNoticeAlone)
{
    sbtest::SetButtonDown(true);
    // The first move leaves the drag rectangle (the system's drag check takes it); then the
    // pointer goes 54 pixels down, stays, goes sideways off the bar, and past the end.
    Script({Move(110, 30), Move(10, 84), Move(10, 84), Move(300, 84), Move(10, 260), Up(10, 260)});
    Press(10, 30);
    EXPECT_EQ(Log(), Sequence({"begin", "V5:5", "V5:5", "V5:5", "V5:10", "end"}));
    EXPECT_EQ(bar.GetScrollPos(), 10);
    ExpectIdle();

    // At position 3 the thumb's edge maps back to 2: the correction keeps 3 until it moves.
    bar.SetScrollPos(3, TRUE);
    host.Clear();
    Script({Move(110, 62), Move(10, 62), Up(10, 62)});
    Press(10, 62);
    EXPECT_EQ(Log(), Sequence({"begin", "V5:3", "end"}));

    // Released inside the drag rectangle: nothing at all.
    host.Clear();
    Script({Up(10, 62)});
    Press(10, 62);
    EXPECT_TRUE(host.log.empty());
    ExpectIdle();
}

TEST_F(ScrollLoops, EveryLoopEndsWhenAnotherWindowTakesTheCapture)
{
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), bar.Action([this] { host.SetCapture(); }), Tick(IDT_REPEAT),
            Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "V1:2", "end"}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);  // not taken back, not released
    EXPECT_FALSE(TimerLeft());
    ::ReleaseCapture();
    kx::PumpMessages();

    host.Clear();
    Script({bar.Action([this] { host.SetCapture(); }), Tick(IDT_FIRSTDELAY), Up(10, 150)});
    Press(10, 150);
    EXPECT_EQ(Log(), Sequence({"begin", "V3:7", "end"}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);
    ::ReleaseCapture();
    kx::PumpMessages();

    sbtest::SetButtonDown(true);
    host.Clear();
    Script({Move(110, 100), bar.Action([this] { host.SetCapture(); }), Move(10, 140), Up(10, 140)});
    Press(10, 100);  // the thumb, at 94..147
    EXPECT_EQ(Log(), Sequence({"begin", "end"}));
    ::ReleaseCapture();
    kx::PumpMessages();
}

TEST_F(ScrollLoops, QuitEndsTheLoopAndIsConsumed)
{
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Msg(WM_QUIT), Tick(IDT_REPEAT), Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "V1:2", "end"}));
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    kx::PumpMessages();
    ExpectIdle();

    host.Clear();
    Script({Msg(WM_QUIT), Up(10, 150)});
    Press(10, 150);
    EXPECT_EQ(Log(), Sequence({"begin", "V3:7", "end"}));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    kx::PumpMessages();
    ExpectIdle();
}

TEST_F(ScrollLoops, DoubleClicksStepTwiceAndADisabledBarIgnoresTheMouse)
{
    Script({Up(10, 190)});
    Press(10, 190);
    DoubleClick(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1", "end", "begin", "V1:3", "end"}));

    host.Clear();
    DoubleClick(10, 150);  // page area: two pages, clamped
    DoubleClick(10, 10);
    DoubleClick(10, 130);  // the thumb, at 105..158: nothing
    EXPECT_EQ(Log(), Sequence({"begin", "V3:10", "end", "begin", "V0:8", "end"}));

    host.Clear();
    bar.EnableScrollBar(ESB_DISABLE_LTUP);
    Script({Up(10, 190)});
    Press(10, 190);
    DoubleClick(10, 190);
    Press(10, 150);
    EXPECT_TRUE(host.log.empty());
    ExpectIdle();
    kx::PumpMessages();
}

TEST_F(ScrollLoops, AParentThatDestroysTheBarEndsTheLoopQuietly)
{
    host.onScroll = [this](UINT, WPARAM, LPARAM) { bar.DestroyWindow(); };
    Script({Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(10, 190)});
    Press(10, 190);
    EXPECT_EQ(Log(), Sequence({"begin", "V1:1"}));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    kx::PumpMessages();
}

class HorizontalLoops : public ScrollBarTest {
protected:
    void SetUp() override
    {
        ScrollBarTest::SetUp();
        Create(SBS_HORZ, 200, 20);
    }
};

TEST_F(HorizontalLoops, RequestsCarryTheLowWordAndTheTrackPositionHoldsTheRest)
{
    bar.SetScrollRange(0, 100000, TRUE);
    bar.SetScrollPos(99999, TRUE);
    host.Clear();
    Script({Up(190, 10)});
    Press(190, 10);
    EXPECT_EQ(Log(), Sequence({"begin", "H1:34464", "end"}));  // 100000 & 0xffff
    SCROLLINFO si{};
    bar.GetScrollInfo(&si, SIF_TRACKPOS);
    EXPECT_EQ(si.nTrackPos, 100000);
    EXPECT_EQ(bar.GetScrollPos(), 100000);
    EXPECT_EQ(host.log[1].lParam, reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(host.log[0].hdr.idFrom, sbtest::kBarId);
    EXPECT_EQ(host.log[0].hdr.hwndFrom, bar.m_hWnd);
    EXPECT_EQ(host.log[0].wParam, sbtest::kBarId);

    sbtest::SetButtonDown(true);
    bar.SetScrollRange(0, 10, TRUE);
    bar.SetScrollPos(0, TRUE);
    host.Clear();
    Script({Move(30, 110), Move(84, 30), Up(84, 30)});
    Press(30, 10);
    EXPECT_EQ(Log(), Sequence({"begin", "H5:5", "end"}));
}

}  // namespace
