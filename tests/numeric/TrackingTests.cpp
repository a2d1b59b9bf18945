// The tracking loops driven by scripts posted before the press: digit dragging with its
// accelerators, pointer wrap and Escape; the step buttons with their first delay and repeat.
#include "NumericTesting.h"

using numtest::KindList;
using numtest::NumEditTest;
using numtest::ScriptActions;
using numtest::SetKeyDown;
using kx::Msg;
using kx::PointParam;

namespace {

class NumEditDrag : public NumEditTest {
protected:
    void SetUp() override
    {
        NumEditTest::SetUp();
        Create(ES_RIGHT);
        edit.SetNumberMinMax(-1000, 1000, 0);
        edit.SetCurValue(10.0f);
        start = PlaceCenter(2);
        host.Clear();
    }
    MSG MoveBy(int dy) const { return Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(start.x, start.y + dy)); }
    MSG Up() const { return Msg(WM_LBUTTONUP, 0, PointParam(start.x, start.y)); }
    void Press() { edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(start.x, start.y)); }

    CPoint start;
};

TEST_F(NumEditDrag, StepsFromTheTotalTravel)
{
    kx::PostScript(edit.m_hWnd, {MoveBy(-1), MoveBy(-2), MoveBy(-4), MoveBy(-7), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 13.0f);  // 7 px / mouse gap 2 = 3 gaps
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetCapture(), nullptr);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(CPoint(cursor), ToScreen(start));  // put back after a change
}

