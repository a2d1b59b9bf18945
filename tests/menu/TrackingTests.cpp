// Scripted tracking runs: keys and mouse messages are posted before TrackPopupMenu, actions
// posted among them record what is on screen at that point of the run.
#include "MenuTesting.h"

using menutest::AtPopup;
using menutest::ItemMiddle;
using menutest::MenuTest;
using menutest::Popup;
using menutest::VisibleLevels;
using menutest::WindowRectOf;

namespace {

// 0 "&Alpha" 1 | 1 separator | 2 "&Beta" 2 grayed | 3 "&Gamma" 3 | 4 "&Sub" -> level 2
// level 2: 0 "&Inner" 11 | 1 "&Deeper" -> level 3;  level 3: 0 "&Leaf" 21 | 1 "Last" 22
class MenuTracking : public MenuTest {
protected:
    void SetUp() override
    {
        MenuTest::SetUp();
        level3.CreatePopupMenu();
        level3.AppendMenuW(MF_STRING, 21, L"&Leaf");
        level3.AppendMenuW(MF_STRING, 22, L"Last");
        level2.CreatePopupMenu();
        level2.AppendMenuW(MF_STRING, 11, L"&Inner");
        level2.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(level3.GetSafeFreeMenu()), L"&Deeper");
        top.CreatePopupMenu();
        top.AppendMenuW(MF_STRING, 1, L"&Alpha");
        top.AppendMenuW(MF_SEPARATOR);
        top.AppendMenuW(MF_STRING | MF_GRAYED, 2, L"&Beta");
        top.AppendMenuW(MF_STRING, 3, L"&Gamma");
        top.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(level2.GetSafeFreeMenu()), L"&Sub");
    }
    MSG RecordHot(int level) { return host.Action([this, level] { hot.push_back(Popup(level)->GetHotItem()); }); }
    MSG RecordLevels() { return host.Action([this] { levels.push_back(VisibleLevels()); }); }
    MSG Move(int level, const CFreeMenu& menu, int index) { return AtPopup(level, WM_MOUSEMOVE, 10, ItemMiddle(menu, index)); }
    MSG Up(int level, const CFreeMenu& menu, int index, UINT message = WM_LBUTTONUP)
    {
        return AtPopup(level, message, 10, ItemMiddle(menu, index));
    }

    menutest::RecordingMenu top;
    CFreeMenu level2, level3;
    std::vector<int> hot, levels;
};

TEST_F(MenuTracking, ArrowsSkipSeparatorsWrapAndHighlightGrayedItems)
{
    kx::PostScript(host.m_hWnd, {Key(VK_UP), RecordHot(0), Key(VK_DOWN), RecordHot(0), Key(VK_RETURN), RecordLevels(),
                                 Key(VK_DOWN), Key(VK_DOWN), RecordHot(0), Key(VK_DOWN), RecordHot(0), Key(VK_UP),
                                 RecordHot(0), Key(VK_UP), Key(VK_RETURN)});
    EXPECT_EQ(Track(top), 3);
    EXPECT_EQ(hot, (std::vector<int>{0, 2, 4, 0, 4}));
    EXPECT_EQ(levels, std::vector<int>{1});  // Enter on the grayed item did nothing
    EXPECT_EQ(VisibleLevels(), 0);
    EXPECT_EQ(CFreeMenuWnd::GetMenuResult(), 3);
    EXPECT_EQ(::GetFocus(), host.m_hWnd);  // the host kept the focus throughout
}

TEST_F(MenuTracking, SubmenusThreeLevelsDeepOpenBesideTheirItemAndCloseByLevel)
{
    CRect head, second, third;
    kx::PostScript(host.m_hWnd, {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RETURN),
                                 host.Action([&] {
                                     head = WindowRectOf(Popup(0));
                                     second = WindowRectOf(Popup(1));
                                     third = WindowRectOf(Popup(2));
                                 }),
                                 RecordLevels(), Key(VK_LEFT), RecordLevels(), Key(VK_LEFT), RecordLevels(),
                                 Key(VK_RIGHT), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT), Key(VK_LEFT), RecordLevels(),
                                 Key(VK_RETURN), RecordLevels(),
                                 Key(VK_ESCAPE)});
    EXPECT_EQ(Track(top, 100, 100), -1);
    EXPECT_EQ(levels, (std::vector<int>{3, 2, 1, 2, 3}));
    EXPECT_EQ(VisibleLevels(), 0);

    // Each level starts 2 pixels inside the right edge of its item's row, level with its top.
    EXPECT_EQ(head.TopLeft(), CPoint(100, 100));
    EXPECT_EQ(second.left, head.right - 1 - 2);
    EXPECT_EQ(second.top, head.top + 1 + 68);  // below 20 + 8 + 20 + 20
    EXPECT_EQ(third.left, second.right - 1 - 2);
    EXPECT_EQ(third.top, second.top + 1 + 20);
    EXPECT_EQ(third.Height(), 2 * 20 + 8);

    // Six levels deep: five show, and the popup item on the fifth opens nothing.
    CFreeMenu chain[6];
    for (int i = 5; i >= 0; --i) {
        chain[i].CreatePopupMenu();
        const UINT_PTR next = i < 5 ? reinterpret_cast<UINT_PTR>(chain[i + 1].GetSafeFreeMenu()) : 60;
        chain[i].AppendMenuW(i < 5 ? MF_POPUP : MF_STRING, next, L"&Next");
    }
    levels.clear();
    kx::PostScript(host.m_hWnd, {Key('N'), Key('N'), Key('N'), Key('N'), Key('N'), RecordLevels(), Key(VK_RETURN),
                                 RecordLevels(), Key(VK_ESCAPE)});
    EXPECT_EQ(Track(chain[0]), -1);
    EXPECT_EQ(levels, (std::vector<int>{5, 5}));
}

