// Splitter windows in a host with a vertical bar between two panes and a horizontal bar between
// two others: drag limits, layout, moves to a border and painting without a loop; then the drag
// loops driven by input posted before the press.
#include "Harness.h"
#include <KestrelSplitter.h>
#include <cstddef>
#include <functional>
#include <vector>

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);

constexpr UINT kLeftId = 10, kRightId = 11, kAboveId = 20, kBelowId = 21, kXBarId = 50, kYBarId = 60;
constexpr UINT kActionMessage = WM_APP + 9;
// Client coordinates of the host. The vertical bar runs the client's full height.
constexpr RECT kLeftPane{20, 10, 100, 200}, kRightPane{106, 10, 300, 200};
constexpr RECT kAbovePane{320, 10, 440, 100}, kYBar{320, 100, 440, 104}, kBelowPane{320, 104, 440, 200};

// A hidden window that logs what a drag loop lets through and runs actions at their place in
// the queue.
class Recorder : public CWnd {
public:
    std::vector<UINT> received;
    MSG To(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        MSG m = kx::Msg(message, wParam, lParam);
        m.hwnd = m_hWnd;
        return m;
    }
    MSG Action(std::function<void()> action)
    {
        actions_.push_back(std::move(action));
        return To(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) actions_[static_cast<size_t>(lParam)]();
        else if (message == WM_KEYDOWN || message == WM_CHAR || message >= WM_APP ||
                 (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST))
            received.push_back(message);
        return CWnd::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::function<void()>> actions_;
};

HWND MakeStatic(HWND parent, UINT id, const RECT& r)
{
    return ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr,
                             nullptr);
}

bool operator==(const RECT& a, const RECT& b)
{
    return ::EqualRect(&a, &b) != FALSE;
}

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        RECT client{};
        host.GetClientRect(&client);
        width = client.right;
        height = client.bottom;
        ASSERT_TRUE(recorder.CreateEx(0, nullptr, L"", WS_CHILD, 0, 0, 1, 1, host.m_hWnd, nullptr));
        MakeStatic(host.m_hWnd, kLeftId, kLeftPane);
        MakeStatic(host.m_hWnd, kRightId, kRightPane);
        MakeStatic(host.m_hWnd, kXBarId, RECT{100, 0, 106, height});
        ASSERT_EQ(xbar.BindWithControl(&host, kXBarId), 1);
        xbar.AttachAsLeftPane(kLeftId);
        xbar.AttachAsRightPane(kRightId);
        MakeStatic(host.m_hWnd, kAboveId, kAbovePane);
        MakeStatic(host.m_hWnd, kBelowId, kBelowPane);
        MakeStatic(host.m_hWnd, kYBarId, kYBar);
        ASSERT_EQ(ybar.BindWithControl(&host, kYBarId), 1);
        ybar.AttachAsAbovePane(kAboveId);
        ybar.AttachAsBelowPane(kBelowId);
        kx::PumpMessages();
        host.Clear();
    }
    void TearDown() override
    {
        if (::GetCapture() != nullptr) ::ReleaseCapture();
        xbar.DestroyWindow();
        ybar.DestroyWindow();
        recorder.DestroyWindow();
        host.Close();
    }
    RECT RectOf(UINT id) const
    {
        RECT r{};
        ::GetWindowRect(::GetDlgItem(host.m_hWnd, static_cast<int>(id)), &r);
        ::MapWindowPoints(nullptr, host.m_hWnd, reinterpret_cast<POINT*>(&r), 2);
        return r;
    }
    CPoint ToScreen(int x, int y) const
    {
        CPoint p(x, y);
        ::ClientToScreen(host.m_hWnd, &p);
        return p;
    }
    std::vector<NMSPLTMOVE> Moves() const
    {
        std::vector<NMSPLTMOVE> moves;
        for (const auto& m : host.log) {
            EXPECT_EQ(m.hdr.code, SPLTN_MOVED);
            EXPECT_EQ(m.wParam, m.hdr.idFrom);
            moves.push_back(*reinterpret_cast<const NMSPLTMOVE*>(m.record.data()));
        }
        return moves;
    }
    static MSG MoveTo(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Release() { return kx::Msg(WM_LBUTTONUP, 0, 0); }
    // A press at (3, 2) of the bar with the script already queued.
    static void Drag(CWnd& bar, std::initializer_list<MSG> script)
    {
        kx::PostScript(bar.m_hWnd, script);
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(3, 2));
    }

    kx::HostWindow host;
    Recorder recorder;
    CxSpltWnd xbar;
    CySpltWnd ybar;
    int width = 0, height = 0;
};

