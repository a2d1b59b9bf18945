// The in-place editor driven as a user drives it: keys through the host's loop, the clipboard,
// the focus moving away; checks what the parent is told and what the box shows.
#include "Keyboard.h"
#include <KestrelEdit.h>

using namespace kx;

namespace {

constexpr UINT kEditorId = 7995;
const CRect kCell(20, 20, 140, 42);

::testing::Environment* const g_library = ::testing::AddGlobalTestEnvironment(new LibraryEnvironment);

// Metrics of the font the window reports (WM_GETFONT).
TEXTMETRICW FontMetrics(HWND h)
{
    TEXTMETRICW tm{};
    HDC dc = ::GetDC(h);
    HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(h, WM_GETFONT, 0, 0)));
    ::GetTextMetricsW(dc, &tm);
    ::SelectObject(dc, old);
    ::ReleaseDC(h, dc);
    return tm;
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

    // Opens the editor over a cell in the theme's font, as the numeric controls do.
    void OpenEditor(DWORD inputStyle, const wchar_t* text, int limit = -1, DWORD style = 0, const CRect& cell = kCell)
    {
        edit.ModifyInputStyle(inputStyle);
        edit.SetText(text, limit);
        EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | style, cell, &host, kEditorId));
        ASSERT_TRUE(edit.IsWindow());
        edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);
        PumpMessages();
        host.Clear();
    }

    CRect BoxRect() const
    {
        CRect r;
        edit.GetWindowRect(&r);
        host.ScreenToClient(&r);
        return r;
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

TEST_F(EditCtrlTest, IntegerBoxTakesOnlyDigitsAndCommitsOnTab)
{
    OpenEditor(INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER, L"0");
    TypeKeys({'1', 'A', '2', VK_OEM_PERIOD});
    {
        HeldKeys shift{VK_SHIFT};
        PressKey('5');  // '%'
    }
    PressKey('5');
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

TEST_F(EditCtrlTest, FullBoxRefusesCharactersButDeleteStillWorks)
{
    OpenEditor(INPUTSTYLE_NUMBER, L"123", 3);
    PressKey('4');
    PressKey(VK_BACK);
    EXPECT_EQ(L"123", WindowText(edit));

    PressKey(VK_DELETE);  // a key, not a character: clears the text Create selected
    EXPECT_EQ(L"", WindowText(edit));
    TypeKeys({'4', '5', '6', '7'});
    EXPECT_EQ(L"456", WindowText(edit));
}

TEST_F(EditCtrlTest, CutThenPasteBackTakesTheFixedFormAndItsLengthAsLimit)
{
    auto ctrlKey = [](UINT vk) {
        HeldKeys ctrl{VK_CONTROL};
        PressKey(vk);
    };
    OpenEditor(INPUTSTYLE_NUMBER, L"3.5");  // all selected
    ctrlKey('X');
    EXPECT_EQ(L"3.5", ClipboardText(host));
    EXPECT_EQ(L"", WindowText(edit));
    ctrlKey('V');
    EXPECT_EQ(L"3.500000", WindowText(edit));
    EXPECT_EQ(CString(L"3.500000"), edit.GetText());
    EXPECT_EQ(8, edit.GetTextLimit());
    ::SendMessageW(edit, EM_SETSEL, 8, 8);
    PressKey('1');  // already at the pasted length
    EXPECT_EQ(L"3.500000", WindowText(edit));

    // A text box takes the clipboard as it is.
    host.SetFocus();
    OpenEditor(INPUTSTYLE_TEXT, L"");
    ctrlKey('V');
    EXPECT_EQ(L"3.5", WindowText(edit));
    EXPECT_EQ(3, edit.GetTextLimit());
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
    edit.SetNumber(-3.9f);
    EXPECT_EQ(CString(L"-3"), edit.GetText());
    edit.SetNumber(1e30f);  // saturates instead of wrapping
    EXPECT_EQ(CString(L"2147483647"), edit.GetText());
    edit.ModifyInputStyle(INPUTSTYLE_NUMBER);
    edit.SetNumber(-0.25f);
    EXPECT_EQ(CString(L"-0.250000"), edit.GetText());

    // A double-click shows the default value in the same form, once enabled.
    edit.SetDefaultValue(2.5f);
    OpenEditor(INPUTSTYLE_NUMBER, L"9");
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(L"9", WindowText(edit));
    edit.EnableDblClk(TRUE);
    edit.SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, PointParam(5, 5));
    EXPECT_EQ(L"2.500000", WindowText(edit));
    EXPECT_EQ(CString(L"9"), edit.GetText());
}

TEST_F(EditCtrlTest, BoxGrowsRightWhileTypingAndStopsAtTheParentMargin)
{
    CRect parent;
    host.GetClientRect(&parent);
    const int margin = getdefaultMetrics(DEFMETRICS_EDITMARGIN);
    const CRect start(parent.right - 120, 20, parent.right - 90, 42);
    OpenEditor(INPUTSTYLE_TEXT, L"", -1, 0, start);

    int lastRight = start.right;
    for (int i = 0; i < 40; ++i) {
        PressKey('W');
        const CRect r = BoxRect();
        ASSERT_EQ(start.left, r.left);
        ASSERT_EQ(start.Height(), r.Height());
        ASSERT_GE(r.right, lastRight);
        lastRight = r.right;
    }
    EXPECT_EQ(parent.right - margin, lastRight);  // grew, and stopped at the margin
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

TEST_F(EditCtrlTest, MultiLineBoxGrowsALineOnReturnWhileThereIsRoom)
{
    CRect parent;
    host.GetClientRect(&parent);
    const int margin = getdefaultMetrics(DEFMETRICS_EDITMARGIN);
    struct Case {
        DWORD style;
        int top;
        bool grows;
    } cases[] = {
        {0, 20, true},
        {WS_HSCROLL, 20, true},  // the scroll bar's room is kept on top of the new line
        {0, parent.bottom - margin - 30, false},
    };
    for (const Case& c : cases) {
        const CRect start(20, c.top, 200, c.top + 24);
        OpenEditor(INPUTSTYLE_TEXT, L"", -1, ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | c.style, start);
        TypeKeys({'A', VK_RETURN});
        ASSERT_TRUE(edit.IsWindow()) << c.style;  // Return stays in a box that wants it
        EXPECT_EQ(L"a\r\n", WindowText(edit));
        const int line = c.grows ? FontMetrics(edit).tmHeight : 0;
        EXPECT_EQ(CRect(start.left, start.top, start.right, start.bottom + line), BoxRect()) << c.style;
        edit.DestroyWindow();
    }
}

TEST_F(EditCtrlTest, BadInputIsHarmless)
{
    edit.SetText(nullptr, 4);
    EXPECT_EQ(CString(L""), edit.GetText());
    EXPECT_EQ(4, edit.GetTextLimit());
    EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, kCell, nullptr, kEditorId));  // a child needs a parent
    EXPECT_FALSE(edit.IsWindow());
    EXPECT_FALSE(edit.PreTranslateMessage(nullptr));
    CRect cell(0, 0, 40, 8), edited;
    CEditCtrl::GetBestEditRect(nullptr, cell, edited);  // measures with the screen's font
    EXPECT_EQ(3, edited.left);

    // A colour request without a device context still gets the brush.
    OpenEditor(INPUTSTYLE_TEXT, L"x");
    EXPECT_EQ(reinterpret_cast<LRESULT>(getdefaultHBrush()),
              host.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(edit.m_hWnd)));

    // The parent going away mid-edit takes the box with it.
    host.Close();
    EXPECT_FALSE(edit.IsWindow());
}

TEST_F(EditCtrlTest, BestEditRectCentresTheTextLineInTheCell)
{
    OpenEditor(INPUTSTYLE_TEXT, L"");
    const TEXTMETRICW tm = FontMetrics(edit);
    // Room for the line and the box's frame, and 5 pixels to spare above and below.
    CRect cell(10, 50, 110, 50 + tm.tmHeight + tm.tmExternalLeading + 4 + 10);
    CRect edited;
    CEditCtrl::GetBestEditRect(&edit, cell, edited);
    EXPECT_EQ(CRect(13, 55, 107, cell.bottom - 5), edited);
}

}  // namespace
