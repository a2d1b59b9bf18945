#include "Bench.h"
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace bench {

namespace {

struct Suite {
    std::wstring name;
    void (*run)();
};

std::vector<Suite>& Suites()
{
    static std::vector<Suite> suites;
    return suites;
}

FILE* g_csv = nullptr;

constexpr double kRoundBudgetUs = 50000;
constexpr int kMinRoundOps = 10;

double Median(std::vector<double> values)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

double Now()
{
    static const double ticksPerUs = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart) / 1e6;
    }();
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / ticksPerUs;
}

// Microseconds of one op (and its flush).
double TimeOp(const Op& op, const Op& flush)
{
    const double start = Now();
    op();
    if (flush) flush();
    return Now() - start;
}

// One round: both sides interleaved op by op in the order K C C K, so that each side meets the
// machine's changing speed as often as the other and goes first as often. Gives each side's
// median op time in microseconds: an op preempted by another process lands in the tail instead
// of dragging the round's figure.
void TimeRound(const Op& kestrelOp, const Op& counterpartOp, const Op& flush, int ops, double& kestrelUs,
               double& counterpartUs)
{
    std::vector<double> k, c;
    k.reserve(ops);
    c.reserve(ops);
    for (int i = 0; i < ops; ++i) {
        if (i % 2 == 0) {
            k.push_back(TimeOp(kestrelOp, flush));
            c.push_back(TimeOp(counterpartOp, flush));
        } else {
            c.push_back(TimeOp(counterpartOp, flush));
            k.push_back(TimeOp(kestrelOp, flush));
        }
    }
    kestrelUs = Median(std::move(k));
    counterpartUs = Median(std::move(c));
}

std::string CsvField(const wchar_t* text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string utf8(n > 0 ? n - 1 : 0, '\0');
    if (n > 1) ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &utf8[0], n, nullptr, nullptr);
    if (utf8.find_first_of(",\"\n") == std::string::npos) return utf8;
    std::string quoted = "\"";
    for (char c : utf8) {
        if (c == '"') quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

// The subclassed window of the current CountPaints pass (one at a time).
WNDPROC g_countedProc = nullptr;
PaintCount* g_count = nullptr;

long long RegionArea(HRGN rgn)
{
    const DWORD size = ::GetRegionData(rgn, 0, nullptr);
    if (size == 0) return 0;
    std::vector<char> buffer(size);
    auto* data = reinterpret_cast<RGNDATA*>(buffer.data());
    if (::GetRegionData(rgn, size, data) == 0) return 0;
    const RECT* rects = reinterpret_cast<const RECT*>(data->Buffer);
    long long area = 0;
    for (DWORD i = 0; i < data->rdh.nCount; ++i)
        area += static_cast<long long>(rects[i].right - rects[i].left) * (rects[i].bottom - rects[i].top);
    return area;
}

LRESULT CALLBACK CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT && g_count) {
        HRGN rgn = ::CreateRectRgn(0, 0, 0, 0);
        if (::GetUpdateRgn(hWnd, rgn, FALSE) != NULLREGION) {
            ++g_count->paints;
            g_count->area += RegionArea(rgn);
        }
        ::DeleteObject(rgn);
    }
    return ::CallWindowProcW(g_countedProc, hWnd, message, wParam, lParam);
}

}  // namespace

Comparison Compare(const wchar_t* operation, const Op& kestrelOp, const Op& counterpartOp, const Op& flush,
                   const CompareOptions& options)
{
    const int rounds = std::max(1, options.rounds);
    const int ops = std::max(1, options.opsPerRound);
    FlushAndPump();
    double k = 0, c = 0;
    TimeRound(kestrelOp, counterpartOp, flush, std::min(ops, 10), k, c);  // warm-up
    FlushAndPump();

    // Slow ops get fewer calls per round, so that a whole run stays short.
    const int roundOps = std::clamp(static_cast<int>(kRoundBudgetUs / std::max(k + c, 1.0)), std::min(ops, kMinRoundOps), ops);
    std::vector<double> kestrel, counterpart, ratios;
    for (int round = 0; round < rounds; ++round) {
        TimeRound(kestrelOp, counterpartOp, flush, roundOps, k, c);
        kestrel.push_back(k);
        counterpart.push_back(c);
        ratios.push_back(c > 0 ? k / c : 0.0);
    }
    FlushAndPump();

    Comparison result;
    result.kestrelUs = Median(kestrel);
    result.counterpartUs = Median(counterpart);
    result.ratio = Median(ratios);
    result.ratioLow = *std::min_element(ratios.begin(), ratios.end());
    result.ratioHigh = *std::max_element(ratios.begin(), ratios.end());

    wprintf(L"%-58ls %10.2f %10.2f   %5.2f  [%5.2f .. %5.2f]\n", operation, result.kestrelUs, result.counterpartUs,
            result.ratio, result.ratioLow, result.ratioHigh);
    fflush(stdout);
    if (g_csv) {
        fprintf(g_csv, "%s,%.3f,%.3f,%.4f,%.4f,%.4f\n", CsvField(operation).c_str(), result.kestrelUs,
                result.counterpartUs, result.ratio, result.ratioLow, result.ratioHigh);
        fflush(g_csv);
    }
    return result;
}

