// The drag loops driven by scripts posted before the press: moves within and past the limits,
// a drag back to the start, the capture taken away, WM_QUIT, the window destroyed meanwhile,
// which messages each loop lets through, and the halftone feedback.
#include "SplitterTesting.h"

using spltest::SplitterTest;
using namespace spltest;
using kx::Msg;

namespace {

using SplitterDrag = SplitterTest;

TEST_F(SplitterDrag, VerticalBarDraggedWithinAndPastItsLimits)
{
    // Within: the bar and both facing edges follow the last move; one notification.
    kx::PostScript(xbar.m_hWnd, {MoveTo(13, 40), MoveTo(43, 60), Release(43, 60)});
    Press(xbar, 3, 40);
    EXPECT_EQ(RectOf(kXBarId).left, 140);
    EXPECT_EQ(RectOf(kLeftId).right, 140);
    EXPECT_EQ(RectOf(kRightId).left, 146);
    EXPECT_EQ(RectOf(kRightId).right, 300);
    EXPECT_EQ(::GetCapture(), nullptr);
    RECT clip{}, screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::GetClipCursor(&clip);
    EXPECT_TRUE(::EqualRect(&clip, &screen));

    // Past the left limit: the final place stops at the minimum; the travel is reported as is.
    kx::PostScript(xbar.m_hWnd, {MoveTo(-497, 40), Release(-497, 40)});
    Press(xbar, 3, 40);
    EXPECT_EQ(RectOf(kXBarId).left, 10);
    // Past the right limit.
    kx::PostScript(xbar.m_hWnd, {MoveTo(1003, 40), Release(1003, 40)});
    Press(xbar, 3, 40);
    EXPECT_EQ(RectOf(kXBarId).right, width - 10);
    EXPECT_EQ(RectOf(kRightId).left, width - 10);

    const auto moves = Moves();
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0]->movedBy, 40);
    EXPECT_EQ(moves[1]->movedBy, -500);
    EXPECT_EQ(moves[2]->movedBy, 1000);
    for (const auto* m : moves) EXPECT_EQ(m->kind, 3u);
}

TEST_F(SplitterDrag, HorizontalBarStopsOnePixelInsideTheParent)
{
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, 30), MoveTo(5, 22), Release(5, 22)});
    Press(ybar, 5, 2);
    EXPECT_EQ(RectOf(kYBarId).top, 120);
    EXPECT_EQ(RectOf(kAboveId).bottom, 120);
    EXPECT_EQ(RectOf(kBelowId).top, 124);

    // Not the minimums: the pointer clip already applied those.
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, -500), Release(5, -500)});
    Press(ybar, 5, 2);
    EXPECT_EQ(RectOf(kYBarId).top, 1);
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, 900), Release(5, 900)});
    Press(ybar, 5, 2);
    EXPECT_EQ(RectOf(kYBarId).bottom, height - 1);

    const auto moves = Moves();
    ASSERT_EQ(moves.size(), 3u);
    EXPECT_EQ(moves[0]->movedBy, 20);
    EXPECT_EQ(moves[1]->movedBy, -502);
    EXPECT_EQ(moves[2]->movedBy, 898);
    EXPECT_EQ(moves[2]->hdr.hwndFrom, ybar.m_hWnd);
    EXPECT_EQ(moves[2]->hdr.idFrom, kYBarId);
}

TEST_F(SplitterDrag, DragBackToTheStartMovesAndSendsNothing)
{
    const RECT left = RectOf(kLeftId);
    kx::PostScript(xbar.m_hWnd, {MoveTo(30, 40), MoveTo(3, 90), Release(3, 90)});
    Press(xbar, 3, 40);
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, 40), MoveTo(9, 2), Release(9, 2)});
    Press(ybar, 5, 2);
    EXPECT_EQ(RectOf(kXBarId).left, 100);
    EXPECT_EQ(RectOf(kYBarId).top, 100);
    const RECT leftAfter = RectOf(kLeftId);
    EXPECT_TRUE(::EqualRect(&left, &leftAfter));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SplitterDrag, CaptureTakenByAnotherWindowEndsTheDragWhereItWas)
{
    for (CWnd* bar : {static_cast<CWnd*>(&xbar), static_cast<CWnd*>(&ybar)}) {
        host.Clear();
        const RECT before = RectOf(bar->m_hWnd);
        kx::PostScript(bar->m_hWnd, {MoveTo(23, 22), recorder.Action([&] { recorder.SetCapture(); }),
                                     MoveTo(60, 60), Release(60, 60)});
        Press(*bar, 3, 2);
        // The loop neither took the capture back nor released it.
        EXPECT_EQ(::GetCapture(), recorder.m_hWnd);
        ::ReleaseCapture();
        kx::PumpMessages();
        const RECT after = RectOf(bar->m_hWnd);
        const auto moves = Moves();
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(moves[0]->movedBy, 20);
        EXPECT_EQ(after.left + after.top - before.left - before.top, 20);
    }
}

