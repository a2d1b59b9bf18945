// The numeric label: its text as the number model writes and reads it, its look in each style,
// the hover repaint, and the drag, double-click, in-place editor and menu driven by input
// posted before the call that starts each loop.
#include "Harness.h"
#include <KestrelMenu.h>
#include <KestrelNumeric.h>
#include <functional>
#include <string>
#include <vector>

namespace {

// The menu of bounds needs the popup chain as well as the theme and the registry.
struct MenuEnvironment : kx::LibraryEnvironment {
    void SetUp() override { kx::LibraryEnvironment::SetUp(), InitMenu(); }
    void TearDown() override { ExitMenu(), kx::LibraryEnvironment::TearDown(); }
};
::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new MenuEnvironment);

constexpr UINT kLabelId = 200;
constexpr UINT kActionMessage = WM_APP + 11;
using Kinds = std::vector<UINT>;

// Opens the hover flag, counts paints and erases, and runs script actions.
class TestLabel : public CNumStatic {
public:
    int hover() const { return m_nHover; }
    int paints = 0, erases = 0;
    MSG Action(std::function<void()> action)
    {
        actions_.push_back(std::move(action));
        MSG m = kx::Msg(kActionMessage, 0, static_cast<LPARAM>(actions_.size() - 1));
        m.hwnd = m_hWnd;
        return m;
    }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) {
            actions_[static_cast<size_t>(lParam)]();
            return 0;
        }
        if (message == WM_PAINT) ++paints;
        if (message == WM_ERASEBKGND) ++erases;
        return CNumStatic::WindowProc(message, wParam, lParam);
    }

private:
    std::vector<std::function<void()>> actions_;
};

// Ends a loop that did not end by itself: drops the capture and presses Escape.
bool g_guardFired = false;
HWND g_guarded = nullptr;
struct LoopGuard {
    explicit LoopGuard(HWND target) { g_guarded = target; }
    ~LoopGuard() { ::KillTimer(nullptr, id); }
    static void CALLBACK Fire(HWND, UINT, UINT_PTR, DWORD)
    {
        g_guardFired = true;
        ::ReleaseCapture();
        ::PostMessageW(g_guarded, WM_KEYDOWN, VK_ESCAPE, 0);
    }
    UINT_PTR id = ::SetTimer(nullptr, 0, 3000, &LoopGuard::Fire);
};

void SetKeyDown(int vk, bool down)
{
    BYTE keys[256];
    ::GetKeyboardState(keys);
    keys[vk] = down ? 0x80 : 0;
    ::SetKeyboardState(keys);
}

class LabelTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override
    {
        SetKeyDown(VK_CONTROL, false);
        EXPECT_FALSE(g_guardFired);
        g_guardFired = false;
        label.DestroyWindow();
        host.Close();
    }
    void Create(DWORD style = 0, DWORD inputStyle = INPUTSTYLE_NUMBER, LPCWSTR text = L"0.00")
    {
        ASSERT_TRUE(label.Create(text, WS_VISIBLE | style, CRect(10, 10, 130, 34), &host, kLabelId, inputStyle));
        kx::PumpMessages();
        host.Clear();
    }
    std::wstring Text() const
    {
        wchar_t text[64] = {};
        ::GetWindowTextW(label.m_hWnd, text, 64);
        return text;
    }
    void SetText(LPCWSTR text) { ::SetWindowTextW(label.m_hWnd, text); }
    Kinds LabelKinds() const
    {
        Kinds kinds;
        for (const auto& m : host.log) {
            if (m.message != WM_NOTIFY) continue;
            const auto* nm = reinterpret_cast<const NMNUMSTATIC*>(m.record.data());
            EXPECT_EQ(nm->hdr.code, NUMSTATIC_NOTIFYCODE);
            EXPECT_EQ(nm->hdr.hwndFrom, label.m_hWnd);
            EXPECT_EQ(m.wParam, kLabelId);
            kinds.push_back(nm->kind);
        }
        return kinds;
    }
    static MSG MoveTo(int x, int y) { return kx::Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Up() { return kx::Msg(WM_LBUTTONUP, 0, kx::PointParam(20, 12)); }
    // A press at (20, 12) with the script already queued.
    void Drag(std::initializer_list<MSG> script)
    {
        LoopGuard guard(label.m_hWnd);
        kx::PostScript(label.m_hWnd, script);
        label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(20, 12));
    }
    void Menu(std::initializer_list<UINT> keys)
    {
        LoopGuard guard(label.m_hWnd);
        for (UINT key : keys) ::PostMessageW(label.m_hWnd, WM_KEYDOWN, key, 0);
        label.SendMessage(WM_RBUTTONUP, 0, kx::PointParam(20, 12));
    }
    HWND Editor() const { return ::GetDlgItem(label.m_hWnd, NUM_EDITBOX_ID); }

    kx::HostWindow host;
    TestLabel label;
};

