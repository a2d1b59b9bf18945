// Benchmark helpers: time an operation many times and print per-operation costs side by side.
#pragma once
#include <Kestrel.h>
#include <functional>

namespace bench {

// Microseconds per call of op, over iterations calls (after a short warm-up).
double MicrosecondsPerOp(const std::function<void()>& op, int iterations);
// One line: what was measured, Kestrel's cost, the system control's cost and their ratio.
void PrintComparison(const wchar_t* what, double kestrelUs, double systemUs);
// One line of a plain figure.
void PrintFigure(const wchar_t* what, double value, const wchar_t* unit);
// A visible top-level window to host the measured controls.
HWND BenchHost();
// Dispatches pending messages.
void Pump();
// A system progress bar (msctls_progress32) child of the bench host, range 0..100 at 50.
HWND CreateSystemProgress(const RECT& rect, UINT id);
// Times full paints and position updates (positions cycling through 0..100, each followed by
// UpdateWindow) of a Kestrel bar against a system bar, and prints both comparisons.
void CompareProgressBars(const wchar_t* name, HWND kestrelBar, const std::function<void(int)>& setKestrelPos,
                         HWND systemBar);

}  // namespace bench

// Each suite adds its rows to the report; main runs them in order.
void RunProgressBench();
void RunOrmProgressBench();
void RunNumEditBench();
