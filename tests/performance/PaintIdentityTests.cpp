// What the controls keep or skip between paints must never show: the gradient bar painting from
// its kept strip matches a fresh draw pixel for pixel over sizes, colours, ranges and positions,
// the numeric editor's paints through its kept context (whole or a value change) match its
// hooks drawn straight on a fresh context (the header's likewise), and its text colour
// follows the real focus through every way the focus moves.
#include "Harness.h"
#include <KestrelHeader.h>
#include <KestrelNumeric.h>
#include <KestrelProgress.h>
#include <sstream>
#include <vector>

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);

constexpr COLORREF kFrameShadow = RGB(21, 32, 43);
constexpr COLORREF kFrameLight = RGB(80, 95, 122);

using Pixels = std::vector<COLORREF>;

template <class Surface>
Pixels Read(const Surface& surface, int width, int height)
{
    Pixels pixels;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) pixels.push_back(surface.At(x, y));
    return pixels;
}

Pixels Captured(HWND hWnd)
{
    kx::ClientCapture shot(hWnd);
    return Read(shot, shot.Width(), shot.Height());
}

// What draw leaves on a fresh context of the size (a canvas of its own).
template <class Draw>
Pixels DrawnDirectly(int width, int height, Draw draw)
{
    kx::Canvas canvas(width, height, RGB(1, 2, 3));
    CDC dc;
    dc.Attach(canvas.dc());
    draw(&dc);
    dc.Detach();
    ::GdiFlush();
    return Read(canvas, width, height);
}

// The bar as a paint that keeps nothing draws it: the frame, then the gradient straight from
// DrawGradient's own off-screen bitmap, or the background.
Pixels FreshBar(CCoolProgressCtrl& bar, int width, int height)
{
    return DrawnDirectly(width, height, [&](CDC* dc) {
        CRect client(0, 0, width, height);
        dc->Draw3dRect(&client, kFrameShadow, kFrameLight);
        CRect inner = client;
        inner.InflateRect(-1, -1);
        const int filled = bar.FilledLength(inner);
        if (filled >= 0) bar.DrawGradient(dc, inner, filled);
        else dc->FillSolidRect(&inner, bar.GetBkColor());
    });
}

// Empty when equal, else where and how they first differ.
std::string Difference(const Pixels& actual, const Pixels& expected, int width)
{
    if (actual.size() != expected.size()) return "sizes differ";
    int count = 0;
    size_t first = 0;
    for (size_t i = 0; i < actual.size(); ++i)
        if (actual[i] != expected[i] && count++ == 0) first = i;
    if (count == 0) return std::string();
    std::ostringstream out;
    out << count << " pixels differ, first at (" << first % width << "," << first / width << "): 0x" << std::hex
        << actual[first] << " instead of 0x" << expected[first];
    return out.str();
}

struct BarColours {
    COLORREF start, end, bk;
};