TEST_F(MenuTracking, MnemonicsChooseOpenOrIgnore)
{
    CFreeMenu letters;
    letters.CreatePopupMenu();
    letters.AppendMenuW(MF_STRING, 1, L"&Open");
    letters.AppendMenuW(MF_STRING, 2, L"re&open");
    letters.AppendMenuW(MF_STRING, 3, L"la&zy");
    letters.AppendMenuW(MF_STRING | MF_DISABLED, 4, L"&Kept");
    letters.AppendMenuW(MF_STRING, 5, L"trailing&");
    letters.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(level2.GetSafeFreeMenu()), L"&More");

    kx::PostScript(host.m_hWnd, {Key('O')});
    EXPECT_EQ(Track(letters), 1);
    kx::PostScript(host.m_hWnd, {Key('Z')});
    EXPECT_EQ(Track(letters), 3);
    // A disabled match and no match change nothing; a popup item opens, then keys go there.
    kx::PostScript(host.m_hWnd, {Key('K'), Key('Q'), RecordLevels(), Key('M'), RecordLevels(), Key('I')});
    EXPECT_EQ(Track(letters), 11);
    EXPECT_EQ(levels, (std::vector<int>{1, 2}));
}

TEST_F(MenuTracking, PointerHoverOpensClicksChooseOnlyEnabledCommands)
{
    kx::PostScript(host.m_hWnd,
                   {Move(0, top, 0), RecordHot(0), Move(0, top, 1), RecordHot(0),  // a separator keeps the hot item
                    Move(0, top, 4), RecordLevels(),                            // opens only when the pointer rests
                    AtPopup(0, WM_MOUSEHOVER, 10, ItemMiddle(top, 4)), RecordLevels(),
                    Up(0, top, 1), Up(0, top, 2), Up(0, top, 4), RecordLevels(),  // all three leave the menu open
                    Move(0, top, 3), RecordLevels(),                              // a plain item closes the submenu
                    Move(0, top, 4), AtPopup(0, WM_MOUSEHOVER, 10, 0), RecordLevels(),
                    AtPopup(0, WM_MOUSELEAVE, 0, 0), RecordHot(0), Move(1, level2, 0), RecordHot(1), Up(1, level2, 0)});
    EXPECT_EQ(Track(top), 11);
    EXPECT_EQ(hot, (std::vector<int>{0, 0, -1, 0}));
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 2, 1, 2}));

    // A right-button release chooses too; a hover on a grayed popup item opens nothing.
    kx::PostScript(host.m_hWnd, {Up(0, top, 3, WM_RBUTTONUP)});
    EXPECT_EQ(Track(top), 3);
    top.EnableMenuItem(4, MF_BYPOSITION | MF_GRAYED);
    kx::PostScript(host.m_hWnd, {Move(0, top, 4), AtPopup(0, WM_MOUSEHOVER, 10, 0), RecordLevels(), Key(VK_RIGHT),
                                 Key(VK_RETURN), RecordLevels(), Key(VK_ESCAPE)});
    EXPECT_EQ(Track(top), -1);
    EXPECT_EQ(levels, (std::vector<int>{1, 2, 2, 1, 2, 1, 1}));
}

