// Header, scroll bar, menu popups, splitters and the numeric label as a screen reader meets
// them: element children with their names, roles, states and places, and the events that let
// a reader follow a drag, a scroll, a menu run and a moved bar.
#include "AccessibilityTesting.h"
#include <KestrelHeader.h>
#include <KestrelMenu.h>
#include <KestrelNumeric.h>
#include <KestrelScrollBar.h>
#include <KestrelSplitter.h>

using namespace a11y;

namespace {

class NewControls : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override
    {
        if (::GetCapture()) ::ReleaseCapture();
        host.Close();
    }
    static std::vector<std::wstring> ChildNames(IAccessible* acc)
    {
        std::vector<std::wstring> names;
        for (LONG i = 1; i <= ChildCount(acc); ++i) names.push_back(Ask(acc, i).name);
        return names;
    }
    CRect ScreenRect(HWND h, RECT r) const
    {
        ::MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
        return CRect(r);
    }

    ActionHost host;
};

TEST_F(NewControls, HeaderListsItsColumnsInDisplayOrderAndAnnouncesReordering)
{
    CHeadWnd header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 34), &host, 11));
    const wchar_t* captions[] = {L"Name", L"Size", L"Date"};
    for (const wchar_t* caption : captions) {
        HD_ITEMW item{};
        item.mask = HDI_TEXT | HDI_WIDTH;
        item.cxy = 80;
        item.pszText = const_cast<wchar_t*>(caption);
        item.cchTextMax = 32;
        header.InsertItem(-1, &item);
    }
    kx::PumpMessages();
    IAccessible* acc = ObjectOf(header);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).role, ROLE_SYSTEM_LIST);
    ASSERT_EQ(ChildCount(acc), 3);
    EXPECT_EQ(Ask(acc, 2).role, ROLE_SYSTEM_COLUMNHEADER);
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Name", L"Size", L"Date"}));
    RECT second;
    header.GetItemRect(1, &second);
    EXPECT_EQ(CRect(Location(acc, 2)), ScreenRect(header, second));
    // Hit testing and navigation stay among the columns.
    VARIANT hit;
    const CRect where = ScreenRect(header, second);
    EXPECT_EQ(acc->accHitTest(where.left + 5, where.top + 5, &hit), S_OK);
    EXPECT_EQ(hit.lVal, 2);
    VARIANT next;
    EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(3), &next), S_FALSE);
    EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &next), S_OK);
    EXPECT_EQ(next.lVal, 1);

    // The user drags "Name" onto "Date": one reorder, and the reader sees the new order.
    EventRecorder events;
    RECT first, third;
    header.GetItemRect(0, &first);
    header.GetItemRect(2, &third);
    const int y = (first.top + first.bottom) / 2;
    kx::PostScript(header, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(third.left + 10, y)),
                            kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(third.left + 10, y))});
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(first.left + 10, y));
    EXPECT_EQ(events.Take(header, {EVENT_OBJECT_REORDER}),
              Events({{EVENT_OBJECT_REORDER, header, OBJID_CLIENT, CHILDID_SELF}}));
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Size", L"Date", L"Name"}));
    // A click that moves nothing stays silent; a host's own reorder is announced.
    kx::PostScript(header, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(first.left + 10, y))});
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(first.left + 10, y));
    header.DeleteItem(0);
    EXPECT_EQ(events.Take(header, {EVENT_OBJECT_REORDER}).size(), 1u);
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Date", L"Name"}));
    acc->Release();
    header.DestroyWindow();
}

