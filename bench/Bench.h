// Benchmark helpers. The machine is shared and its speed changes every few tens of
// milliseconds, so nothing here times one side as a block and then the other: every comparison
// runs both sides in short alternating rounds and reports the median of the per-round ratios.
//
// Adding a suite (one .cpp in bench/, picked up by the build's glob; nothing else to edit):
//
//     #include "Bench.h"
//     static void RunMenuBench()
//     {
//         HWND host = bench::BenchHost();                     // visible top-level window
//         ... create the Kestrel control and its counterpart as children of host ...
//         bench::Compare(L"CMyMenu open+close",
//                        [&] { /* one Kestrel operation */ },
//                        [&] { /* the same job on the counterpart */ },
//                        bench::FlushAndPump);                // optional, after each op, both sides
//         bench::ReportPaints(L"CMyMenu hover", myMenu.m_hWnd, [&] { /* one op */ });
//         ... destroy both ...
//     }
//     BENCH_SUITE(L"menu", RunMenuBench);
//
// Compare(operation, kestrelOp, counterpartOp, flush, options):
//   - warms both sides up, then runs options.rounds rounds (default 41) of up to
//     options.opsPerRound calls (default 100) per side, fewer for slow ops (a round lasts about
//     50 ms, and has at least 10 calls per side); inside a round the sides alternate op by op in the order
//     Kestrel, counterpart, counterpart, Kestrel, ..., so each meets the machine's changing
//     speed as often as the other and goes first as often; each op is timed alone, and a round's
//     figure for a side is the median of its op times (a preempted op cannot move it);
//   - flush, when given, runs after every single op on both sides, inside the timing: use it
//     when one side draws outside WM_PAINT (a client DC) and the other through WM_PAINT, so
//     both are timed up to the same point (bench::FlushAndPump is GdiFlush + an idle pump);
//   - prints one line: operation, Kestrel's median us per op, the counterpart's median us per
//     op, the median of the per-round ratios (Kestrel / counterpart), lowest and highest round
//     ratio; and appends the same line to the CSV (header
//     "operation,kestrel_us,counterpart_us,ratio,ratio_low,ratio_high");
//   - returns the figures as a Comparison.
//   The counterpart is the system control doing the same job, or where there is none the
//   same control's full repaint. Put nothing but the operation in the ops: no probes, no
//   GetUpdateRect, no logging.
//
// The floor: under Wine a paint through invalidation costs a fixed number of server calls
// whatever is drawn. CompareWithFloor(control, hWnd) times hWnd's full repaint against that of a
// bare window of the same size beside it whose paint is a single fill, and prints it as
// "<control> full paint vs floor (one fill)": how far the control's paint is above the floor.
//
// Counting (untimed, separate pass): CountPaints subclasses a window for the duration, runs op
// `times` times and counts the WM_PAINTs it receives and the area of their update regions.
// ReportPaints prints "paints per op" and "area per op as % of client" as plain figures (stdout
// only; the CSV holds comparisons only).
//
// Running: ./kestrel bench [FILTER...] runs every suite whose name contains one of the filters
// (all suites without one), in suite-name order; the CSV goes to build/x86_64/bench.csv.
#pragma once
#include <Kestrel.h>
#include <functional>

namespace bench {

using Op = std::function<void()>;

struct CompareOptions {
    int rounds = 41;
    int opsPerRound = 100;
};

struct Comparison {
    double kestrelUs = 0;      // median over rounds of the round's median op time
    double counterpartUs = 0;  // same, counterpart
    double ratio = 0;          // median of the per-round ratios
    double ratioLow = 0;       // lowest round ratio
    double ratioHigh = 0;      // highest round ratio
};

Comparison Compare(const wchar_t* operation, const Op& kestrelOp, const Op& counterpartOp, const Op& flush = nullptr,
                   const CompareOptions& options = CompareOptions());

// Invalidates the whole client (with erasing) and paints it at once.
Op FullRepaint(HWND hWnd);
Comparison CompareWithFloor(const wchar_t* control, HWND hWnd);

// GdiFlush, then dispatch every pending message (paints included) until the queue is idle.
void FlushAndPump();
// Dispatches pending messages.
void Pump();

struct PaintCount {
    int ops = 0;
    int paints = 0;          // WM_PAINTs received
    long long area = 0;      // pixels in their update regions, summed
    long long clientArea = 0;
    double PaintsPerOp() const { return ops ? static_cast<double>(paints) / ops : 0.0; }
    // Average area repainted per op, as a percentage of the client area.
    double AreaPercentPerOp() const
    {
        return ops && clientArea ? 100.0 * static_cast<double>(area) / ops / static_cast<double>(clientArea) : 0.0;
    }
};

// Untimed: runs op `times` times (each followed by FlushAndPump) and counts hWnd's paints.
PaintCount CountPaints(HWND hWnd, const Op& op, int times = 200);
// CountPaints, then prints both figures under `what`.
PaintCount ReportPaints(const wchar_t* what, HWND hWnd, const Op& op, int times = 200);

// One line of a plain figure (stdout only).
void PrintFigure(const wchar_t* what, double value, const wchar_t* unit);

// A visible top-level window to host the measured controls (640x480, created once).
HWND BenchHost();
// A system progress bar (msctls_progress32) child of the bench host, range 0..100 at 50.
HWND CreateSystemProgress(const RECT& rect, UINT id);

// Suite registration: BENCH_SUITE(L"name", function) at namespace scope in the suite's .cpp.
struct SuiteRegistration {
    SuiteRegistration(const wchar_t* name, void (*run)());
};

}  // namespace bench

#define BENCH_SUITE_CONCAT2(a, b) a##b
#define BENCH_SUITE_CONCAT(a, b) BENCH_SUITE_CONCAT2(a, b)
#define BENCH_SUITE(name, function) \
    static const ::bench::SuiteRegistration BENCH_SUITE_CONCAT(benchSuite_, __LINE__)(name, function)
