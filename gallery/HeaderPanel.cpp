// The header bar over a small table: resizing a column or dragging a caption to a new place
// moves the table's columns with it, live.
#include "Panels.h"

namespace {

constexpr UINT kHeaderId = 901;
constexpr int kMargin = 12;
constexpr int kCaptionTop = 8;
constexpr int kHeaderTop = 30;
constexpr int kHeaderHeight = 22;
constexpr int kRowHeight = 20;
constexpr int kCellInset = 4;
constexpr COLORREF kRowShade = RGB(36, 43, 57);
constexpr COLORREF kGridLine = RGB(21, 32, 43);

struct Column {
    const wchar_t* caption;
    int width;
    int format;
};
// The last format is none of the three alignments: it falls back to the left.
const Column kColumns[] = {
    {L"Name", 120, HDF_LEFT}, {L"Size", 70, HDF_RIGHT}, {L"Kind", 90, HDF_CENTER}, {L"Note", 110, 3}};
constexpr int kColumnCount = sizeof(kColumns) / sizeof(kColumns[0]);
const wchar_t* const kRows[][kColumnCount] = {
    {L"scene.kst", L"12 KB", L"Scene", L"autosaved"},
    {L"brushes.bmp", L"348 KB", L"Bitmap", L"pattern"},
    {L"notes.txt", L"2 KB", L"Text", L""},
    {L"render.log", L"96 KB", L"Log", L"last run"},
    {L"export", L"-", L"Folder", L"empty"},
};
constexpr int kRowCount = sizeof(kRows) / sizeof(kRows[0]);

UINT CellFormat(int format)
{
    const UINT base = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    return base | (format == HDF_RIGHT ? DT_RIGHT : format == HDF_CENTER ? DT_CENTER : DT_LEFT);
}

// The library's header leaves the text colour to its host: this one writes in the theme's.
class GalleryHeader : public CHeadWnd {
protected:
    void OnRedrawRect(CDC* pDC, RECT* lpRect) override
    {
        pDC->SetTextColor(getdefaultColor(DEFCLR_TEXT));
        CHeadWnd::OnRedrawRect(pDC, lpRect);
    }
};

class HeaderPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        for (const Column& c : kColumns) {
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
            item.pszText = const_cast<LPWSTR>(c.caption);
            item.cchTextMax = 32;
            item.cxy = c.width;
            item.fmt = c.format;
            m_header.InsertItem(-1, &item);
        }
        m_header.SetAppendInfo(L" 5 files");
        m_header.Create(WS_CHILD | WS_VISIBLE, CRect(kMargin, kHeaderTop, area.Width() - kMargin, kHeaderTop + kHeaderHeight),
                        this, kHeaderId);
        return true;
    }

protected:
    CRect TableRect() const
    {
        CRect client;
        GetClientRect(&client);
        return CRect(kMargin, kHeaderTop + kHeaderHeight, client.right - kMargin,
                     kHeaderTop + kHeaderHeight + kRowCount * kRowHeight);
    }

    void OnPaint()
    {
        CPaintDC dc(this);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        CRect hint(kMargin, kCaptionTop, TableRect().right, kHeaderTop);
        dc.DrawText(L"Header: drag a divider to resize, a caption to reorder", -1, &hint, DT_SINGLELINE | DT_LEFT);

        const CRect table = TableRect();
        for (int r = 0; r < kRowCount; ++r) {
            CRect row(table.left, table.top + r * kRowHeight, table.right, table.top + (r + 1) * kRowHeight);
            dc.FillSolidRect(&row, r % 2 ? kRowShade : getdefaultColor(DEFCLR_BK));
        }
        // Columns in the header's display order, each as wide as its item.
        dc.IntersectClipRect(&table);
        int x = table.left;
        for (int pos = 0; pos < m_header.GetItemCount(); ++pos) {
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_FORMAT;
            m_header.GetItem(pos, &item);
            const int column = m_header.OrderToIndex(pos);
            for (int r = 0; r < kRowCount && column >= 0 && column < kColumnCount; ++r) {
                CRect cell(x, table.top + r * kRowHeight, x + item.cxy, table.top + (r + 1) * kRowHeight);
                cell.DeflateRect(kCellInset, 0);
                dc.DrawText(kRows[r][column], -1, &cell, CellFormat(item.fmt));
            }
            x += item.cxy;
            dc.FillSolidRect(x - 1, table.top, 1, table.Height(), kGridLine);
        }
        dc.SelectObject(oldFont);
    }

    // Each width step of a divider drag shows in the table at once.
    void OnHeaderChange(NMHDR*, LRESULT*)
    {
        const CRect table = TableRect();
        InvalidateRect(&table, FALSE);
        UpdateWindow();
    }

    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    GalleryHeader m_header;
};

BEGIN_MESSAGE_MAP(HeaderPanel, CWnd)
    ON_WM_PAINT()
    ON_NOTIFY(HDN_TRACKW, kHeaderId, OnHeaderChange)
    ON_NOTIFY(HDN_ENDTRACKW, kHeaderId, OnHeaderChange)
    ON_NOTIFY(HDN_ITEMCHANGEDW, kHeaderId, OnHeaderChange)
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateHeaderPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<HeaderPanel>(parent, area);
}
