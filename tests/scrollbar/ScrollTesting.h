// Shared pieces of the scroll bar tests: a bar that runs script actions, a host whose parent
// answers scroll requests, and a guard that ends a stuck tracking loop so its test fails.
#pragma once
#include "Harness.h"
#include <KestrelScrollBar.h>
#include <functional>
#include <string>
#include <vector>

namespace sbtest {

constexpr UINT kBarId = 300;
constexpr UINT kActionMessage = WM_APP + 11;
inline bool g_guardFired = false;

class TestBar : public CStaticScrollBar {
public:
    using CStaticScrollBar::LayoutIn;
    // A message that, posted to the bar, runs action when a tracking loop dispatches it.
    MSG Action(std::function<void()> action)
    {
        actions_.push_back(std::move(action));
        return kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != kActionMessage) return CStaticScrollBar::WindowProc(message, wParam, lParam);
        actions_.at(static_cast<size_t>(lParam))();
        return 0;
    }

private:
    std::vector<std::function<void()>> actions_;
};

// The system's drag check looks at the button's key state.
inline void SetButtonDown(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

using Sequence = std::vector<std::string>;

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        host.onScroll = [this](UINT, WPARAM, LPARAM lParam) {
            ASSERT_EQ(reinterpret_cast<HWND>(lParam), bar.m_hWnd);
            SCROLLINFO si{};
            bar.GetScrollInfo(&si, SIF_TRACKPOS);
            if (answer) bar.SetScrollPos(si.nTrackPos, TRUE);
        };
    }
    void TearDown() override
    {
        SetButtonDown(false);
        host.onScroll = nullptr;
        bar.DestroyWindow();
        host.Close();
    }
    void Create(DWORD style, int width, int height)
    {
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | style, CRect(20, 20, 20 + width, 20 + height), &host, kBarId));
        kx::PumpMessages();
        host.Clear();
    }
    // Input in the bar's client coordinates, and timer ticks, for scripts posted before a press.
    static MSG Move(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Up(int x, int y) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y)); }
    static MSG Tick(UINT_PTR id) { return kx::Msg(WM_TIMER, id, 0); }
    // Posts the script, presses (the loop runs inside) and returns what the parent received:
    // "begin", "end", or "V"/"H" + code + ":" + the high word. A loop still running after a
    // few seconds loses its capture to the guard and fails the test.
    Sequence Run(int x, int y, std::initializer_list<MSG> script, UINT press = WM_LBUTTONDOWN)
    {
        kx::PumpMessages();  // what an earlier script left behind
        host.Clear();
        kx::PostScript(bar.m_hWnd, script);
        g_guardFired = false;
        const UINT_PTR guard = ::SetTimer(nullptr, 0, 4000, EndStuckLoop);
        bar.SendMessage(press, MK_LBUTTON, kx::PointParam(x, y));
        ::KillTimer(nullptr, guard);
        EXPECT_FALSE(g_guardFired) << "the loop had to be ended from outside";
        Sequence s;
        for (const auto& m : host.log) {
            if (m.message == WM_NOTIFY)
                s.push_back(m.hdr.code == SBN_BEGINSCROLL ? "begin" : m.hdr.code == SBN_ENDSCROLL ? "end" : "?");
            else
                s.push_back((m.message == WM_VSCROLL ? "V" : "H") + std::to_string(LOWORD(m.wParam)) + ":" +
                            std::to_string(HIWORD(m.wParam)));
        }
        return s;
    }
    static void CALLBACK EndStuckLoop(HWND, UINT, UINT_PTR, DWORD)
    {
        g_guardFired = true;
        ::ReleaseCapture();
    }
    // No timer left running on the bar, and nobody holding the capture.
    void ExpectIdle()
    {
        EXPECT_FALSE(::KillTimer(bar.m_hWnd, IDT_FIRSTDELAY));
        EXPECT_FALSE(::KillTimer(bar.m_hWnd, IDT_REPEAT));
        EXPECT_EQ(::GetCapture(), nullptr);
    }

    kx::HostWindow host;
    TestBar bar;
    bool answer = true;  // whether the parent moves the bar to each proposal
};

}  // namespace sbtest
