// The default theme: what the getters give before start-up, after it, and how the skin
// bitmaps are cut into pieces.
#include "Harness.h"
#include <string>

namespace {

SIZE SizeOf(HBITMAP bmp)
{
    BITMAP bm{};
    if (!bmp || ::GetObjectW(bmp, sizeof(bm), &bm) != sizeof(bm)) return SIZE{-1, -1};
    return SIZE{bm.bmWidth, bm.bmHeight};
}

#define EXPECT_SIZE(bmp, w, h)                 \
    do {                                       \
        SIZE s_ = SizeOf(bmp);                 \
        EXPECT_EQ(s_.cx, (w)) << #bmp;         \
        EXPECT_EQ(s_.cy, (h)) << #bmp;         \
    } while (0)

ENUMCAPTIONPART Part(int p) { return static_cast<ENUMCAPTIONPART>(p); }
ENUMCAPTIONBTNSTATE State(int s) { return static_cast<ENUMCAPTIONBTNSTATE>(s); }
ENUMFRAMEBRUSH Brush(int b) { return static_cast<ENUMFRAMEBRUSH>(b); }
ENUMFRAMEBRUSHSTATE BrushState(int s) { return static_cast<ENUMFRAMEBRUSHSTATE>(s); }

class ThemeTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EXPECT_EQ(InitCommonFunc(), 1); }
    static void TearDownTestSuite() { EXPECT_EQ(ExitCommonFunc(), 1); }
};

TEST_F(ThemeTest, FontsShareTheDescriptionButTheCaptionFontIsAntialiased)
{
    LOGFONTW lf = getdefaultlogfont();
    EXPECT_EQ(lf.lfHeight, -12);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(lf.lfQuality, DEFAULT_QUALITY);
    EXPECT_EQ(std::wstring(lf.lfFaceName), L"宋体");

    LOGFONTW caption{};
    ASSERT_EQ(::GetObjectW(getdefCaptionHFont(), sizeof(caption), &caption), static_cast<int>(sizeof(caption)));
    EXPECT_EQ(caption.lfQuality, ANTIALIASED_QUALITY);
    EXPECT_EQ(caption.lfHeight, -12);
    EXPECT_EQ(caption.lfWeight, FW_NORMAL);
    EXPECT_EQ(caption.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(std::wstring(caption.lfFaceName), L"宋体");

    LOGFONTW plain{};
    ::GetObjectW(getdefaultHFont(), sizeof(plain), &plain);
    EXPECT_EQ(plain.lfQuality, DEFAULT_QUALITY);
}

TEST_F(ThemeTest, ColoursBrushesAndMetrics)
{
    EXPECT_EQ(getdefaultColor(DEFCLR_BK), RGB(43, 51, 67));
    EXPECT_EQ(getdefaultColor(DEFCLR_EDITBK), RGB(26, 35, 46));
    EXPECT_EQ(getdefaultColor(DEFCLR_BORDER), RGB(24, 28, 39));
    EXPECT_EQ(getdefaultColor(DEFCLR_4), getdefaultColor(DEFCLR_17));
    EXPECT_EQ(getdefaultColor(DEFCLR_4), getdefaultColor(DEFCLR_TEXT));
    EXPECT_EQ(getdefaultColor(DEFCLR_EDITTEXT), getdefaultColor(DEFCLR_11));
    EXPECT_EQ(getdefaultColor(DEFCLR_GRAYTEXT), getdefaultColor(DEFCLR_DISABLEDTEXT));
    EXPECT_EQ(getdefaultColor(DEFCLR_8), getdefaultColor(DEFCLR_FOCUSTEXT));

    auto brushColour = [](HBRUSH b) {
        LOGBRUSH lb{};
        ::GetObjectW(b, sizeof(lb), &lb);
        return lb.lbColor;
    };
    EXPECT_EQ(brushColour(getdefaultHBrush()), RGB(43, 51, 67));
    EXPECT_EQ(brushColour(getdefaultHEditBrush()), RGB(26, 35, 46));
    EXPECT_EQ(brushColour(getdefaultHParamPanelBrush()), RGB(129, 134, 147));

    const int metrics[] = {1, 14, 22, 21, 1};
    for (int m = 0; m < 5; ++m) EXPECT_EQ(getdefaultMetrics(static_cast<ENUMDEFAULTMETRICS>(m)), metrics[m]);
    EXPECT_EQ(getdefaultMetrics(DEFMETRICS_CAPTIONHEIGHT), SizeOf(getcaptionBmp(CAPTIONPART_DARKCOLUMN, CAPTIONBTN_NORMAL)).cy);
    EXPECT_EQ(getdefaultMetrics(DEFMETRICS_CAPTIONHEIGHT), 20);
    EXPECT_EQ(getdefaultMetrics(DEFMETRICS_6), 15);
}

TEST_F(ThemeTest, CaptionTableHoldsPiecesOfTheSkinsAndNullElsewhere)
{
    for (int row = 0; row < 4; ++row) {
        EXPECT_SIZE(getcaptionBmp(Part(row), CAPTIONBTN_NORMAL), 15, 15);
        EXPECT_SIZE(getcaptionBmp(Part(row), CAPTIONBTN_DARK), 15, 15);
    }
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_GLYPH, CAPTIONBTN_NORMAL), 6, 6);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_GLYPH, CAPTIONBTN_DARK), 6, 6);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_DARKCOLUMN, CAPTIONBTN_NORMAL), 1, 20);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_LIGHTCOLUMN, CAPTIONBTN_NORMAL), 1, 20);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_BUTTONLEFT, CAPTIONBTN_NORMAL), 3, 16);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_BUTTONRIGHT, CAPTIONBTN_DARK), 3, 16);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_EDGE, CAPTIONBTN_NORMAL), 6, 3);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_FLAT1, CAPTIONBTN_NORMAL), 1, 15);
    EXPECT_SIZE(getcaptionBmp(CAPTIONPART_FLAT2, CAPTIONBTN_NORMAL), 1, 15);
    EXPECT_SIZE(getdefaultHBitmapsize(), 10, 10);

    for (int p = 0; p < 13; ++p) {
        EXPECT_EQ(getcaptionBmp(Part(p), CAPTIONBTN_1), nullptr);
        EXPECT_EQ(getcaptionBmp(Part(p), CAPTIONBTN_3), nullptr);
    }
    for (int s = 0; s < 4; ++s) EXPECT_EQ(getcaptionBmp(CAPTIONPART_12, State(s)), nullptr);
    for (int p : {5, 6, 9, 10, 11}) EXPECT_EQ(getcaptionBmp(Part(p), CAPTIONBTN_DARK), nullptr);
    EXPECT_EQ(getcaptionBmp(Part(13), CAPTIONBTN_NORMAL), nullptr);
    EXPECT_EQ(getcaptionBmp(CAPTIONPART_CLOSE, State(4)), nullptr);
    EXPECT_EQ(getcaptionBmp(Part(-1), CAPTIONBTN_NORMAL), nullptr);
    EXPECT_EQ(getcaptionBmp(CAPTIONPART_CLOSE, State(-1)), nullptr);
}

