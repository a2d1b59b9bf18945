// The resource registry and the numeric cursors. Each test starts and ends with an empty
// registry so that the states before Init and after Exit can be observed.
#include "Harness.h"

namespace {

struct Sized { unsigned id; int width, height; };

// A sample of the bitmap registry across its id ranges, with the sizes the ids stand for.
const Sized kBitmaps[] = {
    {10001, 20, 10}, {10021, 90, 66}, {10033, 10, 11}, {10051, 30, 87}, {10057, 20, 10},
    {10058, 15, 42}, {10063, 83, 87}, {10069, 30, 87}, {10075, 16, 16}, {10076, 30, 87}, {10082, 16, 16},
};

const unsigned kBrushIds[] = {
    10000, 10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10011, 10012, 10013,
    10014, 10015, 10016, 10017, 10018, 10019, 10020, 10032, 10031, 10059, 10060, 10061,
};

SIZE BitmapSize(HBITMAP bmp)
{
    BITMAP bm{};
    ::GetObjectW(bmp, sizeof(bm), &bm);
    return SIZE{bm.bmWidth, bm.bmHeight};
}

TEST(RegistryTest, LookupsAreEmptyBeforeInitAndAfterExit)
{
    EXPECT_EQ(nullptr, GetHBmp(10001));
    EXPECT_EQ(nullptr, GetHBrush(10000));
    EXPECT_EQ(nullptr, GetHCursor(10025));

    EXPECT_EQ(1, InitResourcelib());
    HBITMAP bmp = GetHBmp(10001);
    HBRUSH brush = GetHBrush(10000);
    HCURSOR cursor = GetHCursor(10025);
    EXPECT_NE(nullptr, bmp);
    EXPECT_NE(nullptr, brush);
    ICONINFO info{};
    ASSERT_TRUE(::GetIconInfo(cursor, &info));
    EXPECT_EQ(8u, info.xHotspot);
    EXPECT_EQ(8u, info.yHotspot);
    ::DeleteObject(info.hbmMask);

    EXPECT_EQ(1, ExitResourcelib());
    EXPECT_EQ(nullptr, GetHBmp(10001));
    EXPECT_EQ(nullptr, GetHBrush(10000));
    EXPECT_EQ(nullptr, GetHCursor(10025));
    // Exit freed what Init made.
    EXPECT_EQ(0, ::GetObjectType(bmp));
    EXPECT_EQ(0, ::GetObjectType(brush));

    // A second start-up fills the registry again.
    InitResourcelib();
    EXPECT_NE(nullptr, GetHBmp(10001));
    ExitResourcelib();
}

TEST(RegistryTest, EachIdLivesInItsOwnMapWithItsSize)
{
    InitResourcelib();
    for (const Sized& b : kBitmaps) {
        SCOPED_TRACE(b.id);
        HBITMAP bmp = GetHBmp(b.id);
        ASSERT_NE(nullptr, bmp);
        const SIZE size = BitmapSize(bmp);
        EXPECT_EQ(b.width, size.cx);
        EXPECT_EQ(b.height, size.cy);
        EXPECT_EQ(nullptr, GetHBrush(b.id));
    }
    for (unsigned id : kBrushIds) {
        SCOPED_TRACE(id);
        HBRUSH brush = GetHBrush(id);
        ASSERT_NE(nullptr, brush);
        LOGBRUSH lb{};
        ASSERT_EQ(static_cast<int>(sizeof(lb)), ::GetObjectW(brush, sizeof(lb), &lb));
        EXPECT_EQ(static_cast<UINT>(BS_PATTERN), lb.lbStyle);
        EXPECT_EQ(nullptr, GetHBmp(id));
    }
    // Ids between the lists, the theme's own skin bitmaps, and the unused extras stay unknown.
    EXPECT_EQ(nullptr, GetHBmp(1008));
    EXPECT_EQ(nullptr, GetHBmp(10025));
    EXPECT_EQ(nullptr, GetHBmp(1026));
    EXPECT_EQ(nullptr, GetHBrush(10025));
    EXPECT_EQ(nullptr, GetHCursor(1029));
    EXPECT_EQ(nullptr, GetHCursor(10001));
    ExitResourcelib();
}

TEST(RegistryTest, OnlyTheLowSixteenBitsOfAnIdCount)
{
    InitResourcelib();
    EXPECT_EQ(GetHBmp(10001), GetHBmp(10001 + 65536));
    EXPECT_EQ(GetHBrush(10000), GetHBrush(10000 + 3 * 65536));
    EXPECT_EQ(GetHCursor(10025), GetHCursor(0xFFFF0000u + 10025));
    ExitResourcelib();
}

TEST(RegistryTest, NumericCursorsLoadOnceWithoutTheRegistry)
{
    HCURSOR cursors[NUMCURSOR_COUNT];
    for (int i = 0; i < NUMCURSOR_COUNT; ++i) {
        cursors[i] = LoadCursorW(static_cast<NUMCURSOR>(i));
        ASSERT_NE(nullptr, cursors[i]) << i;
        for (int j = 0; j < i; ++j) EXPECT_NE(cursors[j], cursors[i]) << j << " " << i;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(cursors[i], &info));
        EXPECT_EQ(15u, info.xHotspot);
        EXPECT_EQ(15u, info.yHotspot);
        ::DeleteObject(info.hbmMask);
    }
    EXPECT_EQ(cursors[NUMCURSOR_DOWN], LoadCursorW(NUMCURSOR_DOWN));
    EXPECT_EQ(cursors[NUMCURSOR_DOWN], LoadCursorW(NUMCURSOR_DOWN));
    // The table is the library's own: a registry cycle leaves it alone.
    InitResourcelib();
    ExitResourcelib();
    EXPECT_EQ(cursors[NUMCURSOR_UPDOWN_DOUBLE], LoadCursorW(NUMCURSOR_UPDOWN_DOUBLE));
    EXPECT_EQ(nullptr, LoadCursorW(static_cast<NUMCURSOR>(6)));
    // The system's own overload is still there beside ours.
    EXPECT_NE(nullptr, ::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace
