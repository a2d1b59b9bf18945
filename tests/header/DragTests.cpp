// The two drag loops driven by scripts posted before the press: what the parent hears and in
// which order, what is on screen meanwhile, and how each loop ends (button release, Escape,
// capture taken by another window, WM_QUIT, the header destroyed by its parent).
#include "HeaderTesting.h"

using headtest::HeaderTest;
using headtest::kHeaderHeight;
using headtest::Note;
using headtest::Notes;
using kx::Msg;

namespace {

constexpr COLORREF kLight = RGB(80, 95, 122);
constexpr COLORREF kDark = RGB(21, 32, 43);
constexpr UINT kBegin = HDN_BEGINTRACKW;
constexpr UINT kTrack = HDN_TRACKW;
constexpr UINT kEnd = HDN_ENDTRACKW;
constexpr UINT kChanging = HDN_ITEMCHANGINGW;
constexpr UINT kChanged = HDN_ITEMCHANGEDW;

COLORREF Inverted(COLORREF c)
{
    return RGB(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

COLORREF PixelNow(HWND hWnd, int x, int y)
{
    HDC dc = ::GetDC(hWnd);
    const COLORREF c = ::GetPixel(dc, x, y);
    ::ReleaseDC(hWnd, dc);
    return c;
}

class HeaderDrag : public HeaderTest {
protected:
    void SetWidth(int nPos, int width)
    {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = width;
        head.SetItem(nPos, &item);
        kx::PumpMessages();
    }
    // What a script left behind goes to the host's pump, as it would in an application.
    void Drain()
    {
        kx::PumpMessages();
        if (::GetCapture() != nullptr) ::ReleaseCapture();
    }
};

TEST_F(HeaderDrag, DividerDragClampsAtTheMinimumAndShowsEachWidthBeforeReporting)
{
    SetWidth(0, 20);
    std::vector<std::pair<COLORREF, COLORREF>> edges;  // A's last column and B's first, per track
    host.onNotify = [&](const NMHEADERW& nm) {
        if (nm.hdr.code != HDN_TRACKW) return;
        const int w = nm.pitem->cxy;
        edges.emplace_back(PixelNow(head.m_hWnd, w - 1, 12), PixelNow(head.m_hWnd, w, 12));
    };
    Script({MoveTo(10), MoveTo(-10), MoveTo(0), MoveTo(0, 40), ReleaseAt(0)});
    PressAt(20);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 20, L"A"},
                                 {kTrack, 0, 0, 10, L"A"},
                                 {kTrack, 0, 0, 2, L"A"},    // 30 left of a 20-pixel item
                                 {kTrack, 0, 0, 12, L"A"},   // and back 10: measured from the last x
                                 {kTrack, 0, 0, 12, L"A"},   // a move without x travel still reports
                                 {kEnd, 0, 0, 12, L"A"}}));
    ASSERT_EQ(edges.size(), 4u);
    for (const auto& e : edges) {
        EXPECT_EQ(e.first, kDark);
        EXPECT_EQ(e.second, kLight);
    }
    EXPECT_EQ(::GetCapture(), nullptr);
    for (size_t k = 0; k < host.headers.size(); ++k) {
        EXPECT_EQ(host.headers[k].hwndFrom, head.m_hWnd);
        EXPECT_EQ(host.headers[k].idFrom, headtest::kHeaderId);
        EXPECT_EQ(host.items[k].mask, 0x9Fu);
        EXPECT_EQ(host.items[k].cchTextMax, 32);
        EXPECT_EQ(host.items[k].iOrder, 0);
    }
    EXPECT_EQ(WidthAt(0), 12);
}

