// Every tracking loop of the landed controls interrupted by WM_QUIT, by another window taking
// the capture, and by its parent destroying it from inside each notification it sends.
#include "Stress.h"
#include <gtest/gtest-spi.h>
#include <algorithm>
#include <cwchar>
#include <KestrelHeader.h>
#include <KestrelMenu.h>
#include <KestrelNumeric.h>
#include <KestrelScrollBar.h>
#include <KestrelSplitter.h>

namespace {

using kx::Msg;
using kx::PointParam;

MSG Move(CPoint p) { return Msg(WM_MOUSEMOVE, MK_LBUTTON, PointParam(p.x, p.y)); }
MSG Up(CPoint p) { return Msg(WM_LBUTTONUP, 0, PointParam(p.x, p.y)); }
MSG Tick(UINT_PTR id) { return Msg(WM_TIMER, id, 0); }

// WM_COMMAND kinds of the numeric editor: a begin is always followed by an end.
bool NumEditPaired(const std::vector<kx::LoggedMessage>& log)
{
    int open = 0;
    for (const auto& m : log) {
        if (m.message != WM_COMMAND) continue;
        if (HIWORD(m.wParam) == NUMN_BEGINCHANGE) ++open;
        if (HIWORD(m.wParam) == NUMN_ENDCHANGE) --open;
    }
    return open == 0;
}

// WM_NOTIFY codes of one control, in order.
std::vector<UINT> Codes(const std::vector<kx::LoggedMessage>& log)
{
    std::vector<UINT> codes;
    for (const auto& m : log)
        if (m.message == WM_NOTIFY) codes.push_back(m.hdr.code);
    return codes;
}

// As many of one code as of another.
std::function<bool(const std::vector<kx::LoggedMessage>&)> Paired(UINT begin, UINT end)
{
    return [begin, end](const std::vector<kx::LoggedMessage>& log) {
        const std::vector<UINT> codes = Codes(log);
        return std::count(codes.begin(), codes.end(), begin) == std::count(codes.begin(), codes.end(), end);
    };
}

// The left button held down in the thread's key state, for loops that ask DragDetect first.
void SetButtonDown(bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[VK_LBUTTON] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class Loops : public stress::StressTest {
protected:
    void TearDown() override
    {
        SetButtonDown(false);
        stress::StressTest::TearDown();
    }
    static std::function<void(HWND)> PressAt(CPoint p)
    {
        return [p](HWND w) {
            SetButtonDown(true);
            ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p.x, p.y));
            SetButtonDown(false);
        };
    }
};

