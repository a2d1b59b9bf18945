// Every control as a screen reader meets it: the object fetched the way a reader fetches it,
// its role, name, value, state, children and places, the WinEvents raised while a user or host
// acts on the control, and an object kept by a reader after the control's window is gone.
#include "Harness.h"
#include <Kestrel.h>
#include <oleacc.h>
#include <algorithm>
#include <tuple>

namespace {

constexpr UINT kActionMessage = WM_APP + 9;

IAccessible* ObjectOf(HWND hWnd)  // the object a reader gets for the client area, or null
{
    void* acc = nullptr;
    ::AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible), &acc);
    return static_cast<IAccessible*>(acc);
}

VARIANT Child(LONG id)
{
    VARIANT v;
    v.vt = VT_I4;
    v.lVal = id;
    return v;
}

// One object's answers about one child (0: the object itself); role, name and value at once.
using Read = std::tuple<LONG, std::wstring, std::wstring>;
struct Answers {
    LONG role = 0;
    std::wstring name, value, shortcut;
    bool hasName = false;
    DWORD state = 0;
    Read read() const { return Read(role, name, value); }
};

Answers Ask(IAccessible* acc, LONG child = CHILDID_SELF)
{
    Answers a;
    const VARIANT id = Child(child);
    VARIANT v;
    ::VariantInit(&v);
    if (SUCCEEDED(acc->get_accRole(id, &v)) && v.vt == VT_I4) a.role = v.lVal;
    if (SUCCEEDED(acc->get_accState(id, &v)) && v.vt == VT_I4) a.state = static_cast<DWORD>(v.lVal);
    BSTR texts[3] = {};
    a.hasName = acc->get_accName(id, &texts[0]) == S_OK;
    acc->get_accValue(id, &texts[1]);
    acc->get_accKeyboardShortcut(id, &texts[2]);
    std::wstring* const out[] = {&a.name, &a.value, &a.shortcut};
    for (int i = 0; i < 3; ++i) {
        if (texts[i]) out[i]->assign(texts[i], ::SysStringLen(texts[i]));
        ::SysFreeString(texts[i]);
    }
    return a;
}

std::vector<std::wstring> ChildNames(IAccessible* acc)
{
    LONG count = 0;
    acc->get_accChildCount(&count);
    std::vector<std::wstring> names;
    for (LONG i = 1; i <= count; ++i) names.push_back(Ask(acc, i).name);
    return names;
}

CRect Location(IAccessible* acc, LONG child)  // screen coordinates, empty when it has none
{
    LONG x = 0, y = 0, w = 0, h = 0;
    if (acc->accLocation(&x, &y, &w, &h, Child(child)) != S_OK) return CRect();
    return CRect(x, y, x + w, y + h);
}

CRect ScreenRect(HWND h, RECT r)
{
    ::MapWindowPoints(h, nullptr, reinterpret_cast<POINT*>(&r), 2);
    return CRect(r);
}

HRESULT PutValue(IAccessible* acc, const wchar_t* text)
{
    BSTR s = ::SysAllocString(text);
    const HRESULT hr = acc->put_accValue(Child(CHILDID_SELF), s);
    ::SysFreeString(s);
    return hr;
}

using WinEvent = std::tuple<DWORD, HWND, LONG, LONG>;  // event, window, object, child
using Events = std::vector<WinEvent>;
WinEvent Self(DWORD event, HWND h) { return {event, h, OBJID_CLIENT, CHILDID_SELF}; }
WinEvent ValueChange(HWND h) { return Self(EVENT_OBJECT_VALUECHANGE, h); }

Events g_events;
void CALLBACK OnWinEvent(HWINEVENTHOOK, DWORD event, HWND hWnd, LONG objectId, LONG childId, DWORD, DWORD)
{
    g_events.emplace_back(event, hWnd, objectId, childId);
}

