// The static base's input-method rule and the two divider statics.
#include "ScrollTesting.h"
#include <KestrelStaticX.h>

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
    CRect RectInHost(HWND hWnd)
    {
        CRect rc;
        ::GetWindowRect(hWnd, &rc);
        host.ScreenToClient(&rc);
        return rc;
    }
    kx::HostWindow host;
};

// The window's input context once it has been told it is active (wParam) or not.
bool HasContextAfterSetContext(HWND hWnd, WPARAM active)
{
    HIMC own = ::ImmCreateContext();
    ::ImmAssociateContext(hWnd, own);
    ::SendMessageW(hWnd, WM_IME_SETCONTEXT, active, ISC_SHOWUIALL);
    HIMC now = ::ImmGetContext(hWnd);
    const bool has = now != nullptr;
    if (now) ::ImmReleaseContext(hWnd, now);
    if (has) {
        ::ImmAssociateContext(hWnd, nullptr);
        ::ImmDestroyContext(own);
    }
    return has;
}

TEST_F(StaticX, ActivationRemovesTheInputContextOfEveryStaticBasedControl)
{
    CStaticX plain;
    ASSERT_TRUE(plain.SubclassWindow(MakeStatic(0, CRect(10, 10, 60, 30))));
    EXPECT_TRUE(HasContextAfterSetContext(plain.m_hWnd, 0));
    EXPECT_FALSE(HasContextAfterSetContext(plain.m_hWnd, 1));

    CStaticScrollBar bar;
    ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(70, 10, 90, 100), &host, 5));
    EXPECT_TRUE(HasContextAfterSetContext(bar.m_hWnd, 0));
    EXPECT_FALSE(HasContextAfterSetContext(bar.m_hWnd, 1));
    EXPECT_FALSE(HasContextAfterSetContext(bar.m_hWnd, 1));  // every time, not only the first
    bar.DestroyWindow();
    plain.DestroyWindow();
}

TEST_F(StaticX, DividersResizeOnceAndPaintTheirLines)
{
    CxSpltStatic across;
    ASSERT_TRUE(across.SubclassWindow(MakeStatic(SS_LEFT, CRect(10, 40, 210, 60))));
    EXPECT_EQ(RectInHost(across.m_hWnd), CRect(10, 40, 210, 41));
    across.RedrawWindow();
    kx::ClientCapture line(across.m_hWnd);
    EXPECT_EQ(line.CountInRow(0, 0, 200, RGB(29, 36, 48)), 200);

    // The statics' own drawing stays out of the way only for an owner-drawn one.
    CySpltStatic down;
    ASSERT_TRUE(down.SubclassWindow(MakeStatic(SS_OWNERDRAW, CRect(230, 40, 430, 60))));
    EXPECT_EQ(RectInHost(down.m_hWnd), CRect(230, 40, 232, 60));
    down.RedrawWindow();
    kx::ClientCapture columns(down.m_hWnd);
    for (int y = 0; y < 20; ++y) {
        EXPECT_EQ(columns.At(0, y), RGB(0, 0, 0));
        EXPECT_EQ(columns.At(1, y), RGB(49, 55, 67));
    }

    // Later resizing by the owner is not undone.
    across.SetWindowPos(nullptr, 0, 0, 50, 6, SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(RectInHost(across.m_hWnd), CRect(10, 40, 60, 46));
    across.DestroyWindow();
    down.DestroyWindow();
}

}  // namespace
