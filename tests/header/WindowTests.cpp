// The header on screen and under the mouse: outlines, fills, captions and the strip; what the
// setters invalidate; the divider cursor; the two drag loops driven by scripts posted before the
// press, with the notifications the parent saw and how each loop ends.
#include "HeaderTesting.h"
#include <cstdlib>
#include <tuple>
#include <vector>

using headtest::Row;
using kx::Msg;

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 9;
constexpr int kWidth = 300, kHeight = 24;
constexpr COLORREF kLight = RGB(80, 95, 122), kDark = RGB(21, 32, 43);
constexpr UINT kBegin = HDN_BEGINTRACKW, kTrack = HDN_TRACKW, kEnd = HDN_ENDTRACKW;
constexpr UINT kChanging = HDN_ITEMCHANGINGW, kChanged = HDN_ITEMCHANGEDW;
bool g_guardFired = false;

void CALLBACK GuardExpired(HWND, UINT, UINT_PTR, DWORD)
{
    g_guardFired = true;
    ::PostQuitMessage(0);
}

// One notification as the parent saw it: code, iItem, iButton, and pitem's width and text.
using Note = std::tuple<UINT, int, int, int, std::wstring>;
using Notes = std::vector<Note>;

class Host : public kx::HostWindow {
public:
    Notes notes;
    std::function<void(const NMHEADERW&)> onNotify;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_NOTIFY) {
            const auto& nm = *reinterpret_cast<const NMHEADERW*>(lParam);
            // Every record carries the full mask, a 32-character buffer and the sender.
            EXPECT_TRUE(nm.pitem->mask == 0x9F && nm.pitem->cchTextMax == 32 && nm.hdr.idFrom == 300 &&
                        nm.hdr.hwndFrom == ::GetDlgItem(m_hWnd, 300));
            notes.emplace_back(nm.hdr.code, nm.iItem, nm.iButton, nm.pitem->cxy, nm.pitem->pszText);
            if (onNotify) onNotify(nm);
        }
        return kx::HostWindow::WindowProc(message, wParam, lParam);
    }
};

// Runs script actions when a loop dispatches them, and keeps the keys it was given.
class TestHeadWnd : public CHeadWnd {
public:
    std::vector<std::function<void()>> actions;
    std::vector<WPARAM> keys;
    MSG Action(std::function<void()> action)
    {
        actions.push_back(std::move(action));
        return Msg(kActionMessage, 0, static_cast<LPARAM>(actions.size() - 1));
    }
    using CHeadWnd::OnRedrawRect;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) actions[static_cast<size_t>(lParam)]();
        if (message == WM_KEYDOWN) keys.push_back(wParam);
        return CHeadWnd::WindowProc(message, wParam, lParam);
    }
};

COLORREF PixelNow(HWND hWnd, int x, int y)
{
    HDC dc = ::GetDC(hWnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return c;
}

// A 300 x 24 header of A (100), B (50, right) and C (80, centred); the strip from 230.
class HeaderWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        headtest::Add(head, L"A", 100);
        headtest::Add(head, L"B", 50, HDF_RIGHT);
        headtest::Add(head, L"C", 80, HDF_CENTER);
        ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &host, 300));
        ::SetCursorPos(0, 0);  // no real pointer over the header during a scripted drag
        kx::PumpMessages();
    }
    void TearDown() override
    {
        head.DestroyWindow();
        host.Close();
    }
    // A width or a format.
    BOOL Set(int nPos, UINT mask, int value)
    {
        HDITEMW item{};
        item.mask = mask;
        item.cxy = item.fmt = value;
        return head.SetItem(nPos, &item);
    }
    // Posts the script and presses at x; a guard timer ends a loop that would not end by
    // itself. Answers who held the capture when the press returned.
    HWND Drag(int x, std::initializer_list<MSG> script)
    {
        host.notes.clear();
        kx::PostScript(head.m_hWnd, script);
        g_guardFired = false;
        const UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, GuardExpired);
        head.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, kHeight / 2));
        ::KillTimer(nullptr, guard);
        EXPECT_FALSE(g_guardFired) << "the loop did not end by itself";
        const HWND capture = ::GetCapture();
        kx::PumpMessages();  // what the script left behind goes to the host's pump
        if (capture != nullptr) ::ReleaseCapture();
        return capture;
    }
    static MSG Move(int x, int y = kHeight / 2) { return Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Up(int x) { return Msg(WM_LBUTTONUP, 0, kx::PointParam(x, kHeight / 2)); }
    CRect Invalidated(const std::function<void()>& act)
    {
        head.ValidateRect(nullptr);
        act();
        CRect r;
        ::GetUpdateRect(head.m_hWnd, &r, FALSE);
        return r;
    }

    Host host;
    TestHeadWnd head;
};