TEST_F(Loops, NumericEditorTextDragAndStepButtons)
{
    CNumEdit edit;
    auto make = [&]() -> HWND {
        if (edit.m_hWnd) edit.DestroyWindow();
        edit.Create(CRect(20, 20, 140, 42), &host, 100, WS_CHILD | WS_VISIBLE | ES_RIGHT);
        edit.SetNumberMinMax(-1000, 1000, 0);
        edit.SetCurValue(10.0f);
        return edit.m_hWnd;
    };
    auto press = [](CPoint p) {
        return [p](HWND w) { ::SendMessageW(w, WM_LBUTTONDOWN, MK_LBUTTON, PointParam(p.x, p.y)); };
    };
    make();
    const RECT place = edit.GetItemRect(2);
    const CPoint digit((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    CRect client, text, step;
    edit.GetClientRect(&client);
    edit.GetRects(&client, &text, &step);
    const CPoint upper(step.CenterPoint().x, step.top + 3);

    stress::LoopScenario drag;
    drag.row = "CNumEdit";
    drag.loop = "text drag";
    drag.make = make;
    drag.drive = [&] {
        return std::vector<MSG>{Move({digit.x, digit.y - 4}), Move({digit.x, digit.y - 8}),
                                Move({digit.x, digit.y - 12}), Move({digit.x, digit.y - 16})};
    };
    drag.finish = [&] { return std::vector<MSG>{Up({digit.x, digit.y - 16})}; };
    drag.press = press(digit);
    drag.balanced = NumEditPaired;
    stress::InterruptLoop(host, drag);

    stress::LoopScenario steps;
    steps.row = "CNumEdit";
    steps.loop = "step buttons";
    steps.make = make;
    steps.drive = [] {
        return std::vector<MSG>{Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT)};
    };
    steps.finish = [&] { return std::vector<MSG>{Up(upper)}; };
    steps.press = press(upper);
    steps.balanced = NumEditPaired;
    steps.timers = {IDT_FIRSTDELAY, IDT_REPEAT};
    stress::InterruptLoop(host, steps);
    edit.DestroyWindow();
}

// The scroll bar's three loops, with a parent that answers each proposal as a real one does.
TEST_F(Loops, ScrollBarArrowPageAndThumb)
{
    CStaticScrollBar bar;
    host.onScroll = [&bar](UINT, WPARAM, LPARAM) {
        if (!bar.m_hWnd) return;
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        bar.GetScrollInfo(&si, SIF_TRACKPOS);
        bar.SetScrollPos(si.nTrackPos, TRUE);
    };
    auto make = [&]() -> HWND {
        if (bar.m_hWnd) bar.DestroyWindow();
        bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(300, 20, 317, 320), &host, 200);
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
        si.nMin = 0;
        si.nMax = 100;
        si.nPage = 10;
        si.nPos = 50;
        bar.SetScrollInfo(&si, TRUE);
        return bar.m_hWnd;
    };
    make();
    CRect down, lowMargin, thumb;
    bar.GetPartRect(SBPART_RTDNENDBOX, down);
    bar.GetPartRect(SBPART_RTDNMARGIN, lowMargin);
    bar.GetPartRect(SBPART_TRACKBOX, thumb);
    const CPoint arrow = down.CenterPoint(), page(lowMargin.CenterPoint().x, lowMargin.bottom - 3), grip = thumb.CenterPoint();
    auto ticks = [] {
        return std::vector<MSG>{Tick(IDT_FIRSTDELAY), Tick(IDT_REPEAT), Tick(IDT_REPEAT), Tick(IDT_REPEAT)};
    };
    const std::string row = "CStaticScrollBar";
    const auto paired = Paired(SBN_BEGINSCROLL, SBN_ENDSCROLL);

    stress::LoopScenario end{row, "arrow box", make, ticks, [=] { return std::vector<MSG>{Up(arrow)}; },
                             PressAt(arrow), nullptr, paired, {IDT_FIRSTDELAY, IDT_REPEAT}};
    stress::InterruptLoop(host, end);
    stress::LoopScenario margin{row, "page area", make, ticks, [=] { return std::vector<MSG>{Up(page)}; },
                                PressAt(page), nullptr, paired, {IDT_FIRSTDELAY, IDT_REPEAT}};
    stress::InterruptLoop(host, margin);
    stress::LoopScenario drag{row, "thumb", make,
                              [=] {
                                  return std::vector<MSG>{Move({grip.x, grip.y + 12}), Move({grip.x, grip.y + 30}),
                                                          Move({grip.x, grip.y + 50}), Move({grip.x, grip.y + 70})};
                              },
                              [=] { return std::vector<MSG>{Up({grip.x, grip.y + 70})}; }, PressAt(grip), nullptr,
                              paired, {}};
    stress::InterruptLoop(host, drag);
    host.onScroll = nullptr;
    bar.DestroyWindow();
}

// The header's divider and item drags.
TEST_F(Loops, HeaderDividerAndItemDrags)
{
    CHeadWnd head;
    auto make = [&]() -> HWND {
        if (head.m_hWnd) head.DestroyWindow();
        while (head.GetItemCount() > 0) head.DeleteItem(0);
        head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 410, 124), &host, 300);
        for (int i = 0; i < 4; ++i) {
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_TEXT;
            item.cxy = 80;
            item.pszText = const_cast<wchar_t*>(L"column");
            head.InsertItem(i, &item);
        }
        return head.m_hWnd;
    };
    make();
    const CPoint divider(80, 10), body(40, 10);
    const std::string row = "CHeadWnd";
    stress::LoopScenario resize{row, "divider drag", make,
                                [=] {
                                    return std::vector<MSG>{Move({90, 10}), Move({100, 10}), Move({110, 10}),
                                                            Move({120, 10})};
                                },
                                [=] { return std::vector<MSG>{Up({120, 10})}; }, PressAt(divider), nullptr,
                                Paired(HDN_BEGINTRACKW, HDN_ENDTRACKW), {}};
    stress::InterruptLoop(host, resize);
    stress::LoopScenario reorder{row, "item drag", make,
                                 [=] {
                                     return std::vector<MSG>{Move({120, 10}), Move({200, 10}), Move({280, 10}),
                                                             Move({360, 10})};
                                 },
                                 [=] { return std::vector<MSG>{Up({360, 10})}; }, PressAt(body), nullptr,
                                 [](const std::vector<kx::LoggedMessage>& log) {
                                     const std::vector<UINT> codes = Codes(log);
                                     return codes.empty() || codes.back() == HDN_ITEMCHANGEDW;
                                 },
                                 {}};
    stress::InterruptLoop(host, reorder);
    head.DestroyWindow();
}

