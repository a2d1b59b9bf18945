// The tooltip as a host drives it: begin, show and move, end; seen through its window.
#include "Harness.h"
#include <KestrelToolTip.h>
#include <gtest/gtest-spi.h>
#include <string>

namespace {

const COLORREF kPaleYellow = RGB(255, 255, 225);
// lParam of the WM_ACTIVATEAPP a test sends itself, told apart from the system's.
constexpr LPARAM kScriptedSwitch = 0x5C17;
constexpr int kAttempts = 5;

// Other programs of the same Wine session may take the foreground while a test runs; that
// deactivates this application and, as it should, hides the tip. Such switches are counted.
int g_switchesAway = 0;

LRESULT CALLBACK WatchActivation(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_ACTIVATEAPP && !msg->wParam && msg->lParam != kScriptedSwitch)
        ++g_switchesAway;
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK MatchTip(HWND h, LPARAM found)
{
    wchar_t name[32] = {};
    ::GetClassNameW(h, name, 32);
    if (std::wstring(name) != L"CToolTipWnd") return TRUE;
    *reinterpret_cast<HWND*>(found) = h;
    return FALSE;
}

// The tip of this thread (another test program may have one of its own).
HWND OwnTip()
{
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchTip, reinterpret_cast<LPARAM>(&found));
    return found;
}

class ToolTipTest : public ::testing::Test {
protected:
    // One active host for the suite: the tip must never take the activation from it.
    static void SetUpTestSuite()
    {
        InitCommonFunc();
        host = new kx::HostWindow;
        host->Open(300, 200);
        hook = ::SetWindowsHookExW(WH_CALLWNDPROC, WatchActivation, nullptr, ::GetCurrentThreadId());
    }
    static void TearDownTestSuite()
    {
        if (hook) ::UnhookWindowsHookEx(hook);
        hook = nullptr;
        delete host;
        host = nullptr;
        ExitCommonFunc();
    }

    void SetUp() override
    {
        ASSERT_NE(nullptr, host->m_hWnd);
        ASSERT_EQ(1, InitToolTip());
        tip = OwnTip();
        ASSERT_NE(nullptr, tip);
    }
    void TearDown() override
    {
        EXPECT_EQ(1, ExitToolTip());
        EXPECT_EQ(nullptr, OwnTip());
    }

    // Runs the scenario with the host in the foreground, again when another program took
    // the foreground meanwhile; the failures of the last attempt are the ones reported.
    template <class Scenario> void Undisturbed(Scenario scenario)
    {
        for (int attempt = 1;; ++attempt) {
            EndToolTip();
            host->SetForegroundWindow();
            kx::PumpMessages();
            g_switchesAway = 0;
            ::testing::TestPartResultArray results;
            {
                ::testing::ScopedFakeTestPartResultReporter intercept(
                    ::testing::ScopedFakeTestPartResultReporter::INTERCEPT_ONLY_CURRENT_THREAD, &results);
                scenario();
            }
            if (g_switchesAway != 0 && attempt < kAttempts) continue;
            for (int i = 0; i < results.size(); ++i) {
                const ::testing::TestPartResult& r = results.GetTestPartResult(i);
                ADD_FAILURE_AT(r.file_name() ? r.file_name() : "", r.line_number()) << r.message();
            }
            return;
        }
    }

    // A quiet corner of the screen: windows of other test programs open near the top left
    // and would clip the tip's pixels.
    static CPoint Spot(int dx, int dy)
    {
        return CPoint(::GetSystemMetrics(SM_CXSCREEN) - 400 + dx, ::GetSystemMetrics(SM_CYSCREEN) - 200 + dy);
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
    static HHOOK hook;
    HWND tip = nullptr;
};

kx::HostWindow* ToolTipTest::host = nullptr;
HHOOK ToolTipTest::hook = nullptr;

TEST_F(ToolTipTest, WindowIsAHiddenBorderedTopLevelPopup)
{
    EXPECT_EQ(0x823u, static_cast<UINT>(::GetClassLongPtrW(tip, GCL_STYLE)));
    const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_STYLE));
    EXPECT_EQ(static_cast<DWORD>(WS_POPUP | WS_BORDER), style & (WS_POPUP | WS_BORDER | WS_CHILD | WS_CAPTION));
    EXPECT_FALSE(style & WS_VISIBLE);
    const DWORD ex = static_cast<DWORD>(::GetWindowLongPtrW(tip, GWL_EXSTYLE));
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_EQ(nullptr, ::GetParent(tip));
    EXPECT_STREQ(L"", GetToolTipText());
    // A second start-up keeps the one tip.
    EXPECT_EQ(1, InitToolTip());
    EXPECT_EQ(tip, OwnTip());
}

