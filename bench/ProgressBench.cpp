// Progress bars against the system's progress bar of the same size: a full repaint, and a
// position update with its paint. The striped bar paints a new position through a client DC
// inside SetPos, the others through WM_PAINT, so every op is followed by the same flush.
#include "Bench.h"
#include <KestrelOrmProgress.h>
#include <string>

namespace {

constexpr int kWidth = 300;
constexpr int kCoolHeight = 20;
constexpr int kOrmHeight = 18;

void CompareBars(const std::wstring& name, CProgressCtrlBase& bar, HWND systemBar)
{
    bench::Compare((name + L" full paint").c_str(), bench::FullRepaint(bar.m_hWnd), bench::FullRepaint(systemBar),
                   bench::FlushAndPump);
    bench::CompareWithFloor(name.c_str(), bar.m_hWnd);

    // Positions cycle through the range, so both small and whole-bar strips are timed.
    int kestrelPos = 0, systemPos = 0;
    auto kestrelStep = [&] {
        kestrelPos = (kestrelPos + 1) % 101;
        bar.SetPos(kestrelPos);
    };
    auto systemStep = [&] {
        systemPos = (systemPos + 1) % 101;
        ::SendMessageW(systemBar, PBM_SETPOS, static_cast<WPARAM>(systemPos), 0);
    };
    bench::Compare((name + L" position update").c_str(), kestrelStep, systemStep, bench::FlushAndPump);
    bench::ReportPaints((name + L" position update").c_str(), bar.m_hWnd, kestrelStep, 101);
}

void RunProgressBench()
{
    CWnd* host = CWnd::FromHandle(bench::BenchHost());
    CCoolProgressCtrl cool;
    cool.Create(0, CRect(10, 10, 10 + kWidth, 10 + kCoolHeight), host, 1);
    cool.SetRange(0, 100);
    cool.SetPos(50);
    HWND system = bench::CreateSystemProgress(CRect(10, 40, 10 + kWidth, 40 + kCoolHeight), 2);
    CompareBars(L"CCoolProgressCtrl", cool, system);
    ::DestroyWindow(system);
    cool.DestroyWindow();

    COrmProgressCtrl orm;
    orm.Create(WS_VISIBLE, CRect(10, 70, 10 + kWidth, 70 + kOrmHeight), host, 3);
    orm.SetRange(0, 100);
    orm.SetPos(50);
    system = bench::CreateSystemProgress(CRect(10, 100, 10 + kWidth, 100 + kOrmHeight), 4);
    CompareBars(L"COrmProgressCtrl", orm, system);
    ::DestroyWindow(system);
    orm.DestroyWindow();
}

}  // namespace

BENCH_SUITE(L"progress", RunProgressBench);