TEST_F(SplitterTest, ParentPanesAndMinimumsBoundTheDrag)
{
    // Pressed 3 pixels into the bar: the pointer keeps that offset from the bar's first edge.
    const CPoint origin = ToScreen(0, 0);
    auto span = [&](CWnd& bar, int first, int last) {
        RECT clip{};
        const bool vertical = &bar == &xbar;
        RECT expected = vertical ? RECT{first + 3, 0, last + 3 + 1, height} : RECT{320, first + 3, 440, last + 3 + 1};
        ::OffsetRect(&expected, origin.x, origin.y);
        const int result = vertical ? xbar.GetMouseClipRect(&clip, CPoint(3, 3)) : ybar.GetMouseClipRect(&clip, CPoint(3, 3));
        EXPECT_EQ(result, 1);
        EXPECT_TRUE(clip == expected) << first << ".." << last;
    };
    // The left pane starts at 20 and the bar keeps 10 from it; the right pane ends at 300.
    span(xbar, 30, 290 - 6);
    xbar.DetachAllPanes();
    xbar.AttachAsLeftPane(kLeftId);
    span(xbar, 30, width - 10 - 6);
    span(ybar, 20, 190 - 4);

    // A hidden pane given as a window does not hold the bar back, a shown one does.
    CStatic pane;
    ASSERT_TRUE(pane.Create(L"", WS_CHILD, CRect(60, 220, 100, 260), &host, 30));
    ASSERT_EQ(xbar.AttachAsLeftPane(&pane), 1);
    EXPECT_EQ(xbar.AttachAsLeftPane(static_cast<CWnd*>(nullptr)), 0);
    span(xbar, 30, width - 16);
    pane.ShowWindow(SW_SHOWNA);
    span(xbar, 70, width - 16);

    // Minimums that cross leave no room; binding again resets them to 10.
    xbar.SetMinWidth(150, 300);
    ybar.SetMinHeight(100, 100);
    RECT untouched{1, 2, 3, 4};
    EXPECT_EQ(xbar.GetMouseClipRect(&untouched, CPoint(3, 3)), 0);
    EXPECT_EQ(ybar.GetMouseClipRect(&untouched, CPoint(3, 3)), 0);
    EXPECT_TRUE(untouched == RECT({1, 2, 3, 4}));
    xbar.Unbind();
    xbar.BindWithControl(&host, kXBarId);
    span(xbar, 10, width - 16);
}

TEST_F(SplitterTest, LayoutAndMovesToTheBorderIgnoreThePanesLimits)
{
    static_assert(offsetof(NMSPLTMOVE, movedBy) == sizeof(NMHDR), "the fields follow the system's header");
    static_assert(offsetof(NMSPLTMOVE, kind) == sizeof(NMHDR) + 4, "32-bit fields");
    // A hidden window pane is still laid out; an id that names no child is passed over.
    CStatic hidden;
    ASSERT_TRUE(hidden.Create(L"", WS_CHILD, CRect(60, 220, 100, 260), &host, 30));
    xbar.AttachAsLeftPane(&hidden);
    xbar.AttachAsRightPane(99);

    xbar.MoveToBoarder(1);  // squeezes the left pane past its minimum
    EXPECT_TRUE(RectOf(kXBarId) == RECT({10, 0, 16, height}));
    EXPECT_TRUE(RectOf(kRightId) == RECT({16, 10, 300, 200}));
    EXPECT_TRUE(RectOf(30) == RECT({60, 220, 60, 260}));
    xbar.MoveToBoarder(0);
    EXPECT_TRUE(RectOf(kXBarId) == RECT({width - 16, 0, width - 10, height}));
    EXPECT_TRUE(RectOf(kLeftId) == RECT({20, 10, width - 16, 200}));

    ybar.SetMinHeight(30, 40);
    ybar.MoveToBoarder(1);
    EXPECT_TRUE(RectOf(kYBarId) == RECT({320, 30, 440, 34}) && RectOf(kAboveId) == RECT({320, 10, 440, 30}));
    ybar.MoveToBoarder(0);
    EXPECT_TRUE(RectOf(kYBarId) == RECT({320, height - 44, 440, height - 40}));
    EXPECT_EQ(RectOf(kBelowId).top, height - 40);

    const auto moves = Moves();
    ASSERT_EQ(moves.size(), 4u);
    for (size_t i = 0; i < moves.size(); ++i) {
        EXPECT_EQ(moves[i].hdr.hwndFrom, i < 2 ? xbar.m_hWnd : ybar.m_hWnd);
        EXPECT_EQ(moves[i].hdr.idFrom, i < 2 ? kXBarId : kYBarId);
        EXPECT_EQ(moves[i].movedBy, 0);
        EXPECT_EQ(moves[i].kind, 3u);
    }
}

