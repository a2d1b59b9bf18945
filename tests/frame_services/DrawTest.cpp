// Frames, arrows, signs, fitted images and shortened text, read back pixel by pixel.
#include "Harness.h"
#include <KestrelDraw.h>
#include <cwchar>
#include <functional>
#include <string>

namespace {

const COLORREF kClear = RGB(1, 2, 3);
const COLORREF kInk = RGB(250, 10, 20);
using kx::Canvas;

class DrawTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCommonFunc(); }
    static void TearDownTestSuite() { ExitCommonFunc(); }
};

// The one-pixel frame: top and left in tl, right and bottom in br (so the top-right and
// bottom-left corners in br), nothing inside it or around it.
void ExpectFrame(const Canvas& c, const RECT& r, COLORREF tl, COLORREF br)
{
    for (int x = r.left; x < r.right - 1; ++x) EXPECT_EQ(tl, c.At(x, r.top)) << "top x=" << x;
    for (int y = r.top; y < r.bottom - 1; ++y) EXPECT_EQ(tl, c.At(r.left, y)) << "left y=" << y;
    for (int y = r.top; y < r.bottom; ++y) EXPECT_EQ(br, c.At(r.right - 1, y)) << "right y=" << y;
    for (int x = r.left; x < r.right; ++x) EXPECT_EQ(br, c.At(x, r.bottom - 1)) << "bottom x=" << x;
    EXPECT_EQ(2 * (r.right - r.left) + 2 * (r.bottom - r.top) - 4, c.CountPainted());
}

TEST_F(DrawTest, FramesPaintTheirEdgeColours)
{
    const COLORREF light = RGB(80, 95, 122), dark = RGB(21, 32, 43), bk = getdefaultColor(DEFCLR_BK);
    // draw3Dborder's shades of RGB(30,240,100) clamp at both ends of a channel.
    const COLORREF base = RGB(30, 240, 100), shadeUp = RGB(80, 255, 150), shadeDown = RGB(0, 190, 50);
    using Draw = std::function<void(Canvas&, CRect&)>;
    struct Case { const char* name; Draw draw; COLORREF tl, br; } cases[] = {
        {"drawborder 1", [](Canvas& c, CRect& r) { drawborder(c.cdc(), r, 1); }, light, dark},
        {"drawborder -1", [](Canvas& c, CRect& r) { drawborder(c.cdc(), r, -1); }, dark, light},
        {"drawborder 7", [](Canvas& c, CRect& r) { drawborder(c.cdc(), r, 7); }, bk, bk},
        {"draw3Dborder 1", [&](Canvas& c, CRect& r) { draw3Dborder(c.cdc(), r, base, 1); }, shadeUp, shadeDown},
        {"draw3Dborder -1", [&](Canvas& c, CRect& r) { draw3Dborder(c.cdc(), r, base, -1); }, shadeDown, shadeUp},
        {"draw3Dborder 0", [&](Canvas& c, CRect& r) { draw3Dborder(c.cdc(), r, base, 0); }, base, base},
        {"OrmDraw3dRect", [](Canvas& c, CRect& r) { OrmDraw3dRect(c.dc(), r, RGB(200, 0, 0), RGB(0, 0, 200)); },
         RGB(200, 0, 0), RGB(0, 0, 200)},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        Canvas c(40, 30, kClear);
        CRect r(5, 4, 25, 20);
        k.draw(c, r);
        ExpectFrame(c, r, k.tl, k.br);
    }
}

TEST_F(DrawTest, DrawingWithoutAContextIsIgnored)
{
    CRect r(0, 0, 10, 10);
    drawborder(nullptr, r, 1);
    draw3Dborder(nullptr, r, kInk, -1);
    OrmDraw3dRect(nullptr, r, kInk, kInk);
    DrawArrowInRect(static_cast<HDC>(nullptr), r, ARROWFACE2_UP, kInk);
    EXPECT_EQ(1, DrawSign(static_cast<CDC*>(nullptr), r, SIGN_CHECK, kInk));
    OnNcEdit(nullptr, r, kInk, kInk);
    OnNcPaintBorder(nullptr, 1, kInk, kInk);
    PopWin2Center(nullptr, 0);
}

