// A table window: a side panel and a table view side by side with a splitter between them.
// The table view has a header bar whose widths and order the rows follow, and a vertical and
// a horizontal scroll bar: each bar only proposes a position, and the view decides (here it
// always agrees) by calling SetScrollPos, then scrolls its rows.
#include "ExampleApp.h"

namespace {

constexpr UINT kSidePanelId = 100;
constexpr UINT kTableId = 101;
constexpr UINT kSplitterId = 102;
constexpr UINT kHeaderId = 110;
constexpr UINT kVScrollId = 111;
constexpr UINT kHScrollId = 112;
constexpr UINT_PTR kScreenshotTimer = 1;
constexpr int kSplitterWidth = 5;
constexpr int kSideWidth = 180;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 20;
constexpr int kRows = 200;
constexpr int kColumns = 4;

const wchar_t* const kCaptions[kColumns] = {L"Id", L"Name", L"Size", L"Modified"};
const int kWidths[kColumns] = {60, 200, 90, 160};
const int kFormats[kColumns] = {HDF_RIGHT, HDF_LEFT, HDF_RIGHT, HDF_CENTER};

// Rows drawn under a header, following its item widths and display order.
class TableView : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, example::DarkWindowClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent,
                      kTableId))
            return false;
        m_header.Create(WS_VISIBLE, CRect(0, 0, 10, kHeaderHeight), this, kHeaderId);
        for (int i = 0; i < kColumns; ++i) {
            HD_ITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<LPWSTR>(kCaptions[i]);
            item.cxy = kWidths[i];
            item.fmt = kFormats[i];
            m_header.InsertItem(i, &item);
        }
        m_header.SetAppendInfo(L"200 files");
        m_vscroll.Create(WS_VISIBLE | SBS_VERT, CRect(0, 0, 10, 10), this, kVScrollId);
        m_hscroll.Create(WS_VISIBLE | SBS_HORZ, CRect(0, 0, 10, 10), this, kHScrollId);
        Layout();
        return true;
    }