TEST_F(LabelTest, TextIsWrittenAndReadThroughTheModel)
{
    Create();
    label.SetText(2.5f);
    EXPECT_EQ(Text(), L"2.50");
    label.SetText(150.0f);
    EXPECT_EQ(Text(), L"100.00");
    label.SetText(7);  // whole numbers ignore the decimals
    EXPECT_EQ(Text(), L"7");
    label.SetDicimalNum(0);
    EXPECT_EQ(label.GetEditBox().GetInputStyle(), INPUTSTYLE_NUMBER | INPUTSTYLE_INTEGER);
    label.SetText(2.5f);
    EXPECT_EQ(Text(), L"2");  // ties to even
    label.SetText(3.5f);
    EXPECT_EQ(Text(), L"4");

    // Reading clamps, and rewrites a text that was out of range; a non-number reads as 0.
    SetText(L"250");
    EXPECT_EQ(label.GetText(), 100.0f);
    EXPECT_EQ(Text(), L"100");
    SetText(L"-500");
    EXPECT_EQ(label.GetIntText(), -100);
    EXPECT_EQ(Text(), L"-500");  // GetIntText does not rewrite
    SetText(L"abc");
    EXPECT_EQ(label.GetText(), 0.0f);
    SetText(L"-7.9");
    EXPECT_EQ(label.GetIntText(), -7);

    // A new range rewrites a text outside it to the nearer bound; the default is kept as given.
    label.SetDicimalNum(1);
    SetText(L"80");
    label.SetNumberMinMax(0, 50, 80);
    EXPECT_EQ(Text(), L"50.0");
    double lo = 0, hi = 0, def = 0;
    label.GetNumberMinMax(lo, hi, def);
    EXPECT_EQ(lo, 0.0);
    EXPECT_EQ(hi, 50.0);
    EXPECT_EQ(def, 80.0);
    EXPECT_TRUE(host.log.empty());  // the host's own changes are not reported
}

