// Progress bars, the hot-key box and the numeric editor as a screen reader meets them: the
// object each answers with, the events it raises however its value changes, and an object
// kept by a reader after the control's window is gone.
#include "AccessibilityTesting.h"
#include <KestrelEdit.h>
#include <KestrelNumeric.h>
#include <KestrelOrmProgress.h>

using namespace a11y;

namespace {

class LandedControls : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override { host.Close(); }
    kx::HostWindow host;
};

TEST_F(LandedControls, ProgressBarsReadTheirPercentageAndAnnounceEachChange)
{
    MakeLabel(host, L"&Download", CRect(10, 10, 200, 30));
    CCoolProgressCtrl cool;
    ASSERT_TRUE(cool.Create(0, CRect(10, 30, 210, 50), &host, 1));
    COrmProgressCtrl orm;
    ASSERT_TRUE(orm.Create(WS_CHILD | WS_VISIBLE, CRect(10, 60, 210, 78), &host, 2));
    IAccessible* acc = ObjectOf(cool);
    ASSERT_NE(acc, nullptr);
    EventRecorder events;
    cool.SetRange(0, 200);
    cool.SetPos(84);
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_PROGRESSBAR);
    EXPECT_EQ(a.name, L"Download");  // the label before it, without its mnemonic marker
    EXPECT_EQ(a.value, L"42%");
    EXPECT_EQ(a.state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_FOCUSABLE), static_cast<DWORD>(STATE_SYSTEM_READONLY));
    // The same position again says nothing; a position sent from elsewhere is announced.
    cool.SetPos(84);
    ::SendMessageW(cool, WM_PROGRESSPOS, PROGRESSPOS_SET, 200);
    EXPECT_EQ(events.Take(cool), std::vector<WinEvent>(3, ValueChange(cool)));
    EXPECT_EQ(Ask(acc).value, L"100%");
    // The window's place and parent come from the system's object.
    CRect window;
    cool.GetWindowRect(&window);
    EXPECT_EQ(CRect(Location(acc, CHILDID_SELF)), window);
    IDispatch* parent = nullptr;
    EXPECT_EQ(acc->get_accParent(&parent), S_OK);
    if (parent) parent->Release();
    HWND hWnd = nullptr;
    EXPECT_EQ(::WindowFromAccessibleObject(acc, &hWnd), S_OK);
    EXPECT_EQ(hWnd, cool.m_hWnd);
    acc->Release();

    // The striped bar shares all of it; the label belongs to the first bar only.
    acc = ObjectOf(orm);
    ASSERT_NE(acc, nullptr);
    orm.SetPos(33);
    a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_PROGRESSBAR);
    EXPECT_FALSE(a.hasName);
    EXPECT_EQ(a.value, L"33%");
    orm.SetRange(0, 0);
    EXPECT_EQ(Ask(acc).value, L"0%");
    EXPECT_EQ(events.Take(orm), std::vector<WinEvent>(2, ValueChange(orm)));
    acc->Release();
}

TEST_F(LandedControls, HotKeyBoxReadsTheShortcutItShows)
{
    MakeLabel(host, L"Shortcut:", CRect(10, 10, 100, 30));
    CKeyEdit box;
    box.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(110, 10, 300, 30), &host, 3);
    IAccessible* acc = ObjectOf(box);
    ASSERT_NE(acc, nullptr);
    EventRecorder events;
    box.SetHotKey(0x00220007, 0);
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_HOTKEYFIELD);
    EXPECT_EQ(a.name, L"Shortcut:");
    EXPECT_EQ(a.value, L"Ctrl+Shift+Alt+Page Down");
    EXPECT_EQ(events.Take(box, {EVENT_OBJECT_VALUECHANGE}), std::vector<WinEvent>{ValueChange(box)});
    acc->Release();
}

class NumEditReader : public LandedControls {
protected:
    void SetUp() override
    {
        LandedControls::SetUp();
        MakeLabel(host, L"Gain", CRect(10, 10, 60, 30));
        ASSERT_TRUE(edit.Create(CRect(70, 10, 170, 30), &host, 5, WS_VISIBLE));
        edit.SetNumberMinMax(-100, 100, 0);
        edit.SetDicimalNum(1);
        edit.SetCurValue(2.5f);
        kx::PumpMessages();
        host.Clear();
        acc = ObjectOf(edit);
        ASSERT_NE(acc, nullptr);
    }
    void TearDown() override
    {
        if (acc) acc->Release();
        edit.DestroyWindow();
        LandedControls::TearDown();
    }
    HRESULT Put(const wchar_t* text)
    {
        BSTR s = ::SysAllocString(text);
        HRESULT hr = acc->put_accValue(Child(CHILDID_SELF), s);
        ::SysFreeString(s);
        return hr;
    }

    CNumEdit edit;
    IAccessible* acc = nullptr;
};

TEST_F(NumEditReader, ReadsTheShownNumberAndSetsItThroughTheModel)
{
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_SPINBUTTON);
    EXPECT_EQ(a.name, L"Gain");  // not the editor's internal window title
    EXPECT_EQ(a.value, L"2.5");
    EXPECT_FALSE(a.state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE));

    // A reader's value is clamped and rounded like any other, and reported as one change.
    EventRecorder events;
    EXPECT_EQ(Put(L"512.25"), S_OK);
    EXPECT_EQ(Ask(acc).value, L"100.0");
    EXPECT_EQ(host.CommandCodes(), (std::vector<UINT>{NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(Put(L"-3.04"), S_OK);
    EXPECT_EQ(Ask(acc).value, L"-3.0");
    EXPECT_EQ(Put(L"loud"), E_INVALIDARG);
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}), std::vector<WinEvent>(2, ValueChange(edit)));

    // Read-only or disabled: shown as such, and the reader cannot change it.
    host.Clear();
    edit.ModifyStyle(0, ES_READONLY);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_READONLY);
    EXPECT_EQ(Put(L"7"), E_ACCESSDENIED);
    edit.ModifyStyle(ES_READONLY, 0);
    edit.EnableWindow(FALSE);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(Put(L"7"), E_ACCESSDENIED);
    EXPECT_EQ(edit.GetCurValue(), -3.0f);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditReader, EveryWayOfChangingTheValueIsAnnounced)
{
    EventRecorder events;
    // A drag of two gaps upwards: one event per change, as the parent hears kind 2.
    RECT place = edit.GetItemRect(1);
    const CPoint start((place.left + place.right) / 2, (place.top + place.bottom) / 2);
    kx::PostScript(edit, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(start.x, start.y - 2)),
                          kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(start.x, start.y - 4)),
                          kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(start.x, start.y - 4))});
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(start.x, start.y));
    EXPECT_EQ(host.CommandCodes(), (std::vector<UINT>{NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}).size(), 2u);

    // The reset key, both exchange messages and the host's own call; an unchanged value is silent.
    edit.SendMessage(WM_CHAR, 'O', 1);
    float f = 42.0f;
    edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&f));
    int n = -7;
    edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&n));
    edit.SetCurValue(-7);
    edit.SetCurValue(9.0f);
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}).size(), 4u);
    EXPECT_EQ(Ask(acc).value, L"9");
}

TEST_F(LandedControls, ObjectKeptPastItsWindowAnswersNotConnected)
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
        IDispatch* parent = nullptr;
        EXPECT_EQ(acc->get_accRole(self, &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accValue(self, &s), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->accLocation(&x, &y, &w, &h, self), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->put_accValue(self, nullptr), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->Release(), 0u);
    }
}

}  // namespace