protected:
    int BarSize() const { return ::GetSystemMetrics(SM_CXVSCROLL); }
    int TotalWidth()
    {
        int total = 0;
        for (int i = 0; i < m_header.GetItemCount(); ++i) {
            CRect r;
            m_header.GetItemRect(i, &r);
            total = r.right > total ? r.right : total;
        }
        return total;
    }
    CRect RowsArea() const
    {
        CRect client;
        GetClientRect(&client);
        return CRect(0, kHeaderHeight, client.right - BarSize(), client.bottom - BarSize());
    }

    // Places the header and the bars, and gives each bar a range and page for the view.
    void Layout()
    {
        CRect client;
        GetClientRect(&client);
        const int bar = BarSize();
        m_header.MoveWindow(0, 0, client.right - bar, kHeaderHeight);
        m_vscroll.MoveWindow(client.right - bar, kHeaderHeight, bar, client.bottom - kHeaderHeight - bar);
        m_hscroll.MoveWindow(0, client.bottom - bar, client.right - bar, bar);
        const CRect rows = RowsArea();
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE};
        si.nMax = kRows;
        si.nPage = static_cast<UINT>(rows.Height() / kRowHeight);
        m_vscroll.SetScrollInfo(&si);
        si.nMax = TotalWidth();
        si.nPage = static_cast<UINT>(rows.Width());
        m_hscroll.SetScrollInfo(&si);
        m_hscroll.SetlineStep(16);
        Invalidate();
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        const CRect rows = RowsArea();
        dc.FillSolidRect(&rows, getdefaultColor(DEFCLR_EDITBK));
        dc.IntersectClipRect(&rows);
        dc.SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const int first = m_vscroll.GetScrollPos();
        const int dx = -m_hscroll.GetScrollPos();
        const COLORREF grid = getdefaultColor(DEFCLR_BOXSHADOW);
        for (int row = first; row < kRows; ++row) {
            const int top = rows.top + (row - first) * kRowHeight;
            if (top >= rows.bottom) break;
            dc.FillSolidRect(rows.left, top + kRowHeight - 1, rows.Width(), 1, grid);
            for (int pos = 0; pos < m_header.GetItemCount(); ++pos) {
                CRect column;
                m_header.GetItemRect(pos, &column);
                const int index = m_header.OrderToIndex(pos);
                CRect cell(column.left + dx + 4, top, column.right + dx - 4, top + kRowHeight);
                wchar_t text[64];
                CellText(row, index, text, 64);
                dc.SetTextColor(getdefaultColor(DEFCLR_EDITTEXT));
                const UINT align = kFormats[index] == HDF_RIGHT ? DT_RIGHT : kFormats[index] == HDF_CENTER ? DT_CENTER : DT_LEFT;
                dc.DrawText(text, -1, &cell, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | align);
            }
        }
        dc.SelectObject(oldFont);
    }
    static void CellText(int row, int column, wchar_t* text, int size)
    {
        switch (column) {
        case 0: AfxFormatW(text, size, L"%d", row + 1); break;
        case 1: AfxFormatW(text, size, L"report-%03d.csv", row + 1); break;
        case 2: AfxFormatW(text, size, L"%d KB", (row * 37) % 900 + 12); break;
        default: AfxFormatW(text, size, L"2026-%02d-%02d 10:%02d", row % 12 + 1, row % 28 + 1, row % 60); break;
        }
    }

    // The bars propose; the view agrees and scrolls. The full value is the track position.
    void Follow(CStaticScrollBar& bar)
    {
        SCROLLINFO si{sizeof(si), SIF_TRACKPOS};
        bar.GetScrollInfo(&si, SIF_TRACKPOS);
        bar.SetScrollPos(si.nTrackPos);
        m_header.SetViewportOrg(CPoint(m_hscroll.GetScrollPos(), 0));
        InvalidateRect(RowsArea(), FALSE);
    }
    void OnVScroll(UINT, UINT, CScrollBar*) { Follow(m_vscroll); }
    void OnHScroll(UINT, UINT, CScrollBar*) { Follow(m_hscroll); }
    // Any width or order change of the header moves the columns under it.
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override
    {
        if (wParam == kHeaderId) {
            m_hscroll.SetScrollRange(0, TotalWidth());
            InvalidateRect(RowsArea(), FALSE);
        }
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    void OnSize(UINT, int, int)
    {
        if (m_header.m_hWnd) Layout();
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CHeadWnd m_header;
    CStaticScrollBar m_vscroll;
    CStaticScrollBar m_hscroll;
};

BEGIN_MESSAGE_MAP(TableView, CWnd)
    ON_WM_PAINT()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
    ON_WM_SIZE()
END_MESSAGE_MAP()

// The side panel: a list of folders, drawn plainly.
class SidePanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        return CreateEx(0, example::DarkWindowClass(), L"", WS_CHILD | WS_VISIBLE, area, parent, kSidePanelId) != FALSE;
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const wchar_t* const folders[] = {L"Reports", L"  2026", L"  2025", L"Exports", L"Archive"};
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        dc.TextOut(12, 10, L"Folders (drag the bar)", 22);
        int y = 36;
        for (const wchar_t* f : folders) {
            dc.TextOut(12, y, f, static_cast<int>(wcslen(f)));
            y += 20;
        }
        dc.SelectObject(oldFont);
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(SidePanel, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class TableWindow : public CWnd {
public:
    bool Open(const std::wstring& screenshot)
    {
        m_screenshot = screenshot;
        if (!CreateEx(0, example::DarkWindowClass(), L"Kestrel example: table", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                      100, 100, 760, 420, nullptr, nullptr))
            return false;
        CRect client;
        GetClientRect(&client);
        auto* side = new SidePanel;
        auto* table = new TableView;
        if (!side->Open(this, CRect(0, 0, kSideWidth, client.bottom))) return false;
        if (!table->Open(this, CRect(kSideWidth + kSplitterWidth, 0, client.right, client.bottom))) return false;
        m_splitter.Create(WS_VISIBLE, CRect(kSideWidth, 0, kSideWidth + kSplitterWidth, client.bottom), this,
                          kSplitterId);
        m_splitter.SetMinWidth(120, 240);
        m_splitter.AttachAsLeftPane(side);
        m_splitter.AttachAsRightPane(table);
        ShowWindow(SW_SHOW);
        UpdateWindow();
        if (!m_screenshot.empty()) SetTimer(kScreenshotTimer, 800);
        return true;
    }

protected:
    // Keeps the panes and the bar at full height when the window is resized.
    void OnSize(UINT, int, int cy)
    {
        if (!m_splitter.m_hWnd) return;
        CRect bar;
        m_splitter.GetWindowRect(&bar);
        ScreenToClient(&bar);
        m_splitter.MoveWindow(bar.left, 0, bar.Width(), cy);
        CRect client;
        GetClientRect(&client);
        GetDlgItem(kSidePanelId)->MoveWindow(0, 0, bar.left, cy);
        GetDlgItem(kTableId)->MoveWindow(bar.right, 0, client.right - bar.right, cy);
    }
    void OnTimer(UINT_PTR id)
    {
        if (id != kScreenshotTimer) return;
        KillTimer(id);
        example::FinishScreenshot(this, m_screenshot);
    }
    void OnDestroy()
    {
        CWnd::OnDestroy();
        if (m_screenshot.empty()) ::PostQuitMessage(0);
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CxSpltWnd m_splitter;
    std::wstring m_screenshot;
};

BEGIN_MESSAGE_MAP(TableWindow, CWnd)
    ON_WM_SIZE()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, LPWSTR, int)
{
    return example::Run([](const std::wstring& screenshot) { return (new TableWindow)->Open(screenshot); });
}
