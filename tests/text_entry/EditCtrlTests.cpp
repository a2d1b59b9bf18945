// The in-place editor driven as a user drives it: keys through the host's loop, the clipboard,
// the focus moving away; checks what the parent is told and what the box shows.
#include "Keyboard.h"
#include <KestrelEdit.h>
#include <string>

using namespace kx;

namespace {

constexpr UINT kEditorId = 7995;
const CRect kCell(20, 20, 140, 42);

::testing::Environment* const g_library = ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

std::wstring WindowText(HWND h)
{
    wchar_t buffer[512] = {};
    ::GetWindowTextW(h, buffer, 512);
    return buffer;
}

void SetClipboardText(HWND owner, const wchar_t* text)
{
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    size_t bytes = (wcslen(text) + 1) * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(::GlobalLock(mem), text, bytes);
    ::GlobalUnlock(mem);
    ::SetClipboardData(CF_UNICODETEXT, mem);
    ::CloseClipboard();
}

std::wstring ClipboardText(HWND owner)
{
    std::wstring text;
    if (!::OpenClipboard(owner)) return text;
    if (HANDLE h = ::GetClipboardData(CF_UNICODETEXT)) {
        text = static_cast<const wchar_t*>(::GlobalLock(h));
        ::GlobalUnlock(h);
    }
    ::CloseClipboard();
    return text;
}

class EditCtrlTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }

    // Opens the editor over the cell as the numeric controls do.
    void OpenEditor(DWORD inputStyle, const wchar_t* text, int limit = -1, DWORD style = 0)
    {
        edit.ModifyInputStyle(inputStyle);
        edit.SetText(text, limit);
        EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, kCell, &host, kEditorId));
        ASSERT_TRUE(edit.IsWindow());
        PumpMessages();
        host.Clear();
    }

    // The editing-ended notifications the host received.
    std::vector<NMEDITCTRL> Endings() const
    {
        std::vector<NMEDITCTRL> out;
        for (const auto& m : host.log)
            if (m.message == WM_NOTIFY && m.hdr.code == EDITCTRL_NOTIFY_HIDE)
                out.push_back(*reinterpret_cast<const NMEDITCTRL*>(m.record.data()));
        return out;
    }

    HostWindow host;
    CEditCtrl edit;
};

TEST_F(EditCtrlTest, CreateShowsTextFocusedAndAllSelected)
{
    OpenEditor(INPUTSTYLE_TEXT, L"hello");
    EXPECT_EQ(L"hello", WindowText(edit));
    EXPECT_EQ(edit.m_hWnd, ::GetFocus());
    int start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(0, start);
    EXPECT_EQ(5, end);
}

TEST_F(EditCtrlTest, IntegerBoxDropsThePointAndCommitsOnTab)
{
    OpenEditor(INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"0");
    TypeKeys({'1', '2', VK_OEM_PERIOD, '5'});
    EXPECT_EQ(L"125", WindowText(edit));

    PressKey(VK_TAB);
    EXPECT_FALSE(edit.IsWindow());
    auto endings = Endings();
    ASSERT_EQ(1u, endings.size());
    EXPECT_EQ(kEditorId, endings[0].hdr.idFrom);
    EXPECT_FLOAT_EQ(125.0f, endings[0].value);
    EXPECT_EQ(CString(L"125"), edit.GetText());
    EXPECT_EQ(host.m_hWnd, ::GetFocus());
}

TEST_F(EditCtrlTest, NumericBoxRefusesLettersAndShiftedDigits)
{
    OpenEditor(INPUTSTYLE_NUMBER, L"");
    TypeKeys({'7', 'A', VK_SPACE});
    {
        HeldKeys shift{VK_SHIFT};
        PressKey('5');  // '%'
    }
    TypeKeys({VK_OEM_MINUS, VK_OEM_PERIOD, '5'});
    EXPECT_EQ(L"7-.5", WindowText(edit));

    PressKey(VK_RETURN);
    auto endings = Endings();
    ASSERT_EQ(1u, endings.size());
    EXPECT_FLOAT_EQ(7.0f, endings[0].value);  // "7-.5" parses as far as it can
}

