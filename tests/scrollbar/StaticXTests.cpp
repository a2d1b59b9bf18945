// The static base's input-method rule and the two divider statics.
#include "ScrollTesting.h"

namespace {

class StaticX : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(host.Open()); }
    void TearDown() override { host.Close(); }
    HWND MakeStatic(DWORD style, const CRect& rc)
    {
        return ::CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, rc.left, rc.top, rc.Width(),
                               rc.Height(), host.m_hWnd, nullptr, nullptr, nullptr);
    }
    CRect InHost(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        host.ScreenToClient(&rc);
        return rc;
    }
    kx::HostWindow host;
};

// Whether the window still has an input context after being told it is (in)active.
bool KeepsContext(HWND hWnd, WPARAM active)
{
    HIMC own = ::ImmCreateContext();
    ::ImmAssociateContext(hWnd, own);
    ::SendMessageW(hWnd, WM_IME_SETCONTEXT, active, ISC_SHOWUIALL);
    HIMC now = ::ImmGetContext(hWnd);
    if (now == nullptr) return false;
    ::ImmReleaseContext(hWnd, now);
    ::ImmAssociateContext(hWnd, nullptr);
    ::ImmDestroyContext(own);
    return true;
}

TEST_F(StaticX, ActivationRemovesTheInputContextEveryTime)
{
    CStaticScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(70, 10, 90, 100), &host, 5));
    EXPECT_TRUE(KeepsContext(bar.m_hWnd, 0));
    EXPECT_FALSE(KeepsContext(bar.m_hWnd, 1));
    EXPECT_FALSE(KeepsContext(bar.m_hWnd, 1));
}

TEST_F(StaticX, DividersShapeThemselvesOnceAndPaintTheirLines)
{
    CxSpltStatic across;
    ASSERT_TRUE(across.SubclassWindow(MakeStatic(SS_LEFT, CRect(10, 40, 210, 60))));
    EXPECT_EQ(InHost(across.m_hWnd), CRect(10, 40, 210, 41));
    across.RedrawWindow();
    EXPECT_EQ(kx::ClientCapture(across.m_hWnd).CountInRow(0, 0, 200, RGB(29, 36, 48)), 200);

    // An owner-drawn static, whose own painting leaves the erased columns alone.
    CySpltStatic down;
    ASSERT_TRUE(down.SubclassWindow(MakeStatic(SS_OWNERDRAW, CRect(230, 40, 430, 60))));
    EXPECT_EQ(InHost(down.m_hWnd), CRect(230, 40, 232, 60));
    down.RedrawWindow();
    const kx::ClientCapture columns(down.m_hWnd);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(columns.At(0, y), RGB(0, 0, 0));
        EXPECT_EQ(columns.At(1, y), RGB(49, 55, 67));
    }
}

}  // namespace
