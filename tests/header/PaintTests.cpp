// What the header puts on screen: outlines, fills, the strip after the last item with its
// append text, the pattern brush, caption alignment, the viewport origin, the update regions
// of the setters, and the divider cursor.
#include "HeaderTesting.h"

using headtest::HeaderTest;
using headtest::kHeaderHeight;
using headtest::kHeaderWidth;

namespace {

constexpr COLORREF kLight = RGB(80, 95, 122);
constexpr COLORREF kDark = RGB(21, 32, 43);

// Columns [x0, x1) of rows [y0, y1) that hold a pixel of another colour than clr.
struct Extent {
    int left = -1, right = -1;
};
Extent InkExtent(const kx::ClientCapture& cap, int x0, int x1, int y0, int y1, COLORREF clr)
{
    Extent e;
    for (int x = x0; x < x1; ++x)
        for (int y = y0; y < y1; ++y)
            if (cap.At(x, y) != clr) {
                if (e.left < 0) e.left = x;
                e.right = x + 1;
                break;
            }
    return e;
}

// The update region's box after validating everything and running act.
RECT InvalidatedBy(CWnd& wnd, const std::function<void()>& act)
{
    wnd.ValidateRect(nullptr);
    act();
    RECT r{};
    ::GetUpdateRect(wnd.m_hWnd, &r, FALSE);
    wnd.ValidateRect(nullptr);
    return r;
}

TEST_F(HeaderTest, ItemsHaveARaisedOutlineAndTheStripIsPlain)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    kx::ClientCapture cap(head.m_hWnd);
    const int bottom = kHeaderHeight - 1;
    // A at 0..99, B at 100..149, C at 150..229, the strip from 230.
    for (int left : {0, 100, 150}) {
        EXPECT_EQ(cap.At(left, 0), kLight) << left;
        EXPECT_EQ(cap.At(left, bottom - 1), kLight) << left;
        EXPECT_EQ(cap.At(left + 1, 1), bk) << left;
        EXPECT_EQ(cap.At(left + 1, bottom), kDark) << left;
    }
    for (int right : {99, 149, 229}) {
        EXPECT_EQ(cap.At(right, 0), kDark) << right;  // the top-right corner is dark
        EXPECT_EQ(cap.At(right, bottom / 2), kDark) << right;
        EXPECT_EQ(cap.At(right - 1, 1), bk) << right;
    }
    EXPECT_EQ(cap.CountInRow(0, 230, kHeaderWidth, bk), kHeaderWidth - 230);
    EXPECT_EQ(cap.CountInRow(bottom, 230, kHeaderWidth, bk), kHeaderWidth - 230);
}

TEST_F(HeaderTest, CaptionsAlignByFormatAndAppendTextSitsLeftInTheStrip)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    // One wide item per alignment; format 7 falls back to the left.
    while (head.GetItemCount() > 0) head.DeleteItem(0);
    headtest::Add(head, L"ii", 70, HDF_LEFT);
    headtest::Add(head, L"ii", 70, HDF_RIGHT);
    headtest::Add(head, L"ii", 70, HDF_CENTER);
    headtest::Add(head, L"ii", 70, 7);
    head.SetAppendInfo(L"ii");
    kx::ClientCapture cap(head.m_hWnd);
    const int y0 = 2, y1 = kHeaderHeight - 2;
    const Extent left = InkExtent(cap, 2, 68, y0, y1, bk);
    const Extent right = InkExtent(cap, 72, 138, y0, y1, bk);
    const Extent center = InkExtent(cap, 142, 208, y0, y1, bk);
    const Extent other = InkExtent(cap, 212, 278, y0, y1, bk);
    const Extent append = InkExtent(cap, 280, kHeaderWidth, y0, y1, bk);
    ASSERT_GT(left.right, 0);
    const int ink = left.right - left.left;
    EXPECT_LE(left.left - 2, 2);
    EXPECT_LE(138 - right.right, 2);
    EXPECT_LE(std::abs((center.left + center.right) / 2 - 175), 2);
    EXPECT_EQ(other.left - 210, left.left);
    EXPECT_EQ(append.left - 280, left.left - 2);  // no inset in the strip
    EXPECT_EQ(right.right - right.left, ink);
    EXPECT_EQ(center.right - center.left, ink);
}

TEST_F(HeaderTest, PatternBrushFillsItemsButNeverTheStrip)
{
    // Four red columns, then four green ones.
    DWORD bits[64];
    for (int i = 0; i < 64; ++i) bits[i] = (i % 8) < 4 ? 0x00FF0000 : 0x0000FF00;
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 32, bits);
    head.ValidateRect(nullptr);
    head.SetBkBrush(pattern);
    RECT pending{};
    EXPECT_FALSE(::GetUpdateRect(head.m_hWnd, &pending, FALSE));  // no repaint of its own
    head.Invalidate();
    kx::ClientCapture cap(head.m_hWnd);
    EXPECT_EQ(cap.At(2, 5), RGB(255, 0, 0));
    EXPECT_EQ(cap.At(6, 5), RGB(0, 255, 0));
    EXPECT_EQ(cap.At(0, 5), kLight);  // the outline is drawn over it
    EXPECT_EQ(cap.At(240, 5), getdefaultColor(DEFCLR_BK));
    ::DeleteObject(pattern);

    head.SetBkBrush(nullptr);
    head.SetBkColor(RGB(10, 20, 30));
    kx::ClientCapture plain(head.m_hWnd);
    EXPECT_EQ(plain.At(2, 5), RGB(10, 20, 30));
    EXPECT_EQ(plain.At(240, 5), RGB(10, 20, 30));
}

