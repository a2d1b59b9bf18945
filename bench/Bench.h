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

}  // namespace bench

// Each suite adds its rows to the report; main runs them in order.
void RunProgressBench();
void RunOrmProgressBench();
void RunNumEditBench();
