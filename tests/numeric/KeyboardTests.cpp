// Keyboard editing over the caret, the in-place editor, the context menu and data exchange.
#include "NumericTesting.h"
#include <string>

using numtest::Codes;
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
    void Right(int times = 1) { for (int i = 0; i < times; ++i) Char(VK_RIGHT); }
    // Opens the context menu and picks item n (from 1) with the keyboard; 0 dismisses it.
    void PickMenuItem(int n)
    {
        for (int i = 0; i < n; ++i) kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, VK_DOWN)});
        kx::PostScript(edit.m_hWnd, {kx::Msg(WM_KEYDOWN, n > 0 ? VK_RETURN : VK_ESCAPE)});
        edit.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 10));
    }
};

TEST_F(NumEditKeys, DigitsOverwriteThenAppendOnTheFreePlace)
{
    Focused(ES_RIGHT, 0, 100, 5.0f);
    EXPECT_EQ(CaretPlace(), 3);  // the first focus: the free place after the text
    EXPECT_EQ(CWnd::GetCaretPos().y, edit.GetTextRect().top);
    Left();  // onto the 5, kept across a focus loss
    host.SetFocus();
    edit.SetFocus();
    EXPECT_EQ(CaretPlace(), 2);

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

TEST_F(NumEditKeys, CodesEditTheDigitUnderTheCaret)
{
    Focused(ES_RIGHT, 0, 100, 0.0f);
    const struct {
        DWORD style;
        double minimum, maximum;
        int decimals;
        float value;
        int placesLeft;  // of the end of the text
        UINT code;
        float expected;
    } cases[] = {
        {ES_RIGHT, 0, 100, 0, 42.0f, 2, VK_UP, 52.0f},  // one unit of the place, whatever the sign
        {ES_RIGHT, 0, 100, 0, 42.0f, 2, VK_DOWN, 32.0f},
        {ES_RIGHT, 0, 100, 0, 42.0f, 1, VK_UP, 43.0f},
        {ES_RIGHT, 0, 100, 0, 42.0f, 1, VK_DOWN, 41.0f},
        {ES_RIGHT, -10, 100, 0, -3.0f, 1, VK_UP, -2.0f},
        {ES_RIGHT, 0, 100, 1, 2.5f, 1, VK_UP, 2.6f},  // a decimal place
        {ES_RIGHT, 0, 100, 1, 2.5f, 1, '9', 2.9f},
        {ES_RIGHT, -10, 100, 0, -3.0f, 1, '5', -5.0f},  // the sign stays
        {ES_RIGHT, -10, 100, 0, -3.0f, 0, VK_SUBTRACT, 3.0f},
        {ES_RIGHT, -10, 100, 0, 3.0f, 0, VK_OEM_MINUS, -3.0f},
        {ES_RIGHT, 0, 100, 0, 3.0f, 0, VK_SUBTRACT, 3.0f},  // the minimum forbids it
        {ES_LEFT, 0, 999, 0, 12.0f, 0, '3', 123.0f},       // appended on the right
        {ES_LEFT, -999, 999, 0, -12.0f, 0, '3', -123.0f},
    };
    for (const auto& c : cases) {
        edit.ModifyStyle(ES_CENTER | ES_RIGHT, c.style);
        edit.SetNumberMinMax(c.minimum, c.maximum, 0);
        edit.SetDicimalNum(c.decimals);
        edit.SetCurValue(c.value);
        Left(6);  // onto the row of the new font, then to the end
        Right(6);
        Left(c.placesLeft);
        host.Clear();
        Char(c.code);
        EXPECT_EQ(edit.GetCurValue(), c.expected) << c.value << " code " << c.code;
        EXPECT_EQ(Kinds(), c.expected == c.value ? Codes() : kOneShot) << c.value << " code " << c.code;
    }
}

TEST_F(NumEditKeys, CaretJumpsOverTheDecimalPoint)
{
    Focused(ES_RIGHT, 0, 100, 2.5f, 1);
    Left();  // from the end onto the first decimal
    EXPECT_EQ(CaretPlace(), 4);
    Left();
    EXPECT_EQ(CaretPlace(), 2);
    Right();
    EXPECT_EQ(CaretPlace(), 4);
}

TEST_F(NumEditKeys, ResetCommitAndUnhandledCodes)
{
    Focused(ES_RIGHT, 0, 100, 0.0f);
    for (UINT code : {'O', 'o'}) {  // all three even when the value is already the default
        Char(code);
        EXPECT_EQ(edit.GetCurValue(), 0.0f);
        EXPECT_EQ(Kinds(), kOneShot) << code;
        edit.SetCurValue(60.0f);
        host.Clear();
    }
    Char(13);
    Char(9);
    EXPECT_EQ(Kinds(), Codes({NUMN_ENDCHANGE, NUMN_ENDCHANGE}));

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
    PressAt(PlaceCenter(2));  // no drag starts, nor a step
    PressAt(CPoint(95, 15));
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(edit.GetCurValue(), 10.0f);

    PickMenuItem(1);  // the maximum
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
}

TEST_F(NumEditKeys, ContextMenuOffersMaximumMinimumAndDefault)
{
    Create(ES_RIGHT);
    edit.SetNumberMinMax(-20, 100, 50);
    edit.SetDicimalNum(1);
    const float expected[] = {100.0f, -20.0f, 50.0f};
    for (int item = 1; item <= 3; ++item) {
        edit.SetCurValue(10.0f);
        host.Clear();
        edit.menuLabels.clear();
        PickMenuItem(item);
        EXPECT_EQ(edit.GetCurValue(), expected[item - 1]) << item;
        EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE})) << item;
    }
    EXPECT_EQ(edit.menuLabels, std::vector<std::wstring>({L"最大值：100.0", L"最小值：-20.0", L"缺省值：50.0"}));

    // The value already shown, and a dismissed menu, change nothing.
    host.Clear();
    PickMenuItem(3);
    PickMenuItem(0);
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(edit.GetCurValue(), 50.0f);
}

TEST_F(NumEditKeys, DoubleClickOnTheTextEditsTheValueInPlace)
{
    Create(ES_RIGHT);
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
    EXPECT_EQ(end - start, 2);
    EXPECT_EQ(box.GetTextLimit(), 16);
    CRect r;
    box.GetWindowRect(&r);
    edit.ScreenToClient(&r);
    EXPECT_EQ(r, CRect(1, 1, 100 - 1 - ::GetSystemMetrics(SM_CXVSCROLL) - 1, 19));

    // Committing the value already shown sends nothing and leaves the focus where it went.
    host.SetFocus();
    kx::PumpMessages();
    EXPECT_FALSE(::IsWindow(box.m_hWnd));
    EXPECT_TRUE(host.log.empty());
    EXPECT_EQ(::GetFocus(), host.m_hWnd);

    // A new value is clamped, reported, and the editor takes the focus back.
    edit.DisplayEditBox();
    box.SetWindowText(L"250");
    host.SetFocus();
    kx::PumpMessages();
    EXPECT_EQ(edit.GetCurValue(), 100.0f);
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetFocus(), edit.m_hWnd);
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
    EXPECT_EQ(Kinds(), Codes({NUMN_BEGINCHANGE, NUMN_ENDCHANGE}));
    host.Clear();  // already the default
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
}

}  // namespace