// COM for the reader's side of the calls, the library's theme and registry, the menu chain, and
// the process's WinEvents received out of context, as a reader receives them.
struct Environment : kx::LibraryEnvironment {
    HWINEVENTHOOK hook = nullptr;
    void SetUp() override
    {
        ::CoInitialize(nullptr), kx::LibraryEnvironment::SetUp(), InitMenu();
        hook = ::SetWinEventHook(EVENT_MIN, EVENT_MAX, nullptr, OnWinEvent, ::GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
        ASSERT_NE(hook, nullptr);
    }
    void TearDown() override { ::UnhookWinEvent(hook), ExitMenu(), kx::LibraryEnvironment::TearDown(), ::CoUninitialize(); }
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new Environment);

// Lets the queued events arrive, then hands over those about the window (any with null) of the
// kinds asked for, in order, and forgets the rest.
Events TakeEvents(HWND hWnd, std::initializer_list<DWORD> kinds)
{
    kx::PumpMessages();
    Events result;
    for (const WinEvent& e : g_events)
        if ((!hWnd || std::get<1>(e) == hWnd) && std::find(kinds.begin(), kinds.end(), std::get<0>(e)) != kinds.end())
            result.push_back(e);
    g_events.clear();
    return result;
}

// A host that runs onAction when kActionMessage reaches it: posted among a script, the action
// sees the control in the middle of its loop.
struct ActionHost : kx::HostWindow {
    std::function<void()> onAction;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) onAction();
        return kx::HostWindow::WindowProc(message, wParam, lParam);
    }
};

class Reader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override { host.Close(); }
    // A static text label of the host, placed before the controls created after it.
    void Label(LPCWSTR text, const CRect& r)
    {
        ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, r.left, r.top, r.Width(), r.Height(), host, nullptr, nullptr, nullptr);
    }
    ActionHost host;
};

TEST_F(Reader, ProgressBarsAndTheHotKeyBoxReadWhatTheyShowAndAnnounceEachChange)
{
    Label(L"&Download", CRect(10, 10, 200, 30));
    CCoolProgressCtrl cool;
    ASSERT_TRUE(cool.Create(0, CRect(10, 30, 210, 50), &host, 1));
    COrmProgressCtrl orm;
    ASSERT_TRUE(orm.Create(WS_CHILD | WS_VISIBLE, CRect(10, 60, 210, 78), &host, 2));
    Label(L"Shortcut:", CRect(10, 90, 100, 110));
    CKeyEdit box;
    box.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(110, 90, 300, 110), &host, 3);
    IAccessible* const objects[] = {ObjectOf(cool), ObjectOf(orm), ObjectOf(box)};
    ASSERT_TRUE(objects[0] && objects[1] && objects[2]);
    IAccessible* acc = objects[0];
    TakeEvents(nullptr, {});  // forget what came before
    cool.SetRange(0, 200);
    cool.SetPos(84);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_PROGRESSBAR, L"Download", L"42%"));  // the label before it, no marker
    EXPECT_EQ(Ask(acc).state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE), static_cast<DWORD>(STATE_SYSTEM_READONLY));
    // The same position again says nothing; a position sent from elsewhere is announced.
    cool.SetPos(84);
    ::SendMessageW(cool, WM_PROGRESSPOS, PROGRESSPOS_SET, 200);
    EXPECT_EQ(TakeEvents(cool, {EVENT_OBJECT_VALUECHANGE}), Events(3, ValueChange(cool)));
    EXPECT_EQ(Ask(acc).value, L"100%");
    CRect window;  // the window's place comes from the system's object
    cool.GetWindowRect(&window);
    EXPECT_EQ(Location(acc, CHILDID_SELF), window);

    // The striped bar shares all of it; the label belongs to the first bar only.
    acc = objects[1];
    orm.SetPos(33);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_PROGRESSBAR, L"", L"33%"));
    EXPECT_FALSE(Ask(acc).hasName);
    orm.SetRange(0, 0);
    EXPECT_EQ(Ask(acc).value, L"0%");
    EXPECT_EQ(TakeEvents(orm, {EVENT_OBJECT_VALUECHANGE}), Events(2, ValueChange(orm)));

    acc = objects[2];
    box.SetHotKey(0x00220007, 0);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_HOTKEYFIELD, L"Shortcut:", L"Ctrl+Shift+Alt+Page Down"));
    EXPECT_EQ(TakeEvents(box, {EVENT_OBJECT_VALUECHANGE}), Events{ValueChange(box)});
    for (IAccessible* object : objects) object->Release();
}

