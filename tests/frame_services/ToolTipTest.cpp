// The tooltip as a host drives it: begin, show and move, end; seen through its window.
#include "Harness.h"
#include <KestrelToolTip.h>
#include <string>

namespace {

const COLORREF kPaleYellow = RGB(255, 255, 225);

// One test program runs at a time, so the only tip on the desktop is this program's.
HWND FindTip()
{
    return ::FindWindowW(L"CToolTipWnd", nullptr);
}

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
        ASSERT_EQ(1, InitToolTip());
        tip = FindTip();
        ASSERT_NE(nullptr, tip);
        BeginToolTip(0);
    }
    void TearDown() override
    {
        EXPECT_EQ(1, ExitToolTip());
        EXPECT_EQ(nullptr, FindTip());
    }

    CRect TipRect() const
    {
        CRect r;
        ::GetWindowRect(tip, &r);
        return r;
    }
    // Where a text shown at pt must sit: its extent on the tip's own context plus 8 each way.
    CRect Expected(const wchar_t* text, CPoint pt) const
    {
        HDC dc = ::GetDC(tip);
        SIZE s{};
        ::GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &s);
        ::ReleaseDC(tip, dc);
        return CRect(pt.x, pt.y, pt.x + s.cx + 8, pt.y + s.cy + 8);
    }
    COLORREF Background() const
    {
        kx::PumpMessages();
        return kx::ClientCapture(tip).At(0, 0);
    }

    static kx::HostWindow* host;
    HWND tip = nullptr;
};

kx::HostWindow* ToolTipTest::host = nullptr;

TEST_F(ToolTipTest, WindowIsAHiddenTopLevelPopupThatOnlyExitRemoves)
{
    EXPECT_EQ(0x823u, static_cast<UINT>(::GetClassLongPtrW(tip, GCL_STYLE)));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_BORDER), style & (WS_POPUP | WS_BORDER | WS_CHILD | WS_CAPTION | WS_VISIBLE));
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    EXPECT_EQ(nullptr, ::GetParent(tip));
    EXPECT_STREQ(L"", GetToolTipText());
    EXPECT_EQ(1, InitToolTip());  // a second start-up keeps the one tip
    EXPECT_EQ(tip, FindTip());

    // Without a tip every call does nothing.
    EXPECT_EQ(1, ExitToolTip());
    EXPECT_EQ(nullptr, FindTip());
    BeginToolTip(RGB(1, 2, 3));
    tooltip_string(L"nobody", CPoint(5, 5));
    EndToolTip();
    EXPECT_EQ(nullptr, GetToolTipText());
    EXPECT_EQ(nullptr, FindTip());
}

TEST_F(ToolTipTest, TextIsShownAtThePointSizedToItsExtentWithoutTakingFocus)
{
    const HWND active = ::GetActiveWindow(), focus = ::GetFocus();
    tooltip_string(L"Gain: 12 dB", CPoint(500, 400));
    EXPECT_TRUE(::IsWindowVisible(tip));
    EXPECT_EQ(Expected(L"Gain: 12 dB", CPoint(500, 400)), TipRect());
    EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_STREQ(L"Gain: 12 dB", GetToolTipText());
    EXPECT_EQ(active, ::GetActiveWindow());
    EXPECT_EQ(focus, ::GetFocus());
    // BeginToolTip(0) paints the default pale yellow behind the text.
    EXPECT_EQ(kPaleYellow, Background());
}

TEST_F(ToolTipTest, EqualLengthTextOnlyMovesOtherLengthsResize)
{
    tooltip_string(L"iiii", CPoint(50, 60));
    const CRect first = TipRect();
    EXPECT_EQ(Expected(L"iiii", CPoint(50, 60)), first);
    // Same length, wider letters: moved, the size kept.
    tooltip_string(L"WWWW", CPoint(70, 90));
    EXPECT_EQ(CRect(CPoint(70, 90), first.Size()), TipRect());
    EXPECT_STREQ(L"WWWW", GetToolTipText());

    tooltip_string(L"WWWWWWWW", CPoint(10, 20));
    const CRect resized = Expected(L"WWWWWWWW", CPoint(10, 20));
    EXPECT_EQ(resized, TipRect());

    tooltip_string(nullptr, CPoint(200, 200));
    EXPECT_EQ(resized, TipRect());
    EXPECT_STREQ(L"WWWWWWWW", GetToolTipText());

    // A 300-character text keeps its first 259.
    std::wstring text(300, L'x');
    text[258] = L'y';
    text[259] = L'z';
    tooltip_string(text.c_str(), CPoint(0, 0));
    EXPECT_EQ(text.substr(0, 259), std::wstring(GetToolTipText()));
}

TEST_F(ToolTipTest, BackgroundColourFollowsBegin)
{
    BeginToolTip(RGB(20, 40, 60));
    tooltip_string(L"dark", CPoint(500, 400));
    EXPECT_EQ(RGB(20, 40, 60), Background());
    // A new begin clears the text, so the next one of the same length is measured again.
    BeginToolTip(0);
    EXPECT_STREQ(L"", GetToolTipText());
    tooltip_string(L"pale", CPoint(600, 450));
    EXPECT_EQ(Expected(L"pale", CPoint(600, 450)), TipRect());
    EXPECT_EQ(kPaleYellow, Background());
}

TEST_F(ToolTipTest, EndAndDeactivationHideAndClear)
{
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

}  // namespace