TEST_F(LabelTest, EachStyleHasItsFrameAndFont)
{
    const struct {
        DWORD style;
        COLORREF outer, inner;
        BOOL underline;
    } cases[] = {
        {0, CLR_INVALID, CLR_INVALID, TRUE},
        {WS_BORDER, RGB(0, 0, 0), CLR_INVALID, FALSE},
        {WS_BORDER | SS_SUNKEN, RGB(0, 0, 0), RGB(115, 127, 147), FALSE},
    };
    for (const auto& c : cases) {
        Create(c.style | SS_CENTER);
        EXPECT_TRUE(label.GetStyle() & SS_NOTIFY);
        HFONT font = reinterpret_cast<HFONT>(label.SendMessage(WM_GETFONT));
        LOGFONTW lf{};
        ASSERT_TRUE(::GetObjectW(font, sizeof(lf), &lf));
        EXPECT_EQ(lf.lfUnderline != 0, c.underline != 0);
        kx::ClientCapture window(label.m_hWnd, kx::ClientCapture::WholeWindow);
        if (c.outer != CLR_INVALID) {
            EXPECT_EQ(window.At(0, 0), c.outer);
            EXPECT_EQ(window.At(window.Width() - 1, window.Height() - 1), c.outer);
        }
        if (c.inner != CLR_INVALID) {
            EXPECT_EQ(window.At(1, window.Height() / 2), c.inner);
        }

        // The sunken label's erase fills with the edit background.
        kx::Canvas canvas(200, 40, RGB(1, 2, 3));
        EXPECT_EQ(label.SendMessage(WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas.dc())), TRUE);
        EXPECT_EQ(canvas.At(5, 5), (c.style & SS_SUNKEN) ? getdefaultColor(DEFCLR_EDITBK) : RGB(1, 2, 3));

        label.DestroyWindow();
        // The underlined font was the label's own.
        EXPECT_EQ(::GetObjectType(font) == 0, c.underline != 0);
    }
}

TEST_F(LabelTest, EnteringRepaintsWithoutEraseAndLeavingWithErase)
{
    Create();
    CPoint over(20, 12);
    label.ClientToScreen(&over);
    ::SetCursorPos(over.x, over.y);
    kx::PumpMessages();
    label.SendMessage(WM_MOUSELEAVE);  // the real pointer may have entered already
    label.paints = label.erases = 0;

    label.SendMessage(WM_MOUSEMOVE, 0, kx::PointParam(20, 12));
    EXPECT_EQ(label.hover(), 1);
    EXPECT_EQ(label.paints, 1);  // at once, not when the queue empties
    EXPECT_EQ(label.erases, 0);
    TRACKMOUSEEVENT query{sizeof(query), TME_QUERY, nullptr, 0};
    ASSERT_TRUE(::TrackMouseEvent(&query));
    EXPECT_TRUE(query.dwFlags & TME_LEAVE);
    EXPECT_EQ(query.hwndTrack, label.m_hWnd);
    label.SendMessage(WM_MOUSEMOVE, 0, kx::PointParam(21, 12));
    EXPECT_EQ(label.paints, 1);

    label.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(label.hover(), 0);
    EXPECT_EQ(label.paints, 2);
    EXPECT_EQ(label.erases, 1);
}

TEST_F(LabelTest, DragTenUpGivesTenAndWithCtrlFromThePressFifty)
{
    Create();
    Drag({MoveTo(20, 11), MoveTo(20, 2), Up()});
    EXPECT_EQ(Text(), L"10.00");  // the 1-pixel move changes nothing
    EXPECT_EQ(LabelKinds(), (Kinds{NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_ENDCHANGE}));
    EXPECT_EQ(::GetCapture(), nullptr);

    SetText(L"0.00");
    host.Clear();
    SetKeyDown(VK_CONTROL, true);
    Drag({MoveTo(20, 2), Up()});
    EXPECT_EQ(Text(), L"50.00");

    // Ctrl pressed during the drag changes nothing; Escape keeps what was reached.
    SetKeyDown(VK_CONTROL, false);
    SetText(L"0.00");
    host.Clear();
    Drag({MoveTo(20, 8), label.Action([] { SetKeyDown(VK_CONTROL, true); }), kx::Msg(WM_KEYDOWN, VK_CONTROL),
          MoveTo(20, 2), kx::Msg(WM_KEYDOWN, VK_ESCAPE), MoveTo(20, -40), Up()});
    EXPECT_EQ(Text(), L"10.00");
    EXPECT_EQ(LabelKinds(), (Kinds{NUMN_BEGINCHANGE, NUMN_CHANGING, NUMN_CHANGING, NUMN_ENDCHANGE}));
    kx::PumpMessages();
}