// The vertical splitter's drag between two panes, and the numeric label's drag.
TEST_F(Loops, SplitterAndLabelDrags)
{
    RECT client{};
    host.GetClientRect(&client);
    HWND left = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 150, 100, 100, host, reinterpret_cast<HMENU>(41), nullptr, nullptr);
    HWND right = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 126, 150, 200, 100, host, reinterpret_cast<HMENU>(42), nullptr, nullptr);
    CxSpltWnd split;
    auto makeSplit = [&]() -> HWND {
        if (split.m_hWnd) split.DestroyWindow();
        split.Unbind();
        ::SetWindowPos(left, nullptr, 20, 150, 100, 100, SWP_NOZORDER);
        ::SetWindowPos(right, nullptr, 126, 150, 200, 100, SWP_NOZORDER);
        HWND bar = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 120, 150, 6, 100, host,
                                     reinterpret_cast<HMENU>(43), nullptr, nullptr);
        split.BindWithControl(&host, 43);
        split.AttachAsLeftPane(41);
        split.AttachAsRightPane(42);
        return bar;
    };
    const CPoint grip(3, 50);
    stress::LoopScenario drag{"CxSpltWnd", "bar drag", makeSplit,
                              [=] { return std::vector<MSG>{Move({10, 50}), Move({20, 50}), Move({30, 50})}; },
                              [=] { return std::vector<MSG>{Up({30, 50})}; }, PressAt(grip), nullptr, nullptr, {}};
    stress::InterruptLoop(host, drag);
    if (split.m_hWnd) split.DestroyWindow();
    ::DestroyWindow(left);
    ::DestroyWindow(right);

    CNumStatic label;
    auto makeLabel = [&]() -> HWND {
        if (label.m_hWnd) label.DestroyWindow();
        label.Create(L"10", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(20, 300, 120, 320), &host, 400, INPUTSTYLE_NUMBER);
        label.SetNumberMinMax(-1000, 1000, 0);
        label.SetDicimalNum(0);
        label.SetText(10);
        return label.m_hWnd;
    };
    const CPoint at(50, 10);
    stress::LoopScenario labelDrag{"CNumStatic", "value drag", makeLabel,
                                   [=] {
                                       return std::vector<MSG>{Move({50, 4}), Move({50, 0}), Move({50, -4}),
                                                               Move({50, -8})};
                                   },
                                   [=] { return std::vector<MSG>{Up({50, -8})}; }, PressAt(at), nullptr,
                                   [](const std::vector<kx::LoggedMessage>& log) {
                                       int open = 0;
                                       for (const auto& m : log) {
                                           if (m.message != WM_NOTIFY || m.record.size() < sizeof(NMNUMSTATIC)) continue;
                                           const UINT kind = reinterpret_cast<const NMNUMSTATIC*>(m.record.data())->kind;
                                           if (kind == NUMN_BEGINCHANGE) ++open;
                                           if (kind == NUMN_ENDCHANGE || kind == NUMN_CHANGED) --open;
                                       }
                                       return open == 0;
                                   },
                                   {}};
    stress::InterruptLoop(host, labelDrag);
    label.DestroyWindow();
}

