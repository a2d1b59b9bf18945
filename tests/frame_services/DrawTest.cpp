// Frames, arrows, signs, fitted images and shortened text, read back pixel by pixel.
#include "Surfaces.h"
#include <KestrelDraw.h>
#include <cwchar>
#include <string>

namespace {

const COLORREF kClear = RGB(1, 2, 3);
const COLORREF kInk = RGB(250, 10, 20);

class DrawTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCommonFunc(); }
    static void TearDownTestSuite() { ExitCommonFunc(); }
};

TEST_F(DrawTest, DrawborderStylesPaintTheirEdgeColours)
{
    const COLORREF light = RGB(80, 95, 122), dark = RGB(21, 32, 43);
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    struct Case { int style; COLORREF tl, br; } cases[] = {
        {1, light, dark}, {-1, dark, light}, {0, bk, bk}, {7, bk, bk},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.style);
        fs::Canvas c(40, 30, kClear);
        CRect r(5, 4, 25, 20);
        drawborder(c.cdc(), r, k.style);
        fs::ExpectFrame(c, r, k.tl, k.br);
    }
}

TEST_F(DrawTest, Draw3DborderShadesClampAtTheChannelLimits)
{
    const COLORREF base = RGB(30, 240, 100);
    const COLORREF light = RGB(80, 255, 150), dark = RGB(0, 190, 50);
    struct Case { int style; COLORREF tl, br; } cases[] = {
        {1, light, dark}, {-1, dark, light}, {0, base, base},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.style);
        fs::Canvas c(30, 30, kClear);
        CRect r(2, 3, 12, 9);
        draw3Dborder(c.cdc(), r, base, k.style);
        fs::ExpectFrame(c, r, k.tl, k.br);
    }
}

