// The header bar: its item store and hit codes without a window; then what it shows, what its
// setters invalidate, and its two drag loops driven by scripts posted before the press.
#include "Harness.h"
#include <KestrelHeader.h>
#include <cstdlib>
#include <tuple>

using kx::Msg;

namespace {

::testing::Environment* const g_environment = ::testing::AddGlobalTestEnvironment(new kx::LibraryEnvironment);
constexpr UINT kActionMessage = WM_APP + 9;
constexpr int kWidth = 300, kHeight = 24;
constexpr COLORREF kLight = RGB(80, 95, 122), kDark = RGB(21, 32, 43);
constexpr UINT kBegin = HDN_BEGINTRACKW, kTrack = HDN_TRACKW, kEnd = HDN_ENDTRACKW;
constexpr UINT kChanging = HDN_ITEMCHANGINGW, kChanged = HDN_ITEMCHANGEDW;

HDITEMW Item(UINT mask, const wchar_t* text, int cchTextMax = 32, int cxy = 0, int fmt = 0)
{
    return HDITEMW{mask, cxy, const_cast<LPWSTR>(text), nullptr, cchTextMax, fmt, 0, 0, 0, 0, nullptr, 0};
}

int Add(CHeadWnd& head, const wchar_t* text, int width, int format = HDF_LEFT, int nPos = -1)
{
    HDITEMW item = Item(HDI_TEXT | HDI_WIDTH | HDI_FORMAT, text, 32, width, format);
    return head.InsertItem(nPos, &item);
}

std::wstring Row(CHeadWnd& head)  // captions in display order, each ended by '|': "A|B|C|"
{
    std::wstring row;
    wchar_t text[32];
    for (int p = 0; p < head.GetItemCount(); ++p) {
        HDITEMW item = Item(HDI_TEXT, text);
        row += (head.GetItem(p, &item) ? std::wstring(text) : L"?") + L"|";
    }
    return row;
}

TEST(HeaderModel, PositionsOrderArraysMovesDeletesCaptionsMaskOrderAndHitCodes)
{
    CHeadWnd head;
    for (const wchar_t* text : {L"A", L"B", L"C"}) Add(head, text, 10);
    EXPECT_EQ(Add(head, L"D", 40, HDF_LEFT, 1), 1);
    EXPECT_EQ(Add(head, L"E", 5, HDF_LEFT, 10), 4);
    EXPECT_EQ(head.InsertItem(0, nullptr), -1);
    EXPECT_EQ(Row(head), L"A|D|B|C|E|");
    const struct { std::vector<int> array; const wchar_t* row; } arrays[] = {
        {{2}, L"C|A|B|D|E|"},                    // too short: the rest follow in index order
        {{1, 0, 2, 3, 4, 0, 1}, L"B|A|C|D|E|"},  // too long: the extra entries are not read
        {{0, 0, 1}, L"C|A|B|D|E|"},              // named twice: the later place; the rest fill the gaps
        {{9, -1, 4}, L"A|B|E|C|D|"},             // not indexes: skipped
    };
    for (auto a : arrays) {
        EXPECT_TRUE(head.SetOrderArray(static_cast<int>(a.array.size()), a.array.data()));
        EXPECT_EQ(Row(head), a.row);
    }
    EXPECT_FALSE(head.SetOrderArray(3, nullptr) || head.GetOrderArray(nullptr, 3));
    EXPECT_TRUE(head.OrderToIndex(2) == 4 && head.OrderToIndex(5) == -1);
    EXPECT_TRUE(head.SwitchOrder(0, 3));  // one item moves, those between shift
    EXPECT_EQ(Row(head), L"B|E|C|A|D|");
    EXPECT_TRUE(head.SwitchOrder(4, 0));
    EXPECT_EQ(Row(head), L"D|B|E|C|A|");
    EXPECT_FALSE(head.SwitchOrder(2, 2) || head.SwitchOrder(1, 5));
    EXPECT_TRUE(head.DeleteItem(2) && head.DeleteItem(1) && !head.DeleteItem(3));  // E, the last index, then B
    EXPECT_EQ(Row(head), L"D|C|A|");
    int order[3] = {};
    EXPECT_TRUE(head.GetOrderArray(order, -1));  // indexes after the deleted ones moved down
    EXPECT_EQ(std::vector<int>(order, order + 3), (std::vector<int>{2, 1, 0}));

    // A caption keeps at most 31 characters.
    const std::wstring forty(40, L'x');
    const int writes[][3] = {{40, 31, 31}, {5, 5, 5}, {0, 0, 0}, {-1, 31, 31}};  // given, kept, cchTextMax after
    for (const auto& w : writes) {
        HDITEMW item = Item(HDI_TEXT, forty.c_str(), w[0]);
        EXPECT_TRUE(head.SetItem(0, &item));
        EXPECT_EQ(Row(head), forty.substr(0, static_cast<size_t>(w[1])) + L"|C|A|") << w[0];
        EXPECT_EQ(item.cchTextMax, w[2]) << w[0];
    }
    for (int cch : {4, 1, 0, -3}) {  // reading writes at most cchTextMax characters, the terminator included
        wchar_t buffer[8] = L"######";
        HDITEMW item = Item(HDI_TEXT, buffer, cch);
        EXPECT_TRUE(head.GetItem(0, &item));
        EXPECT_EQ(std::wstring(buffer), cch > 0 ? std::wstring(static_cast<size_t>(cch - 1), L'x') : L"######");
    }
    // Unknown bits are ignored; the order goes last, so the width lands on the item that moves.
    HDITEMW item = Item(HDI_WIDTH | HDI_ORDER | HDI_IMAGE, nullptr, 0, 99);
    item.iOrder = 1;
    EXPECT_TRUE(head.SetItem(0, &item));
    EXPECT_FALSE(head.SetItem(3, &item));
    item.cxy = item.iOrder = 0;
    item.iImage = 42;
    ASSERT_TRUE(head.GetItem(1, &item));
    EXPECT_EQ(std::make_tuple(item.cxy, item.iOrder, item.iImage), std::make_tuple(99, 1, 42));
    // C (10), the moved item (99), A (10): a 5-pixel divider zone wins over the next body.
    const struct { int x; DWORD code; } hits[] = {{10, 0},          {11, 0x01000010},  {17, 0x01000010}, {18, 0x02000010},
                                                  {22, 0x02000010},  {23, 0x01000020},  {116, 0x01000020}, {121, 0x02000020},
                                                  {126, 0x01000030}, {131, 0x02000030}, {132, 0},         {400, 0}};
    for (const auto& h : hits) EXPECT_EQ(head.HitTestInClient(RECT{10, 0, 400, 20}, POINT{h.x, -50}), h.code) << h.x;
}

// One notification as the parent saw it: code, iItem, iButton, and pitem's width and text.
using Note = std::tuple<UINT, int, int, int, std::wstring>;
using Notes = std::vector<Note>;

// Runs onAction when a loop dispatches kActionMessage.
struct TestHeadWnd : CHeadWnd {
    std::function<void()> onAction;
    using CHeadWnd::OnRedrawRect;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == kActionMessage) onAction();
        return CHeadWnd::WindowProc(message, wParam, lParam);
    }
};

