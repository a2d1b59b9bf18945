// CFreeMenu's default DrawItem and MeasureItem on a memory bitmap, one row per item state.
#include "MenuTesting.h"
#include <vector>

namespace {

constexpr COLORREF kClear = RGB(1, 2, 3);
constexpr COLORREF kBack = RGB(43, 51, 67);
constexpr COLORREF kHot = RGB(69, 93, 141);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kGrey = RGB(89, 89, 89);
constexpr COLORREF kText = RGB(173, 187, 210);
constexpr int kWidth = 120;

class MenuDraw : public ::testing::Test {
protected:
    void SetUp() override
    {
        menu.CreatePopupMenu();
        sub.CreatePopupMenu();
        // Text pixels of a non-antialiased face come out in the text colour alone.
        LOGFONTW lf{};
        lf.lfHeight = -12;
        lf.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy(lf.lfFaceName, L"Liberation Mono");
        font = ::CreateFontIndirectW(&lf);
    }
    void TearDown() override { ::DeleteObject(font); }

    int Count(const kx::Canvas& c, int x0, int y0, int x1, int y1, COLORREF clr) const
    {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) n += c.At(x, y) == clr;
        return n;
    }
    // Draws item `index` over the canvas's first row as a paint pass does.
    void DrawRow(kx::Canvas& canvas, int index, UINT state)
    {
        DRAWITEMSTRUCT dis{};
        dis.CtlType = ODT_MENU;
        dis.itemID = static_cast<UINT>(index);
        dis.itemState = state;
        dis.hDC = canvas.dc();
        dis.rcItem = CRect(0, 0, kWidth, canvas_height);
        HGDIOBJ old = ::SelectObject(canvas.dc(), font);
        ::SetBkMode(canvas.dc(), TRANSPARENT);
        menu.DrawItem(&dis);
        ::SelectObject(canvas.dc(), old);
    }

    CFreeMenu menu, sub;
    HFONT font = nullptr;
    int canvas_height = 20;
};

TEST_F(MenuDraw, BackgroundHotBandChecksAndTextColours)
{
    menu.AppendMenuW(MF_STRING | MF_CHECKED, 1, L"WWW");
    menu.AppendMenuW(MF_STRING | MF_GRAYED, 2, L"WWW");
    menu.AppendMenuW(MF_STRING | MF_DISABLED, 3, L"WWW");

    kx::Canvas back(kWidth, 30, kClear);
    DRAWITEMSTRUCT dis{};
    dis.itemID = static_cast<UINT>(-1);
    dis.itemAction = 1;
    dis.hDC = back.dc();
    dis.rcItem = CRect(10, 5, 50, 25);
    menu.DrawItem(&dis);
    EXPECT_EQ(back.At(10, 5), kBack);
    EXPECT_EQ(back.At(49, 24), kBack);
    EXPECT_EQ(back.CountPainted(), 40 * 20);

    // Hot and checked: the band keeps 2 pixels free on each side, the check mark is white.
    kx::Canvas hot(kWidth, 20, kClear);
    DrawRow(hot, 0, ODS_SELECTED | ODS_CHECKED);
    EXPECT_EQ(hot.At(2, 0), kHot);
    EXPECT_EQ(hot.At(117, 19), kHot);
    EXPECT_EQ(hot.At(1, 10), kClear);
    EXPECT_EQ(hot.At(118, 10), kClear);
    EXPECT_GT(Count(hot, 4, 2, 20, 18, kWhite), 0);
    EXPECT_EQ(Count(hot, 4, 2, 20, 18, kBlack), 0);
    EXPECT_GT(Count(hot, 26, 0, 106, 20, kWhite), 0);  // white text
    EXPECT_EQ(Count(hot, 0, 0, 26, 20, kWhite), Count(hot, 4, 2, 20, 18, kWhite));  // text starts at H + 6

    // Checked, not hot: black mark on nothing, text in the normal colour.
    kx::Canvas plain(kWidth, 20, kClear);
    DrawRow(plain, 0, ODS_CHECKED);
    EXPECT_GT(Count(plain, 4, 2, 20, 18, kBlack), 0);
    EXPECT_EQ(plain.CountPainted(0, 0, 4, 20) + plain.CountPainted(20, 0, 26, 20), 0);
    EXPECT_GT(Count(plain, 26, 0, 106, 20, kText), 0);

    // Hot grayed: grey on the band. Hot only disabled: white. Disabled, not hot: grey.
    kx::Canvas grayed(kWidth, 20, kClear), disabledHot(kWidth, 20, kClear), disabled(kWidth, 20, kClear);
    DrawRow(grayed, 1, ODS_SELECTED | ODS_GRAYED);
    DrawRow(disabledHot, 2, ODS_SELECTED | ODS_DISABLED);
    DrawRow(disabled, 2, ODS_DISABLED);
    EXPECT_GT(Count(grayed, 26, 0, 106, 20, kGrey), 0);
    EXPECT_EQ(Count(grayed, 26, 0, 106, 20, kWhite), 0);
    EXPECT_GT(Count(disabledHot, 26, 0, 106, 20, kWhite), 0);
    EXPECT_GT(Count(disabled, 26, 0, 106, 20, kGrey), 0);
}