// The menu loop: WM_QUIT and ExitMenu called from a handler end it with -1; the chain is
// hidden afterwards and the quit is not posted again.
TEST_F(Loops, MenuTracking)
{
    const std::string row = "CFreeMenu";
    stress::Row& table = stress::TableRow(row);
    CFreeMenu menu, sub;
    ASSERT_TRUE(menu.CreatePopupMenu());
    ASSERT_TRUE(sub.CreatePopupMenu());
    sub.AppendMenuW(MF_STRING, 21, L"inner");
    menu.AppendMenuW(MF_STRING, 11, L"first");
    menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"more");
    menu.AppendMenuW(MF_STRING, 12, L"last");

    const stress::Kept kept = stress::KeptOver(stress::Run().loopRounds * 4, [&](int i) {
        const int way = (i + 4) % 4;
        bool after = false;
        std::vector<MSG> keys{Msg(WM_KEYDOWN, VK_DOWN), Msg(WM_KEYDOWN, VK_DOWN), Msg(WM_KEYDOWN, VK_RIGHT)};
        switch (way) {
        case 0: stress::Post(host, keys); ::PostQuitMessage(0); break;
        case 1:
            keys.push_back(stress::Act([] { ExitMenu(); }));
            keys.push_back(stress::Sentinel(&after));
            stress::Post(host, keys);
            break;
        case 2:  // an ordinary end, for reference: a choice, or Escape on each open level
            keys = {Msg(WM_KEYDOWN, VK_DOWN), Msg(WM_KEYDOWN, VK_RETURN), Msg(WM_KEYDOWN, VK_ESCAPE),
                    Msg(WM_KEYDOWN, VK_ESCAPE)};
            keys.push_back(stress::Sentinel(&after));
            stress::Post(host, keys);
            break;
        default:  // a click outside the chain: it ends the run and is posted again
            keys.push_back(Msg(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5)));
            keys.push_back(stress::Sentinel(&after));
            stress::Post(host, keys);
            break;
        }
        int result = 0;
        bool fired;
        {
            const char* names[] = {"CFreeMenu tracking, WM_QUIT", "CFreeMenu tracking, ExitMenu from a handler",
                                   "CFreeMenu tracking, a choice", "CFreeMenu tracking, a click outside"};
            stress::LoopGuard guard(names[way]);
            result = menu.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &host);
            fired = guard.Fired();
        }
        MSG quit;
        const bool reposted = ::PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
        const bool ended = !fired && !reposted && !after && (way == 2 || result == -1);
        STRESS_CHECK(row, !fired, "menu tracking ends");
        STRESS_CHECK(row, !reposted, "menu tracking does not post WM_QUIT again");
        STRESS_CHECK(row, !after, "menu tracking ends at once");
        STRESS_CHECK(row, way == 2 || result == -1, "an interrupted menu answers -1");
        STRESS_CHECK(row, !CWnd::GetCapture(), "menu tracking leaves no capture");
        ++table.loopsInterrupted;
        if (ended) ++table.loopsEnded;
        stress::DrainQueue();
        if (way == 1) {
            // A new chain, shown once so that it holds what a shown chain holds.
            InitMenu();
            stress::Post(host, {Msg(WM_KEYDOWN, VK_DOWN), Msg(WM_KEYDOWN, VK_DOWN), Msg(WM_KEYDOWN, VK_RIGHT),
                                Msg(WM_KEYDOWN, VK_ESCAPE), Msg(WM_KEYDOWN, VK_ESCAPE)});
            stress::LoopGuard again("CFreeMenu tracking after InitMenu");
            menu.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &host);
        }
    });
    table.cycles += stress::Run().loopRounds * 4;
    table.measured += kept.measured;
    table.objectsKept += std::max(0L, kept.objects);
    table.windowsKept += std::max(0L, kept.windows);
    STRESS_CHECK_AT(row, kept.objects <= 0 && kept.windows <= 0, "interrupted menu runs keep nothing",
                    ": " + std::to_string(kept.objects) + " objects, " + std::to_string(kept.windows) + " windows");
}

// The in-place editors of both numeric controls: the host destroys the control from inside
// each notification that the end of an edit brings. The control must leave at once and the
// focus must stay where the host put it.
TEST_F(Loops, InPlaceEditorsEndingInADestroyedControl)
{
    struct Case {
        const char* row;
        std::function<HWND()> make;
        std::function<void()> open;
    };
    CNumEdit edit;
    CNumStatic label;
    const Case cases[] = {
        {"CNumEdit",
         [&]() -> HWND {
             if (edit.m_hWnd) edit.DestroyWindow();
             edit.Create(CRect(20, 20, 140, 42), &host, 100, WS_CHILD | WS_VISIBLE | ES_RIGHT);
             edit.SetNumberMinMax(-1000, 1000, 0);
             edit.SetCurValue(10.0f);
             return edit.m_hWnd;
         },
         [&] { edit.DisplayEditBox(); }},
        {"CNumStatic",
         [&]() -> HWND {
             if (label.m_hWnd) label.DestroyWindow();
             label.Create(L"10", WS_CHILD | WS_VISIBLE | SS_NOTIFY, CRect(20, 60, 120, 80), &host, 101, INPUTSTYLE_NUMBER);
             label.SetNumberMinMax(-1000, 1000, 0);
             return label.m_hWnd;
         },
         [&] {
             MSG f2 = Msg(WM_KEYDOWN, VK_F2, 0);
             f2.hwnd = label.m_hWnd;
             label.PreTranslateMessage(&f2);
         }},
    };
    for (const Case& c : cases) {
        stress::Row& row = stress::TableRow(c.row);
        for (size_t k = 1; k <= 2; ++k) {
            HWND w = c.make();
            host.Clear();
            c.open();
            const HWND box = ::GetDlgItem(w, NUM_EDITBOX_ID);
            STRESS_CHECK(c.row, box != nullptr, "the in-place editor opens");
            if (!box) continue;
            ::SetWindowTextW(box, L"77");
            size_t seen = 0;
            host.onLogged = [&](const kx::LoggedMessage&) {
                if (++seen == k) ::DestroyWindow(w);
            };
            host.SetFocus();  // the editor loses the focus: the edit ends
            host.onLogged = nullptr;
            ++row.loopsInterrupted;
            const bool ended = !::IsWindow(w) && seen == k && ::GetFocus() == host.m_hWnd;
            STRESS_CHECK(c.row, !::IsWindow(w), "in-place edit, destroyed on a notification: the window is gone");
            STRESS_CHECK(c.row, seen == k, "in-place edit, destroyed on a notification: notifies nothing after");
            STRESS_CHECK(c.row, ::GetFocus() == host.m_hWnd,
                         "in-place edit, destroyed on a notification: the focus stays with the host");
            if (ended) ++row.loopsEnded;
            stress::DrainQueue();
        }
    }
}

