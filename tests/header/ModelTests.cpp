// The item store without a window: insertion and deletion with the renumbering of positions,
// order arrays good and bad, moving one item, the caption rules and the hit codes.
#include "HeaderTesting.h"

using headtest::Add;
using headtest::Row;
using headtest::TextAt;

namespace {

std::vector<int> Orders(CHeadWnd& head)
{
    std::vector<int> order(static_cast<size_t>(head.GetItemCount()));
    head.GetOrderArray(order.data(), head.GetItemCount());
    return order;
}

// Every position 0 to count - 1 holds exactly one item.
bool OrderIsConsistent(CHeadWnd& head)
{
    std::vector<bool> seen(static_cast<size_t>(head.GetItemCount()), false);
    for (int p = 0; p < head.GetItemCount(); ++p) {
        const int i = head.OrderToIndex(p);
        if (i < 0 || seen[static_cast<size_t>(i)]) return false;
        seen[static_cast<size_t>(i)] = true;
    }
    return true;
}

TEST(HeaderModel, InsertionPlacesAndShiftsByPosition)
{
    CHeadWnd head;
    EXPECT_EQ(Add(head, L"A", 10), 0);
    EXPECT_EQ(Add(head, L"B", 20), 1);
    EXPECT_EQ(Add(head, L"C", 30), 2);
    EXPECT_EQ(Add(head, L"D", 40, HDF_LEFT, 1), 1);
    EXPECT_EQ(Row(head), L"ADBC");
    EXPECT_EQ(Orders(head), (std::vector<int>{0, 3, 1, 2}));  // D is index 3, shown second

    EXPECT_EQ(Add(head, L"E", 5, HDF_LEFT, 10), 4);   // past the end: appended
    EXPECT_EQ(Add(head, L"F", 5, HDF_LEFT, -7), 5);   // negative: appended
    EXPECT_EQ(head.InsertItem(0, nullptr), -1);
    EXPECT_EQ(head.GetItemCount(), 6);
    EXPECT_EQ(Row(head), L"ADBCEF");

    // A record that also carries an order is moved there after it is stored.
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_ORDER;
    item.cxy = 7;
    item.iOrder = 0;
    EXPECT_EQ(head.InsertItem(3, &item), 3);
    EXPECT_EQ(TextAt(head, 0), L"");
    EXPECT_EQ(Row(head), L"ADBCEF");
    EXPECT_TRUE(OrderIsConsistent(head));
}

TEST(HeaderModel, OrderArraysShortLongBadAndRepeated)
{
    CHeadWnd head;
    Add(head, L"A", 10);
    Add(head, L"B", 20);
    Add(head, L"C", 30);

    int swap[] = {1, 0};
    EXPECT_TRUE(head.SetOrderArray(2, swap));
    EXPECT_EQ(Row(head), L"BAC");
    EXPECT_EQ(TextAt(head, 0), L"B");  // GetItem speaks of positions

    int front[] = {2};
    EXPECT_TRUE(head.SetOrderArray(1, front));  // the rest follow in index order
    EXPECT_EQ(Row(head), L"CAB");

    int tooLong[] = {1, 2, 0, 1, 2};
    EXPECT_TRUE(head.SetOrderArray(5, tooLong));
    EXPECT_EQ(Row(head), L"BCA");

    // An index named twice keeps its later position; nothing is left without a place.
    int twice[] = {0, 0, 1};
    EXPECT_TRUE(head.SetOrderArray(3, twice));
    EXPECT_TRUE(OrderIsConsistent(head));
    EXPECT_EQ(TextAt(head, 1), L"A");
    EXPECT_EQ(TextAt(head, 2), L"B");
    EXPECT_EQ(TextAt(head, 0), L"C");

    int bad[] = {7, -1, 2};
    EXPECT_TRUE(head.SetOrderArray(3, bad));
    EXPECT_TRUE(OrderIsConsistent(head));
    EXPECT_EQ(TextAt(head, 2), L"C");

    EXPECT_FALSE(head.SetOrderArray(3, nullptr));
    EXPECT_TRUE(head.SetOrderArray(-4, swap));  // nothing named: index order
    EXPECT_EQ(Row(head), L"ABC");

    // Reading: a short array gets the leading positions, a negative count means all.
    int out[4] = {9, 9, 9, 9};
    EXPECT_TRUE(head.SetOrderArray(3, tooLong));
    EXPECT_TRUE(head.GetOrderArray(out, 2));
    EXPECT_EQ(out[0], 1);
    EXPECT_EQ(out[1], 2);
    EXPECT_EQ(out[2], 9);
    EXPECT_TRUE(head.GetOrderArray(out, -1));
    EXPECT_EQ(out[2], 0);
    EXPECT_EQ(out[3], 9);
    EXPECT_FALSE(head.GetOrderArray(nullptr, 3));
    EXPECT_EQ(head.OrderToIndex(0), 1);
    EXPECT_EQ(head.OrderToIndex(3), -1);
    EXPECT_EQ(head.OrderToIndex(-1), -1);
}

TEST(HeaderModel, SwitchOrderMovesOneItemAcrossTheRow)
{
    CHeadWnd head;
    Add(head, L"A", 10);
    Add(head, L"B", 20);
    Add(head, L"C", 30);
    Add(head, L"D", 40);
    EXPECT_TRUE(head.SwitchOrder(0, 2));
    EXPECT_EQ(Row(head), L"BCAD");
    EXPECT_TRUE(head.SwitchOrder(3, 0));
    EXPECT_EQ(Row(head), L"DBCA");
    EXPECT_TRUE(head.SwitchOrder(1, 2));  // neighbours: the one case that looks like an exchange
    EXPECT_EQ(Row(head), L"DCBA");
    EXPECT_FALSE(head.SwitchOrder(2, 2));
    EXPECT_FALSE(head.SwitchOrder(-1, 2));
    EXPECT_FALSE(head.SwitchOrder(1, 4));
    EXPECT_EQ(Row(head), L"DCBA");

    // SetItem moves by order after storing the width, so the width lands on the moved item.
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_ORDER;
    item.cxy = 99;
    item.iOrder = 3;
    EXPECT_TRUE(head.SetItem(0, &item));
    EXPECT_EQ(Row(head), L"CBAD");
    item.mask = HDI_WIDTH;
    ASSERT_TRUE(head.GetItem(3, &item));
    EXPECT_EQ(item.cxy, 99);
}

TEST(HeaderModel, DeletingRenumbersIndexesAndPositions)
{
    CHeadWnd head;
    Add(head, L"A", 10);
    Add(head, L"B", 20);
    Add(head, L"C", 30);
    Add(head, L"D", 40);
    int order[] = {3, 1, 0, 2};  // D B A C
    head.SetOrderArray(4, order);
    EXPECT_TRUE(head.DeleteItem(1));  // B, index 1
    EXPECT_EQ(Row(head), L"DAC");
    EXPECT_EQ(Orders(head), (std::vector<int>{2, 0, 1}));
    EXPECT_FALSE(head.DeleteItem(3));
    EXPECT_FALSE(head.DeleteItem(-1));
    EXPECT_TRUE(head.DeleteItem(0));
    EXPECT_TRUE(head.DeleteItem(1));
    EXPECT_EQ(Row(head), L"A");
    EXPECT_TRUE(head.DeleteItem(0));
    EXPECT_EQ(head.GetItemCount(), 0);
    EXPECT_FALSE(head.DeleteItem(0));
}

TEST(HeaderModel, CaptionsKeepThirtyOneCharactersAndRespectTheCallersBuffer)
{
    CHeadWnd head;
    Add(head, L"", 10);
    const std::wstring forty(40, L'x');
    struct {
        int cchTextMax;
        size_t stored;
        int cchAfter;
    } const cases[] = {{40, 31, 31}, {31, 31, 31}, {5, 5, 5}, {0, 0, 0}, {-1, 31, 31}};
    for (const auto& c : cases) {
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = const_cast<LPWSTR>(forty.c_str());
        item.cchTextMax = c.cchTextMax;
        EXPECT_TRUE(head.SetItem(0, &item));
        EXPECT_EQ(TextAt(head, 0), forty.substr(0, c.stored)) << c.cchTextMax;
        EXPECT_EQ(item.cchTextMax, c.cchAfter) << c.cchTextMax;
    }
    HDITEMW clear{};
    clear.mask = HDI_TEXT;
    clear.cchTextMax = 32;
    EXPECT_TRUE(head.SetItem(0, &clear));  // a null text empties the caption
    EXPECT_EQ(TextAt(head, 0), L"");

    HDITEMW set{};
    set.mask = HDI_TEXT;
    set.pszText = const_cast<LPWSTR>(L"Column");
    set.cchTextMax = 32;
    head.SetItem(0, &set);
    // Reading into short buffers writes at most cchTextMax characters, terminator included.
    struct {
        int cchTextMax;
        const wchar_t* expected;
    } const reads[] = {{4, L"Col"}, {1, L""}, {0, L"######"}, {-3, L"######"}};
    for (const auto& r : reads) {
        wchar_t buffer[8] = L"######";
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = r.cchTextMax;
        EXPECT_TRUE(head.GetItem(0, &item));
        EXPECT_STREQ(buffer, r.expected) << r.cchTextMax;
    }
}

TEST(HeaderModel, MasksStoreAndReportOnlyWhatTheyName)
{
    CHeadWnd head;
    Add(head, L"A", 10);
    Add(head, L"B", 20);
    HDITEMW item{};
    item.mask = HDI_FORMAT | HDI_LPARAM | HDI_BITMAP | HDI_IMAGE;
    item.fmt = 7;
    item.lParam = 1234;
    item.hbm = reinterpret_cast<HBITMAP>(static_cast<INT_PTR>(0x55));
    item.cxy = 500;  // not in the mask
    EXPECT_TRUE(head.SetItem(1, &item));
    EXPECT_FALSE(head.SetItem(2, &item));
    EXPECT_FALSE(head.SetItem(0, nullptr));

    HDITEMW out{};
    out.mask = 0xFFFF & ~HDI_TEXT;
    out.iImage = 42;
    ASSERT_TRUE(head.GetItem(1, &out));
    EXPECT_EQ(out.cxy, 20);
    EXPECT_EQ(out.fmt, 7);
    EXPECT_EQ(out.lParam, 1234);
    EXPECT_EQ(out.hbm, item.hbm);
    EXPECT_EQ(out.iOrder, 1);
    EXPECT_EQ(out.iImage, 42);  // not kept, not reported
    EXPECT_FALSE(head.GetItem(2, &out));
    EXPECT_FALSE(head.GetItem(-1, &out));
    EXPECT_FALSE(head.GetItem(0, nullptr));
}

TEST(HeaderModel, HitCodesAndItemRectanglesFollowTheDisplayOrder)
{
    CHeadWnd head;
    Add(head, L"A", 100);
    Add(head, L"B", 50);
    const RECT client{0, 0, 300, 20};
    const struct {
        int x;
        DWORD code;
    } hits[] = {{0, 0},           {1, 0x01000010},  {50, 0x01000010}, {97, 0x01000010},
                {98, 0x02000010}, {102, 0x02000010}, {103, 0x01000020}, {147, 0x01000020},
                {149, 0x02000020}, {152, 0x02000020}, {153, 0}, {299, 0}, {300, 0}};
    for (const auto& h : hits) EXPECT_EQ(head.HitTestInClient(client, POINT{h.x, 5}), h.code) << h.x;
    EXPECT_EQ(CHeadWnd::HitPosition(0x02000020), 1);
    EXPECT_EQ(CHeadWnd::HitPosition(0), -1);

    // Reordered, the same x names the item now shown there; y plays no part.
    head.SwitchOrder(1, 0);
    EXPECT_EQ(head.HitTestInClient(client, POINT{48, -40}), 0x02000010u);
    EXPECT_EQ(head.HitTestInClient(RECT{10, 0, 300, 20}, POINT{58, 5}), 0x02000010u);  // edges from client left
    CRect r;
    EXPECT_TRUE(head.GetItemRect(1, &r));
    EXPECT_EQ(r, CRect(50, 0, 150, 0));  // no window: an empty client height
    EXPECT_FALSE(head.GetItemRect(2, &r));
    EXPECT_FALSE(head.GetItemRect(0, nullptr));

    // Widths come from the records as they are, a zero width included.
    HDITEMW zero{};
    zero.mask = HDI_WIDTH;
    zero.cxy = 0;
    head.SetItem(0, &zero);
    EXPECT_EQ(head.HitTestInClient(client, POINT{1, 5}), 0x02000010u);
    EXPECT_EQ(head.HitTestInClient(client, POINT{3, 5}), 0x01000020u);
}

TEST(HeaderModel, SettersWithoutAWindow)
{
    CHeadWnd head;
    EXPECT_EQ(head.GetBkColor(), getdefaultColor(DEFCLR_BK));
    EXPECT_FALSE(head.SetBkColor(getdefaultColor(DEFCLR_BK)));
    EXPECT_TRUE(head.SetBkColor(RGB(1, 2, 3)));
    EXPECT_TRUE(head.SetViewportOrg(POINT{5, 6}));
    EXPECT_EQ(head.GetViewportOrg().x, 5);

    const std::wstring longText(300, L'a');
    head.SetAppendInfo(longText.c_str());
    EXPECT_EQ(std::wstring(head.GetAppendInfo()), longText.substr(0, 255));
    head.SetAppendInfo(nullptr);
    EXPECT_STREQ(head.GetAppendInfo(), L"");

    head.SetBkBrush(nullptr);
    EXPECT_EQ(head.GetBkBrush(), nullptr);
}

}  // namespace
