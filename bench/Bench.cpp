#include "Bench.h"
#include <cstdio>
#include <string>

namespace bench {

static double TicksToMicroseconds(LONGLONG ticks)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return static_cast<double>(ticks) * 1e6 / static_cast<double>(f.QuadPart);
}

double MicrosecondsPerOp(const std::function<void()>& op, int iterations)
{
    for (int i = 0; i < iterations / 10 + 1; ++i) op();
    LARGE_INTEGER a, b;
    ::QueryPerformanceCounter(&a);
    for (int i = 0; i < iterations; ++i) op();
    ::QueryPerformanceCounter(&b);
    return TicksToMicroseconds(b.QuadPart - a.QuadPart) / iterations;
}

void PrintComparison(const wchar_t* what, double kestrelUs, double systemUs)
{
    wprintf(L"%-52ls %10.2f us %10.2f us   ratio %.2f\n", what, kestrelUs, systemUs,
            systemUs > 0 ? kestrelUs / systemUs : 0.0);
}

void PrintFigure(const wchar_t* what, double value, const wchar_t* unit)
{
    wprintf(L"%-52ls %10.2f %ls\n", what, value, unit);
}

HWND BenchHost()
{
    static HWND host = nullptr;
    if (host) return host;
    WNDCLASSW wc{};
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = L"KestrelBenchHost";
    ::RegisterClassW(&wc);
    host = ::CreateWindowExW(0, wc.lpszClassName, L"Kestrel bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 20, 20, 640, 480,
                             nullptr, nullptr, wc.hInstance, nullptr);
    Pump();
    return host;
}

HWND CreateSystemProgress(const RECT& rect, UINT id)
{
    HWND bar = ::CreateWindowExW(0, PROGRESS_CLASSW, L"", WS_CHILD | WS_VISIBLE, rect.left, rect.top,
                                 rect.right - rect.left, rect.bottom - rect.top, BenchHost(),
                                 reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
    ::SendMessageW(bar, PBM_SETRANGE32, 0, 100);
    ::SendMessageW(bar, PBM_SETPOS, 50, 0);
    return bar;
}

void CompareProgressBars(const wchar_t* name, HWND kestrelBar, const std::function<void(int)>& setKestrelPos,
                         HWND systemBar)
{
    constexpr int kIterations = 2000;
    Pump();
    auto fullPaint = [](HWND hWnd) {
        return [hWnd] {
            ::InvalidateRect(hWnd, nullptr, TRUE);
            ::UpdateWindow(hWnd);
        };
    };
    std::wstring what(name);
    PrintComparison((what + L" full paint").c_str(), MicrosecondsPerOp(fullPaint(kestrelBar), kIterations),
                    MicrosecondsPerOp(fullPaint(systemBar), kIterations));

    int kestrelPos = 0, systemPos = 0;
    double kestrelUpdate = MicrosecondsPerOp([&] {
        kestrelPos = (kestrelPos + 1) % 101;
        setKestrelPos(kestrelPos);
        ::UpdateWindow(kestrelBar);
    }, kIterations);
    double systemUpdate = MicrosecondsPerOp([&] {
        systemPos = (systemPos + 1) % 101;
        ::SendMessageW(systemBar, PBM_SETPOS, static_cast<WPARAM>(systemPos), 0);
        ::UpdateWindow(systemBar);
    }, kIterations);
    PrintComparison((what + L" position update (+paint)").c_str(), kestrelUpdate, systemUpdate);
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

}  // namespace bench

int wmain()
{
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_PROGRESS_CLASS};
    ::InitCommonControlsEx(&icc);
    InitCommonFunc();
    InitResourcelib();
    wprintf(L"%-52ls %13ls %13ls\n", L"operation", L"Kestrel", L"system");
    RunProgressBench();
    RunOrmProgressBench();
    RunNumEditBench();
    ExitResourcelib();
    ExitCommonFunc();
    return 0;
}