TEST_F(HeaderTest, ViewportOriginShiftsPaintingButNotHitsOrRectangles)
{
    head.SetViewportOrg(POINT{40, 10});
    kx::ClientCapture cap(head.m_hWnd);
    EXPECT_EQ(cap.At(59, 0), kDark);    // A's right edge, 40 pixels to the left
    EXPECT_EQ(cap.At(60, 0), kLight);   // B starts there
    EXPECT_EQ(cap.At(189, 5), kDark);   // C's right edge; the strip from 190
    EXPECT_EQ(cap.At(195, 0), getdefaultColor(DEFCLR_BK));
    EXPECT_EQ(cap.At(0, 0), kLight);    // top row, not shifted down by the origin's y

    CPoint onA(50, 5), onDivider(98, 5);
    EXPECT_EQ(head.HitTest(onA), 0x01000010u);
    EXPECT_EQ(head.HitTest(onDivider), 0x02000010u);
    CRect r;
    head.GetItemRect(1, &r);
    EXPECT_EQ(r, CRect(100, 0, 150, kHeaderHeight));
}

TEST_F(HeaderTest, PaintCallsFollowTheOrderAndTheAskedArea)
{
    int order[] = {2, 0, 1};  // C A B: C 0..79, A 80..179, B 180..229
    head.SetOrderArray(3, order);
    kx::Canvas canvas(kHeaderWidth, kHeaderHeight, RGB(255, 0, 255));
    head.draws.clear();
    RECT area{100, 0, 200, kHeaderHeight};
    head.OnRedrawRect(canvas.cdc(), &area);
    ASSERT_EQ(head.draws.size(), 2u);  // A and B meet the area; C and the strip do not
    EXPECT_EQ(head.draws[0].itemID, 0u);
    EXPECT_EQ(CRect(head.draws[0].rc), CRect(80, 0, 180, kHeaderHeight));
    EXPECT_EQ(head.draws[1].itemID, 1u);
    EXPECT_TRUE(head.draws[1].hasData);
    EXPECT_EQ(canvas.At(150, 5), getdefaultColor(DEFCLR_BK));
    EXPECT_EQ(canvas.At(20, 5), RGB(255, 0, 255));

    head.draws.clear();
    head.SetViewportOrg(POINT{30, 0});
    head.OnRedrawRect(canvas.cdc(), nullptr);
    ASSERT_EQ(head.draws.size(), 4u);
    EXPECT_EQ(CRect(head.draws[0].rc), CRect(-30, 0, 50, kHeaderHeight));
    EXPECT_EQ(head.draws[3].itemID, static_cast<UINT>(-1));
    EXPECT_FALSE(head.draws[3].hasData);
    EXPECT_EQ(CRect(head.draws[3].rc), CRect(200, 0, kHeaderWidth, kHeaderHeight));
    // The font goes back; the transparent mode stays.
    EXPECT_EQ(::GetCurrentObject(canvas.dc(), OBJ_FONT), ::GetStockObject(SYSTEM_FONT));
    EXPECT_EQ(::GetBkMode(canvas.dc()), TRANSPARENT);
}

TEST_F(HeaderTest, SettersInvalidateWhatTheyChange)
{
    const RECT all{0, 0, kHeaderWidth, kHeaderHeight};
    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.SetAppendInfo(L"more"); })), CRect(230, 0, kHeaderWidth, kHeaderHeight));
    head.SetViewportOrg(POINT{50, 0});  // the strip is found without the origin
    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.SetAppendInfo(L"x"); })), CRect(230, 0, kHeaderWidth, kHeaderHeight));
    head.SetViewportOrg(POINT{0, 0});
    HDITEMW wide{};
    wide.mask = HDI_WIDTH;
    wide.cxy = 200;
    head.SetItem(0, &wide);  // the row now fills the header: no strip to invalidate
    EXPECT_TRUE(CRect(InvalidatedBy(head, [&] { head.SetAppendInfo(L"y"); })).IsRectEmpty());

    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.SetItem(1, &wide); })), CRect(all));
    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.SwitchOrder(0, 1); })), CRect(all));
    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.SetBkColor(RGB(1, 1, 1)); })), CRect(all));
    EXPECT_TRUE(CRect(InvalidatedBy(head, [&] { head.SetBkColor(RGB(1, 1, 1)); })).IsRectEmpty());
    EXPECT_TRUE(CRect(InvalidatedBy(head, [&] { head.SwitchOrder(1, 1); })).IsRectEmpty());
    EXPECT_EQ(CRect(InvalidatedBy(head, [&] { head.DeleteItem(2); })), CRect(all));
}

TEST_F(HeaderTest, DividerCursorOnlyOverADivider)
{
    const HCURSOR divider = ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(1011));
    ASSERT_NE(divider, nullptr);
    auto setCursorAt = [&](int x) {
        POINT p{x, 5};
        ::ClientToScreen(head.m_hWnd, &p);
        ::SetCursorPos(p.x, p.y);
        ::SetCursor(nullptr);
        return head.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(head.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    EXPECT_TRUE(setCursorAt(101));
    EXPECT_EQ(::GetCursor(), divider);
    setCursorAt(50);
    EXPECT_NE(::GetCursor(), divider);
    ::SetCursorPos(0, 0);
}

}  // namespace