TEST_F(NewControls, ScrollBarShowsItsPartsAndFramesEachInteraction)
{
    MakeLabel(host, L"&Zoom", CRect(40, 0, 100, 18));
    CStaticScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(20, 20, 40, 220), &host, 12));
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 40, 0};
    bar.SetScrollInfo(&si, TRUE);
    kx::PumpMessages();
    IAccessible* acc = ObjectOf(bar);
    ASSERT_NE(acc, nullptr);
    Answers self = Ask(acc);
    EXPECT_EQ(self.role, ROLE_SYSTEM_SCROLLBAR);
    EXPECT_EQ(self.name, L"Zoom");
    EXPECT_EQ(self.value, L"40");
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Line up", L"Page up", L"Position", L"Page down", L"Line down"}));
    EXPECT_EQ(Ask(acc, 1).role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Ask(acc, 3).role, ROLE_SYSTEM_INDICATOR);
    EXPECT_EQ(Ask(acc, 3).value, L"40");
    const int parts[] = {SBPART_LTUPENDBOX, SBPART_LTUPMARGIN, SBPART_TRACKBOX, SBPART_RTDNMARGIN, SBPART_RTDNENDBOX};
    for (LONG i = 1; i <= 5; ++i) {
        CRect part;
        bar.GetPartRect(parts[i - 1], part);
        EXPECT_EQ(CRect(Location(acc, i)), ScreenRect(bar, part)) << i;
    }

    // A click on the lower box: the parent answers the proposal, the reader hears the scroll
    // begin, the new value and the end.
    host.onScroll = [&](UINT, WPARAM wParam, LPARAM) {
        if (LOWORD(wParam) != SB_ENDSCROLL) bar.SetScrollPos(HIWORD(wParam), TRUE);
    };
    EventRecorder events;
    CRect down;
    bar.GetPartRect(SBPART_RTDNENDBOX, down);
    const CPoint in = down.CenterPoint();
    kx::PostScript(bar, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(in.x, in.y))});
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(in.x, in.y));
    host.onScroll = nullptr;
    EXPECT_EQ(events.Take(bar, {EVENT_SYSTEM_SCROLLINGSTART, EVENT_OBJECT_VALUECHANGE, EVENT_SYSTEM_SCROLLINGEND}),
              Events({{EVENT_SYSTEM_SCROLLINGSTART, bar, OBJID_CLIENT, CHILDID_SELF}, ValueChange(bar),
                      {EVENT_SYSTEM_SCROLLINGEND, bar, OBJID_CLIENT, CHILDID_SELF}}));
    EXPECT_EQ(self.value, L"40");
    EXPECT_EQ(Ask(acc).value, L"41");

    // A range that pulls the position in is a value change; a disabled bar hides its thumb.
    bar.SetScrollRange(0, 20, TRUE);
    EXPECT_EQ(events.Take(bar, {EVENT_OBJECT_VALUECHANGE}), Events({ValueChange(bar)}));
    bar.EnableScrollBar(ESB_DISABLE_BOTH);
    EXPECT_TRUE(Ask(acc, 1).state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(Ask(acc, 3).state & STATE_SYSTEM_INVISIBLE);
    acc->Release();
    bar.DestroyWindow();
}

TEST_F(NewControls, MenuRunIsFollowedLevelByLevelAndItemByItem)
{
    CFreeMenu top, sub;
    sub.CreatePopupMenu();
    sub.AppendMenuW(MF_STRING, 11, L"&First");
    sub.AppendMenuW(MF_STRING, 12, L"Second");
    top.CreatePopupMenu();
    top.AppendMenuW(MF_STRING | MF_CHECKED, 1, L"&Open\tCtrl+O");
    top.AppendMenuW(MF_SEPARATOR);
    top.AppendMenuW(MF_STRING | MF_GRAYED, 2, L"&Recent");
    top.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"&More");
    CFreeMenuWnd* head = CFreeMenuWnd::GetHead();
    ASSERT_NE(head, nullptr);
    CFreeMenuWnd* second = head->m_pNextPopup;
    ASSERT_NE(second, nullptr);
    ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2);  // hover comes from the script only
    kx::PumpMessages();

    std::vector<Answers> items;
    std::vector<Answers> subItems;
    CRect hotPlace, hotItem;
    LONG focus = -1;
    auto key = [](UINT vk) { return kx::Msg(WM_KEYDOWN, vk); };
    EventRecorder events;
    kx::PostScript(host, {key(VK_DOWN), key(VK_DOWN), key(VK_DOWN), host.Action([&] {
                              IAccessible* acc = ObjectOf(*head);
                              ASSERT_NE(acc, nullptr);
                              for (LONG i = 0; i <= ChildCount(acc); ++i) items.push_back(Ask(acc, i));
                              VARIANT v;
                              if (acc->get_accFocus(&v) == S_OK && v.vt == VT_I4) focus = v.lVal;
                              hotPlace = CRect(Location(acc, 4));
                              head->GetItemRect(3, hotItem);
                              head->ClientToScreen(&hotItem);
                              acc->Release();
                          }),
                          key(VK_RIGHT), host.Action([&] {
                              IAccessible* acc = ObjectOf(*second);
                              ASSERT_NE(acc, nullptr);
                              for (LONG i = 0; i <= ChildCount(acc); ++i) subItems.push_back(Ask(acc, i));
                              acc->Release();
                          }),
                          key(VK_LEFT), key(VK_ESCAPE)});
    EXPECT_EQ(top.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &host), -1);

    ASSERT_EQ(items.size(), 5u);
    EXPECT_EQ(items[0].role, ROLE_SYSTEM_MENUPOPUP);
    EXPECT_EQ(items[1].role, ROLE_SYSTEM_MENUITEM);
    EXPECT_EQ(items[1].name, L"Open");  // neither the marker nor the accelerator column
    EXPECT_EQ(items[1].shortcut, L"O");
    EXPECT_TRUE(items[1].state & STATE_SYSTEM_CHECKED);
    EXPECT_EQ(items[2].role, ROLE_SYSTEM_SEPARATOR);
    EXPECT_EQ(items[3].name, L"Recent");
    EXPECT_TRUE(items[3].state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(items[4].name, L"More");
    EXPECT_EQ(items[4].state & (STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_HOTTRACKED),
              static_cast<DWORD>(STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_HOTTRACKED));
    EXPECT_FALSE(items[1].state & STATE_SYSTEM_HOTTRACKED);
    EXPECT_EQ(focus, 4);
    EXPECT_EQ(hotPlace, hotItem);
    ASSERT_EQ(subItems.size(), 3u);
    EXPECT_EQ(subItems[1].name, L"First");
    EXPECT_EQ(subItems[2].name, L"Second");
    EXPECT_TRUE(subItems[2].shortcut.empty());

    auto popupStart = [](HWND h) { return WinEvent{EVENT_SYSTEM_MENUPOPUPSTART, h, OBJID_CLIENT, CHILDID_SELF}; };
    auto popupEnd = [](HWND h) { return WinEvent{EVENT_SYSTEM_MENUPOPUPEND, h, OBJID_CLIENT, CHILDID_SELF}; };
    auto hot = [](HWND h, LONG id) { return WinEvent{EVENT_OBJECT_FOCUS, h, OBJID_CLIENT, id}; };
    const std::vector<WinEvent> seen =
        events.Take(nullptr, {EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND, EVENT_OBJECT_FOCUS});
    std::vector<WinEvent> menuEvents;
    for (const WinEvent& e : seen)
        if (e.hWnd == *head || e.hWnd == *second) menuEvents.push_back(e);
    EXPECT_EQ(menuEvents, Events({popupStart(*head), hot(*head, 1), hot(*head, 3), hot(*head, 4), popupStart(*second),
                                  popupEnd(*second), popupEnd(*head)}));
}

