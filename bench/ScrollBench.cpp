// The scroll bar against the system's scroll bar control of the same size and range: a full
// repaint, and a position change with its repaint.
#include "Bench.h"
#include <KestrelScrollBar.h>

namespace {

constexpr int kThickness = 17;
constexpr int kLength = 300;
constexpr int kMaximum = 100;
constexpr UINT kPage = 10;

void RunScrollBench()
{
    HWND host = bench::BenchHost();
    CStaticScrollBar bar;
    bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(10, 10, 10 + kThickness, 10 + kLength), CWnd::FromHandle(host), 1);
    HWND system = ::CreateWindowExW(0, L"SCROLLBAR", L"", WS_CHILD | WS_VISIBLE | SBS_VERT, 40, 10, kThickness, kLength,
                                    host, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(2)), ::GetModuleHandleW(nullptr),
                                    nullptr);
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, kMaximum, kPage, 0, 0};
    bar.SetScrollInfo(&si, TRUE);
    ::SetScrollInfo(system, SB_CTL, &si, TRUE);
    bench::FlushAndPump();

    bench::Compare(L"CStaticScrollBar full paint", bench::FullRepaint(bar.m_hWnd), bench::FullRepaint(system),
                   bench::FlushAndPump);
    bench::CompareWithFloor(L"CStaticScrollBar", bar.m_hWnd);

    // Positions sweep the range the system bar can reach, so the thumb travels the whole track.
    const int reach = kMaximum - static_cast<int>(kPage) + 1;
    int kestrelPos = 0, systemPos = 0;
    auto kestrelStep = [&] {
        kestrelPos = (kestrelPos + 1) % reach;
        bar.SetScrollPos(kestrelPos, TRUE);
    };
    auto systemStep = [&] {
        systemPos = (systemPos + 1) % reach;
        ::SetScrollPos(system, SB_CTL, systemPos, TRUE);
    };
    bench::Compare(L"CStaticScrollBar position change", kestrelStep, systemStep, bench::FlushAndPump);
    bench::ReportPaints(L"CStaticScrollBar position change", bar.m_hWnd, kestrelStep, reach);

    ::DestroyWindow(system);
    bar.DestroyWindow();
}

}  // namespace

BENCH_SUITE(L"scrollbar", RunScrollBench);