TEST(KeptPaints, GradientBarFromItsKeptStripMatchesAFreshDraw)
{
    kx::HostWindow host;
    ASSERT_TRUE(host.Open(640, 200));
    CCoolProgressCtrl bar;
    ASSERT_EQ(bar.Create(0, CRect(10, 10, 212, 26), &host, 1), 1);

    const SIZE sizes[] = {{202, 16}, {3, 3}, {2, 9}, {41, 7}, {301, 20}, {180, 5}};
    const BarColours colours[] = {
        {RGB(179, 179, 240), RGB(0, 0, 255), RGB(230, 230, 250)},  // 179 bands
        {RGB(179, 179, 240), RGB(0, 255, 0), RGB(230, 230, 250)},  // only the end changes
        {RGB(0, 179, 240), RGB(0, 255, 0), RGB(230, 230, 250)},    // only the start changes
        {RGB(10, 200, 30), RGB(10, 200, 30), RGB(0, 0, 0)},         // no bands
        {RGB(255, 0, 0), RGB(255, 255, 0), RGB(230, 230, 250)},    // saturated red
        {RGB(0, 0, 0), RGB(255, 255, 255), RGB(40, 40, 40)},        // 255 bands, narrower than a pixel
        {RGB(100, 100, 100), RGB(102, 99, 100), RGB(9, 8, 7)},      // two wide bands
        {RGB(0, 0, 255), RGB(179, 179, 240), RGB(0, 0, 255)},       // descending, background as end
    };
    const struct {
        int lower, upper;
    } ranges[] = {{0, 100}, {20, 40}, {-7, 3}, {5, 5}, {0, 1000000}};
    // Steps through the range in eighths, growing and shrinking, both ends included.
    const int eighths[] = {0, 3, 8, 5, 1, 7, 2, 8, 4, 0, 6};

    for (const SIZE& size : sizes) {
        bar.SetWindowPos(nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        for (const BarColours& c : colours) {
            bar.SetStartColor(c.start);
            bar.SetEndColor(c.end);
            bar.SetBkColor(c.bk);
            for (const auto& range : ranges) {
                bar.SetRange(range.lower, range.upper);
                bar.SetPos(range.lower);
                bar.Invalidate();  // colours and range show on the next paint; ask for it
                Pixels screen = FreshBar(bar, size.cx, size.cy);
                for (int eighth : eighths) {
                    const int pos = range.lower + static_cast<int>((static_cast<long long>(range.upper) - range.lower) * eighth / 8);
                    // Only the strip the bar leaves to repaint is fresh; the rest stays as it was.
                    RECT strip{};
                    bar.SetPos(pos);
                    ::GetUpdateRect(bar.m_hWnd, &strip, FALSE);
                    const Pixels fresh = FreshBar(bar, size.cx, size.cy);
                    for (int y = strip.top; y < strip.bottom; ++y)
                        for (int x = strip.left; x < strip.right; ++x)
                            screen[static_cast<size_t>(y) * size.cx + x] = fresh[static_cast<size_t>(y) * size.cx + x];
                    const std::string diff = Difference(Captured(bar.m_hWnd), screen, size.cx);
                    ASSERT_EQ(diff, "") << size.cx << "x" << size.cy << " colours 0x" << std::hex << c.start << "-0x"
                                        << c.end << "/0x" << c.bk << std::dec << " range " << range.lower << ".."
                                        << range.upper << " position " << pos;
                }
            }
        }
    }
    // A position sent without clamping, beyond the upper end, shows the background only.
    bar.SendMessage(WM_PROGRESSPOS, PROGRESSPOS_SET, 2000000);
    bar.Invalidate();
    EXPECT_EQ(Difference(Captured(bar.m_hWnd), FreshBar(bar, 180, 5), 180), "");
    bar.DestroyWindow();
    host.Close();
}

// The editor's hooks drawn straight onto a canvas, as a paint without any kept context would.
class DirectNumEdit : public CNumEdit {
public:
    Pixels Direct()
    {
        CRect client;
        GetClientRect(&client);
        return DrawnDirectly(client.Width(), client.Height(), [&](CDC* dc) {
            HGDIOBJ oldFont = dc->SelectObject(GetNumFont());
            OnFillBackgroud(dc, client);
            PaintText(dc, client);
            PaintStep(dc, client);
            dc->SelectObject(oldFont);
        });
    }
};

// The editor paints through a kept context and a value change repaints only the places that
// differ, skipping the frames it does not reach; what shows is what its hooks draw straight on
// a fresh context, over alignments, decimals, signs, a text box coloured apart from the
// background, a disabled editor's grey copy and a resize that makes a new font.
TEST(KeptPaints, NumericEditorPaintsMatchADirectDraw)
{
    kx::HostWindow host;
    ASSERT_TRUE(host.Open(640, 200));
    const struct {
        double first, second;
        int decimals;
    } ranges[] = {{0, 100000, 0}, {-500, 500, 2}, {-9, 99, 1}};
    const float values[] = {0, 1, 9, 10, 99999, -1, -0.5f, 42.25f, 7, 100, -499.99f, 3, 3};
    for (DWORD style : {ES_LEFT, ES_CENTER, ES_RIGHT, ES_RIGHT | WS_DISABLED}) {
        for (bool boxColoured : {false, true}) {
            DirectNumEdit edit;
            ASSERT_TRUE(edit.Create(CRect(10, 10, 150, 36), &host, 1, WS_VISIBLE | style));
            if (boxColoured) edit.SetEditBkColor(RGB(0, 60, 0));
            for (const auto& range : ranges) {
                edit.SetNumberMinMax(range.first, range.second, 0);
                edit.SetDicimalNum(range.decimals);
                edit.Invalidate();
                edit.UpdateWindow();
                for (float v : values) {
                    edit.SetCurValue(v);
                    const std::string diff = Difference(Captured(edit.m_hWnd), edit.Direct(), 140);
                    ASSERT_EQ(diff, "") << "style 0x" << std::hex << style << std::dec << " box " << boxColoured
                                        << " range " << range.first << ".." << range.second << " value " << v;
                }
            }
            // A new size makes a new font; the kept context lets go of the old one.
            edit.SetWindowPos(nullptr, 0, 0, 200, 30, SWP_NOMOVE | SWP_NOZORDER);
            edit.SetCurValue(5);
            edit.Invalidate();
            EXPECT_EQ(Difference(Captured(edit.m_hWnd), edit.Direct(), 200), "");
            edit.DestroyWindow();
        }
    }
    host.Close();
}

// The header paints through a kept context too: the screen shows what OnRedrawRect draws on a
// fresh context, over captions that fit and that do not, a scrolled view, a new order and size.
TEST(KeptPaints, HeaderPaintsMatchADirectDraw)
{
    kx::HostWindow host;
    ASSERT_TRUE(host.Open(640, 200));
    CHeadWnd head;
    ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 410, 34), &host, 1));
    const wchar_t* captions[] = {L"Name", L"A caption far too long for its column", L"", L"Size"};
    for (int i = 0; i < 4; ++i) {
        HDITEMW item{};
        item.mask = HDI_WIDTH | HDI_TEXT;
        item.cxy = 40 + 30 * i;
        item.pszText = const_cast<wchar_t*>(captions[i]);
        head.InsertItem(i, &item);
    }
    auto direct = [&head] {
        CRect client;
        head.GetClientRect(&client);
        return DrawnDirectly(client.Width(), client.Height(), [&](CDC* dc) { head.OnRedrawRect(dc, nullptr); });
    };
    auto expectSame = [&](const char* step) {
        head.Invalidate();
        CRect client;
        head.GetClientRect(&client);
        EXPECT_EQ(Difference(Captured(head.m_hWnd), direct(), client.Width()), "") << step;
    };
    expectSame("as made");
    head.SetViewportOrg(CPoint(25, 0));
    expectSame("scrolled");
    int order[] = {3, 1, 0, 2};
    head.SetOrderArray(4, order);
    expectSame("reordered");
    head.SetBkColor(RGB(90, 20, 20));
    head.SetWindowPos(nullptr, 0, 0, 250, 20, SWP_NOMOVE | SWP_NOZORDER);
    expectSame("recoloured and resized");
    head.DestroyWindow();
    host.Close();
}

