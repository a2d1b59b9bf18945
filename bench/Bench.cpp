#include "Bench.h"
#include <cstdio>

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