TEST_F(Reader, NumericEditorIsReadSetThroughTheModelAndAnnouncesEveryWayItChanges)
{
    Label(L"Gain", CRect(10, 10, 60, 30));
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(CRect(70, 10, 170, 30), &host, 5, WS_VISIBLE));
    edit.SetNumberMinMax(-100, 100, 0);
    edit.SetDicimalNum(1);
    edit.SetCurValue(2.5f);
    IAccessible* acc = ObjectOf(edit);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_SPINBUTTON, L"Gain", L"2.5"));  // not the inner window's title
    EXPECT_FALSE(Ask(acc).state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE));

    // A reader's value is clamped and rounded like any other, and reported as one change.
    TakeEvents(nullptr, {});  // forget what came before
    host.Clear();
    EXPECT_EQ(PutValue(acc, L"512.25"), S_OK);
    EXPECT_EQ(Ask(acc).value, L"100.0");
    EXPECT_EQ(host.CommandCodes(), (std::vector<UINT>{NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(PutValue(acc, L"-3.04"), S_OK);
    EXPECT_EQ(Ask(acc).value, L"-3.0");
    EXPECT_EQ(PutValue(acc, L"loud"), E_INVALIDARG);
    EXPECT_EQ(TakeEvents(edit, {EVENT_OBJECT_VALUECHANGE}), Events(2, ValueChange(edit)));

    // A drag of two gaps upwards: one event per change, as the parent hears kind 2.
    host.Clear();
    const RECT place = edit.GetItemRect(1);
    const int x = (place.left + place.right) / 2, y = (place.top + place.bottom) / 2;
    kx::PostScript(edit, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y - 2)),
                          kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y - 4)), kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(x, y - 4))});
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, y));
    EXPECT_EQ(host.CommandCodes(), (std::vector<UINT>{NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
    EXPECT_EQ(TakeEvents(edit, {EVENT_OBJECT_VALUECHANGE}).size(), 2u);
    // The reset key, both exchange messages and the host's own call; an unchanged value is silent.
    edit.SendMessage(WM_CHAR, 'O', 1);
    float f = 42.0f;
    int n = -7;
    edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&f));
    edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&n));
    edit.SetCurValue(-7);
    edit.SetCurValue(9.0f);
    EXPECT_EQ(TakeEvents(edit, {EVENT_OBJECT_VALUECHANGE}).size(), 4u);

    // Read-only or disabled: shown as such, and the reader cannot change it.
    host.Clear();
    edit.ModifyStyle(0, ES_READONLY);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_READONLY);
    EXPECT_EQ(PutValue(acc, L"7"), E_ACCESSDENIED);
    edit.ModifyStyle(ES_READONLY, 0);
    edit.EnableWindow(FALSE);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(PutValue(acc, L"7"), E_ACCESSDENIED);
    EXPECT_EQ(Ask(acc).value, L"9");
    EXPECT_TRUE(host.log.empty());
    acc->Release();
}

