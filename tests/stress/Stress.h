// Shared pieces of the stress program: the run's scale, the result table, a probe of GDI
// objects that works where GetGuiResources answers 0, a guard that turns a loop that never
// ends into a failure, script actions for the middle of a loop, and a seeded generator.
#pragma once
#include "Harness.h"
#include <cstdint>
#include <functional>
#include <string>

namespace stress {

// Brief in the test suite; long with --long on the command line (./kestrel stress).
struct Scale {
    bool longRun = false;
    int cycles = 60;          // create/paint/destroy cycles per control
    int serviceCycles = 24;   // start-up/tear-down cycles
    long steps = 10000;       // random model operations per model
    int loopRounds = 2;       // each interrupted-loop scenario is run this often
};
const Scale& Run();

// One line of the table printed at the end of the run.
struct Row {
    long cycles = 0;
    long measured = 0;     // cycles after the warm-up, over which objects are counted
    long objectsKept = 0;  // GDI objects not given back over all cycles
    long windowsKept = 0;
    long steps = 0;
    long violations = 0;
    long loopsInterrupted = 0;
    long loopsEnded = 0;  // of those, the ones that ended as they must
};
Row& TableRow(const std::string& control);
// Prints the table; with expectations, every failing cell also fails the current test.
void PrintTable();
// Drops a row (the program's own checks of its checks leave none behind).
void ForgetRow(const std::string& control);

// How many more GDI objects the process could create now. Creating and freeing the probe's
// objects leaves the table as it was.
long FreeGdiObjects();
// Top-level and child windows of this thread.
long ThreadWindowCount();

// What a batch of cycles keeps: GDI objects and windows before and after the cycles that
// follow a warm-up (index -1, then the first quarter) that lets first-use caches fill.
struct Kept {
    long objects = 0;
    long windows = 0;
    long measured = 0;
};
Kept KeptOver(int cycles, const std::function<void(int)>& cycle);
// KeptOver, added to the control's row and expected to be nothing.
void MeasureCycles(const std::string& control, int cycles, const std::function<void(int)>& cycle);

// Counts a violation on a row and reports it to GoogleTest once per row and text.
// Counts a violation on a row; the first of each kind is reported with its detail.
void Violation(const std::string& control, const std::string& what, const std::string& detail = "");
#define STRESS_CHECK(row, cond, what) STRESS_CHECK_AT(row, cond, what, "")
#define STRESS_CHECK_AT(row, cond, what, detail)                          \
    do {                                                                  \
        if (!(cond)) ::stress::Violation((row), (what), (detail));        \
    } while (0)

// Arms a watchdog for a block that runs a modal loop on this thread. If the block has not
// left in time the watchdog posts WM_QUIT to the thread (every loop ends on it) and the
// block counts as hung; if even that does not end it, the process exits with a failure
// instead of hanging the run.
class LoopGuard {
public:
    explicit LoopGuard(const char* what, DWORD limitMs = 10000);
    ~LoopGuard();
    bool Fired() const;
    LoopGuard(const LoopGuard&) = delete;
    LoopGuard& operator=(const LoopGuard&) = delete;

private:
    HANDLE done_;
    HANDLE thread_;
    volatile LONG fired_ = 0;
    DWORD threadId_;
    std::string what_;
    DWORD limit_;
    static DWORD WINAPI Watch(LPVOID self);
};

// A message that runs action when a loop (or any pump) dispatches it: posted to a hidden
// window of its own, so it reaches the action whatever window the loop tracks.
MSG Act(std::function<void()> action);
// A message whose dispatch sets *ran; used to tell whether a loop went on pumping.
MSG Sentinel(bool* ran);
// Posts a script (messages with hwnd set go to that window, the others to target).
void Post(HWND target, const std::vector<MSG>& script);
// Drops every message still queued for this thread, WM_QUIT included.
void DrainQueue();

// A window of the thread that takes the capture from a tracking loop.
HWND CaptureThief();
// The pointer clip is the whole screen again.
bool ClipIsFree();
// A timer of the window was still running (it is killed by asking).
bool TimerWasRunning(HWND hWnd, UINT_PTR id);

// One tracking loop of a control, described so that it can be interrupted three ways: by
// WM_QUIT, by another window taking the capture, and by the parent destroying the control
// from inside each notification the loop sends in turn.
struct LoopScenario {
    std::string row;   // table row (the control)
    std::string loop;  // which loop
    std::function<HWND()> make;                  // a fresh control, any earlier one gone
    std::function<std::vector<MSG>()> drive;     // what the loop sees while it runs
    std::function<std::vector<MSG>()> finish;    // its ordinary end (the button-up)
    std::function<void(HWND)> press;             // starts the loop and returns when it ends
    // The parent's log entries the loop sent (all of them when empty).
    std::function<bool(const kx::LoggedMessage&)> fromLoop;
    // Begin and end notifications pair up in a log that ended early (none when empty).
    std::function<bool(const std::vector<kx::LoggedMessage>&)> balanced;
    std::vector<UINT_PTR> timers;  // timers the loop runs on the control's window
    DWORD guardMs = 10000;         // how long one run may take before it counts as hung
};
void InterruptLoop(kx::HostWindow& host, const LoopScenario& scenario);

// A small deterministic generator (xorshift), the same sequence on every machine.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint64_t Next()
    {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    int Int(int lo, int hi) { return lo + static_cast<int>(Next() % static_cast<uint64_t>(hi - lo + 1)); }
    bool Chance(int percent) { return Int(0, 99) < percent; }
    // A hostile float: ordinary, huge, tiny, infinite, NaN or an integer edge.
    double Hostile();

private:
    uint64_t s_;
};

// Library start-up for the program (theme, registry, menus, tooltip) and the visible host.
class StressTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    kx::HostWindow host;
};

}  // namespace stress
