// Layout, hit testing and painting of a created editor: font and text row from the size,
// place rectangles, the repaint of a value change, frames, separator, arrows and grey text.
#include "NumericTesting.h"
#include <KestrelDraw.h>
#include <string>
#include <vector>

using numtest::NumEditTest;

namespace {

constexpr COLORREF kFrameDark = RGB(94, 102, 117);
constexpr COLORREF kFrameLight = RGB(122, 123, 133);
constexpr COLORREF kBoxFrame = RGB(69, 72, 80);
constexpr COLORREF kEditBk = RGB(81, 91, 111);

int Cx() { return ::GetSystemMetrics(SM_CXVSCROLL); }

int CountColour(const kx::ClientCapture& cap, const RECT& r, COLORREF clr)
{
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) n += cap.CountInRow(y, r.left, r.right, clr);
    return n;
}

using NumEditLayout = NumEditTest;

TEST_F(NumEditLayout, FontAndTextRowOfA100By20Control)
{
    Create(ES_RIGHT);
    const int boxWidth = 100 - 2 - Cx() - 1 - 4;
    const int charWidth = boxWidth * 9 / 30;
    const int charHeight = 18 * 8 / 9;  // 16
    LOGFONTW lf{};
    ASSERT_EQ(::GetObjectW(edit.GetNumFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfWidth, charWidth);
    EXPECT_EQ(lf.lfHeight, charHeight);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Courier New");

    // Mapped to a monospaced face ("w" as wide as asked), the row of three is centred in the box.
    const RECT& text = edit.GetTextRect();
    const int dx = (boxWidth - 3 * charWidth) / 2;
    EXPECT_EQ(text.left, 3 + dx) << "Courier New should map to a monospaced face";
    EXPECT_EQ(text.right, 3 + boxWidth - dx);
    EXPECT_EQ(text.top - 1, 19 - text.bottom);

    // The font follows the range: four places are narrower.
    edit.SetNumberMinMax(0, 1000, 0);
    ::GetObjectW(edit.GetNumFont(), sizeof(lf), &lf);
    EXPECT_EQ(lf.lfWidth, boxWidth * 9 / 40);
}

TEST_F(NumEditLayout, PlacesTileTheRowAndHitTestFindsThem)
{
    Create(ES_RIGHT);
    const RECT& text = edit.GetTextRect();
    const int places = 3;
    RECT prev = edit.GetItemRect(0);
    EXPECT_EQ(prev.left, text.left);
    for (int i = 1; i <= places; ++i) {
        RECT r = edit.GetItemRect(static_cast<UINT>(i));
        EXPECT_EQ(r.left, prev.right);
        EXPECT_EQ(r.top, text.top);
        EXPECT_EQ(r.bottom, text.bottom);
        prev = r;
    }
    EXPECT_EQ(edit.GetItemRect(places - 1).right, text.right);
    EXPECT_TRUE(CRect(edit.GetItemRect(places + 1)).IsRectNull());
    EXPECT_EQ(edit.GetRightPlace(), edit.GetItemRect(places).left);

    for (int i = 0; i < places; ++i) EXPECT_EQ(edit.HitTest(PlaceCenter(i)), i);
    const int boxRight = 100 - 1 - Cx() - 1, stepLeft = boxRight + 1, split = 10;  // round((1 + 19) / 2)
    const struct {
        CPoint point;
        int hit;
    } hits[] = {
        {{boxRight - 3, 10}, places},  // right of the row, inside the hit box
        {{boxRight - 2, 10}, 0},       // the 2-pixel margins at both ends
        {{boxRight - 1, 10}, 0},      {{1, 10}, 0},  {{0, 10}, 0},  // and the frame
        {{stepLeft + 2, 1}, -1},      {{stepLeft + 2, split - 1}, -1},
        {{stepLeft + 2, split}, -2},  // the split row is the lower button's
        {{stepLeft + 2, 18}, -2},     {{stepLeft + 2, 19}, 0},  {{99, split}, 0},
    };
    for (const auto& h : hits) EXPECT_EQ(edit.HitTest(h.point), h.hit) << h.point.x << "," << h.point.y;
}

TEST_F(NumEditLayout, ValueChangeRepaintsOnlyChangedPlaces)
{
    Create(ES_RIGHT);
    edit.SetNumberMinMax(0, 200, 0);
    edit.SetCurValue(109.0f);
    kx::PumpMessages();
    edit.paintedRects.clear();

    // Painted at once, before any pumping, and only over the places that differ.
    auto repaintOf = [&](float v) {
        edit.paintedRects.clear();
        edit.SetCurValue(v);
        EXPECT_EQ(edit.paintedRects.size(), 1u) << v;
        return edit.paintedRects.empty() ? CRect() : CRect(edit.paintedRects[0]);
    };
    const RECT& t = edit.GetTextRect();
    EXPECT_EQ(repaintOf(110.0f), CRect(edit.GetItemRect(1).left, t.top, edit.GetItemRect(2).right, t.bottom));
    EXPECT_EQ(repaintOf(111.0f), CRect(edit.GetItemRect(2)));
}

TEST_F(NumEditLayout, FramesSeparatorAndArrows)
{
    Create(ES_RIGHT);
    kx::ClientCapture cap(edit.m_hWnd);
    const int W = 100, H = 20, cx = Cx();
    const int stepLeft = W - 1 - cx;
    const struct {
        int x, y;
        COLORREF colour;
    } pixels[] = {
        // Outer frame: dark top and left, light right and bottom; the top-right corner is light.
        {0, 0, kFrameDark}, {0, H / 2, kFrameDark}, {W / 2, 0, kFrameDark},
        {W - 1, 0, kFrameLight}, {W - 1, H / 2, kFrameLight}, {W / 2, H - 1, kFrameLight},
        // Text box frame and fill.
        {1, 1, kBoxFrame}, {W - cx - 3, H / 2, kBoxFrame}, {3, H - 2, kBoxFrame}, {2, 2, kEditBk},
        // Button frames: the upper ends above the split row, the lower starts on it.
        {stepLeft, 1, kBoxFrame}, {W - 2, 9, kBoxFrame}, {stepLeft + 3, 10, kBoxFrame}, {W - 2, 18, kBoxFrame},
    };
    for (const auto& p : pixels) EXPECT_EQ(cap.At(p.x, p.y), p.colour) << p.x << "," << p.y;
    // The separator column lies under the buttons' left frames, which are drawn after it;
    // one background column parts the text box from them.
    for (int y = 1; y < H - 1; ++y) {
        EXPECT_EQ(cap.At(W - cx - 1, y), kBoxFrame) << y;
        EXPECT_EQ(cap.At(W - cx - 2, y), getdefaultColor(DEFCLR_BK)) << y;
    }

    // The arrows: triangles in the edit text colour, wider at the bottom above, at the top below.
    const COLORREF arrow = getdefaultColor(DEFCLR_EDITTEXT);
    auto rowWidths = [&](const CRect& b) {
        std::vector<int> widths;
        for (int y = b.top; y < b.bottom; ++y)
            if (int n = cap.CountInRow(y, b.left, b.right, arrow)) widths.push_back(n);
        return widths;
    };
    const auto up = rowWidths(CRect(stepLeft, 1, W - 1, 10));
    const auto down = rowWidths(CRect(stepLeft, 10, W - 1, 19));
    ASSERT_FALSE(up.empty() || down.empty());
    EXPECT_LT(up.front(), up.back());
    EXPECT_GT(down.front(), down.back());
}

TEST_F(NumEditLayout, DisabledOrReadOnlyDrawsAGreyDoubleAndGreyArrows)
{
    Create(ES_RIGHT);
    edit.SetCurValue(88.0f);
    CRect text = edit.GetTextRect();
    text.InflateRect(1, 1);
    const CRect buttons(100 - 1 - Cx(), 1, 99, 19);
    // Grey pixels over the text and over the buttons, and arrow-coloured ones on the buttons.
    auto counts = [&] {
        edit.Invalidate();
        kx::PumpMessages();
        kx::ClientCapture cap(edit.m_hWnd);
        const COLORREF grey = getdefaultColor(DEFCLR_DISABLEDTEXT);
        return std::vector<int>{CountColour(cap, text, grey), CountColour(cap, buttons, grey),
                                CountColour(cap, buttons, getdefaultColor(DEFCLR_EDITTEXT))};
    };
    const auto normal = counts();
    EXPECT_EQ(normal[0] + normal[1], 0);
    EXPECT_GT(normal[2], 0);

    edit.EnableWindow(FALSE);
    const auto disabled = counts();
    EXPECT_GT(disabled[0], 0);
    EXPECT_GT(disabled[1], 0);
    EXPECT_EQ(disabled[2], 0);

    edit.EnableWindow(TRUE);
    edit.ModifyStyle(0, ES_READONLY);
    EXPECT_EQ(counts(), disabled);
}

TEST_F(NumEditLayout, BackgroundColourSetsTheTextBoxFillUntilItIsSetApart)
{
    Create(ES_RIGHT);
    edit.SetBkColor(RGB(10, 20, 30));
    EXPECT_EQ(edit.GetEditBkColor(), RGB(10, 20, 30));
    EXPECT_EQ(kx::ClientCapture(edit.m_hWnd).At(2, 2), RGB(10, 20, 30));
    edit.SetEditBkColor(RGB(200, 0, 0));
    kx::ClientCapture cap(edit.m_hWnd);
    EXPECT_EQ(cap.At(2, 2), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(1, 1), kBoxFrame);
}

}  // namespace
