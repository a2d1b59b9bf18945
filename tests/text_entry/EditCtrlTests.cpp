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

TEST_F(EditCtrlTest, CutGoesThroughTheClipboard)
{
    OpenEditor(INPUTSTYLE_TEXT, L"cut me");
    ::SendMessageW(edit, EM_SETSEL, 0, 4);
    {
        HeldKeys ctrl{VK_CONTROL};
        PressKey('X');
    }
    EXPECT_EQ(L"cut ", ClipboardText(host));
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
    edit.ModifyInputStyle(INPUTSTYLE_TEXT);
    edit.SetText(L"", -1);
    edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, start, &host, kEditorId);
    edit.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(getdefaultHFont()), TRUE);

    int lastRight = start.right;
    for (int i = 0; i < 40; ++i) {
        PressKey('W');
        CRect r;
        edit.GetWindowRect(&r);
        host.ScreenToClient(&r);
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

TEST_F(EditCtrlTest, BadInputIsHarmless)
{
    edit.SetText(nullptr, 4);
    EXPECT_EQ(CString(L""), edit.GetText());
    EXPECT_EQ(4, edit.GetTextLimit());
    EXPECT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE, kCell, nullptr, kEditorId));  // a child needs a parent
    EXPECT_FALSE(edit.IsWindow());
    EXPECT_FALSE(edit.PreTranslateMessage(nullptr));

    // A colour request without a device context still gets the brush.
    OpenEditor(INPUTSTYLE_TEXT, L"x");
    EXPECT_EQ(reinterpret_cast<LRESULT>(getdefaultHBrush()),
              host.SendMessage(WM_CTLCOLOREDIT, 0, reinterpret_cast<LPARAM>(edit.m_hWnd)));

    // The parent going away mid-edit takes the box with it.
    host.Close();
    EXPECT_FALSE(edit.IsWindow());
}

}  // namespace