TEST_F(EditCtrlTest, FullBoxRefusesCharactersButDeleteStillWorks)
{
    OpenEditor(INPUTSTYLE_NUMBER, L"123", 3);
    PressKey('4');
    PressKey(VK_BACK);
    EXPECT_EQ(L"123", WindowText(edit));

    PressKey(VK_DELETE);  // a key, not a character: clears the selection
    EXPECT_EQ(L"", WindowText(edit));
    TypeKeys({'4', '5', '6', '7'});
    EXPECT_EQ(L"456", WindowText(edit));
}

TEST_F(EditCtrlTest, PastingIntoNumericBoxUsesFixedFormAndItsLength)
{
    OpenEditor(INPUTSTYLE_NUMBER, L"1");
    SetClipboardText(host, L"3.5");
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('V');
    }
    EXPECT_EQ(L"3.500000", WindowText(edit));
    EXPECT_EQ(CString(L"3.500000"), edit.GetText());
    EXPECT_EQ(8, edit.GetTextLimit());

    ::SendMessageW(edit, EM_SETSEL, 8, 8);
    PressKey('1');  // already at the pasted length
    EXPECT_EQ(L"3.500000", WindowText(edit));
}

TEST_F(EditCtrlTest, PastingTextAndNonsense)
{
    OpenEditor(INPUTSTYLE_TEXT, L"old");
    SetClipboardText(host, L"pasted words");
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('V');
    }
    EXPECT_EQ(L"pasted words", WindowText(edit));
    EXPECT_EQ(12, edit.GetTextLimit());
    edit.DestroyWindow();

    OpenEditor(INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"9");
    SetClipboardText(host, L"not a number");
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('V');
    }
    EXPECT_EQ(L"0.000000", WindowText(edit));
}

TEST_F(EditCtrlTest, CopyAndCutGoThroughTheClipboard)
{
    OpenEditor(INPUTSTYLE_TEXT, L"copy me");
    SetClipboardText(host, L"");
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('C');
    }
    EXPECT_EQ(L"copy me", ClipboardText(host));
    EXPECT_EQ(L"copy me", WindowText(edit));

    ::SendMessageW(edit, EM_SETSEL, 0, 5);
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('X');
    }
    EXPECT_EQ(L"copy ", ClipboardText(host));
    EXPECT_EQ(L"me", WindowText(edit));
}

TEST_F(EditCtrlTest, EscapeKeyCommitsButEscapeCharacterRestores)
{
    OpenEditor(INPUTSTYLE_TEXT, L"abc");
    TypeKeys({'X', 'Y'});
    PressKey(VK_ESCAPE);
    EXPECT_FALSE(edit.IsWindow());
    ASSERT_EQ(1u, Endings().size());
    EXPECT_EQ(CString(L"xy"), edit.GetText());

    // The object is reused for the next edit; this time Escape arrives as a character.
    host.Clear();
    OpenEditor(INPUTSTYLE_TEXT, L"abc");
    TypeKeys({'Q'});
    edit.SendMessage(WM_CHAR, VK_ESCAPE, 1);
    EXPECT_FALSE(edit.IsWindow());
    ASSERT_EQ(1u, Endings().size());
    EXPECT_EQ(CString(L"abc"), edit.GetText());
    EXPECT_EQ(host.m_hWnd, ::GetFocus());
}

TEST_F(EditCtrlTest, ValueFollowsTheInputStyle)
{
    struct Case {
        DWORD style;
        const wchar_t* text;
        float value;
    } cases[] = {
        {INPUTSTYLE_TEXT, L"42", 0.0f},
        {INPUTSTYLE_NUMBER, L"-3.25", -3.25f},
        {INPUTSTYLE_INTEGER, L"42.9", 42.0f},
        {INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"17", 17.0f},
    };
    for (const Case& c : cases) {
        OpenEditor(c.style, c.text);
        host.SetFocus();  // a click elsewhere
        EXPECT_FALSE(edit.IsWindow()) << c.text;
        auto endings = Endings();
        ASSERT_EQ(1u, endings.size()) << c.text;
        EXPECT_FLOAT_EQ(c.value, endings[0].value) << c.text;
        EXPECT_EQ(CString(c.text), edit.GetText());
    }
}