// A 300 x 24 header of A (100), B (50, right) and C (80, centred); the strip from 230.
class HeaderWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(host.Open());
        host.onLogged = [this](const kx::LoggedMessage& m) {  // the item is read while it is sent
            const auto& nm = *reinterpret_cast<const NMHEADERW*>(m.record.data());
            // Every record carries the full mask, a 32-character buffer and the sender.
            EXPECT_TRUE(nm.pitem->mask == 0x9F && nm.pitem->cchTextMax == 32 && nm.hdr.idFrom == 300 &&
                        nm.hdr.hwndFrom == head.m_hWnd);
            notes.emplace_back(nm.hdr.code, nm.iItem, nm.iButton, nm.pitem->cxy, nm.pitem->pszText);
            if (onNotify) onNotify(nm);
        };
        Add(head, L"A", 100);
        Add(head, L"B", 50, HDF_RIGHT);
        Add(head, L"C", 80, HDF_CENTER);
        ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), &host, 300));
        ::SetCursorPos(0, 0);  // no real pointer over the header during a scripted drag
        kx::PumpMessages();
    }
    void TearDown() override { head.DestroyWindow(), host.Close(); }
    COLORREF PixelNow(int x, int y) { return CClientDC(&head).GetPixel(x, y); }  // no paint runs first
    void SetWidth(int width)
    {
        HDITEMW item = Item(HDI_WIDTH, nullptr, 0, width);
        head.SetItem(0, &item);
    }
    // A loop that has not ended after 5 s fails the test instead of hanging the program.
    static void CALLBACK EndHungLoop(HWND, UINT, UINT_PTR, DWORD)
    {
        ADD_FAILURE() << "a drag loop did not end";
        ::ReleaseCapture();
        ::PostQuitMessage(0);
    }
    // Posts the script, presses at x and answers who held the capture when the press returned.
    HWND Drag(int x, std::initializer_list<MSG> script)
    {
        notes.clear();
        kx::PostScript(head.m_hWnd, script);
        const UINT_PTR guard = ::SetTimer(nullptr, 0, 5000, EndHungLoop);
        head.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(x, kHeight / 2));
        ::KillTimer(nullptr, guard);
        const HWND capture = ::GetCapture();
        kx::PumpMessages();  // what the script left behind goes to the host's pump
        if (capture != nullptr) ::ReleaseCapture();
        return capture;
    }
    static MSG Move(int x, int y = kHeight / 2) { return Msg(WM_MOUSEMOVE, MK_LBUTTON, kx::PointParam(x, y)); }
    static MSG Up(int x) { return Msg(WM_LBUTTONUP, 0, kx::PointParam(x, kHeight / 2)); }
    CRect Invalidated(const std::function<void()>& act)
    {
        head.ValidateRect(nullptr);
        act();
        CRect r;
        ::GetUpdateRect(head.m_hWnd, &r, FALSE);
        return r;
    }

    kx::HostWindow host;
    TestHeadWnd head;
    Notes notes;
    std::function<void(const NMHEADERW&)> onNotify;
};