// The editor's text shows the focus colour exactly while the system says it has the focus,
// whether the text was repainted alone (a value change) or with everything else.
class FocusColourTest : public ::testing::Test {
protected:
    static constexpr COLORREF kForeground = RGB(250, 0, 250);

    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        other = ::CreateWindowExW(0, L"BUTTON", L"other", WS_CHILD | WS_VISIBLE, 300, 10, 80, 24, host.m_hWnd,
                                  nullptr, nullptr, nullptr);
        ASSERT_TRUE(edit.Create(CRect(10, 10, 130, 34), &host, 5, WS_VISIBLE | ES_RIGHT));
        edit.SetNumberMinMax(0, 1000, 0);
        edit.SetFgColor(kForeground);
        kx::PumpMessages();
    }
    void TearDown() override
    {
        edit.DestroyWindow();
        host.Close();
    }
    // Pixels of the text colours inside the row of places.
    void CountText(int& focusPixels, int& foregroundPixels)
    {
        if (::GetFocus() == edit.m_hWnd) ::HideCaret(edit.m_hWnd);  // the caret blinks over the text
        kx::ClientCapture shot(edit.m_hWnd);
        const RECT& text = edit.GetTextRect();
        focusPixels = foregroundPixels = 0;
        for (int y = text.top; y < text.bottom; ++y) {
            focusPixels += shot.CountInRow(y, text.left, text.right, getdefaultColor(DEFCLR_FOCUSTEXT));
            foregroundPixels += shot.CountInRow(y, text.left, text.right, kForeground);
        }
        if (::GetFocus() == edit.m_hWnd) ::ShowCaret(edit.m_hWnd);
    }
    // After a value change and after a full repaint, the colour matches the system's focus.
    // (With the in-place editor open the text lies under it: only no focus colour may show.)
    void ExpectColourFollowsFocus(const char* step, bool textVisible = true)
    {
        SCOPED_TRACE(step);
        const bool focused = ::GetFocus() == edit.m_hWnd;
        // 888 -> 111 changes every place, so the whole text is repainted by the change alone.
        edit.SetCurValue(888);
        kx::PumpMessages();
        edit.SetCurValue(111);
        int focus = 0, foreground = 0;
        CountText(focus, foreground);
        EXPECT_EQ(focus > 0, focused);
        EXPECT_EQ(foreground > 0, !focused && textVisible);
        edit.Invalidate();
        int focusFull = 0, foregroundFull = 0;
        CountText(focusFull, foregroundFull);
        EXPECT_EQ(focusFull, focus);
        EXPECT_EQ(foregroundFull, foreground);
    }

    kx::HostWindow host;
    CNumEdit edit;
    HWND other = nullptr;
};