TEST_F(NewControls, SplitterGripIsNamedByItsPlaceholderAndFollowedAsItMoves)
{
    HWND left = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 0, 0, 100, 200, host, reinterpret_cast<HMENU>(21), nullptr, nullptr);
    HWND right = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, 106, 0, 200, 200, host, reinterpret_cast<HMENU>(22), nullptr, nullptr);
    ::CreateWindowExW(0, L"STATIC", L"Pane &divider", WS_CHILD | WS_VISIBLE, 100, 0, 6, 200, host, reinterpret_cast<HMENU>(23), nullptr, nullptr);
    ASSERT_TRUE(left && right);
    CxSpltWnd bar;
    ASSERT_EQ(bar.BindWithControl(&host, 23), 1);
    bar.AttachAsLeftPane(21);
    bar.AttachAsRightPane(22);
    kx::PumpMessages();
    IAccessible* acc = ObjectOf(bar);
    ASSERT_NE(acc, nullptr);
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_GRIP);
    EXPECT_EQ(a.name, L"Pane divider");

    EventRecorder events;
    bar.MoveToBoarder(TRUE);
    const auto moved = events.Take(bar, {EVENT_OBJECT_LOCATIONCHANGE});
    ASSERT_FALSE(moved.empty());
    EXPECT_EQ(moved.back(), (WinEvent{EVENT_OBJECT_LOCATIONCHANGE, bar, OBJID_CLIENT, CHILDID_SELF}));
    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(CRect(Location(acc, CHILDID_SELF)), window);
    acc->Release();
    bar.DestroyWindow();
}

TEST_F(NewControls, NumericLabelReadsItsTextAsValueAndIsNoLabelForOthers)
{
    MakeLabel(host, L"Threshold", CRect(10, 10, 90, 30));
    CNumStatic label;
    ASSERT_TRUE(label.Create(L"12.00", WS_CHILD | WS_VISIBLE, CRect(100, 10, 180, 30), &host, 31, INPUTSTYLE_NUMBER));
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(CRect(200, 10, 300, 30), &host, 32, WS_VISIBLE));
    kx::PumpMessages();
    IAccessible* acc = ObjectOf(label);
    ASSERT_NE(acc, nullptr);
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_SPINBUTTON);
    EXPECT_EQ(a.name, L"Threshold");
    EXPECT_EQ(a.value, L"12.00");
    IAccessible* editAcc = ObjectOf(edit);
    ASSERT_NE(editAcc, nullptr);
    EXPECT_FALSE(Ask(editAcc).hasName);  // the number before it is a value, not a caption
    editAcc->Release();

    EventRecorder events;
    label.SetText(5.0f);
    host.Clear();
    BSTR text = ::SysAllocString(L"500");
    EXPECT_EQ(acc->put_accValue(Child(CHILDID_SELF), text), S_OK);
    ::SysFreeString(text);
    EXPECT_EQ(Ask(acc).value, L"100.00");
    EXPECT_EQ(host.NotifyCodes(), (std::vector<UINT>{NUMSTATIC_NOTIFYCODE, NUMSTATIC_NOTIFYCODE}));
    label.SetWindowText(L"7.50");  // as the data exchange writes it
    EXPECT_EQ(events.Take(label, {EVENT_OBJECT_VALUECHANGE}).size(), 3u);

    label.SetInputStyle(INPUTSTYLE_TEXT);
    a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(a.state & STATE_SYSTEM_READONLY);
    acc->Release();
    edit.DestroyWindow();
    label.DestroyWindow();
}

}  // namespace
