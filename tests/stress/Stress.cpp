#include "Stress.h"
#include <KestrelMenu.h>
#include <KestrelToolTip.h>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <set>
#include <vector>

namespace stress {

namespace {

Scale MakeScale()
{
    Scale s;
    const wchar_t* line = ::GetCommandLineW();
    if (line && std::wcsstr(line, L"--long")) {
        s.longRun = true;
        s.cycles = 10000;
        s.serviceCycles = 1000;
        s.steps = 1000000;
        s.loopRounds = 20;
    }
    // --cycles=N overrides the cycle count, to look at one control more closely.
    if (const wchar_t* cycles = line ? std::wcsstr(line, L"--cycles=") : nullptr) s.cycles = _wtoi(cycles + 9);
    return s;
}

// Rows in the order they were first named.
std::vector<std::pair<std::string, Row>>& Rows()
{
    static std::vector<std::pair<std::string, Row>> rows;
    return rows;
}

std::set<std::string>& ReportedViolations()
{
    static std::set<std::string> seen;
    return seen;
}

// ---- script actions ----

const wchar_t kActionClass[] = L"KestrelStressAction";
constexpr UINT kRunAction = WM_APP + 77;

std::map<UINT_PTR, std::function<void()>>& Actions()
{
    static std::map<UINT_PTR, std::function<void()>> actions;
    return actions;
}

LRESULT CALLBACK ActionProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kRunAction) {
        auto& actions = Actions();
        auto it = actions.find(wParam);
        if (it != actions.end()) {
            std::function<void()> action = std::move(it->second);
            actions.erase(it);
            action();
        }
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND ActionWindow()
{
    static HWND window = nullptr;
    if (window == nullptr || !::IsWindow(window)) {
        WNDCLASSW wc{};
        wc.lpfnWndProc = ActionProc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = kActionClass;
        ::RegisterClassW(&wc);
        window = ::CreateWindowExW(0, kActionClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }
    return window;
}

BOOL CALLBACK CountChild(HWND, LPARAM counter)
{
    ++*reinterpret_cast<long*>(counter);
    return TRUE;
}

BOOL CALLBACK CountTop(HWND hWnd, LPARAM counter)
{
    ++*reinterpret_cast<long*>(counter);
    ::EnumChildWindows(hWnd, CountChild, counter);
    return TRUE;
}

}  // namespace

const Scale& Run()
{
    static const Scale scale = MakeScale();
    return scale;
}

Row& TableRow(const std::string& control)
{
    auto& rows = Rows();
    for (auto& r : rows)
        if (r.first == control) return r.second;
    rows.emplace_back(control, Row{});
    return rows.back().second;
}

void PrintTable()
{
    std::printf("\n%-26s %8s %10s %9s %10s %12s\n", "control", "cycles", "kept/cycle", "steps", "violations",
                "loops ended");
    bool clean = true;
    for (const auto& r : Rows()) {
        const Row& row = r.second;
        const double kept = row.measured ? static_cast<double>(row.objectsKept + row.windowsKept) / row.measured : 0.0;
        char loops[32];
        std::snprintf(loops, sizeof(loops), "%ld/%ld", row.loopsEnded, row.loopsInterrupted);
        std::printf("%-26s %8ld %10.3f %9ld %10ld %12s\n", r.first.c_str(), row.cycles, kept, row.steps,
                    row.violations, loops);
        if (row.objectsKept || row.windowsKept || row.violations || row.loopsEnded != row.loopsInterrupted) clean = false;
    }
    std::printf("%s\n", clean ? "stress: all clean" : "stress: FAULTS FOUND");
    std::fflush(stdout);
}

long FreeGdiObjects()
{
    // Regions are the cheapest GDI object; every kind shares one handle table.
    static std::vector<HRGN> probe;
    probe.clear();
    probe.reserve(70000);
    for (;;) {
        HRGN r = ::CreateRectRgn(0, 0, 1, 1);
        if (r == nullptr) break;
        probe.push_back(r);
        if (probe.size() > 1000000) break;  // no limit: nothing to count
    }
    const long n = static_cast<long>(probe.size());
    for (HRGN r : probe) ::DeleteObject(r);
    probe.clear();
    return n;
}

long ThreadWindowCount()
{
    long n = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountTop, reinterpret_cast<LPARAM>(&n));
    // Message-only windows are not enumerated; the action window is one of them.
    return n;
}

// The system keeps a cache of device contexts (three objects each: the context and its two
// regions) that grows whenever more are taken at once than it holds free, and never shrinks.
// Filled before a measurement, it cannot grow inside one and pass for a leak.
void FillDeviceContextCache()
{
    constexpr int kContexts = 80;
    HWND parent = ::CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    std::vector<std::pair<HWND, HDC>> taken;
    for (int i = 0; i < kContexts; ++i) {
        HWND w = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, parent, nullptr, nullptr, nullptr);
        taken.emplace_back(w, ::GetDC(w));
    }
    for (auto& [w, dc] : taken) ::ReleaseDC(w, dc);
    ::DestroyWindow(parent);  // its children with it: their contexts go back to the cache empty
}