TEST_F(HeaderWindow, OutlinesFillsStripPatternAndViewport)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    kx::ClientCapture cap(head.m_hWnd);
    for (int left : {0, 100, 150}) {
        EXPECT_EQ(cap.At(left, 0), kLight);
        EXPECT_EQ(cap.At(left + 1, kHeight - 1), kDark);
        EXPECT_EQ(cap.At(left + 1, 1), bk);
        EXPECT_EQ(cap.At(left - 1, 0), left ? kDark : CLR_INVALID);  // top-right corners are dark
    }
    EXPECT_EQ(cap.CountInRow(0, 230, kWidth, bk), kWidth - 230);

    DWORD bits[64];  // four red columns, four green
    for (int i = 0; i < 64; ++i) bits[i] = (i % 8) < 4 ? 0xFF0000 : 0x00FF00;
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 32, bits);
    EXPECT_TRUE(Invalidated([&] { head.SetBkBrush(pattern); }).IsRectEmpty());
    head.SetViewportOrg(POINT{40, 10});
    kx::ClientCapture shifted(head.m_hWnd);
    EXPECT_EQ(shifted.At(2, 5), RGB(255, 0, 0));
    EXPECT_EQ(shifted.At(6, 5), RGB(0, 255, 0));
    EXPECT_EQ(shifted.At(59, 0), kDark);  // A ends 40 pixels further left, y not shifted
    EXPECT_EQ(shifted.At(60, 0), kLight);
    EXPECT_EQ(shifted.At(195, 5), bk);    // the strip never takes the brush
    CPoint divider(98, 5);                // hits and rectangles ignore the origin
    EXPECT_EQ(head.HitTest(divider), 0x02000010u);
    CRect r;
    head.GetItemRect(1, &r);
    EXPECT_EQ(r, CRect(100, 0, 150, kHeight));
    head.SetBkBrush(nullptr);
    ::DeleteObject(pattern);
}

TEST_F(HeaderWindow, CaptionsAlignByFormatAndTheAppendTextSitsLeftInTheStrip)
{
    Set(0, HDI_FORMAT, 7);  // not an alignment: left
    head.SetAppendInfo(L"A");
    kx::ClientCapture cap(head.m_hWnd);
    auto ink = [&](int x0, int x1) {  // first and last column with text
        std::pair<int, int> seen(-1, -1);
        for (int x = x0; x < x1; ++x)
            for (int y = 2; y < kHeight - 2; ++y)
                if (cap.At(x, y) != getdefaultColor(DEFCLR_BK)) seen = {seen.first < 0 ? x : seen.first, x};
        return seen;
    };
    const auto a = ink(2, 98), b = ink(102, 148), c = ink(152, 228), strip = ink(230, kWidth);
    EXPECT_TRUE(a.first >= 2 && a.first <= 4) << a.first;
    EXPECT_EQ(strip.first - 230, a.first - 2);  // the strip has no inset
    EXPECT_GE(b.second, 145);
    EXPECT_LE(std::abs((c.first + c.second + 1) / 2 - 190), 2);
}

TEST_F(HeaderWindow, SettersInvalidateWhatTheyChangeAndPaintFollowsTheOrder)
{
    const CRect all(0, 0, kWidth, kHeight), strip(230, 0, kWidth, kHeight);
    head.SetViewportOrg(POINT{50, 0});  // the strip is found without the origin
    EXPECT_EQ(Invalidated([&] { head.SetAppendInfo(L"x"); }), strip);
    EXPECT_EQ(Invalidated([&] { head.SwitchOrder(0, 2); }), all);
    EXPECT_EQ(Invalidated([&] { head.SetBkColor(RGB(1, 2, 3)); }), all);
    EXPECT_TRUE(Invalidated([&] { head.SetBkColor(RGB(1, 2, 3)); }).IsRectEmpty());
    EXPECT_EQ(Invalidated([&] { head.DeleteItem(2); }), all);

    // B C now, shifted left by 50: only what meets the asked area is drawn.
    kx::Canvas canvas(kWidth, kHeight, RGB(255, 0, 255));
    RECT area{10, 0, 20, kHeight};
    head.OnRedrawRect(canvas.cdc(), &area);
    EXPECT_EQ(canvas.At(15, 5), RGB(1, 2, 3));   // C, drawn from 0 to 80
    EXPECT_EQ(canvas.At(79, 5), kDark);
    EXPECT_EQ(canvas.At(85, 5), RGB(255, 0, 255));  // the strip from 80 is outside the area
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);
}

TEST_F(HeaderWindow, DividerCursorOnlyOverADivider)
{
    const HCURSOR divider = ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(1011));
    for (int x : {101, 50}) {
        POINT p{x, 5};
        ::ClientToScreen(head.m_hWnd, &p);
        ::SetCursorPos(p.x, p.y);
        ::SetCursor(nullptr);
        head.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(head.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor() == divider, x == 101);
    }
}