TEST_F(MenuTracking, HighlightMoveRepaintsTheTwoRowsAndRightArrowSkipsOneMove)
{
    std::vector<int> firstMove, secondMove;
    std::vector<UINT> secondStates;
    kx::PostScript(host.m_hWnd,
                   {Move(0, top, 2), host.Action([&] { top.drawn.clear(); top.states.clear(); }), Move(0, top, 3),
                    host.Action([&] {
                        secondMove = top.drawn;
                        secondStates = top.states;
                    }),
                    Move(0, top, 4), AtPopup(0, WM_MOUSELEAVE, 0, 0), Key(VK_UP), Key(VK_RIGHT), RecordLevels(),
                    Move(0, top, 0), RecordHot(0), RecordLevels(), Move(0, top, 0), RecordHot(0), RecordLevels(),
                    Key(VK_ESCAPE)});
    EXPECT_EQ(Track(top), -1);
    EXPECT_EQ(secondMove, (std::vector<int>{-1, 2, 3}));
    EXPECT_EQ(secondStates, (std::vector<UINT>{ODS_GRAYED, ODS_SELECTED}));
    // After the leave, up picks the last item; the first move after the right arrow is ignored.
    EXPECT_EQ(hot, (std::vector<int>{4, 0}));
    EXPECT_EQ(levels, (std::vector<int>{2, 2, 1}));
}

TEST_F(MenuTracking, ClickOutsideEndsTheRunAndReachesTheWindowUnderIt)
{
    kx::PostScript(host.m_hWnd, {Key(VK_DOWN), kx::Msg(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(30, 30)),
                                 Key(VK_RETURN)});
    EXPECT_EQ(Track(top), -1);
    EXPECT_EQ(VisibleLevels(), 0);
    EXPECT_TRUE(host.buttons.empty());
    kx::PumpMessages();
    EXPECT_EQ(host.buttons, std::vector<UINT>{WM_LBUTTONDOWN});
}

TEST_F(MenuTracking, PopupsStayOnScreenAtEachEdge)
{
    const CRect screen = CFreeMenuWnd::ScreenRect();
    CSize size;
    {
        CClientDC dc(Popup(0));
        size = CFreeMenuWnd::PopupSize(top.GetSafeFreeMenu(), &dc);
    }
    CFreeMenu tall;
    tall.CreatePopupMenu();
    const int tallItems = screen.Height() / 20 + 10;
    for (int i = 0; i < tallItems; ++i) tall.AppendMenuW(MF_STRING, 100 + i, L"row");
    auto placed = [&](CFreeMenu& menu, int x, int y) {
        CRect rect;
        kx::PostScript(host.m_hWnd, {host.Action([&] { rect = WindowRectOf(Popup(0)); }), Key(VK_ESCAPE)});
        EXPECT_EQ(Track(menu, x, y), -1);
        return rect;
    };
    EXPECT_EQ(placed(top, screen.right - 10, 50), CRect(screen.right - 10 - size.cx, 50, screen.right - 10, 50 + size.cy));
    EXPECT_EQ(placed(top, -30, 50), CRect(0, 50, size.cx, 50 + size.cy));
    EXPECT_EQ(placed(top, 50, screen.bottom - 10), CRect(50, screen.bottom - 10 - size.cy, 50 + size.cx, screen.bottom - 10));
    // Fits neither above nor below: pushed against the edge it overflows less.
    EXPECT_EQ(placed(tall, 50, 300).bottom, screen.bottom);
    EXPECT_EQ(placed(tall, 50, screen.bottom - 100).top, screen.top);

    // Submenus that would pass the right edge open to the left, and so do the later ones.
    CRect head, second, third;
    BOOL toRightAfter = TRUE, toRightNextRun = FALSE;
    kx::PostScript(host.m_hWnd, {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), Key(VK_DOWN), Key(VK_DOWN), Key(VK_RIGHT),
                                 host.Action([&] {
                                     head = WindowRectOf(Popup(0));
                                     second = WindowRectOf(Popup(1));
                                     third = WindowRectOf(Popup(2));
                                     toRightAfter = CFreeMenuWnd::IsOpenToRight();
                                 }),
                                 Key(VK_ESCAPE)});
    EXPECT_EQ(Track(top, screen.right - 150, 100), -1);
    EXPECT_EQ(second.right, head.left + 1 + 2);
    EXPECT_EQ(third.right, second.left + 1 + 2);  // room on the right, but still to the left
    EXPECT_FALSE(toRightAfter);
    kx::PostScript(host.m_hWnd, {host.Action([&] { toRightNextRun = CFreeMenuWnd::IsOpenToRight(); }), Key(VK_ESCAPE)});
    Track(top, 10, 10);
    EXPECT_TRUE(toRightNextRun);

    // A submenu that would pass the bottom ends level with its item's bottom.
    kx::PostScript(host.m_hWnd, {Key(VK_UP), Key(VK_UP), Key(VK_RIGHT), host.Action([&] {
                                     head = WindowRectOf(Popup(0));
                                     second = WindowRectOf(Popup(1));
                                 }),
                                 Key(VK_ESCAPE)});
    EXPECT_EQ(Track(top, 100, screen.bottom - size.cy), -1);
    EXPECT_EQ(second.bottom, head.top + 1 + 88);  // the bottom of the Sub row
}

