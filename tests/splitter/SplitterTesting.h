// Shared pieces of the splitter tests: a host with a vertical bar between two panes and a
// horizontal bar between two others, and a hidden recorder window that logs what a drag loop
// lets through and runs script actions at their place in the queue.
#pragma once
#include "Harness.h"
#include <KestrelSplitter.h>
#include <functional>
#include <vector>

namespace spltest {

constexpr UINT kLeftId = 10;
constexpr UINT kRightId = 11;
constexpr UINT kAboveId = 20;
constexpr UINT kBelowId = 21;
constexpr UINT kXBarId = 50;
constexpr UINT kYBarId = 60;

// Where the panes and bars start, in the host's client coordinates.
constexpr RECT kLeftPane{20, 10, 100, 200};
constexpr RECT kXBar{100, 0, 106, 0};  // bottom: the client height
constexpr RECT kRightPane{106, 10, 300, 200};
constexpr RECT kAbovePane{320, 10, 440, 100};
constexpr RECT kYBar{320, 100, 440, 104};
constexpr RECT kBelowPane{320, 104, 440, 200};

class Recorder : public CWnd {
public:
    std::vector<UINT> received;
    // A message that, posted into a drag, runs action when the loop dispatches it.
    MSG Action(std::function<void()> action);
    // A message for the recorder itself.
    MSG To(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::vector<std::function<void()>> actions_;
};

class SplitterTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    HWND Child(UINT id) const { return ::GetDlgItem(host.m_hWnd, static_cast<int>(id)); }
    RECT RectOf(UINT id) const;
    RECT RectOf(HWND hWnd) const;
    CPoint ToScreen(int x, int y) const;
    std::vector<const NMSPLTMOVE*> Moves() const;

    // Mouse messages in the pressed bar's client coordinates.
    static MSG MoveTo(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Release(int x, int y) { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y)); }
    static void Press(CWnd& bar, int x, int y) { bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, y)); }

    kx::HostWindow host;
    Recorder recorder;
    CxSpltWnd xbar;
    CySpltWnd ybar;
    int width = 0;   // the host's client size
    int height = 0;
};

}  // namespace spltest
