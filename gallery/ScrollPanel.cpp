// A large picture scrolled by a vertical and a horizontal CStaticScrollBar. The panel is the
// bars' parent: it answers each proposal with SetScrollPos and moves the picture. Divider
// statics separate the view from the status line.
#include "Panels.h"
#include <KestrelScrollBar.h>
#include <KestrelStaticX.h>
#include <string>

namespace {

constexpr int kMargin = 12;
constexpr int kTop = 30;
constexpr int kBarThickness = 16;
constexpr int kPictureWidth = 1600;
constexpr int kPictureHeight = 1200;
constexpr int kTile = 50;
constexpr UINT kLineStep = 20;
constexpr UINT kVertBarId = 301;
constexpr UINT kHorzBarId = 302;
constexpr UINT kLineDividerId = 303;
constexpr UINT kColumnDividerId = 304;
constexpr int kStatusHeight = 40;

// Tiles with their grid coordinates, so that every scroll step shows.
class PictureView : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& rc)
    {
        return CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE, rc, parent, 0) != FALSE;
    }
    void ScrollTo(int x, int y)
    {
        if (x == m_origin.x && y == m_origin.y) return;
        ScrollWindowEx(m_hWnd, m_origin.x - x, m_origin.y - y, nullptr, nullptr, nullptr, nullptr, SW_INVALIDATE);
        m_origin = CPoint(x, y);
        UpdateWindow();
    }

protected:
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect clip;
        dc.GetClipBox(&clip);
        dc.SetBkMode(TRANSPARENT);
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const int firstColumn = (clip.left + m_origin.x) / kTile, lastColumn = (clip.right + m_origin.x) / kTile;
        const int firstRow = (clip.top + m_origin.y) / kTile, lastRow = (clip.bottom + m_origin.y) / kTile;
        for (int row = firstRow; row <= lastRow; ++row) {
            for (int column = firstColumn; column <= lastColumn; ++column) {
                CRect tile(column * kTile - m_origin.x, row * kTile - m_origin.y, 0, 0);
                tile.right = tile.left + kTile;
                tile.bottom = tile.top + kTile;
                const bool inside = column * kTile < kPictureWidth && row * kTile < kPictureHeight;
                const COLORREF fill = !inside ? getdefaultColor(DEFCLR_BK)
                                              : RGB(40 + (column * 9) % 120, 60 + (row * 7) % 100, 110 + ((row + column) % 2) * 30);
                dc.FillSolidRect(&tile, fill);
                if (!inside) continue;
                const std::wstring label = std::to_wstring(column) + L"," + std::to_wstring(row);
                dc.SetTextColor(RGB(230, 235, 245));
                dc.TextOut(tile.left + 6, tile.top + 6, label.c_str(), static_cast<int>(label.size()));
            }
        }
        dc.SelectObject(oldFont);
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    CPoint m_origin{0, 0};
};

BEGIN_MESSAGE_MAP(PictureView, CWnd)
    ON_WM_PAINT()
END_MESSAGE_MAP()

class ScrollPanel : public CWnd {
public:
    bool Open(CWnd* parent, const CRect& area)
    {
        if (!CreateEx(0, GalleryPanelClass(), L"", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, area, parent, 0)) return false;
        const int viewRight = area.Width() - kMargin - kBarThickness;
        const int viewBottom = area.Height() - kMargin - kStatusHeight - kBarThickness;
        const CRect view(kMargin, kTop, viewRight, viewBottom);
        m_view = new PictureView;
        if (!m_view->Open(this, view)) m_view = nullptr;

        m_vert.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, CRect(viewRight, kTop, viewRight + kBarThickness, viewBottom), this,
                      kVertBarId);
        m_horz.Create(WS_CHILD | WS_VISIBLE | SBS_HORZ, CRect(kMargin, viewBottom, viewRight, viewBottom + kBarThickness),
                      this, kHorzBarId);
        SetUpBar(m_vert, kPictureHeight - view.Height(), view.Height());
        SetUpBar(m_horz, kPictureWidth - view.Width(), view.Width());
        // Start away from the corner, so both thumbs show margins on both sides.
        m_vert.SetScrollPos(kPictureHeight / 4, FALSE);
        m_horz.SetScrollPos(kPictureWidth / 5, FALSE);
        if (m_view) m_view->ScrollTo(m_horz.GetScrollPos(), m_vert.GetScrollPos());

