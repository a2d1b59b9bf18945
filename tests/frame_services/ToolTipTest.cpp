// The tooltip as a host drives it: begin, show and move, end; seen through its window.
#include "Harness.h"
#include <KestrelToolTip.h>
#include <string>

namespace {

const COLORREF kPaleYellow = RGB(255, 255, 225);

class ToolTipTest : public ::testing::Test {
protected:
    // One active host for the suite: the tip must never take the activation from it.
    static void SetUpTestSuite()
    {
        InitCommonFunc();
        host = new kx::HostWindow;
        host->Open(300, 200);
    }
    static void TearDownTestSuite()
    {
        delete host;
        host = nullptr;
        ExitCommonFunc();
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, host->m_hWnd);
        ASSERT_EQ(1, InitToolTip());
        tip = ::FindWindowW(L"CToolTipWnd", nullptr);
        ASSERT_NE(nullptr, tip);
    }
    void TearDown() override
    {
        EXPECT_EQ(1, ExitToolTip());
        EXPECT_EQ(nullptr, ::FindWindowW(L"CToolTipWnd", nullptr));
    }

    CRect TipRect() const
    {
        CRect r;
        ::GetWindowRect(tip, &r);
        return r;
    }
    // The size a text gets: its extent on the tip's own context plus 8 each way.
    CSize Expected(const wchar_t* text) const
    {
        HDC dc = ::GetDC(tip);
        SIZE s{};
        ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &s);
        ::ReleaseDC(tip, dc);
        return CSize(s.cx + 8, s.cy + 8);
    }

    static kx::HostWindow* host;
    HWND tip = nullptr;
};

kx::HostWindow* ToolTipTest::host = nullptr;

TEST_F(ToolTipTest, WindowIsAHiddenBorderedTopLevelPopup)
{
    EXPECT_EQ(0x823u, static_cast<UINT>(::GetClassLongPtrW(tip, GCL_STYLE)));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_BORDER), style & (WS_POPUP | WS_BORDER | WS_CHILD | WS_CAPTION));
    EXPECT_FALSE(style & WS_VISIBLE);
    const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_EQ(nullptr, ::GetParent(tip));
    EXPECT_EQ(0, ::GetWindowTextLengthW(tip));
    EXPECT_STREQ(L"", GetToolTipText());
    // A second start-up keeps the one tip.
    EXPECT_EQ(1, InitToolTip());
    EXPECT_EQ(tip, ::FindWindowW(L"CToolTipWnd", nullptr));
}

TEST_F(ToolTipTest, TextIsShownAtThePointSizedToItsExtentWithoutTakingFocus)
{
    HWND active = ::GetActiveWindow(), focus = ::GetFocus();
    BeginToolTip(0);
    tooltip_string(L"Gain: 12 dB", CPoint(100, 120));
    kx::PumpMessages();
    EXPECT_TRUE(::IsWindowVisible(tip));
    const CSize size = Expected(L"Gain: 12 dB");
    EXPECT_EQ(CRect(100, 120, 100 + size.cx, 120 + size.cy), TipRect());
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_STREQ(L"Gain: 12 dB", GetToolTipText());
    EXPECT_EQ(active, ::GetActiveWindow());
    EXPECT_EQ(focus, ::GetFocus());
    // BeginToolTip(0) paints the default pale yellow behind the text.
    kx::ClientCapture pixels(tip);
    EXPECT_EQ(kPaleYellow, pixels.At(0, 0));
    EXPECT_EQ(kPaleYellow, pixels.At(pixels.Width() - 1, pixels.Height() - 1));
}

TEST_F(ToolTipTest, EqualLengthTextOnlyMovesOtherLengthsResize)
{
    BeginToolTip(0);
    tooltip_string(L"iiii", CPoint(50, 60));
    const CRect first = TipRect();
    tooltip_string(L"WWWW", CPoint(70, 90));
    EXPECT_EQ(CRect(70, 90, 70 + first.Width(), 90 + first.Height()), TipRect());
    EXPECT_STREQ(L"WWWW", GetToolTipText());

    tooltip_string(L"WWWWWWWW", CPoint(10, 20));
    const CSize size = Expected(L"WWWWWWWW");
    EXPECT_EQ(CRect(10, 20, 10 + size.cx, 20 + size.cy), TipRect());

    tooltip_string(nullptr, CPoint(200, 200));
    EXPECT_EQ(CRect(10, 20, 10 + size.cx, 20 + size.cy), TipRect());
    EXPECT_STREQ(L"WWWWWWWW", GetToolTipText());
}

TEST_F(ToolTipTest, LongTextKeepsItsFirst259Characters)
{
    BeginToolTip(0);
    std::wstring text(300, L'x');
    text[258] = L'y';
    text[259] = L'z';
    tooltip_string(text.c_str(), CPoint(0, 0));
    EXPECT_EQ(text.substr(0, 259), std::wstring(GetToolTipText()));
}

TEST_F(ToolTipTest, BackgroundColourFollowsBegin)
{
    BeginToolTip(RGB(20, 40, 60));
    tooltip_string(L"dark", CPoint(40, 40));
    kx::PumpMessages();
    kx::ClientCapture dark(tip);
    EXPECT_EQ(RGB(20, 40, 60), dark.At(0, 0));
    // A new begin clears the text: the same-length rule does not apply to the next one.
    BeginToolTip(0);
    EXPECT_STREQ(L"", GetToolTipText());
    tooltip_string(L"pale", CPoint(40, 40));
    kx::PumpMessages();
    kx::ClientCapture pale(tip);
    EXPECT_EQ(kPaleYellow, pale.At(0, 0));
}

TEST_F(ToolTipTest, EndAndDeactivationHideAndClear)
{
    BeginToolTip(0);
    tooltip_string(L"shown", CPoint(30, 30));
    EndToolTip();
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_STREQ(L"", GetToolTipText());

    BeginToolTip(0);
    tooltip_string(L"shown", CPoint(30, 30));
    ::SendMessageW(tip, WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_STREQ(L"shown", GetToolTipText());
    ::SendMessageW(tip, WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_FALSE(::IsWindowVisible(tip));
    EXPECT_STREQ(L"", GetToolTipText());
}

TEST(ToolTipWithoutWindowTest, CallsWithoutATipDoNothing)
{
    ASSERT_EQ(nullptr, ::FindWindowW(L"CToolTipWnd", nullptr));
    BeginToolTip(RGB(1, 2, 3));
    tooltip_string(L"nobody", CPoint(5, 5));
    EndToolTip();
    EXPECT_EQ(nullptr, GetToolTipText());
    EXPECT_EQ(1, ExitToolTip());
    EXPECT_EQ(nullptr, ::FindWindowW(L"CToolTipWnd", nullptr));
}

}  // namespace
