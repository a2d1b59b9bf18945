// The bar in a window: the tracking loops driven by scripts posted before the press (what the
// parent receives and how each loop ends), what the bar shows, and the static base's rules.
#include "Harness.h"
#include <KestrelScrollBar.h>
#include <string>

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kBarId = 300, kActionMessage = WM_APP + 11;
constexpr UINT_PTR T1 = IDT_FIRSTDELAY, T2 = IDT_REPEAT;
const COLORREF kBox = RGB(43, 51, 67), kMargin = RGB(63, 75, 99), kArrow = RGB(158, 168, 188);
bool g_guardFired = false;
using Sequence = std::vector<std::string>;

// Runs onAction when a tracking loop dispatches kActionMessage, posted among a script.
struct TestBar : CStaticScrollBar {
    std::function<void()> onAction;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) onAction();
        return CStaticScrollBar::WindowProc(message, wParam, lParam);
    }
};
const MSG kAction = kx::Msg(kActionMessage);

void SetButtonDown(bool down)  // the system's drag check looks at the button's key state
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

int CountIn(const kx::ClientCapture& cap, const CRect& rc, COLORREF clr)
{
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y) n += cap.CountInRow(y, rc.left, rc.right, clr);
    return n;
}

MSG Move(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
MSG Up(int x, int y) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y)); }
MSG Tick(UINT_PTR id) { return kx::Msg(WM_TIMER, id, 0); }
void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD)
{
    g_guardFired = true;
    ::ReleaseCapture();
}

class ScrollBar : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        // A vertical 20 x 200 bar, range 0..10, page 5: arrow boxes at y 0..20 and 180..200, a
        // thumb 53 pixels long on the track 20..180.
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(20, 20, 40, 220), &host, kBarId));
        host.onScroll = [this](UINT, WPARAM, LPARAM lParam) {  // a parent that follows each proposal
            ASSERT_EQ(reinterpret_cast<HWND>(lParam), bar.m_hWnd);
            SCROLLINFO si{};
            bar.GetScrollInfo(&si, SIF_TRACKPOS);
            bar.SetScrollPos(si.nTrackPos, TRUE);
        };
    }
    void TearDown() override
    {
        SetButtonDown(false);
        bar.DestroyWindow();
        host.Close();
    }
    // Posts the script, presses (the loop runs inside) and returns what the parent received:
    // "begin", "end", or "V"/"H" + code + ":" + the high word. A guard timer takes the capture
    // from a loop still running after a few seconds, and the test fails.
    Sequence Run(int x, int y, std::initializer_list<MSG> script, UINT press = WM_LBUTTONDOWN)
    {
        kx::PumpMessages();
        host.Clear();
        kx::PostScript(bar.m_hWnd, script);
        g_guardFired = false;
        const UINT_PTR guard = ::SetTimer(nullptr, 0, 4000, EndStuckLoop);
        bar.SendMessage(press, MK_LBUTTON, kx::PointParam(x, y));
        ::KillTimer(nullptr, guard);
        EXPECT_FALSE(g_guardFired) << "the loop had to be ended from outside";
        Sequence s;
        for (const auto& m : host.log)
            s.push_back(m.message == WM_NOTIFY ? (m.hdr.code == SBN_BEGINSCROLL ? "begin" : m.hdr.code == SBN_ENDSCROLL ? "end" : "?")
                                               : (m.message == WM_VSCROLL ? "V" : "H") + std::to_string(LOWORD(m.wParam)) + ":" +
                                                     std::to_string(HIWORD(m.wParam)));
        return s;
    }
    void ExpectIdle()  // no timer left on the bar, nobody holding the capture
    {
        EXPECT_FALSE(::KillTimer(bar.m_hWnd, IDT_FIRSTDELAY) || ::KillTimer(bar.m_hWnd, IDT_REPEAT));
        EXPECT_EQ(::GetCapture(), nullptr);
    }

    kx::HostWindow host;
    TestBar bar;
};

