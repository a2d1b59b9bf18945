// The tracking loops driven by scripts posted before the press: digit dragging with its
// accelerators, pointer wrap and Escape; the step buttons with their first delay and repeat.
#include "NumericTesting.h"

using numtest::Codes;
using numtest::CursorPos;
using numtest::NumEditTest;
using numtest::SetKeyDown;
using kx::Msg;

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
    MSG MoveBy(int dy) const { return MoveTo(CPoint(start.x, start.y + dy)); }
    MSG Up() const { return ReleaseAt(start); }
    void Press() { PressAt(start); }

    CPoint start;
};

TEST_F(NumEditDrag, SevenPixelsUpGiveThreeGapsAndOnePixelNothing)
{
    // Too short a travel: no change, no notification, and the pointer is left where it is.
    const CPoint elsewhere = ToScreen(CPoint(start.x + 5, start.y + 5));
    ::SetCursorPos(elsewhere.x, elsewhere.y);
    kx::PostScript(edit.m_hWnd, {MoveBy(-1), MoveBy(1), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(CursorPos(), elsewhere);

    kx::PostScript(edit.m_hWnd, {MoveBy(-1), MoveBy(-2), MoveBy(-4), MoveBy(-7), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 13.0f);  // 7 px / mouse gap 2 = 3 gaps
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(CursorPos(), ToScreen(start));  // put back after a change
}

TEST_F(NumEditDrag, ShiftAndThenCtrlRescaleTheWholeTravel)
{
    SetKeyDown(VK_SHIFT, true);
    float withShift = 0;
    kx::PostScript(edit.m_hWnd, {MoveBy(-4),
                                 edit.Action([&] {
                                     withShift = edit.Current();
                                     SetKeyDown(VK_CONTROL, true);
                                 }),
                                 Msg(WM_KEYDOWN, VK_CONTROL), MoveBy(-4), Up()});
    Press();
    EXPECT_EQ(withShift, 20.0f);           // 2 gaps x 5
    EXPECT_EQ(edit.GetCurValue(), 60.0f);  // the same 2 gaps x 25
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditDrag, PointerWrapsAtTheBottomAndTravelIsCounted)
{
    const int screenHeight = ::GetSystemMetrics(SM_CYFULLSCREEN);
    const CPoint startScreen = ToScreen(start);
    // Down to the last row: the pointer jumps to row 1 and the travel goes on from there.
    CPoint bottom(startScreen.x, screenHeight - 1), top(startScreen.x, 3);
    edit.ScreenToClient(&bottom);
    edit.ScreenToClient(&top);
    kx::PostScript(edit.m_hWnd, {MoveTo(bottom), MoveTo(top), Up()});
    Press();
    const int travel = 3 + (screenHeight - 3) - startScreen.y;
    EXPECT_EQ(edit.GetCurValue(), 10.0f - static_cast<float>(travel / 2));
    EXPECT_EQ(Kinds().size(), 4u);
}

TEST_F(NumEditDrag, EscapeOrTheMaximumEndsTheChanges)
{
    kx::PostScript(edit.m_hWnd, {MoveBy(-6), Msg(WM_KEYDOWN, VK_ESCAPE), MoveBy(-20), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 13.0f);  // the value reached stays
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
    kx::PumpMessages();  // what the loop left behind goes to the host's pump

    edit.SetNumberMinMax(-1000, 15, 0);
    host.Clear();
    kx::PostScript(edit.m_hWnd, {MoveBy(-4), MoveBy(-10), MoveBy(-20), Up()});
    Press();
    EXPECT_EQ(edit.GetCurValue(), 15.0f);  // reached on the first move; nothing further
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
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
    static MSG Tick(UINT_PTR id) { return Msg(WM_TIMER, id, 0); }

    CPoint upper, lower;
};

TEST_F(NumEditStep, AClickStepsOnceWhereverItIsReleased)
{
    edit.SetNumberGap(0.5f);
    kx::PostScript(edit.m_hWnd, {ReleaseAt(lower)});
    PressAt(lower);
    EXPECT_EQ(edit.GetCurValue(), 9.5f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetCapture(), nullptr);

    host.Clear();
    kx::PostScript(edit.m_hWnd, {MoveTo(CPoint(5, 5)), ReleaseAt(CPoint(5, 5))});
    PressAt(upper);
    EXPECT_EQ(edit.GetCurValue(), 10.0f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, HoldingRepeatsAfterTheFirstDelayAndPausesOffTheButton)
{
    // A repeat tick before the first delay does nothing, the first-delay tick itself neither;
    // off the button the ticks are ignored until the pointer comes back.
    const CPoint away(5, 5);
    kx::PostScript(edit.m_hWnd, {Tick(IDT_REPEAT), Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), MoveTo(away),
                                 Tick(IDT_REPEAT), Tick(IDT_REPEAT), MoveTo(upper), Tick(IDT_REPEAT),
                                 Tick(IDT_REPEAT), ReleaseAt(away)});
    PressAt(upper);
    EXPECT_EQ(edit.GetCurValue(), 13.0f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, ShiftAfterThePressSpeedsTheRepeatDown)
{
    kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), edit.Action([] { SetKeyDown(VK_SHIFT, true); }),
                                 Msg(WM_KEYDOWN, VK_SHIFT), Tick(IDT_REPEAT), ReleaseAt(lower)});
    PressAt(lower);
    EXPECT_EQ(edit.GetCurValue(), 5.0f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
}

TEST_F(NumEditStep, HoldingAtTheLimitOrWithAZeroGapSendsNothing)
{
    const struct {
        float value, gap;
    } cases[] = {{100.0f, 1.0f}, {10.0f, 0.0f}};
    for (const auto& c : cases) {
        edit.SetCurValue(c.value);
        edit.SetNumberGap(c.gap);
        host.Clear();
        kx::PostScript(edit.m_hWnd, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), ReleaseAt(upper)});
        PressAt(upper);
        kx::PostScript(edit.m_hWnd, {ReleaseAt(upper)});  // nor a single click
        PressAt(upper);
        EXPECT_EQ(edit.GetCurValue(), c.value);
        EXPECT_TRUE(host.log.empty()) << c.value;
    }
}

TEST_F(NumEditStep, PressedFrameShowsWhileHeldAndGoesAfter)
{
    const COLORREF pressed = getdefaultColor(DEFCLR_EDITTEXT);
    const int stepLeft = 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL);
    COLORREF duringPress = 0;
    kx::PostScript(edit.m_hWnd, {edit.Action([&] {
                                     HDC dc = ::GetDC(edit.m_hWnd);
                                     duringPress = ::GetPixel(dc, stepLeft, 1);
                                     ::ReleaseDC(edit.m_hWnd, dc);
                                 }),
                                 ReleaseAt(upper)});
    PressAt(upper);
    EXPECT_EQ(duringPress, pressed);
    kx::PumpMessages();
    kx::ClientCapture cap(edit.m_hWnd);
    EXPECT_EQ(cap.At(stepLeft, 1), RGB(69, 72, 80));
}