TEST_F(MenuDraw, SeparatorsAndSubmenuArrows)
{
    menu.AppendMenuW(MF_SEPARATOR);
    menu.AppendMenuW(MF_SEPARATOR | MF_GRAYED);
    menu.AppendMenuW(MF_POPUP, reinterpret_cast<UINT_PTR>(sub.GetSafeFreeMenu()), L"");

    canvas_height = 8;
    kx::Canvas line(kWidth, 8, kClear);
    DrawRow(line, 0, 0);
    EXPECT_EQ(Count(line, 2, 3, 118, 4, kBlack), 116);  // 3 pixels below the top, end excluded
    EXPECT_EQ(line.CountPainted(), 116);

    // Not exactly MF_SEPARATOR: an empty text row, even when hot.
    canvas_height = 20;
    kx::Canvas notLine(kWidth, 20, kClear);
    DrawRow(notLine, 1, 0);
    EXPECT_EQ(notLine.CountPainted(), 0);

    // The arrow fills its triangle in the 4 x 7 box whose tip is 6 pixels left of the right edge.
    kx::Canvas arrow(kWidth, 20, kClear), hotArrow(kWidth, 20, kClear);
    DrawRow(arrow, 2, 0);
    DrawRow(hotArrow, 2, ODS_SELECTED);
    EXPECT_EQ(arrow.CountPainted(), Count(arrow, 111, 7, 115, 14, kBlack));
    EXPECT_EQ(arrow.At(112, 10), kBlack);
    EXPECT_GT(Count(arrow, 111, 7, 112, 14, kBlack), Count(arrow, 113, 7, 114, 14, kBlack));  // points right
    EXPECT_EQ(arrow.At(115, 10), kClear);
    EXPECT_EQ(Count(hotArrow, 111, 7, 115, 14, kWhite), arrow.CountPainted());
}

TEST_F(MenuDraw, ImagesBitmapsAndMeasuring)
{
    HIMAGELIST images = ImageList_Create(16, 16, ILC_COLOR24, 1, 1);
    const std::vector<DWORD> redBits(256, 0xFF0000);
    HBITMAP red = ::CreateBitmap(16, 16, 1, 32, redBits.data());
    ASSERT_EQ(ImageList_Add(images, red, nullptr), 0);
    CBitmap green;
    const DWORD greenBits[16] = {0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00,
                                 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
    ASSERT_TRUE(green.CreateBitmap(4, 4, 1, 32, greenBits));
    menu.AppendMenuW(MF_STRING, 1, L"");           // bitmap value 0: image 0 with a list
    menu.AppendMenuW(MF_STRING, 2, &green, L"");   // a bitmap handle, stretched into the box

    // Without a list value 0 draws nothing; the bitmap fills its 20 x 20 box either way.
    kx::Canvas none(kWidth, 20, kClear), stretched(kWidth, 20, kClear);
    DrawRow(none, 0, 0);
    DrawRow(stretched, 1, 0);
    EXPECT_EQ(none.CountPainted(), 0);
    EXPECT_EQ(stretched.At(22, 0), RGB(0, 255, 0));
    EXPECT_EQ(stretched.At(41, 19), RGB(0, 255, 0));
    EXPECT_EQ(stretched.CountPainted(), 400);

    MEASUREITEMSTRUCT mis{};
    mis.itemWidth = 10;
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 46u);
    EXPECT_EQ(mis.itemHeight, 20u);

    menu.SetImageList(images);
    EXPECT_EQ(menu.GetSafeFreeMenu()->m_nItemHeight, 16);
    kx::Canvas image(kWidth, 20, kClear);
    DrawRow(image, 0, 0);
    EXPECT_EQ(image.At(22, 0), RGB(255, 0, 0));
    EXPECT_EQ(image.At(37, 15), RGB(255, 0, 0));
    EXPECT_EQ(image.CountPainted(), 256);

    mis = MEASUREITEMSTRUCT{};
    mis.itemWidth = 10;
    menu.MeasureItem(&mis);
    EXPECT_EQ(mis.itemWidth, 42u);
    EXPECT_EQ(mis.itemHeight, 16u);
    menu.MeasureItem(nullptr);

    // With a list the text starts at 2H + 6; an item index outside the items throws.
    menu.AppendMenuW(MF_STRING, 3, reinterpret_cast<const CBitmap*>(static_cast<UINT_PTR>(254)), L"WWW");
    kx::Canvas text(kWidth, 20, kClear);
    DrawRow(text, 2, 0);
    EXPECT_EQ(text.CountPainted(0, 0, 46, 20), 0);
    EXPECT_GT(text.CountPainted(46, 0, kWidth, 20), 0);
    bool threw = false;
    try {
        DrawRow(text, 3, 0);
    } catch (CInvalidArgException* e) {
        threw = true;
        e->Delete();
    }
    EXPECT_TRUE(threw);
    menu.SetImageList(nullptr);
    ImageList_Destroy(images);
    ::DeleteObject(red);
}

}  // namespace