TEST_F(DrawTest, ArrowsSitCentredWithTheirTipsOutward)
{
    // Region fills leave out the right and bottom edges of the triangle, so the right and
    // down tips and the left and up bases show one pixel short of their corner points.
    // 30 x 30: s = 10, h = 5, centre (15,15). 33 x 33: s = 11, h = 5, centre (16,16).
    // The up arrow's base is one row lower and a pixel wider on each side than the others'.
    struct Case { ENUMARROWFACE2 face; int size; POINT tip, beyondTip, baseEnd, beyondBase; } cases[] = {
        {ARROWFACE2_LEFT, 30, {10, 15}, {9, 15}, {18, 7}, {19, 15}},
        {ARROWFACE2_RIGHT, 30, {19, 15}, {20, 15}, {11, 7}, {10, 15}},
        {ARROWFACE2_UP, 30, {15, 11}, {15, 10}, {6, 19}, {6, 20}},
        {ARROWFACE2_DOWN, 30, {15, 19}, {15, 20}, {6, 11}, {15, 10}},
        {ARROWFACE2_LEFT, 33, {11, 16}, {10, 16}, {20, 7}, {21, 16}},
        {ARROWFACE2_RIGHT, 33, {20, 16}, {21, 16}, {11, 7}, {10, 16}},
        {ARROWFACE2_UP, 33, {16, 12}, {16, 11}, {6, 21}, {6, 22}},
        {ARROWFACE2_DOWN, 33, {16, 20}, {16, 21}, {6, 11}, {16, 10}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(testing::Message() << "face " << k.face << " size " << k.size);
        Canvas c(40, 40, kClear);
        CRect r(0, 0, k.size, k.size);
        DrawArrowInRect(c.dc(), r, k.face, kInk);
        EXPECT_EQ(kInk, c.At(k.tip.x, k.tip.y));
        EXPECT_EQ(kClear, c.At(k.beyondTip.x, k.beyondTip.y));
        EXPECT_EQ(kInk, c.At(k.baseEnd.x, k.baseEnd.y));
        EXPECT_EQ(kClear, c.At(k.beyondBase.x, k.beyondBase.y));
    }

    // An unknown face draws nothing; 4 wide and 30 high, an up arrow of s = 2, not 10,
    // stays around the centre row 15.
    Canvas tall(20, 40, kClear);
    CRect narrow(0, 0, 4, 30);
    DrawArrowInRect(tall.cdc(), narrow, static_cast<ENUMARROWFACE2>(4), kInk);
    EXPECT_EQ(0, tall.CountPainted());
    DrawArrowInRect(tall.dc(), narrow, ARROWFACE2_UP, kInk);
    EXPECT_GT(tall.CountPainted(), 0);
    EXPECT_EQ(tall.CountPainted(), tall.CountPainted(0, 13, 20, 17));
    EXPECT_LE(tall.CountPainted(), 9);
}

TEST_F(DrawTest, CheckMarkIsSevenThreePixelStrokesAndTheDotFillsItsBox)
{
    Canvas c(30, 30, kClear);
    CRect r(2, 1, 22, 21);
    EXPECT_EQ(1, DrawSign(c.dc(), r, SIGN_CHECK, kInk));
    const int x0 = 2 + 6, y0 = 1 + 6;
    const int start[] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(kClear, c.At(x0 + i, y0 + start[i] - 1));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(kInk, c.At(x0 + i, y0 + start[i] + k));
        EXPECT_EQ(kClear, c.At(x0 + i, y0 + start[i] + 3));
    }
    EXPECT_EQ(21, c.CountPainted());
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(c.dc(), OBJ_PEN));

    // An unknown sign draws nothing; the dot fills its box (15,14)-(21,20) for a rectangle at (10,10).
    Canvas dot(30, 30, kClear);
    CRect d(10, 10, 30, 30);
    EXPECT_EQ(1, DrawSign(dot.dc(), d, static_cast<ENUMSIGN>(2), kInk));
    EXPECT_EQ(0, dot.CountPainted());
    EXPECT_EQ(1, DrawSign(dot.cdc(), d, SIGN_DOT, kInk));
    EXPECT_EQ(kInk, dot.At(17, 16));
    EXPECT_EQ(dot.CountPainted(), dot.CountPainted(15, 14, 21, 20));
    EXPECT_GE(dot.CountPainted(), 16);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::GetCurrentObject(dot.dc(), OBJ_BRUSH));
}