// Parents that change the control under a running loop instead of destroying it: the header
// loses its items, the scroll bar its range, the splitter a pane. The loops go on or end, but
// never crash, hang or leave the capture behind, and the models keep their promises.
TEST_F(Loops, ParentsChangingTheControlUnderARunningLoop)
{
    const char* row = "hostile parents";
    stress::Row& table = stress::TableRow(row);
    auto run = [&](const char* what, HWND target, std::vector<MSG> script, const std::function<void(HWND)>& press) {
        bool after = false;
        script.push_back(stress::Sentinel(&after));
        stress::Post(target, script);
        bool fired;
        {
            stress::LoopGuard guard(what);
            press(target);
            fired = guard.Fired();
        }
        ++table.loopsInterrupted;
        STRESS_CHECK(row, !fired, std::string(what) + ": the loop ends");
        STRESS_CHECK(row, ::GetCapture() != target, std::string(what) + ": the capture is given back");
        STRESS_CHECK(row, stress::ClipIsFree(), std::string(what) + ": the pointer is not clipped");
        if (!fired && ::GetCapture() != target) ++table.loopsEnded;
        stress::DrainQueue();
    };

    // The header's items all deleted from the first notification of each drag.
    CHeadWnd head;
    for (const CPoint press : {CPoint(80, 10), CPoint(40, 10)}) {
        head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 100, 410, 124), &host, 300);
        for (int i = 0; i < 4; ++i) {
            HDITEMW item{};
            item.mask = HDI_WIDTH;
            item.cxy = 80;
            head.InsertItem(i, &item);
        }
        host.onLogged = [&head](const kx::LoggedMessage&) {
            while (head.GetItemCount() > 0) head.DeleteItem(0);
        };
        run("header drag losing its items", head,
            {Move({120, 10}), Move({200, 10}), Move({280, 10}), Up({280, 10})}, PressAt(press));
        host.onLogged = nullptr;
        STRESS_CHECK(row, head.GetItemCount() == 0, "the header keeps the deletion");
        head.DestroyWindow();
    }

    // The scroll bar's parent answers every proposal with another range, page or state.
    CStaticScrollBar bar;
    bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(300, 20, 317, 320), &host, 200);
    stress::Rng rng(51);
    host.onScroll = [&](UINT, WPARAM, LPARAM) {
        switch (rng.Int(0, 3)) {
        case 0: bar.SetScrollRange(rng.Int(-50, 50), rng.Int(-50, 50), TRUE); break;
        case 1: {
            SCROLLINFO si{};
            si.cbSize = sizeof(si);
            si.fMask = SIF_PAGE | SIF_POS;
            si.nPage = static_cast<UINT>(rng.Int(0, 200));
            si.nPos = rng.Int(-100, 100);
            bar.SetScrollInfo(&si, TRUE);
            break;
        }
        case 2: bar.EnableScrollBar(ESB_DISABLE_BOTH); break;
        default: bar.MoveWindow(300, 20, 17, rng.Int(0, 300), TRUE); break;
        }
    };
    for (int round = 0; round < 6; ++round) {
        bar.MoveWindow(300, 20, 17, 300, TRUE);
        bar.EnableScrollBar(ESB_ENABLE_BOTH);
        bar.SetScrollRange(0, 100, TRUE);
        CRect part;
        bar.GetPartRect(round % 3 == 0 ? SBPART_RTDNENDBOX : round % 3 == 1 ? SBPART_RTDNMARGIN : SBPART_TRACKBOX, part);
        const CPoint p = part.CenterPoint();
        run("scroll bar whose parent reshapes it", bar,
            {Tick(IDT_FIRSTDELAY), Move({p.x, p.y + 20}), Tick(IDT_REPEAT), Move({p.x, p.y + 40}), Tick(IDT_REPEAT),
             Up({p.x, p.y + 40})},
            PressAt(p));
        int lo = 0, hi = 0;
        bar.GetScrollRange(&lo, &hi);
        STRESS_CHECK(row, bar.GetScrollPos() >= std::min(lo, hi) && bar.GetScrollPos() <= std::max(lo, hi),
                     "the scroll position stays in the range its parent left");
    }
    host.onScroll = nullptr;
    bar.DestroyWindow();

    // The splitter's panes destroyed while its bar is dragged.
    HWND left = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 20, 150, 100, 100, host,
                                  reinterpret_cast<HMENU>(41), nullptr, nullptr);
    HWND right = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 126, 150, 200, 100, host,
                                   reinterpret_cast<HMENU>(42), nullptr, nullptr);
    HWND barWindow = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 120, 150, 6, 100, host,
                                       reinterpret_cast<HMENU>(43), nullptr, nullptr);
    CxSpltWnd split;
    split.BindWithControl(&host, 43);
    split.AttachAsLeftPane(41);
    split.AttachAsRightPane(42);
    run("splitter losing its panes", barWindow,
        {Move({10, 50}), stress::Act([&] {
             ::DestroyWindow(left);
             ::DestroyWindow(right);
         }),
         Move({20, 50}), Up({20, 50})},
        PressAt(CPoint(3, 50)));
    split.RecalcLayout();
    split.MoveToBoarder(TRUE);
    split.DestroyWindow();
}