Kept KeptOver(int cycles, const std::function<void(int)>& cycle)
{
    FillDeviceContextCache();
    // The first quarter fills whatever the system caches on first use (device contexts,
    // classes, cursors); what the rest keeps grows with the cycles and is a leak.
    const int warmUp = cycles < 4 ? 0 : cycles / 4;
    auto settle = [] {
        kx::PumpMessages();
        AfxDeleteTempMap();
    };
    cycle(-1);
    for (int i = 0; i < warmUp; ++i) cycle(i);
    settle();
    const long freeBefore = FreeGdiObjects();
    const long windowsBefore = ThreadWindowCount();
    for (int i = warmUp; i < cycles; ++i) {
        cycle(i);
        if ((i & 15) == 15) settle();
    }
    settle();
    Kept kept;
    kept.measured = cycles - warmUp;
    kept.objects = freeBefore - FreeGdiObjects();
    kept.windows = ThreadWindowCount() - windowsBefore;
    return kept;
}

void MeasureCycles(const std::string& control, int cycles, const std::function<void(int)>& cycle)
{
    Row& row = TableRow(control);
    const Kept kept = KeptOver(cycles, cycle);
    row.cycles += cycles;
    row.measured += kept.measured;
    if (kept.objects > 0) row.objectsKept += kept.objects;
    if (kept.windows > 0) row.windowsKept += kept.windows;
    EXPECT_LE(kept.objects, 0) << control << ": GDI objects kept over " << cycles << " cycles";
    EXPECT_LE(kept.windows, 0) << control << ": windows kept over " << cycles << " cycles";
}

void Violation(const std::string& control, const std::string& what, const std::string& detail)
{
    ++TableRow(control).violations;
    if (ReportedViolations().insert(control + ": " + what).second) ADD_FAILURE() << control << ": " << what << detail;
}

// ---- loop guard ----

LoopGuard::LoopGuard(const char* what, DWORD limitMs) : threadId_(::GetCurrentThreadId()), what_(what), limit_(limitMs)
{
    done_ = ::CreateEventW(nullptr, TRUE, FALSE, nullptr);
    thread_ = ::CreateThread(nullptr, 0, Watch, this, 0, nullptr);
}

LoopGuard::~LoopGuard()
{
    ::SetEvent(done_);
    ::WaitForSingleObject(thread_, INFINITE);
    ::CloseHandle(thread_);
    ::CloseHandle(done_);
    if (Fired()) {
        // The quit the guard posted may still wait if the loop ended another way first.
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
        }
    }
}

bool LoopGuard::Fired() const
{
    return fired_ != 0;
}

DWORD WINAPI LoopGuard::Watch(LPVOID self)
{
    auto* guard = static_cast<LoopGuard*>(self);
    if (::WaitForSingleObject(guard->done_, guard->limit_) == WAIT_OBJECT_0) return 0;
    ::InterlockedExchange(&guard->fired_, 1);
    std::fprintf(stderr, "stress: loop did not end: %s (posting WM_QUIT)\n", guard->what_.c_str());
    ::PostThreadMessageW(guard->threadId_, WM_QUIT, 0, 0);
    if (::WaitForSingleObject(guard->done_, guard->limit_) == WAIT_OBJECT_0) return 0;
    std::fprintf(stderr, "stress: loop ignores WM_QUIT: %s; giving up\n", guard->what_.c_str());
    std::fflush(stderr);
    ::TerminateProcess(::GetCurrentProcess(), 3);
    return 0;
}

// ---- scripts ----

MSG Act(std::function<void()> action)
{
    static UINT_PTR next = 1;
    const UINT_PTR id = next++;
    Actions()[id] = std::move(action);
    MSG m = kx::Msg(kRunAction, id, 0);
    m.hwnd = ActionWindow();
    return m;
}

MSG Sentinel(bool* ran)
{
    *ran = false;
    return Act([ran] { *ran = true; });
}

void Post(HWND target, const std::vector<MSG>& script)
{
    for (const MSG& m : script) ::PostMessageW(m.hwnd ? m.hwnd : target, m.message, m.wParam, m.lParam);
}

void DrainQueue()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message != WM_QUIT) ::DispatchMessageW(&msg);
    }
    Actions().clear();
}

HWND CaptureThief()
{
    static HWND thief = nullptr;
    if (thief == nullptr || !::IsWindow(thief)) {
        thief = ::CreateWindowExW(0, L"STATIC", L"thief", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  ::GetModuleHandleW(nullptr), nullptr);
    }
    return thief;
}