TEST_F(FocusColourTest, TextColourFollowsEveryFocusChange)
{
    ExpectColourFollowsFocus("never focused");
    edit.SetFocus();
    kx::PumpMessages();
    ExpectColourFollowsFocus("focused");
    ::SetFocus(other);
    kx::PumpMessages();
    ExpectColourFollowsFocus("focus on a sibling");

    // Clicking the editor takes the focus; the in-place editor takes it over, and closing it
    // by focusing elsewhere leaves the editor without it.
    const LPARAM onText = kx::PointParam(edit.GetTextRect().left + 2, 12);
    kx::PostScript(edit.m_hWnd, {kx::Msg(WM_LBUTTONUP, 0, onText)});  // ends the drag the press starts
    edit.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, onText);
    kx::PumpMessages();
    ASSERT_EQ(::GetFocus(), edit.m_hWnd);
    ExpectColourFollowsFocus("focused by a click");
    edit.DisplayEditBox();
    kx::PumpMessages();
    ASSERT_NE(::GetFocus(), edit.m_hWnd);
    ExpectColourFollowsFocus("in-place editor open", false);
    ::SetFocus(other);
    kx::PumpMessages();
    ExpectColourFollowsFocus("in-place editor closed");

    // Destroyed while focused and made again: the new window starts without the focus.
    edit.SetFocus();
    edit.DestroyWindow();
    ASSERT_TRUE(edit.Create(CRect(10, 10, 130, 34), &host, 5, WS_VISIBLE | ES_RIGHT));
    kx::PumpMessages();
    ExpectColourFollowsFocus("made again");
}

TEST_F(FocusColourTest, ASubclassedWindowThatHasTheFocusPaintsAsFocused)
{
    HWND plain = ::CreateWindowExW(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 10, 50, 120, 24,
                                   host.m_hWnd, nullptr, nullptr, nullptr);
    ::SetFocus(plain);
    ASSERT_EQ(::GetFocus(), plain);
    CNumEdit late;
    ASSERT_TRUE(late.SubclassWindow(plain));
    late.SetFgColor(kForeground);
    late.Invalidate();
    kx::ClientCapture shot(plain);
    const RECT& text = late.GetTextRect();
    int focus = 0;
    for (int y = text.top; y < text.bottom; ++y)
        focus += shot.CountInRow(y, text.left, text.right, getdefaultColor(DEFCLR_FOCUSTEXT));
    EXPECT_GT(focus, 0);
    late.DestroyWindow();
}

}  // namespace