TEST_F(ThemeTest, FrameBrushTableHoldsTilesOfTheNormalAndDarkSkins)
{
    for (int b = 0; b < 4; ++b) {
        EXPECT_NE(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_NORMAL), nullptr);
        EXPECT_NE(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_DARK), nullptr);
        EXPECT_NE(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_NORMAL), getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_DARK));
    }
    for (int b = 4; b < 9; ++b) {
        EXPECT_NE(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_NORMAL), nullptr) << b;
        EXPECT_EQ(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_DARK), nullptr) << b;
    }
    for (int b = 0; b < 10; ++b) EXPECT_EQ(getdefaultFBrush(Brush(b), FRAMEBRUSHSTATE_2), nullptr);
    for (int s = 0; s < 3; ++s) EXPECT_EQ(getdefaultFBrush(FRAMEBRUSH_9, BrushState(s)), nullptr);
    EXPECT_EQ(getdefaultFBrush(Brush(10), FRAMEBRUSHSTATE_NORMAL), nullptr);
    EXPECT_EQ(getdefaultFBrush(FRAMEBRUSH_0, BrushState(3)), nullptr);
    EXPECT_EQ(getdefaultFBrush(Brush(-2), FRAMEBRUSHSTATE_NORMAL), nullptr);

    // A brush from the darker skin paints the darker skin's pixels.
    HDC mem = ::CreateCompatibleDC(nullptr);
    HBITMAP canvas = ::CreateCompatibleBitmap(::GetDC(nullptr), 3, 3);
    HGDIOBJ old = ::SelectObject(mem, canvas);
    RECT all{0, 0, 3, 3};
    ::FillRect(mem, &all, getdefaultFBrush(FRAMEBRUSH_0, FRAMEBRUSHSTATE_DARK));
    COLORREF darkPixel = ::GetPixel(mem, 1, 1);
    ::FillRect(mem, &all, getdefaultFBrush(FRAMEBRUSH_0, FRAMEBRUSHSTATE_NORMAL));
    COLORREF normalPixel = ::GetPixel(mem, 1, 1);
    ::SelectObject(mem, old);
    ::DeleteObject(canvas);
    ::DeleteDC(mem);
    HBITMAP dark = ::LoadBitmapW(getHResource(), MAKEINTRESOURCEW(1001));
    HBITMAP normal = ::LoadBitmapW(getHResource(), MAKEINTRESOURCEW(1007));
    EXPECT_EQ(darkPixel, kx::BitmapPixel(dark, 10, 1));   // tile at ((3*6)/2, 0)
    EXPECT_EQ(normalPixel, kx::BitmapPixel(normal, 10, 1));
    ::DeleteObject(dark);
    ::DeleteObject(normal);
}