bool ClipIsFree()
{
    RECT clip{};
    ::GetClipCursor(&clip);
    const RECT screen{::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN),
                      ::GetSystemMetrics(SM_XVIRTUALSCREEN) + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      ::GetSystemMetrics(SM_YVIRTUALSCREEN) + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return ::EqualRect(&clip, &screen) != FALSE;
}

bool TimerWasRunning(HWND hWnd, UINT_PTR id)
{
    return ::IsWindow(hWnd) && ::KillTimer(hWnd, id) != FALSE;
}

// ---- interrupted loops ----

namespace {

size_t CountFromLoop(const kx::HostWindow& host, const LoopScenario& s)
{
    size_t n = 0;
    for (const auto& m : host.log)
        if (!s.fromLoop || s.fromLoop(m)) ++n;
    return n;
}

// What every ended loop leaves behind: no capture of its own, no timer, no pointer clip.
bool CheckLeftovers(const LoopScenario& s, const std::string& how, HWND w, const kx::HostWindow& host,
                    bool paired = true)
{
    bool ok = true;
    auto check = [&](bool cond, const std::string& what) {
        if (!cond) {
            Violation(s.row, s.loop + ", " + how + ": " + what);
            ok = false;
        }
    };
    check(::GetCapture() != w || w == nullptr, "keeps the capture");
    for (UINT_PTR id : s.timers) check(!TimerWasRunning(w, id), "leaves timer " + std::to_string(id) + " running");
    check(ClipIsFree(), "leaves the pointer clipped");
    if (s.balanced && paired) check(s.balanced(host.log), "begin and end notifications do not pair up");
    return ok;
}

}  // namespace

namespace {

// The script with a counting action after each of its messages: how many of them a loop has
// taken tells whether it went on after it should have ended.
std::vector<MSG> Counted(const std::vector<MSG>& script, long* counter)
{
    std::vector<MSG> counted;
    for (const MSG& m : script) {
        counted.push_back(m);
        counted.push_back(Act([counter] { ++*counter; }));
    }
    return counted;
}

}  // namespace

void ForgetRow(const std::string& control)
{
    auto& rows = Rows();
    for (auto it = rows.begin(); it != rows.end(); ++it)
        if (it->first == control) {
            rows.erase(it);
            return;
        }
}