TEST_F(HeaderWindow, OutlinesCaptionsPatternViewportAndWhatSettersInvalidate)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    HDITEMW format = Item(HDI_FORMAT, nullptr, 0, 0, 7);  // not an alignment: left
    head.SetItem(0, &format);
    head.SetAppendInfo(L"A");
    kx::ClientCapture cap(head.m_hWnd);
    for (int left : {0, 100, 150}) {
        EXPECT_EQ(cap.At(left, 0), kLight);
        EXPECT_EQ(cap.At(left + 1, kHeight - 1), kDark);
        EXPECT_EQ(cap.At(left + 1, 1), bk);
        EXPECT_EQ(cap.At(left - 1, 0), left ? kDark : CLR_INVALID);  // top-right corners are dark
    }
    EXPECT_EQ(cap.CountInRow(0, 230, kWidth, bk), kWidth - 230);
    auto ink = [&](int x0, int x1) {  // first and last column with text
        int first = -1, last = -1;
        for (int x = x0; x < x1; ++x)
            for (int y = 2; y < kHeight - 2; ++y)
                if (cap.At(x, y) != bk) last = x, first = first < 0 ? x : first;
        return std::make_pair(first, last);
    };
    const auto a = ink(2, 98), b = ink(102, 148), c = ink(152, 228), strip = ink(230, kWidth);
    EXPECT_TRUE(a.first >= 2 && a.first <= 4) << a.first;
    EXPECT_EQ(strip.first - 230, a.first - 2);  // the strip has no inset
    EXPECT_GE(b.second, 145);
    EXPECT_LE(std::abs((c.first + c.second + 1) / 2 - 190), 2);

    DWORD bits[64];  // four red columns, four green
    for (int i = 0; i < 64; ++i) bits[i] = (i % 8) < 4 ? 0xFF0000 : 0x00FF00;
    HBITMAP pattern = ::CreateBitmap(8, 8, 1, 32, bits);
    EXPECT_TRUE(Invalidated([&] { head.SetBkBrush(pattern); }).IsRectEmpty());
    head.SetViewportOrg(POINT{40, 10});
    cap = kx::ClientCapture(head.m_hWnd);
    EXPECT_TRUE(cap.At(2, 5) == RGB(255, 0, 0) && cap.At(6, 5) == RGB(0, 255, 0));
    EXPECT_TRUE(cap.At(59, 0) == kDark && cap.At(60, 0) == kLight);  // A ends 40 pixels further left, y not shifted
    EXPECT_EQ(cap.At(195, 5), bk);                                    // the strip never takes the brush
    CPoint divider(98, 5);                                            // hits ignore the origin
    EXPECT_EQ(head.HitTest(divider), 0x02000010u);
    head.SetBkBrush(nullptr);
    ::DeleteObject(pattern);

    EXPECT_EQ(Invalidated([&] { head.SetAppendInfo(L"x"); }), CRect(230, 0, kWidth, kHeight));  // without the origin
    EXPECT_EQ(Invalidated([&] { head.SwitchOrder(0, 2); }), CRect(0, 0, kWidth, kHeight));
    EXPECT_EQ(Invalidated([&] { head.SetBkColor(RGB(1, 2, 3)); }), CRect(0, 0, kWidth, kHeight));
    EXPECT_TRUE(Invalidated([&] { head.SetBkColor(RGB(1, 2, 3)); }).IsRectEmpty());
    EXPECT_EQ(Invalidated([&] { head.DeleteItem(2); }), CRect(0, 0, kWidth, kHeight));
    // B C now, shifted left by 40: only what meets the asked area is drawn.
    kx::Canvas canvas(kWidth, kHeight, RGB(255, 0, 255));
    RECT area{20, 0, 30, kHeight};
    head.OnRedrawRect(canvas.cdc(), &area);
    EXPECT_EQ(canvas.At(25, 5), RGB(1, 2, 3));  // C, drawn from 10 to 90
    EXPECT_EQ(canvas.At(95, 5), RGB(255, 0, 255));  // the strip from 90 is outside the area
}