// A parent may destroy the editor in its handler of any notification, in the middle of a loop.
// The loop must end at once: a quit message posted after the script must still be waiting
// (a loop that kept running would have taken it), and nothing of the script is left to it.
TEST_F(NumEditStep, AParentDestroyingTheEditorMidLoopEndsTheLoopAtOnce)
{
    struct Case {
        const char* what;
        UINT destroyOn;
        bool step;
    } cases[] = {{"text drag, on begin-change", NUMN_BEGINCHANGE, false},
                 {"step repeat, on changing", NUMN_CHANGING, true}};
    for (const Case& c : cases) {
        if (!edit.m_hWnd) Create(ES_RIGHT);
        host.Clear();
        host.onLogged = [&](const kx::LoggedMessage& m) {
            if (m.message == WM_COMMAND && HIWORD(m.wParam) == c.destroyOn) edit.DestroyWindow();
        };
        const HWND hwnd = edit.m_hWnd;
        const CPoint text = PlaceCenter(2);
        if (c.step)
            kx::PostScript(hwnd, {Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), ReleaseAt(upper)});
        else
            kx::PostScript(hwnd, {MoveTo(CPoint(text.x, text.y - 6)), MoveTo(CPoint(text.x, text.y - 9)),
                                  ReleaseAt(text)});
        ::PostQuitMessage(7);
        PressAt(c.step ? upper : text);
        host.onLogged = nullptr;

        MSG quit{};
        EXPECT_TRUE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << c.what;
        EXPECT_FALSE(::IsWindow(hwnd)) << c.what;
        EXPECT_EQ(edit.m_hWnd, nullptr) << c.what;
        EXPECT_EQ(host.log.back().message, static_cast<UINT>(WM_COMMAND)) << c.what;
        EXPECT_EQ(HIWORD(host.log.back().wParam), c.destroyOn) << c.what;  // nothing after it
        kx::PumpMessages();
    }
}

}  // namespace