TEST_F(MenuTracking, EveryOtherWayARunEnds)
{
    CFreeMenu empty;
    empty.CreatePopupMenu();
    EXPECT_EQ(Track(empty), 0);
    EXPECT_EQ(VisibleLevels(), 0);

    // WM_QUIT ends the run and is consumed.
    kx::PostScript(host.m_hWnd, {Key(VK_DOWN), kx::Msg(WM_QUIT), Key(VK_RETURN)});
    EXPECT_EQ(Track(top), -1);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE));
    EXPECT_EQ(VisibleLevels(), 0);
    kx::PumpMessages();

    // The application losing activation, and a nested call that is refused.
    int nested = 0;
    kx::PostScript(host.m_hWnd, {host.Action([&] { nested = top.TrackPopupMenu(0, 10, 10, &host); }),
                                 host.Action([] { ::SendMessageW(Popup(0)->m_hWnd, WM_ACTIVATEAPP, FALSE, 0); }),
                                 Key(VK_DOWN), Key(VK_RETURN)});
    EXPECT_EQ(Track(top), -1);
    EXPECT_EQ(nested, 1);
    kx::PumpMessages();

    // ExitMenu from a handler: -1, and no chain until InitMenu again.
    kx::PostScript(host.m_hWnd, {Key(VK_DOWN), host.Action([] { ExitMenu(); }), Key(VK_RETURN)});
    EXPECT_EQ(Track(top), -1);
    EXPECT_EQ(CFreeMenuWnd::GetHead(), nullptr);
    EXPECT_EQ(Track(top), 0);
    kx::PumpMessages();
    EXPECT_TRUE(InitMenu());
    ASSERT_NE(CFreeMenuWnd::GetHead(), nullptr);
    kx::PostScript(host.m_hWnd, {Key(VK_DOWN), Key(VK_RETURN)});
    EXPECT_EQ(Track(top), 1);
}

TEST_F(MenuTracking, PaintPassFrameStatesAndOwnerDrawnHeights)
{
    // A chain window without a menu: background and a one-pixel frame.
    CFreeMenuWnd* spare = Popup(4);
    ::SetWindowPos(spare->m_hWnd, HWND_TOPMOST, 300, 300, 60, 40, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    kx::PumpMessages();
    {
        kx::ClientCapture whole(spare->m_hWnd, kx::ClientCapture::WholeWindow);
        EXPECT_EQ(whole.At(0, 0), RGB(166, 197, 197));
        EXPECT_EQ(whole.At(59, 39), RGB(166, 197, 197));
        EXPECT_EQ(whole.At(1, 1), RGB(43, 51, 67));
        EXPECT_EQ(whole.At(30, 20), RGB(43, 51, 67));
    }
    spare->ShowWindow(SW_HIDE);

    menutest::RecordingMenu owner;
    owner.ownerDrawHeight = 31;
    owner.CreatePopupMenu();
    owner.AppendMenuW(MF_STRING | MF_CHECKED | MF_DISABLED, 1, L"&Checked");
    owner.AppendMenuW(MF_OWNERDRAW, 2, L"Drawn by its owner");
    owner.AppendMenuW(MF_STRING | MF_GRAYED, 3, L"Grey");
    CRect rect;
    kx::PostScript(host.m_hWnd, {host.Action([&] {
                                     Popup(0)->UpdateWindow();
                                     rect = WindowRectOf(Popup(0));
                                 }),
                                 Key(VK_ESCAPE)});
    EXPECT_EQ(Track(owner), -1);
    EXPECT_EQ(rect.Height(), 20 + 31 + 20 + 8);
    SIZE extent{};
    {
        CClientDC dc(Popup(0));
        HGDIOBJ old = ::SelectObject(dc.m_hDC, getdefaultHFont());
        ::GetTextExtentPoint32W(dc.m_hDC, L"Drawn by its owner", 18, &extent);
        ::SelectObject(dc.m_hDC, old);
    }
    EXPECT_EQ(rect.Width(), 20 + 18 + extent.cx + 24);
    ASSERT_GE(owner.states.size(), 3u);
    EXPECT_EQ(owner.states[0], static_cast<UINT>(ODS_CHECKED | ODS_DISABLED));
    EXPECT_EQ(owner.states[1], 0u);
    EXPECT_EQ(owner.states[2], static_cast<UINT>(ODS_GRAYED));

    // An owner that claims less than 20 gets 20.
    owner.ownerDrawHeight = 5;
    kx::PostScript(host.m_hWnd, {host.Action([&] { rect = WindowRectOf(Popup(0)); }), Key(VK_ESCAPE)});
    Track(owner);
    EXPECT_EQ(rect.Height(), 3 * 20 + 8);
}

}  // namespace
