// CFreeMenu's default DrawItem and MeasureItem on a memory bitmap, one row per item state.
#include "MenuTesting.h"
#include <vector>

namespace {

constexpr COLORREF kClear = RGB(1, 2, 3);
constexpr COLORREF kHot = RGB(69, 93, 141);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(89, 89, 89);
constexpr int kWidth = 120;  // rows are 20 high: H = 20, text from 26, arrow in 111..114

class MenuDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.CreatePopupMenu();
        sub.CreatePopupMenu();
        // A face without antialiasing: text pixels come out in the text colour alone.
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy(lf.lfFaceName, L"Liberation Mono");
        font = ::CreateFontIndirectW(&lf);
    }
    void TearDown() override { ::DeleteObject(font); }

    // Draws item `index` (or the background, itemAction 1) over the whole canvas as a paint pass does.
    void Draw(kx::Canvas& canvas, int height, int index, UINT state, UINT action = 0)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = static_cast<UINT>(index);
        dis.itemAction = action;
        dis.itemState = state;
        dis.hDC = canvas.dc();
        dis.rcItem = CRect(0, 0, kWidth, height);
        HGDIOBJ old = ::SelectObject(canvas.dc(), font);
        ::SetBkMode(canvas.dc(), TRANSPARENT);
        menu.DrawItem(&dis);
        ::SelectObject(canvas.dc(), old);
    }
    static int Count(const kx::Canvas& c, int x0, int y0, int x1, int y1, COLORREF clr)
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += c.At(x, y) == clr;
        return n;
    }

    CFreeMenu menu, sub;
    HFONT font = nullptr;
};

