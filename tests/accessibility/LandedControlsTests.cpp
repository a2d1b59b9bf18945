// Progress bars, the hot-key box and the numeric editor as a screen reader meets them: the
// object each answers with, the events it raises however its value changes, and an object
// kept by a reader after the control's window is gone.
#include "AccessibilityTesting.h"
#include <KestrelOrmProgress.h>
#include <KestrelProgress.h>
#include <KestrelEdit.h>
#include <KestrelNumeric.h>

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
    kx::PumpMessages();

    IAccessible* acc = ObjectOf(cool);
    ASSERT_NE(acc, nullptr);
    EventRecorder events;
    cool.SetRange(0, 200);
    cool.SetPos(84);
    Answers a = Ask(acc);
    EXPECT_EQ(a.hr, S_OK);
    EXPECT_EQ(a.role, ROLE_SYSTEM_PROGRESSBAR);
    EXPECT_EQ(a.name, L"Download");  // the label before it, without its mnemonic marker
    EXPECT_EQ(a.value, L"42%");
    EXPECT_TRUE(a.state & STATE_SYSTEM_READONLY);
    EXPECT_FALSE(a.state & STATE_SYSTEM_FOCUSABLE);
    // Same position again: nothing to announce. A position sent from elsewhere: announced.
    cool.SetPos(84);
    ::SendMessageW(cool, WM_PROGRESSPOS, PROGRESSPOS_SET, 200);
    EXPECT_EQ(events.Take(cool), Events({ValueChange(cool), ValueChange(cool), ValueChange(cool)}));
    EXPECT_EQ(Ask(acc).value, L"100%");
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
    EXPECT_EQ(events.Take(orm), Events({ValueChange(orm), ValueChange(orm)}));
    acc->Release();
}

TEST_F(LandedControls, HotKeyBoxReadsTheShortcutItShows)
{
    MakeLabel(host, L"Shortcut:", CRect(10, 10, 100, 30));
    CKeyEdit box;
    box.Create(WS_CHILD | WS_VISIBLE | ES_READONLY, CRect(110, 10, 300, 30), &host, 3);
    ASSERT_TRUE(box.IsWindow());
    kx::PumpMessages();
    IAccessible* acc = ObjectOf(box);
    ASSERT_NE(acc, nullptr);
    EventRecorder events;
    box.SetHotKey(0x00220007, 0);
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_HOTKEYFIELD);
    EXPECT_EQ(a.name, L"Shortcut:");
    EXPECT_EQ(a.value, L"Ctrl+Shift+Alt+Page Down");
    EXPECT_EQ(events.Take(box, {EVENT_OBJECT_VALUECHANGE}).size(), 1u);
    acc->Release();
}