TEST_F(HeaderDrag, DividerDragOnAReorderedHeaderNamesThePosition)
{
    int order[] = {2, 0, 1};  // C 0..79, A 80..179, B 180..229
    head.SetOrderArray(3, order);
    kx::PumpMessages();
    Script({MoveTo(185), MoveTo(200), ReleaseAt(200)});
    PressAt(178);  // two pixels left of A's right edge
    EXPECT_EQ(host.notes, (Notes{{kBegin, 1, 0, 100, L"A"},
                                 {kTrack, 1, 0, 107, L"A"},
                                 {kTrack, 1, 0, 122, L"A"},
                                 {kEnd, 1, 0, 122, L"A"}}));
    kx::ClientCapture cap(head.m_hWnd);
    EXPECT_EQ(cap.At(201, 5), kDark);   // A's new right edge
    EXPECT_EQ(cap.At(202, 5), kLight);  // B follows it
    EXPECT_EQ(cap.At(251, 5), kDark);
    EXPECT_EQ(cap.At(252, 5), getdefaultColor(DEFCLR_BK));
}

TEST_F(HeaderDrag, APlainClickReportsOnlyTheUnchangedPosition)
{
    kx::PumpMessages();
    head.paintedRects.clear();
    Script({ReleaseAt(120)});
    PressAt(120);
    EXPECT_EQ(host.notes, (Notes{{kChanged, 1, 1, 50, L"B"}}));
    EXPECT_EQ(headtest::Row(head), L"ABC");
    kx::PumpMessages();
    EXPECT_TRUE(head.paintedRects.empty());
    EXPECT_EQ(kx::ClientCapture(head.m_hWnd).At(101, 1), getdefaultColor(DEFCLR_BK));  // box restored
}

TEST_F(HeaderDrag, ItemDragMovesOneItemAndInvertsTheBoxUnderThePointer)
{
    const COLORREF bk = getdefaultColor(DEFCLR_BK);
    COLORREF onA = 0, onB = 0;
    Script({MoveTo(60), MoveTo(120),
            head.Action([&] {
                onA = PixelNow(head.m_hWnd, 1, 1);
                onB = PixelNow(head.m_hWnd, 101, 1);
            }),
            MoveTo(120, -30),  // above the header: only x counts
            MoveTo(200), MoveTo(210), MoveTo(400), ReleaseAt(210)});
    PressAt(50);
    EXPECT_EQ(onA, bk);
    EXPECT_EQ(onB, Inverted(bk));
    // The record of the last notification describes what now stands at the starting position.
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 100, L"A"},
                                 {kChanging, 0, 0, 100, L"A"},
                                 {kChanged, 0, 2, 50, L"B"}}));
    EXPECT_EQ(headtest::Row(head), L"BCA");
    kx::ClientCapture cap(head.m_hWnd);  // repainted at once, boxes restored
    EXPECT_EQ(cap.At(49, 5), kDark);
    EXPECT_EQ(cap.At(131, 1), bk);

    host.notes.clear();
    Script({MoveTo(10), ReleaseAt(10)});
    PressAt(100);  // C to the front
    EXPECT_EQ(host.notes, (Notes{{kChanging, 1, 0, 80, L"C"}, {kChanged, 1, 0, 50, L"B"}}));
    EXPECT_EQ(headtest::Row(head), L"CBA");
}

TEST_F(HeaderDrag, TheDividerZoneRightOfTheBoxCountsAsItsOwnPosition)
{
    // Leaving A's box by one pixel lands in A's divider zone: the box is drawn again in place.
    Script({MoveTo(101), ReleaseAt(101)});
    PressAt(50);
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 100, L"A"}, {kChanged, 0, 0, 100, L"A"}}));
    EXPECT_EQ(headtest::Row(head), L"ABC");
}

TEST_F(HeaderDrag, EscapeGoesToTheHeaderAndTheDragGoesOn)
{
    Script({MoveTo(110), Msg(WM_KEYDOWN, VK_ESCAPE), MoveTo(120), ReleaseAt(120)});
    PressAt(100);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 100, L"A"},
                                 {kTrack, 0, 0, 110, L"A"},
                                 {kTrack, 0, 0, 120, L"A"},
                                 {kEnd, 0, 0, 120, L"A"}}));
    EXPECT_EQ(head.keysSeen, (std::vector<WPARAM>{VK_ESCAPE}));

    host.notes.clear();
    Script({MoveTo(120), Msg(WM_KEYDOWN, VK_ESCAPE), MoveTo(200), ReleaseAt(200)});
    PressAt(50);
    EXPECT_EQ(host.notes.back(), (Note{kChanged, 0, 2, 50, L"B"}));
    EXPECT_EQ(head.keysSeen.size(), 2u);
}