TEST_F(MenuDraw, EveryItemState)
{
    menu.AppendMenuW(MF_STRING | MF_CHECKED, 1, L"WWW");
    menu.AppendMenuW(MF_STRING | MF_GRAYED, 2, L"WWW");
    menu.AppendMenuW(MF_SEPARATOR);
    menu.AppendMenuW(MF_SEPARATOR | MF_GRAYED);
    menu.AppendMenuW(MF_POPUP | MF_DISABLED, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"");

    kx::Canvas back(kWidth, 20, kClear);
    Draw(back, 20, -1, 0, 1);
    EXPECT_EQ(Count(back, 0, 0, kWidth, 20, RGB(43, 51, 67)), kWidth * 20);

    // Hot and checked: the band leaves 2 pixels on each side; white mark and white text.
    kx::Canvas hot(kWidth, 20, kClear);
    Draw(hot, 20, 0, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(Count(hot, 2, 0, 118, 20, kHot) + Count(hot, 2, 0, 118, 20, kWhite), 116 * 20);
    EXPECT_EQ(hot.CountPainted(0, 0, 2, 20) + hot.CountPainted(118, 0, kWidth, 20), 0);
    const int mark = Count(hot, 4, 2, 20, 18, kWhite);
    EXPECT_GT(mark, 0);
    EXPECT_GT(Count(hot, 26, 0, 106, 20, kWhite), 0);
    EXPECT_EQ(Count(hot, 0, 0, 26, 20, kWhite), mark);  // the text starts at H + 6

    // Checked, not hot: a black mark and the normal text colour, nothing else.
    kx::Canvas plain(kWidth, 20, kClear);
    Draw(plain, 20, 0, ODS_CHECKED);
    EXPECT_GT(Count(plain, 4, 2, 20, 18, kBlack), 0);
    EXPECT_GT(Count(plain, 26, 0, 106, 20, RGB(173, 187, 210)), 0);
    EXPECT_EQ(plain.CountPainted(20, 0, 26, 20), 0);

    // Grayed: grey text on the band too; only disabled and hot: white.
    kx::Canvas grayed(kWidth, 20, kClear), disabledHot(kWidth, 20, kClear);
    Draw(grayed, 20, 1, ODS_SELECTED | ODS_GRAYED);
    Draw(disabledHot, 20, 1, ODS_SELECTED | ODS_DISABLED);
    EXPECT_GT(Count(grayed, 26, 0, 106, 20, kGrey), 0);
    EXPECT_EQ(Count(grayed, 26, 0, 106, 20, kWhite), 0);
    EXPECT_GT(Count(disabledHot, 26, 0, 106, 20, kWhite), 0);

    // A separator row 8 high: one black line 3 below its top, 2 pixels in from each side.
    kx::Canvas line(kWidth, 8, kClear);
    Draw(line, 8, 2, 0);
    EXPECT_EQ(Count(line, 2, 3, 118, 4, kBlack), 116);
    EXPECT_EQ(line.CountPainted(), 116);
    kx::Canvas notLine(kWidth, 20, kClear);
    Draw(notLine, 20, 3, 0);  // separator bit plus grayed: an empty text row
    EXPECT_EQ(notLine.CountPainted(), 0);

    // The submenu arrow points right inside its 4 x 7 box; white on the band.
    kx::Canvas arrow(kWidth, 20, kClear), hotArrow(kWidth, 20, kClear);
    Draw(arrow, 20, 4, ODS_DISABLED);
    Draw(hotArrow, 20, 4, ODS_SELECTED);
    const int arrowPixels = Count(arrow, 111, 7, 115, 14, kBlack);
    EXPECT_EQ(arrow.CountPainted(), arrowPixels);
    EXPECT_GT(Count(arrow, 111, 7, 112, 14, kBlack), Count(arrow, 113, 7, 114, 14, kBlack));
    EXPECT_EQ(Count(hotArrow, 111, 7, 115, 14, kWhite), arrowPixels);
}

TEST_F(MenuDraw, ImagesBitmapsAndMeasuring)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    const std::vector<DWORD> redBits(256, 0xFF0000), greenBits(16, 0x00FF00);
    HBITMAP red = ::CreateBitmap(16, 16, 1, 32, redBits.data());
    ASSERT_EQ(ImageList_Add(images, red, nullptr), 0);
    CBitmap green;
    ASSERT_TRUE(green.CreateBitmap(4, 4, 1, 32, greenBits.data()));
    menu.AppendMenuW(MF_STRING, 1, L"");          // bitmap value 0: image 0, with a list
    menu.AppendMenuW(MF_STRING, 2, &green, L"");  // a handle: stretched into the image box
    menu.AppendMenuW(MF_STRING, 3, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(254)), L"WWW");

    kx::Canvas none(kWidth, 20, kClear), stretched(kWidth, 20, kClear);
    Draw(none, 20, 0, 0);
    Draw(stretched, 20, 1, 0);
    EXPECT_EQ(none.CountPainted(), 0);
    EXPECT_EQ(Count(stretched, 22, 0, 42, 20, RGB(0, 255, 0)), 400);
    MEASUREITEMSTRUCT mis{};
    mis.itemWidth = 10;
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 46u);
    EXPECT_EQ(mis.itemHeight, 20u);

    menu.SetImageList(images);
    kx::Canvas image(kWidth, 20, kClear), text(kWidth, 20, kClear);
    Draw(image, 20, 0, 0);
    Draw(text, 20, 2, 0);
    EXPECT_EQ(Count(image, 22, 0, 38, 16, RGB(255, 0, 0)), 256);
    EXPECT_EQ(image.CountPainted(), 256);
    EXPECT_EQ(text.CountPainted(0, 0, 46, 20), 0);  // with a list the text starts at 2H + 6
    EXPECT_GT(text.CountPainted(46, 0, kWidth, 20), 0);
    mis = MEASUREITEMSTRUCT{};
    mis.itemWidth = 10;
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 42u);
    EXPECT_EQ(mis.itemHeight, 16u);

    bool threw = false;
    try {
        Draw(text, 20, 3, 0);
    } catch (CInvalidArgException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    ImageList_Destroy(images);
    ::DeleteObject(red);
}

}  // namespace
