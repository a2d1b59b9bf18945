// The item store without a window: positions through insertion, order arrays good and bad,
// moving and deleting; the caption rules; the hit codes.
#include "HeaderTesting.h"
#include <vector>

using headtest::Add;
using headtest::Row;

namespace {

std::vector<int> Orders(CHeadWnd& head)
{
    std::vector<int> order(static_cast<size_t>(head.GetItemCount()));
    head.GetOrderArray(order.data(), -1);
    return order;
}

TEST(HeaderModel, PositionsThroughInsertOrderArraysMovesAndDeletes)
{
    CHeadWnd head;
    EXPECT_EQ(Add(head, L"A", 10), 0);
    EXPECT_EQ(Add(head, L"B", 20), 1);
    EXPECT_EQ(Add(head, L"C", 30), 2);
    EXPECT_EQ(Add(head, L"D", 40, HDF_LEFT, 1), 1);
    EXPECT_EQ(Add(head, L"E", 5, HDF_LEFT, 10), 4);
    EXPECT_EQ(head.InsertItem(0, nullptr), -1);
    EXPECT_EQ(Row(head), L"A|D|B|C|E|");
    EXPECT_EQ(Orders(head), (std::vector<int>{0, 3, 1, 2, 4}));

    const struct {
        std::vector<int> array;
        const wchar_t* row;
    } arrays[] = {
        {{2}, L"C|A|B|D|E|"},                  // too short: the rest follow in index order
        {{1, 0, 2, 3, 4, 0, 1}, L"B|A|C|D|E|"},  // too long: the extra entries are not read
        {{0, 0, 1}, L"C|A|B|D|E|"},            // named twice: the later place; the rest fill the gaps
        {{9, -1, 4}, L"A|B|E|C|D|"},           // not indexes: skipped
    };
    for (const auto& a : arrays) {
        std::vector<int> copy = a.array;
        EXPECT_TRUE(head.SetOrderArray(static_cast<int>(copy.size()), copy.data()));
        EXPECT_EQ(Row(head), a.row);
    }
    EXPECT_FALSE(head.SetOrderArray(3, nullptr));
    EXPECT_FALSE(head.GetOrderArray(nullptr, 3));
    EXPECT_EQ(head.OrderToIndex(2), 4);
    EXPECT_EQ(head.OrderToIndex(5), -1);

    EXPECT_TRUE(head.SwitchOrder(0, 3));  // one item moves, those between shift
    EXPECT_EQ(Row(head), L"B|E|C|A|D|");
    EXPECT_TRUE(head.SwitchOrder(4, 0));
    EXPECT_EQ(Row(head), L"D|B|E|C|A|");
    EXPECT_FALSE(head.SwitchOrder(2, 2));
    EXPECT_FALSE(head.SwitchOrder(1, 5));

    EXPECT_TRUE(head.DeleteItem(2));  // E, the last index
    EXPECT_TRUE(head.DeleteItem(1));  // B: later indexes move down
    EXPECT_EQ(Row(head), L"D|C|A|");
    EXPECT_EQ(Orders(head), (std::vector<int>{2, 1, 0}));
    EXPECT_FALSE(head.DeleteItem(3));
}

TEST(HeaderModel, CaptionLimitCallerBuffersAndMaskOrder)
{
    CHeadWnd head;
    Add(head, L"A", 10);
    Add(head, L"B", 20);
    const std::wstring forty(40, L'x');
    const int writes[][3] = {{40, 31, 31}, {5, 5, 5}, {0, 0, 0}, {-1, 31, 31}};  // given, kept, cchTextMax after
    for (const auto& w : writes) {
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = const_cast<LPWSTR>(forty.c_str());
        item.cchTextMax = w[0];
        EXPECT_TRUE(head.SetItem(0, &item));
        EXPECT_EQ(Row(head), forty.substr(0, static_cast<size_t>(w[1])) + L"|B|") << w[0];
        EXPECT_EQ(item.cchTextMax, w[2]) << w[0];
    }
    // Reading writes at most cchTextMax characters, the terminator included.
    for (int cch : {4, 1, 0, -3}) {
        wchar_t buffer[8] = L"######";
        HDITEMW item{};
        item.mask = HDI_TEXT;
        item.pszText = buffer;
        item.cchTextMax = cch;
        EXPECT_TRUE(head.GetItem(0, &item));
        EXPECT_EQ(std::wstring(buffer), cch > 0 ? std::wstring(static_cast<size_t>(cch - 1), L'x') : L"######");
    }
    // Unknown bits are ignored; the order goes last, so the width lands on the item that moves.
    HDITEMW item{};
    item.mask = HDI_WIDTH | HDI_ORDER | HDI_IMAGE;
    item.cxy = 99;
    item.iOrder = 1;
    EXPECT_TRUE(head.SetItem(0, &item));
    EXPECT_FALSE(head.SetItem(2, &item));
    item.cxy = item.iOrder = 0;
    item.iImage = 42;
    ASSERT_TRUE(head.GetItem(1, &item));
    EXPECT_EQ(item.cxy, 99);
    EXPECT_EQ(item.iOrder, 1);
    EXPECT_EQ(item.iImage, 42);
}

TEST(HeaderModel, HitCodesHaveA5PixelDividerThatWinsOverTheNextBody)
{
    CHeadWnd head;
    Add(head, L"A", 100);
    Add(head, L"B", 50);
    const RECT client{0, 0, 300, 20};
    const struct {
        int x;
        DWORD code;
    } hits[] = {{0, 0},           {1, 0x01000010},   {97, 0x01000010},  {98, 0x02000010}, {102, 0x02000010},
                {103, 0x01000020}, {147, 0x01000020}, {152, 0x02000020}, {153, 0},          {300, 0}};
    for (const auto& h : hits) EXPECT_EQ(head.HitTestInClient(client, POINT{h.x, -50}), h.code) << h.x;
    EXPECT_EQ(CHeadWnd::HitPosition(0x02000020), 1);

    head.SwitchOrder(1, 0);  // B A: edges follow the order and start at the client's left
    EXPECT_EQ(head.HitTestInClient(RECT{10, 0, 300, 20}, POINT{58, 5}), 0x02000010u);
}

}  // namespace
