// Layout, hit testing and painting of a created editor: font and text row from the size,
// place rectangles, the repaint of a value change, frames, separator, arrows and grey text.
#include "NumericTesting.h"
#include <KestrelDraw.h>
#include <string>

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
    const int charHeight = 18 * 8 / 9;
    LOGFONTW lf{};
    ASSERT_EQ(::GetObjectW(edit.GetNumFont(), sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfWidth, charWidth);
    EXPECT_EQ(lf.lfHeight, 16);
    EXPECT_EQ(lf.lfHeight, charHeight);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"Courier New");

    // Measure the face the system gave for the request: the row is centred from that.
    HDC screen = ::GetDC(nullptr);
    HGDIOBJ old = ::SelectObject(screen, edit.GetNumFont());
    SIZE w{};
    ::GetTextExtentPoint32W(screen, L"w", 1, &w);
    ::SelectObject(screen, old);
    ::ReleaseDC(nullptr, screen);
    EXPECT_EQ(w.cx, charWidth) << "Courier New should map to a monospaced face";

    const int boxLeft = 3;
    const int dx = (boxWidth - w.cx * 3) / 2;
    const int dy = (18 - w.cy) / 2;
    const RECT& text = edit.GetTextRect();
    EXPECT_EQ(text.left, boxLeft + dx);
    EXPECT_EQ(text.right, boxLeft + boxWidth - dx);
    EXPECT_EQ(text.top, 1 + dy);
    EXPECT_EQ(text.bottom, 19 - dy);

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
    RECT beyond = edit.GetItemRect(places + 1);
    EXPECT_TRUE(beyond.left == 0 && beyond.top == 0 && beyond.right == 0 && beyond.bottom == 0);

    for (int i = 0; i < places; ++i) EXPECT_EQ(edit.HitTest(PlaceCenter(i)), i);
    const int textBoxRight = 100 - 1 - Cx() - 1;
    const int y = 10;
    EXPECT_EQ(edit.HitTest(CPoint(textBoxRight - 3, y)), places);  // right of the row, inside the hit box
    EXPECT_EQ(edit.HitTest(CPoint(textBoxRight - 2, y)), 0);       // the right margin
    EXPECT_EQ(edit.HitTest(CPoint(textBoxRight - 1, y)), 0);
    EXPECT_EQ(edit.HitTest(CPoint(1, y)), 0);                      // left margin
    EXPECT_EQ(edit.HitTest(CPoint(0, y)), 0);                      // outer frame

    const int stepLeft = 100 - 1 - Cx();
    const int middle = 10;  // round((1 + 19) / 2)
    EXPECT_EQ(edit.HitTest(CPoint(stepLeft + 2, 1)), -1);
    EXPECT_EQ(edit.HitTest(CPoint(stepLeft + 2, middle - 1)), -1);
    EXPECT_EQ(edit.HitTest(CPoint(stepLeft + 2, middle)), -2);  // the split row is the lower button's
    EXPECT_EQ(edit.HitTest(CPoint(stepLeft + 2, 18)), -2);
    EXPECT_EQ(edit.HitTest(CPoint(stepLeft + 2, 19)), 0);        // bottom frame
    EXPECT_EQ(edit.HitTest(CPoint(99, middle)), 0);              // right frame
}

TEST_F(NumEditLayout, RightPlaceAndPublicSplit)
{
    Create(ES_RIGHT);
    EXPECT_EQ(edit.GetRightPlace(), edit.GetItemRect(3).left);
    RECT client = {0, 0, 100, 20}, text{}, step{};
    edit.GetRects(&client, &text, &step);
    EXPECT_EQ(text.right, 100 - Cx() - 1);
    EXPECT_EQ(step.left, 100 - Cx());
    EXPECT_EQ(step.right, 100);
    edit.GetRects(&client, nullptr, nullptr);
}

TEST_F(NumEditLayout, ValueChangeRepaintsOnlyChangedPlaces)
{
    Create(ES_RIGHT);
    edit.SetNumberMinMax(0, 200, 0);
    edit.SetCurValue(109.0f);
    kx::PumpMessages();
    edit.paintedRects.clear();

    edit.SetCurValue(110.0f);  // painted at once, before any pumping
    ASSERT_EQ(edit.paintedRects.size(), 1u);
    RECT r = edit.paintedRects[0];
    EXPECT_EQ(r.left, edit.GetItemRect(1).left);
    EXPECT_EQ(r.right, edit.GetItemRect(2).right);
    EXPECT_EQ(r.top, edit.GetTextRect().top);
    EXPECT_EQ(r.bottom, edit.GetTextRect().bottom);

    edit.paintedRects.clear();
    edit.SetCurValue(111.0f);
    ASSERT_EQ(edit.paintedRects.size(), 1u);
    EXPECT_EQ(edit.paintedRects[0].left, edit.GetItemRect(2).left);
    EXPECT_EQ(edit.paintedRects[0].right, edit.GetItemRect(2).right);

    edit.paintedRects.clear();
    edit.SetCurValue(111.0f);  // no change, no paint
    kx::PumpMessages();
    EXPECT_TRUE(edit.paintedRects.empty());
}

