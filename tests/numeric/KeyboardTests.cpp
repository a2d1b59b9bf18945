// Keyboard editing over the caret, the in-place editor, the context menu and data exchange.
#include "NumericTesting.h"
#include <string>

using numtest::KindList;
using numtest::NumEditTest;

namespace {

const std::vector<UINT> kOneShot = {NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE};

class NumEditKeys : public NumEditTest {
protected:
    // Creates, sets the value and focuses the editor; the first focus puts the caret at the end.
    void Focused(DWORD style, double first, double second, float value, int decimals = 0)
    {
        Create(style);
        edit.SetNumberMinMax(first, second, 0);
        edit.SetDicimalNum(decimals);
        edit.SetCurValue(value);
        edit.SetFocus();
        kx::PumpMessages();
        ASSERT_EQ(::GetFocus(), edit.m_hWnd);
        host.Clear();
    }
    int CaretPlace() const { return edit.HitTest(CWnd::GetCaretPos()); }
    void Left(int times = 1) { for (int i = 0; i < times; ++i) Char(VK_LEFT); }
};

TEST_F(NumEditKeys, FirstFocusPutsTheCaretAtTheEndAndFocusLossKeepsIt)
{
    Focused(ES_RIGHT, 0, 100, 5.0f);
    EXPECT_EQ(CaretPlace(), 3);
    EXPECT_EQ(CWnd::GetCaretPos().y, edit.GetTextRect().top);
    Left();
    EXPECT_EQ(CaretPlace(), 2);
    host.SetFocus();
    edit.SetFocus();
    EXPECT_EQ(CaretPlace(), 2);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditKeys, DigitsOverwriteThenAppendOnTheFreePlace)
{
    Focused(ES_RIGHT, 0, 100, 5.0f);
    Left();  // onto the 5
    Char('7');
    EXPECT_EQ(edit.GetCurValue(), 7.0f);
    EXPECT_EQ(CaretPlace(), 3);
    EXPECT_EQ(Kinds(), kOneShot);
    Char('2');
    EXPECT_EQ(edit.GetCurValue(), 72.0f);
    EXPECT_EQ(CaretPlace(), 3);
    Char('1');
    EXPECT_EQ(edit.GetCurValue(), 100.0f);  // 721 clamped
    EXPECT_EQ(Kinds().size(), 9u);
}

TEST_F(NumEditKeys, UpAndDownAddOneUnitOfThePlace)
{
    Focused(ES_RIGHT, 0, 100, 42.0f);
    Left(2);  // onto the 4
    Char(VK_UP);
    EXPECT_EQ(edit.GetCurValue(), 52.0f);
    Char(VK_DOWN);
    Char(VK_DOWN);
    EXPECT_EQ(edit.GetCurValue(), 32.0f);
    edit.SetCurValue(42.0f);
    Char(VK_RIGHT);  // onto the 2
    Char(VK_UP);
    EXPECT_EQ(edit.GetCurValue(), 43.0f);
    Char(VK_DOWN);
    Char(VK_DOWN);
    EXPECT_EQ(edit.GetCurValue(), 41.0f);
}

TEST_F(NumEditKeys, DecimalsAndJumpingOverThePoint)
{
    Focused(ES_RIGHT, 0, 100, 2.5f, 1);
    Left();  // from the end onto the first decimal
    EXPECT_EQ(CaretPlace(), 4);
    Char(VK_UP);
    EXPECT_EQ(edit.GetCurValue(), static_cast<float>(2.6));
    Left();  // over the point onto the units
    EXPECT_EQ(CaretPlace(), 2);
    Char(VK_RIGHT);
    EXPECT_EQ(CaretPlace(), 4);
    Char('9');
    EXPECT_EQ(edit.GetCurValue(), static_cast<float>(2.9));
}

TEST_F(NumEditKeys, NegativeValuesKeepTheirSignAndMinusNegates)
{
    Focused(ES_RIGHT, -10, 100, -3.0f);
    Left();  // onto the 3
    Char('5');
    EXPECT_EQ(edit.GetCurValue(), -5.0f);
    Char(VK_SUBTRACT);
    EXPECT_EQ(edit.GetCurValue(), 5.0f);
    Char(VK_OEM_MINUS);
    EXPECT_EQ(edit.GetCurValue(), -5.0f);

    edit.SetNumberMinMax(0, 100, 0);
    edit.SetCurValue(3.0f);
    host.Clear();
    Char(VK_SUBTRACT);  // the minimum forbids it
    EXPECT_EQ(edit.GetCurValue(), 3.0f);
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditKeys, LeftAlignedTextGrowsToTheRight)
{
    Focused(ES_LEFT, 0, 999, 12.0f);
    EXPECT_EQ(CaretPlace(), 2);
    Char('3');
    EXPECT_EQ(edit.GetCurValue(), 123.0f);
    EXPECT_EQ(CaretPlace(), 3);

    edit.SetNumberMinMax(-999, 999, 0);
    edit.SetCurValue(-12.0f);
    Left(3);
    Char(VK_RIGHT);
    Char(VK_RIGHT);
    Char(VK_RIGHT);
    EXPECT_EQ(CaretPlace(), 3);
    Char('3');
    EXPECT_EQ(edit.GetCurValue(), -123.0f);
}

TEST_F(NumEditKeys, ResetCommitAndUnhandledCodes)
{
    Focused(ES_RIGHT, 0, 100, 0.0f);
    Char('O');  // already the default: all three all the same
    EXPECT_EQ(Kinds(), kOneShot);
    edit.SetCurValue(60.0f);
    host.Clear();
    Char('o');
    EXPECT_EQ(edit.GetCurValue(), 0.0f);
    EXPECT_EQ(Kinds(), kOneShot);

    edit.SetCurValue(60.0f);
    host.Clear();
    Char(13);
    Char(9);
    EXPECT_EQ(Kinds(), KindList({NUMN_ENDCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(edit.GetCurValue(), 60.0f);

    host.Clear();
    EXPECT_EQ(CaretPlace(), 3);  // the free place after the text
    Char('a');
    Char('+');
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(edit.GetCurValue(), 60.0f);
}

TEST_F(NumEditKeys, ReadOnlyIgnoresCharactersButTakesMenuValues)
{
    Create(ES_RIGHT | ES_READONLY);
    edit.SetNumberMinMax(0, 100, 50);
    edit.SetCurValue(10.0f);
    host.Clear();
    Char('O');
    Char('7');
    Char(13);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(edit.GetCurValue(), 10.0f);

    // The system menu: one down and a return choose the first item, the maximum.
    kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_DOWN), kx::Msg(WM_KEYDOWN, VK_RETURN)});
    edit.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 10));
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
}

