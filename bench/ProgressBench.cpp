// Gradient progress bar against the system's progress bar of the same size.
#include "Bench.h"

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 20;
}

void RunProgressBench()
{
    CCoolProgressCtrl cool;
    cool.Create(0, CRect(10, 10, 10 + kWidth, 10 + kHeight), CWnd::FromHandle(bench::BenchHost()), 1);
    cool.SetRange(0, 100);
    cool.SetPos(50);
    HWND system = bench::CreateSystemProgress(CRect(10, 40, 10 + kWidth, 40 + kHeight), 2);
    bench::CompareProgressBars(L"CCoolProgressCtrl", cool.m_hWnd, [&](int pos) { cool.SetPos(pos); }, system);
    ::DestroyWindow(system);
    cool.DestroyWindow();
}