TEST_F(NumEditLayout, FramesSeparatorAndArrows)
{
    Create(ES_RIGHT);
    kx::ClientCapture cap(edit.m_hWnd);
    const int W = 100, H = 20, cx = Cx();
    // Outer frame: dark top and left, light right and bottom; the top-right corner is light.
    EXPECT_EQ(cap.At(0, 0), kFrameDark);
    EXPECT_EQ(cap.At(0, H / 2), kFrameDark);
    EXPECT_EQ(cap.At(W / 2, 0), kFrameDark);
    EXPECT_EQ(cap.At(W - 1, 0), kFrameLight);
    EXPECT_EQ(cap.At(W - 1, H / 2), kFrameLight);
    EXPECT_EQ(cap.At(W / 2, H - 1), kFrameLight);
    // The separator column lies under the buttons' left frames, which are drawn after it;
    // one background column parts the text box from them.
    for (int y = 1; y < H - 1; ++y) {
        EXPECT_EQ(cap.At(W - cx - 1, y), kBoxFrame) << y;
        EXPECT_EQ(cap.At(W - cx - 2, y), getdefaultColor(DEFCLR_BK)) << y;
    }
    // Text box frame and fill.
    EXPECT_EQ(cap.At(1, 1), kBoxFrame);
    EXPECT_EQ(cap.At(W - cx - 3, H / 2), kBoxFrame);
    EXPECT_EQ(cap.At(3, H - 2), kBoxFrame);
    EXPECT_EQ(cap.At(2, 2), kEditBk);
    // Button frames: the upper ends above the split row, the lower starts on it.
    const int stepLeft = W - 1 - cx;
    EXPECT_EQ(cap.At(stepLeft, 1), kBoxFrame);
    EXPECT_EQ(cap.At(W - 2, 9), kBoxFrame);
    EXPECT_EQ(cap.At(stepLeft + 3, 10), kBoxFrame);
    EXPECT_EQ(cap.At(W - 2, 18), kBoxFrame);

    // The arrows: filled triangles in the edit text colour, up above, down below.
    const COLORREF arrow = getdefaultColor(DEFCLR_EDITTEXT);
    CRect upper(stepLeft, 1, W - 1, 10), lower(stepLeft, 10, W - 1, 19);
    EXPECT_GT(CountColour(cap, upper, arrow), 0);
    EXPECT_GT(CountColour(cap, lower, arrow), 0);
    // Up arrow: wider at the bottom; down arrow: wider at the top.
    auto rowCount = [&](int y, const CRect& b) { return cap.CountInRow(y, b.left, b.right, arrow); };
    int upFirst = -1, upLast = -1, downFirst = -1, downLast = -1;
    for (int y = upper.top; y < upper.bottom; ++y)
        if (rowCount(y, upper)) { if (upFirst < 0) upFirst = y; upLast = y; }
    for (int y = lower.top; y < lower.bottom; ++y)
        if (rowCount(y, lower)) { if (downFirst < 0) downFirst = y; downLast = y; }
    ASSERT_GE(upFirst, 0);
    ASSERT_GE(downFirst, 0);
    EXPECT_LT(rowCount(upFirst, upper), rowCount(upLast, upper));
    EXPECT_GT(rowCount(downFirst, lower), rowCount(downLast, lower));
}

TEST_F(NumEditLayout, DisabledAndReadOnlyDrawGreyDoubleAndGreyArrows)
{
    Create(ES_RIGHT);
    edit.SetCurValue(88.0f);
    const COLORREF grey = getdefaultColor(DEFCLR_DISABLEDTEXT);
    const COLORREF active = getdefaultColor(DEFCLR_EDITTEXT);
    CRect text = edit.GetTextRect();
    text.InflateRect(1, 1);
    CRect buttons(100 - 1 - Cx(), 1, 99, 19);
    {
        kx::ClientCapture cap(edit.m_hWnd);
        EXPECT_EQ(CountColour(cap, text, grey), 0);
        EXPECT_EQ(CountColour(cap, buttons, grey), 0);
    }
    edit.EnableWindow(FALSE);
    kx::PumpMessages();
    {
        kx::ClientCapture cap(edit.m_hWnd);
        EXPECT_GT(CountColour(cap, text, grey), 0);
        EXPECT_GT(CountColour(cap, buttons, grey), 0);
        EXPECT_EQ(CountColour(cap, buttons, active), 0);
    }
    edit.EnableWindow(TRUE);
    edit.ModifyStyle(0, ES_READONLY);
    edit.Invalidate();
    kx::PumpMessages();
    {
        kx::ClientCapture cap(edit.m_hWnd);
        EXPECT_GT(CountColour(cap, text, grey), 0);
        EXPECT_GT(CountColour(cap, buttons, grey), 0);
    }
}

TEST_F(NumEditLayout, BackgroundColoursAndTheTextBoxFill)
{
    Create(ES_RIGHT);
    edit.SetBkColor(RGB(10, 20, 30));
    EXPECT_EQ(edit.GetEditBkColor(), RGB(10, 20, 30));
    kx::PumpMessages();
    {
        kx::ClientCapture cap(edit.m_hWnd);
        EXPECT_EQ(cap.At(2, 2), RGB(10, 20, 30));
    }
    edit.SetEditBkColor(RGB(200, 0, 0));
    kx::PumpMessages();
    kx::ClientCapture cap(edit.m_hWnd);
    EXPECT_EQ(cap.At(2, 2), RGB(200, 0, 0));
    EXPECT_EQ(cap.At(1, 1), kBoxFrame);
}

TEST_F(NumEditLayout, CentredTextPaintsAndNarrowControlsSurvive)
{
    Create(ES_CENTER, 20, 20);  // narrower than the buttons: an inverted text box
    edit.SetCurValue(5.0f);
    kx::PumpMessages();
    EXPECT_EQ(edit.HitTest(CPoint(1, 10)), 0);
    kx::ClientCapture cap(edit.m_hWnd);
    EXPECT_EQ(cap.At(0, 0), kFrameDark);
}

}  // namespace