TEST_F(ToolTipTest, TextIsShownAtThePointSizedToItsExtentWithoutTakingFocus)
{
    Undisturbed([&] {
        HWND active = ::GetActiveWindow(), focus = ::GetFocus();
        BeginToolTip(0);
        const CPoint at = Spot(10, 20);
        tooltip_string(L"Gain: 12 dB", at);
        kx::PumpMessages();
        EXPECT_TRUE(::IsWindowVisible(tip));
        const CSize size = Expected(L"Gain: 12 dB");
        EXPECT_EQ(CRect(at.x, at.y, at.x + size.cx, at.y + size.cy), TipRect());
        EXPECT_TRUE(::GetWindowLongPtrW(tip, GWL_EXSTYLE) & WS_EX_TOPMOST);
        EXPECT_STREQ(L"Gain: 12 dB", GetToolTipText());
        EXPECT_EQ(active, ::GetActiveWindow());
        EXPECT_EQ(focus, ::GetFocus());
        // BeginToolTip(0) paints the default pale yellow behind the text.
        kx::ClientCapture pixels(tip);
        EXPECT_EQ(kPaleYellow, pixels.At(0, 0));
        EXPECT_EQ(kPaleYellow, pixels.At(pixels.Width() - 1, pixels.Height() - 1));
    });
}

TEST_F(ToolTipTest, EqualLengthTextOnlyMovesOtherLengthsResize)
{
    Undisturbed([&] {
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
    });
}

TEST_F(ToolTipTest, LongTextKeepsItsFirst259Characters)
{
    Undisturbed([&] {
        BeginToolTip(0);
        std::wstring text(300, L'x');
        text[258] = L'y';
        text[259] = L'z';
        tooltip_string(text.c_str(), CPoint(0, 0));
        EXPECT_EQ(text.substr(0, 259), std::wstring(GetToolTipText()));
    });
}

TEST_F(ToolTipTest, BackgroundColourFollowsBegin)
{
    Undisturbed([&] {
        BeginToolTip(RGB(20, 40, 60));
        tooltip_string(L"dark", Spot(0, 0));
        kx::PumpMessages();
        kx::ClientCapture dark(tip);
        EXPECT_EQ(RGB(20, 40, 60), dark.At(0, 0));
        // A new begin clears the text: the same-length rule does not apply to the next one.
        BeginToolTip(0);
        EXPECT_STREQ(L"", GetToolTipText());
        tooltip_string(L"pale", Spot(0, 0));
        kx::PumpMessages();
        kx::ClientCapture pale(tip);
        EXPECT_EQ(kPaleYellow, pale.At(0, 0));
    });
}

TEST_F(ToolTipTest, EndAndDeactivationHideAndClear)
{
    Undisturbed([&] {
        BeginToolTip(0);
        tooltip_string(L"shown", CPoint(30, 30));
        EndToolTip();
        EXPECT_FALSE(::IsWindowVisible(tip));
        EXPECT_STREQ(L"", GetToolTipText());

        BeginToolTip(0);
        tooltip_string(L"shown", CPoint(30, 30));
        ::SendMessageW(tip, WM_ACTIVATEAPP, TRUE, kScriptedSwitch);
        EXPECT_TRUE(::IsWindowVisible(tip));
        EXPECT_STREQ(L"shown", GetToolTipText());
        ::SendMessageW(tip, WM_ACTIVATEAPP, FALSE, kScriptedSwitch);
        EXPECT_FALSE(::IsWindowVisible(tip));
        EXPECT_STREQ(L"", GetToolTipText());
    });
}

TEST(ToolTipWithoutWindowTest, CallsWithoutATipDoNothing)
{
    ASSERT_EQ(nullptr, OwnTip());
    BeginToolTip(RGB(1, 2, 3));
    tooltip_string(L"nobody", CPoint(5, 5));
    EndToolTip();
    EXPECT_EQ(nullptr, GetToolTipText());
    EXPECT_EQ(1, ExitToolTip());
    EXPECT_EQ(nullptr, OwnTip());
}

}  // namespace