TEST_F(Reader, ObjectKeptPastItsWindowAnswersNotConnected)
{
    auto* edit = new CNumEdit;
    ASSERT_TRUE(edit->Create(CRect(10, 10, 110, 30), &host, 7, WS_VISIBLE));
    CCoolProgressCtrl bar;
    ASSERT_TRUE(bar.Create(0, CRect(10, 40, 110, 60), &host, 8));
    IAccessible* objects[] = {ObjectOf(*edit), ObjectOf(bar)};
    ASSERT_TRUE(objects[0] && objects[1]);
    // One control goes with its window (its object's memory is gone), the other keeps its object.
    delete edit;
    bar.DestroyWindow();
    for (IAccessible* acc : objects) {
        VARIANT self = Child(CHILDID_SELF), role;
        BSTR s = nullptr;
        LONG x, y, w, h;
        IDispatch* parent = nullptr;  // the parent too, though the system's object would know it
        EXPECT_EQ(acc->get_accRole(self, &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accValue(self, &s), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->accLocation(&x, &y, &w, &h, self), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->put_accValue(self, nullptr), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->Release(), 0u);
    }
}

TEST_F(Reader, HeaderListsItsColumnsInDisplayOrderAndAnnouncesReordering)
{
    CHeadWnd header;
    ASSERT_TRUE(header.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 34), &host, 11));
    for (const wchar_t* caption : {L"Name", L"Size", L"Date"}) {
        HD_ITEMW item{HDI_TEXT | HDI_WIDTH, 80, const_cast<wchar_t*>(caption), nullptr, 32, 0, 0, 0, 0, 0, nullptr, 0};
        header.InsertItem(-1, &item);
    }
    IAccessible* acc = ObjectOf(header);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).role, ROLE_SYSTEM_LIST);
    EXPECT_EQ(Ask(acc, 2).role, ROLE_SYSTEM_COLUMNHEADER);
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Name", L"Size", L"Date"}));
    RECT first, second;
    header.GetItemRect(0, &first);
    header.GetItemRect(1, &second);
    const CRect where = ScreenRect(header, second);
    EXPECT_EQ(Location(acc, 2), where);
    // Hit testing and navigation stay among the columns.
    VARIANT v;
    EXPECT_EQ(acc->accHitTest(where.left + 5, where.top + 5, &v), S_OK);
    EXPECT_EQ(v.lVal, 2);
    EXPECT_EQ(acc->accNavigate(NAVDIR_NEXT, Child(3), &v), S_FALSE);
    EXPECT_EQ(acc->accNavigate(NAVDIR_FIRSTCHILD, Child(CHILDID_SELF), &v), S_OK);
    EXPECT_EQ(v.lVal, 1);

    // The user drags "Name" onto "Date": one reorder, and the reader sees the new order. A click
    // that moves nothing stays silent; a host's own change of the order is announced.
    TakeEvents(nullptr, {});  // forget what came before
    const int y = (first.top + first.bottom) / 2, from = first.left + 10, to = first.left + 170;
    kx::PostScript(header, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(to, y)), kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(to, y))});
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(from, y));
    EXPECT_EQ(TakeEvents(header, {EVENT_OBJECT_REORDER}), Events{Self(EVENT_OBJECT_REORDER, header)});
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Size", L"Date", L"Name"}));
    kx::PostScript(header, {kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(from, y))});
    header.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(from, y));
    header.DeleteItem(0);
    EXPECT_EQ(TakeEvents(header, {EVENT_OBJECT_REORDER}).size(), 1u);
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Date", L"Name"}));
    acc->Release();
}

TEST_F(Reader, ScrollBarShowsItsPartsAndFramesEachInteraction)
{
    Label(L"&Zoom", CRect(40, 0, 100, 18));
    CStaticScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(20, 20, 40, 220), &host, 12));
    SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 10, 40, 0};
    bar.SetScrollInfo(&si, TRUE);
    IAccessible* acc = ObjectOf(bar);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_SCROLLBAR, L"Zoom", L"40"));
    EXPECT_EQ(ChildNames(acc), (std::vector<std::wstring>{L"Line up", L"Page up", L"Position", L"Page down", L"Line down"}));
    EXPECT_EQ(Ask(acc, 1).role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(Ask(acc, 3).read(), Read(ROLE_SYSTEM_INDICATOR, L"Position", L"40"));
    const int parts[] = {SBPART_LTUPENDBOX, SBPART_LTUPMARGIN, SBPART_TRACKBOX, SBPART_RTDNMARGIN, SBPART_RTDNENDBOX};
    for (LONG i = 1; i <= 5; ++i) {
        CRect part;
        bar.GetPartRect(parts[i - 1], part);
        EXPECT_EQ(Location(acc, i), ScreenRect(bar, part)) << i;
    }

    // A click on the lower box that the parent answers: the reader hears the scroll begin, the
    // new value and the end.
    host.onScroll = [&](UINT, WPARAM wParam, LPARAM) {
        if (LOWORD(wParam) != SB_ENDSCROLL) bar.SetScrollPos(HIWORD(wParam), TRUE);
    };
    TakeEvents(nullptr, {});  // forget what came before
    CRect down;
    bar.GetPartRect(SBPART_RTDNENDBOX, down);
    const LPARAM in = kx::PointParam(down.CenterPoint().x, down.CenterPoint().y);
    kx::PostScript(bar, {kx::Msg(WM_LBUTTONUP, 0, in)});
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, in);
    EXPECT_EQ(TakeEvents(bar, {EVENT_SYSTEM_SCROLLINGSTART, EVENT_OBJECT_VALUECHANGE, EVENT_SYSTEM_SCROLLINGEND}),
              (Events{Self(EVENT_SYSTEM_SCROLLINGSTART, bar), ValueChange(bar), Self(EVENT_SYSTEM_SCROLLINGEND, bar)}));
    EXPECT_EQ(Ask(acc).value, L"41");
    // A range that pulls the position in is a value change; a disabled bar hides its thumb.
    bar.SetScrollRange(0, 20, TRUE);
    EXPECT_EQ(TakeEvents(bar, {EVENT_OBJECT_VALUECHANGE}), Events{ValueChange(bar)});
    bar.EnableScrollBar(ESB_DISABLE_BOTH);
    EXPECT_TRUE(Ask(acc, 1).state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_TRUE(Ask(acc, 3).state & STATE_SYSTEM_INVISIBLE);
    acc->Release();
}