        // The dividers start as ordinary statics, as in a dialog, and shape themselves.
        const int line = viewBottom + kBarThickness + 8;
        m_line.SubclassWindow(MakeStatic(SS_LEFT, CRect(kMargin, line, area.Width() - kMargin, line + 10), kLineDividerId));
        m_column.SubclassWindow(
            MakeStatic(SS_OWNERDRAW, CRect(area.Width() / 2, line + 6, area.Width() / 2 + 10, line + 30), kColumnDividerId));
        m_statusTop = line + 10;
        return true;
    }

protected:
    void SetUpBar(CStaticScrollBar& bar, int maximum, int page)
    {
        SCROLLINFO si{sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS, 0, maximum, static_cast<UINT>(page), 0, 0};
        bar.SetScrollInfo(&si, TRUE);
        bar.SetlineStep(kLineStep);
    }
    HWND MakeStatic(DWORD style, const CRect& rc, UINT id)
    {
        return ::CreateWindowW(L"STATIC", L"", WS_CHILD | WS_VISIBLE | style, rc.left, rc.top, rc.Width(), rc.Height(),
                               m_hWnd, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), nullptr, nullptr);
    }
    // The bars propose; the panel accepts every proposal in full (the track position holds
    // values beyond the message's 16 bits).
    void Accept(CScrollBar* pScrollBar)
    {
        CStaticScrollBar* bar = pScrollBar->GetSafeHwnd() == m_vert.m_hWnd ? &m_vert : &m_horz;
        SCROLLINFO si{};
        bar->GetScrollInfo(&si, SIF_TRACKPOS);
        bar->SetScrollPos(si.nTrackPos, TRUE);
        if (m_view) m_view->ScrollTo(m_horz.GetScrollPos(), m_vert.GetScrollPos());
        CRect status(0, m_statusTop, 10000, m_statusTop + kStatusHeight);
        InvalidateRect(&status, TRUE);
    }
    void OnVScroll(UINT, UINT, CScrollBar* pScrollBar) { Accept(pScrollBar); }
    void OnHScroll(UINT, UINT, CScrollBar* pScrollBar) { Accept(pScrollBar); }
    void OnPaint()
    {
        CPaintDC dc(this);
        CRect client;
        GetClientRect(&client);
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(getdefaultColor(DEFCLR_TEXT));
        HGDIOBJ oldFont = dc.SelectObject(getdefaultHFont());
        const wchar_t title[] = L"Scroll bars: the parent answers each proposal";
        dc.TextOut(kMargin, 8, title, static_cast<int>(wcslen(title)));
        const std::wstring x = L"x " + std::to_wstring(m_horz.GetScrollPos());
        const std::wstring y = L"y " + std::to_wstring(m_vert.GetScrollPos());
        dc.TextOut(kMargin, m_statusTop + 8, x.c_str(), static_cast<int>(x.size()));
        dc.TextOut(client.Width() / 2 + 12, m_statusTop + 8, y.c_str(), static_cast<int>(y.size()));
        dc.SelectObject(oldFont);
    }
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

private:
    PictureView* m_view = nullptr;
    CStaticScrollBar m_vert;
    CStaticScrollBar m_horz;
    CxSpltStatic m_line;
    CySpltStatic m_column;
    int m_statusTop = 0;
};

BEGIN_MESSAGE_MAP(ScrollPanel, CWnd)
    ON_WM_PAINT()
    ON_WM_VSCROLL()
    ON_WM_HSCROLL()
END_MESSAGE_MAP()

}  // namespace

CWnd* CreateScrollPanel(CWnd* parent, const CRect& area)
{
    return OpenPanel<ScrollPanel>(parent, area);
}