TEST_F(NumEditDrag, TooShortATravelChangesNothing)
{
    CPoint elsewhere = ToScreen(CPoint(start.x + 5, start.y + 5));
    ::SetCursorPos(elsewhere.x, elsewhere.y);
    kx::PostScript(edit.m_hWnd, {MoveBy(-1), MoveBy(1), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_TRUE(host.log.empty());
    POINT cursor{};
    ::GetCursorPos(&cursor);
    EXPECT_EQ(CPoint(cursor), elsewhere);
}

TEST_F(NumEditDrag, DownDecreasesAndBackToTheStartRestores)
{
    kx::PostScript(edit.m_hWnd, {MoveBy(6), MoveBy(0), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditDrag, ShiftAndThenCtrlRescaleTheWholeTravel)
{
    ScriptActions actions;
    SetKeyDown(VK_SHIFT, true);
    float withShift = 0;
    kx::PostScript(edit.m_hWnd, {MoveBy(-4),
                                 actions.Action([&] {
                                     withShift = edit.Current();
                                     SetKeyDown(VK_CONTROL, true);
                                 }),
                                 Msg(WM_KEYDOWN, VK_CONTROL), MoveBy(-4), Up()});
    Press();
    EXPECT_EQ(withShift, 20.0f);           // 2 gaps x 5
    EXPECT_EQ(edit.GetCurValue(), 60.0f);  // the same 2 gaps x 25
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditDrag, ShiftAloneGivesFiveGapsAStep)
{
    SetKeyDown(VK_SHIFT, true);
    kx::PostScript(edit.m_hWnd, {MoveBy(-4), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 20.0f);
}

TEST_F(NumEditDrag, TheMaximumStopsFurtherNotifications)
{
    edit.SetNumberMinMax(-1000, 12, 0);
    edit.SetCurValue(10.0f);
    host.Clear();
    kx::PostScript(edit.m_hWnd, {MoveBy(-4), MoveBy(-10), MoveBy(-20), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 12.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditDrag, PointerWrapsAtTheBottomAndTravelIsCounted)
{
    const int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const CPoint startScreen = ToScreen(start);
    // Down to the last row: the pointer jumps to row 1 and the travel goes on from there.
    CPoint bottom(startScreen.x, screenHeight - 1), top(startScreen.x, 3);
    edit.ScreenToClient(&bottom);
    edit.ScreenToClient(&top);
    kx::PostScript(edit.m_hWnd, {Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(bottom.x, bottom.y)),
                                 Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(top.x, top.y)), Up()});
    Press();
    const int travel = 3 + (screenHeight - 3) - startScreen.y;
    EXPECT_EQ(edit.GetCurValue(), 10.0f - static_cast<float>(travel / 2));
    EXPECT_EQ(Kinds().size(), 4u);
}

TEST_F(NumEditDrag, EscapeEndsTheDragKeepingTheValue)
{
    kx::PostScript(edit.m_hWnd, {MoveBy(-6), Msg(WM_KEYDOWN, VK_ESCAPE), MoveBy(-20), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 13.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
    kx::PumpMessages();  // what the loop left behind goes to the host's pump
}

TEST_F(NumEditDrag, ReadOnlyControlsDoNotTrack)
{
    edit.ModifyStyle(0, ES_READONLY);
    kx::PostScript(edit.m_hWnd, {MoveBy(-6), Up()});
    Press();
    kx::PumpMessages();
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_TRUE(host.log.empty());
}

class NumEditStep : public NumEditTest {
protected:
    void SetUp() override
    {
        NumEditTest::SetUp();
        Create(ES_RIGHT);
        edit.SetDicimalNum(1);
        edit.SetCurValue(10.0f);
        host.Clear();
        const int stepLeft = 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL);
        upper = CPoint(stepLeft + 5, 4);
        lower = CPoint(stepLeft + 5, 15);
    }
    MSG Tick(UINT_PTR id) const { return Msg(WM_TIMER, id, 0); }
    MSG Up(CPoint p) const { return Msg(WM_LBUTTONUP, 0, PointParam(p.x, p.y)); }
    MSG Move(CPoint p) const { return Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(p.x, p.y)); }
    void Press(CPoint p) { edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p.x, p.y)); }

    CPoint upper, lower;
};

TEST_F(NumEditStep, QuickClickStepsOnce)
{
    edit.SetNumberGap(0.5f);
    kx::PostScript(edit.m_hWnd, {Up(lower)});
    Press(lower);
    EXPECT_EQ(edit.GetCurValue(), 9.5f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(NumEditStep, HoldingRepeatsAfterTheFirstDelay)
{
    kx::PostScript(edit.m_hWnd, {Tick(IDT_REPEAT), Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT),
                                 Tick(IDT_REPEAT), Up(upper)});
    Press(upper);
    // A repeat tick before the first delay does nothing; the first-delay tick itself neither.
    EXPECT_EQ(edit.GetCurValue(), 13.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, LeavingTheButtonPausesTheRepeat)
{
    const CPoint away(5, 5);
    kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Move(away), Tick(IDT_REPEAT),
                                 Tick(IDT_REPEAT), Move(upper), Tick(IDT_REPEAT), Up(away)});
    Press(upper);
    EXPECT_EQ(edit.GetCurValue(), 12.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, ReleasedOutsideBeforeTheRepeatStillStepsOnce)
{
    kx::PostScript(edit.m_hWnd, {Move(CPoint(5, 5)), Up(CPoint(5, 5))});
    Press(upper);
    EXPECT_EQ(edit.GetCurValue(), 11.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, ShiftAfterThePressSpeedsTheRepeatDown)
{
    ScriptActions actions;
    kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), actions.Action([] { SetKeyDown(VK_SHIFT, true); }),
                                 Msg(WM_KEYDOWN, VK_SHIFT), Tick(IDT_REPEAT), Up(lower)});
    Press(lower);
    EXPECT_EQ(edit.GetCurValue(), 5.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, HoldingAtTheLimitSendsNothing)
{
    edit.SetCurValue(100.0f);
    host.Clear();
    kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Up(upper)});
    Press(upper);
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_TRUE(host.log.empty());

    kx::PostScript(edit.m_hWnd, {Up(upper)});  // nor a single click
    Press(upper);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditStep, ZeroGapNeverSteps)
{
    edit.SetNumberGap(0.0f);
    kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Up(upper)});
    Press(upper);
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditStep, PressedFrameShowsWhileHeldAndGoesAfter)
{
    ScriptActions actions;
    const COLORREF pressed = getdefaultColor(DEFCLR_EDITTEXT);
    const int stepLeft = 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL);
    COLORREF duringPress = 0;
    kx::PostScript(edit.m_hWnd, {actions.Action([&] {
                                     HDC dc = ::GetDC(edit.m_hWnd);
                                     duringPress = ::GetPixel(dc, stepLeft, 1);
                                     ::ReleaseDC(edit.m_hWnd, dc);
                                 }),
                                 Up(upper)});
    Press(upper);
    EXPECT_EQ(duringPress, pressed);
    kx::PumpMessages();
    kx::ClientCapture cap(edit.m_hWnd);
    EXPECT_EQ(cap.At(stepLeft, 1), RGB(69, 72, 80));
}

TEST(NumEditTimers, WaitTable)
{
    CNumEdit e;
    EXPECT_EQ(e.GetTimerWait(static_cast<int>(IDT_FIRSTDELAY)), 150);
    EXPECT_EQ(e.GetTimerWait(static_cast<int>(IDT_REPEAT)), 100);
    EXPECT_EQ(e.GetTimerWait(7), 150);
}

}  // namespace