TEST_F(NumEditKeys, ContextMenuOffersMaximumMinimumAndDefault)
{
    Create(ES_RIGHT);
    edit.SetNumberMinMax(-20, 100, 50);
    edit.SetDicimalNum(1);
    edit.SetCurValue(10.0f);
    host.Clear();
    const float expected[] = {100.0f, -20.0f, 50.0f};
    for (int item = 1; item <= 3; ++item) {
        edit.SetCurValue(10.0f);
        host.Clear();
        edit.menuLabels.clear();
        for (int i = 0; i < item; ++i) kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_DOWN)});
        kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_RETURN)});
        edit.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 10));
        EXPECT_EQ(edit.GetCurValue(), expected[item - 1]) << item;
        EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE})) << item;
    }
    ASSERT_EQ(edit.menuLabels.size(), 3u);
    EXPECT_EQ(edit.menuLabels[0], L"最大值：100.0");
    EXPECT_EQ(edit.menuLabels[1], L"最小值：-20.0");
    EXPECT_EQ(edit.menuLabels[2], L"缺省值：50.0");

    // The value already shown, and a dismissed menu, change nothing.
    host.Clear();
    kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_DOWN), kx::Msg(WM_KEYDOWN, VK_DOWN),
                                 kx::Msg(WM_KEYDOWN, VK_DOWN), kx::Msg(WM_KEYDOWN, VK_RETURN)});
    edit.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 10));
    kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_ESCAPE)});
    edit.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 10));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(edit.GetCurValue(), 50.0f);
}

TEST_F(NumEditKeys, DoubleClickOpensTheInPlaceEditor)
{
    Create(ES_RIGHT);
    edit.SetDicimalNum(2);
    edit.SetDicimalNum(0);
    edit.SetCurValue(42.0f);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, kx::PointParam(20, 10));
    CEditCtrl& box = edit.GetEditBox();
    ASSERT_TRUE(::IsWindow(box.m_hWnd));
    EXPECT_EQ(box.GetDlgCtrlID(), static_cast<int>(NUM_EDITBOX_ID));
    EXPECT_EQ(::GetFocus(), box.m_hWnd);
    CString text;
    box.GetWindowText(text);
    EXPECT_EQ(text, L"42");
    int start = -1, end = -1;
    box.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 2);
    EXPECT_EQ(box.GetTextLimit(), 16);
    EXPECT_EQ(box.GetInputStyle(), INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
    RECT r{};
    box.GetWindowRect(&r);
    edit.ScreenToClient(&r);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.right, 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL) - 1);

    // Committing the value already shown sends nothing and leaves the focus where it went.
    host.SetFocus();
    kx::PumpMessages();
    EXPECT_FALSE(::IsWindow(box.m_hWnd));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(::GetFocus(), host.m_hWnd);
}

