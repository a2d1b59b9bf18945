// The default theme: fonts, colours, metrics, brushes and the skin bitmaps sliced into pieces.
#include <KestrelTheme.h>
#include <cstring>
#include <initializer_list>

namespace {

constexpr UINT kBmpSizeGrip = 1000;
constexpr UINT kBmpFrameDark = 1001;
constexpr UINT kBmpFlat2 = 1002;
constexpr UINT kBmpEdge = 1003;
constexpr UINT kBmpButtonCaps = 1004;
constexpr UINT kBmpFlat1 = 1005;
constexpr UINT kBmpLightColumn = 1006;
constexpr UINT kBmpFrame = 1007;
constexpr UINT kBmpCaptionButtons = 1008;
constexpr UINT kBmpDarkColumn = 1009;

constexpr LONG kFontHeight = -12;
constexpr wchar_t kDefaultFaceName[] = L"宋体";

struct ThemeState {
    LOGFONTW logFont;
    HFONT font;
    HFONT captionFont;
    COLORREF colors[DEFCLR_COUNT];
    int metrics[DEFMETRICS_COUNT];
    HBRUSH defaultBrush;
    HBRUSH editBrush;
    HBRUSH paramPanelBrush;
    HBITMAP caption[CAPTIONPART_COUNT][CAPTIONBTN_COUNT];
    HBRUSH frameBrush[FRAMEBRUSH_COUNT][FRAMEBRUSHSTATE_COUNT];
    HBITMAP sizeGrip;
};

ThemeState g_theme;  // zero until InitCommonFunc

const COLORREF kColors[DEFCLR_COUNT] = {
    RGB(43, 51, 67),    RGB(126, 145, 162), RGB(89, 89, 89),    RGB(166, 197, 197), RGB(126, 145, 162),
    RGB(89, 89, 89),    RGB(82, 91, 108),   RGB(9, 16, 21),     RGB(118, 146, 166), RGB(26, 35, 46),
    RGB(50, 60, 85),    RGB(166, 197, 197), RGB(64, 128, 128),  RGB(0, 0, 255),     RGB(157, 159, 163),
    RGB(118, 146, 166), RGB(24, 28, 39),    RGB(126, 145, 162),
};

constexpr COLORREF kDefaultBrushColor = RGB(43, 51, 67);
constexpr COLORREF kParamPanelBrushColor = RGB(129, 134, 147);

HBITMAP LoadSkin(UINT id)
{
    return ::LoadBitmapW(getHResource(), MAKEINTRESOURCEW(id));
}

// Cuts pieces out of skin bitmaps: a source and a target memory context, and new bitmaps
// compatible with the desktop.
class Slicer {
public:
    bool Open()
    {
        desktop_ = ::GetDesktopWindow();
        screen_ = ::GetDC(desktop_);
        source_ = ::CreateCompatibleDC(nullptr);
        if (!source_) return false;
        target_ = ::CreateCompatibleDC(nullptr);
        if (!target_) {
            ::DeleteDC(source_);
            source_ = nullptr;
            return false;
        }
        return true;
    }
    ~Slicer()
    {
        if (target_) ::DeleteDC(target_);
        if (source_) ::DeleteDC(source_);
        if (screen_) ::ReleaseDC(desktop_, screen_);
    }
    void Select(HBITMAP source) { oldSource_ = ::SelectObject(source_, source); }
    void Unselect() { ::SelectObject(source_, oldSource_); }
    HBITMAP Piece(int x, int y, int w, int h)
    {
        HBITMAP piece = ::CreateCompatibleBitmap(screen_, w, h);
        HGDIOBJ old = ::SelectObject(target_, piece);
        ::BitBlt(target_, 0, 0, w, h, source_, x, y, SRCCOPY);
        ::SelectObject(target_, old);
        return piece;
    }
    HBRUSH BrushPiece(int x, int y, int w, int h)
    {
        HBITMAP piece = Piece(x, y, w, h);
        HBRUSH brush = ::CreatePatternBrush(piece);
        ::DeleteObject(piece);
        return brush;
    }

private:
    HWND desktop_ = nullptr;
    HDC screen_ = nullptr;
    HDC source_ = nullptr;
    HDC target_ = nullptr;
    HGDIOBJ oldSource_ = nullptr;
};

SIZE BitmapSize(HBITMAP bmp)
{
    BITMAP bm{};
    ::GetObjectW(bmp, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

// 1007 and 1001 share a layout: a glyph in the left half, four tiles in the right half.
void SliceFrameBitmap(Slicer& s, UINT id, ENUMCAPTIONBTNSTATE glyphState, ENUMFRAMEBRUSHSTATE brushState)
{
    HBITMAP bmp = LoadSkin(id);
    if (!bmp) return;
    SIZE sz = BitmapSize(bmp);
    int half = sz.cx / 2;
    s.Select(bmp);
    g_theme.caption[CAPTIONPART_GLYPH][glyphState] = s.Piece(0, 0, half, sz.cy);
    int tileW = half / 2, tileH = sz.cy / 2;
    const POINT tiles[4] = {{(3 * half) / 2, 0}, {(3 * half) / 2, sz.cy / 2}, {half, 0}, {half, sz.cy / 2}};
    for (int i = 0; i < 4; ++i) g_theme.frameBrush[i][brushState] = s.BrushPiece(tiles[i].x, tiles[i].y, tileW, tileH);
    s.Unselect();
    ::DeleteObject(bmp);
}

// False when 1008 or a memory context is missing: then nothing of the skins is made.
bool SliceSkins()
{
    HBITMAP buttons = LoadSkin(kBmpCaptionButtons);
    if (!buttons) return false;
    Slicer s;
    if (!s.Open()) {
        ::DeleteObject(buttons);
        return false;
    }

    SIZE sz = BitmapSize(buttons);
    int w = sz.cx / 2, h = sz.cy / 4;
    s.Select(buttons);
    for (int row = 0; row < 4; ++row) {
        g_theme.caption[row][CAPTIONBTN_NORMAL] = s.Piece(0, row * h, w, h);
        g_theme.caption[row][CAPTIONBTN_DARK] = s.Piece(sz.cx / 2, row * h, w, h);
    }
    s.Unselect();
    ::DeleteObject(buttons);

    if (HBITMAP caps = LoadSkin(kBmpButtonCaps)) {
        sz = BitmapSize(caps);
        int q = sz.cx / 4;
        s.Select(caps);
        g_theme.caption[CAPTIONPART_BUTTONLEFT][CAPTIONBTN_NORMAL] = s.Piece(0, 0, q, sz.cy);
        g_theme.caption[CAPTIONPART_BUTTONRIGHT][CAPTIONBTN_NORMAL] = s.Piece(q, 0, q, sz.cy);
        g_theme.caption[CAPTIONPART_BUTTONLEFT][CAPTIONBTN_DARK] = s.Piece(2 * q, 0, q, sz.cy);
        g_theme.caption[CAPTIONPART_BUTTONRIGHT][CAPTIONBTN_DARK] = s.Piece(3 * q, 0, q, sz.cy);
        s.Unselect();
        ::DeleteObject(caps);
    }

    if (HBITMAP edge = LoadSkin(kBmpEdge)) {
        sz = BitmapSize(edge);
        int third = sz.cx / 3;
        s.Select(edge);
        g_theme.caption[CAPTIONPART_EDGE][CAPTIONBTN_NORMAL] = s.Piece(0, 0, 2 * third, sz.cy);
        g_theme.frameBrush[FRAMEBRUSH_EDGETILE][FRAMEBRUSHSTATE_NORMAL] = s.BrushPiece(2 * third, 0, third, sz.cy);
        s.Unselect();
        ::DeleteObject(edge);
    }

    SliceFrameBitmap(s, kBmpFrame, CAPTIONBTN_NORMAL, FRAMEBRUSHSTATE_NORMAL);
    SliceFrameBitmap(s, kBmpFrameDark, CAPTIONBTN_DARK, FRAMEBRUSHSTATE_DARK);
    return true;
}

// Whole bitmaps kept as they are, each also made into a pattern brush.
void LoadWholeSkin(UINT id, ENUMCAPTIONPART part, ENUMFRAMEBRUSH brush)
{
    HBITMAP bmp = LoadSkin(id);
    g_theme.caption[part][CAPTIONBTN_NORMAL] = bmp;
    if (bmp) g_theme.frameBrush[brush][FRAMEBRUSHSTATE_NORMAL] = ::CreatePatternBrush(bmp);
}

}  // namespace

int InitCommonFunc(void)
{
    std::memset(&g_theme, 0, sizeof(g_theme));

    LOGFONTW& lf = g_theme.logFont;
    lf.lfHeight = kFontHeight;
    lf.lfWeight = FW_NORMAL;
    lf.lfCharSet = GB2312_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    wcsncpy(lf.lfFaceName, kDefaultFaceName, LF_FACESIZE - 1);

    LOGFONTW caption = lf;
    caption.lfQuality = ANTIALIASED_QUALITY;
    g_theme.captionFont = ::CreateFontIndirectW(&caption);
    g_theme.font = ::CreateFontIndirectW(&lf);

    std::memcpy(g_theme.colors, kColors, sizeof(kColors));

    g_theme.defaultBrush = ::CreateSolidBrush(kDefaultBrushColor);
    g_theme.editBrush = ::CreateSolidBrush(g_theme.colors[DEFCLR_EDITBK]);
    g_theme.paramPanelBrush = ::CreateSolidBrush(kParamPanelBrushColor);

    if (SliceSkins()) {
        LoadWholeSkin(kBmpDarkColumn, CAPTIONPART_DARKCOLUMN, FRAMEBRUSH_DARKCOLUMN);
        LoadWholeSkin(kBmpLightColumn, CAPTIONPART_LIGHTCOLUMN, FRAMEBRUSH_LIGHTCOLUMN);
        LoadWholeSkin(kBmpFlat1, CAPTIONPART_FLAT1, FRAMEBRUSH_FLAT1);
        LoadWholeSkin(kBmpFlat2, CAPTIONPART_FLAT2, FRAMEBRUSH_FLAT2);
        g_theme.sizeGrip = LoadSkin(kBmpSizeGrip);
    }

    g_theme.metrics[0] = 1;
    g_theme.metrics[1] = 14;
    g_theme.metrics[2] = 22;
    g_theme.metrics[3] = 21;
    g_theme.metrics[4] = 1;
    BITMAP bm{};
    if (HBITMAP column = g_theme.caption[CAPTIONPART_DARKCOLUMN][CAPTIONBTN_NORMAL]) {
        ::GetObjectW(column, sizeof(bm), &bm);
        g_theme.metrics[DEFMETRICS_CAPTIONHEIGHT] = bm.bmHeight;
    }
    g_theme.metrics[6] = 15;
    return 1;
}

int ExitCommonFunc(void)
{
    for (HGDIOBJ h : {static_cast<HGDIOBJ>(g_theme.defaultBrush), static_cast<HGDIOBJ>(g_theme.editBrush),
                      static_cast<HGDIOBJ>(g_theme.paramPanelBrush), static_cast<HGDIOBJ>(g_theme.sizeGrip)})
        if (h) ::DeleteObject(h);
    for (auto& row : g_theme.caption)
        for (HBITMAP h : row)
            if (h) ::DeleteObject(h);
    for (auto& row : g_theme.frameBrush)
        for (HBRUSH h : row)
            if (h) ::DeleteObject(h);
    if (g_theme.font) ::DeleteObject(g_theme.font);
    if (g_theme.captionFont) ::DeleteObject(g_theme.captionFont);
    return 1;
}

HFONT getdefaultHFont(void) { return g_theme.font; }
HFONT getdefCaptionHFont(void) { return g_theme.captionFont; }
LOGFONTW getdefaultlogfont(void) { return g_theme.logFont; }
COLORREF getdefaultColor(ENUMDEFAULTCOLORID id) { return g_theme.colors[id]; }
int getdefaultMetrics(ENUMDEFAULTMETRICS id) { return g_theme.metrics[id]; }
HBRUSH getdefaultHBrush(void) { return g_theme.defaultBrush; }
HBRUSH getdefaultHEditBrush(void) { return g_theme.editBrush; }
HBRUSH getdefaultHParamPanelBrush(void) { return g_theme.paramPanelBrush; }
HBITMAP getdefaultHBitmapsize(void) { return g_theme.sizeGrip; }

HBITMAP getcaptionBmp(ENUMCAPTIONPART part, ENUMCAPTIONBTNSTATE state)
{
    if (static_cast<unsigned>(part) > 12u || static_cast<unsigned>(state) > 3u) return nullptr;
    return g_theme.caption[part][state];
}

HBRUSH getdefaultFBrush(ENUMFRAMEBRUSH kind, ENUMFRAMEBRUSHSTATE state)
{
    if (static_cast<unsigned>(kind) > 9u || static_cast<unsigned>(state) > 2u) return nullptr;
    return g_theme.frameBrush[kind][state];
}
