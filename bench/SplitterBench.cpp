// One step of a splitter drag (press, one move, release: the bar and the facing edges of its
// two panes move) against a host moving the same three windows itself in one batch, and how
// often each pane is painted per step.
#include "Bench.h"
#include <KestrelSplitter.h>

namespace {

constexpr UINT kLeftId = 1, kRightId = 2, kBarId = 3;
constexpr int kTop = 10, kBottom = 300, kBarWidth = 6;
constexpr int kStep = 10;

HWND MakeChild(LPCWSTR className, UINT id, int left, int right)
{
    return ::CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE, left, kTop, right - left, kBottom - kTop,
                             bench::BenchHost(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
}

void RunSplitterBench()
{
    // Panes of a plain class on the window background, as a host's panels would be.
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = AfxGetInstanceHandle();
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = L"KestrelBenchPane";
    AfxRegisterClass(&wc);
    HWND left = MakeChild(wc.lpszClassName, kLeftId, 10, 200);
    HWND right = MakeChild(wc.lpszClassName, kRightId, 200 + kBarWidth, 600);
    MakeChild(L"STATIC", kBarId, 200, 200 + kBarWidth);
    CxSpltWnd bar;
    bar.BindWithControl(CWnd::FromHandle(bench::BenchHost()), kBarId);
    bar.AttachAsLeftPane(kLeftId);
    bar.AttachAsRightPane(kRightId);
    bench::Pump();

    // Back and forth, so every step moves by the same distance.
    int direction = 1;
    auto drag = [&] {
        direction = -direction;
        ::PostMessageW(bar.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(3 + direction * kStep, 5));
        ::PostMessageW(bar.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(3 + direction * kStep, 5));
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 5));
    };
    auto byHand = [&] {
        direction = -direction;
        RECT r{};
        ::GetWindowRect(bar.m_hWnd, &r);
        ::MapWindowPoints(nullptr, bench::BenchHost(), reinterpret_cast<POINT*>(&r), 2);
        const int x = r.left + direction * kStep;
        HDWP batch = ::BeginDeferWindowPos(3);
        batch = ::DeferWindowPos(batch, bar.m_hWnd, nullptr, x, kTop, kBarWidth, kBottom - kTop, SWP_NOZORDER);
        batch = ::DeferWindowPos(batch, left, nullptr, 10, kTop, x - 10, kBottom - kTop, SWP_NOZORDER);
        batch = ::DeferWindowPos(batch, right, nullptr, x + kBarWidth, kTop, 600 - x - kBarWidth, kBottom - kTop,
                                 SWP_NOZORDER);
        ::EndDeferWindowPos(batch);
    };
    bench::Compare(L"CxSpltWnd drag step vs DeferWindowPos of the same panes", drag, byHand, bench::FlushAndPump);
    bench::ReportPaints(L"CxSpltWnd drag step, left pane", left, drag);
    bench::ReportPaints(L"CxSpltWnd drag step, right pane", right, drag);

    bar.DestroyWindow();
    ::DestroyWindow(left);
    ::DestroyWindow(right);
}

}  // namespace

BENCH_SUITE(L"splitter", RunSplitterBench);