TEST_F(ThemeTest, CloseButtonPieceIsTheTopLeftCellOfTheCaptionSkin)
{
    HBITMAP skin = ::LoadBitmapW(getHResource(), MAKEINTRESOURCEW(1008));
    HBITMAP close = getcaptionBmp(CAPTIONPART_CLOSE, CAPTIONBTN_NORMAL);
    HBITMAP restoreDark = getcaptionBmp(CAPTIONPART_RESTORE, CAPTIONBTN_DARK);
    for (int y = 0; y < 15; y += 3)
        for (int x = 0; x < 15; x += 3) {
            EXPECT_EQ(kx::BitmapPixel(close, x, y), kx::BitmapPixel(skin, x, y));
            EXPECT_EQ(kx::BitmapPixel(restoreDark, x, y), kx::BitmapPixel(skin, 15 + x, 45 + y));
        }
    ::DeleteObject(skin);
}

// Builds a copy of the library whose caption skin 1008 has another size, and starts its theme.
class ResizedSkinLibrary {
public:
    ResizedSkinLibrary(int width, int height)
    {
        wchar_t self[MAX_PATH], temp[MAX_PATH];
        ::GetModuleFileNameW(getHResource(), self, MAX_PATH);
        ::GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + L"KestrelResizedSkin.dll";
        if (!::CopyFileW(self, path_.c_str(), FALSE)) return;

        // A packed DIB: header then 24-bit rows, each padded to four bytes.
        int stride = (width * 3 + 3) & ~3;
        std::string dib(sizeof(BITMAPINFOHEADER) + static_cast<size_t>(stride) * height, '\x40');
        auto* bih = reinterpret_cast<BITMAPINFOHEADER*>(&dib[0]);
        *bih = BITMAPINFOHEADER{};
        bih->biSize = sizeof(BITMAPINFOHEADER);
        bih->biWidth = width;
        bih->biHeight = height;
        bih->biPlanes = 1;
        bih->biBitCount = 24;
        HANDLE update = ::BeginUpdateResourceW(path_.c_str(), FALSE);
        if (!update) return;
        ::UpdateResourceW(update, MAKEINTRESOURCEW(2), MAKEINTRESOURCEW(1008), MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                          &dib[0], static_cast<DWORD>(dib.size()));
        if (!::EndUpdateResourceW(update, FALSE)) return;
        module_ = ::LoadLibraryW(path_.c_str());
    }
    ~ResizedSkinLibrary()
    {
        if (module_) ::FreeLibrary(module_);
        ::DeleteFileW(path_.c_str());
    }
    template <class F> F Get(const char* name) const { return reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module_, name))); }
    HMODULE module_ = nullptr;

private:
    std::wstring path_;
};

TEST(ThemeSlicing, PiecesFollowTheSizeOfTheCaptionSkin)
{
    ResizedSkinLibrary lib(34, 70);  // 17 x 17 pieces (70 / 4 truncates)
    ASSERT_NE(lib.module_, nullptr);
    auto init = lib.Get<int (*)()>("_Z14InitCommonFuncv");
    auto exit = lib.Get<int (*)()>("_Z14ExitCommonFuncv");
    auto caption = lib.Get<HBITMAP (*)(ENUMCAPTIONPART, ENUMCAPTIONBTNSTATE)>("_Z13getcaptionBmp15ENUMCAPTIONPART19ENUMCAPTIONBTNSTATE");
    ASSERT_TRUE(init && exit && caption);
    init();
    for (int row = 0; row < 4; ++row) {
        EXPECT_SIZE(caption(Part(row), CAPTIONBTN_NORMAL), 17, 17);
        EXPECT_SIZE(caption(Part(row), CAPTIONBTN_DARK), 17, 17);
    }
    EXPECT_SIZE(caption(CAPTIONPART_GLYPH, CAPTIONBTN_NORMAL), 6, 6);  // other skins unchanged
    exit();
}

}  // namespace