void InterruptLoop(kx::HostWindow& host, const LoopScenario& s)
{
    Row& row = TableRow(s.row);
    const std::string name = s.row + " " + s.loop;
    auto script = [&](bool* after) {
        std::vector<MSG> m = s.drive();
        for (const MSG& f : s.finish()) m.push_back(f);
        m.push_back(Sentinel(after));
        return m;
    };

    // Undisturbed, for reference: it ends at its button-up and tells how many notifications
    // the parent gets, each of which is then a place to destroy the control from.
    size_t notes = 0;
    {
        HWND w = s.make();
        host.Clear();
        bool after = false;
        Post(w, script(&after));
        {
            LoopGuard guard(name.c_str(), s.guardMs);
            s.press(w);
            STRESS_CHECK(s.row, !guard.Fired(), s.loop + ": ends at its button-up");
        }
        STRESS_CHECK(s.row, !after, s.loop + ": leaves what follows its button-up to the host");
        notes = CountFromLoop(host, s);
        STRESS_CHECK(s.row, notes >= 1, s.loop + ": the script makes the loop notify its parent");
        CheckLeftovers(s, "undisturbed", w, host);
        DrainQueue();
    }

    const Kept kept = KeptOver(Run().loopRounds, [&](int) {
        // WM_QUIT in the middle: consumed, not posted again, and the loop cleans up.
        {
            HWND w = s.make();
            host.Clear();
            Post(w, s.drive());
            ::PostQuitMessage(0);
            bool fired;
            {
                LoopGuard guard(name.c_str(), s.guardMs);
                s.press(w);
                fired = guard.Fired();
            }
            MSG quit;
            const bool reposted = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
            STRESS_CHECK(s.row, !fired, s.loop + ": ends on WM_QUIT");
            STRESS_CHECK(s.row, !reposted, s.loop + ": does not post WM_QUIT again");
            ++row.loopsInterrupted;
            if (CheckLeftovers(s, "WM_QUIT", w, host) && !fired && !reposted) ++row.loopsEnded;
            DrainQueue();
        }
        // Another window takes the capture half-way: the loop ends at the next message at the
        // latest, without taking the capture back.
        {
            HWND w = s.make();
            host.Clear();
            long taken = 0, atSteal = -1;
            std::vector<MSG> drive = s.drive();
            const size_t half = drive.size() / 2;
            std::vector<MSG> script(drive.begin(), drive.begin() + static_cast<long>(half));
            script.push_back(Act([&] {
                atSteal = taken;
                ::SetCapture(CaptureThief());
            }));
            script.insert(script.end(), drive.begin() + static_cast<long>(half), drive.end());
            for (const MSG& f : s.finish()) script.push_back(f);
            Post(w, Counted(script, &taken));
            bool fired;
            {
                LoopGuard guard(name.c_str(), s.guardMs);
                s.press(w);
                fired = guard.Fired();
            }
            const bool kept = ::GetCapture() == CaptureThief();
            const bool prompt = atSteal >= 0 && taken - atSteal <= 1;
            STRESS_CHECK(s.row, !fired && prompt, s.loop + ": ends when another window takes the capture");
            STRESS_CHECK(s.row, kept, s.loop + ": leaves the capture with the window that took it");
            ++row.loopsInterrupted;
            if (CheckLeftovers(s, "capture taken", w, host) && !fired && prompt && kept) ++row.loopsEnded;
            ::ReleaseCapture();
            DrainQueue();
        }
        // The parent destroys the control from inside each notification in turn.
        for (size_t k = 1; k <= notes; ++k) {
            HWND w = s.make();
            host.Clear();
            size_t seen = 0;
            long taken = 0, atDestroy = -1;
            host.onLogged = [&](const kx::LoggedMessage& m) {
                if ((!s.fromLoop || s.fromLoop(m)) && ++seen == k) {
                    atDestroy = taken;
                    ::DestroyWindow(w);
                }
            };
            std::vector<MSG> script = s.drive();
            for (const MSG& f : s.finish()) script.push_back(f);
            Post(w, Counted(script, &taken));
            bool fired;
            {
                LoopGuard guard(name.c_str(), s.guardMs);
                s.press(w);
                fired = guard.Fired();
            }
            host.onLogged = nullptr;
            const std::string how = "destroyed on notification " + std::to_string(k);
            const bool gone = !::IsWindow(w);
            const bool prompt = atDestroy >= 0 && taken == atDestroy;
            const size_t sent = CountFromLoop(host, s);
            STRESS_CHECK(s.row, !fired && prompt, s.loop + ", " + how + ": ends at once");
            STRESS_CHECK(s.row, sent == k, s.loop + ", " + how + ": notifies nothing after");
            STRESS_CHECK(s.row, gone, s.loop + ", " + how + ": the window is gone");
            ++row.loopsInterrupted;
            if (CheckLeftovers(s, how, nullptr, host, false) && !fired && prompt && sent == k && gone) ++row.loopsEnded;
            DrainQueue();
        }
    });
    row.cycles += Run().loopRounds;
    row.measured += kept.measured;
    if (kept.objects > 0) row.objectsKept += kept.objects;
    if (kept.windows > 0) row.windowsKept += kept.windows;
    STRESS_CHECK(s.row, kept.objects <= 0, s.loop + ": interrupted loops keep GDI objects");
    STRESS_CHECK(s.row, kept.windows <= 0, s.loop + ": interrupted loops keep windows");
}

double Rng::Hostile()
{
    static const double specials[] = {0.0,
                                      -0.0,
                                      1.0,
                                      -1.0,
                                      0.5,
                                      2.5,
                                      1e-30,
                                      1e7,
                                      -1e7,
                                      16777217.0,
                                      2147483647.0,
                                      -2147483648.0,
                                      4294967296.0,
                                      3.4e38,
                                      -3.4e38,
                                      1e300,
                                      std::numeric_limits<double>::infinity(),
                                      -std::numeric_limits<double>::infinity(),
                                      std::numeric_limits<double>::quiet_NaN(),
                                      std::numeric_limits<double>::denorm_min()};
    switch (Int(0, 3)) {
    case 0: return specials[Int(0, static_cast<int>(sizeof(specials) / sizeof(specials[0])) - 1)];
    case 1: return Int(-1000, 1000);
    case 2: return Int(-100000, 100000) / 100.0;
    default: return std::ldexp(static_cast<double>(Int(-1000000, 1000000)), Int(-30, 40));
    }
}

// ---- fixture ----

void StressTest::SetUp()
{
    ASSERT_TRUE(host.Open(640, 480, L"Kestrel stress host"));
}

void StressTest::TearDown()
{
    host.onLogged = nullptr;
    host.onScroll = nullptr;
    if (::GetCapture()) ::ReleaseCapture();
    DrainQueue();
    host.Close();
}

namespace {

class StressEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        InitCommonFunc();
        InitResourcelib();
        InitMenu();
        InitToolTip();
    }
    void TearDown() override
    {
        ExitToolTip();
        ExitMenu();
        ExitResourcelib();
        ExitCommonFunc();
        PrintTable();
    }
};

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new StressEnvironment);

}  // namespace

}  // namespace stress
