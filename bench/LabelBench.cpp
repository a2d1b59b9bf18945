// The numeric label during a drag: one value change (a new window text, which the static
// control repaints) against a full repaint of the same label.
#include "Bench.h"
#include <KestrelNumeric.h>

namespace {

constexpr int kValueCount = 1000;

void RunLabelBench()
{
    CNumStatic label;
    label.Create(L"0.00", WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(10, 10, 130, 34),
                 CWnd::FromHandle(bench::BenchHost()), 1, INPUTSTYLE_NUMBER);
    label.SetNumberMinMax(0, kValueCount, 0);
    bench::Pump();

    int value = 0;
    auto change = [&] {
        value = (value + 1) % kValueCount;
        label.SetText(static_cast<float>(value));
    };
    const bench::Op full = bench::FullRepaint(label.m_hWnd);
    bench::Compare(L"CNumStatic value change vs full repaint", change, full, bench::FlushAndPump);
    bench::CompareWithFloor(L"CNumStatic", label.m_hWnd);
    bench::ReportPaints(L"CNumStatic value change", label.m_hWnd, change);

    label.DestroyWindow();
}

}  // namespace

BENCH_SUITE(L"label", RunLabelBench);