TEST_F(ScrollBar, ArrowBoxesAndPageAreasStepRepeatDoubleClickAndShowWhatIsHeld)
{
    kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_GT(CountIn(cap, CRect(2, 182, 18, 198), kArrow), 6);
    EXPECT_LT(cap.CountInRow(7, 0, 20, kArrow), cap.CountInRow(11, 0, 20, kArrow));  // the up arrow points up
    EXPECT_TRUE(cap.At(3, 196) == kBox && cap.At(10, 45) == kBox);  // the down box and the thumb (20..73)
    EXPECT_EQ(CountIn(cap, CRect(0, 73, 20, 180), kMargin), 20 * 107);

    // The press steps, the first-delay tick only starts the repeat, then each repeat tick steps.
    // Held on the down box, the sunken frame survives the thumb repainting beside it.
    std::vector<COLORREF> seen;
    bar.onAction = [&] {
        const kx::ClientCapture now(bar.m_hWnd);
        seen = {now.At(0, 180), now.At(19, 199), now.At(10, 30), now.At(10, 60)};
    };
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), kAction, Up(10, 190)}), Sequence({"begin", "V1:1", "V1:2", "V1:3", "end"}));
    EXPECT_EQ(seen, (std::vector<COLORREF>{getdefaultColor(DEFCLR_BOXSHADOW), getdefaultColor(DEFCLR_BOXLIGHT), kMargin, kBox}));
    EXPECT_NE(kx::ClientCapture(bar.m_hWnd).At(0, 180), getdefaultColor(DEFCLR_BOXSHADOW));
    EXPECT_EQ(Run(10, 10, {Tick(T1), Tick(T2), Up(10, 10)}), Sequence({"begin", "V0:2", "V0:1", "end"}));
    // Off the box the ticks do nothing; a move back resumes them. A move away before the first
    // tick is ignored: that tick presses the box again.
    EXPECT_EQ(Run(10, 190, {Tick(T1), Move(10, 100), Tick(T2), Move(12, 185), Tick(T2), Up(10, 100)}),
              Sequence({"begin", "V1:2", "V1:3", "end"}));
    EXPECT_EQ(Run(10, 190, {Move(10, 100), Tick(T1), Tick(T2), Move(10, 101), Tick(T2), Up(10, 101)}),
              Sequence({"begin", "V1:4", "V1:5", "end"}));
    EXPECT_EQ(Run(10, 10, {}, WM_LBUTTONDBLCLK), Sequence({"begin", "V0:3", "end"}));  // two steps
    EXPECT_EQ(Run(10, 150, {}, WM_LBUTTONDBLCLK), Sequence({"begin", "V3:10", "end"}));  // two pages, clamped
    EXPECT_EQ(Run(10, 130, {}, WM_LBUTTONDBLCLK), Sequence());                         // the thumb
    // A line step of 3 from 9 stops at the maximum; there, a press asks for nothing.
    bar.SetlineStep(3);
    bar.SetScrollPos(9, TRUE);
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:10", "end"}));
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Up(10, 190)}), Sequence({"begin", "end"}));
    // Reversed, the second box and the second page area still move the thumb toward the end.
    bar.SetScrollRange(10, 0, TRUE);
    EXPECT_EQ(Run(10, 190, {Up(10, 190)}), Sequence({"begin", "V1:7", "end"}));
    EXPECT_EQ(Run(10, 150, {Up(10, 150)}), Sequence({"begin", "V3:2", "end"}));
    // Disabled: grey arrows, no thumb, and the mouse does nothing.
    EXPECT_TRUE(bar.EnableScrollBar(ESB_DISABLE_RTDN));
    cap = kx::ClientCapture(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 200), kArrow), 0);
    EXPECT_GT(CountIn(cap, CRect(2, 2, 18, 18), RGB(128, 128, 128)), 6);
    EXPECT_EQ(CountIn(cap, CRect(0, 20, 20, 180), kMargin), 20 * 160);
    EXPECT_EQ(Run(10, 10, {Up(10, 10)}), Sequence());
    EXPECT_EQ(Run(10, 150, {}, WM_LBUTTONDBLCLK), Sequence());
    ExpectIdle();

    // Paging stops once a 15-pixel thumb's end passes the pointer (at 20 for y 60) and goes on
    // when the pointer moves further (to 40 for y 85); nothing is added at release.
    SCROLLINFO si{sizeof(si), SIF_ALL, 0, 100, 10, 0, 0};
    bar.SetScrollInfo(&si, TRUE);
    EXPECT_EQ(Run(10, 60, {Tick(T1), Tick(T2), Tick(T2), Move(10, 85), Tick(T2), Tick(T2), Tick(T2), Up(10, 85)}),
              Sequence({"begin", "V3:10", "V3:20", "V3:30", "V3:40", "end"}));
    EXPECT_EQ(Run(10, 40, {Up(10, 40)}), Sequence({"begin", "V2:30", "end"}));
    ExpectIdle();

    bar.SetWindowPos(nullptr, 0, 0, 20, 30, SWP_NOMOVE | SWP_NOZORDER);  // too short for a thumb: two half boxes
    cap = kx::ClientCapture(bar.m_hWnd);
    EXPECT_EQ(CountIn(cap, CRect(0, 0, 20, 30), kMargin), 0);
    EXPECT_TRUE(CountIn(cap, CRect(0, 0, 20, 15), kArrow) > 0 && CountIn(cap, CRect(0, 15, 20, 30), kArrow) > 0);
}

