// CFreeMenu against the system popup menu with the same twelve items. Both are driven the same
// way: the keys and a "paint now" request are posted before TrackPopupMenu, and Escape ends the
// run. One run is the time from the call to the end of the first paint plus the dismissal; a
// run with extra down-arrow presses adds hot-item moves, each with its repaint.
#include "Bench.h"
#include <KestrelMenu.h>
#include <string>

namespace {

constexpr int kItems = 12;
constexpr int kHotMoves = 20;
constexpr UINT kPaintNowMessage = WM_APP + 40;
constexpr UINT kFirstId = 100;
const bench::CompareOptions kRunOptions{21, 10};

bool g_kestrelSide = false;  // which menu the current run shows

// Window that receives the scripted "paint now" request inside either menu loop.
LRESULT CALLBACK ActorProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kPaintNowMessage) {
        // One lookup on each side; the system menu may have painted already, then this is free.
        HWND popup = ::FindWindowW(g_kestrelSide ? L"CFreeMenu" : L"#32768", nullptr);
        if (g_kestrelSide && CFreeMenuWnd::GetHead()) popup = CFreeMenuWnd::GetHead()->m_hWnd;
        if (popup) ::UpdateWindow(popup);
        return 0;
    }
    return ::DefWindowProcW(hWnd, message, wParam, lParam);
}

HWND CreateActor()
{
    WNDCLASSW wc{};
    wc.lpfnWndProc = ActorProc;
    wc.hInstance = ::GetModuleHandleW(nullptr);
    wc.lpszClassName = L"KestrelMenuBenchActor";
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD, 0, 0, 1, 1, bench::BenchHost(), nullptr,
                             wc.hInstance, nullptr);
}

// Posts the script of one run: the paint request, the hot moves, Escape.
void PostRun(HWND actor, int hotMoves)
{
    ::PostMessageW(actor, kPaintNowMessage, 0, 0);
    for (int i = 0; i < hotMoves; ++i) ::PostMessageW(bench::BenchHost(), WM_KEYDOWN, VK_DOWN, 0);
    ::PostMessageW(bench::BenchHost(), WM_KEYDOWN, VK_ESCAPE, 0);
}

void RunMenuBench()
{
    InitMenu();
    HWND host = bench::BenchHost();
    HWND actor = CreateActor();
    CRect hostRect;
    ::GetWindowRect(host, &hostRect);
    const int x = hostRect.left + 40, y = hostRect.top + 40;
    ::SetCursorPos(2, 2);  // away from both menus: only the script moves the hot item

    CFreeMenu menu;
    menu.CreatePopupMenu();
    HMENU system = ::CreatePopupMenu();
    for (int i = 0; i < kItems; ++i) {
        const std::wstring text = L"&" + std::to_wstring(i % 10) + L" Menu item number " + std::to_wstring(i + 1);
        menu.AppendMenuW(MF_STRING, kFirstId + i, text.c_str());
        ::AppendMenuW(system, MF_STRING, kFirstId + i, text.c_str());
    }

    auto kestrelRun = [&](int hotMoves) {
        return [&, hotMoves] {
            g_kestrelSide = true;
            PostRun(actor, hotMoves);
            menu.TrackPopupMenu(TPM_LEFTALIGN, x, y, CWnd::FromHandle(host));
        };
    };
    auto systemRun = [&](int hotMoves) {
        return [&, hotMoves] {
            g_kestrelSide = false;
            PostRun(actor, hotMoves);
            ::TrackPopupMenu(system, TPM_LEFTALIGN | TPM_RETURNCMD | TPM_NONOTIFY, x, y, 0, host, nullptr);
        };
    };

    const bench::Comparison open = bench::Compare(L"CFreeMenu open to first paint, Escape", kestrelRun(0),
                                                  systemRun(0), bench::FlushAndPump, kRunOptions);
    const std::wstring movesName = L"CFreeMenu open, " + std::to_wstring(kHotMoves) + L" hot moves, Escape";
    const bench::Comparison moves = bench::Compare(movesName.c_str(), kestrelRun(kHotMoves), systemRun(kHotMoves),
                                                   bench::FlushAndPump, kRunOptions);
    bench::PrintFigure(L"CFreeMenu one hot move with its repaint", (moves.kestrelUs - open.kestrelUs) / kHotMoves, L"us");
    bench::PrintFigure(L"system menu one hot move with its repaint", (moves.counterpartUs - open.counterpartUs) / kHotMoves,
                       L"us");

    // Counted apart: a hot move repaints the two rows involved, nothing else.
    CFreeMenuWnd* head = CFreeMenuWnd::GetHead();
    head->ShowHead(menu.GetSafeFreeMenu(), x, y);
    head->UpdateWindow();
    // The pointer rests inside the popup, so no leave message follows a move.
    CRect headRect;
    head->GetWindowRect(&headRect);
    ::SetCursorPos(headRect.right - 4, headRect.bottom - 4);
    int row = 0;
    bench::ReportPaints(L"CFreeMenu hot move", head->m_hWnd, [&] {
        row = (row + 1) % kItems;
        ::SendMessageW(head->m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(10, row * 20 + 10));
    });
    CFreeMenuWnd::CloseAll();

    ::DestroyMenu(system);
    ::DestroyWindow(actor);
    ExitMenu();
}

}  // namespace

BENCH_SUITE(L"menu", RunMenuBench);