TEST_F(LabelTest, ParentDestroyingTheLabelEndsTheDrag)
{
    Create();
    host.onLogged = [&](const kx::LoggedMessage&) { label.DestroyWindow(); };
    Drag({MoveTo(20, 2), MoveTo(20, -20), Up()});
    EXPECT_EQ(label.m_hWnd, nullptr);
    EXPECT_EQ(host.log.size(), 1u);
    host.onLogged = nullptr;
    kx::PumpMessages();
}

TEST_F(LabelTest, DoubleClickBesideTheTextResetsAndOnItEdits)
{
    Create(0, INPUTSTYLE_NUMBER, L"5.00");
    label.SendMessage(WM_LBUTTONDBLCLK, 0, kx::PointParam(110, 12));
    EXPECT_EQ(Text(), L"0.00");
    EXPECT_EQ(LabelKinds(), (Kinds{NUMN_BEGINCHANGE, NUMN_CHANGED}));
    label.SendMessage(WM_LBUTTONDBLCLK, 0, kx::PointParam(110, 12));
    EXPECT_EQ(host.log.size(), 2u);  // already the default
    EXPECT_EQ(Editor(), nullptr);

    label.SendMessage(WM_LBUTTONDBLCLK, 0, kx::PointParam(5, 12));
    ASSERT_NE(Editor(), nullptr);
    EXPECT_EQ(::GetFocus(), Editor());
}

TEST_F(LabelTest, F2EditsAndTheCommitIsClampedToTheRange)
{
    Create(WS_BORDER);
    label.SetFocus();
    ::PostMessageW(label.m_hWnd, WM_KEYDOWN, VK_F2, 0);
    kx::PumpMessages();
    HWND editor = Editor();
    ASSERT_NE(editor, nullptr);
    DWORD start = 1, end = 0;
    ::SendMessageW(editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 4u);  // "0.00", all of it
    EXPECT_EQ(label.GetEditBox().GetTextLimit(), 64);

    ::SetWindowTextW(editor, L"500");
    host.SetFocus();  // the editor reports as it loses the focus
    kx::PumpMessages();
    EXPECT_EQ(Text(), L"100.00");
    EXPECT_EQ(LabelKinds(), (Kinds{NUMN_BEGINCHANGE, NUMN_CHANGED}));
    EXPECT_EQ(::GetFocus(), label.m_hWnd);
    EXPECT_EQ(Editor(), nullptr);
}

TEST_F(LabelTest, TextLabelEditsOnAClickAndIgnoresTheResult)
{
    Create(0, 0, L"name");
    label.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(20, 12));
    ASSERT_NE(Editor(), nullptr);
    ::SetWindowTextW(Editor(), L"42");
    host.SetFocus();
    kx::PumpMessages();
    label.SendMessage(WM_LBUTTONDBLCLK, 0, kx::PointParam(110, 12));  // nor a reset
    EXPECT_EQ(Text(), L"name");
    EXPECT_TRUE(host.log.empty());
    host.SetFocus();
    kx::PumpMessages();
}

TEST_F(LabelTest, MenuChoosesEachBoundAndEscapeCancels)
{
    Create();
    label.SetNumberMinMax(-20, 30, 5);
    Menu({VK_DOWN, VK_RETURN});
    EXPECT_EQ(Text(), L"30.00");
    Menu({VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Text(), L"-20.00");
    Menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});
    EXPECT_EQ(Text(), L"5.00");
    Menu({VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN});  // the value shown: nothing
    Menu({VK_DOWN, VK_ESCAPE});
    EXPECT_EQ(Text(), L"5.00");
    EXPECT_EQ(LabelKinds(), (Kinds{1, 4, 1, 4, 1, 4}));

    // An integer-only label takes no value from its menu.
    label.SetInputStyle(INPUTSTYLE_INTEGER);
    host.Clear();
    Menu({VK_DOWN, VK_RETURN});
    EXPECT_EQ(Text(), L"5.00");
    EXPECT_TRUE(host.log.empty());
}

}  // namespace