TEST_F(EditCtrlTest, NumbersAreFormattedAsIntegerOrFixed)
{
    edit.ModifyInputStyle(INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
    edit.SetNumber(125.7f);
    EXPECT_EQ(CString(L"125"), edit.GetText());
    edit.SetNumber(-3.9f);
    EXPECT_EQ(CString(L"-3"), edit.GetText());
    edit.SetNumber(1e30f);  // saturates instead of wrapping
    EXPECT_EQ(CString(L"2147483647"), edit.GetText());

    edit.ModifyInputStyle(INPUTSTYLE_NUMBER);
    edit.SetNumber(3.5f);
    EXPECT_EQ(CString(L"3.500000"), edit.GetText());
    edit.SetNumber(-0.25f);
    EXPECT_EQ(CString(L"-0.250000"), edit.GetText());

    OpenEditor(INPUTSTYLE_NUMBER, L"1");
    edit.SetNumber(12.0f);
    EXPECT_EQ(L"12.000000", WindowText(edit));
}

TEST_F(EditCtrlTest, DoubleClickShowsTheDefaultValueOnlyWhenEnabled)
{
    edit.SetDefaultValue(2.5f);
    OpenEditor(INPUTSTYLE_NUMBER, L"9");
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(L"9", WindowText(edit));

    edit.EnableDblClk(TRUE);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(L"2.500000", WindowText(edit));
    EXPECT_EQ(CString(L"9"), edit.GetText());

    edit.DestroyWindow();
    OpenEditor(INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"9");
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(L"2", WindowText(edit));
}

TEST_F(EditCtrlTest, BoxGrowsRightWhileTypingAndStopsAtTheParentMargin)
{
    CRect parent;
    host.GetClientRect(&parent);
    const int margin = getdefaultMetrics(DEFMETRICS_EDITMARGIN);
    const CRect start(parent.right - 120, 20, parent.right - 90, 42);
    edit.ModifyInputStyle(INPUTSTYLE_TEXT);
    edit.SetText(L"", -1);
    edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, start, &host, kEditorId);
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);

    auto boxRect = [&] {
        CRect r;
        edit.GetWindowRect(&r);
        host.ScreenToClient(&r);
        return r;
    };
    int lastRight = start.right;
    bool grew = false;
    for (int i = 0; i < 40; ++i) {
        PressKey('W');
        CRect r = boxRect();
        EXPECT_EQ(start.left, r.left);
        EXPECT_EQ(start.top, r.top);
        EXPECT_EQ(start.Height(), r.Height());
        EXPECT_GE(r.right, lastRight);
        EXPECT_LE(r.right, parent.right - margin);
        grew = grew || r.right > start.right;
        lastRight = r.right;
    }
    EXPECT_TRUE(grew);
    EXPECT_EQ(parent.right - margin, lastRight);
    EXPECT_EQ(40, edit.GetWindowTextLength());
}

TEST_F(EditCtrlTest, ColoursComeFromTheBoxThroughReflection)
{
    const COLORREF red = RGB(200, 0, 0);
    edit.SetColor(red);
    OpenEditor(INPUTSTYLE_TEXT, L"");
    edit.Invalidate();
    ClientCapture shot(edit);
    CRect client;
    edit.GetClientRect(&client);
    EXPECT_EQ(red, shot.At(client.right - 3, client.bottom / 2));

    // What the parent answers for the box is the box's own brush; the theme background colour
    // brings back the theme's brush.
    HDC dc = ::GetDC(edit);
    auto brushFor = [&] {
        return reinterpret_cast<HBRUSH>(host.SendMessage(WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                                                         reinterpret_cast<LPARAM>(edit.m_hWnd)));
    };
    HBRUSH own = brushFor();
    EXPECT_NE(getdefaultHBrush(), own);
    EXPECT_EQ(getdefaultColor(DEFCLR_EDITTEXT), ::GetTextColor(dc));
    edit.SetColor(getdefaultColor(DEFCLR_BK));
    EXPECT_EQ(getdefaultHBrush(), brushFor());
    EXPECT_EQ(0u, ::GetObjectType(own));  // freed
    ::ReleaseDC(edit, dc);
}

TEST_F(EditCtrlTest, BestEditRectCentresTheTextLineInTheCell)
{
    host.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), FALSE);
    CRect cell(10, 10, 110, 40);
    CRect rc;
    CEditCtrl::GetBestEditRect(&host, cell, rc);
    EXPECT_EQ(13, rc.left);
    EXPECT_EQ(107, rc.right);
    EXPECT_EQ(rc.top - cell.top, cell.bottom - rc.bottom);
    EXPECT_GT(rc.Height(), 0);

    CEditCtrl::GetBestEditRect(nullptr, cell, rc);  // no window: the screen's font, no crash
    EXPECT_EQ(13, rc.left);
}

}  // namespace
