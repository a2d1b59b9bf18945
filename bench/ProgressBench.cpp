// Gradient progress bar against the system's progress bar of the same size.
#include "Bench.h"

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 20;
constexpr int kIterations = 2000;
}

void RunProgressBench()
{
    HWND host = bench::BenchHost();
    CWnd* parent = CWnd::FromHandle(host);

    CCoolProgressCtrl cool;
    cool.Create(0, CRect(10, 10, 10 + kWidth, 10 + kHeight), parent, 1);
    cool.SetRange(0, 100);
    cool.SetPos(50);
    HWND system = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 40, kWidth, kHeight, host,
                                    reinterpret_cast<HMENU>(2), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(system, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(system, PBM_SETPOS, 50, 0);
    bench::Pump();

    auto fullPaint = [](HWND hWnd) {
        return [hWnd] {
            ::InvalidateRect(hWnd, nullptr, TRUE);
            ::UpdateWindow(hWnd);
        };
    };
    bench::PrintComparison(L"CCoolProgressCtrl full paint", bench::MicrosecondsPerOp(fullPaint(cool.m_hWnd), kIterations),
                           bench::MicrosecondsPerOp(fullPaint(system), kIterations));

    int coolPos = 0, systemPos = 0;
    double coolUpdate = bench::MicrosecondsPerOp([&] {
        coolPos = (coolPos + 1) % 101;
        cool.SetPos(coolPos);
        cool.UpdateWindow();
    }, kIterations);
    double systemUpdate = bench::MicrosecondsPerOp([&] {
        systemPos = (systemPos + 1) % 101;
        ::SendMessageW(system, PBM_SETPOS, static_cast<WPARAM>(systemPos), 0);
        ::UpdateWindow(system);
    }, kIterations);
    bench::PrintComparison(L"CCoolProgressCtrl position update (+paint)", coolUpdate, systemUpdate);

    ::DestroyWindow(system);
    cool.DestroyWindow();
}