TEST_F(SplitterDrag, QuitEndsTheDragAndIsConsumed)
{
    for (CWnd* bar : {static_cast<CWnd*>(&xbar), static_cast<CWnd*>(&ybar)}) {
        host.Clear();
        kx::PostScript(bar->m_hWnd, {MoveTo(28, 27), Msg(WM_QUIT), MoveTo(80, 80), Release(80, 80)});
        Press(*bar, 3, 2);
        EXPECT_EQ(::GetCapture(), nullptr);
        MSG quit;
        EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        kx::PumpMessages();
        const auto moves = Moves();
        ASSERT_EQ(moves.size(), 1u);
        EXPECT_EQ(moves[0]->movedBy, 25);
    }
}

TEST_F(SplitterDrag, NoDragStartsWhileCapturedOrWithoutRoom)
{
    recorder.SetCapture();
    kx::PostScript(xbar.m_hWnd, {MoveTo(40, 40), Release(40, 40)});
    Press(xbar, 3, 40);
    EXPECT_EQ(::GetCapture(), recorder.m_hWnd);
    ::ReleaseCapture();
    kx::PumpMessages();

    xbar.SetMinWidth(200, 200);
    ybar.SetMinHeight(100, 100);
    kx::PostScript(xbar.m_hWnd, {MoveTo(40, 40), Release(40, 40)});
    Press(xbar, 3, 40);
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, 40), Release(5, 40)});
    Press(ybar, 5, 2);
    EXPECT_EQ(::GetCapture(), nullptr);
    kx::PumpMessages();
    EXPECT_EQ(RectOf(kXBarId).left, 100);
    EXPECT_EQ(RectOf(kYBarId).top, 100);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SplitterDrag, EachLoopLetsThroughItsOwnMessages)
{
    // The vertical bar's loop consumes every mouse message and dispatches keys; the horizontal
    // bar's loop dispatches mouse messages except a right press and drops key presses.
    const auto script = [&](HWND bar) {
        kx::PostScript(bar, {recorder.To(WM_KEYDOWN, 'A'), recorder.To(WM_RBUTTONDOWN), recorder.To(WM_RBUTTONUP),
                             recorder.To(WM_MBUTTONDOWN), recorder.To(WM_APP + 1), Release(3, 2)});
    };
    script(xbar.m_hWnd);
    Press(xbar, 3, 2);
    EXPECT_EQ(recorder.received, (std::vector<UINT>{WM_KEYDOWN, WM_APP + 1}));
    kx::PumpMessages();  // the key was translated: its character follows
    EXPECT_EQ(recorder.received.back(), static_cast<UINT>(WM_CHAR));
    recorder.received.clear();
    script(ybar.m_hWnd);
    Press(ybar, 3, 2);
    kx::PumpMessages();
    EXPECT_EQ(recorder.received, (std::vector<UINT>{WM_RBUTTONUP, WM_MBUTTONDOWN, WM_APP + 1}));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SplitterDrag, BarDestroyedByAHandlerEndsTheLoopQuietly)
{
    kx::PostScript(xbar.m_hWnd, {MoveTo(30, 40), recorder.Action([&] { xbar.DestroyWindow(); }), MoveTo(50, 40),
                                 Release(50, 40)});
    Press(xbar, 3, 40);
    EXPECT_EQ(xbar.m_hWnd, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    kx::PumpMessages();
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(RectOf(kLeftId).right, 100);
}

TEST_F(SplitterDrag, HorizontalFeedbackIsAHalftoneBarInTheParentAndGoesAfterwards)
{
    // 150 down the bar lies over the host's own background, below the lower pane.
    auto pixels = [&] {
        HDC dc = ::GetDC(host.m_hWnd);
        std::vector<COLORREF> row;
        for (int x = 330; x < 338; ++x) row.push_back(::GetPixel(dc, x, 251));
        ::ReleaseDC(host.m_hWnd, dc);
        return row;
    };
    const std::vector<COLORREF> before = pixels();
    std::vector<COLORREF> during;
    kx::PostScript(ybar.m_hWnd, {MoveTo(5, 152), recorder.Action([&] { during = pixels(); }),
                                 MoveTo(5, 2), Release(5, 2)});
    Press(ybar, 5, 2);
    int flipped = 0;
    for (size_t i = 0; i < before.size(); ++i)
        if (during[i] != before[i]) ++flipped;
    EXPECT_EQ(flipped, 4);  // every other pixel
    EXPECT_EQ(pixels(), before);
}

}  // namespace