Op FullRepaint(HWND hWnd)
{
    return [hWnd] {
        ::InvalidateRect(hWnd, nullptr, TRUE);
        ::UpdateWindow(hWnd);
    };
}

namespace {

LRESULT CALLBACK FloorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) return 1;
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(hWnd, &ps);
        ::SetBkColor(dc, RGB(40, 44, 52));
        ::ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &ps.rcPaint, nullptr, 0, nullptr);
        ::EndPaint(hWnd, &ps);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

}  // namespace

Comparison CompareWithFloor(const wchar_t* control, HWND hWnd)
{
    static const ATOM floorClass = [] {
        WNDCLASSW wc{};
        wc.lpfnWndProc = FloorProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"KestrelBenchFloor";
        return ::RegisterClassW(&wc);
    }();
    RECT rc{}, host{};
    ::GetWindowRect(hWnd, &rc);
    ::GetClientRect(BenchHost(), &host);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    // In the host's bottom-right corner, clear of the measured controls at its top left.
    HWND floor = ::CreateWindowExW(0, MAKEINTATOM(floorClass), L"", WS_CHILD | WS_VISIBLE, host.right - width - 4,
                                   host.bottom - height - 4, width, height, BenchHost(), nullptr,
                                   ::GetModuleHandleW(nullptr), nullptr);
    const std::wstring name = std::wstring(control) + L" full paint vs floor (one fill)";
    const Comparison result = Compare(name.c_str(), FullRepaint(hWnd), FullRepaint(floor), FlushAndPump);
    ::DestroyWindow(floor);
    return result;
}

void Pump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void FlushAndPump()
{
    ::GdiFlush();
    Pump();
}

PaintCount CountPaints(HWND hWnd, const Op& op, int times)
{
    PaintCount count;
    RECT client{};
    ::GetClientRect(hWnd, &client);
    count.clientArea = static_cast<long long>(client.right - client.left) * (client.bottom - client.top);
    FlushAndPump();
    g_count = &count;
    g_countedProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CountingProc)));
    for (int i = 0; i < times; ++i) {
        op();
        FlushAndPump();
        ++count.ops;
    }
    if (::IsWindow(hWnd)) ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_countedProc));
    g_count = nullptr;
    g_countedProc = nullptr;
    return count;
}

PaintCount ReportPaints(const wchar_t* what, HWND hWnd, const Op& op, int times)
{
    PaintCount count = CountPaints(hWnd, op, times);
    std::wstring name(what);
    PrintFigure((name + L": paints per op").c_str(), count.PaintsPerOp(), L"");
    PrintFigure((name + L": area repainted per op").c_str(), count.AreaPercentPerOp(), L"% of client");
    return count;
}

void PrintFigure(const wchar_t* what, double value, const wchar_t* unit)
{
    wprintf(L"%-58ls %10.2f %ls\n", what, value, unit);
    fflush(stdout);
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

SuiteRegistration::SuiteRegistration(const wchar_t* name, void (*run)())
{
    Suites().push_back(Suite{name, run});
}

}  // namespace bench

// KestrelBench [--csv PATH] [FILTER...]
int wmain(int argc, wchar_t** argv)
{
    const wchar_t* csvPath = L"bench.csv";
    std::vector<std::wstring> filters;
    for (int i = 1; i < argc; ++i) {
        if (wcscmp(argv[i], L"--csv") == 0 && i + 1 < argc)
            csvPath = argv[++i];
        else
            filters.push_back(argv[i]);
    }

    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    InitCommonFunc();
    InitResourcelib();

    bench::g_csv = _wfopen(csvPath, L"w");
    if (!bench::g_csv) fwprintf(stderr, L"bench: cannot write %ls\n", csvPath);
    else fprintf(bench::g_csv, "operation,kestrel_us,counterpart_us,ratio,ratio_low,ratio_high\n");

    auto suites = bench::Suites();
    std::sort(suites.begin(), suites.end(), [](const auto& a, const auto& b) { return a.name < b.name; });
    wprintf(L"%-58ls %10ls %10ls   %5ls  %ls\n", L"operation", L"Kestrel us", L"counter us", L"ratio",
            L"[lowest .. highest round]");
    for (const auto& suite : suites) {
        bool wanted = filters.empty();
        for (const auto& f : filters) wanted = wanted || suite.name.find(f) != std::wstring::npos;
        if (wanted) suite.run();
    }

    if (bench::g_csv) fclose(bench::g_csv);
    ExitResourcelib();
    ExitCommonFunc();
    return 0;
}