TEST_F(ScrollBar, ThumbDragProposesOnEveryMoveAndAParentMayNotAnswer)
{
    SetButtonDown(true);
    // The first move leaves the drag rectangle (the system's drag check takes it); then 54
    // pixels down, the same again, sideways off the bar, and past the end.
    EXPECT_EQ(Run(10, 30, {Move(110, 30), Move(10, 84), Move(10, 84), Move(300, 84), Move(10, 260), Up(10, 260)}),
              Sequence({"begin", "V5:5", "V5:5", "V5:5", "V5:10", "end"}));
    // At 3 the thumb's edge (52) maps back to 2: the correction keeps 3 until the pointer moves.
    bar.SetScrollPos(3, TRUE);
    EXPECT_EQ(Run(10, 62, {Move(110, 62), Move(10, 62), Up(10, 62)}), Sequence({"begin", "V5:3", "end"}));
    EXPECT_EQ(Run(10, 62, {Up(10, 62)}), Sequence());  // released inside the drag rectangle
    ExpectIdle();

    host.onScroll = nullptr;  // the arrow loop proposes again on each tick, the page loop only a change
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:4", "V1:4", "V1:4", "end"}));
    EXPECT_EQ(Run(10, 150, {Tick(T1), Tick(T2), Tick(T2), Up(10, 150)}), Sequence({"begin", "V3:8", "end"}));
    EXPECT_EQ(std::make_pair(bar.GetScrollPos(), bar.GetTrackPos()), std::make_pair(3, 8));
}

TEST_F(ScrollBar, LoopsEndOnCaptureLossQuitAndTheParentDestroyingTheBar)
{
    bar.onAction = [this] { host.SetCapture(); };
    const MSG takeCapture = kAction;
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), takeCapture, Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:1", "V1:2", "end"}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);  // neither taken back nor released
    ::ReleaseCapture();
    EXPECT_EQ(Run(10, 150, {takeCapture, Tick(T1), Up(10, 150)}), Sequence({"begin", "V3:7", "end"}));
    SetButtonDown(true);
    EXPECT_EQ(Run(10, 100, {Move(110, 100), takeCapture, Move(10, 140), Up(10, 140)}), Sequence({"begin", "end"}));
    ::ReleaseCapture();

    // WM_QUIT ends the loop, which still finishes its steps, and is not posted again.
    MSG msg;
    bar.SetScrollPos(0, TRUE);
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), kx::Msg(WM_QUIT), Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:1", "V1:2", "end"}));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(Run(10, 150, {kx::Msg(WM_QUIT), Up(10, 150)}), Sequence({"begin", "V3:7", "end"}));
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    ExpectIdle();

    host.onScroll = [this](UINT, WPARAM, LPARAM) { bar.DestroyWindow(); };
    bar.SetScrollPos(0, TRUE);
    EXPECT_EQ(Run(10, 190, {Tick(T1), Tick(T2), Tick(T2), Up(10, 190)}), Sequence({"begin", "V1:1"}));
    EXPECT_EQ(bar.m_hWnd, nullptr);
    EXPECT_EQ(::GetCapture(), nullptr);
}