TEST_F(HeaderWindow, DividerCursorOnlyOverADivider)
{
    const HCURSOR divider = ::LoadCursorW(getHResource(), MAKEINTRESOURCEW(1011));
    for (int x : {101, 50}) {
        POINT p{x, 5};
        ::ClientToScreen(head.m_hWnd, &p);
        ::SetCursorPos(p.x, p.y);
        ::SetCursor(nullptr);
        head.SendMessage(WM_SETCURSOR, reinterpret_cast<WPARAM>(head.m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor() == divider, x == 101);
    }
}

TEST_F(HeaderWindow, DividerDragClampsReportsEachMoveAndShowsItFirst)
{
    SetWidth(20);
    int shown = 0;  // tracks whose new edge was already on screen
    onNotify = [&](const NMHEADERW& nm) {
        const int w = nm.pitem->cxy;
        shown += nm.hdr.code == kTrack && PixelNow(w - 1, 5) == kDark && PixelNow(w, 5) == kLight;
    };
    EXPECT_EQ(Drag(20, {Move(10), Move(-10), Move(0), Move(0, 40), Up(0)}), nullptr);
    // 30 left of 20 pixels gives 2; back 10 from the last x gives 12.
    EXPECT_EQ(notes, (Notes{{kBegin, 0, 0, 20, L"A"}, {kTrack, 0, 0, 10, L"A"}, {kTrack, 0, 0, 2, L"A"},
                            {kTrack, 0, 0, 12, L"A"}, {kTrack, 0, 0, 12, L"A"}, {kEnd, 0, 0, 12, L"A"}}));
    EXPECT_EQ(shown, 4);

    int order[] = {2, 0, 1};  // C 0..79, A 80..91, B 92..141: the positions are reported
    head.SetOrderArray(3, order);
    Drag(90, {Move(100), Up(100)});
    EXPECT_EQ(notes, (Notes{{kBegin, 1, 0, 12, L"A"}, {kTrack, 1, 0, 22, L"A"}, {kEnd, 1, 0, 22, L"A"}}));
}

TEST_F(HeaderWindow, ItemDragMovesOneItemWithAnInvertedBoxUnderThePointer)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    std::vector<COLORREF> seen;
    head.onAction = [&] { seen = {PixelNow(1, 1), PixelNow(101, 1)}; };
    Drag(50, {Move(60), Move(120), Msg(kActionMessage), Move(120, -30), Move(200), Move(400), Up(210)});
    EXPECT_EQ(seen, (std::vector<COLORREF>{bk, RGB(255 - GetRValue(bk), 255 - GetGValue(bk), 255 - GetBValue(bk))}));
    // The last record describes what now stands at the starting position.
    EXPECT_EQ(notes, (Notes{{kChanging, 0, 0, 100, L"A"}, {kChanging, 0, 0, 100, L"A"}, {kChanged, 0, 2, 50, L"B"}}));
    EXPECT_EQ(Row(head), L"B|C|A|");
    EXPECT_EQ(kx::ClientCapture(head.m_hWnd).At(49, 5), kDark);  // repainted, no box left

    Drag(100, {Move(10), Up(10)});  // C to the front
    EXPECT_EQ(notes, (Notes{{kChanging, 1, 0, 80, L"C"}, {kChanged, 1, 0, 50, L"B"}}));
    EXPECT_EQ(Row(head), L"C|B|A|");
    Drag(120, {Up(120)});  // a click
    EXPECT_EQ(notes, (Notes{{kChanged, 1, 1, 50, L"B"}}));
    Drag(120, {Move(131), Up(131)});  // one pixel into its own divider zone
    EXPECT_EQ(notes, (Notes{{kChanging, 1, 0, 50, L"B"}, {kChanged, 1, 1, 50, L"B"}}));
}