TEST_F(Reader, MenuRunIsFollowedLevelByLevelAndItemByItem)
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
    CFreeMenuWnd* const popups[] = {CFreeMenuWnd::GetHead(), CFreeMenuWnd::GetHead()->m_pNextPopup};
    ASSERT_NE(popups[1], nullptr);
    ::SetCursorPos(2, ::GetSystemMetrics(SM_CYSCREEN) - 2);  // hover comes from the script only
    kx::PumpMessages();

    std::vector<Answers> items[2];  // what a reader reads of each level while it is open
    CRect hotPlace, hotItem;
    VARIANT focus{};
    auto read = [&](int level) {
        IAccessible* acc = ObjectOf(*popups[level]);
        ASSERT_NE(acc, nullptr);
        for (LONG i = 0; i <= static_cast<LONG>(level ? 2 : 4); ++i) items[level].push_back(Ask(acc, i));
        if (level == 0) {
            acc->get_accFocus(&focus);
            hotPlace = Location(acc, 4);
            popups[0]->GetItemRect(3, hotItem);
            hotItem = ScreenRect(*popups[0], hotItem);
        }
        acc->Release();
    };
    auto key = [](UINT vk) { return kx::Msg(WM_KEYDOWN, vk); };
    int level = 0;
    host.onAction = [&] { read(level++); };
    TakeEvents(nullptr, {});  // forget what came before
    const MSG readLevel = kx::Msg(kActionMessage);
    kx::PostScript(host, {key(VK_DOWN), key(VK_DOWN), key(VK_DOWN), readLevel, key(VK_RIGHT), readLevel, key(VK_LEFT), key(VK_ESCAPE)});
    EXPECT_EQ(top.TrackPopupMenu(TPM_LEFTALIGN, 100, 100, &host), -1);

    ASSERT_TRUE(items[0].size() == 5u && items[1].size() == 3u);
    using Item = std::tuple<LONG, std::wstring, DWORD>;  // role, name, the states that matter here
    const DWORD flags = STATE_SYSTEM_CHECKED | STATE_SYSTEM_UNAVAILABLE | STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_HOTTRACKED;
    std::vector<Item> seen;
    for (size_t i = 1; i < 5; ++i) seen.emplace_back(items[0][i].role, items[0][i].name, items[0][i].state & flags);
    EXPECT_EQ(seen, (std::vector<Item>{{ROLE_SYSTEM_MENUITEM, L"Open", STATE_SYSTEM_CHECKED},  // no marker, no accelerators
                                       {ROLE_SYSTEM_SEPARATOR, L"", 0},
                                       {ROLE_SYSTEM_MENUITEM, L"Recent", STATE_SYSTEM_UNAVAILABLE},
                                       {ROLE_SYSTEM_MENUITEM, L"More", STATE_SYSTEM_HASPOPUP | STATE_SYSTEM_HOTTRACKED}}));
    EXPECT_EQ(items[0][0].role, ROLE_SYSTEM_MENUPOPUP);
    EXPECT_EQ(items[0][1].shortcut, L"O");
    EXPECT_EQ(focus.lVal, 4);
    EXPECT_EQ(hotPlace, hotItem);
    EXPECT_TRUE(items[1][1].name == L"First" && items[1][2].name == L"Second" && items[1][2].shortcut.empty());

    Events menuEvents;
    for (const WinEvent& e : TakeEvents(nullptr, {EVENT_SYSTEM_MENUPOPUPSTART, EVENT_SYSTEM_MENUPOPUPEND, EVENT_OBJECT_FOCUS}))
        if (std::get<1>(e) == *popups[0] || std::get<1>(e) == *popups[1]) menuEvents.push_back(e);
    auto hot = [&](LONG id) { return WinEvent{EVENT_OBJECT_FOCUS, *popups[0], OBJID_CLIENT, id}; };
    EXPECT_EQ(menuEvents, (Events{Self(EVENT_SYSTEM_MENUPOPUPSTART, *popups[0]), hot(1), hot(3), hot(4),
                                  Self(EVENT_SYSTEM_MENUPOPUPSTART, *popups[1]), Self(EVENT_SYSTEM_MENUPOPUPEND, *popups[1]),
                                  Self(EVENT_SYSTEM_MENUPOPUPEND, *popups[0])}));
}

