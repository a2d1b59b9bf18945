#include "ScrollTesting.h"

namespace sbtest {

namespace {
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 11;
constexpr UINT kGuardMs = 4000;
bool g_guardFired = false;

void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD)
{
    g_guardFired = true;
    ::ReleaseCapture();
}
}  // namespace

MSG TestBar::Action(std::function<void()> action)
{
    actions_.push_back(std::move(action));
    return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
}

LRESULT TestBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kActionMessage) {
        const size_t index = static_cast<size_t>(lParam);
        if (index < actions_.size()) actions_[index]();
        return 0;
    }
    return CStaticScrollBar::WindowProc(message, wParam, lParam);
}

Sequence Received(const kx::HostWindow& host)
{
    Sequence s;
    for (const auto& m : host.log) {
        if (m.message == WM_NOTIFY) {
            s.push_back(m.hdr.code == SBN_BEGINSCROLL ? "begin" : m.hdr.code == SBN_ENDSCROLL ? "end" : "notify?");
        } else if (m.message == WM_VSCROLL || m.message == WM_HSCROLL) {
            s.push_back((m.message == WM_VSCROLL ? "V" : "H") + std::to_string(LOWORD(m.wParam)) + ":" +
                        std::to_string(HIWORD(m.wParam)));
        }
    }
    return s;
}

void SetButtonDown(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

LoopGuard::LoopGuard() : timer_(::SetTimer(nullptr, 0, kGuardMs, EndStuckLoop))
{
    g_guardFired = false;
}

LoopGuard::~LoopGuard()
{
    ::KillTimer(nullptr, timer_);
}

bool LoopGuard::Fired() const
{
    return g_guardFired;
}

void ScrollBarTest::SetUp()
{
    ASSERT_TRUE(host.Open());
    host.onScroll = [this](UINT, WPARAM, LPARAM lParam) {
        ASSERT_EQ(reinterpret_cast<HWND>(lParam), bar.m_hWnd);
        if (!answer) return;
        SCROLLINFO si{};
        bar.GetScrollInfo(&si, SIF_TRACKPOS);
        bar.SetScrollPos(si.nTrackPos, TRUE);
    };
}

void ScrollBarTest::TearDown()
{
    SetButtonDown(false);
    host.onScroll = nullptr;
    bar.DestroyWindow();
    host.Close();
}

void ScrollBarTest::Create(DWORD style, int width, int height)
{
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | style, CRect(20, 20, 20 + width, 20 + height), &host, kBarId));
    kx::PumpMessages();
    host.Clear();
}

void ScrollBarTest::Press(int x, int y)
{
    LoopGuard guard;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, y));
    EXPECT_FALSE(guard.Fired()) << "the loop had to be ended from outside";
}

void ScrollBarTest::DoubleClick(int x, int y)
{
    bar.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, kx::PointParam(x, y));
}

bool ScrollBarTest::TimerLeft()
{
    const bool first = ::KillTimer(bar.m_hWnd, IDT_FIRSTDELAY) != FALSE;
    const bool repeat = ::KillTimer(bar.m_hWnd, IDT_REPEAT) != FALSE;
    return first || repeat;
}

}  // namespace sbtest