TEST_F(DrawTest, NcEditDrawsTwoRingsWithDefaultsOrGivenColours)
{
    const COLORREF editText = getdefaultColor(DEFCLR_EDITTEXT), shadow = RGB(178, 178, 178), inner = RGB(82, 84, 89);
    const COLORREF c1 = RGB(10, 200, 10), c2 = RGB(200, 10, 200);
    struct Probe { int x, y; COLORREF byDefault, given; };
    // Rectangle (4,4)-(24,20): outer ring on it, inner ring one pixel in.
    const Probe probes[] = {
        {4, 4, editText, c2},  {10, 4, editText, c2}, {4, 10, editText, c2},  // outer top/left
        {23, 4, shadow, c1},   {23, 10, shadow, c1},  {10, 19, shadow, c1},   // outer right/bottom
        {4, 19, shadow, c1},                                                  // bottom-left corner
        {5, 5, inner, c1},     {10, 5, inner, c1},    {5, 10, inner, c1},     // inner top/left
        {22, 5, editText, c2}, {22, 10, editText, c2}, {10, 18, editText, c2}, // inner right/bottom
        {6, 6, kClear, kClear},
    };
    for (bool given : {false, true}) {
        SCOPED_TRACE(given ? "given colours" : "defaults");
        Canvas c(30, 30, kClear);
        OnNcEdit(c.cdc(), CRect(4, 4, 24, 20), given ? c1 : KESTREL_DEFAULT_COLOR, given ? c2 : KESTREL_DEFAULT_COLOR);
        for (const Probe& p : probes) EXPECT_EQ(given ? p.given : p.byDefault, c.At(p.x, p.y)) << p.x << "," << p.y;
        EXPECT_EQ(2 * 20 + 2 * 16 - 4 + 2 * 18 + 2 * 14 - 4, c.CountPainted());
    }
}

TEST_F(DrawTest, RectangleArithmetic)
{
    const RECT a{0, 0, 10, 10}, touching{10, 0, 20, 10}, corner{9, 9, 20, 20};
    EXPECT_FALSE(IsRectIntersect(&a, &touching));
    EXPECT_TRUE(IsRectIntersect(&a, &corner));

    CRect rc(0, 0, 10, 10);
    CalRect4Fit(CRect(0, 0, 100, 50), rc, 0);
    EXPECT_EQ(CRect(25, 0, 75, 50), rc);
    rc = CRect(0, 0, 10, 10);
    CalRect4Fit(CRect(0, 0, 50, 100), rc, 0);
    EXPECT_EQ(CRect(0, 25, 50, 75), rc);
    CalRect4Fit(CRect(0, 0, 100, 50), rc, 1);  // other modes leave rc alone
    EXPECT_EQ(CRect(0, 25, 50, 75), rc);
    rc = CRect(0, 0, 0, 0);
    CalRect4Fit(CRect(0, 0, 100, 50), rc, 0);  // nothing to scale: no crash
}

