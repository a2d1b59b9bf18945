// A process that has loaded the library but not started it: the theme is empty.
#include "Harness.h"

namespace {

ENUMCAPTIONPART Part(int p) { return static_cast<ENUMCAPTIONPART>(p); }
ENUMCAPTIONBTNSTATE State(int s) { return static_cast<ENUMCAPTIONBTNSTATE>(s); }
ENUMFRAMEBRUSH Brush(int b) { return static_cast<ENUMFRAMEBRUSH>(b); }
ENUMFRAMEBRUSHSTATE BrushState(int s) { return static_cast<ENUMFRAMEBRUSHSTATE>(s); }

TEST(ThemeBeforeStartUp, EveryGetterIsNullOrZero)
{
    EXPECT_EQ(getdefaultHFont(), nullptr);
    EXPECT_EQ(getdefCaptionHFont(), nullptr);
    EXPECT_EQ(getdefaultlogfont().lfHeight, 0);
    EXPECT_EQ(getdefaultlogfont().lfFaceName[0], L'\0');
    for (int c = 0; c < DEFCLR_COUNT; ++c) EXPECT_EQ(getdefaultColor(static_cast<ENUMDEFAULTCOLORID>(c)), 0u);
    for (int m = 0; m < DEFMETRICS_COUNT; ++m) EXPECT_EQ(getdefaultMetrics(static_cast<ENUMDEFAULTMETRICS>(m)), 0);
    EXPECT_EQ(getdefaultHBrush(), nullptr);
    EXPECT_EQ(getdefaultHEditBrush(), nullptr);
    EXPECT_EQ(getdefaultHParamPanelBrush(), nullptr);
    EXPECT_EQ(getdefaultHBitmapsize(), nullptr);
    for (int p = 0; p < 13; ++p)
        for (int s = 0; s < 4; ++s) EXPECT_EQ(getcaptionBmp(Part(p), State(s)), nullptr);
    for (int b = 0; b < 10; ++b)
        for (int s = 0; s < 3; ++s) EXPECT_EQ(getdefaultFBrush(Brush(b), BrushState(s)), nullptr);
    EXPECT_NE(getHResource(), nullptr);  // the entry point keeps it, no Init needed
}

TEST(ThemeLifecycle, InitFillsAndExitFreesTheTheme)
{
    ASSERT_EQ(InitCommonFunc(), 1);
    HFONT font = getdefaultHFont();
    HBRUSH brush = getdefaultHBrush();
    HBITMAP grip = getdefaultHBitmapsize();
    EXPECT_NE(font, nullptr);
    EXPECT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(::GetObjectType(grip), static_cast<DWORD>(OBJ_BITMAP));
    ASSERT_EQ(ExitCommonFunc(), 1);
    EXPECT_EQ(::GetObjectType(brush), 0u);  // freed
    EXPECT_EQ(::GetObjectType(grip), 0u);
    EXPECT_EQ(::GetObjectType(font), 0u);
    // A second start builds a fresh theme.
    ASSERT_EQ(InitCommonFunc(), 1);
    EXPECT_EQ(::GetObjectType(getdefaultHBrush()), static_cast<DWORD>(OBJ_BRUSH));
    ExitCommonFunc();
}

}  // namespace