class NumEditReader : public LandedControls {
protected:
    void SetUp() override
    {
        LandedControls::SetUp();
        MakeLabel(host, L"Gain", CRect(10, 10, 60, 30));
        ASSERT_TRUE(edit.Create(CRect(70, 10, 170, 30), &host, kEditId, WS_VISIBLE));
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
    CPoint PlaceCenter(int place) const
    {
        RECT r = edit.GetItemRect(static_cast<UINT>(place));
        return CPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    static constexpr UINT kEditId = 5;
    CNumEdit edit;
    IAccessible* acc = nullptr;
};

TEST_F(NumEditReader, ReadsTheShownNumberNotItsInternalTitle)
{
    Answers a = Ask(acc);
    EXPECT_EQ(a.role, ROLE_SYSTEM_SPINBUTTON);
    EXPECT_EQ(a.name, L"Gain");
    EXPECT_EQ(a.value, L"2.5");
    EXPECT_FALSE(a.state & (STATE_SYSTEM_READONLY | STATE_SYSTEM_UNAVAILABLE));

    edit.ModifyStyle(0, ES_READONLY);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_READONLY);
    VARIANT self = Child(CHILDID_SELF);
    BSTR text = ::SysAllocString(L"7");
    EXPECT_EQ(acc->put_accValue(self, text), E_ACCESSDENIED);
    edit.ModifyStyle(ES_READONLY, 0);
    edit.EnableWindow(FALSE);
    EXPECT_TRUE(Ask(acc).state & STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(acc->put_accValue(self, text), E_ACCESSDENIED);
    ::SysFreeString(text);
    EXPECT_EQ(edit.GetCurValue(), 2.5f);
    EXPECT_TRUE(host.log.empty());

    // Without a label in front the editor has no name at all.
    CNumEdit second;
    ASSERT_TRUE(second.Create(CRect(70, 40, 170, 60), &host, 6, WS_VISIBLE));
    IAccessible* other = ObjectOf(second);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(Ask(other).hasName);
    other->Release();
}

TEST_F(NumEditReader, ReaderSetsTheValueThroughTheModelsClamping)
{
    EventRecorder events;
    VARIANT self = Child(CHILDID_SELF);
    BSTR text = ::SysAllocString(L"512.25");
    EXPECT_EQ(acc->put_accValue(self, text), S_OK);
    ::SysFreeString(text);
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_EQ(Ask(acc).value, L"100.0");
    EXPECT_EQ(host.CommandCodes(), std::vector<UINT>({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    text = ::SysAllocString(L"-3.04");
    EXPECT_EQ(acc->put_accValue(self, text), S_OK);
    ::SysFreeString(text);
    EXPECT_EQ(Ask(acc).value, L"-3.0");
    text = ::SysAllocString(L"loud");
    EXPECT_EQ(acc->put_accValue(self, text), E_INVALIDARG);
    ::SysFreeString(text);
    EXPECT_EQ(edit.GetCurValue(), -3.0f);
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}), Events({ValueChange(edit), ValueChange(edit)}));
}

TEST_F(NumEditReader, EveryWayOfChangingTheValueIsAnnounced)
{
    EventRecorder events;
    // A drag of two gaps upwards: one event per change, as the parent hears kind 2.
    const CPoint start = PlaceCenter(1);
    kx::PostScript(edit, {kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(start.x, start.y - 2)),
                          kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(start.x, start.y - 4)),
                          kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(start.x, start.y - 4))});
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(start.x, start.y));
    const size_t drags = host.CommandCodes().size() - 2;
    EXPECT_EQ(drags, 2u);
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}).size(), drags);

    // The reset key, the exchange messages and the host's own call.
    edit.SendMessage(WM_CHAR, 'O', 1);
    float f = 42.0f;
    edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&f));
    int n = -7;
    edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&n));
    edit.SetCurValue(-7);  // unchanged: silent
    edit.SetCurValue(9.0f);
    EXPECT_EQ(events.Take(edit, {EVENT_OBJECT_VALUECHANGE}).size(), 4u);
    EXPECT_EQ(Ask(acc).value, L"9");
}

TEST_F(LandedControls, ObjectKeptPastItsWindowAnswersNotConnected)
{
    auto* edit = new CNumEdit;
    ASSERT_TRUE(edit->Create(CRect(10, 10, 110, 30), &host, 7, WS_VISIBLE));
    auto* bar = new CCoolProgressCtrl;
    ASSERT_TRUE(bar->Create(0, CRect(10, 40, 110, 60), &host, 8));
    IAccessible* editAcc = ObjectOf(*edit);
    IAccessible* barAcc = ObjectOf(*bar);
    ASSERT_NE(editAcc, nullptr);
    ASSERT_NE(barAcc, nullptr);

    // One control loses its window and its object (the object stays behind), the other only
    // its window.
    delete edit;
    bar->DestroyWindow();
    for (IAccessible* acc : {editAcc, barAcc}) {
        VARIANT self = Child(CHILDID_SELF), role;
        BSTR s = nullptr;
        LONG x, y, w, h, count;
        IDispatch* parent = nullptr;
        EXPECT_EQ(acc->get_accRole(self, &role), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accName(self, &s), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accValue(self, &s), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->accLocation(&x, &y, &w, &h, self), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(acc->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
        s = ::SysAllocString(L"1");
        EXPECT_EQ(acc->put_accValue(self, s), CO_E_OBJNOTCONNECTED);
        ::SysFreeString(s);
        EXPECT_EQ(acc->Release(), 0u);
    }
    delete bar;
}

TEST_F(LandedControls, ObjectDelegatesWindowPlaceAndParentToTheSystem)
{
    CCoolProgressCtrl bar;
    ASSERT_TRUE(bar.Create(0, CRect(10, 40, 110, 60), &host, 8));
    IAccessible* acc = ObjectOf(bar);
    ASSERT_NE(acc, nullptr);
    CRect window;
    bar.GetWindowRect(&window);
    EXPECT_EQ(CRect(Location(acc, CHILDID_SELF)), window);
    IDispatch* parent = nullptr;
    EXPECT_EQ(acc->get_accParent(&parent), S_OK);
    EXPECT_NE(parent, nullptr);
    if (parent) parent->Release();
    HWND hWnd = nullptr;
    EXPECT_EQ(::WindowFromAccessibleObject(acc, &hWnd), S_OK);
    EXPECT_EQ(hWnd, bar.m_hWnd);
    acc->Release();
}

}  // namespace
