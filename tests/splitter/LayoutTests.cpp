// Drag limits, pane layout, moves to a border, painting and the created bar: everything that
// needs windows but no drag loop.
#include "SplitterTesting.h"
#include <cstddef>

using spltest::SplitterTest;
using namespace spltest;

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

#define EXPECT_RECT(actual, l, t, r, b) EXPECT_TRUE(SameRect(actual, RECT{l, t, r, b}))

using SplitterLimits = SplitterTest;

TEST_F(SplitterLimits, ParentPanesAndMinimumsBoundTheVerticalBar)
{
    // Pressed 3 pixels into the bar: the pointer keeps that offset from the bar's left edge.
    const CPoint press(3, 40);
    const CPoint origin = ToScreen(0, 0);
    auto expectSpan = [&](int first, int last) {
        RECT clip{};
        ASSERT_EQ(xbar.GetMouseClipRect(&clip, press), 1);
        EXPECT_EQ(clip.left, origin.x + first + press.x);
        EXPECT_EQ(clip.right, origin.x + last + press.x + 1);
        EXPECT_EQ(clip.top, origin.y);  // across: the bar's own extent
        EXPECT_EQ(clip.bottom, origin.y + height);
    };

    // The left pane starts at 20: the bar keeps 10 from it; on the right the parent's edge.
    xbar.DetachAllPanes();
    xbar.AttachAsLeftPane(kLeftId);
    expectSpan(30, width - 10 - 6);
    // A right pane ending at 300 holds it 10 pixels short of that.
    xbar.AttachAsRightPane(kRightId);
    expectSpan(30, 290 - 6);
    // Larger minimums narrow both ends; minimums that cross leave no room at all.
    xbar.SetMinWidth(100, 100);
    expectSpan(120, 200 - 6);
    xbar.SetMinWidth(150, 150);
    RECT untouched{1, 2, 3, 4};
    EXPECT_EQ(xbar.GetMouseClipRect(&untouched, press), 0);
    EXPECT_RECT(untouched, 1, 2, 3, 4);
    // Binding again resets the minimums to 10.
    xbar.SetMinWidth(40, 40);
    xbar.Unbind();
    xbar.BindWithControl(&host, kXBarId);
    xbar.AttachAsLeftPane(kLeftId);
    expectSpan(30, width - 16);
}

TEST_F(SplitterLimits, HiddenWindowPaneIsLaidOutButDoesNotHoldTheBarBack)
{
    CStatic pane;
    ASSERT_TRUE(pane.Create(L"", WS_CHILD, CRect(60, 220, 100, 260), &host, 30));
    ASSERT_EQ(xbar.AttachAsLeftPane(&pane), 1);
    EXPECT_EQ(xbar.AttachAsLeftPane(static_cast<CWnd*>(nullptr)), 0);
    RECT clip{};
    ASSERT_EQ(xbar.GetMouseClipRect(&clip, CPoint(0, 0)), 1);
    EXPECT_EQ(clip.left, ToScreen(30, 0).x);

    xbar.MoveWindow(150, 0, 6, height);
    xbar.RecalcLayout();
    EXPECT_RECT(RectOf(pane.m_hWnd), 60, 220, 150, 260);

    pane.ShowWindow(SW_SHOWNA);
    ASSERT_EQ(xbar.GetMouseClipRect(&clip, CPoint(0, 0)), 1);
    EXPECT_EQ(clip.left, ToScreen(70, 0).x);
}

TEST_F(SplitterLimits, HorizontalBarKeepsItsMinimumsFromPanesAbove)
{
    RECT clip{};
    ASSERT_EQ(ybar.GetMouseClipRect(&clip, CPoint(7, 2)), 1);
    const CPoint origin = ToScreen(0, 0);
    EXPECT_RECT(clip, origin.x + 320, origin.y + 20 + 2, origin.x + 440, origin.y + 190 - 4 + 2 + 1);
    ybar.SetMinHeight(100, 100);
    EXPECT_EQ(ybar.GetMouseClipRect(&clip, CPoint(7, 2)), 0);  // 110 above meets 100 below
}

using SplitterLayout = SplitterTest;

TEST_F(SplitterLayout, RecalcLayoutMovesOnlyTheFacingEdges)
{
    // An id that names no child is passed over; a pane listed twice is simply moved twice.
    xbar.AttachAsLeftPane(99);
    xbar.AttachAsRightPane(kRightId);
    xbar.MoveWindow(150, 0, 6, height);
    xbar.RecalcLayout();
    EXPECT_RECT(RectOf(kLeftId), 20, 10, 150, 200);
    EXPECT_RECT(RectOf(kRightId), 156, 10, 300, 200);

    ybar.MoveWindow(320, 60, 120, 4);
    ybar.RecalcLayout();
    EXPECT_RECT(RectOf(kAboveId), 320, 10, 440, 60);
    EXPECT_RECT(RectOf(kBelowId), 320, 64, 440, 200);
    EXPECT_TRUE(host.log.empty());  // laying out is not a move
}