// The interrupted-loop checks themselves, against a loop written without care: it pumps on
// after its window is destroyed and after it lost the capture, until a button-up that a
// destroyed window never receives.
class CarelessLoop : public CWnd {
protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != WM_LBUTTONDOWN) return CWnd::WindowProc(message, wParam, lParam);
        const HWND self = m_hWnd, parent = ::GetParent(m_hWnd);
        ::SetCapture(self);
        MSG msg;
        while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
            if (msg.message == WM_LBUTTONUP) break;
            if (msg.message == WM_MOUSEMOVE)
                ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(1, NUMN_CHANGING), reinterpret_cast<LPARAM>(self));
            else
                ::DispatchMessageW(&msg);
        }
        if (::GetCapture() == self) ::ReleaseCapture();
        return 0;
    }
};

TEST_F(Loops, TheChecksCatchACarelessLoop)
{
    CarelessLoop careless;
    const char* row = "careless loop";
    stress::LoopScenario scenario;
    scenario.row = row;
    scenario.loop = "drag";
    scenario.make = [&]() -> HWND {
        if (careless.m_hWnd) careless.DestroyWindow();
        careless.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 10, 10, 50, 20, host, nullptr);
        return careless.m_hWnd;
    };
    scenario.drive = [] { return std::vector<MSG>{Move({5, 5}), Move({6, 6})}; };
    scenario.finish = [] { return std::vector<MSG>{Up({8, 8})}; };
    scenario.press = PressAt(CPoint(5, 5));
    scenario.guardMs = 800;  // it hangs once its window is gone: its button-up never arrives
    ::testing::TestPartResultArray failures;
    {
        ::testing::ScopedFakeTestPartResultReporter reporter(
            ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &failures);
        stress::InterruptLoop(host, scenario);
    }
    std::string all;
    for (int i = 0; i < failures.size(); ++i) all += std::string(failures.GetTestPartResult(i).message()) + "\n";
    EXPECT_NE(all.find("ends at once"), std::string::npos) << all;
    EXPECT_NE(all.find("ends when another window takes the capture"), std::string::npos) << all;
    EXPECT_EQ(all.find("ends on WM_QUIT"), std::string::npos) << all;  // that much it does right
    stress::ForgetRow(row);
    if (careless.m_hWnd) careless.DestroyWindow();
}

}  // namespace
