// The numeric editor during a drag: one value change (a repaint of the changed places) against
// a full repaint of the same control, and how much of the client a change repaints.
#include "Bench.h"
#include <KestrelNumeric.h>

namespace {

constexpr int kWidth = 120;
constexpr int kHeight = 24;
constexpr int kValueCount = 100000;

void RunNumEditBench()
{
    CNumEdit edit;
    edit.Create(CRect(10, 10, 10 + kWidth, 10 + kHeight), CWnd::FromHandle(bench::BenchHost()), 1,
                WS_VISIBLE | ES_RIGHT);
    edit.SetNumberMinMax(0, kValueCount, 0);
    bench::Pump();

    // A drag moves through consecutive values: mostly the last place changes, sometimes more.
    int value = 0;
    auto change = [&] {
        value = (value + 1) % kValueCount;
        edit.SetCurValue(value);
    };
    const bench::Op full = bench::FullRepaint(edit.m_hWnd);
    bench::Compare(L"CNumEdit value change vs full repaint", change, full, bench::FlushAndPump);
    bench::CompareWithFloor(L"CNumEdit", edit.m_hWnd);
    bench::ReportPaints(L"CNumEdit value change", edit.m_hWnd, change);

    edit.DestroyWindow();
}

}  // namespace

BENCH_SUITE(L"numeric", RunNumEditBench);
