// Striped progress bar against the system's progress bar of the same size.
#include "Bench.h"
#include <KestrelOrmProgress.h>

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 18;
}

void RunOrmProgressBench()
{
    COrmProgressCtrl orm;
    orm.Create(WS_VISIBLE, CRect(10, 70, 10 + kWidth, 70 + kHeight), CWnd::FromHandle(bench::BenchHost()), 3);
    orm.SetRange(0, 100);
    orm.SetPos(50);
    HWND system = bench::CreateSystemProgress(CRect(10, 100, 10 + kWidth, 100 + kHeight), 4);
    // The striped bar paints the changed strip inside SetPos; the system bar paints on update.
    bench::CompareProgressBars(L"COrmProgressCtrl", orm.m_hWnd, [&](int pos) { orm.SetPos(pos); }, system);
    ::DestroyWindow(system);
    orm.DestroyWindow();
}
