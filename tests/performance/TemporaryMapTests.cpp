// A host whose loop never frees the framework's temporary wrappers (no AfxPreTranslateMessage,
// no AfxDeleteTempMap) must not grow while it drives a control hard, even where every round
// meets new handles (bitmaps rebuilt, in-place editors made and destroyed). Measured from
// outside: the process's busy heap blocks before and after thousands of rounds.
#include "Harness.h"
#include <KestrelEdit.h>
#include <KestrelNumeric.h>
#include <KestrelOrmProgress.h>
#include <KestrelProgress.h>
#include <functional>

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);

// A wrapper kept per round costs at least two blocks (the object and its map entry); the
// allowance is a tenth of a block per round.
constexpr int kAllowedGrowthDivisor = 10;

long long BusyHeapBlocks()
{
    HANDLE heaps[256];
    const DWORD count = ::GetProcessHeaps(256, heaps);
    long long blocks = 0;
    for (DWORD i = 0; i < count && i < 256; ++i) {
        if (!::HeapLock(heaps[i])) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heaps[i], &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++blocks;
        ::HeapUnlock(heaps[i]);
    }
    return blocks;
}

// A host application's plainest loop.
void PlainPump()
{
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

// The test host, without the harness's log (which grows by itself).
class QuietHost : public kx::HostWindow {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

class TemporaryMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open(640, 240));
        // Whatever the harness left to free goes now, so that only the rounds count.
        AfxDeleteTempMap();
    }
    void TearDown() override { host.Close(); }

    // Runs round(i) with a plain pump after each; the heap must not grow with the rounds.
    void ExpectBounded(int rounds, const std::function<void(int)>& round)
    {
        const int warmUp = rounds / 5;
        for (int i = 0; i < warmUp; ++i) {
            round(i);
            PlainPump();
        }
        const long long before = BusyHeapBlocks();
        for (int i = warmUp; i < warmUp + rounds; ++i) {
            round(i);
            PlainPump();
        }
        const long long growth = BusyHeapBlocks() - before;
        EXPECT_LT(growth, rounds / kAllowedGrowthDivisor) << "heap blocks gained over " << rounds << " rounds";
    }

    // A plain child window that can take the focus.
    HWND NewStranger()
    {
        return ::CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE, 400, 10, 40, 20, host.m_hWnd, nullptr,
                                 nullptr, nullptr);
    }

    QuietHost host;
};

TEST_F(TemporaryMapTest, GradientBarRebuildingItsStripEveryRound)
{
    CCoolProgressCtrl bar;
    ASSERT_EQ(bar.Create(0, CRect(10, 10, 310, 30), &host, 1), 1);
    ExpectBounded(1000, [&](int i) {
        bar.SetPos(i % 101);
        // New colours or a new size every round: the kept strip is made again each time.
        bar.SetStartColor(RGB(i % 256, 100, 200));
        if (i % 7 == 0) bar.SetWindowPos(nullptr, 0, 0, 200 + i % 50, 20, SWP_NOMOVE | SWP_NOZORDER);
        bar.Invalidate();
    });
    bar.DestroyWindow();
}

TEST_F(TemporaryMapTest, BitmapBarGrowingShrinkingAndRepainted)
{
    COrmProgressCtrl bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, CRect(10, 40, 310, 58), &host, 2));
    ExpectBounded(1000, [&](int i) {
        bar.SetPos((i * 37) % 101);
        if (i % 3 == 0) bar.Invalidate();
    });
    bar.DestroyWindow();
}

TEST_F(TemporaryMapTest, EditBoxesOpenedTypedIntoAndClosedEveryRound)
{
    CEditCtrl edit;
    CKeyEdit keys;
    ASSERT_TRUE(keys.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(10, 100, 210, 124), &host, 4));
    ExpectBounded(200, [&](int i) {
        // A new in-place editor window each round; leaving it sends its notice and ends it.
        edit.Create(WS_CHILD | WS_VISIBLE, CRect(10, 70, 210, 94), &host, 3);
        ::SetFocus(edit.m_hWnd);
        edit.SendMessage(WM_CHAR, L'0' + i % 10, 1);
        edit.SendMessage(WM_CHAR, L'5', 1);
        ::SetFocus(keys.m_hWnd);  // the in-place editor goes
        keys.SendMessage(WM_KEYDOWN, 'A' + i % 26, 1);
        keys.SendMessage(WM_KEYUP, 'A' + i % 26, 0xC0000001);
        keys.Invalidate();
        // The focus leaves for a window the framework has never seen, made for this round.
        HWND stranger = NewStranger();
        ::SetFocus(stranger);
        ::DestroyWindow(stranger);
    });
    keys.DestroyWindow();
}

TEST_F(TemporaryMapTest, NumericEditorDraggedSteppedEditedAndRepainted)
{
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(CRect(10, 130, 130, 154), &host, 5, WS_VISIBLE | ES_RIGHT));
    edit.SetNumberMinMax(0, 1000, 0);
    PlainPump();
    const RECT place = edit.GetItemRect(2);
    const int x = (place.left + place.right) / 2, y = (place.top + place.bottom) / 2;
    CRect client;
    edit.GetClientRect(&client);
    const int buttonX = client.right - 4;
    ExpectBounded(120, [&](int i) {
        edit.SetCurValue(i % 1000);
        // A short drag on a digit, then a click on a step button (each its own tracking loop).
        kx::PostScript(edit.m_hWnd, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y - 6)),
                                     kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y - 6))});
        edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, y));
        kx::PostScript(edit.m_hWnd, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(buttonX, 3))});
        edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(buttonX, 3));
        // The in-place editor: a new window each round, closed by moving the focus.
        if (i % 2 == 0) {
            edit.DisplayEditBox();
            ::SetFocus(host.m_hWnd);
        }
        // Focus in from and out to windows the framework has never seen, made for this round.
        HWND stranger = NewStranger();
        ::SetFocus(stranger);
        ::SetFocus(edit.m_hWnd);
        HWND next = NewStranger();
        ::SetFocus(next);
        ::DestroyWindow(stranger);
        ::DestroyWindow(next);
        edit.Invalidate();
    });
    edit.DestroyWindow();
}

}  // namespace