TEST_F(HeaderWindow, EscapeLeavesBothLoopsRunningWhileCaptureLossQuitAndDestructionEndThem)
{
    head.onAction = [&] { ::SetCapture(host.m_hWnd); };
    // Escape is not an end; the others are. Then who holds the capture when the press returns.
    const struct { MSG middle; bool goesOn; HWND capture; } endings[] = {
        {Msg(WM_KEYDOWN, VK_ESCAPE), true, nullptr}, {Msg(kActionMessage), false, host.m_hWnd}, {Msg(WM_QUIT), false, nullptr}};
    for (const auto& e : endings) {
        SetWidth(100);
        EXPECT_EQ(Drag(100, {Move(110), e.middle, Move(120), Up(120)}), e.capture);
        EXPECT_EQ(notes.size(), e.goesOn ? 4u : 3u);  // begin, a track per move, end
        EXPECT_EQ(notes.back(), Note(kEnd, 0, 0, e.goesOn ? 120 : 110, L"A"));
        SetWidth(100);
        EXPECT_EQ(Drag(50, {Move(120), e.middle, Move(200), Up(200)}), e.capture);
        EXPECT_EQ(notes.back(), Note(kChanged, 0, e.goesOn ? 2 : 1, 50, L"B"));
        EXPECT_EQ(notes.size(), e.goesOn ? 3u : 2u);
        head.SwitchOrder(e.goesOn ? 2 : 1, 0);  // A B C again
    }

    // A parent that destroys the header from its notification ends the loop quietly.
    onNotify = [&](const NMHEADERW& nm) {
        if (nm.hdr.code == kTrack) head.DestroyWindow();
    };
    EXPECT_EQ(Drag(100, {Move(110), Move(120), Up(120)}), nullptr);
    EXPECT_EQ(notes, (Notes{{kBegin, 0, 0, 100, L"A"}, {kTrack, 0, 0, 110, L"A"}}));
}

}  // namespace
