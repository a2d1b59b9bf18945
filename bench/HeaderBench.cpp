// The header bar against the system's header control with the same items and size: a full
// repaint, a width change with its repaint, and a whole divider drag of one step (press, one
// move, release). Each drag step alternates between widening and narrowing the first item.
#include "Bench.h"
#include <KestrelHeader.h>

namespace {

constexpr int kWidth = 400;
constexpr int kHeight = 24;
constexpr int kStep = 10;

struct Column {
    const wchar_t* caption;
    int width;
    int format;
};
const Column kColumns[] = {{L"Name", 120, HDF_LEFT}, {L"Size", 70, HDF_RIGHT}, {L"Kind", 90, HDF_CENTER}};

HDITEMW ItemOf(const Column& c)
{
    HDITEMW item{};
    item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
    item.pszText = const_cast<LPWSTR>(c.caption);
    item.cchTextMax = 32;
    item.cxy = c.width;
    item.fmt = c.format;
    return item;
}

HWND CreateSystemHeader(const RECT& rect, UINT id)
{
    HWND header = ::CreateWindowExW(0, WC_HEADERW, L"", WS_CHILD | WS_VISIBLE | HDS_HORZ | HDS_FULLDRAG | HDS_DRAGDROP,
                                    rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                                    bench::BenchHost(), reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                                    ::GetModuleHandleW(nullptr), nullptr);
    int pos = 0;
    for (const Column& c : kColumns) {
        HDITEMW item = ItemOf(c);
        ::SendMessageW(header, HDM_INSERTITEMW, static_cast<WPARAM>(pos++), reinterpret_cast<LPARAM>(&item));
    }
    return header;
}

// The first item's width, alternately one step wider and back.
class Alternator {
public:
    int Next()
    {
        wide_ = !wide_;
        return kColumns[0].width + (wide_ ? kStep : 0);
    }
    // Travel of the next drag step, from the divider where the last one left it.
    int NextTravel()
    {
        wide_ = !wide_;
        return wide_ ? kStep : -kStep;
    }

private:
    bool wide_ = false;
};

void RunHeaderBench()
{
    CWnd* host = CWnd::FromHandle(bench::BenchHost());
    CHeadWnd head;
    for (const Column& c : kColumns) {
        HDITEMW item = ItemOf(c);
        head.InsertItem(-1, &item);
    }
    head.Create(WS_CHILD | WS_VISIBLE, CRect(10, 10, 10 + kWidth, 10 + kHeight), host, 1);
    HWND system = CreateSystemHeader(CRect(10, 50, 10 + kWidth, 50 + kHeight), 2);
    bench::Pump();

    bench::Compare(L"CHeadWnd full paint", bench::FullRepaint(head.m_hWnd), bench::FullRepaint(system),
                   bench::FlushAndPump);
    bench::CompareWithFloor(L"CHeadWnd", head.m_hWnd);

    Alternator kestrelWidths, systemWidths;
    auto kestrelResize = [&] {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = kestrelWidths.Next();
        head.SetItem(0, &item);
        head.UpdateWindow();
    };
    auto systemResize = [&] {
        HDITEMW item{};
        item.mask = HDI_WIDTH;
        item.cxy = systemWidths.Next();
        ::SendMessageW(system, HDM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
        ::UpdateWindow(system);
    };
    bench::Compare(L"CHeadWnd width change", kestrelResize, systemResize, bench::FlushAndPump);
    bench::ReportPaints(L"CHeadWnd width change", head.m_hWnd, kestrelResize);

    // A drag of one step: the loop finds the move and the release posted before the press.
    Alternator kestrelTravel, systemTravel;
    int kestrelEdge = kColumns[0].width, systemEdge = kColumns[0].width;
    const int y = kHeight / 2;
    auto kestrelDrag = [&] {
        const int to = kestrelEdge + kestrelTravel.NextTravel();
        ::PostMessageW(head.m_hWnd, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
        ::PostMessageW(head.m_hWnd, WM_LBUTTONUP, 0, MAKELPARAM(to, y));
        head.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kestrelEdge, y));
        kestrelEdge = to;
    };
    auto systemDrag = [&] {
        const int to = systemEdge + systemTravel.NextTravel();
        ::SendMessageW(system, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(systemEdge, y));
        ::SendMessageW(system, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(to, y));
        ::SendMessageW(system, WM_LBUTTONUP, 0, MAKELPARAM(to, y));
        systemEdge = to;
    };
    bench::Compare(L"CHeadWnd divider drag, one step", kestrelDrag, systemDrag, bench::FlushAndPump);

    ::DestroyWindow(system);
    head.DestroyWindow();
}

}  // namespace

BENCH_SUITE(L"header", RunHeaderBench);
