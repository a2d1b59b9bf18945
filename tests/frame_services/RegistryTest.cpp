// The resource registry and the numeric cursors. Each test starts and ends with an empty
// registry so that the states before Init and after Exit can be observed.
#include "Harness.h"

namespace {

// Every registered bitmap, as runs of consecutive ids sharing a size.
struct BitmapRun { unsigned first, last; int width, height; };
const BitmapRun kBitmaps[] = {
    {10001, 10001, 20, 10}, {10002, 10002, 40, 5},  {10021, 10021, 90, 66}, {10022, 10022, 16, 5},
    {10023, 10023, 104, 13}, {10024, 10024, 52, 13}, {10033, 10033, 10, 11}, {10034, 10051, 30, 87},
    {10052, 10052, 15, 12}, {10053, 10057, 20, 10}, {10058, 10058, 15, 42}, {10062, 10062, 30, 87},
    {10063, 10063, 83, 87}, {10064, 10069, 30, 87}, {10070, 10075, 16, 16}, {10076, 10076, 30, 87},
    {10077, 10082, 16, 16},
};
const unsigned kBrushIds[] = {
    10000, 10003, 10004, 10005, 10006, 10007, 10008, 10009, 10010, 10011, 10012, 10013,
    10014, 10015, 10016, 10017, 10018, 10019, 10020, 10032, 10031, 10059, 10060, 10061,
};

CPoint HotSpot(HCURSOR cursor)
{
    ICONINFO info{};
    if (!::GetIconInfo(cursor, &info)) return CPoint(-1, -1);
    ::DeleteObject(info.hbmMask);
    if (info.hbmColor) ::DeleteObject(info.hbmColor);
    return CPoint(static_cast<int>(info.xHotspot), static_cast<int>(info.yHotspot));
}

TEST(RegistryTest, LookupsFindNothingBeforeInitAndAfterExit)
{
    auto expectEmpty = [] {
        EXPECT_EQ(nullptr, GetHBmp(10001));
        EXPECT_EQ(nullptr, GetHBrush(10000));
        EXPECT_EQ(nullptr, GetHCursor(10025));
    };
    expectEmpty();
    EXPECT_EQ(1, InitResourcelib());
    HBITMAP bmp = GetHBmp(10001);
    HBRUSH brush = GetHBrush(10000);
    ASSERT_NE(nullptr, bmp);
    ASSERT_NE(nullptr, brush);
    EXPECT_EQ(CPoint(8, 8), HotSpot(GetHCursor(10025)));

    EXPECT_EQ(1, ExitResourcelib());
    expectEmpty();
    EXPECT_EQ(0u, ::GetObjectType(bmp));  // freed, not just forgotten
    EXPECT_EQ(0u, ::GetObjectType(brush));
}

TEST(RegistryTest, EachIdLivesInItsOwnMapAndOnlyItsLowSixteenBitsCount)
{
    InitResourcelib();
    int bitmaps = 0;
    for (const BitmapRun& run : kBitmaps) {
        for (unsigned id = run.first; id <= run.last; ++id, ++bitmaps) {
            SCOPED_TRACE(id);
            BITMAP bm{};
            ASSERT_EQ(static_cast<int>(sizeof(bm)), ::GetObjectW(GetHBmp(id), sizeof(bm), &bm));
            EXPECT_EQ(run.width, bm.bmWidth);
            EXPECT_EQ(run.height, bm.bmHeight);
            EXPECT_EQ(nullptr, GetHBrush(id));
        }
    }
    EXPECT_EQ(53, bitmaps);
    for (unsigned id : kBrushIds) {
        SCOPED_TRACE(id);
        LOGBRUSH lb{};
        ASSERT_EQ(static_cast<int>(sizeof(lb)), ::GetObjectW(GetHBrush(id), sizeof(lb), &lb));
        EXPECT_EQ(static_cast<UINT>(BS_PATTERN), lb.lbStyle);
        EXPECT_EQ(nullptr, GetHBmp(id));
    }
    // The theme's skin bitmaps and the resources no code loads stay unknown.
    EXPECT_EQ(nullptr, GetHBmp(1008));
    EXPECT_EQ(nullptr, GetHBmp(1026));
    EXPECT_EQ(nullptr, GetHCursor(1029));
    EXPECT_EQ(nullptr, GetHCursor(10001));

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
        EXPECT_EQ(CPoint(15, 15), HotSpot(cursors[i])) << i;
    }
    EXPECT_EQ(cursors[NUMCURSOR_DOWN], LoadCursorW(NUMCURSOR_DOWN));
    // The table is the library's own: a registry cycle leaves it alone.
    InitResourcelib();
    ExitResourcelib();
    EXPECT_EQ(cursors[NUMCURSOR_UPDOWN_DOUBLE], LoadCursorW(NUMCURSOR_UPDOWN_DOUBLE));
}

}  // namespace