TEST_F(DrawTest, OrmDraw3dRectGivesTheOffCornersToTheBottomRightColour)
{
    fs::Canvas c(20, 20, kClear);
    CRect r(3, 3, 13, 11);
    OrmDraw3dRect(c.dc(), r, RGB(200, 0, 0), RGB(0, 0, 200));
    fs::ExpectFrame(c, r, RGB(200, 0, 0), RGB(0, 0, 200));
    EXPECT_EQ(RGB(0, 0, 200), c.At(12, 3));
    EXPECT_EQ(RGB(0, 0, 200), c.At(3, 10));
    EXPECT_EQ(RGB(200, 0, 0), c.At(3, 3));
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

// The arrow's tip and base for each face in an odd and an even square.
struct ArrowCase {
    ENUMARROWFACE2 face;
    RECT rect;
    POINT tip;        // painted
    POINT beyondTip;  // not painted
    POINT baseEnd;    // painted: an end of the base
    POINT beyondBase; // not painted
};

TEST_F(DrawTest, ArrowsSitCentredWithTheirTipsOutward)
{
    // Region fills leave out the right and bottom edges of the triangle, so the right and
    // down tips and the left and up bases show one pixel short of their corner points.
    // 30 x 30: s = 10, h = 5, centre (15,15). 33 x 33: s = 11, h = 5, centre (16,16).
    const ArrowCase cases[] = {
        {ARROWFACE2_LEFT, {0, 0, 30, 30}, {10, 15}, {9, 15}, {18, 7}, {19, 15}},
        {ARROWFACE2_RIGHT, {0, 0, 30, 30}, {19, 15}, {20, 15}, {11, 7}, {10, 15}},
        {ARROWFACE2_UP, {0, 0, 30, 30}, {15, 11}, {15, 10}, {6, 19}, {6, 20}},
        {ARROWFACE2_DOWN, {0, 0, 30, 30}, {15, 19}, {15, 20}, {6, 11}, {15, 10}},
        {ARROWFACE2_LEFT, {0, 0, 33, 33}, {11, 16}, {10, 16}, {20, 7}, {21, 16}},
        {ARROWFACE2_RIGHT, {0, 0, 33, 33}, {20, 16}, {21, 16}, {11, 7}, {10, 16}},
        {ARROWFACE2_UP, {0, 0, 33, 33}, {16, 12}, {16, 11}, {6, 21}, {6, 22}},
        {ARROWFACE2_DOWN, {0, 0, 33, 33}, {16, 20}, {16, 21}, {6, 11}, {16, 10}},
    };
    for (const ArrowCase& k : cases) {
        SCOPED_TRACE(testing::Message() << "face " << k.face << " size " << k.rect.right);
        fs::Canvas c(40, 40, kClear);
        CRect r(k.rect);
        DrawArrowInRect(c.dc(), r, k.face, kInk);
        EXPECT_EQ(kInk, c.At(k.tip.x, k.tip.y));
        EXPECT_EQ(kClear, c.At(k.beyondTip.x, k.beyondTip.y));
        EXPECT_EQ(kInk, c.At(k.baseEnd.x, k.baseEnd.y));
        EXPECT_EQ(kClear, c.At(k.beyondBase.x, k.beyondBase.y));
        EXPECT_EQ(kInk, c.At(k.rect.right / 2, k.rect.bottom / 2));
    }
}

TEST_F(DrawTest, ArrowSizeFollowsTheShorterSideAndUnknownFacesDrawNothing)
{
    fs::Canvas c(20, 40, kClear);
    // 4 wide and 30 high: an up arrow of s = 2, not 10.
    CRect tall(0, 0, 4, 30);
    DrawArrowInRect(c.dc(), tall, ARROWFACE2_UP, kInk);
    EXPECT_EQ(0, c.CountPainted(0, 0, 20, 13));
    EXPECT_EQ(0, c.CountPainted(0, 17, 20, 40));
    EXPECT_GT(c.CountPainted(), 0);
    EXPECT_LE(c.CountPainted(), 9);

    fs::Canvas none(40, 40, kClear);
    CRect r(0, 0, 30, 30);
    DrawArrowInRect(none.cdc(), r, static_cast<ENUMARROWFACE2>(4), kInk);
    EXPECT_EQ(0, none.CountPainted());
}

TEST_F(DrawTest, CheckMarkIsSevenThreePixelStrokes)
{
    fs::Canvas c(30, 30, kClear);
    CRect r(2, 1, 22, 21);
    EXPECT_EQ(1, DrawSign(c.dc(), r, SIGN_CHECK, kInk));
    const int x0 = 2, y0 = 1 + 6;
    const int start[] = {2, 3, 4, 3, 2, 1, 0};
    for (int i = 0; i < 7; ++i) {
        SCOPED_TRACE(i);
        const int x = x0 + 6 + i;
        EXPECT_EQ(kClear, c.At(x, y0 + start[i] - 1));
        for (int k = 0; k < 3; ++k) EXPECT_EQ(kInk, c.At(x, y0 + start[i] + k));
        EXPECT_EQ(kClear, c.At(x, y0 + start[i] + 3));
    }
    EXPECT_EQ(21, c.CountPainted());
    // The caller's pen is back.
    EXPECT_EQ(::GetStockObject(BLACK_PEN), ::GetCurrentObject(c.dc(), OBJ_PEN));
}

TEST_F(DrawTest, DotFillsItsSixPixelBox)
{
    fs::Canvas c(30, 30, kClear);
    CRect r(10, 10, 30, 30);
    EXPECT_EQ(1, DrawSign(c.cdc(), r, SIGN_DOT, kInk));
    // Box (15,14)-(21,20).
    EXPECT_EQ(kInk, c.At(17, 16));
    EXPECT_EQ(kInk, c.At(18, 17));
    EXPECT_EQ(c.CountPainted(), c.CountPainted(15, 14, 21, 20));
    EXPECT_GE(c.CountPainted(), 16);
    EXPECT_EQ(::GetStockObject(WHITE_BRUSH), ::GetCurrentObject(c.dc(), OBJ_BRUSH));

    fs::Canvas none(30, 30, kClear);
    EXPECT_EQ(1, DrawSign(none.dc(), r, static_cast<ENUMSIGN>(2), kInk));
    EXPECT_EQ(0, none.CountPainted());
}

TEST_F(DrawTest, NcEditDrawsTwoRingsWithDefaultsOrGivenColours)
{
    const COLORREF editText = getdefaultColor(DEFCLR_EDITTEXT);
    {
        fs::Canvas c(30, 30, kClear);
        OnNcEdit(c.cdc(), CRect(4, 4, 24, 20), KESTREL_DEFAULT_COLOR, KESTREL_DEFAULT_COLOR);
        EXPECT_EQ(editText, c.At(4, 4));
        EXPECT_EQ(editText, c.At(10, 4));
        EXPECT_EQ(editText, c.At(4, 10));
        EXPECT_EQ(RGB(178, 178, 178), c.At(23, 10));
        EXPECT_EQ(RGB(178, 178, 178), c.At(10, 19));
        EXPECT_EQ(RGB(178, 178, 178), c.At(23, 4));
        EXPECT_EQ(RGB(82, 84, 89), c.At(5, 5));
        EXPECT_EQ(RGB(82, 84, 89), c.At(10, 5));
        EXPECT_EQ(RGB(82, 84, 89), c.At(5, 10));
        EXPECT_EQ(editText, c.At(22, 10));
        EXPECT_EQ(editText, c.At(10, 18));
        EXPECT_EQ(kClear, c.At(6, 6));
        EXPECT_EQ(2 * 20 + 2 * 16 - 4 + 2 * 18 + 2 * 14 - 4, c.CountPainted());
    }
    {
        const COLORREF c1 = RGB(10, 200, 10), c2 = RGB(200, 10, 200);
        fs::Canvas c(30, 30, kClear);
        OnNcEdit(c.cdc(), CRect(0, 0, 10, 10), c1, c2);
        EXPECT_EQ(c2, c.At(0, 5));
        EXPECT_EQ(c1, c.At(9, 5));
        EXPECT_EQ(c1, c.At(1, 5));
        EXPECT_EQ(c2, c.At(8, 5));
        EXPECT_EQ(c2, c.At(5, 8));
    }
}

TEST_F(DrawTest, RectangleArithmetic)
{
    const RECT a{0, 0, 10, 10}, touching{10, 0, 20, 10}, corner{9, 9, 20, 20};
    EXPECT_FALSE(IsRectIntersect(&a, &touching));
    EXPECT_TRUE(IsRectIntersect(&a, &corner));
    EXPECT_FALSE(IsRectIntersect(&a, nullptr));

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
    fs::Canvas source(10, 10, RGB(0, 160, 0));
    HBITMAP bmp = static_cast<HBITMAP>(::GetCurrentObject(source.dc(), OBJ_BITMAP));
    HBITMAP green = static_cast<HBITMAP>(::CopyImage(bmp, IMAGE_BITMAP, 0, 0, 0));
    ASSERT_NE(nullptr, green);
    const int handle = static_cast<int>(reinterpret_cast<INT_PTR>(green));
    fs::Canvas c(110, 60, kClear);
    EXPECT_TRUE(DrawImg(c.dc(), handle, nullptr, rc, 0));
    EXPECT_EQ(RGB(0, 160, 0), c.At(25, 0));
    EXPECT_EQ(RGB(0, 160, 0), c.At(74, 49));
    EXPECT_EQ(kClear, c.At(24, 20));
    EXPECT_EQ(kClear, c.At(75, 20));
    EXPECT_TRUE(DrawImg(nullptr, handle, nullptr, rc, 0));

    // Index 0 of a one-image list lands at the rectangle's corner; index 1 draws nothing.
    HIMAGELIST list = ImageList_Create(8, 8, ILC_COLOR24, 1, 0);
    ASSERT_NE(nullptr, list);
    HBITMAP tile = static_cast<HBITMAP>(::CopyImage(green, IMAGE_BITMAP, 8, 8, 0));
    ImageList_Add(list, tile, nullptr);
    fs::Canvas l(40, 40, kClear);
    EXPECT_TRUE(DrawImg(l.dc(), 0, list, CRect(20, 20, 40, 40), 0));
    EXPECT_EQ(RGB(0, 160, 0), l.At(20, 20));
    EXPECT_EQ(RGB(0, 160, 0), l.At(27, 27));
    EXPECT_EQ(kClear, l.At(28, 28));
    fs::Canvas empty(40, 40, kClear);
    EXPECT_TRUE(DrawImg(empty.dc(), 1, list, CRect(0, 0, 40, 40), 0));
    EXPECT_EQ(0, empty.CountPainted());
    ImageList_Destroy(list);
    ::DeleteObject(tile);
    ::DeleteObject(green);
}

TEST_F(DrawTest, ShortStringsFitTheWidthOrReturnTheTextItself)
{
    fs::Canvas c(4, 4, kClear);
    ::SelectObject(c.dc(), ::GetStockObject(DEFAULT_GUI_FONT));
    const wchar_t* text = L"A rather long caption for a narrow column";
    EXPECT_EQ(text, MakeShortString(c.dc(), text, 10000));
    EXPECT_EQ(text, MakeShortString(nullptr, text, 1));
    const wchar_t* empty = L"";
    EXPECT_EQ(empty, MakeShortString(c.dc(), empty, 0));

    SIZE full{};
    ::GetTextExtentPoint32W(c.dc(), text, static_cast<int>(std::wcslen(text)), &full);
    const int width = full.cx / 2;
    const wchar_t* shortened = MakeShortString(c.dc(), text, width);
    ASSERT_NE(text, shortened);
    const std::wstring s(shortened);
    ASSERT_GT(s.size(), 3u);
    EXPECT_EQ(L"...", s.substr(s.size() - 3));
    EXPECT_EQ(0, std::wcsncmp(text, shortened, s.size() - 3));
    SIZE got{};
    ::GetTextExtentPoint32W(c.dc(), shortened, static_cast<int>(s.size()), &got);
    EXPECT_LE(got.cx, width);
    // One more character would not have fitted.
    const std::wstring longer = std::wstring(text, s.size() - 2) + L"...";
    ::GetTextExtentPoint32W(c.dc(), longer.c_str(), static_cast<int>(longer.size()), &got);
    EXPECT_GT(got.cx, width);

    // Too narrow for anything but the dots.
    EXPECT_STREQ(L"...", MakeShortString(c.dc(), text, 1));
    // The buffer is shared: the next shortening overwrites it.
    EXPECT_EQ(shortened, MakeShortString(c.dc(), text, 1));
}

TEST_F(DrawTest, AnOverlongFittingPrefixIsCutToLeaveRoomForTheDots)
{
    fs::Canvas c(4, 4, kClear);
    const std::wstring text(400, L'i');
    SIZE full{};
    ::GetTextExtentPoint32W(c.dc(), text.c_str(), static_cast<int>(text.size()), &full);
    const wchar_t* shortened = MakeShortString(c.dc(), text.c_str(), full.cx - 1);
    EXPECT_EQ(std::wstring(252, L'i') + L"...", std::wstring(shortened));
}

}  // namespace
