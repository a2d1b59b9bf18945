// Striped progress bar against the system's progress bar of the same size.
#include "Bench.h"
#include <KestrelOrmProgress.h>

namespace {
constexpr int kWidth = 300;
constexpr int kHeight = 18;
constexpr int kIterations = 2000;
}

void RunOrmProgressBench()
{
    HWND host = bench::BenchHost();
    CWnd* parent = CWnd::FromHandle(host);

    COrmProgressCtrl orm;
    orm.Create(WS_VISIBLE, CRect(10, 70, 10 + kWidth, 70 + kHeight), parent, 3);
    orm.SetRange(0, 100);
    orm.SetPos(50);
    HWND system = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, 10, 100, kWidth, kHeight, host,
                                    reinterpret_cast<HMENU>(4), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(system, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(system, PBM_SETPOS, 50, 0);
    bench::Pump();

    auto fullPaint = [](HWND hWnd) {
        return [hWnd] {
            ::InvalidateRect(hWnd, nullptr, TRUE);
            ::UpdateWindow(hWnd);
        };
    };
    bench::PrintComparison(L"COrmProgressCtrl full paint", bench::MicrosecondsPerOp(fullPaint(orm.m_hWnd), kIterations),
                           bench::MicrosecondsPerOp(fullPaint(system), kIterations));

    // The striped bar paints the changed strip inside SetPos; the system bar paints on update.
    int ormPos = 0, systemPos = 0;
    double ormUpdate = bench::MicrosecondsPerOp([&] {
        ormPos = (ormPos + 1) % 101;
        orm.SetPos(ormPos);
        orm.UpdateWindow();
    }, kIterations);
    double systemUpdate = bench::MicrosecondsPerOp([&] {
        systemPos = (systemPos + 1) % 101;
        ::SendMessageW(system, PBM_SETPOS, static_cast<WPARAM>(systemPos), 0);
        ::UpdateWindow(system);
    }, kIterations);
    bench::PrintComparison(L"COrmProgressCtrl position update (+paint)", ormUpdate, systemUpdate);

    ::DestroyWindow(system);
    orm.DestroyWindow();
}
