// Shared pieces of the scroll bar tests: a bar that opens its protected layout and runs script
// actions, a host fixture whose parent answers scroll requests, and a guard for tracking loops.
#pragma once
#include "Harness.h"
#include <KestrelScrollBar.h>
#include <functional>
#include <string>
#include <vector>

namespace sbtest {

constexpr UINT kBarId = 300;

class TestBar : public CStaticScrollBar {
public:
    using CStaticScrollBar::LayoutIn;
    // A message that, posted to the bar, runs action once when a tracking loop dispatches it.
    MSG Action(std::function<void()> action);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

// What the parent received, one entry per message: "begin", "end", "V<code>:<value>" or
// "H<code>:<value>" (the value from the high word).
using Sequence = std::vector<std::string>;
Sequence Received(const kx::HostWindow& host);

void SetButtonDown(bool down);

// Ends a tracking loop that is still running after a few seconds by taking its capture away,
// so that a faulty loop fails its test instead of hanging it.
class LoopGuard {
public:
    LoopGuard();
    ~LoopGuard();
    bool Fired() const;

private:
    UINT_PTR timer_;
};

class ScrollBarTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Creates the bar at (20,20) in the host with the given client size.
    void Create(DWORD style, int width, int height);

    // Mouse input in the bar's client coordinates and timer ticks, for scripts and presses.
    static MSG Move(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Up(int x, int y) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y)); }
    static MSG Tick(UINT_PTR id) { return kx::Msg(WM_TIMER, id, 0); }
    void Script(std::initializer_list<MSG> messages) { kx::PostScript(bar.m_hWnd, messages); }
    // Presses (a loop runs inside) under a guard; fails the test if the guard had to end it.
    void Press(int x, int y);
    void DoubleClick(int x, int y);
    // Timers of the bar still running.
    bool TimerLeft();
    Sequence Log() const { return Received(host); }

    kx::HostWindow host;
    TestBar bar;
    // Whether the parent moves the bar to each proposed position.
    bool answer = true;
};

}  // namespace sbtest