TEST_F(HeaderWindow, DividerDragClampsReportsEachMoveAndShowsItFirst)
{
    Set(0, HDI_WIDTH, 20);
    int shown = 0;  // tracks whose new edge was already on screen
    host.onNotify = [&](const NMHEADERW& nm) {
        const int w = nm.pitem->cxy;
        if (nm.hdr.code == kTrack && PixelNow(head.m_hWnd, w - 1, 5) == kDark && PixelNow(head.m_hWnd, w, 5) == kLight)
            ++shown;
    };
    Drag(20, {Move(10), Move(-10), Move(0), Move(0, 40), Up(0)});
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 20, L"A"},
                                 {kTrack, 0, 0, 10, L"A"},
                                 {kTrack, 0, 0, 2, L"A"},    // 30 left of 20 pixels
                                 {kTrack, 0, 0, 12, L"A"},   // back 10, from the last x
                                 {kTrack, 0, 0, 12, L"A"},
                                 {kEnd, 0, 0, 12, L"A"}}));
    EXPECT_EQ(shown, 4);
    EXPECT_EQ(::GetCapture(), nullptr);

    int order[] = {2, 0, 1};  // C 0..79, A 80..91, B 92..141: the positions are reported
    head.SetOrderArray(3, order);
    Drag(90, {Move(100), Up(100)});
    EXPECT_EQ(host.notes, (Notes{{kBegin, 1, 0, 12, L"A"}, {kTrack, 1, 0, 22, L"A"}, {kEnd, 1, 0, 22, L"A"}}));
}

TEST_F(HeaderWindow, ItemDragMovesOneItemWithAnInvertedBoxUnderThePointer)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    const COLORREF inverted = RGB(255 - GetRValue(bk), 255 - GetGValue(bk), 255 - GetBValue(bk));
    std::vector<COLORREF> seen;
    Drag(50, {Move(60), Move(120), head.Action([&] { seen = {PixelNow(head.m_hWnd, 1, 1), PixelNow(head.m_hWnd, 101, 1)}; }),
              Move(120, -30), Move(200), Move(400), Up(210)});
    EXPECT_EQ(seen, (std::vector<COLORREF>{bk, inverted}));
    // The last record describes what now stands at the starting position.
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 100, L"A"}, {kChanging, 0, 0, 100, L"A"}, {kChanged, 0, 2, 50, L"B"}}));
    EXPECT_EQ(Row(head), L"B|C|A|");
    EXPECT_EQ(kx::ClientCapture(head.m_hWnd).At(49, 5), kDark);  // repainted, no box left

    Drag(100, {Move(10), Up(10)});  // C to the front
    EXPECT_EQ(host.notes, (Notes{{kChanging, 1, 0, 80, L"C"}, {kChanged, 1, 0, 50, L"B"}}));
    EXPECT_EQ(Row(head), L"C|B|A|");

    Drag(120, {Up(120)});  // a click
    EXPECT_EQ(host.notes, (Notes{{kChanged, 1, 1, 50, L"B"}}));
    Drag(120, {Move(131), Up(131)});  // one pixel into its own divider zone
    EXPECT_EQ(host.notes, (Notes{{kChanging, 1, 0, 50, L"B"}, {kChanged, 1, 1, 50, L"B"}}));
    EXPECT_EQ(Row(head), L"C|B|A|");
    EXPECT_EQ(kx::ClientCapture(head.m_hWnd).At(81, 1), bk);
}

TEST_F(HeaderWindow, EscapeIsDispatchedWhileCaptureLossAndQuitEndBothLoops)
{
    const MSG steal = head.Action([&] { ::SetCapture(host.m_hWnd); });
    const struct {
        MSG middle;
        bool goesOn;
        HWND capture;  // who holds the capture when the press returns
    } endings[] = {{Msg(WM_KEYDOWN, VK_ESCAPE), true, nullptr}, {steal, false, host.m_hWnd}, {Msg(WM_QUIT), false, nullptr}};
    for (const auto& e : endings) {
        Set(0, HDI_WIDTH, 100);
        EXPECT_EQ(Drag(100, {Move(110), e.middle, Move(120), Up(120)}), e.capture);
        EXPECT_EQ(host.notes.size(), e.goesOn ? 4u : 3u);  // begin, a track per move, end
        EXPECT_EQ(host.notes.back(), Note(kEnd, 0, 0, e.goesOn ? 120 : 110, L"A"));
        Set(0, HDI_WIDTH, 100);
        EXPECT_EQ(Drag(50, {Move(120), e.middle, Move(200), Up(200)}), e.capture);
        EXPECT_EQ(host.notes.back(), Note(kChanged, 0, e.goesOn ? 2 : 1, 50, L"B"));
        EXPECT_EQ(host.notes.size(), e.goesOn ? 3u : 2u);
        head.SwitchOrder(e.goesOn ? 2 : 1, 0);  // A B C again
    }
    EXPECT_EQ(head.keys, (std::vector<WPARAM>{VK_ESCAPE, VK_ESCAPE}));
}

TEST_F(HeaderWindow, AParentThatDestroysTheHeaderMidDragEndsTheLoopQuietly)
{
    host.onNotify = [&](const NMHEADERW& nm) {
        if (nm.hdr.code == kTrack) head.DestroyWindow();
    };
    EXPECT_EQ(Drag(100, {Move(110), Move(120), Up(120)}), nullptr);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 100, L"A"}, {kTrack, 0, 0, 110, L"A"}}));
}

}  // namespace