TEST_F(NumEditKeys, CommittingANewValueClampsItAndTakesTheFocusBack)
{
    Create(ES_RIGHT);
    edit.SetCurValue(42.0f);
    edit.DisplayEditBox();
    CEditCtrl& box = edit.GetEditBox();
    ASSERT_TRUE(::IsWindow(box.m_hWnd));
    box.SetWindowText(L"250");
    host.SetFocus();
    kx::PumpMessages();
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);

    // Opening again while open replaces the editor.
    edit.DisplayEditBox();
    HWND firstBox = box.m_hWnd;
    edit.DisplayEditBox();
    EXPECT_TRUE(::IsWindow(box.m_hWnd));
    EXPECT_FALSE(::IsWindow(firstBox) && firstBox != box.m_hWnd);
}

TEST_F(NumEditKeys, DoubleClickBesideTheTextResetsToTheDefault)
{
    Create(ES_RIGHT);
    edit.SetNumberMinMax(0, 100, 30);
    edit.SetCurValue(42.0f);
    host.Clear();
    const int stepLeft = 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, kx::PointParam(stepLeft + 3, 5));
    EXPECT_EQ(edit.GetCurValue(), 30.0f);
    EXPECT_EQ(Kinds(), KindList({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_FALSE(::IsWindow(edit.GetEditBox().m_hWnd));
    host.Clear();
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, kx::PointParam(stepLeft + 3, 5));
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditKeys, DataExchangeBothWays)
{
    Create(ES_RIGHT);
    edit.SetDicimalNum(1);
    float f = 12.5f;
    CDataExchange load(&host, FALSE);
    DDX_NumEdit(&load, numtest::kEditId, f);
    EXPECT_EQ(edit.GetCurValue(), 12.5f);
    edit.SetCurValue(3.7f);
    CDataExchange save(&host, TRUE);
    DDX_NumEdit(&save, numtest::kEditId, f);
    EXPECT_EQ(f, static_cast<float>(3.7));
    EXPECT_TRUE(host.log.empty());

    int n = 0;
    DDX_NumEdit(&save, numtest::kEditId, n);  // an int exchange drops the decimals
    EXPECT_EQ(n, 3);
    EXPECT_EQ(edit.Decimals(), 0);
    n = 250;
    DDX_NumEdit(&load, numtest::kEditId, n);
    EXPECT_EQ(edit.GetCurValue(), 100.0f);

    CString s = L"77";
    DDX_NumEdit(&load, numtest::kEditId, s);
    CString back;
    edit.GetWindowText(back);
    EXPECT_EQ(back, L"77");
    edit.SetWindowText(L"abc");
    DDX_NumEdit(&save, numtest::kEditId, s);
    EXPECT_EQ(s, L"abc");

    DDX_NumEdit(&save, 4321, f);  // no such control
    EXPECT_TRUE(host.log.empty());
}

TEST_F(NumEditKeys, ExchangeMessagesReadAndWrite)
{
    Create(ES_RIGHT);
    edit.SetDicimalNum(1);
    float f = 7.25f;
    edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&f));
    // The C runtime prints an exact tie away from zero.
    EXPECT_EQ(edit.GetCurValue(), static_cast<float>(7.3));
    f = 0;
    edit.SendMessage(WM_EXCHANGENUM, 3, reinterpret_cast<LPARAM>(&f));
    EXPECT_EQ(f, 0.0f);
    edit.SendMessage(WM_EXCHANGENUM, NUMEXCHANGE_READ, 0);

    edit.SetCurValue(3.7f);
    int n = 0;
    edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_READ, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(n, 3);
    EXPECT_EQ(edit.Decimals(), 0);
    n = -5;
    edit.SendMessage(WM_EXCHANGEINT, NUMEXCHANGE_WRITE, reinterpret_cast<LPARAM>(&n));
    EXPECT_EQ(edit.GetCurValue(), 0.0f);
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