TEST_F(Reader, SplitterGripAndNumericLabelAreNamedByTheirLabelsAndFollowed)
{
    auto make = [&](LPCWSTR text, int x, int width, int id) {
        return ::CreateWindowExW(0, L"STATIC", text, WS_CHILD | WS_VISIBLE, x, 40, width, 200, host,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
    };
    ASSERT_TRUE(make(L"", 0, 100, 21) && make(L"", 106, 200, 22) && make(L"Pane &divider", 100, 6, 23));
    CxSpltWnd grip;
    ASSERT_EQ(grip.BindWithControl(&host, 23), 1);
    grip.AttachAsLeftPane(21);
    grip.AttachAsRightPane(22);
    IAccessible* acc = ObjectOf(grip);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_GRIP, L"Pane divider", L""));
    TakeEvents(nullptr, {});  // forget what came before
    grip.MoveToBoarder(TRUE);
    const Events moved = TakeEvents(grip, {EVENT_OBJECT_LOCATIONCHANGE});
    ASSERT_FALSE(moved.empty());
    EXPECT_EQ(moved.back(), Self(EVENT_OBJECT_LOCATIONCHANGE, grip));
    acc->Release();

    // The numeric label reads its text as its value and is no caption for the editor after it.
    Label(L"Threshold", CRect(10, 10, 90, 30));
    CNumStatic label;
    ASSERT_TRUE(label.Create(L"12.00", WS_CHILD | WS_VISIBLE, CRect(100, 10, 180, 30), &host, 31, INPUTSTYLE_NUMBER));
    CNumEdit edit;
    ASSERT_TRUE(edit.Create(CRect(200, 10, 300, 30), &host, 32, WS_VISIBLE));
    acc = ObjectOf(edit);
    ASSERT_NE(acc, nullptr);
    EXPECT_FALSE(Ask(acc).hasName);
    acc->Release();
    acc = ObjectOf(label);
    ASSERT_NE(acc, nullptr);
    EXPECT_EQ(Ask(acc).read(), Read(ROLE_SYSTEM_SPINBUTTON, L"Threshold", L"12.00"));
    label.SetText(5.0f);
    host.Clear();
    EXPECT_EQ(PutValue(acc, L"500"), S_OK);
    EXPECT_EQ(Ask(acc).value, L"100.00");
    EXPECT_EQ(host.NotifyCodes(), (std::vector<UINT>{NUMSTATIC_NOTIFYCODE, NUMSTATIC_NOTIFYCODE}));
    label.SetWindowText(L"7.50");  // as the data exchange writes it
    EXPECT_EQ(TakeEvents(label, {EVENT_OBJECT_VALUECHANGE}).size(), 3u);
    label.SetInputStyle(INPUTSTYLE_TEXT);
    EXPECT_EQ(Ask(acc).role, ROLE_SYSTEM_TEXT);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_READONLY);
    acc->Release();
}

}  // namespace
