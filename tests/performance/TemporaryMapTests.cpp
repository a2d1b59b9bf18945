// A host whose loop never frees the framework's temporary wrappers (no AfxPreTranslateMessage,
// no AfxDeleteTempMap) must not grow while it drives a control hard, even where every round
// meets new handles (bitmaps rebuilt, in-place editors made and destroyed). Measured from
// outside: the process's busy heap blocks before and after thousands of rounds.
#include "Harness.h"
#include <KestrelEdit.h>
#include <KestrelHeader.h>
#include <KestrelMenu.h>
#include <KestrelNumeric.h>
#include <KestrelScrollBar.h>
#include <KestrelSplitter.h>
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

// Presses whose tracking loop runs on the posted script, in the control's client coordinates.
void Press(CWnd& control, CPoint at, std::initializer_list<MSG> script)
{
    kx::PostScript(control.m_hWnd, script);
    control.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(at.x, at.y));
}
MSG MoveTo(int x, int y)
{
    return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y));
}
MSG UpAt(int x, int y)
{
    return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y));
}

TEST_F(TemporaryMapTest, HeaderResizedReorderedAndRepainted)
{
    CHeadWnd header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 30), &host, 6));
    for (int i = 0; i < 3; ++i) {
        HD_ITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.pszText = const_cast<LPWSTR>(L"Column");
        item.cxy = 100;
        header.InsertItem(i, &item);
    }
    ExpectBounded(150, [&](int i) {
        // A divider drag and an item drag, each its own loop, then a repaint.
        Press(header, CPoint(100, 10), {MoveTo(100 + i % 20, 10), UpAt(100 + i % 20, 10)});
        Press(header, CPoint(50, 10), {MoveTo(150, 10), MoveTo(260, 10), UpAt(260, 10)});
        header.Invalidate();
    });
    header.DestroyWindow();
}

TEST_F(TemporaryMapTest, ScrollBarArrowsPagesAndThumbDragged)
{
    CStaticScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(450, 10, 470, 210), &host, 7));
    bar.SetScrollRange(0, 100);
    ExpectBounded(150, [&](int i) {
        bar.SetScrollPos(i % 100);
        CRect thumb;
        bar.GetPartRect(SBPART_TRACKBOX, thumb);
        Press(bar, CPoint(10, 5), {UpAt(10, 5)});
        Press(bar, CPoint(10, 195), {UpAt(10, 195)});
        Press(bar, thumb.CenterPoint(), {MoveTo(10, thumb.CenterPoint().y + 30), UpAt(10, 100)});
        bar.Invalidate();
    });
    bar.DestroyWindow();
}

TEST_F(TemporaryMapTest, SplitterDraggedAndMovedToItsBorders)
{
    CxSpltWnd splitter;
    ASSERT_TRUE(splitter.Create(WS_VISIBLE, CRect(300, 60, 305, 200), &host, 8));
    ExpectBounded(150, [&](int i) {
        Press(splitter, CPoint(2, 50), {MoveTo(2 + (i % 2 ? 20 : -20), 50), UpAt(2, 50)});
        splitter.MoveToBoarder(i % 2);
        splitter.Invalidate();
    });
    splitter.DestroyWindow();
}

TEST_F(TemporaryMapTest, LabelHoveredDraggedAndRewritten)
{
    CNumStatic label;
    ASSERT_TRUE(label.Create(L"5", WS_CHILD | WS_VISIBLE | SS_SUNKEN, CRect(10, 170, 110, 192), &host, 9,
                             INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER));
    label.SetNumberMinMax(0, 1000, 0);
    ExpectBounded(150, [&](int i) {
        label.SetText(i % 1000);
        label.SendMessage(WM_MOUSEMOVE, 0, kx::PointParam(20, 10));
        label.SendMessage(WM_MOUSELEAVE);
        Press(label, CPoint(20, 10), {MoveTo(20, 4), UpAt(20, 4)});
        label.Invalidate();
    });
    label.DestroyWindow();
}

TEST_F(TemporaryMapTest, MenuOpenedWalkedAndDismissed)
{
    CFreeMenu menu;
    menu.CreatePopupMenu();
    for (UINT id = 1; id <= 6; ++id) menu.AppendMenuW(MF_STRING, id, L"&Item");
    ExpectBounded(60, [&](int i) {
        kx::PostScript(host.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_DOWN), kx::Msg(WM_KEYDOWN, VK_DOWN),
                                     kx::Msg(WM_KEYDOWN, i % 2 ? VK_RETURN : VK_ESCAPE)});
        menu.TrackPopupMenu(TPM_LEFTALIGN, 100 + i % 50, 100, &host);
    });
    menu.DestroyMenu();
}

}  // namespace
