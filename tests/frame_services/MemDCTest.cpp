// The off-screen surface: where drawing lands and who owns the bitmap.
#include "Harness.h"
#include <KestrelMemDC.h>

namespace {

class MemDCTest : public ::testing::Test {
protected:
    void SetUp() override { screen = ::GetDC(nullptr); }
    void TearDown() override { ::ReleaseDC(nullptr, screen); }
    HDC screen = nullptr;
};

TEST_F(MemDCTest, NothingIsMadeWithoutAContextAnAreaOrABitmap)
{
    EXPECT_EQ(nullptr, CMemDCHelper(screen, CRect(10, 10, 10, 40)).GetDC());
    EXPECT_EQ(nullptr, CMemDCHelper(nullptr, CRect(0, 0, 10, 10)).GetDC());
    EXPECT_EQ(nullptr, CMemDCHelper(screen, static_cast<HBITMAP>(nullptr)).GetDC());
}

TEST_F(MemDCTest, DrawingAtTheAreasCornerLandsAtItsOwnBitmapsOrigin)
{
    HBITMAP bmp = nullptr;
    {
        CMemDCHelper mem(screen, CRect(10, 20, 110, 70));
        CDC* dc = mem.GetDC();
        ASSERT_NE(nullptr, dc);
        bmp = static_cast<HBITMAP>(::GetCurrentObject(dc->m_hDC, OBJ_BITMAP));
        BITMAP bm{};
        ASSERT_EQ(static_cast<int>(sizeof(bm)), ::GetObjectW(bmp, sizeof(bm), &bm));
        EXPECT_EQ(100, bm.bmWidth);
        EXPECT_EQ(50, bm.bmHeight);

        dc->FillSolidRect(10, 20, 100, 50, RGB(0, 0, 0));
        dc->SetPixel(10, 20, RGB(255, 0, 0));
        dc->SetPixel(109, 69, RGB(0, 0, 255));
        // In device terms the pixels sit at the bitmap's corners.
        dc->SetViewportOrg(0, 0);
        EXPECT_EQ(RGB(255, 0, 0), dc->GetPixel(0, 0));
        EXPECT_EQ(RGB(0, 0, 255), dc->GetPixel(99, 49));
        EXPECT_EQ(RGB(0, 0, 0), dc->GetPixel(1, 0));
    }
    EXPECT_EQ(0u, ::GetObjectType(bmp));  // its own bitmap goes with it
}

TEST_F(MemDCTest, CallersBitmapOutlivesTheSurfaceAndIsReleased)
{
    HBITMAP bmp = ::CreateCompatibleBitmap(screen, 8, 8);
    ASSERT_NE(nullptr, bmp);
    {
        CMemDCHelper mem(screen, bmp);
        CDC* dc = mem.GetDC();
        ASSERT_NE(nullptr, dc);
        EXPECT_EQ(CPoint(0, 0), dc->GetViewportOrg());
        EXPECT_EQ(bmp, ::GetCurrentObject(dc->m_hDC, OBJ_BITMAP));
        dc->FillSolidRect(0, 0, 8, 8, RGB(0, 0, 0));
        dc->SetPixel(3, 4, RGB(0, 255, 0));
    }
    // Still a bitmap, with the drawing; BitmapPixel selects it, which works only once it is free.
    EXPECT_EQ(static_cast<DWORD>(OBJ_BITMAP), ::GetObjectType(bmp));
    EXPECT_EQ(RGB(0, 255, 0), kx::BitmapPixel(bmp, 3, 4));
    ::DeleteObject(bmp);
}

}  // namespace