TEST_F(SplitterTest, BarsPaintTheirRowsAndShowTheMoveCursor)
{
    xbar.SetBkColor(RGB(200, 0, 0));  // the vertical bar's body
    ybar.Invalidate(TRUE);
    kx::PumpMessages();
    kx::ClientCapture x(xbar.m_hWnd);
    EXPECT_EQ(x.CountInRow(0, 0, 6, RGB(29, 36, 48)), 6);
    EXPECT_EQ(x.CountInRow(1, 0, 6, RGB(50, 63, 87)), 6);
    EXPECT_EQ(x.CountInRow(height - 1, 0, 6, RGB(200, 0, 0)), 6);
    kx::ClientCapture y(ybar.m_hWnd);
    for (int row = 0; row < 4; ++row) EXPECT_EQ(y.CountInRow(row, 0, 120, RGB(49, 55, 67)), 120) << row;

    for (CWnd* bar : {static_cast<CWnd*>(&xbar), static_cast<CWnd*>(&ybar)}) {
        ::SetCursor(nullptr);
        EXPECT_EQ(bar->SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(bar->m_hWnd), HTCAPTION), TRUE);
        EXPECT_EQ(::GetCursor(), GetHCursor(10025));
        EXPECT_TRUE(bar->GetStyle() & SS_NOTIFY);  // a static placeholder takes the mouse
    }
}