TEST_F(SplitterLayout, MoveToBoarderGoesToTheMinimumsAndNotifiesNoTravel)
{
    static_assert(offsetof(NMSPLTMOVE, movedBy) == sizeof(NMHDR), "the fields follow the system's header");
    static_assert(offsetof(NMSPLTMOVE, kind) == sizeof(NMHDR) + 4, "32-bit fields");

    // The left pane is squeezed past its own minimum: the panes are not consulted.
    xbar.MoveToBoarder(1);
    EXPECT_RECT(RectOf(kXBarId), 10, 0, 16, height);
    EXPECT_EQ(RectOf(kRightId).left, 16);
    xbar.MoveToBoarder(0);
    EXPECT_RECT(RectOf(kXBarId), width - 16, 0, width - 10, height);
    EXPECT_RECT(RectOf(kLeftId), 20, 10, width - 16, 200);

    ybar.SetMinHeight(30, 40);
    ybar.MoveToBoarder(1);
    EXPECT_RECT(RectOf(kYBarId), 320, 30, 440, 34);
    EXPECT_RECT(RectOf(kAboveId), 320, 10, 440, 30);
    ybar.MoveToBoarder(0);
    EXPECT_RECT(RectOf(kYBarId), 320, height - 44, 440, height - 40);

    ASSERT_EQ(host.log.size(), 4u);
    const UINT ids[] = {kXBarId, kXBarId, kYBarId, kYBarId};
    for (size_t i = 0; i < host.log.size(); ++i) {
        const auto& m = host.log[i];
        const auto* nm = reinterpret_cast<const NMSPLTMOVE*>(m.record.data());
        EXPECT_EQ(m.message, static_cast<UINT>(WM_NOTIFY));
        EXPECT_EQ(m.wParam, ids[i]);
        EXPECT_EQ(nm->hdr.hwndFrom, Child(ids[i]));
        EXPECT_EQ(nm->hdr.idFrom, ids[i]);
        EXPECT_EQ(nm->hdr.code, 2055u);
        EXPECT_EQ(nm->movedBy, 0);
        EXPECT_EQ(nm->kind, 3u);
    }
}

using SplitterPaint = SplitterTest;

TEST_F(SplitterPaint, VerticalBarHasTwoTopRowsAndHorizontalBarIsOneFill)
{
    const COLORREF body = RGB(49, 55, 67);
    xbar.Invalidate(TRUE);
    ybar.Invalidate(TRUE);
    kx::PumpMessages();
    kx::ClientCapture x(xbar.m_hWnd);
    EXPECT_EQ(x.CountInRow(0, 0, 6, RGB(29, 36, 48)), 6);
    EXPECT_EQ(x.CountInRow(1, 0, 6, RGB(50, 63, 87)), 6);
    EXPECT_EQ(x.CountInRow(height / 2, 0, 6, body), 6);
    kx::ClientCapture y(ybar.m_hWnd);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(y.CountInRow(row, 0, 120, body), 120) << row;

    // The background colour fills the vertical bar's body; the two rows stay.
    xbar.SetBkColor(RGB(200, 0, 0));
    kx::PumpMessages();
    kx::ClientCapture red(xbar.m_hWnd);
    EXPECT_EQ(red.CountInRow(height - 1, 0, 6, RGB(200, 0, 0)), 6);
    EXPECT_EQ(red.CountInRow(0, 0, 6, RGB(29, 36, 48)), 6);
}

TEST_F(SplitterPaint, BothBarsShowTheMoveCursorAndTakeTheMouse)
{
    const HCURSOR move = GetHCursor(10025);
    ASSERT_NE(move, nullptr);
    for (CWnd* bar : {static_cast<CWnd*>(&xbar), static_cast<CWnd*>(&ybar)}) {
        ::SetCursor(nullptr);
        EXPECT_EQ(bar->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(bar->m_hWnd), MAKELPARAM(HTCAPTION, 0)), TRUE);
        EXPECT_EQ(::GetCursor(), move);
        EXPECT_TRUE(bar->GetStyle() & SS_NOTIFY);
    }
}

TEST_F(SplitterPaint, CreatedBarRegistersItsClassAndLaysOutInItsParent)
{
    CxSpltWnd made;
    ASSERT_EQ(made.Create(WS_BORDER, CRect(200, 210, 206, 260), &host, 70), 1);
    WNDCLASSW wc{};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), L"SPLTWND", &wc));
    EXPECT_EQ(wc.style, 0x000Bu);
    EXPECT_EQ(wc.hCursor, GetHCursor(10025));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    EXPECT_EQ(made.GetStyle() & (WS_CHILD | WS_VISIBLE | WS_BORDER | 0x100), DWORD(WS_CHILD | WS_VISIBLE | WS_BORDER | 0x100));

    // Its parent and minimums of 10 serve as if it had been bound.
    RECT clip{};
    ASSERT_EQ(made.GetMouseClipRect(&clip, CPoint(0, 0)), 1);
    EXPECT_EQ(clip.left, ToScreen(10, 0).x);
    made.AttachAsLeftPane(kLeftId);
    made.RecalcLayout();
    EXPECT_EQ(RectOf(kLeftId).right, 200);
}

}  // namespace