TEST_F(HeaderDrag, CaptureTakenByAnotherWindowEndsTheDragAndStaysThere)
{
    auto steal = head.Action([&] { ::SetCapture(host.m_hWnd); });
    Script({MoveTo(110), steal, MoveTo(150), ReleaseAt(150)});
    PressAt(100);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 100, L"A"}, {kTrack, 0, 0, 110, L"A"}, {kEnd, 0, 0, 110, L"A"}}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);
    Drain();
    EXPECT_EQ(WidthAt(0), 110);

    host.notes.clear();
    Script({MoveTo(120), head.Action([&] { ::SetCapture(host.m_hWnd); }), MoveTo(200), ReleaseAt(200)});
    PressAt(50);
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 110, L"A"}, {kChanged, 0, 1, 50, L"B"}}));
    EXPECT_EQ(::GetCapture(), host.m_hWnd);
    EXPECT_EQ(headtest::Row(head), L"BAC");
    Drain();
}

TEST_F(HeaderDrag, QuitEndsTheDragAndIsConsumed)
{
    Script({MoveTo(110), Msg(WM_QUIT), MoveTo(150), ReleaseAt(150)});
    PressAt(100);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 100, L"A"}, {kTrack, 0, 0, 110, L"A"}, {kEnd, 0, 0, 110, L"A"}}));
    EXPECT_EQ(::GetCapture(), nullptr);
    Drain();

    host.notes.clear();
    Script({MoveTo(120), Msg(WM_QUIT), MoveTo(200), ReleaseAt(200)});
    PressAt(50);
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 110, L"A"}, {kChanged, 0, 1, 50, L"B"}}));
    EXPECT_EQ(::GetCapture(), nullptr);
    Drain();
}

TEST_F(HeaderDrag, AParentThatDestroysTheHeaderMidDragEndsTheLoopQuietly)
{
    host.onNotify = [&](const NMHEADERW& nm) {
        if (nm.hdr.code == HDN_TRACKW || nm.hdr.code == HDN_ITEMCHANGINGW) head.DestroyWindow();
    };
    Script({MoveTo(110), MoveTo(120), ReleaseAt(120)});
    PressAt(100);
    EXPECT_EQ(host.notes, (Notes{{kBegin, 0, 0, 100, L"A"}, {kTrack, 0, 0, 110, L"A"}}));
    EXPECT_EQ(::GetCapture(), nullptr);
    Drain();

    // A fresh window for the same object: the item drag ends the same way.
    ASSERT_TRUE(head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 310, 34), &host, headtest::kHeaderId));
    kx::PumpMessages();
    host.notes.clear();
    Script({MoveTo(150), MoveTo(200), ReleaseAt(200)});
    PressAt(50);
    EXPECT_EQ(host.notes, (Notes{{kChanging, 0, 0, 110, L"A"}}));
    Drain();
}

TEST_F(HeaderDrag, WithoutAParentNothingIsSentAndTheDragStillWorks)
{
    CHeadWnd alone;
    headtest::Add(alone, L"A", 40);
    headtest::Add(alone, L"B", 40);
    ASSERT_TRUE(alone.Create(WS_POPUP | WS_VISIBLE, CRect(400, 400, 600, 424), nullptr, 0));
    kx::PostScript(alone.m_hWnd, {MoveTo(60), ReleaseAt(60)});
    alone.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(40, 5));
    kx::PostScript(alone.m_hWnd, {MoveTo(70), ReleaseAt(70)});
    alone.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, kx::PointParam(10, 5));
    EXPECT_EQ(headtest::Row(alone), L"BA");
    HDITEMW item{};
    item.mask = HDI_WIDTH;
    alone.GetItem(1, &item);
    EXPECT_EQ(item.cxy, 60);
    EXPECT_TRUE(host.notes.empty());
    alone.DestroyWindow();
}

}  // namespace