TEST_F(SplitterTest, CreatedBarRegistersItsClassAndLaysOutInItsParent)
{
    CxSpltWnd made;
    ASSERT_EQ(made.Create(WS_BORDER, CRect(200, 210, 206, 260), &host, 70), 1);
    WNDCLASSW wc{};
    ASSERT_TRUE(::GetClassInfoW(AfxGetInstanceHandle(), L"SPLTWND", &wc));
    EXPECT_EQ(wc.style, 0x000Bu);
    EXPECT_EQ(wc.hCursor, GetHCursor(10025));
    EXPECT_EQ(wc.hbrBackground, nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | SS_NOTIFY;
    EXPECT_EQ(made.GetStyle() & style, style);
    made.AttachAsRightPane(kRightId);
    Drag(made, {MoveTo(-297, 3), Release()});
    EXPECT_EQ(RectOf(70).left, 10);  // its parent's client and a minimum of 10
    EXPECT_EQ(RectOf(kRightId).left, 16);
}

TEST_F(SplitterTest, DragsWithinAndPastTheLimitsMoveTheFacingEdges)
{
    Drag(xbar, {MoveTo(13, 40), MoveTo(43, 60), Release()});
    EXPECT_TRUE(RectOf(kXBarId).left == 140 && RectOf(kLeftId).right == 140 && RectOf(kRightId).left == 146);
    EXPECT_EQ(RectOf(kRightId).right, 300);
    EXPECT_EQ(::GetCapture(), nullptr);
    RECT clip{}, screen{0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    ::GetClipCursor(&clip);
    EXPECT_TRUE(clip == screen);

    // Past the limits the vertical bar stops at the minimums, the horizontal one a pixel inside
    // the parent; the travel is reported as it was.
    Drag(xbar, {MoveTo(-497, 40), Release()});
    EXPECT_EQ(RectOf(kXBarId).left, 10);
    Drag(xbar, {MoveTo(1003, 40), Release()});
    EXPECT_TRUE(RectOf(kXBarId).right == width - 10 && RectOf(kRightId).left == width - 10);
    Drag(ybar, {MoveTo(5, 30), MoveTo(5, 22), Release()});
    EXPECT_TRUE(RectOf(kYBarId).top == 120 && RectOf(kAboveId).bottom == 120 && RectOf(kBelowId).top == 124);
    Drag(ybar, {MoveTo(5, -500), Release()});
    EXPECT_EQ(RectOf(kYBarId).top, 1);
    Drag(ybar, {MoveTo(5, 900), Release()});
    EXPECT_EQ(RectOf(kYBarId).bottom, height - 1);

    std::vector<int> travel;
    for (const auto& m : Moves()) travel.push_back(m.movedBy);
    EXPECT_EQ(travel, (std::vector<int>{40, -500, 1000, 20, -502, 898}));
}

TEST_F(SplitterTest, NoMoveForADragBackToTheStartACaptureHeldOrNoRoom)
{
    Drag(xbar, {MoveTo(30, 40), MoveTo(3, 90), Release()});
    Drag(ybar, {MoveTo(5, 40), MoveTo(9, 2), Release()});
    recorder.SetCapture();
    Drag(xbar, {MoveTo(40, 40), Release()});
    EXPECT_EQ(::GetCapture(), recorder.m_hWnd);
    ::ReleaseCapture();
    kx::PumpMessages();
    xbar.SetMinWidth(200, 200);
    Drag(xbar, {MoveTo(40, 40), Release()});
    EXPECT_EQ(::GetCapture(), nullptr);
    kx::PumpMessages();
    EXPECT_TRUE(RectOf(kXBarId).left == 100 && RectOf(kYBarId).top == 100 && RectOf(kLeftId).right == 100);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SplitterTest, CaptureLossAndQuitEndTheDragWhereItWas)
{
    for (CWnd* bar : {static_cast<CWnd*>(&xbar), static_cast<CWnd*>(&ybar)}) {
        // The capture taken by another window: the loop neither takes it back nor releases it.
        host.Clear();
        Drag(*bar, {MoveTo(23, 22), recorder.Action([&] { recorder.SetCapture(); }), MoveTo(60, 60), Release()});
        EXPECT_EQ(::GetCapture(), recorder.m_hWnd);
        ::ReleaseCapture();
        kx::PumpMessages();
        // WM_QUIT ends the loop and is not posted again.
        Drag(*bar, {MoveTo(8, 7), kx::Msg(WM_QUIT), MoveTo(80, 80), Release()});
        EXPECT_EQ(::GetCapture(), nullptr);
        MSG quit;
        EXPECT_FALSE(::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
        kx::PumpMessages();
        const auto moves = Moves();
        ASSERT_EQ(moves.size(), 2u);
        EXPECT_EQ(moves[0].movedBy, 20);
        EXPECT_EQ(moves[1].movedBy, 5);
    }
}

TEST_F(SplitterTest, EachLoopLetsThroughItsOwnMessages)
{
    // The vertical bar's loop consumes every mouse message and translates and dispatches keys;
    // the horizontal bar's dispatches mouse messages but a right press, and drops key presses.
    const auto drag = [&](CWnd& bar) {
        recorder.received.clear();
        Drag(bar, {recorder.To(WM_KEYDOWN, 'A'), recorder.To(WM_RBUTTONDOWN), recorder.To(WM_RBUTTONUP),
                   recorder.To(WM_MBUTTONDOWN), recorder.To(WM_APP + 1), Release()});
        kx::PumpMessages();
        return recorder.received;
    };
    EXPECT_EQ(drag(xbar), (std::vector<UINT>{WM_KEYDOWN, WM_APP + 1, WM_CHAR}));
    EXPECT_EQ(drag(ybar), (std::vector<UINT>{WM_RBUTTONUP, WM_MBUTTONDOWN, WM_APP + 1}));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(SplitterTest, BarDestroyedByAHandlerEndsTheLoopQuietly)
{
    Drag(xbar, {MoveTo(30, 40), recorder.Action([&] { xbar.DestroyWindow(); }), MoveTo(50, 40), Release()});
    EXPECT_EQ(xbar.m_hWnd, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
    kx::PumpMessages();
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(RectOf(kLeftId).right, 100);
}

TEST_F(SplitterTest, HorizontalFeedbackIsAHalftoneBarInTheParentAndGoesAfterwards)
{
    // 150 down, the bar lies over the host's own background below the lower pane.
    auto pixels = [&] {
        HDC dc = ::GetDC(host.m_hWnd);
        std::vector<COLORREF> row;
        for (int x = 330; x < 338; ++x) row.push_back(::GetPixel(dc, x, 251));
        ::ReleaseDC(host.m_hWnd, dc);
        return row;
    };
    const std::vector<COLORREF> before = pixels();
    std::vector<COLORREF> during;
    Drag(ybar, {MoveTo(5, 152), recorder.Action([&] { during = pixels(); }), MoveTo(5, 2), Release()});
    int flipped = 0;
    for (size_t i = 0; i < before.size(); ++i) flipped += during[i] != before[i];
    EXPECT_EQ(flipped, 4);  // every other pixel
    EXPECT_EQ(pixels(), before);
}

}  // namespace