TEST_F(DrawTest, ImagesComeFromAnImageListOrAFittedBitmap)
{
    CRect rc(0, 0, 100, 50);
    EXPECT_FALSE(DrawImg(nullptr, -1, nullptr, rc, 0));
    EXPECT_FALSE(DrawImg(nullptr, 5, nullptr, rc, 0));  // too small to be a handle

    // A 10 x 10 bitmap stretched into the middle 50 x 50 of a 100 x 50 frame.
    Canvas source(10, 10, RGB(0, 160, 0));
    HBITMAP green = static_cast<HBITMAP>(::CopyImage(source.bitmap(), IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, green);
    const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(green));
    Canvas c(110, 60, kClear);
    EXPECT_TRUE(DrawImg(c.dc(), handle, nullptr, rc, 0));
    EXPECT_EQ(RGB(0, 160, 0), c.At(25, 0));
    EXPECT_EQ(RGB(0, 160, 0), c.At(74, 49));
    EXPECT_EQ(kClear, c.At(24, 20));
    EXPECT_EQ(kClear, c.At(75, 20));
    EXPECT_TRUE(DrawImg(nullptr, handle, nullptr, rc, 0));

    // Index 0 of a one-image list lands at the rectangle's corner; index 1 draws nothing.
    HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR24, 1, 0);
    HBITMAP tile = static_cast<HBITMAP>(::CopyImage(green, IMAGE_BITMAP, 8, 8, 0));
    ASSERT_EQ(0, ImageList_Add(list, tile, nullptr));
    Canvas l(40, 40, kClear);
    EXPECT_TRUE(DrawImg(l.dc(), 1, list, CRect(0, 0, 40, 40), 0));
    EXPECT_EQ(0, l.CountPainted());
    EXPECT_TRUE(DrawImg(l.dc(), 0, list, CRect(20, 20, 40, 40), 0));
    EXPECT_EQ(64, l.CountPainted(20, 20, 28, 28));
    EXPECT_EQ(64, l.CountPainted());
    ImageList_Destroy(list);
    ::DeleteObject(tile);
    ::DeleteObject(green);
}

TEST_F(DrawTest, ShortStringsFitTheWidthOrReturnTheTextItself)
{
    Canvas c(4, 4, kClear);
    ::SelectObject(c.dc(), ::GetStockObject(DEFAULT_GUI_FONT));
    auto extent = [&](const std::wstring& s) {
        SIZE size{};
        ::GetTextExtentPoint32W(c.dc(), s.c_str(), static_cast<int>(s.size()), &size);
        return static_cast<int>(size.cx);
    };
    const wchar_t* text = L"A rather long caption for a narrow column";
    EXPECT_EQ(text, MakeShortString(c.dc(), text, 10000));
    EXPECT_EQ(text, MakeShortString(nullptr, text, 1));
    const wchar_t* empty = L"";
    EXPECT_EQ(empty, MakeShortString(c.dc(), empty, 0));

    // The longest prefix that fits with the dots: one more character would not.
    const int width = extent(text) / 2;
    const wchar_t* shortened = MakeShortString(c.dc(), text, width);
    ASSERT_NE(text, shortened);
    const std::wstring s(shortened);
    ASSERT_GT(s.size(), 3u);
    EXPECT_EQ(std::wstring(text, s.size() - 3) + L"...", s);
    EXPECT_LE(extent(s), width);
    EXPECT_GT(extent(std::wstring(text, s.size() - 2) + L"..."), width);

    // Too narrow for anything but the dots; the buffer is shared, so it is overwritten.
    EXPECT_STREQ(L"...", MakeShortString(c.dc(), text, 1));
    EXPECT_EQ(shortened, MakeShortString(c.dc(), text, 1));

    // A fitting prefix too long for the buffer is cut to leave room for the dots.
    const std::wstring longText(400, L'i');
    EXPECT_EQ(std::wstring(252, L'i') + L"...", std::wstring(MakeShortString(c.dc(), longText.c_str(), extent(longText) - 1)));
}

}  // namespace