// Whether the window still has an input context after being told it is (in)active.
bool KeepsContext(HWND hWnd, WPARAM active)
{
    HIMC own = ::ImmCreateContext();
    ::ImmAssociateContext(hWnd, own);
    ::SendMessageW(hWnd, WM_IME_SETCONTEXT, active, ISC_SHOWUIALL);
    const HIMC now = ::ImmAssociateContext(hWnd, nullptr);  // answers the context it had
    ::ImmDestroyContext(own);
    return now != nullptr;
}

TEST_F(ScrollBar, HorizontalLookLowWordRequestsTheStaticBaseAndTheDividers)
{
    bar.ModifySBStyle(SBS_VERT, 0, FALSE);
    bar.SetWindowPos(nullptr, 0, 0, 200, 20, SWP_NOMOVE | SWP_NOZORDER);
    bar.SetBkColor(RGB(200, 0, 0));
    bar.SetMarginColor(RGB(0, 200, 0));
    const kx::ClientCapture cap(bar.m_hWnd);
    EXPECT_EQ(cap.At(3, 3), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(150, 10), RGB(0, 200, 0));
    EXPECT_GT(CountIn(cap, CRect(182, 2, 198, 18), kArrow), 6);
    bar.SetScrollRange(0, 100000, TRUE);
    bar.SetScrollPos(99999, TRUE);
    EXPECT_EQ(Run(190, 10, {Up(190, 10)}), Sequence({"begin", "H1:34464", "end"}));  // 100000 & 0xffff
    EXPECT_EQ(bar.GetScrollPos(), 100000);  // the parent read the whole track position
    EXPECT_TRUE(host.log[0].hdr.hwndFrom == bar.m_hWnd && host.log[0].hdr.idFrom == kBarId && host.log[0].wParam == kBarId);

    // The static base removes the input context on every activation, and only then.
    EXPECT_TRUE(KeepsContext(bar.m_hWnd, 0) && !KeepsContext(bar.m_hWnd, 1) && !KeepsContext(bar.m_hWnd, 1));

    // A plain static and an owner-drawn one, whose own painting leaves the erased columns alone.
    CxSpltStatic across;
    CySpltStatic down;
    auto make = [&](DWORD style, int left) {
        return ::CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, left, 240, 200, 20, host.m_hWnd, nullptr, nullptr, nullptr);
    };
    ASSERT_TRUE(across.SubclassWindow(make(SS_LEFT, 10)));
    ASSERT_TRUE(down.SubclassWindow(make(SS_OWNERDRAW, 230)));
    CRect a, d;
    across.GetWindowRect(&a);
    down.GetWindowRect(&d);
    EXPECT_EQ(d - a.TopLeft(), CRect(220, 0, 222, 20));  // across: 200 x 1 at the same place
    EXPECT_EQ(a - a.TopLeft(), CRect(0, 0, 200, 1));
    across.RedrawWindow();
    down.RedrawWindow();
    EXPECT_EQ(kx::ClientCapture(across.m_hWnd).CountInRow(0, 0, 200, RGB(29, 36, 48)), 200);
    const kx::ClientCapture columns(down.m_hWnd);
    for (int y = 0; y < 20; ++y) EXPECT_TRUE(columns.At(0, y) == RGB(0, 0, 0) && columns.At(1, y) == RGB(49, 55, 67)) << y;
}

}  // namespace
